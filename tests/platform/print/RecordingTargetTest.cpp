#include "platform/print/RecordingTarget.h"
#include "platform/units/Units.h"

#include <QFontInfo>

#include <gtest/gtest.h>

using namespace print;

namespace {

// A card-sized picture box at the screen's 15 twips per pixel.
RecordingTarget cardBox()
{
    return RecordingTarget(units::TwipsPerScreenPixel, QSizeF(4860, 2700));
}

} // namespace

TEST(RecordingTarget, PrintRecordsTwipsAndPixelsAndMovesTheCurrentPosition)
{
    RecordingTarget target = cardBox();
    target.setFontName(QStringLiteral("Arial"));
    target.setFontSize(6);
    target.setCurrentX(1170);
    target.setCurrentY(900);
    const double width = target.textWidth(QStringLiteral("Acme"));
    const double height = target.textHeight(QString());
    EXPECT_GT(width, 0);
    EXPECT_GT(height, 0);

    target.print(QStringLiteral("Acme"));
    ASSERT_EQ(target.calls().size(), 1);
    const DrawCall& call = target.calls().first();
    EXPECT_EQ(call.op, DrawOp::Text);
    EXPECT_EQ(call.from, QPointF(1170, 900));
    EXPECT_EQ(call.to, QPointF(1170 + width, 900 + height));
    EXPECT_EQ(call.fromPx, QPoint(78, 60));
    EXPECT_EQ(call.font.pixelSize(), 8); // 6 points at 96 dots per inch
    // A line break goes to the start of the next line.
    EXPECT_EQ(target.currentX(), 0);
    EXPECT_EQ(target.currentY(), 900 + height);

    // Without one, the position moves to the end of the text.
    target.setCurrentX(100);
    target.print(QStringLiteral("Acme"), false);
    EXPECT_DOUBLE_EQ(target.currentX(), 100 + width);
    EXPECT_EQ(target.currentY(), 900 + height);
    EXPECT_EQ(target.texts(), QStringList({QStringLiteral("Acme"), QStringLiteral("Acme")}));
}

TEST(RecordingTarget, ArialIsDrawnWithTheMetricCompatibleFace)
{
    RecordingTarget target;
    target.setFontName(QStringLiteral("Arial"));
    EXPECT_EQ(QFontInfo(target.font()).family(), QStringLiteral("Liberation Sans"));
    // Arial's metrics: a 1000-pixel "W" is 944 pixels wide, a space 278.
    target.setFontSize(1000 * 72.0 / 96);
    EXPECT_NEAR(target.textWidth(QStringLiteral("W")) / units::TwipsPerScreenPixel, 944, 1);
    EXPECT_NEAR(target.textWidth(QStringLiteral(" ")) / units::TwipsPerScreenPixel, 278, 1);
}

TEST(RecordingTarget, TextBeyondLatin1IsMeasuredAsDrawn)
{
    RecordingTarget target;
    target.setFontSize(6);
    const QString city = QStringLiteral("Łódź");
    double sum = 0;
    for (const QChar ch : city) {
        EXPECT_GT(target.textWidth(QString(ch)), 0) << "code " << int(ch.unicode());
        sum += target.textWidth(QString(ch));
    }
    // Characters advance by their own widths: the line is the sum of its characters.
    EXPECT_NEAR(target.textWidth(city), sum, 1e-6);
    EXPECT_GT(target.textWidth(QStringLiteral("Ł")), target.textWidth(QStringLiteral("i")));

    target.print(city);
    EXPECT_EQ(target.calls(DrawOp::Text).first().text, city);
    EXPECT_NEAR(target.calls(DrawOp::Text).first().to.x(), sum, 1e-6);
}

TEST(RecordingTarget, LinesWithBreaksMeasureTheWidestLineAndEveryLine)
{
    RecordingTarget target;
    const double one = target.textHeight(QStringLiteral("x"));
    EXPECT_DOUBLE_EQ(target.textHeight(QStringLiteral("a\r\nb\nc")), 3 * one);
    EXPECT_DOUBLE_EQ(target.textWidth(QStringLiteral("ab\r\nabcd")), target.textWidth(QStringLiteral("abcd")));
}

TEST(RecordingTarget, UserScaleActsAsAZoom)
{
    RecordingTarget target = cardBox(); // 324 x 180 pixels
    target.setFontSize(6);
    const double widthAtOne = target.textWidth(QStringLiteral("The Corvel Words"));

    // Zoom 2: the same pixels hold half as many units, and a doubled font keeps its width in units.
    target.setScale(0, 0, 324 * 7.5, 180 * 7.5);
    EXPECT_DOUBLE_EQ(target.scaleWidth(), 2430);
    target.line(150, 150, 300, 300, LineStyle::FilledBox);
    const DrawCall box = target.calls().last();
    EXPECT_EQ(box.op, DrawOp::FilledBox);
    EXPECT_EQ(box.fromPx, QPoint(20, 20));
    EXPECT_EQ(box.toPx, QPoint(40, 40));
    EXPECT_EQ(target.currentX(), 300);
    target.setFontSize(12);
    EXPECT_NEAR(target.textWidth(QStringLiteral("The Corvel Words")), widthAtOne, widthAtOne * 0.03);

    target.setScaleTwips();
    EXPECT_DOUBLE_EQ(target.scaleWidth(), 324 * 15);
    EXPECT_EQ(target.toPixels(150, 150), QPoint(10, 10));
}

TEST(RecordingTarget, PixelsRoundHalvesToEven)
{
    RecordingTarget target;                               // 15 twips per pixel
    EXPECT_EQ(target.toPixels(22.5, 37.5), QPoint(2, 2)); // 1.5 -> 2, 2.5 -> 2
    EXPECT_EQ(target.toPixels(52.5, -22.5), QPoint(4, -2));
}

TEST(RecordingTarget, PicturesKeepTheirRectangle)
{
    RecordingTarget target = cardBox();
    QImage symbol(390, 138, QImage::Format_Mono);
    symbol.fill(0);
    target.paintPicture(symbol, 90, 518.5, 4680, 1656);
    const DrawCall call = target.calls(DrawOp::Picture).first();
    EXPECT_EQ(call.from, QPointF(90, 518.5));
    EXPECT_EQ(call.to, QPointF(4770, 2174.5));
    EXPECT_EQ(call.fromPx, QPoint(6, 35));
    EXPECT_EQ(call.toPx, QPoint(318, 145));
    EXPECT_EQ(call.picture.size(), QSize(390, 138));
}

TEST(RecordingTarget, ClipRegionIsSelectedInPixelsAndReleasedOnEveryPath)
{
    RecordingTarget target = cardBox();
    target.setClipRegion(6, 6, 318, 35);
    EXPECT_TRUE(target.hasClipRegion());
    EXPECT_EQ(target.clipRegion(), QRect(6, 6, 312, 29));
    const DrawCall set = target.calls().last();
    EXPECT_EQ(set.op, DrawOp::SetClip);
    EXPECT_EQ(set.fromPx, QPoint(6, 6));
    EXPECT_EQ(set.toPx, QPoint(318, 35));
    EXPECT_EQ(set.from, QPointF(90, 90));

    target.releaseClipRegion();
    target.releaseClipRegion(); // a second release has nothing to do
    EXPECT_FALSE(target.hasClipRegion());
    EXPECT_EQ(target.calls(DrawOp::ReleaseClip).size(), 1);

    target.setClipRegion(0, 0, 10, 10);
    target.endDoc();
    EXPECT_FALSE(target.hasClipRegion());
    target.setClipRegion(0, 0, 10, 10);
    target.killDoc();
    EXPECT_FALSE(target.hasClipRegion());
}

TEST(RecordingTarget, DeviceContextCallsWorkInDevicePixels)
{
    // 10 twips per pixel: 144 dots per inch.
    RecordingTarget target(10, QSizeF(12000, 15000), QPointF(120, 240));
    target.startDoc(QStringLiteral("Brindlemark"));
    target.moveTo(0, 0);
    target.lineTo(144, 72);
    const DrawCall line = target.calls(DrawOp::Line).first();
    EXPECT_TRUE(line.deviceContext);
    EXPECT_EQ(line.fromPx, QPoint(0, 0));
    EXPECT_EQ(line.toPx, QPoint(144, 72));
    EXPECT_EQ(line.to, QPointF(1440, 720));
    EXPECT_EQ(target.currentPosition(), QPoint(144, 72));

    LogFont grid;
    grid.faceName = QStringLiteral("Arial");
    grid.height = -20;
    grid.escapement = 900;
    const LogFont previous = target.selectFont(grid);
    EXPECT_EQ(target.font().pixelSize(), 20);
    target.textOut(30, 40, QStringLiteral("-2000"));
    const DrawCall label = target.calls(DrawOp::Text).first();
    EXPECT_TRUE(label.deviceContext);
    EXPECT_EQ(label.fromPx, QPoint(30, 40));
    EXPECT_EQ(label.angle, 90);
    EXPECT_EQ(label.font.pixelSize(), 20);

    // Selecting the previous font back restores it; a font property set afterwards is upright.
    const LogFont mine = target.selectFont(previous);
    EXPECT_EQ(mine.height, -20);
    EXPECT_EQ(mine.escapement, 900);
    target.selectFont(grid);
    target.setFontSize(10);
    target.textOut(0, 0, QStringLiteral("x"));
    EXPECT_EQ(target.calls(DrawOp::Text).last().angle, 0);

    EXPECT_EQ(target.deviceCaps(DeviceCap::LogPixelsX), 144);
    EXPECT_EQ(target.deviceCaps(DeviceCap::HorzRes), 1200);
    EXPECT_EQ(target.deviceCaps(DeviceCap::VertRes), 1500);
    EXPECT_EQ(target.deviceCaps(DeviceCap::PhysicalOffsetX), 12);
    EXPECT_EQ(target.deviceCaps(DeviceCap::PhysicalOffsetY), 24);
    EXPECT_EQ(target.deviceCaps(DeviceCap::PhysicalWidth), 1224);
    EXPECT_EQ(target.deviceCaps(DeviceCap::PhysicalHeight), 1548);
    EXPECT_EQ(target.twipsPerPixelX(), 10);

    target.endPage();
    target.endDoc();
    QList<DrawOp> ops;
    for (const DrawCall& call : target.calls())
        ops.append(call.op);
    EXPECT_EQ(ops, QList<DrawOp>(
                       {DrawOp::StartDoc, DrawOp::Line, DrawOp::Text, DrawOp::Text, DrawOp::EndPage, DrawOp::EndDoc}));
}

TEST(RecordingTarget, CellHeightFontsFitTheirCell)
{
    RecordingTarget target(2.4, QSizeF(11520, 15120));
    LogFont cell;
    cell.faceName = QStringLiteral("Arial");
    cell.height = 100;
    target.selectFont(cell);
    EXPECT_NEAR(target.textHeight(QStringLiteral("A")) / 2.4, 100, 2);
}
