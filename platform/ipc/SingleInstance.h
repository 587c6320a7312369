#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace ipc {

// Tells whether an earlier instance of a program is running. The first instance takes a lock
// file in the user's runtime folder and holds it for as long as this object lives; a later
// one finds the lock held by a live process. A lock left by a process that ended is stale and
// taken over.
class SingleInstance
{
public:
    explicit SingleInstance(const QString& programName);
    ~SingleInstance();

    // True when another live process of the program holds the lock.
    bool prevInstance() const { return m_prevInstance; }

    // Why the lock could not be tried (the program then runs as if it were alone).
    QString errorString() const { return m_error; }

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_prevInstance = false;
    QString m_error;
};

} // namespace ipc
