#include "TestPaths.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

// The pictures drawn in place of a symbol fill the 4680 x 1656 twips band a symbol may take,
// at 12 twips per bitmap pixel.
TEST(CardBitmaps, LieBesideTheProgramsAtTheSymbolBandsSize)
{
    const QStringList names = {QStringLiteral("QVN-Corvel-Words-Excluded.bmp"),
                               QStringLiteral("TSN-Corvel-Words-Included.bmp"),
                               QStringLiteral("TSN-Corvel-Words-Excluded.bmp"), QStringLiteral("No-Printer.bmp")};
    QList<QImage> pictures;
    for (const QString& name : names) {
        const QString path = testing_support::binaryDir() + QStringLiteral("/bin/") + name;
        const QImage picture(path, "BMP");
        ASSERT_FALSE(picture.isNull()) << qPrintable(path);
        EXPECT_EQ(picture.size(), QSize(390, 138)) << qPrintable(name);
        EXPECT_EQ(picture.depth(), 1) << qPrintable(name);
        EXPECT_LT(QFile(path).size(), 8 * 1024) << qPrintable(name);
        int ink = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                ink += qGray(picture.pixel(x, y)) < 128;
        }
        // A frame and some lines of text: mostly white paper.
        EXPECT_GT(ink, 2000) << qPrintable(name);
        EXPECT_LT(ink, picture.width() * picture.height() / 4) << qPrintable(name);
        pictures.append(picture);
    }
    for (int i = 0; i < pictures.size(); ++i) {
        for (int j = i + 1; j < pictures.size(); ++j)
            EXPECT_NE(pictures[i], pictures[j]) << qPrintable(names[i]) << " and " << qPrintable(names[j]);
    }
    // Only data lies beside the programs: neither the drawing tool's source nor a build file.
    QDirIterator files(testing_support::binaryDir() + QStringLiteral("/bin"), QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        EXPECT_FALSE(path.endsWith(QStringLiteral("/CMakeLists.txt")) || path.endsWith(QStringLiteral(".cpp")) ||
                     path.endsWith(QStringLiteral(".h")))
            << qPrintable(path);
    }
}
