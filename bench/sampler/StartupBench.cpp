// Brindlemark's start-up as a user meets it, each start a fresh process of the real program:
// the time until its main window announces its window class (a later start can find it), and
// the memory the program holds once its sample window is idle (RSS). Settings, registry, work
// and runtime folders are private to the run.
#include "common/MainHelper.h"
#include "platform/ipc/WindowClass.h"

#include "bench/support/ProgramHome.h"
#include "bench/support/StartTiming.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <benchmark/benchmark.h>

#include <memory>

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

bool waitForMainWindow(const ProgramProcess& program)
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
    // Idle once the sample window is made.
    timeStarts(
        state,
        [&home] {
            return std::make_unique<ProgramProcess>(QStringLiteral(QV_PROGRAM_DIR "/brindlemark"), QStringList(),
                                                    home.environment());
        },
        waitForMainWindow, 500, "the program did not announce its main window");
}
BENCHMARK(BM_StartToAnnouncedMainWindow)->Apply(oneStartPerRepetition);

} // namespace
