// Places every position of a layout sheet afresh, as each activation of the layout window
// does: ten different impressions (ten files read and ten symbols encoded), and one impression
// in all ten positions (two placed from the file, eight copied).
#include "common/ProgramEdition.h"
#include "layout/frmLabelLayout.h"
#include "model/CImpressionDoc.h"
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

void refreshTenImpressions(benchmark::State& state)
{
    Program program;
    frmLabelLayout* window = program.sheet();
    for (qint16 i = 0; i < 10; ++i) {
        bool ok = false;
        window->setImage(program.writeImpression(i), i, ok);
    }
    run(state, window);
}

void refreshOneImpressionInTen(benchmark::State& state)
{
    Program program;
    frmLabelLayout* window = program.sheet();
    window->quickLayoutIMF(program.writeImpression(0));
    run(state, window);
}

} // namespace

BENCHMARK(refreshTenImpressions)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(refreshOneImpressionInTen)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
