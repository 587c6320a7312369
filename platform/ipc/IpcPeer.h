#pragma once

#include <QtGlobal>

namespace ipc {

// True when the process at the other end of the connected local socket `descriptor` runs as
// this process's user; false for any other user or when the system cannot tell.
bool peerIsSameUser(qintptr descriptor);

} // namespace ipc
