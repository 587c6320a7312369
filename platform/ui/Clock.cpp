#include "platform/ui/Clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

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

Clock& realClock()
{
    static RealClock real;
    return real;
}

} // namespace

constinit service::Service<Clock> clock(&realClock);

} // namespace ui
