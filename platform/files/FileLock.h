#pragma once

#include <QString>

// An exclusive lock between processes that change files in one folder, held on the folder
// itself through the system's file locks: the system drops the lock of a process that ends
// or is killed, and taking it creates and writes nothing, so neither a full disk nor a
// read-only lock file can keep anyone out, and nothing is left behind.
namespace files {

class FileLock
{
public:
    // `path`: an existing folder (or file) that every process changing the guarded files locks.
    explicit FileLock(QString path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock, waiting up to `timeoutMs` while another process holds it. False, with the
    // cause in error(), when the path cannot be opened or the time passes.
    bool tryLock(int timeoutMs);
    void unlock();

    // Why tryLock failed: the system's reason, or that another program holds the lock.
    const QString& error() const { return m_error; }
    // Whether tryLock failed because another process held the lock all the time.
    bool heldElsewhere() const { return m_heldElsewhere; }

private:
    QString m_path;
    int m_fd = -1;
    QString m_error;
    bool m_heldElsewhere = false;
};

} // namespace files
