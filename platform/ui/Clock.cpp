#include "platform/ui/Clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <utility>

namespace ui {

namespace {

class RealClock : public Clock
{
public:
    RealClock() { m_elapsed.start(); }

    qint64 msecs() const override { return m_elapsed.elapsed(); }

    void doEvents() override { QCoreApplication::processEvents(QEventLoop::AllEvents); }

    void waitEvents(int maxMs) override
    {
        QEventLoop loop;
        QTimer::singleShot(maxMs, &loop, &QEventLoop::quit);
        loop.processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }

private:
    QElapsedTimer m_elapsed;
};

Clock* g_current = nullptr;

} // namespace

Clock& clock()
{
    if (g_current)
        return *g_current;
    static RealClock real;
    return real;
}

Clock* setClock(Clock* replacement)
{
    return std::exchange(g_current, replacement);
}

} // namespace ui
