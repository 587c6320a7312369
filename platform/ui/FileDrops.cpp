#include "platform/ui/FileDrops.h"

#include "platform/ui/ErrorBoundary.h"

#include <QDropEvent>

namespace ui {

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

} // namespace ui
