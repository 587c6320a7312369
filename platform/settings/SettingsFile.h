#pragma once

#include "platform/settings/SettingsDocument.h"

#include <QStringList>

#include <functional>

namespace settings {

// One settings document kept in a file. Reading follows the file: whenever another
// process has replaced or changed it, the next access reads it again. Every change is
// made to the file's current content under a lock on its folder and written to a temporary
// file that is renamed over the file, so neither a crash nor a second process loses data.
//
// A file that cannot be understood reads as empty, with a warning; before the first
// change is written, the damaged file is kept beside it as "<file>.damaged-<n>", with the
// first number no kept copy has yet. A file that exists but cannot be read is never
// replaced. A failed write says why (a full disk, no permission, a lock held elsewhere) and
// leaves the file as it was.
class SettingsFile
{
public:
    SettingsFile(QString path, QStringList header);

    // The file shared by everyone in this process that uses `path`.
    static SettingsFile& shared(const QString& path, const QStringList& header);

    const QString& path() const { return m_path; }

    // The document as the file holds it now.
    const SettingsDocument& document();

    // Applies `change` to the current content and writes the result. False, with a
    // warning, when the file could not be read, locked or written; the file then stays.
    bool modify(const std::function<void(SettingsDocument&)>& change);
    // Why the last modify failed ("it is read-only", "it is locked by another program"); empty
    // after one that succeeded.
    const QString& lastError() const { return m_lastError; }

    // Whether this process may change the file (the file, or its folder when the file
    // does not exist yet, is writable).
    bool isWritable() const;

private:
    enum class State
    {
        Missing,
        Ok,
        Damaged,
        Unreadable,
    };

    struct Stamp
    {
        bool exists = false;
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 mtimeNs = 0;
        bool operator==(const Stamp&) const = default;
    };

    void refresh();
    Stamp stampOfPath() const;
    bool keepDamagedFile();
    QString keptCopyPath(int n) const;

    QString m_path;
    QStringList m_header;
    bool m_loaded = false;
    Stamp m_stamp;
    State m_state = State::Missing;
    SettingsDocument m_document;
    QString m_lastError;
};

} // namespace settings
