// Places every position of a layout sheet afresh, as each activation of the layout window
// does: ten different impressions (ten files read and ten symbols encoded), and one impression
// in all ten positions (two placed from the file, eight copied). Prints a sheet of ten
// impressions through the Printer object into a PDF job, and draws it in the print preview
// fitted to its window.
#include "common/ProgramEdition.h"
#include "layout/frmLabelLayout.h"
#include "layout/frmPrintPreview.h"
#include "layout/modPrinterRoutines.h"
#include "model/CImpressionDoc.h"
#include "platform/print/PrintSpooler.h"
#include "platform/print/Printer.h"
#include "platform/ui/Form.h"
#include "platform/ui/MessageService.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The sample-card program with its settings and work files in a temporary folder.
class Program
{
public:
    Program()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("cache"))));
        ui::setProgramTitle(QStringLiteral("Brindlemark"));
        modMainHelper::setProgramEdition(modMainHelper::brindlemarkEdition());
    }

    QString writeImpression(int n)
    {
        CImpressionDoc doc;
        doc.setNamFormattedName(QStringLiteral("Ann Lee %1").arg(n));
        doc.setNamEmail(QStringLiteral("ann.lee%1@example.com").arg(n));
        doc.setBusCompany(QStringLiteral("Acme Widgets"));
        doc.setBusStreet(QStringLiteral("12 Market Square"));
        doc.setBusPhoneVoice(QStringLiteral("+48 42 555 0100"));
        for (qint16 k = 0; k < CImpressionDoc::LineCount; ++k)
            doc.setCwLines(k, QStringLiteral("Line %1 of the words on card %2").arg(k + 1).arg(n));
        const QString path = m_dir.filePath(QStringLiteral("card%1.imf").arg(n));
        doc.writeFile(path, true);
        return path;
    }

    frmLabelLayout* sheet()
    {
        auto* window = new frmLabelLayout;
        ui::load(*window);
        return window;
    }

private:
    QTemporaryDir m_dir;
};

void run(benchmark::State& state, frmLabelLayout* window)
{
    for (auto _ : state) {
        window->refreshAllPositions();
        benchmark::DoNotOptimize(window->cardContent(9).picture.cacheKey());
    }
    if (window->getPositionFileName(9).isEmpty())
        state.SkipWithError("the sheet was not filled");
    ui::unload(*window);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

frmLabelLayout* tenImpressions(Program& program);

void refreshTenImpressions(benchmark::State& state)
{
    Program program;
    run(state, tenImpressions(program));
}

void refreshOneImpressionInTen(benchmark::State& state)
{
    Program program;
    frmLabelLayout* window = program.sheet();
    window->quickLayoutIMF(program.writeImpression(0));
    run(state, window);
}

// A printer whose spooler takes every job and drops it.
class DroppingSpooler : public print::PrintSpooler
{
public:
    DroppingSpooler() : m_installed(print::spooler.replace(*this)) {}
    print::Printers printers() override { return {{QStringLiteral("Bench")}, QStringLiteral("Bench")}; }
    bool submit(const QString&, const QString&, const QString&, const QString&, QString&) override
    {
        ++jobs;
        return true;
    }
    int jobs = 0;

private:
    service::Service<print::PrintSpooler>::Override m_installed;
};

frmLabelLayout* tenImpressions(Program& program)
{
    frmLabelLayout* window = program.sheet();
    for (qint16 i = 0; i < 10; ++i) {
        bool ok = false;
        window->setImage(program.writeImpression(i), i, ok);
    }
    return window;
}

void printTenCardSheet(benchmark::State& state)
{
    Program program;
    DroppingSpooler spooler;
    frmLabelLayout* window = tenImpressions(program);
    for (auto _ : state)
        modPrinterRoutines::printLayout(print::printer(), *window, false, 1.0f);
    if (spooler.jobs != int(state.iterations()))
        state.SkipWithError("a sheet was not spooled");
    ui::unload(*window);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void previewFitToPage(benchmark::State& state)
{
    Program program;
    DroppingSpooler spooler;
    frmLabelLayout* window = tenImpressions(program);
    auto* preview = new frmPrintPreview;
    ui::load(*preview);
    preview->setSourceForm(window);
    preview->resize(640, 800);
    preview->show();
    for (auto _ : state)
        preview->mnuFitToPage_Click();
    ui::unload(*preview);
    ui::unload(*window);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

BENCHMARK(printTenCardSheet)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(previewFitToPage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(refreshTenImpressions)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(refreshOneImpressionInTen)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
