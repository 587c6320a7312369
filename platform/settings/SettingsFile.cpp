#include "platform/settings/SettingsFile.h"

#include "platform/files/AtomicFile.h"
#include "platform/files/FileLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <map>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace settings {

namespace {

// Larger files are not settings a program wrote; they are read as damaged.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
constexpr int LockTimeoutMs = 5000;
// Beyond this many kept copies of damaged files something keeps damaging the file.
constexpr int MaxKeptCopies = 100;

} // namespace

SettingsFile::SettingsFile(QString path, QStringList header) : m_path(std::move(path)), m_header(std::move(header)) {}

SettingsFile& SettingsFile::shared(const QString& path, const QStringList& header)
{
    static std::map<QString, std::unique_ptr<SettingsFile>> files;
    auto& file = files[path];
    if (!file)
        file = std::make_unique<SettingsFile>(path, header);
    return *file;
}

SettingsFile::Stamp SettingsFile::stampOfPath() const
{
    struct stat st
    {
    };
    Stamp stamp;
    if (::stat(QFile::encodeName(m_path).constData(), &st) != 0)
        return stamp;
    stamp.exists = true;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
    stamp.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return stamp;
}

void SettingsFile::refresh()
{
    const Stamp now = stampOfPath();
    if (m_loaded && now == m_stamp)
        return;
    m_loaded = true;
    m_stamp = now;
    m_document = SettingsDocument();
    if (!now.exists) {
        m_state = State::Missing;
        return;
    }
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_state = State::Unreadable;
        qWarning("Settings file %s cannot be read (%s); defaults are used and the file is left as it is.",
                 qPrintable(m_path), qPrintable(file.errorString()));
        return;
    }
    if (file.size() > MaxFileSize) {
        m_state = State::Damaged;
        qWarning("Settings file %s is damaged (larger than %lld bytes); defaults are used.", qPrintable(m_path),
                 MaxFileSize);
        return;
    }
    const QByteArray bytes = file.readAll();
    auto parsed = SettingsDocument::parse(bytes);
    if (!parsed.ok) {
        m_state = State::Damaged;
        qWarning("Settings file %s is damaged (line %d: %s); defaults are used.", qPrintable(m_path), parsed.line,
                 qPrintable(parsed.reason));
        return;
    }
    m_state = State::Ok;
    m_document = std::move(parsed.document);
}

const SettingsDocument& SettingsFile::document()
{
    refresh();
    return m_document;
}

bool SettingsFile::isWritable() const
{
    const QFileInfo info(m_path);
    if (info.exists())
        return info.isFile() && info.isWritable() && QFileInfo(info.absolutePath()).isWritable();
    // The nearest existing entry above decides whether the file can be made there.
    QString folder = info.absolutePath();
    while (!QFileInfo::exists(folder) && folder != QStringLiteral("/"))
        folder = QFileInfo(folder).absolutePath();
    const QFileInfo above(folder);
    return above.isDir() && above.isWritable();
}

bool SettingsFile::modify(const std::function<void(SettingsDocument&)>& change)
{
    m_lastError.clear();
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder)) {
        m_lastError = QStringLiteral("its folder cannot be made");
        qWarning("Settings folder %s cannot be made; the setting is not saved.", qPrintable(folder));
        return false;
    }
    // One change at a time among the processes that share the folder.
    files::FileLock lock(folder);
    if (!lock.tryLock(LockTimeoutMs)) {
        m_lastError = lock.error();
        if (lock.heldElsewhere())
            qWarning("Settings file %s is locked by another program; the setting is not saved.", qPrintable(m_path));
        else
            qWarning("Settings file %s cannot be locked (%s); the setting is not saved.", qPrintable(m_path),
                     qPrintable(lock.error()));
        return false;
    }

    refresh();
    if (m_state == State::Unreadable) {
        m_lastError = QStringLiteral("it cannot be read");
        qWarning("Settings file %s cannot be read, so it is not replaced; the setting is not saved.",
                 qPrintable(m_path));
        return false;
    }
    if (m_state == State::Damaged && !keepDamagedFile())
        return false;

    SettingsDocument changed = m_document;
    change(changed);
    const files::WriteResult written = files::writeFile(m_path, changed.serialize(m_header));
    if (!written) {
        m_lastError = written.error();
        qWarning("Settings file %s cannot be written (%s); the setting is not saved.", qPrintable(m_path),
                 qPrintable(written.error()));
        return false;
    }
    m_document = std::move(changed);
    m_state = State::Ok;
    m_stamp = stampOfPath();
    return true;
}

bool SettingsFile::keepDamagedFile()
{
    // Every damaged file is kept, each under the next free number: a second damage must not
    // replace the copy of the first. The copy is a second name of the same file where the
    // file system allows, so the damaged file stays in place until the new one replaces it.
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_lastError = file.errorString();
        qWarning("Damaged settings file %s cannot be kept (%s); the setting is not saved.", qPrintable(m_path),
                 qPrintable(file.errorString()));
        return false;
    }
    const QByteArray damaged = file.readAll();
    for (int n = 1; n <= MaxKeptCopies; ++n) {
        const QString kept = keptCopyPath(n);
        if (QFileInfo::exists(kept) || QFileInfo(kept).isSymLink()) {
            // A save that failed after keeping it: this damage is kept already.
            QFile copy(kept);
            if (copy.open(QIODevice::ReadOnly) && copy.size() == damaged.size() && copy.readAll() == damaged)
                return true;
            continue;
        }
        if (::linkat(AT_FDCWD, QFile::encodeName(m_path).constData(), AT_FDCWD, QFile::encodeName(kept).constData(),
                     AT_SYMLINK_FOLLOW) != 0) {
            // A file system without hard links takes a copy.
            if (const files::WriteResult copied = files::writeFile(kept, damaged); !copied) {
                m_lastError = copied.error();
                qWarning("Damaged settings file %s cannot be kept as %s (%s); the setting is not saved.",
                         qPrintable(m_path), qPrintable(kept), qPrintable(copied.error()));
                return false;
            }
        }
        qWarning("Damaged settings file %s is kept as %s and written anew.", qPrintable(m_path), qPrintable(kept));
        return true;
    }
    m_lastError = QStringLiteral("too many damaged copies of it are kept");
    qWarning("Damaged settings file %s cannot be kept: %d damaged copies are kept already; the setting is not "
             "saved.",
             qPrintable(m_path), MaxKeptCopies);
    return false;
}

QString SettingsFile::keptCopyPath(int n) const
{
    return m_path + QStringLiteral(".damaged-%1").arg(n);
}

} // namespace settings
