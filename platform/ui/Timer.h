#pragma once

#include <QObject>
#include <QTimer>

namespace ui {

// A timer control: while enabled with an interval above 0 it emits tick() every interval
// milliseconds. Enabling it, or changing the interval, starts the count afresh. A tick
// never starts again while its own handler is still running (a handler may wait with
// doEvents). It runs on the current Clock, so a test clock fires it without waiting.
class Timer : public QObject
{
    Q_OBJECT

public:
    explicit Timer(QObject* parent = nullptr, int intervalMs = 0);
    ~Timer() override;

    int interval() const { return m_interval; }
    void setInterval(int ms);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    // Enabled with an interval above 0.
    bool isRunning() const { return m_enabled && m_interval > 0; }

    // Emits tick() now, unless the timer is not running or already in its handler.
    void fire();

Q_SIGNALS:
    void tick();

private:
    void reschedule();

    int m_interval = 0;
    bool m_enabled = false;
    bool m_inTick = false;
    QTimer m_realTimer;
};

} // namespace ui
