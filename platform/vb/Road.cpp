#include "platform/vb/Road.h"

#include "platform/vb/EventWait.h"

#include <QCoreApplication>

#include <deque>
#include <exception>

namespace vb {

namespace {

int g_roads = 0;
bool g_draining = false;
bool g_posted = false;
std::deque<std::function<void()>> g_deferred;

} // namespace

Road::Road()
{
    ++g_roads;
}

Road::~Road()
{
    if (--g_roads > 0)
        return;
    // A road left by an error: the deferred work waits for the event loop.
    if (std::uncaught_exceptions() > 0)
        waitEnded();
    else
        runDeferred();
}

bool Road::running()
{
    return g_roads > 0 || EventWait::depth() > 0;
}

void Road::whenFree(std::function<void()> work)
{
    g_deferred.push_back(std::move(work));
    runDeferred();
}

void Road::waitEnded()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (g_deferred.empty() || g_posted || !app)
        return;
    g_posted = true;
    QMetaObject::invokeMethod(
        app,
        [] {
            g_posted = false;
            runDeferred();
        },
        Qt::QueuedConnection);
}

void Road::runDeferred()
{
    // One at a time and in order: a road ending inside the work leaves the rest to this loop.
    if (g_draining)
        return;
    g_draining = true;
    while (!running() && !g_deferred.empty()) {
        const std::function<void()> work = std::move(g_deferred.front());
        g_deferred.pop_front();
        const Road road;
        try {
            work();
        } catch (...) {
            qWarning("Deferred work ended with an error it did not report");
        }
    }
    g_draining = false;
}

} // namespace vb
