#include "platform/print/PictureBox.h"

#include <QPainter>
#include <QResizeEvent>

namespace print {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent), m_target(size())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_target.setChangedHandler([this] { update(); });
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    m_target.resize(event->size());
    QWidget::resizeEvent(event);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), m_target.image(), event->rect());
}

} // namespace print
