// Brindlemark's start-up as a user meets it, each start a fresh process of the real program:
// the time until its main window announces its window class (a later start can find it), and
// the memory the program holds once its sample window is idle (RSS). Settings, registry, work
// and runtime folders are private to the run.
#include "common/MainHelper.h"
#include "platform/ipc/WindowClass.h"

#include "bench/support/ProgramHome.h"
#include "bench/support/ResidentMemory.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

// The folders of the run; this process uses the same runtime folder to look for the window.
class Home : public ProgramHome
{
public:
    Home() : ProgramHome(QStringLiteral("brindlemark"))
    {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder()));
    }
};

class Program
{
public:
    explicit Program(const Home& home)
    {
        m_process.setProcessEnvironment(home.environment());
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(QStringLiteral(QV_PROGRAM_DIR "/brindlemark"), {});
        m_process.waitForStarted();
    }
    ~Program()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
    }
    bool running() const { return m_process.state() != QProcess::NotRunning; }
    qint64 pid() const { return m_process.processId(); }

private:
    QProcess m_process;
};

bool waitForMainWindow(const Program& program)
{
    const QDeadlineTimer deadline(20000);
    while (!ipc::WindowClass::isPresent(modMainHelper::mainWindowClassName(), QStringLiteral("Brindlemark"))) {
        if (deadline.hasExpired() || !program.running())
            return false;
        QThread::usleep(500);
    }
    return true;
}

void BM_StartToAnnouncedMainWindow(benchmark::State& state)
{
    Home home;
    double rss = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        Program program(home);
        if (!waitForMainWindow(program)) {
            state.SkipWithError("the program did not announce its main window");
            return;
        }
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        state.PauseTiming();
        QThread::msleep(500); // the sample window made and idle
        rss = std::max(rss, residentMegabytes(program.pid()));
        state.ResumeTiming();
    }
    state.counters["idle_rss_MB"] = rss;
}
// One start per repetition; the median of the repetitions is the figure.
BENCHMARK(BM_StartToAnnouncedMainWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
