#pragma once

#include <functional>

namespace vb {

// A road is work that may let events run before it ends: an import waiting for the symbol
// reader, an image acquisition, a serial capture (each of its waits is an EventWait). A timer
// tick, hand-over or drop that would start another road meanwhile waits until the road has
// ended, and none is dropped: periodic ticks do nothing while running() is true and try again
// on a later tick; one-off work goes through whenFree(), which keeps it in order.
class Road
{
public:
    // Marks a road for the object's lifetime. When the outermost one ends, the work deferred
    // meanwhile runs.
    Road();
    ~Road();
    Road(const Road&) = delete;
    Road& operator=(const Road&) = delete;

    // A road is in progress, or a wait lets events run.
    static bool running();

    // Runs `work` as a road of its own: at once when no road is running, else once the roads
    // have ended, after the work deferred before it. The work reports its own errors.
    static void whenFree(std::function<void()> work);

private:
    friend class EventWait;
    // The last wait ended outside every road: the work deferred meanwhile runs from the event
    // loop, since the code that waited may not be done yet.
    static void waitEnded();
    static void runDeferred();
};

} // namespace vb
