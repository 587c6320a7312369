#include "reader/LockableComboBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

#include <limits>

LockableComboBox::LockableComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    lineEdit()->setMaxLength(std::numeric_limits<int>::max());
}

void LockableComboBox::setLocked(bool locked)
{
    m_locked = locked;
    lineEdit()->setReadOnly(locked);
}

void LockableComboBox::showPopup()
{
    if (!m_locked)
        QComboBox::showPopup();
}

void LockableComboBox::keyPressEvent(QKeyEvent* event)
{
    if (m_locked) {
        // The keys that step through the list or open it.
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_F4:
            event->ignore();
            return;
        default:
            break;
        }
    }
    QComboBox::keyPressEvent(event);
}

void LockableComboBox::wheelEvent(QWheelEvent* event)
{
    if (m_locked) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}
