#include "platform/ui/Road.h"

#include "platform/ui/ErrorBoundary.h"
#include "platform/vb/EventWait.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>

#include <deque>
#include <utility>

namespace ui {

namespace {

int g_roads = 0;
// The event-loop level of the top-level loop while Road::exec runs it; else 0, outside every loop.
int g_topLevel = 0;
std::deque<std::function<void()>> g_deferred;
bool g_posted = false;
bool g_waiting = false;
QMetaObject::Connection g_aboutToBlock;
QMetaObject::Connection g_awake;

void post();

void retryWhenFree()
{
    if (Road::running())
        return;
    QObject::disconnect(g_aboutToBlock);
    QObject::disconnect(g_awake);
    g_waiting = false;
    post();
}

// A nested loop's end has no hook of its own. The event dispatcher tells whenever a loop goes
// to look for further events (about to block, or awake without blocking); the first time that
// happens outside every road, the deferred work is posted again. Nothing polls meanwhile.
void waitUntilFree()
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (g_waiting || !dispatcher)
        return;
    g_waiting = true;
    g_aboutToBlock = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &retryWhenFree);
    g_awake = QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, &retryWhenFree);
}

// Runs the deferred work in order while nothing else runs. Each piece is a road of its own, so
// work deferred from inside it queues behind it.
void runDeferred()
{
    if (g_deferred.empty())
        return;
    if (Road::running()) {
        waitUntilFree();
        return;
    }
    while (!g_deferred.empty() && !Road::running()) {
        const std::function<void()> work = std::move(g_deferred.front());
        g_deferred.pop_front();
        const Road road;
        runGuarded(work);
    }
}

void post()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (g_posted || g_waiting || !app)
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

} // namespace

Road::Road()
{
    ++g_roads;
}

Road::~Road()
{
    --g_roads;
}

bool Road::running()
{
    return g_roads > 0 || vb::EventWait::depth() > 0 || QThread::currentThread()->loopLevel() > g_topLevel;
}

void Road::whenFree(std::function<void()> work)
{
    g_deferred.push_back(std::move(work));
    post();
}

int Road::exec()
{
    const int outer = std::exchange(g_topLevel, QThread::currentThread()->loopLevel() + 1);
    const int result = QCoreApplication::exec();
    g_topLevel = outer;
    return result;
}

} // namespace ui
