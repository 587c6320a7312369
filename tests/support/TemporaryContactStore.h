#pragma once

#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>

namespace testing_support {

// While it lives, the contact store of this process (and of the programs it starts) is
// the folder "contacts" in a temporary folder, which does not exist until it is used.
class TemporaryContactStore
{
public:
    TemporaryContactStore() : m_previous(qgetenv("QV_CONTACTS_DIR")) { qputenv("QV_CONTACTS_DIR", folder().toUtf8()); }
    ~TemporaryContactStore()
    {
        if (m_previous.isEmpty())
            qunsetenv("QV_CONTACTS_DIR");
        else
            qputenv("QV_CONTACTS_DIR", m_previous);
    }
    TemporaryContactStore(const TemporaryContactStore&) = delete;
    TemporaryContactStore& operator=(const TemporaryContactStore&) = delete;

    QString folder() const { return m_dir.filePath(QStringLiteral("contacts")); }
    QString filePath(const QString& name) const { return QDir(folder()).filePath(name); }
    // The temporary folder around the store, for paths that must not be a folder.
    QString outside(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
};

} // namespace testing_support
