// A card's round trip through the program's work folder, on the disk as for a user: a full
// impression encoded into "tmpsymbol.bmp" (through "tmpsymbol.vcf"), and a clean scan of a card
// decoded into "tmpsymbol.vcf". Work files are not flushed to the disk and the reader helper
// answers at once, so the wall time stays close to the CPU time (this process's and the
// helper's): "wall_per_cpu" shows it.
#include "bench/support/CpuTime.h"
#include "capture/modSymbolRoutines.h"
#include "model/CImpressionDoc.h"
#include "platform/pdf417/Pdf417.h"
#include "tests/platform/pdf417/CardScans.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>

#include <benchmark/benchmark.h>

namespace {

// The work folder below the build tree (never the user's own cache).
void useBuildTreeWorkFolder()
{
    qputenv("XDG_CACHE_HOME", QFile::encodeName(QCoreApplication::applicationDirPath() + QStringLiteral("/cache")));
}

// The full impression the symbol library's benchmarks encode, as a document.
CImpressionDoc fullDocument()
{
    const QString file = modSymbolRoutines::getTempFileName(QStringLiteral("full.vcf"));
    QFile out(file);
    const QByteArray data = cardscans::fullImpression();
    CImpressionDoc doc;
    if (!out.open(QIODevice::WriteOnly) || out.write(data) != data.size())
        return doc;
    out.close();
    doc.readFile(file);
    return doc;
}

// Runs `step` as the benchmark's loop and reports the CPU time per call of this process and
// the helper together, and the wall time over it.
template <typename Step> void measure(benchmark::State& state, Step step)
{
    if (!step()) // the helper started, the files there
        return state.SkipWithError("failed");
    QElapsedTimer wall;
    wall.start();
    const double cpuStart = CpuTime::now();
    for (auto _ : state) {
        if (!step())
            return state.SkipWithError("failed");
    }
    const double cpu = CpuTime::now() - cpuStart;
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    state.counters["cpu_ms"] = benchmark::Counter(cpu * 1000, benchmark::Counter::kAvgIterations);
    state.counters["wall_per_cpu"] = cpu > 0 ? seconds / cpu : 0;
}

void encodeFullImpressionIntoWorkFolder(benchmark::State& state)
{
    useBuildTreeWorkFolder();
    const CImpressionDoc doc = fullDocument();
    const QString bitmap = modSymbolRoutines::getTempSymbolBitmapName();
    measure(state, [&] { return modSymbolRoutines::makeSymbolBitmap(doc, bitmap, true, true); });
}

void decodeCleanCardFromWorkFolder(benchmark::State& state)
{
    useBuildTreeWorkFolder();
    const QString bitmap = modSymbolRoutines::getTempSymbolBitmapName();
    const QString vCard = modSymbolRoutines::getTempSymbolVCardName();
    if (!modSymbolRoutines::makeSymbolBitmap(fullDocument(), bitmap, true, true))
        return state.SkipWithError("not encoded");
    cardscans::Scan clean;
    clean.smooth = false;
    if (!cardscans::scanCard(QImage(bitmap), clean).save(bitmap))
        return state.SkipWithError("no card");
    measure(state, [&] { return pdf417::pdfDecodeBMPSymbolToFileEasy(bitmap, vCard) == pdf417::Done; });
}

} // namespace

BENCHMARK(encodeFullImpressionIntoWorkFolder)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(decodeCleanCardFromWorkFolder)->Unit(benchmark::kMillisecond)->UseRealTime();
