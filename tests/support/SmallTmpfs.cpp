#include "SmallTmpfs.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace testing_support {

SmallTmpfs::SmallTmpfs(int kilobytes)
{
    if (::geteuid() != 0) {
        m_error = QStringLiteral("not root");
        return;
    }
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0755";
    if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.constData()) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    m_mounted = true;
}

SmallTmpfs::~SmallTmpfs()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

bool SmallTmpfs::fill()
{
    const QByteArray path = QFile::encodeName(m_dir.path() + QStringLiteral("/filler"));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const QByteArray block(4096, '\0');
    bool full = false;
    // Large blocks first, then single bytes for the last page.
    for (qsizetype size : {qsizetype(4096), qsizetype(1)}) {
        for (;;) {
            const ssize_t n = ::write(fd, block.constData(), size_t(size));
            if (n < 0) {
                full = errno == ENOSPC;
                break;
            }
        }
    }
    ::close(fd);
    return full;
}

} // namespace testing_support
