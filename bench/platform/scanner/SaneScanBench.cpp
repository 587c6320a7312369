// A program run's first scan against its second, from the call to the image in hand, over SANE's
// test backend with no scanner chosen (each scan lists the scanners and takes the first). SANE
// starts with the first scan of a run and stays started, so only the first one pays for starting
// SANE and its backends: "first_ms" and "second_ms" are the two scans' times, "second_per_first"
// their ratio.
#include "platform/scanner/SaneImageSource.h"
#include "platform/scanner/SaneSession.h"
#include "tests/platform/scanner/SaneTestBackend.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void secondScanAgainstFirst(benchmark::State& state)
{
    // A settings folder of its own: no scanner chosen, and the user's choice left alone.
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    SaneTestBackend::instance().configure();
    scanner::SaneImageSource source;
    qint64 firstNs = 0;
    qint64 secondNs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        scanner::SaneSession::end(); // as at the program's start
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        if (!source.acquire(nullptr))
            return state.SkipWithError("the first scan failed");
        firstNs += timer.nsecsElapsed();
        timer.restart();
        if (!source.acquire(nullptr))
            return state.SkipWithError("the second scan failed");
        secondNs += timer.nsecsElapsed();
    }
    state.counters["first_ms"] = benchmark::Counter(double(firstNs) / 1e6, benchmark::Counter::kAvgIterations);
    state.counters["second_ms"] = benchmark::Counter(double(secondNs) / 1e6, benchmark::Counter::kAvgIterations);
    state.counters["second_per_first"] = firstNs > 0 ? double(secondNs) / double(firstNs) : 0;
}

} // namespace

BENCHMARK(secondScanAgainstFirst)->Unit(benchmark::kMillisecond)->UseRealTime();
