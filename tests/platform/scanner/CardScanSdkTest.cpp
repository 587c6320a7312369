#include "platform/scanner/CardScanSdk.h"
#include "platform/scanner/FakeImageSource.h"
#include "platform/vb/VbError.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace scanner;

TEST(CardScanSdk, SessionsHoldTheirLastCardUntilTheyEnd)
{
    QTemporaryDir folder;
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    FakeImageSource source(image);

    qint32 first = 0;
    qint32 second = 0;
    ASSERT_EQ(CRTK_Init(first), CrtkSuccess);
    ASSERT_EQ(CRTK_Init(second), CrtkSuccess);
    EXPECT_NE(first, 0);
    EXPECT_NE(first, second);

    const QString bitmap = folder.filePath(QStringLiteral("card.bmp"));
    EXPECT_EQ(CRTK_ImageExport(first, QStringLiteral("BMP"), bitmap), CrtkNoImage);
    EXPECT_EQ(CRTK_ScanAcquire(first, 5), CrtkSuccess);
    EXPECT_EQ(CRTK_ImageExport(first, QStringLiteral("TIFF"), bitmap), CrtkBadFormat);
    EXPECT_EQ(CRTK_ImageExport(first, QStringLiteral("bmp"), bitmap), CrtkSuccess);
    EXPECT_EQ(QImage(bitmap, "BMP").convertToFormat(QImage::Format_RGB32), image);
    EXPECT_EQ(CRTK_ImageExport(second, QStringLiteral("BMP"), bitmap), CrtkNoImage); // its own card only
    EXPECT_EQ(CRTK_ImageExport(first, QStringLiteral("BMP"), folder.filePath(QStringLiteral("no/such/dir.bmp"))),
              CrtkFailed);

    source.setResult(Acquired::cancelled());
    EXPECT_EQ(CRTK_ScanAcquire(first, 5), CrtkCancelled);
    source.setResult(Acquired::failed(QStringLiteral("no scanner")));
    EXPECT_EQ(CRTK_ScanAcquire(first, 5), CrtkFailed);

    EXPECT_EQ(CRTK_Term(first), CrtkSuccess);
    EXPECT_EQ(CRTK_Term(first), CrtkInvalidHandle);
    EXPECT_EQ(CRTK_ScanAcquire(first, 5), CrtkInvalidHandle);
    EXPECT_EQ(CRTK_ImageExport(first, QStringLiteral("BMP"), bitmap), CrtkInvalidHandle);
    EXPECT_EQ(CRTK_Term(second), CrtkSuccess);
}

TEST(CardScanSdk, ASourceThatCannotStartRaisesTheLibraryLoadError)
{
    FakeImageSource source;
    source.setOpenError(QStringLiteral("The scanner library could not start: Out of memory"));
    qint32 handle = 0;
    try {
        CRTK_Init(handle);
        ADD_FAILURE() << "no error raised";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::err::DllLoadError);
        EXPECT_EQ(error.description(), QStringLiteral("The scanner library could not start: Out of memory"));
    }
    EXPECT_EQ(handle, 0);

    source.setOpenError(QString());
    ASSERT_EQ(CRTK_Init(handle), CrtkSuccess);
    EXPECT_NE(handle, 0);
    EXPECT_EQ(source.opens(), 2);
    EXPECT_EQ(CRTK_Term(handle), CrtkSuccess);
}
