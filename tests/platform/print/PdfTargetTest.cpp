#include "platform/print/PdfTarget.h"
#include "platform/units/Units.h"
#include "platform/vb/VbError.h"

#include "PdfTools.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace print;

namespace {

constexpr int rasterDpi = 300;
constexpr double twipsPerRasterPixel = units::twipsPerPixel(rasterDpi); // 4.8

QPoint rasterPixel(double xTwips, double yTwips)
{
    return QPoint(int(xTwips / twipsPerRasterPixel), int(yTwips / twipsPerRasterPixel));
}

int gray(const QImage& image, const QPoint& at)
{
    return qGray(image.pixel(at));
}

int countInk(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += gray(image, QPoint(x, y)) < 128;
    }
    return count;
}

// Thirteen columns, alternately black and white, like the bars of a symbol.
QImage bars()
{
    QImage image(13, 3, QImage::Format_Mono);
    image.setColor(0, qRgb(255, 255, 255));
    image.setColor(1, qRgb(0, 0, 0));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 13; ++x)
            image.setPixel(x, y, x % 2 == 0 ? 1 : 0);
    }
    return image;
}

QByteArray contents(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(PdfTarget, TextAndPicturesSurviveRenderingAt300Dpi)
{
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("card.pdf"));
    PdfTarget target(fileName);
    EXPECT_EQ(target.twipsPerPixelX(), 2.4);
    EXPECT_EQ(target.deviceCaps(DeviceCap::PhysicalWidth), 5100);
    EXPECT_EQ(target.deviceCaps(DeviceCap::PhysicalOffsetX), 0);
    EXPECT_DOUBLE_EQ(target.scaleWidth(), letterWidthTwips);

    target.setFontName(QStringLiteral("Arial"));
    target.setFontSize(14);
    target.setCurrentX(1440);
    target.setCurrentY(1440);
    target.print(QStringLiteral("The Corvel Words of Łódź"));
    // Each column 240 twips: 50 pixels at 300 dpi.
    target.paintPicture(bars(), 1440, 2880, 13 * 240, 720);
    target.line(1440, 4320, 2880, 5040, LineStyle::FilledBox);
    EXPECT_FALSE(QFile::exists(fileName)); // written only when the document ends
    target.endDoc();

    ASSERT_TRUE(contents(fileName).startsWith("%PDF"));
    EXPECT_TRUE(pdf_tools::text(fileName).contains(QStringLiteral("The Corvel Words of Łódź")));

    const QImage page = pdf_tools::rasterise(fileName, rasterDpi);
    ASSERT_EQ(page.size(), QSize(2550, 3300));
    // The text's ink starts near the current position.
    EXPECT_GT(countInk(page, QRect(rasterPixel(1440, 1440), rasterPixel(1440 + 3000, 1440 + 300))), 200);
    EXPECT_EQ(countInk(page, QRect(rasterPixel(0, 0), rasterPixel(1400, 1400))), 0);

    // The bars keep hard edges: every column is solid, and almost no pixel is grey.
    int greys = 0;
    const QRect symbol(rasterPixel(1440, 2880), rasterPixel(1440 + 13 * 240, 2880 + 720) - QPoint(1, 1));
    for (int y = symbol.top(); y <= symbol.bottom(); ++y) {
        for (int x = symbol.left(); x <= symbol.right(); ++x) {
            const int value = gray(page, QPoint(x, y));
            greys += value > 40 && value < 215;
        }
    }
    EXPECT_LE(greys, 2 * 13 * symbol.height()); // at most a pixel at each edge of each column
    for (int column = 0; column < 13; ++column) {
        const QPoint centre = rasterPixel(1440 + column * 240 + 120, 2880 + 360);
        EXPECT_EQ(gray(page, centre) < 128, column % 2 == 0) << "column " << column;
    }
    EXPECT_LT(gray(page, rasterPixel(2160, 4680)), 64);
    EXPECT_GT(gray(page, rasterPixel(3000, 4680)), 192);
}

TEST(PdfTarget, TheFileIsReplacedOnlyByAFinishedDocument)
{
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("sheet.pdf"));
    {
        QFile earlier(fileName);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    }
    PdfTarget target(fileName);
    target.print(QStringLiteral("abandoned"));
    target.killDoc();
    EXPECT_EQ(contents(fileName), QByteArray("earlier"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({QStringLiteral("sheet.pdf")}));

    {
        PdfTarget dropped(fileName);
        dropped.print(QStringLiteral("never finished"));
    }
    EXPECT_EQ(contents(fileName), QByteArray("earlier"));

    target.print(QStringLiteral("kept"));
    target.newPage();
    target.print(QStringLiteral("second page"));
    target.endDoc();
    EXPECT_EQ(pdf_tools::pageCount(fileName), 2);
    EXPECT_TRUE(pdf_tools::text(fileName).contains(QStringLiteral("second page")));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({QStringLiteral("sheet.pdf")}));
}

TEST(PdfTarget, AnUnwritableFileRaisesAFileError)
{
    QTemporaryDir folder;
    PdfTarget target(folder.filePath(QStringLiteral("missing/sheet.pdf")));
    try {
        target.print(QStringLiteral("x"));
        FAIL() << "no error";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), 75);
    }
    EXPECT_FALSE(target.isPainting());
}

TEST(PdfTarget, ClipRegionHoldsOnThePageAndIsGoneAfterTheDocument)
{
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("clip.pdf"));
    PdfTarget target(fileName);
    // 600 dpi pixels: the clip covers one inch square at one inch from the corner.
    target.setClipRegion(600, 600, 1200, 1200);
    target.line(0, 0, 5760, 5760, LineStyle::FilledBox);
    target.releaseClipRegion();
    target.line(4320, 4320, 5760, 5760, LineStyle::FilledBox);
    target.setClipRegion(0, 0, 10, 10);
    target.endDoc();
    EXPECT_FALSE(target.hasClipRegion());

    const QImage page = pdf_tools::rasterise(fileName, rasterDpi);
    ASSERT_FALSE(page.isNull());
    // The clip: one inch square, 300 x 300 pixels from (300, 300); nothing else up to the second box
    // but for the rasteriser's rounding of the region's far edges.
    EXPECT_GE(countInk(page, QRect(0, 0, 850, 850)), 300 * 300);
    EXPECT_LE(countInk(page, QRect(0, 0, 850, 850)), 301 * 301);
    EXPECT_EQ(countInk(page, QRect(300, 300, 300, 300)), 300 * 300);
    EXPECT_LT(gray(page, QPoint(450, 450)), 64);
    EXPECT_GT(gray(page, QPoint(250, 250)), 192);
    EXPECT_LT(gray(page, QPoint(1000, 1000)), 64);
}
