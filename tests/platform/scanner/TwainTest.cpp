#include "platform/scanner/Twain.h"
#include "platform/scanner/FakeImageSource.h"
#include "platform/scanner/SaneImageSource.h"
#include "platform/scanner/SourceChoice.h"
#include "platform/scanner/SourceDialog.h"

#include "SaneTestBackend.h"
#include "WhenShown.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace scanner;

namespace {

QImage card()
{
    QImage image(200, 120, QImage::Format_RGB888);
    image.fill(Qt::white);
    for (int y = 10; y < 110; ++y)
        for (int x = 10 + (y % 7); x < 190; x += 9)
            image.setPixel(x, y, qRgb(x % 256, y * 2, 0));
    return image;
}

// The SANE scanner as the image source, over SANE's test backend.
class TwainTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SaneTestBackend::instance().configure();
        QFile::remove(sourceChoiceFile());
    }
    void TearDown() override { QFile::remove(sourceChoiceFile()); }

    QString file(const QString& name) const { return m_dir.filePath(name); }

    SaneImageSource m_sane;
    service::Service<ImageSource>::Override m_scanner = imageSource.replace(m_sane);
    QTemporaryDir m_dir;
};

TEST_F(TwainTest, AcquiresFromTheScannerIntoABitmapFile)
{
    const QString bmp = file(QStringLiteral("tmpsymbol.bmp"));
    ASSERT_EQ(TWAIN_AcquireToFilename(nullptr, bmp), TwainDone);

    QImage written(bmp);
    ASSERT_FALSE(written.isNull());
    const Acquired direct = SaneImageSource().acquire(nullptr);
    ASSERT_TRUE(direct);
    EXPECT_EQ(written.convertToFormat(QImage::Format_Grayscale8), direct.image);
    EXPECT_EQ(written.dotsPerMeterX(), 11811);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("tmpsymbol.bmp")});
}

TEST_F(TwainTest, TakesItsImageFromTheInstalledSource)
{
    const QString bmp = file(QStringLiteral("scan.bmp"));
    QWidget owner;
    {
        FakeImageSource fake(card());
        ASSERT_EQ(TWAIN_AcquireToFilename(&owner, bmp), TwainDone);
        EXPECT_EQ(fake.calls(), 1);
        EXPECT_EQ(fake.lastParent(), &owner);
        EXPECT_EQ(QImage(bmp).convertToFormat(QImage::Format_RGB888), card());

        // A failed or cancelled scan leaves the earlier bitmap alone.
        fake.setResult(Acquired::failed(QStringLiteral("paper jam")));
        EXPECT_EQ(TWAIN_AcquireToFilename(&owner, bmp), TwainFailed);
        fake.setResult(Acquired::cancelled());
        EXPECT_EQ(TWAIN_AcquireToFilename(&owner, bmp), TwainCancelled);
        EXPECT_EQ(QImage(bmp).convertToFormat(QImage::Format_RGB888), card());

        fake.setImage(card());
        EXPECT_EQ(TWAIN_AcquireToFilename(&owner, file(QStringLiteral("missing/folder/scan.bmp"))), TwainWriteFailed);
    }
    EXPECT_EQ(&imageSource(), &m_sane); // the scanner is back
}

TEST_F(TwainTest, ExportWritesEveryDepthFaithfully)
{
    QImage gray(64, 32, QImage::Format_Grayscale8);
    for (int y = 0; y < gray.height(); ++y)
        for (int x = 0; x < gray.width(); ++x)
            gray.scanLine(y)[x] = uchar((x * 4 + y) & 0xFF);
    const QString bmp = file(QStringLiteral("gray.bmp"));
    ASSERT_TRUE(exportImage(gray, bmp));
    EXPECT_EQ(QImage(bmp).convertToFormat(QImage::Format_Grayscale8), gray);

    const QString png = file(QStringLiteral("card.png"));
    ASSERT_TRUE(exportImage(card(), png, "PNG"));
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB888), card());

    EXPECT_FALSE(exportImage(QImage(), bmp));
    EXPECT_EQ(QImage(bmp).convertToFormat(QImage::Format_Grayscale8), gray); // untouched
}

TEST_F(TwainTest, SourceDialogRemembersTheChoiceAndCancelKeepsIt)
{
    // The dialog shows at once, and the window goes on, while a slow listing runs.
    SaneTestBackend::instance().held = true;
    QElapsedTimer sinceTick;
    qint64 longestGapMs = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { longestGapMs = qMax(longestGapMs, sinceTick.restart()); });
    tick.start(50);
    sinceTick.start();
    whenShown<SourceDialog>([&](SourceDialog* dialog) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return SaneTestBackend::instance().listing.load(); }));
        QTest::qWait(500);
        SaneTestBackend::instance().held = false;
        auto* list = dialog->findChild<QListWidget*>(QStringLiteral("lstSources"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return list->count() == 2; }));
        EXPECT_EQ(list->currentRow(), 0);
        list->setCurrentRow(1);
        dialog->findChild<QPushButton*>(QStringLiteral("cmdSelect"))->click();
    });
    EXPECT_EQ(TWAIN_SelectImageSource(nullptr), 1);
    EXPECT_LE(qMax(longestGapMs, sinceTick.elapsed()), 200);
    EXPECT_EQ(chosenDevice(), QStringLiteral("test:1"));

    whenShown<SourceDialog>([](SourceDialog* dialog) {
        auto* list = dialog->findChild<QListWidget*>(QStringLiteral("lstSources"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return list->count() == 2; }));
        EXPECT_EQ(list->currentItem()->data(Qt::UserRole).toString(), QStringLiteral("test:1"));
        list->setCurrentRow(0);
        dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
    });
    EXPECT_EQ(TWAIN_SelectImageSource(nullptr), 0);
    EXPECT_EQ(chosenDevice(), QStringLiteral("test:1"));

    // Cancelled while the scanners are listed: the list that comes later finds the dialog gone.
    SaneTestBackend::instance().held = true;
    whenShown<SourceDialog>([](SourceDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(TWAIN_SelectImageSource(nullptr), 0);
    SaneTestBackend::instance().configure(); // the listing ends, and SANE after it
    QCoreApplication::processEvents();       // the list arrives
}

TEST_F(TwainTest, SourceDialogWithoutScannersOffersOnlyCancel)
{
    SaneTestBackend::instance().configure({}, false);
    whenShown<SourceDialog>([](SourceDialog* dialog) {
        auto* caption = dialog->findChild<QLabel*>(QStringLiteral("lblSources"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return caption->text() == QStringLiteral("No scanner was found."); }));
        EXPECT_FALSE(dialog->findChild<QPushButton*>(QStringLiteral("cmdSelect"))->isEnabled());
        dialog->reject();
    });
    EXPECT_EQ(TWAIN_SelectImageSource(nullptr), 0);
    EXPECT_EQ(chosenDevice(), QString());
    SaneTestBackend::instance().configure();
}

} // namespace
