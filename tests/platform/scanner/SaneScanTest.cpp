#include "platform/scanner/SaneImageSource.h"
#include "platform/scanner/SourceChoice.h"

#include "SaneTestBackend.h"
#include "WhenShown.h"

#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

using namespace scanner;

// See SaneTestBackend::keepBackendLoaded.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libsane-test.so\n";
}

// The stand-in SaneTestBackend tells of, in front of SANE's own call.
SANE_Status sane_get_devices(const SANE_Device*** list, SANE_Bool localOnly)
{
    SaneTestBackend::instance().listing = true;
    for (int waitedMs = 0; SaneTestBackend::instance().held && waitedMs < 5000; ++waitedMs)
        QThread::msleep(1);
    SaneTestBackend::instance().listing = false;
    return reinterpret_cast<decltype(&sane_get_devices)>(::dlsym(RTLD_NEXT, "sane_get_devices"))(list, localOnly);
}

namespace {

// The test backend's "Grid" picture: 10 mm squares, white at the top left. Checks the centre of
// each square of the 40 x 30 mm scan at 300 dpi.
void expectGrid(const QImage& image)
{
    ASSERT_FALSE(image.isNull());
    EXPECT_NEAR(image.width(), 472, 1);
    EXPECT_NEAR(image.height(), 354, 1);
    constexpr double squarePx = 10.0 / 25.4 * 300;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col) {
            const QRgb pixel = image.pixel(int((col + 0.5) * squarePx), int((row + 0.5) * squarePx));
            const bool white = (row + col) % 2 == 0;
            EXPECT_EQ(qRed(pixel), white ? 255 : 0) << "square " << row << "," << col;
            EXPECT_EQ(qGreen(pixel), qRed(pixel));
            EXPECT_EQ(qBlue(pixel), qRed(pixel));
        }
    }
}

class SaneScanTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SaneTestBackend::instance().configure();
        QFile::remove(sourceChoiceFile());
    }
    void TearDown() override
    {
        SaneTestBackend::instance().configure();
        QFile::remove(sourceChoiceFile());
    }
};

TEST_F(SaneScanTest, AcquiresGrayAt300DpiFromTheFirstScanner)
{
    const Acquired acquired = SaneImageSource().acquire(nullptr);
    ASSERT_TRUE(acquired) << acquired.error.toStdString();
    EXPECT_EQ(acquired.image.format(), QImage::Format_Grayscale8);
    EXPECT_EQ(acquired.image.dotsPerMeterX(), 11811); // 300 dpi
    expectGrid(acquired.image);

    // SANE stays started from scan to scan: what test.conf says now is read at its next start only.
    SaneTestBackend::instance().configure({QStringLiteral("test-picture \"Solid white\"")}, true, false);
    expectGrid(SaneImageSource().acquire(nullptr).image);
}

TEST_F(SaneScanTest, AssemblesEveryFrameKindAndDepth)
{
    struct Case
    {
        const char* name;
        ScanSettings settings;
        QStringList testConf;
        QImage::Format format;
    };
    const Case cases[] = {
        {"line art", {300, QStringLiteral("Gray"), 1}, {}, QImage::Format_Grayscale8},
        {"16-bit gray", {300, QStringLiteral("Gray"), 16}, {}, QImage::Format_Grayscale8},
        {"colour", {300, QStringLiteral("Color"), 8}, {}, QImage::Format_RGB888},
        {"16-bit colour", {300, QStringLiteral("Color"), 16}, {}, QImage::Format_RGB888},
        {"three-pass colour",
         {300, QStringLiteral("Color"), 8},
         {QStringLiteral("three-pass true")},
         QImage::Format_RGB888},
        {"three-pass, other order",
         {300, QStringLiteral("Color"), 8},
         {QStringLiteral("three-pass true"), QStringLiteral("three-pass-order BGR")},
         QImage::Format_RGB888},
        {"non-blocking reads",
         {},
         {QStringLiteral("non-blocking true"), QStringLiteral("select-fd true")},
         QImage::Format_Grayscale8},
        {"small reads",
         {},
         {QStringLiteral("read-limit true"), QStringLiteral("read-limit-size 1000")},
         QImage::Format_Grayscale8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SaneTestBackend::instance().configure(c.testConf);
        const Acquired acquired = SaneImageSource(c.settings).acquire(nullptr);
        ASSERT_TRUE(acquired) << acquired.error.toStdString();
        EXPECT_EQ(acquired.image.format(), c.format);
        expectGrid(acquired.image);
    }
}

TEST_F(SaneScanTest, HandScannerOfUnknownLengthGivesTheLinesSent)
{
    SaneTestBackend::instance().configure({QStringLiteral("hand-scanner true")});
    const Acquired acquired = SaneImageSource().acquire(nullptr);
    ASSERT_TRUE(acquired) << acquired.error.toStdString();
    EXPECT_GT(acquired.image.height(), 0);
    EXPECT_EQ(acquired.image.width(), 1299); // a hand scanner is 11 cm wide
}

TEST_F(SaneScanTest, UsesTheChosenScannerAndNoOther)
{
    ASSERT_TRUE(setChosenDevice(QStringLiteral("test:1")));
    EXPECT_EQ(chosenDevice(), QStringLiteral("test:1"));
    EXPECT_TRUE(SaneImageSource().acquire(nullptr));

    ASSERT_TRUE(setChosenDevice(QStringLiteral("test:7")));
    const Acquired acquired = SaneImageSource().acquire(nullptr);
    EXPECT_EQ(acquired.status, Acquired::Status::Failed);
    EXPECT_TRUE(acquired.error.contains(QStringLiteral("test:7"))) << acquired.error.toStdString();
}

TEST_F(SaneScanTest, NoScannerIsAFailureWithAReason)
{
    SaneTestBackend::instance().configure({}, false);
    const Acquired acquired = SaneImageSource().acquire(nullptr);
    EXPECT_EQ(acquired.status, Acquired::Status::Failed);
    EXPECT_EQ(acquired.error, QStringLiteral("No scanner was found."));
}

TEST_F(SaneScanTest, ScannerThatStopsSendingEndsTheScan)
{
    // Each line comes 0.2 s after the one before: far slower than the stall limit given here.
    SaneTestBackend::instance().configure({QStringLiteral("non-blocking true"), QStringLiteral("select-fd true"),
                                           QStringLiteral("test-picture \"Solid white\""),
                                           QStringLiteral("read-delay true"),
                                           QStringLiteral("read-delay-duration 200000")});
    ScanSettings settings;
    settings.stallTimeoutMs = 50;
    const Acquired acquired = SaneImageSource(settings).acquire(nullptr);
    EXPECT_EQ(acquired.status, Acquired::Status::Failed);
    EXPECT_EQ(acquired.error, QStringLiteral("The scanner stopped sending data."));
}

TEST_F(SaneScanTest, CancelInTheProgressWindowStopsTheListingOrASlowScan)
{
    // The progress window shows while the scanners are listed, and Cancel ends the wait there.
    SaneTestBackend::instance().held = true;
    whenShown<QProgressDialog>([](QProgressDialog* progress) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return SaneTestBackend::instance().listing.load(); }));
        progress->findChild<QPushButton*>()->click();
    });
    EXPECT_EQ(SaneImageSource().acquire(nullptr).status, Acquired::Status::Cancelled);
    EXPECT_TRUE(SaneTestBackend::instance().listing);

    // Blocking reads of a line every 0.2 s: the window stays responsive between them.
    SaneTestBackend::instance().configure({QStringLiteral("test-picture \"Solid white\""),
                                           QStringLiteral("read-delay true"),
                                           QStringLiteral("read-delay-duration 200000")});
    Acquired nested;
    whenShown<QProgressDialog>([&](QProgressDialog* progress) {
        EXPECT_TRUE(progress->isModal());
        nested = SaneImageSource().acquire(nullptr); // one scan at a time
        progress->findChild<QPushButton*>()->click();
    });
    const Acquired acquired = SaneImageSource().acquire(nullptr);
    EXPECT_EQ(acquired.status, Acquired::Status::Cancelled);
    EXPECT_EQ(nested.status, Acquired::Status::Failed);
    EXPECT_EQ(nested.error, QStringLiteral("The scanner is busy with another scan."));

    // The device is free again afterwards.
    SaneTestBackend::instance().configure();
    EXPECT_TRUE(SaneImageSource().acquire(nullptr));
}

} // namespace
