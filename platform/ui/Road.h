#pragma once

#include <functional>

namespace ui {

// A road is work that lets events run before it ends: an import waiting for the symbol reader,
// a serial capture, an image acquisition, a message box, a modal form, a file dialog, a drag. A
// timer tick, hand-over or drop that would start another road meanwhile waits until the road
// has ended, and none is dropped: periodic ticks do nothing while running() is true and try
// again on a later tick; one-off work goes through whenFree(), which keeps it in order.
//
// Roads count by themselves: every event loop nested in the top-level one (QEventLoop::exec,
// which modal dialogs, message boxes and drags run) and every wait that runs events by hand
// (vb::EventWait). Work that is a road before it waits marks itself with a Road object.
class Road
{
public:
    // Marks a road for the object's lifetime.
    Road();
    ~Road();
    Road(const Road&) = delete;
    Road& operator=(const Road&) = delete;

    // A road is marked, a wait runs events by hand, or an event loop runs nested in the
    // top-level one.
    static bool running();

    // Runs `work` as a road of its own, never inside the caller: from the top-level event loop,
    // once nothing is running, after the work deferred before it. An error the work lets out
    // gets the general report, and the work deferred after it still runs.
    static void whenFree(std::function<void()> work);

    // Runs the application's event loop as the top-level one; the programs' main() ends with
    // it. Where nothing runs it (a test), the top level is outside every event loop.
    static int exec();
};

} // namespace ui
