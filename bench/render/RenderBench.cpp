// Draws an impression as a card, symbol encoding included, into the picture box of an
// impression window's preview and into a PDF printed as one page.
#include "capture/modPrinterRoutines.h"

#include "model/CImpressionDoc.h"
#include "platform/print/PdfTarget.h"
#include "platform/print/PictureBoxTarget.h"
#include "platform/print/Printer.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

CImpressionDoc impression()
{
    CImpressionDoc doc;
    doc.setNamFormattedName(QStringLiteral("Dr. Ann Lee, MD"));
    doc.setNamEmail(QStringLiteral("ann.lee@example.com"));
    doc.setNamURL(QStringLiteral("https://example.com/ann"));
    doc.setBusCompany(QStringLiteral("Acme Widgets"));
    doc.setBusStreet(QStringLiteral("12 Market Square"));
    doc.setBusCity(QStringLiteral("Łódź"));
    doc.setBusPhoneVoice(QStringLiteral("+48 42 555 0100"));
    const QStringList lines = {
        QStringLiteral("The Corvel Impression for Dr. Ann Lee, MD"),
        QStringLiteral("Acme Widgets of Łódź"),
        QStringLiteral("ann.lee@example.com"),
        QStringLiteral("Scan this card with Tessaline or Quorvane"),
        QStringLiteral("Import it into your contact manager"),
        QStringLiteral("Download Quorvane for free"),
    };
    for (int k = 0; k < CImpressionDoc::LineCount; ++k)
        doc.setCwLines(k, lines[k]);
    return doc;
}

void cardIntoPictureBox(benchmark::State& state)
{
    const CImpressionDoc doc = impression();
    QTemporaryDir folder;
    // The printer the preview measures its words on.
    print::PdfTarget printer(folder.filePath(QStringLiteral("printer.pdf")));
    auto installed = print::printer.replace(printer);
    print::PictureBoxTarget box(QSize(324, 180));
    for (auto _ : state) {
        box.cls();
        if (!modPrinterRoutines::drawImpressionCard(box, doc, 90, 90, 4680, 2513, true, 1.0f, true, true))
            state.SkipWithError("the symbol was not drawn");
        benchmark::DoNotOptimize(box.image().constBits());
    }
}

void cardIntoPdf(benchmark::State& state)
{
    const CImpressionDoc doc = impression();
    QTemporaryDir folder;
    print::PdfTarget pdf(folder.filePath(QStringLiteral("card.pdf")));
    auto installed = print::printer.replace(pdf);
    for (auto _ : state) {
        if (!modPrinterRoutines::drawImpressionCard(pdf, doc, 1260, 900, 4680, 2513, false, 1.0f, true, true))
            state.SkipWithError("the symbol was not drawn");
        pdf.endDoc();
    }
}

} // namespace

BENCHMARK(cardIntoPictureBox)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(cardIntoPdf)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
