#pragma once

#include "platform/service/Service.h"
#include "platform/vb/EventWait.h"

#include <QtGlobal>

// Time as the programs see it, and the one place that lets events run while code waits.
// Timing rules (deadlines, quiet periods, timer ticks) read the current Clock and wait
// with doEvents()/waitEvents(), so that tests can run them on a test clock without
// real waiting.
namespace ui {

class Timer;

class Clock
{
public:
    virtual ~Clock() = default;

    // Milliseconds since an arbitrary start; never goes back (midnight included).
    virtual qint64 msecs() const = 0;
    // The same in seconds.
    double seconds() const { return double(msecs()) / 1000.0; }

    // Lets pending events run once and returns at once.
    virtual void doEvents() = 0;
    // Lets events run, waiting up to `maxMs` for one to come; for wait loops that
    // should not spin.
    virtual void waitEvents(int maxMs) = 0;

    // True when this clock fires the Timers itself (a test clock); otherwise each Timer
    // runs on a real timer.
    virtual bool schedulesTimers() const { return false; }
    // A timer was enabled, disabled or given another interval; or it is going away.
    virtual void timerChanged(Timer&) {}
    virtual void timerDestroyed(Timer&) {}
};

// The clock in use; by default the real one. Install a test clock before the timers under
// test are made.
extern service::Service<Clock> clock;

// Both mark the program as waiting (vb::EventWait) while events run.
inline void doEvents()
{
    const vb::EventWait waiting;
    clock().doEvents();
}

inline void waitEvents(int maxMs)
{
    const vb::EventWait waiting;
    clock().waitEvents(maxMs);
}

} // namespace ui
