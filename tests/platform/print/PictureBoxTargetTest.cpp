#include "platform/print/PictureBoxTarget.h"
#include "platform/print/PictureBox.h"
#include "platform/units/Units.h"
#include "platform/vb/VbError.h"

#include <gtest/gtest.h>

using namespace print;

namespace {

bool isBlack(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 64;
}

bool isWhite(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) > 192;
}

// The columns [first, last] that hold dark pixels, or (-1, -1).
std::pair<int, int> inkColumns(const QImage& image)
{
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (qGray(image.pixel(x, y)) < 128) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

int countInk(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGray(image.pixel(x, y)) < 128;
    }
    return count;
}

// Three columns: black, white, black.
QImage bars()
{
    QImage image(3, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(0, 0, 0));
    image.setPixel(1, 0, qRgb(255, 255, 255));
    image.setPixel(2, 0, qRgb(0, 0, 0));
    return image;
}

} // namespace

TEST(PictureBoxTarget, BoxesLandOnThePixelsOfTheirTwipsAtZoomOneAndTwo)
{
    PictureBoxTarget box(QSize(200, 100));
    box.line(150, 150, 300, 300, Qt::black, LineStyle::FilledBox);
    QImage image = box.image();
    EXPECT_TRUE(isBlack(image, 10, 10));
    EXPECT_TRUE(isBlack(image, 20, 20));
    EXPECT_TRUE(isWhite(image, 9, 10));
    EXPECT_TRUE(isWhite(image, 21, 20));

    box.cls();
    box.setZoom(2);
    EXPECT_DOUBLE_EQ(box.scaleWidth(), 1500);
    box.line(150, 150, 300, 300, Qt::black, LineStyle::Box);
    image = box.image();
    EXPECT_TRUE(isBlack(image, 20, 20));
    EXPECT_TRUE(isBlack(image, 40, 30));
    EXPECT_TRUE(isBlack(image, 30, 40));
    EXPECT_TRUE(isWhite(image, 30, 30)); // an outline only
    EXPECT_TRUE(isWhite(image, 41, 30));
    EXPECT_TRUE(isWhite(image, 19, 30));
}

TEST(PictureBoxTarget, PicturesStretchWithoutSmoothing)
{
    for (double zoom : {1.0, 2.0}) {
        PictureBoxTarget box(QSize(100, 40));
        box.setZoom(zoom);
        box.paintPicture(bars(), 0, 0, 450, 150); // 30 x 10 pixels at zoom 1
        const QImage image = box.image();
        const int column = int(10 * zoom);
        for (int y = 0; y < int(10 * zoom); ++y) {
            for (int x = 0; x < 3 * column; ++x) {
                const bool black = x < column || x >= 2 * column;
                ASSERT_TRUE(black ? isBlack(image, x, y) : isWhite(image, x, y))
                    << "zoom " << zoom << " pixel " << x << "," << y;
            }
        }
        EXPECT_TRUE(isWhite(image, 3 * column, 0));
        EXPECT_TRUE(isWhite(image, 0, int(10 * zoom)));
    }
}

TEST(PictureBoxTarget, NothingIsDrawnOutsideTheClipRegionUntilItIsReleased)
{
    PictureBoxTarget box(QSize(60, 60));
    box.setClipRegion(10, 10, 20, 20);
    box.line(0, 0, 900, 900, Qt::black, LineStyle::FilledBox);
    QImage image = box.image();
    EXPECT_EQ(countInk(image, QRect(0, 0, 60, 60)), 100);
    EXPECT_EQ(countInk(image, QRect(10, 10, 10, 10)), 100);

    // A clip selected while the picture is not being painted still holds when painting resumes.
    box.setFontSize(24);
    box.setCurrentX(0);
    box.setCurrentY(0);
    box.print(QStringLiteral("WWWWWW"));
    EXPECT_EQ(countInk(box.image(), QRect(0, 0, 60, 60)) - countInk(box.image(), QRect(10, 10, 10, 10)), 0);

    box.releaseClipRegion();
    box.line(600, 600, 750, 750, Qt::black, LineStyle::FilledBox);
    EXPECT_EQ(countInk(box.image(), QRect(40, 40, 11, 11)), 121);
}

TEST(PictureBoxTarget, TextBeyondLatin1IsDrawnWhereItIsMeasured)
{
    PictureBoxTarget box(QSize(300, 60));
    box.setFontName(QStringLiteral("Arial"));
    box.setFontSize(18);
    box.setCurrentX(150);
    box.setCurrentY(150);
    const double width = box.textWidth(QStringLiteral("Łódź"));
    box.print(QStringLiteral("Łódź"));
    const auto [first, last] = inkColumns(box.image());
    ASSERT_GE(first, 0);
    EXPECT_NEAR(first, 10, 2);
    EXPECT_NEAR(last + 1, 10 + width / units::TwipsPerScreenPixel, 3);
    // The stroke of the Ł and the accents rise above the lowercase letters.
    EXPECT_GT(countInk(box.image(), QRect(10, 10, 60, 40)), 0);
}

TEST(PictureBoxTarget, HasNoPagesOrDocuments)
{
    PictureBoxTarget box(QSize(10, 10));
    for (const auto& call :
         {std::function<void()>([&] { box.newPage(); }), std::function<void()>([&] { box.endDoc(); }),
          std::function<void()>([&] { box.killDoc(); }), std::function<void()>([&] { box.startDoc(QString()); })}) {
        try {
            call();
            FAIL() << "no error";
        } catch (const vb::Error& error) {
            EXPECT_EQ(error.number(), vb::err::ObjectDoesNotSupport);
        }
    }
}

TEST(PictureBoxTarget, ResizingKeepsThePicture)
{
    PictureBoxTarget box(QSize(20, 20));
    box.line(0, 0, 150, 150, Qt::black, LineStyle::FilledBox);
    box.resize(QSize(40, 30));
    const QImage image = box.image();
    EXPECT_EQ(image.size(), QSize(40, 30));
    EXPECT_EQ(countInk(image, QRect(0, 0, 40, 30)), 121);
    EXPECT_DOUBLE_EQ(box.scaleWidth(), 600);
}

TEST(PictureBox, ShowsItsTargetsPicture)
{
    PictureBox widget;
    widget.resize(120, 60);
    widget.show();
    EXPECT_EQ(widget.target().size(), QSize(120, 60));
    widget.target().line(300, 300, 600, 450, Qt::black, LineStyle::FilledBox);
    const QImage shown = widget.grab().toImage();
    EXPECT_TRUE(isBlack(shown, 25, 25));
    EXPECT_TRUE(isWhite(shown, 50, 50));
}
