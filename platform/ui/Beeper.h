#pragma once

#include "platform/service/Service.h"

namespace ui {

// The speaker: the short sound a window gives when it refuses an action.
class Beeper
{
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

// By default the window system's bell.
extern service::Service<Beeper> beeper;

// Sounds the bell of the current beeper.
inline void beep()
{
    beeper().beep();
}

} // namespace ui
