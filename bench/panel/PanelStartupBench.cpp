// Zephlorin's start-up as a user meets it: the real program, each start a fresh process, from
// its start to the panel on the screen (it serves its hand-over conversation right after
// showing itself), and the memory the idle panel then holds (RSS). Settings, registry, work
// and runtime folders are private to the run; the settings say: not the first start of this
// version, no tray icon, Quorvane installed. The CPU time the panel spent until then is given
// too: on a busy machine it stays put while the wall time grows.
#include "bench/support/StartTiming.h"
#include "common/modRegistryLow.h"
#include "platform/ipc/IpcConversation.h"
#include "platform/settings/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

class Home
{
public:
    Home()
    {
        for (const char* folder : {"config", "cache", "data", "runtime"})
            QDir(m_dir.path()).mkpath(QString::fromLatin1(folder));
        QFile::setPermissions(m_dir.filePath(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        for (const char* folder : {"config", "cache", "data"})
            qputenv(QByteArray("XDG_") + QByteArray(folder).toUpper() + "_HOME",
                    QFile::encodeName(m_dir.filePath(QString::fromLatin1(folder))));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.filePath(QStringLiteral("runtime"))));
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qunsetenv("DISPLAY");

        const QString app = QStringLiteral("Zephlorin");
        settings::saveSetting(app, QStringLiteral("Startup"), QStringLiteral("Last Version"), QStringLiteral("1.5.0"));
        settings::saveSetting(app, QStringLiteral("Preferences"), QStringLiteral("Show In Systray"),
                              QStringLiteral("0"));
        const QString quorvane = m_dir.filePath(QStringLiteral("quorvane"));
        QFile(quorvane).open(QIODevice::WriteOnly);
        modRegistryLow::setStringValue(
            modRegistryLow::Root::LocalMachine,
            QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Quorvane.exe"), QString(),
            quorvane);
    }

private:
    QTemporaryDir m_dir;
};

bool isServing()
{
    ipc::Conversation conversation;
    return conversation.open(ipc::Channel::Conversation, QStringLiteral("Zephlorin|MDI"));
}

bool waitUntilServing(const ProgramProcess& panel)
{
    QElapsedTimer timer;
    timer.start();
    while (!isServing()) {
        if (!panel.running() || timer.elapsed() > 10000)
            return false;
        QThread::usleep(500);
    }
    return true;
}

void BM_StartToPanelShown(benchmark::State& state)
{
    const Home home;
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/zephlorin");
    double cpu = 0;
    timeStarts(
        state,
        [&program] {
            return std::make_unique<ProgramProcess>(program, QStringList(), QProcessEnvironment::systemEnvironment());
        },
        waitUntilServing, 300, "the panel did not start", [&cpu](qint64 pid) { cpu += cpuMilliseconds(pid); });
    state.counters["panel_cpu_ms"] = cpu;
}
BENCHMARK(BM_StartToPanelShown)->Apply(oneStartPerRepetition);

} // namespace
