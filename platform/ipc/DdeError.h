#pragma once

#include "platform/vb/VbError.h"

namespace ipc {

// The run-time error numbers a conversation raises.
namespace err {
constexpr long NoServer = 282;   // no application responded to the initiate
constexpr long Rejected = 285;   // the other application won't perform the operation
constexpr long Timeout = 286;    // no answer within the link's time-out
constexpr long Busy = 288;       // the other application is busy
constexpr long ServerQuit = 291; // the other application ended during the operation
constexpr long NoChannel = 293;  // execute or request without an open conversation
constexpr long InvalidPropertyValue = 380;
} // namespace err

// The error of a number above with the runtime's description, raised by this program.
vb::Error ddeError(long number);

} // namespace ipc
