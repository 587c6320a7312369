#include "platform/files/FileLock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace files {

namespace {

constexpr int PollMs = 10;

} // namespace

FileLock::FileLock(QString path) : m_path(std::move(path)) {}

FileLock::~FileLock()
{
    unlock();
}

bool FileLock::tryLock(int timeoutMs)
{
    if (m_fd >= 0)
        return true;
    m_error.clear();
    m_heldElsewhere = false;
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_fd = fd;
            return true;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            m_error = QString::fromLocal8Bit(std::strerror(errno));
            break;
        }
        if (deadline.hasExpired()) {
            m_heldElsewhere = true;
            m_error = QStringLiteral("it is locked by another program");
            break;
        }
        QThread::msleep(PollMs);
    }
    ::close(fd);
    return false;
}

void FileLock::unlock()
{
    if (m_fd < 0)
        return;
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
}

} // namespace files
