#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Calls `act` once on the first visible top-level widget of type T that appears while the event
// loop runs (a modal dialog's own loop included). A widget that never appears fails the test and,
// after 20 s, every visible dialog is rejected so that the test cannot hang.
template <typename T> void whenShown(std::function<void(T*)> act)
{
    auto* timer = new QTimer;
    const QDeadlineTimer deadline(20000);
    QObject::connect(timer, &QTimer::timeout, [timer, deadline, act = std::move(act)] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* found = qobject_cast<T*>(widget); found && found->isVisible()) {
                timer->deleteLater();
                timer->stop();
                act(found);
                return;
            }
        }
        if (deadline.hasExpired()) {
            ADD_FAILURE() << "the expected window did not appear";
            timer->deleteLater();
            timer->stop();
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (widget->isVisible())
                    widget->close();
        }
    });
    timer->start(20);
}
