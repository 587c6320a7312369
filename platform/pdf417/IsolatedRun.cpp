#include "platform/pdf417/IsolatedRun.h"

#include <QDeadlineTimer>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pdf417 {

namespace {

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// The answer travels with its length in front, so that a child dying halfway is noticed
// even when its exit status cannot be had.
QByteArray framed(const QByteArray& bytes)
{
    const quint64 size = quint64(bytes.size());
    return QByteArray(reinterpret_cast<const char*>(&size), sizeof size) + bytes;
}

std::optional<QByteArray> unframed(const QByteArray& bytes)
{
    quint64 size = 0;
    if (bytes.size() < qsizetype(sizeof size))
        return std::nullopt;
    memcpy(&size, bytes.constData(), sizeof size);
    if (size != quint64(bytes.size()) - sizeof size)
        return std::nullopt;
    return bytes.mid(sizeof size);
}

[[noreturn]] void runChild(int fd, const std::function<QByteArray()>& work)
{
    // A crash here ends the child quietly instead of in the parent's crash handlers, and
    // nothing may unwind past this frame into the parent's code.
    for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        std::signal(signal, SIG_DFL);
    try {
        ::_exit(writeAll(fd, framed(work())) ? 0 : 1);
    } catch (...) {
        ::_exit(1);
    }
}

} // namespace

std::optional<QByteArray> IsolatedRun::run(const std::function<QByteArray()>& work, int timeoutMs)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return work();
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return work();
    }
    if (child == 0) {
        ::close(fds[0]);
        runChild(fds[1], work);
    }
    ::close(fds[1]);

    QByteArray result;
    bool complete = false;
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        pollfd ready{fds[0], POLLIN, 0};
        const int polled = ::poll(&ready, 1, int(std::max<qint64>(0, deadline.remainingTime())));
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled <= 0)
            break; // time is up (or poll failed)
        char buffer[65536];
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            complete = n == 0;
            break;
        }
        result.append(buffer, n);
    }
    ::close(fds[0]);
    if (!complete)
        ::kill(child, SIGKILL);
    int status = 0;
    pid_t waited;
    while ((waited = ::waitpid(child, &status, 0)) < 0 && errno == EINTR) {
    }
    const bool reaped = waited == child;
    if (!complete || (reaped && (!WIFEXITED(status) || WEXITSTATUS(status) != 0)))
        return std::nullopt;
    return unframed(result);
}

} // namespace pdf417
