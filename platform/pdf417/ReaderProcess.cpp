#include "platform/pdf417/ReaderProcess.h"

#include <QDeadlineTimer>
#include <QMutex>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pdf417 {

namespace {

// A request: the job's address (valid in the helper, a copy of this process), the image's
// size, then its rows. An answer: its length, then its bytes.
struct Request
{
    std::uintptr_t job;
    std::int32_t width;
    std::int32_t height;
};

bool sendAll(int fd, const void* data, size_t size)
{
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::send(fd, bytes, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        size -= size_t(n);
    }
    return true;
}

// Receives exactly `size` bytes, waiting until `deadline` (forever when it is Forever).
bool receiveAll(int fd, void* data, size_t size, const QDeadlineTimer& deadline)
{
    auto* bytes = static_cast<char*>(data);
    while (size > 0) {
        pollfd ready{fd, POLLIN, 0};
        const int polled =
            ::poll(&ready, 1, deadline.isForever() ? -1 : int(std::max<qint64>(0, deadline.remainingTime())));
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled <= 0)
            return false;
        const ssize_t n = ::recv(fd, bytes, size, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        size -= size_t(n);
    }
    return true;
}

[[noreturn]] void serve(int fd)
{
    // A crash ends the helper quietly instead of in the program's crash handlers.
    for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        std::signal(signal, SIG_DFL);
    for (;;) {
        Request request;
        if (!receiveAll(fd, &request, sizeof request, QDeadlineTimer::Forever))
            ::_exit(0); // the program has ended
        // Both sides are this program, so their images lay out rows alike.
        QImage grey(request.width, request.height, QImage::Format_Grayscale8);
        if (grey.isNull() || !receiveAll(fd, grey.bits(), size_t(grey.sizeInBytes()), QDeadlineTimer::Forever))
            ::_exit(1);
        QByteArray answer;
        try {
            answer = reinterpret_cast<ReaderProcess::Job>(request.job)(grey);
        } catch (...) {
            ::_exit(1);
        }
        const std::uint64_t size = std::uint64_t(answer.size());
        if (!sendAll(fd, &size, sizeof size) || !sendAll(fd, answer.constData(), size_t(answer.size())))
            ::_exit(1);
    }
}

class Helper
{
public:
    ~Helper() { stop(); }

    bool start()
    {
        int fds[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0)
            return false;
        const pid_t parent = ::getpid();
        m_pid = ::fork();
        if (m_pid < 0) {
            ::close(fds[0]);
            ::close(fds[1]);
            return false;
        }
        if (m_pid == 0) {
            // Keep only the standard streams and the socket: a serial port, a lock or a
            // listening socket of the program must not stay open here.
            const int mine = fds[1];
            if (::close_range(3, unsigned(mine) - 1, 0) != 0 || ::close_range(unsigned(mine) + 1, ~0U, 0) != 0) {
                for (int fd = 3; fd < 1024; ++fd) { // kernels before 5.9
                    if (fd != mine)
                        ::close(fd);
                }
            }
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (::getppid() != parent)
                ::_exit(0);
            serve(mine);
        }
        ::close(fds[1]);
        m_socket = fds[0];
        return true;
    }

    void stop()
    {
        if (m_socket < 0)
            return;
        ::close(m_socket);
        ::kill(m_pid, SIGKILL);
        while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        m_socket = -1;
        m_pid = -1;
    }

    bool running() const { return m_socket >= 0; }

    bool send(ReaderProcess::Job job, const QImage& grey)
    {
        const Request request{reinterpret_cast<std::uintptr_t>(job), grey.width(), grey.height()};
        return sendAll(m_socket, &request, sizeof request) &&
               sendAll(m_socket, grey.constBits(), size_t(grey.sizeInBytes()));
    }

    std::optional<QByteArray> receive(const QDeadlineTimer& deadline)
    {
        std::uint64_t size = 0;
        if (!receiveAll(m_socket, &size, sizeof size, deadline) || size > std::uint64_t(1) << 30)
            return std::nullopt;
        QByteArray answer(qsizetype(size), Qt::Uninitialized);
        if (!receiveAll(m_socket, answer.data(), size_t(size), deadline))
            return std::nullopt;
        return answer;
    }

private:
    int m_socket = -1;
    pid_t m_pid = -1;
};

QMutex helperMutex;
Helper helper;

} // namespace

std::optional<QByteArray> ReaderProcess::run(Job job, const QImage& grey, int timeoutMs)
{
    QMutexLocker lock(&helperMutex);
    const QDeadlineTimer deadline(timeoutMs);
    // A helper that ended since the last job (killed from outside, say) fails the sending;
    // then one fresh helper is tried.
    bool sent = false;
    for (int attempt = 0; attempt < 2 && !sent; ++attempt) {
        if (!helper.running() && !helper.start())
            return job(grey);
        sent = helper.send(job, grey);
        if (!sent)
            helper.stop();
    }
    std::optional<QByteArray> answer = sent ? helper.receive(deadline) : std::nullopt;
    if (!answer)
        helper.stop(); // crashed, hung or gone: the next job gets a fresh one
    return answer;
}

} // namespace pdf417
