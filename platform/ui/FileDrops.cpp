#include "platform/ui/FileDrops.h"

#include "platform/ui/ErrorBoundary.h"

#include <QDropEvent>
#include <QWidget>

#include <utility>

namespace ui {

namespace {

// Answers the drag and drop events of the widget it watches; a child of that widget.
class FileDropFilter : public QObject
{
public:
    FileDropFilter(QWidget* widget, DragOverHandler over, DropHandler drop, Qt::DropAction effect)
        : QObject(widget), m_over(std::move(over)), m_drop(std::move(drop)), m_effect(effect)
    {
    }

    bool eventFilter(QObject*, QEvent* event) override { return answerFileDrop(event, m_over, m_drop, m_effect); }

private:
    DragOverHandler m_over;
    DropHandler m_drop;
    Qt::DropAction m_effect;
};

} // namespace

bool answerFileDrop(QEvent* event, const DragOverHandler& over, const DropHandler& drop, Qt::DropAction effect)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        runGuarded([&] { over(drag->mimeData(), effect); });
        if (effect == Qt::IgnoreAction) {
            drag->ignore();
        } else {
            drag->setDropAction(effect);
            drag->accept();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* dropped = static_cast<QDropEvent*>(event);
        dropped->acceptProposedAction();
        runGuarded([&] { drop(dropped->mimeData()); });
        return true;
    }
    default:
        return false;
    }
}

void acceptFileDrops(QWidget* widget, DragOverHandler over, DropHandler drop, Qt::DropAction effect)
{
    widget->setAcceptDrops(true);
    widget->installEventFilter(new FileDropFilter(widget, std::move(over), std::move(drop), effect));
}

} // namespace ui
