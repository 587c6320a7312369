#include "panel/CaptionStrip.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

CaptionStrip::CaptionStrip(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CaptionStrip"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_close = new QToolButton(this);
    m_close->setObjectName(QStringLiteral("cmdCaptionClose"));
    m_close->setText(QStringLiteral("\u00d7"));
    m_close->setAutoRaise(true);
    m_close->setFocusPolicy(Qt::NoFocus);
    m_close->setToolTip(QStringLiteral("Close"));
    connect(m_close, &QToolButton::clicked, this, [this] { window()->close(); });
}

void CaptionStrip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Highlight));
    p.setPen(palette().color(QPalette::HighlightedText));
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(qMax(8, height() - 5));
    p.setFont(font);
    p.drawText(rect().adjusted(4, 0, -m_close->width(), 0), Qt::AlignVCenter | Qt::AlignLeft, window()->windowTitle());
}

// The window follows the pointer by its motion since the press of the left button, measured on the
// screen: each drag starts afresh, and no other button moves it.
void CaptionStrip::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_drag = Drag{event->globalPosition().toPoint(), window()->pos()};
    event->accept();
}

void CaptionStrip::mouseMoveEvent(QMouseEvent* event)
{
    if (m_drag && (event->buttons() & Qt::LeftButton))
        window()->move(m_drag->windowFrom + event->globalPosition().toPoint() - m_drag->pointerFrom);
    event->accept();
}

void CaptionStrip::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_drag.reset();
    event->accept();
}

void CaptionStrip::resizeEvent(QResizeEvent*)
{
    m_close->setGeometry(width() - height(), 0, height(), height());
}
