#pragma once

#include <QtCore/qnamespace.h>

#include <functional>

class QEvent;
class QMimeData;
class QWidget;

namespace ui {

// A window's answer to data dragged over it: the effect to show, Qt::IgnoreAction to refuse it.
using DragOverHandler = std::function<void(const QMimeData* data, Qt::DropAction& effect)>;
// What a window does with the data dropped on it.
using DropHandler = std::function<void(const QMimeData* data)>;

// Answers a drag-enter, drag-move or drop event by a window's handlers, which run inside the
// error boundary: a drag shows the effect `over` leaves (starting from `effect`), and is refused
// with Qt::IgnoreAction; a drop is accepted and handed to `drop`. False, the event untouched,
// for any other event.
bool answerFileDrop(QEvent* event, const DragOverHandler& over, const DropHandler& drop,
                    Qt::DropAction effect = Qt::IgnoreAction);

// Lets `widget` take drops and answers its drag and drop events by answerFileDrop with these
// handlers, ahead of the widget's own event handling, for as long as the widget lives.
void acceptFileDrops(QWidget* widget, DragOverHandler over, DropHandler drop, Qt::DropAction effect = Qt::IgnoreAction);

} // namespace ui
