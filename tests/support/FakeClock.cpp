#include "FakeClock.h"

#include "platform/ui/Timer.h"

#include <QCoreApplication>

namespace testing_support {

FakeClock::FakeClock(qint64 startMsecs) : m_installed(ui::clock.replace(*this)), m_now(startMsecs) {}

void FakeClock::doEvents()
{
    ++m_doEventsCalls;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    advance(m_step);
}

void FakeClock::waitEvents(int maxMs)
{
    ++m_doEventsCalls;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    advance(maxMs);
}

void FakeClock::timerChanged(ui::Timer& timer)
{
    if (timer.isRunning())
        m_timers.insert(&timer, Due{m_now + timer.interval(), m_order++});
    else
        m_timers.remove(&timer);
}

void FakeClock::timerDestroyed(ui::Timer& timer)
{
    m_timers.remove(&timer);
}

void FakeClock::at(qint64 atMsecs, std::function<void()> action)
{
    m_actions.append(Action{atMsecs, m_order++, std::move(action)});
}

void FakeClock::advance(qint64 ms)
{
    const qint64 target = m_now + ms;
    for (;;) {
        // The earliest timer or action due by the target.
        ui::Timer* timer = nullptr;
        Due best{target + 1, 0};
        for (auto it = m_timers.cbegin(); it != m_timers.cend(); ++it) {
            const Due& d = it.value();
            if (d.time < best.time || (d.time == best.time && d.order < best.order)) {
                best = d;
                timer = it.key();
            }
        }
        qsizetype action = -1;
        for (qsizetype i = 0; i < m_actions.size(); ++i) {
            const Action& a = m_actions[i];
            if (a.time < best.time || (a.time == best.time && a.order < best.order)) {
                best = Due{a.time, a.order};
                action = i;
                timer = nullptr;
            }
        }
        if (best.time > target)
            break;
        m_now = std::max(m_now, best.time);
        if (action >= 0) {
            const auto run = std::move(m_actions[action].run);
            m_actions.removeAt(action);
            run();
        } else {
            m_timers[timer] = Due{m_now + timer->interval(), m_order++};
            timer->fire();
        }
        QCoreApplication::processEvents();
    }
    m_now = std::max(m_now, target);
}

} // namespace testing_support
