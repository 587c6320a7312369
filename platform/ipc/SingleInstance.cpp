#include "platform/ipc/SingleInstance.h"

#include "platform/ipc/IpcRuntimeDir.h"

#include <QLockFile>

namespace ipc {

SingleInstance::SingleInstance(const QString& programName)
{
    const PathResult path = RuntimeDir::lockPath(programName);
    if (!path) {
        m_error = path.error;
        return;
    }
    m_lock = std::make_unique<QLockFile>(path.path);
    if (m_lock->tryLock(0))
        return;
    if (m_lock->error() == QLockFile::LockFailedError)
        m_prevInstance = true;
    else
        m_error = QStringLiteral("Cannot lock %1.").arg(path.path);
}

SingleInstance::~SingleInstance() = default;

} // namespace ipc
