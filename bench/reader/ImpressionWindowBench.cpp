// The impression window: making and loading one (a ten-card page of scans makes ten), and
// opening a full impression file into one.
#include "model/CImpressionDoc.h"
#include "platform/ui/Form.h"
#include "platform/ui/MessageService.h"
#include "reader/frmImpression.h"
#include "reader/frmMDIMain.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

// No box may wait for an answer while the clock runs.
class NoMessages : public ui::MessageService
{
public:
    ui::Answer show(const ui::Message& message) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(message.text));
        std::abort();
    }
};

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

private:
    QTemporaryDir m_dir;
    QTemporaryDir m_runtime;
    NoMessages m_messages;
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

} // namespace
