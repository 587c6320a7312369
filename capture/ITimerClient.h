#pragma once

namespace ui {
class Timer;
}

// Offered by a form that asks the helper form for deferred calls (frmHelper::startTimer):
// OnTimer is called with the helper's timer at every tick until the form calls killTimer.
class ITimerClient
{
public:
    virtual ~ITimerClient() = default;
    virtual void OnTimer(ui::Timer& timer) = 0;
};
