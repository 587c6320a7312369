#include "platform/files/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
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

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

LinkOwnerOverride& linkOwnerOverride()
{
    static LinkOwnerOverride override;
    return override;
}

uid_t ownerOfLink(const QString& link, const struct stat& st)
{
    if (const LinkOwnerOverride& override = linkOwnerOverride()) {
        if (const std::optional<uid_t> faked = override(link))
            return *faked;
    }
    return st.st_uid;
}

// The file a save into `path` really replaces. A symbolic link is followed only when the
// user or root owns it, as the kernel's protection of links in sticky folders does: in a
// shared folder such as /tmp another user's link must never steer our save onto one of our
// own files. (The rename below does not follow links, so the check cannot be raced.)
std::optional<QString> resolveTarget(const QString& path, QString& error)
{
    QString current = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st
        {
        };
        if (::lstat(encoded(current).constData(), &st) != 0) {
            if (errno == ENOENT)
                return current;
            error = systemError(errno);
            return std::nullopt;
        }
        if (!S_ISLNK(st.st_mode))
            return current;
        const uid_t owner = ownerOfLink(current, st);
        if (owner != ::geteuid() && owner != 0) {
            error = QStringLiteral("the link %1 belongs to another user and is not followed").arg(shown(current));
            return std::nullopt;
        }
        const QString link = QFile::symLinkTarget(current);
        if (link.isEmpty()) {
            error = QStringLiteral("the link %1 cannot be read").arg(shown(current));
            return std::nullopt;
        }
        current = link;
    }
    error = systemError(ELOOP);
    return std::nullopt;
}

// ".<name>.~XXXXXX", the name open() gives its temporary files.
const QRegularExpression& temporaryName()
{
    static const QRegularExpression pattern(QStringLiteral("^\\..+\\.~[A-Za-z0-9]{6}$"));
    return pattern;
}

// Removes our own temporary files that a killed save left in `folder`: regular files of this
// user, named as ours, untouched for a minute and not locked. A save in progress holds a lock
// on its temporary file until it ends, which the system releases when its process dies.
void removeStaleTemporaries(const QString& folder)
{
    QDir dir(folder);
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
    dir.setNameFilters({QStringLiteral(".*.~??????")});
    const std::time_t now = std::time(nullptr);
    for (const QString& name : dir.entryList()) {
        if (!temporaryName().match(name).hasMatch())
            continue;
        const QByteArray path = encoded(dir.filePath(name));
        struct stat st
        {
        };
        if (::lstat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
            continue;
        if (now - st.st_mtime < AtomicFile::StaleAgeSeconds)
            continue;
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(fd);
    }
}

// The temporary file as a device. Writes go straight to the descriptor; the first failure
// (a full disk, a file-size limit) is kept, so that a writer that ignores what write()
// returned cannot get a cut file committed.
class TemporaryDevice : public QIODevice
{
public:
    explicit TemporaryDevice(int fd) : m_fd(fd) { QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    ~TemporaryDevice() override { closeFile(); }

    const QString& failure() const { return m_failure; }
    int handle() const { return m_fd; }

    bool isSequential() const override { return false; }
    qint64 size() const override
    {
        struct stat st
        {
        };
        return m_fd >= 0 && ::fstat(m_fd, &st) == 0 ? qint64(st.st_size) : 0;
    }
    bool seek(qint64 pos) override
    {
        if (m_fd < 0 || !m_failure.isEmpty() || ::lseek(m_fd, pos, SEEK_SET) < 0) {
            fail(errno);
            return false;
        }
        return QIODevice::seek(pos);
    }

    // Closes the descriptor; false (with the failure kept) when closing reports an error.
    bool closeFile()
    {
        if (m_fd < 0)
            return m_failure.isEmpty();
        QIODevice::close();
        const int fd = std::exchange(m_fd, -1);
        if (::close(fd) != 0 && errno != EINTR)
            fail(errno);
        return m_failure.isEmpty();
    }

    void fail(int error)
    {
        if (m_failure.isEmpty())
            m_failure = systemError(error ? error : EIO);
        setErrorString(m_failure);
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override
    {
        if (m_fd < 0 || !m_failure.isEmpty())
            return -1;
        qint64 done = 0;
        while (done < length) {
            const ssize_t n = ::write(m_fd, data + done, size_t(length - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                fail(n < 0 ? errno : ENOSPC);
                return -1;
            }
            done += n;
        }
        return done;
    }

private:
    int m_fd;
    QString m_failure;
};

} // namespace

WriteResult WriteResult::failure(QString error)
{
    WriteResult result;
    result.m_error = error.isEmpty() ? QStringLiteral("unknown error") : std::move(error);
    return result;
}

WriteResult WriteResult::readOnly(QString error)
{
    WriteResult result = failure(std::move(error));
    result.m_readOnly = true;
    return result;
}

LinkOwnerOverride setLinkOwnerOverride(LinkOwnerOverride override)
{
    return std::exchange(linkOwnerOverride(), std::move(override));
}

struct AtomicFile::Temp
{
    QString path;   // the temporary file
    QString target; // the file it replaces, links resolved
    std::unique_ptr<TemporaryDevice> device;
};

AtomicFile::AtomicFile(QString target, Durability durability) : m_target(std::move(target)), m_durability(durability) {}

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

    struct stat st
    {
    };
    mode_t mode = 0666;
    const bool exists = ::stat(encoded(*target).constData(), &st) == 0;
    if (exists) {
        if (S_ISDIR(st.st_mode))
            return WriteResult::failure(QStringLiteral("it is a folder"));
        // A device or a pipe would be replaced by a plain file, not written to.
        if (!S_ISREG(st.st_mode))
            return WriteResult::failure(QStringLiteral("it is not a regular file"));
        // isWritable() alone says yes to root for any file; the permission bits keep a file
        // marked read-only read-only for everyone.
        if ((st.st_mode & 0222) == 0 || ::access(encoded(*target).constData(), W_OK) != 0)
            return WriteResult::readOnly(QStringLiteral("it is read-only"));
        mode = st.st_mode & 07777;
    }

    const QFileInfo info(*target);
    removeStaleTemporaries(info.absolutePath());

    // ".<name>.~XXXXXX" beside the target: hidden from folder listings and from tools that
    // read "*.vcf", and recognisable as ours when a killed save leaves one behind.
    static constexpr char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString suffix;
        for (int i = 0; i < 6; ++i)
            suffix += QLatin1Char(Letters[QRandomGenerator::global()->bounded(int(sizeof Letters - 1))]);
        const QString tempPath = info.dir().filePath(QStringLiteral(".%1.~%2").arg(info.fileName(), suffix));
        const int fd =
            ::open(encoded(tempPath).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return WriteResult::failure(
                QStringLiteral("no file can be made in %1: %2").arg(shown(info.absolutePath()), systemError(errno)));
        }
        // An existing file keeps its permissions; O_CREAT applied the umask to them.
        if (exists)
            ::fchmod(fd, mode);
        // Tells the stale-file cleanup of other saves that this one is alive.
        ::flock(fd, LOCK_EX | LOCK_NB);
        auto temp = std::make_unique<Temp>();
        temp->path = tempPath;
        temp->target = *target;
        temp->device = std::make_unique<TemporaryDevice>(fd);
        m_temp = std::move(temp);
        return {};
    }
    return WriteResult::failure(QStringLiteral("no temporary file can be named in %1").arg(shown(info.absolutePath())));
}

QIODevice* AtomicFile::device()
{
    return m_temp ? m_temp->device.get() : nullptr;
}

WriteResult AtomicFile::write(const QByteArray& bytes)
{
    if (!m_temp)
        return WriteResult::failure(m_failure.isEmpty() ? QStringLiteral("not open") : m_failure);
    if (m_temp->device->write(bytes) != bytes.size()) {
        m_temp->device->fail(ENOSPC);
        m_failure = m_temp->device->failure();
        cancel();
        return WriteResult::failure(m_failure);
    }
    return {};
}

WriteResult AtomicFile::commit()
{
    if (!m_temp)
        return WriteResult::failure(m_failure.isEmpty() ? QStringLiteral("not open") : m_failure);
    TemporaryDevice& device = *m_temp->device;
    if (device.failure().isEmpty() && m_durability == Durability::Durable && ::fdatasync(device.handle()) != 0)
        device.fail(errno);
    QString error;
    if (!device.closeFile())
        error = device.failure();
    else if (::rename(encoded(m_temp->path).constData(), encoded(m_temp->target).constData()) != 0)
        error = systemError(errno);
    if (!error.isEmpty()) {
        m_failure = error;
        cancel();
        return WriteResult::failure(m_failure);
    }
    if (m_durability == Durability::Durable) {
        // The rename itself reaches the disk with the folder.
        const int dir =
            ::open(encoded(QFileInfo(m_temp->target).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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
    m_temp->device->closeFile();
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
