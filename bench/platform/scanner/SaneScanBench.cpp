// A program run's first scan against its second, from the call to the image in hand, over SANE's
// test backend with no scanner chosen: SANE starts with the first scan of a run and stays started.
#include "platform/scanner/SaneImageSource.h"
#include "tests/platform/scanner/SaneTestBackend.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

static void secondScanAgainstFirst(benchmark::State& state)
{
    const QTemporaryDir config; // no scanner chosen, and the user's choice left alone
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    scanner::SaneImageSource source;
    double firstMs = 0, secondMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        SaneTestBackend::instance().configure(); // SANE ended, as at the program's start
        state.ResumeTiming();
        for (double* total : {&firstMs, &secondMs}) {
            QElapsedTimer timer;
            timer.start();
            if (!source.acquire(nullptr))
                return state.SkipWithError("a scan failed");
            *total += double(timer.nsecsElapsed()) / 1e6;
        }
    }
    state.counters["first_ms"] = benchmark::Counter(firstMs, benchmark::Counter::kAvgIterations);
    state.counters["second_ms"] = benchmark::Counter(secondMs, benchmark::Counter::kAvgIterations);
    state.counters["second_per_first"] = firstMs > 0 ? secondMs / firstMs : 0;
}

BENCHMARK(secondScanAgainstFirst)->Unit(benchmark::kMillisecond)->UseRealTime();
