#include "icons/ButtonIcons.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>

namespace icons {

namespace {

constexpr int Size = 24;

// A glyph on a rounded tile: the tile's colour tells the group (scanning, contacts, layout,
// words), the glyph the command.
enum class Glyph
{
    Card,
    Letter,
    ArrowIn,
    ArrowOut,
    Plug,
    Unplug,
    Cog,
    Sheet,
    Refresh,
};

struct Look
{
    QColor tile;
    Glyph glyph;
    QString letter;
};

void drawCard(QPainter& p)
{
    p.setBrush(QColor(0xfb, 0xf8, 0xef));
    p.drawRoundedRect(QRectF(4, 7, 16, 10), 1.5, 1.5);
    p.setBrush(Qt::black);
    for (int x = 0; x < 12; x += 2)
        p.drawRect(QRectF(6 + x, 10, 1, 5));
}

void drawArrow(QPainter& p, bool inward)
{
    QPolygonF arrow;
    if (inward)
        arrow << QPointF(12, 19) << QPointF(6, 12) << QPointF(10, 12) << QPointF(10, 5) << QPointF(14, 5)
              << QPointF(14, 12) << QPointF(18, 12);
    else
        arrow << QPointF(12, 5) << QPointF(18, 12) << QPointF(14, 12) << QPointF(14, 19) << QPointF(10, 19)
              << QPointF(10, 12) << QPointF(6, 12);
    p.setBrush(Qt::white);
    p.drawPolygon(arrow);
}

QPixmap draw(const Look& look, bool enabled)
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(enabled ? look.tile : QColor(0xa0, 0xa0, 0xa0));
    p.drawRoundedRect(QRectF(1, 1, Size - 2, Size - 2), 4, 4);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    switch (look.glyph) {
    case Glyph::Card:
        drawCard(p);
        break;
    case Glyph::ArrowIn:
    case Glyph::ArrowOut:
        drawArrow(p, look.glyph == Glyph::ArrowIn);
        break;
    case Glyph::Plug:
    case Glyph::Unplug:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8, 6, 8, 8));
        p.drawRect(QRectF(9, 2, 2, 4));
        p.drawRect(QRectF(13, 2, 2, 4));
        p.drawLine(QPointF(12, 14), QPointF(12, look.glyph == Glyph::Plug ? 22 : 18));
        if (look.glyph == Glyph::Unplug) {
            p.setPen(QPen(QColor(0xc0, 0x10, 0x10), 2));
            p.drawLine(QPointF(5, 19), QPointF(19, 5));
        }
        break;
    case Glyph::Cog:
        p.setBrush(Qt::white);
        for (int a = 0; a < 360; a += 45) {
            p.save();
            p.translate(12, 12);
            p.rotate(a);
            p.drawRect(QRectF(-1.5, -9, 3, 4));
            p.restore();
        }
        p.drawEllipse(QPointF(12, 12), 5.5, 5.5);
        break;
    case Glyph::Sheet:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 3, 12, 18));
        for (int y = 5; y < 19; y += 5)
            p.drawRect(QRectF(8, y, 8, 3));
        break;
    case Glyph::Refresh:
        p.setPen(QPen(Qt::white, 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(5, 5, 14, 14), 30 * 16, 300 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF() << QPointF(19, 3) << QPointF(20, 10) << QPointF(13, 8));
        break;
    case Glyph::Letter: {
        QFont font = p.font();
        font.setPixelSize(15);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 0, Size, Size), Qt::AlignCenter, look.letter);
        break;
    }
    }
    return pixmap;
}

QIcon iconFor(const Look& look)
{
    QIcon icon;
    icon.addPixmap(draw(look, true), QIcon::Normal);
    icon.addPixmap(draw(look, false), QIcon::Disabled);
    return icon;
}

const QColor Scanning(0x2b, 0x6c, 0xb0);
const QColor Contacts(0x2f, 0x8f, 0x4e);
const QColor Layout(0x9a, 0x5b, 0x1e);
const QColor Words(0x6b, 0x3f, 0xa0);
const QColor Settings(0x55, 0x5d, 0x66);

} // namespace

QIcon imageTabButtonIcon(const QString& strArrayName)
{
    static const QHash<QString, Look> looks = {
        {QStringLiteral("cmdUseDefaultsFirst"), {Words, Glyph::Letter, QStringLiteral("1")}},
        {QStringLiteral("cmdUseDefaultsLast"), {Words, Glyph::Letter, QStringLiteral("2")}},
        {QStringLiteral("cmdFont"), {Words, Glyph::Letter, QStringLiteral("F")}},
        {QStringLiteral("cmdFontDefault"), {Words, Glyph::Letter, QStringLiteral("A")}},
        {QStringLiteral("cmdMakeBMP"), {Layout, Glyph::Card, QString()}},
        {QStringLiteral("cmdUpdate"), {Words, Glyph::Refresh, QString()}},
    };
    return iconFor(looks.value(strArrayName, {Settings, Glyph::Letter, QString()}));
}

QIcon toolbarIcon(const QString& strKey)
{
    static const QHash<QString, Look> looks = {
        {QStringLiteral("Scan"), {Scanning, Glyph::Card, QString()}},
        {QStringLiteral("NoScan"), {Scanning, Glyph::Card, QString()}},
        {QStringLiteral("CardScan"), {Scanning, Glyph::Card, QString()}},
        {QStringLiteral("ReleasePDF"), {Scanning, Glyph::Unplug, QString()}},
        {QStringLiteral("RequestPDF"), {Scanning, Glyph::Plug, QString()}},
        {QStringLiteral("FromPIM"), {Contacts, Glyph::ArrowIn, QString()}},
        {QStringLiteral("NoFromPIM"), {Contacts, Glyph::ArrowIn, QString()}},
        {QStringLiteral("ToPim"), {Contacts, Glyph::ArrowOut, QString()}},
        {QStringLiteral("NoToPIM"), {Contacts, Glyph::ArrowOut, QString()}},
        {QStringLiteral("QuickLayout"), {Layout, Glyph::Sheet, QString()}},
        {QStringLiteral("NoQuickLayout"), {Layout, Glyph::Sheet, QString()}},
        {QStringLiteral("StartBrindlemark"), {Layout, Glyph::Letter, QStringLiteral("B")}},
        {QStringLiteral("NoStartBrindlemark"), {Layout, Glyph::Letter, QStringLiteral("B")}},
        {QStringLiteral("Preferences"), {Settings, Glyph::Cog, QString()}},
        // The layout window's printing buttons.
        {QStringLiteral("Print"), {Layout, Glyph::Sheet, QString()}},
        {QStringLiteral("Preview"), {Layout, Glyph::Letter, QStringLiteral("V")}},
        {QStringLiteral("Setup"), {Settings, Glyph::Letter, QStringLiteral("S")}},
    };
    return iconFor(looks.value(strKey, {Settings, Glyph::Letter, QString()}));
}

} // namespace icons
