#pragma once

#include <QString>
#include <QTimer>

namespace testing_support {

// Keeps a test that waits for a window (a modal form, a message box, a dialog) from hanging
// until the test runner's limit: when the bound passes while it lives, with events running, it
// fails the test naming what was awaited and closes every visible top-level window, which ends
// any modal wait. Windows that open after that are closed too, until it goes.
class WindowWatchdog
{
public:
    static constexpr int DefaultBoundMs = 5000;

    explicit WindowWatchdog(QString awaited, int boundMs = DefaultBoundMs);
    ~WindowWatchdog();
    WindowWatchdog(const WindowWatchdog&) = delete;
    WindowWatchdog& operator=(const WindowWatchdog&) = delete;

    bool fired() const { return m_fired; }

private:
    void fire();

    QString m_awaited;
    QTimer m_timer;
    bool m_fired = false;
};

} // namespace testing_support
