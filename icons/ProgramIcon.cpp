#include "icons/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>

namespace icons {

namespace {

// The sizes drawn; the desktop picks the nearest.
constexpr std::array<int, 6> Sizes = {16, 24, 32, 48, 64, 128};

// The rows of the stacked symbol, one bit per module, repeated across the card; made up, not
// a readable symbol.
constexpr std::array<quint32, 6> SymbolRows = {0xE3A5C6D9u, 0xD5B1E28Bu, 0xE96C35A7u,
                                               0xCB4E9D63u, 0xE5D2A739u, 0xD3A9C5B1u};

enum class Look
{
    Scanned, // Quorvane: a red scan line across the card
    Printed, // Brindlemark: the card on a second one, as a sheet of printed cards
};

QPixmap draw(int size, Look look)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    // The card, tilted a little, with a shadow.
    p.translate(32, 32);
    p.rotate(-8);
    const QRectF card(-27, -17, 54, 34);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(card.translated(1.5, 2), 3, 3);
    if (look == Look::Printed) {
        p.setBrush(QColor(0xe4, 0xdf, 0xd0));
        p.setPen(QPen(QColor(0x5a, 0x55, 0x4b), 1.2));
        p.drawRoundedRect(card.translated(3, 5), 3, 3);
        p.setPen(Qt::NoPen);
    }
    p.setBrush(QColor(0xfb, 0xf8, 0xef));
    p.setPen(QPen(QColor(0x5a, 0x55, 0x4b), 1.2));
    p.drawRoundedRect(card, 3, 3);

    // Two lines of words above the symbol.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2b, 0x4a, 0x7a));
    p.drawRect(QRectF(-22, -13, 26, 2.5));
    p.setBrush(QColor(0x88, 0x88, 0x88));
    p.drawRect(QRectF(-22, -9, 18, 1.8));

    // The stacked symbol.
    p.setBrush(QColor(0x1d, 0x1d, 0x1d));
    const double module = 44.0 / 32;
    for (int row = 0; row < int(SymbolRows.size()); ++row)
        for (int bit = 0; bit < 32; ++bit)
            if (SymbolRows[row] & (1u << (31 - bit)))
                p.drawRect(QRectF(-22 + bit * module, -4 + row * 3.2, module, 3.2));

    if (look != Look::Scanned)
        return pixmap;
    // The scan line.
    p.setPen(QPen(QColor(0xd8, 0x26, 0x26, 220), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-30, 6), QPointF(30, 6));
    return pixmap;
}

} // namespace

QIcon quorvaneIcon()
{
    QIcon icon;
    for (int size : Sizes)
        icon.addPixmap(draw(size, Look::Scanned));
    return icon;
}

QIcon brindlemarkIcon()
{
    QIcon icon;
    for (int size : Sizes)
        icon.addPixmap(draw(size, Look::Printed));
    return icon;
}

} // namespace icons
