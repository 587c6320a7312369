#include "WindowWatchdog.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

#include <gtest/gtest.h>

namespace testing_support {

namespace {

// How often windows are closed again once the bound has passed.
constexpr int ReclosingMs = 100;

void closeVisibleWindows()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        if (auto* dialog = qobject_cast<QDialog*>(window))
            dialog->reject();
        else
            window->close();
        // A window may refuse to close (a message box without a Cancel button, a form whose
        // query-unload cancels): hidden, it still ends the wait for it.
        if (window->isVisible())
            window->hide();
    }
}

} // namespace

WindowWatchdog::WindowWatchdog(QString awaited, int boundMs) : m_awaited(std::move(awaited))
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { fire(); });
    m_timer.start(boundMs);
}

WindowWatchdog::~WindowWatchdog() = default;

void WindowWatchdog::fire()
{
    if (!m_fired)
        ADD_FAILURE() << "still waiting for " << m_awaited.toStdString() << " when the bound passed";
    m_fired = true;
    closeVisibleWindows();
    m_timer.start(ReclosingMs);
}

} // namespace testing_support
