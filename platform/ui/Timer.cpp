#include "platform/ui/Timer.h"

#include "platform/ui/Clock.h"

#include <QPointer>

namespace ui {

Timer::Timer(QObject* parent, int intervalMs) : QObject(parent), m_interval(intervalMs)
{
    connect(&m_realTimer, &QTimer::timeout, this, &Timer::fire);
}

Timer::~Timer()
{
    clock().timerDestroyed(*this);
}

void Timer::setInterval(int ms)
{
    m_interval = ms;
    reschedule();
}

void Timer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    reschedule();
}

void Timer::reschedule()
{
    Clock& c = clock();
    if (c.schedulesTimers()) {
        m_realTimer.stop();
        c.timerChanged(*this);
    } else if (isRunning()) {
        m_realTimer.start(m_interval);
    } else {
        m_realTimer.stop();
    }
}

void Timer::fire()
{
    if (!isRunning() || m_inTick)
        return;
    m_inTick = true;
    QPointer<Timer> self(this);
    Q_EMIT tick();
    if (self)
        m_inTick = false;
}

} // namespace ui
