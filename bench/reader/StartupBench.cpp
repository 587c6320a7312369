// Quorvane's start-up as a user meets it, each start a fresh process:
// - a start to the main window with its empty impression window on the screen, and the memory
//   the idle program then holds (RSS);
// - a second start with a file, to that file shown in the first copy.
// The processes are this executable in its program mode (the real start-up, the real windows);
// they report on stdout: "ready" once started and drawn, "opened <file>" when a window opened a
// file. Settings, registry, work and runtime folders are private to the run.
#include "common/IImpressionMRUDisplay.h"
#include "platform/ipc/SingleInstance.h"
#include "platform/ui/Form.h"
#include "platform/ui/Road.h"
#include "reader/frmImpression.h"
#include "reader/frmMDIMain.h"
#include "reader/modMain.h"

#include "bench/support/ProgramHome.h"
#include "bench/support/StartTiming.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

constexpr char ProgramMode[] = "--program";

void say(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// Told by the main window whenever a window opened or saved a file.
class OpenedProbe : public QWidget, public ui::Form, public IImpressionMRUDisplay
{
public:
    void updateImpressionMRUDisplay() override
    {
        say(QStringLiteral("opened ") + frmMDIMain::instance().getImpressionMRU().getMRUFileName(0));
    }
};

int runProgram(int argc, char** argv)
{
    QApplication app(argc, argv);
    modMain::setUpProgram(QApplication::arguments().mid(2), QDir::currentPath());
    frmMDIMain::setImpressionWindowFactory([] { return new frmImpression; });
    const ipc::SingleInstance instance(QString::fromLatin1(modMain::ProgramTitle));
    if (!modMain::Main(instance.prevInstance()))
        return 0;
    ui::load(*new OpenedProbe);
    QCoreApplication::processEvents(); // drawn
    say(QStringLiteral("ready"));
    // Ends when its input closes.
    auto* notifier = new QSocketNotifier(0, QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [notifier] {
        char c;
        if (::read(0, &c, 1) <= 0) {
            notifier->setEnabled(false);
            QCoreApplication::quit();
        }
    });
    return ui::Road::exec();
}

// A private home for the programs of one benchmark.
class Home : public ProgramHome
{
public:
    Home() : ProgramHome(QStringLiteral("quorvane")) {}
};

// A program started from this executable; waits for its lines with a bound.
class Program
{
public:
    Program(const Home& home, const QStringList& arguments)
    {
        m_process.setProcessEnvironment(home.environment());
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QCoreApplication::applicationFilePath(),
                        QStringList{QString::fromLatin1(ProgramMode)} + arguments);
    }
    ~Program()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
    }
    bool waitForLine(const QString& line)
    {
        while (m_process.state() != QProcess::NotRunning || m_process.canReadLine()) {
            while (m_process.canReadLine())
                if (QString::fromUtf8(m_process.readLine()).trimmed() == line)
                    return true;
            if (!m_process.waitForReadyRead(10000) && !m_process.canReadLine())
                return false;
        }
        return false;
    }
    bool waitForEnd() { return m_process.waitForFinished(10000) && m_process.exitCode() == 0; }
    qint64 pid() const { return m_process.processId(); }

private:
    QProcess m_process;
};

void BM_FreshStartToEmptyWindow(benchmark::State& state)
{
    Home home;
    timeStarts(
        state, [&home] { return std::make_unique<Program>(home, QStringList()); },
        [](Program& program) { return program.waitForLine(QStringLiteral("ready")); }, 300,
        "the program did not start");
}
BENCHMARK(BM_FreshStartToEmptyWindow)->Apply(oneStartPerRepetition);

void BM_SecondStartToFileShownInTheFirstCopy(benchmark::State& state)
{
    Home home;
    Program first(home, {});
    if (!first.waitForLine(QStringLiteral("ready"))) {
        state.SkipWithError("the first copy did not start");
        return;
    }
    const QString sample = QStringLiteral(QV_SOURCE_DIR "/data/samples/sample.imf");
    static int n = 0;
    for (auto _ : state) {
        // A file of its own each time: an impression already open is only brought forward.
        const QString file = home.file(QStringLiteral("card%1.imf").arg(++n));
        QFile::remove(file);
        QFile::copy(sample, file);
        QElapsedTimer timer;
        timer.start();
        Program second(home, {file});
        if (!first.waitForLine(QStringLiteral("opened ") + file) || !second.waitForEnd()) {
            state.SkipWithError("the file did not open in the first copy");
            return;
        }
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_SecondStartToFileShownInTheFirstCopy)->Apply(oneStartPerRepetition);

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], ProgramMode) == 0)
        return runProgram(argc, argv);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
