// qv-symbol-reader: reads the images the programs hand it and decodes their PDF417 symbols (see
// ReaderProcess, which starts it). Requests come on standard input and answers go to standard
// output, each as its length (32 bits, little-endian) and its bytes. It ends when its input closes.
#include "platform/pdf417/ReaderJob.h"

#include <QCoreApplication>
#include <QtEndian>

#include <csignal>
#include <fcntl.h>
#include <malloc.h>
#include <poll.h>
#include <unistd.h>

#include <optional>
#include <thread>

namespace {

// A request names a file; more is not a request.
constexpr quint32 MaxRequest = 1024 * 1024;
// Blocks up to this size come from the heap (glibc's largest), and free heap up to this size is
// kept between requests.
constexpr int MaxHeapBlock = 32 * 1024 * 1024;
constexpr int KeptHeap = 128 * 1024 * 1024;

bool readAll(int fd, char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::read(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

bool writeAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

// Ends this program as soon as its input closes, in the middle of a read too: the program that
// started it has gone (ended, crashed or killed) and will take no answer. Reading the input
// notices that only between requests.
void endWithInput()
{
    std::thread([] {
        pollfd input{STDIN_FILENO, 0, 0}; // no events asked: the poll returns on a hang-up only
        while (::poll(&input, 1, -1) <= 0) {
        }
        ::_exit(0);
    }).detach();
}

std::optional<QByteArray> readFrame(int fd)
{
    char header[4];
    if (!readAll(fd, header, sizeof header))
        return std::nullopt;
    const quint32 size = qFromLittleEndian<quint32>(header);
    if (size > MaxRequest)
        return std::nullopt;
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    if (!readAll(fd, bytes.data(), size))
        return std::nullopt;
    return bytes;
}

bool writeFrame(int fd, const QByteArray& bytes)
{
    char header[4];
    qToLittleEndian<quint32>(quint32(bytes.size()), header);
    return writeAll(fd, header, sizeof header) && writeAll(fd, bytes.constData(), size_t(bytes.size()));
}

} // namespace

int main(int argc, char** argv)
{
    // The answers own standard output: whatever a library prints there goes to standard error.
    const int answers = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    if (answers < 0 || ::dup2(STDERR_FILENO, STDOUT_FILENO) < 0)
        return 1;
    std::signal(SIGPIPE, SIG_IGN); // a program that has gone away fails the write instead
    endWithInput();
    // Every request makes and drops images of megabytes. Kept in the heap for the next request
    // rather than handed back to the kernel, they cost no page faults: that halves the time of
    // reading a card.
    ::mallopt(M_MMAP_THRESHOLD, MaxHeapBlock);
    ::mallopt(M_TRIM_THRESHOLD, KeptHeap);
    QCoreApplication app(argc, argv); // Qt's image plugins are looked for as in the programs

    using pdf417::ReaderJob;
    while (const std::optional<QByteArray> frame = readFrame(STDIN_FILENO)) {
        const std::optional<ReaderJob::Request> request = ReaderJob::unpackRequest(*frame);
        if (!request)
            return 1;
        if (request->fault == ReaderJob::Request::Crash) {
            std::signal(SIGSEGV, SIG_DFL);
            std::raise(SIGSEGV);
        }
        while (request->fault == ReaderJob::Request::Hang)
            ::pause();
        if (!writeFrame(answers, ReaderJob::pack(ReaderJob::run(request->kind, request->imageFile))))
            return 1;
    }
    return 0;
}
