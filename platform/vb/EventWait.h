#pragma once

namespace vb {

// Marks a stretch of code that lets events run while it waits: DoEvents, a wait for an
// answer from another program, a modal loop of its own. A timer tick or a message handled
// meanwhile runs in the middle of the road that waits; work that must not start there
// (opening a file handed over by a second start, say) waits for the road's end (vb::Road).
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
