#include "panel/CaptionStrip.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QWindow>

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

void CaptionStrip::mousePressEvent(QMouseEvent* event)
{
    // The window manager moves the window while the button is held.
    if (event->button() == Qt::LeftButton && window()->windowHandle())
        window()->windowHandle()->startSystemMove();
    event->accept();
}

void CaptionStrip::resizeEvent(QResizeEvent*)
{
    m_close->setGeometry(width() - height(), 0, height(), height());
}
