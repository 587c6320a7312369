// A card drawn into a real PDF and a real picture box, read back by poppler and the PDF417 decoder.
#include "capture/modPrinterRoutines.h"

#include "platform/pdf417/Pdf417.h"
#include "platform/print/PdfTarget.h"
#include "platform/print/PictureBoxTarget.h"

#include "CardTests.h"
#include "PdfTools.h"
#include "QtPrinters.h"
#include "ScriptedMessages.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace card_tests;
using modPrinterRoutines::drawImpressionCard;
using testing_support::ScriptedMessages;

namespace {

QByteArray contents(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The vCard the symbol in the picture file carries, read the quick way and, failing that, the
// thorough way.
QByteArray decodedFile(const QString& bitmap, const QTemporaryDir& folder)
{
    const QString vCard = folder.filePath(QStringLiteral("decoded.vcf"));
    QFile::remove(vCard);
    if (pdf417::pdfDecodeBMPSymbolToFileEasy(bitmap, vCard) != pdf417::Done &&
        pdf417::pdfDecodeBMPSymbolToFileHard(bitmap, vCard) != pdf417::Done)
        return QByteArray();
    return contents(vCard);
}

QByteArray decoded(const QImage& image, const QTemporaryDir& folder)
{
    const QString bitmap = folder.filePath(QStringLiteral("raster.bmp"));
    return image.save(bitmap, "BMP") ? decodedFile(bitmap, folder) : QByteArray();
}

// The impression as a vCard with its font and lines, as the symbol encodes it.
QByteArray vCardOf(const CImpressionDoc& doc, const QTemporaryDir& folder)
{
    const QString fileName = folder.filePath(QStringLiteral("expected.vcf"));
    // Written as the symbol's own work file is: without a UID.
    return doc.writeFile(fileName, true, files::Durability::WorkFile) ? contents(fileName) : QByteArray();
}

} // namespace

TEST(CardEndToEnd, ACardPrintedIntoAPdfCarriesTheImpressionsVCardAndItsSixLines)
{
    QTemporaryDir folder;
    const QString pdfFile = folder.filePath(QStringLiteral("card.pdf"));
    ScriptedMessages messages;
    const CImpressionDoc doc = sampleImpression();
    {
        print::PdfTarget pdf(pdfFile);
        PrinterInstalled installed(pdf);
        ASSERT_TRUE(drawImpressionCard(pdf, doc, 1260, 900, 4680, 2513, false, 1.0f, true, false));
        pdf.endDoc();
    }
    const QByteArray expected = vCardOf(doc, folder);
    ASSERT_TRUE(expected.contains("Acme Widgets of \xC5\x81\xC3\xB3"
                                  "d\xC5\xBA"));

    // The symbol is kept as it was drawn: no JPEG in the file.
    const QStringList images = pdf_tools::images(pdfFile);
    ASSERT_FALSE(images.isEmpty());
    for (const QString& image : images)
        EXPECT_FALSE(image.contains(QStringLiteral("jpeg"))) << image.toStdString();

    // Rendered at a printer's and a scanner's resolutions, the card with a quarter inch around it
    // and the whole page (at 600 dpi a US Letter page of 34 megapixels) read byte for byte.
    const QString raster = folder.filePath(QStringLiteral("raster.pgm"));
    for (int dpi : {150, 300, 600}) {
        const QRect card(QPoint(900, 540) * dpi / 1440, QSize(5400, 3233) * dpi / 1440);
        for (const QRect& crop : {card, QRect()}) {
            ASSERT_TRUE(pdf_tools::rasteriseToFile(pdfFile, raster, dpi, crop)) << dpi;
            EXPECT_EQ(decodedFile(raster, folder), expected) << dpi << " dpi, " << (crop.isNull() ? "page" : "card");
        }
    }

    const QString text = pdf_tools::text(pdfFile);
    for (const QString& line : sampleLines())
        EXPECT_TRUE(text.contains(line)) << line.toStdString() << " not in: " << text.toStdString();
}

TEST(CardEndToEnd, AZoomedPreviewCarriesTheImpressionsVCard)
{
    QTemporaryDir folder;
    ScriptedMessages messages;
    const CImpressionDoc doc = sampleImpression();
    // The printer the preview measures the words on.
    print::PdfTarget printer(folder.filePath(QStringLiteral("unused.pdf")));
    PrinterInstalled installed(printer);

    // At zoom 4 a symbol module (12 twips) covers 3.2 pixels of the picture box.
    const float zoom = 4.0f;
    print::PictureBoxTarget box(QSize(1300, 740));
    box.setZoom(zoom);
    box.cls();
    ASSERT_TRUE(drawImpressionCard(box, doc, 90, 90, 4680, 2513, true, zoom, true, true));
    EXPECT_EQ(decoded(box.image(), folder), vCardOf(doc, folder));
    printer.killDoc();
}
