#pragma once

namespace vb {

// Marks a stretch of code that runs events by hand while it waits (DoEvents, a loop of
// processEvents calls). A timer tick or a message handled meanwhile runs in the middle of the
// road that waits; work that must not start there waits for the road's end (ui::Road). Event
// loops run with exec() count by themselves and need no mark.
class EventWait
{
public:
    EventWait();
    ~EventWait();
    EventWait(const EventWait&) = delete;
    EventWait& operator=(const EventWait&) = delete;

    // How many waits are running now, nested in one another.
    static int depth();
};

} // namespace vb
