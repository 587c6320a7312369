#include "icons/PanelPictures.h"

#include "icons/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>
#include <cmath>

namespace icons {

namespace {

constexpr std::array<int, 5> Sizes = {16, 24, 32, 48, 64};

const QColor CardFill(0xfb, 0xf8, 0xef);
const QColor CardEdge(0x5a, 0x55, 0x4b);
const QColor Ink(0x2b, 0x4a, 0x7a);
const QColor ScanRed(0xd8, 0x26, 0x26);

// A business card on a 64 x 64 canvas.
void drawCard(QPainter& p, const QRectF& card)
{
    p.setPen(QPen(CardEdge, 1.5));
    p.setBrush(CardFill);
    p.drawRoundedRect(card, 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawRect(QRectF(card.left() + 5, card.top() + 5, card.width() * 0.5, 3));
    p.setBrush(QColor(0x88, 0x88, 0x88));
    for (int line = 0; line < 3; ++line)
        p.drawRect(QRectF(card.left() + 5, card.top() + 12 + line * 5, card.width() * 0.65, 2));
}

void drawPlug(QPainter& p, bool bPlugged)
{
    drawCard(p, QRectF(6, 8, 52, 30));
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath cable;
    cable.moveTo(4, 60);
    cable.cubicTo(14, 50, 20, 56, bPlugged ? 28 : 22, 50);
    p.drawPath(cable);
    p.setPen(Qt::NoPen);
    p.setBrush(bPlugged ? QColor(0x2e, 0x8b, 0x3e) : QColor(0x9a, 0x9a, 0x9a));
    const double x = bPlugged ? 28 : 22;
    p.drawRoundedRect(QRectF(x, 44, 14, 10), 2, 2);
    p.setBrush(QColor(0x30, 0x30, 0x30));
    p.drawRect(QRectF(x + 14, 46, bPlugged ? 10 : 5, 2));
    p.drawRect(QRectF(x + 14, 51, bPlugged ? 10 : 5, 2));
    if (bPlugged)
        p.drawRect(QRectF(52, 42, 6, 14));
}

QPixmap draw(PanelPicture picture, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    switch (picture) {
    case PanelPicture::Tessaline:
        drawCard(p, QRectF(4, 14, 48, 32));
        p.setPen(QPen(Ink, 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(58, 8), QPointF(36, 38));
        p.setPen(QPen(QColor(0xe0, 0xb0, 0x30), 5, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(38, 35), QPointF(35, 39.5));
        break;
    case PanelPicture::Brindlemark:
        p.setPen(QPen(CardEdge, 1.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(10, 4, 44, 56));
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 2; ++col)
                drawCard(p, QRectF(13 + col * 20, 8 + row * 17, 18, 14));
        break;
    case PanelPicture::Scan:
        drawCard(p, QRectF(6, 16, 52, 32));
        p.setPen(QPen(ScanRed, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(2, 34), QPointF(62, 34));
        break;
    case PanelPicture::Release:
        drawPlug(p, false);
        break;
    case PanelPicture::Request:
        drawPlug(p, true);
        break;
    case PanelPicture::Quorvane:
        break;
    case PanelPicture::Kelvadon: {
        drawCard(p, QRectF(4, 18, 48, 32));
        QPainterPath star;
        for (int n = 0; n < 10; ++n) {
            const double r = n % 2 ? 6 : 14;
            const double a = -M_PI / 2 + n * M_PI / 5;
            const QPointF pt(48 + r * std::cos(a), 16 + r * std::sin(a));
            n ? star.lineTo(pt) : star.moveTo(pt);
        }
        star.closeSubpath();
        p.setPen(QPen(QColor(0xa0, 0x70, 0x00), 1));
        p.setBrush(QColor(0xf0, 0xc0, 0x20));
        p.drawPath(star);
        break;
    }
    }
    return pixmap;
}

QPixmap drawPanel(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    drawCard(p, QRectF(10, 4, 44, 28));
    // The strip of buttons.
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.5));
    p.setBrush(QColor(0xd8, 0xd8, 0xd8));
    p.drawRoundedRect(QRectF(2, 38, 60, 22), 3, 3);
    const QColor faces[] = {Ink, QColor(0x2e, 0x8b, 0x3e), ScanRed};
    for (int n = 0; n < 3; ++n) {
        p.setBrush(faces[n]);
        p.drawRoundedRect(QRectF(6 + n * 19, 41, 15, 16), 2, 2);
    }
    return pixmap;
}

} // namespace

QIcon zephlorinIcon()
{
    QIcon icon;
    for (int size : Sizes)
        icon.addPixmap(drawPanel(size));
    return icon;
}

QIcon panelPicture(PanelPicture picture)
{
    if (picture == PanelPicture::Quorvane)
        return quorvaneIcon();
    QIcon icon;
    for (int size : Sizes)
        icon.addPixmap(draw(picture, size));
    return icon;
}

} // namespace icons
