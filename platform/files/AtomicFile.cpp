#include "platform/files/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <optional>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

// The file a save into `path` really replaces. A symbolic link is followed only when the
// user or root owns it: in a shared folder such as /tmp another user's link must never
// steer our save onto one of our own files.
std::optional<QString> resolveTarget(const QString& path, QString& error)
{
    QString current = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st {};
        if (::lstat(encoded(current).constData(), &st) != 0) {
            if (errno == ENOENT)
                return current;
            error = systemError(errno);
            return std::nullopt;
        }
        if (!S_ISLNK(st.st_mode))
            return current;
        if (st.st_uid != ::geteuid() && st.st_uid != 0) {
            error = QStringLiteral("%1 is a link owned by another user").arg(current);
            return std::nullopt;
        }
        const QString link = QFile::symLinkTarget(current);
        if (link.isEmpty()) {
            error = QStringLiteral("the link %1 cannot be read").arg(current);
            return std::nullopt;
        }
        current = link;
    }
    error = systemError(ELOOP);
    return std::nullopt;
}

} // namespace

WriteResult WriteResult::failure(QString error)
{
    WriteResult result;
    result.m_error = error.isEmpty() ? QStringLiteral("unknown error") : std::move(error);
    return result;
}

struct AtomicFile::Temp
{
    QString path;   // the temporary file
    QString target; // the file it replaces, links resolved
    QFile file;
};

AtomicFile::AtomicFile(QString target, Durability durability)
    : m_target(std::move(target)), m_durability(durability)
{
}

AtomicFile::~AtomicFile()
{
    cancel();
}

WriteResult AtomicFile::open()
{
    cancel();
    m_failure.clear();
    QString error;
    const std::optional<QString> target = resolveTarget(m_target, error);
    if (!target)
        return WriteResult::failure(error);

    struct stat st {};
    mode_t mode = 0666;
    if (::stat(encoded(*target).constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return WriteResult::failure(QStringLiteral("%1 is a folder").arg(*target));
        if (::access(encoded(*target).constData(), W_OK) != 0)
            return WriteResult::failure(QStringLiteral("%1 is read-only").arg(*target));
        mode = st.st_mode & 07777;
    }

    // ".<name>.~XXXXXX" beside the target: hidden from folder listings and from tools that
    // read "*.vcf", and recognisable as ours when a killed save leaves one behind.
    const QFileInfo info(*target);
    static constexpr char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString suffix;
        for (int i = 0; i < 6; ++i)
            suffix += QLatin1Char(Letters[QRandomGenerator::global()->bounded(int(sizeof Letters - 1))]);
        const QString tempPath = info.dir().filePath(QStringLiteral(".%1.~%2").arg(info.fileName(), suffix));
        const int fd = ::open(encoded(tempPath).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return WriteResult::failure(QStringLiteral("cannot create a file in %1: %2")
                                            .arg(QDir::toNativeSeparators(info.absolutePath()), systemError(errno)));
        }
        // An existing file keeps its permissions; O_CREAT applied the umask to them.
        if (st.st_mode != 0)
            ::fchmod(fd, mode);
        auto temp = std::make_unique<Temp>();
        temp->path = tempPath;
        temp->target = *target;
        if (!temp->file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            ::unlink(encoded(tempPath).constData());
            return WriteResult::failure(temp->file.errorString());
        }
        m_temp = std::move(temp);
        return {};
    }
    return WriteResult::failure(QStringLiteral("cannot name a temporary file in %1").arg(info.absolutePath()));
}

QIODevice* AtomicFile::device()
{
    return m_temp ? &m_temp->file : nullptr;
}

WriteResult AtomicFile::write(const QByteArray& bytes)
{
    if (!m_temp)
        return WriteResult::failure(m_failure.isEmpty() ? QStringLiteral("not open") : m_failure);
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = m_temp->file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            m_failure = m_temp->file.errorString();
            cancel();
            return WriteResult::failure(m_failure);
        }
        done += n;
    }
    return {};
}

WriteResult AtomicFile::commit()
{
    if (!m_temp)
        return WriteResult::failure(m_failure.isEmpty() ? QStringLiteral("not open") : m_failure);
    QFile& file = m_temp->file;
    QString error;
    if (file.error() != QFileDevice::NoError)
        error = file.errorString();
    else if (!file.flush())
        error = file.errorString();
    else if (m_durability == Durability::Durable && ::fdatasync(file.handle()) != 0)
        error = systemError(errno);
    if (error.isEmpty()) {
        file.close();
        if (file.error() != QFileDevice::NoError)
            error = file.errorString();
    }
    if (error.isEmpty()
        && ::rename(encoded(m_temp->path).constData(), encoded(m_temp->target).constData()) != 0)
        error = systemError(errno);
    if (!error.isEmpty()) {
        m_failure = error;
        cancel();
        return WriteResult::failure(error);
    }
    if (m_durability == Durability::Durable) {
        // The rename itself reaches the disk with the folder.
        const int dir = ::open(encoded(QFileInfo(m_temp->target).absolutePath()).constData(),
                               O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    m_temp.reset();
    return {};
}

void AtomicFile::cancel()
{
    if (!m_temp)
        return;
    m_temp->file.close();
    ::unlink(encoded(m_temp->path).constData());
    m_temp.reset();
}

WriteResult writeFile(const QString& target, const QByteArray& bytes, Durability durability)
{
    AtomicFile file(target, durability);
    if (WriteResult opened = file.open(); !opened)
        return opened;
    if (WriteResult written = file.write(bytes); !written)
        return written;
    return file.commit();
}

} // namespace files
