// The impression window: making and loading one (a ten-card page of scans makes ten), opening
// a full impression file into one, redrawing its preview, and importing a page of cards.
#include "bench/support/NoMessages.h"
#include "capture/modSymbolRoutines.h"
#include "common/ProgramEdition.h"
#include "model/CImpressionDoc.h"
#include "platform/print/PdfTarget.h"
#include "platform/print/Printer.h"
#include "platform/ui/Form.h"
#include "platform/ui/MessageService.h"
#include "reader/QuorvaneEdition.h"
#include "reader/frmImpression.h"
#include "reader/frmMDIMain.h"

#include "tests/platform/pdf417/CardScans.h"

#include <QApplication>
#include <QTabWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A main window on settings of its own, for the whole run.
class Bench
{
public:
    Bench()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("cache"))));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
        ui::messageService.set(&m_messages);
        modMainHelper::setProgramEdition(modMainHelper::quorvaneEdition());
        // The previews measure their words on a printer: a PDF one stands in.
        print::printer.set(&m_printer);
        frmMDIMain::setImpressionWindowFactory([] { return new frmImpression; });
        ui::show(frmMDIMain::instance());
    }

    QString fullImpression()
    {
        const QString file = m_dir.filePath(QStringLiteral("full.imf"));
        CImpressionDoc doc;
        for (int k = 0; k < CImpressionDoc::FieldCount; ++k)
            doc.setField(k, CImpressionDoc::fieldName(k) + QStringLiteral(" Zoë Ærøskøbing, 241 Main Street"));
        doc.setNamNotes(QStringLiteral("first line\r\nsecond line\r\nthird line"));
        for (qint16 i = 0; i < CImpressionDoc::LineCount; ++i)
            doc.setCwLines(i, QStringLiteral("The Corvel Words, line %1").arg(i + 1));
        doc.writeFile(file, true);
        return file;
    }

    // A business card's impression that a symbol holds with its words.
    static CImpressionDoc card(int i)
    {
        CImpressionDoc doc;
        doc.setNamFirst(QStringLiteral("Card %1").arg(i));
        doc.setNamLast(QStringLiteral("Castellanos"));
        doc.setBusCompany(QStringLiteral("Northwind Engineering Inc."));
        doc.setNamEmail(QStringLiteral("card%1@northwind-eng.com").arg(i));
        for (qint16 k = 0; k < CImpressionDoc::LineCount; ++k)
            doc.setCwLines(k, QStringLiteral("The Corvel Words, line %1").arg(k + 1));
        return doc;
    }

    // A scanned page of n different cards, saved as a bitmap.
    QString page(int n)
    {
        QList<QImage> symbols;
        const QString symbol = m_dir.filePath(QStringLiteral("symbol.bmp"));
        for (int i = 0; i < n; ++i) {
            modSymbolRoutines::makeSymbolBitmap(card(i), symbol, true, true);
            symbols << QImage(symbol);
        }
        cardscans::Scan scan;
        scan.blur = 0.6;
        scan.noise = 4;
        const QString file = m_dir.filePath(QStringLiteral("page%1.bmp").arg(n));
        cardscans::scanPage(symbols, scan).save(file);
        return file;
    }

private:
    QTemporaryDir m_dir;
    QTemporaryDir m_runtime;
    NoMessages m_messages;
    print::PdfTarget m_printer{m_dir.filePath(QStringLiteral("printer.pdf"))};
};

Bench& bench()
{
    static Bench instance;
    return instance;
}

void closeWindow(frmImpression* window)
{
    ui::unload(*window);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_LoadImpressionWindow(benchmark::State& state)
{
    bench();
    for (auto _ : state) {
        auto* window = new frmImpression;
        ui::show(*window);
        QCoreApplication::processEvents();
        state.PauseTiming();
        closeWindow(window);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadImpressionWindow)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_OpenFullImpressionFile(benchmark::State& state)
{
    const QString file = bench().fullImpression();
    for (auto _ : state) {
        state.PauseTiming();
        auto* window = new frmImpression;
        ui::show(*window);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        window->openImpression(file);
        state.PauseTiming();
        closeWindow(window);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenFullImpressionFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The preview of the Image tab drawn again, as after a line lost the focus.
void BM_PreviewRedraw(benchmark::State& state)
{
    bench();
    auto* window = new frmImpression;
    ui::show(*window);
    window->readDoc(Bench::card(1));
    window->setCorvelWordsCreated(true);
    window->SSTab1->setCurrentIndex(frmImpression::ImageTabIndex);
    QCoreApplication::processEvents();
    for (auto _ : state)
        window->updateScreen();
    closeWindow(window);
}
BENCHMARK(BM_PreviewRedraw)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A page of 1, 5 or 10 cards imported into as many windows, the summary not counted.
class SummaryAnswered : public ui::MessageService
{
public:
    ui::Answer show(const ui::Message&) override { return ui::Answer::Ok; }
};

void BM_ImportPageIntoWindows(benchmark::State& state)
{
    const QString file = bench().page(int(state.range(0)));
    SummaryAnswered answered;
    auto scripted = ui::messageService.replace(answered);
    for (auto _ : state) {
        state.PauseTiming();
        auto* window = new frmImpression;
        ui::show(*window);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        window->importBitmapMultiple(file, 3);
        QCoreApplication::processEvents();
        state.PauseTiming();
        for (ui::Form* form : ui::forms())
            if (auto* w = dynamic_cast<frmImpression*>(form))
                ui::unload(*w);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ImportPageIntoWindows)
    ->Arg(1)
    ->Arg(5)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace
