#include "platform/ipc/IpcPeer.h"

#include <sys/socket.h>
#include <unistd.h>

namespace ipc {

bool peerIsSameUser(qintptr descriptor)
{
    struct ucred credentials = {};
    socklen_t size = sizeof credentials;
    if (descriptor < 0 || ::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0)
        return false;
    return size == sizeof credentials && credentials.uid == ::geteuid();
}

} // namespace ipc
