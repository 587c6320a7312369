#pragma once

#include <QString>
#include <QTemporaryDir>

namespace testing_support {

// A small tmpfs mounted on a temporary folder for as long as this lives (root only), so that
// a test can fill a file system completely. False when it could not be mounted; error()
// says why. Unmounted (lazily, should a file still be open) and removed on destruction.
class SmallTmpfs
{
public:
    explicit SmallTmpfs(int kilobytes);
    ~SmallTmpfs();
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    explicit operator bool() const { return m_mounted; }
    const QString& error() const { return m_error; }
    QString path() const { return m_dir.path(); }

    // Fills the free room with one file until the system says the disk is full. False when
    // it never did.
    bool fill();

private:
    QTemporaryDir m_dir;
    QString m_error;
    bool m_mounted = false;
};

} // namespace testing_support
