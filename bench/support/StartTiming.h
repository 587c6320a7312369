#pragma once

// Start-up benchmarks of the programs as a user meets them: each start a fresh process, timed
// until the program says it is up, then left idle to take the memory it holds.
#include "bench/support/ResidentMemory.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QThread>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>

// A program process of a benchmark, ended when this goes (terminated, killed if it lingers).
class ProgramProcess
{
public:
    ProgramProcess(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
    {
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(program, arguments);
        m_process.waitForStarted();
    }
    ~ProgramProcess()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
    }
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool running() const { return m_process.state() != QProcess::NotRunning; }
    qint64 pid() const { return m_process.processId(); }

private:
    QProcess m_process;
};

// One start per iteration: `start()` gives the program (anything with pid()), `ready(program)`
// waits until it is up, false when it never comes up (the run is then skipped with `error`).
// The time from before the start until ready is the iteration's. Untimed, `atReady(pid)` runs,
// then the program idles `idleMs` and its resident memory is taken: the largest of the
// iterations is the counter "idle_rss_MB".
template <typename Start, typename Ready>
void timeStarts(benchmark::State& state, Start start, Ready ready, int idleMs, const char* error,
                const std::function<void(qint64 pid)>& atReady = {})
{
    double rss = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        auto program = start();
        if (!ready(*program)) {
            state.SkipWithError(error);
            return;
        }
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        state.PauseTiming();
        if (atReady)
            atReady(program->pid());
        QThread::msleep(idleMs);
        rss = std::max(rss, residentMegabytes(program->pid()));
        state.ResumeTiming();
    }
    state.counters["idle_rss_MB"] = rss;
}

// The registration of a start-up benchmark: one start per repetition, timed by the benchmark
// itself; the median of the repetitions is the figure. BENCHMARK(f)->Apply(oneStartPerRepetition).
inline void oneStartPerRepetition(benchmark::internal::Benchmark* b)
{
    b->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(15)->ReportAggregatesOnly(true);
}
