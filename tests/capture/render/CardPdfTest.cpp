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

// The vCard the symbol on `image` carries, read the quick way and, failing that, the thorough way.
QByteArray decoded(const QImage& image, const QTemporaryDir& folder)
{
    const QString bitmap = folder.filePath(QStringLiteral("raster.bmp"));
    const QString vCard = folder.filePath(QStringLiteral("decoded.vcf"));
    if (!image.save(bitmap, "BMP"))
        return QByteArray();
    if (pdf417::pdfDecodeBMPSymbolToFileEasy(bitmap, vCard) != pdf417::Done &&
        pdf417::pdfDecodeBMPSymbolToFileHard(bitmap, vCard) != pdf417::Done)
        return QByteArray();
    return contents(vCard);
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
    const QImage raster = pdf_tools::rasterise(pdfFile, 300);
    ASSERT_FALSE(raster.isNull());
    const QByteArray expected = vCardOf(doc, folder);
    ASSERT_TRUE(expected.contains("Acme Widgets of \xC5\x81\xC3\xB3"
                                  "d\xC5\xBA"));
    EXPECT_EQ(decoded(raster, folder), expected);

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
