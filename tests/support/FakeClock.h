#pragma once

#include "platform/ui/Clock.h"

#include <QHash>
#include <QList>

#include <functional>

namespace testing_support {

// A test clock: time stands still until the test moves it. Moving it fires the due
// ui::Timers (and actions set with at()) in time order, each at its own moment, without
// any real waiting. doEvents() lets real events run and moves time on by step() (10 ms),
// so a loop that waits for a deadline with doEvents() ends; waitEvents(n) moves it by n.
// While it lives it is the clock; install it before the timers under test are made.
// After each timer or action the events it posted run, as the event loop would run them.
class FakeClock : public ui::Clock
{
public:
    explicit FakeClock(qint64 startMsecs = 0);

    qint64 msecs() const override { return m_now; }
    void doEvents() override;
    void waitEvents(int maxMs) override;
    bool schedulesTimers() const override { return true; }
    void timerChanged(ui::Timer& timer) override;
    void timerDestroyed(ui::Timer& timer) override;

    // Moves time on by `ms`, firing everything that falls due on the way.
    void advance(qint64 ms);
    // Runs `action` when time reaches `atMsecs` (at once if it is past, at the next move).
    void at(qint64 atMsecs, std::function<void()> action);

    qint64 step() const { return m_step; }
    void setStep(qint64 ms) { m_step = ms; }
    int doEventsCalls() const { return m_doEventsCalls; }

private:
    struct Due
    {
        qint64 time;
        quint64 order; // ties: the earlier scheduled first
    };
    struct Action
    {
        qint64 time;
        quint64 order;
        std::function<void()> run;
    };

    service::Service<ui::Clock>::Override m_installed;
    qint64 m_now;
    qint64 m_step = 10;
    quint64 m_order = 0;
    int m_doEventsCalls = 0;
    QHash<ui::Timer*, Due> m_timers;
    QList<Action> m_actions;
};

} // namespace testing_support
