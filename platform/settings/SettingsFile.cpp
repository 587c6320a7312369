#include "platform/settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <map>
#include <memory>

#include <sys/stat.h>

namespace settings {

namespace {

// Larger files are not settings a program wrote; they are read as damaged.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
constexpr int LockTimeoutMs = 5000;

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
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder)) {
        qWarning("Settings folder %s cannot be made; the setting is not saved.", qPrintable(folder));
        return false;
    }
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lock.tryLock(LockTimeoutMs)) {
        qWarning("Settings file %s is locked by another program; the setting is not saved.", qPrintable(m_path));
        return false;
    }

    refresh();
    if (m_state == State::Unreadable) {
        qWarning("Settings file %s cannot be read, so it is not replaced; the setting is not saved.",
                 qPrintable(m_path));
        return false;
    }
    if (m_state == State::Damaged) {
        const QString kept = m_path + QStringLiteral(".damaged");
        QFile::remove(kept);
        if (!QFile::rename(m_path, kept)) {
            qWarning("Damaged settings file %s cannot be kept aside; the setting is not saved.", qPrintable(m_path));
            return false;
        }
        qWarning("Damaged settings file %s is kept as %s and written anew.", qPrintable(m_path), qPrintable(kept));
    }

    SettingsDocument changed = m_document;
    change(changed);
    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly) || out.write(changed.serialize(m_header)) < 0 || !out.commit()) {
        qWarning("Settings file %s cannot be written (%s); the setting is not saved.", qPrintable(m_path),
                 qPrintable(out.errorString()));
        m_loaded = false; // read again: a damaged file may have been moved aside
        return false;
    }
    m_document = std::move(changed);
    m_state = State::Ok;
    m_stamp = stampOfPath();
    return true;
}

} // namespace settings
