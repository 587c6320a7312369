#pragma once

#include "platform/vb/VbError.h"

// The error number a call raises; 0 when it raises nothing.
template <typename Call> long raisedNumber(Call call)
{
    try {
        call();
    } catch (const vb::Error& error) {
        return error.number();
    }
    return 0;
}
