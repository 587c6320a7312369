#include "platform/pdf417/ReaderProcess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <memory>
#include <vector>

#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace pdf417 {

namespace {

const QString HelperName = QStringLiteral("qv-symbol-reader");
constexpr char FaultVariable[] = "QV_SYMBOL_READER_FAULT";
// Each message goes as its length (32 bits, little-endian) and its bytes. Answers hold a few
// kilobytes of card data; more is not an answer.
constexpr qint64 FrameHeader = 4;
constexpr quint32 MaxAnswer = 16 * 1024 * 1024;
// A killed helper ends at once; this only bounds the wait for it.
constexpr int EndMs = 5000;

ReaderJob::Request::Fault faultForTests()
{
    const QByteArray fault = qgetenv(FaultVariable);
    if (fault == "crash")
        return ReaderJob::Request::Crash;
    if (fault == "hang")
        return ReaderJob::Request::Hang;
    return ReaderJob::Request::NoFault;
}

// This program's process, for the helper to check that it still has its parent.
pid_t parentPid = 0;

// Runs in the child between fork and exec, so only async-signal-safe calls.
void prepareChild()
{
    // The program's open files (a serial port, a lock, a listening socket) must not stay open in
    // the helper: whatever is not yet marked close-on-exec is marked now.
    if (::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) != 0) {
        for (int fd = 3; fd < 1024; ++fd) // kernels before 5.11
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    // Ends with the thread that started it. A program that ended before this call sends no
    // signal: the helper then has another parent already.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parentPid)
        ::_exit(1);
}

// One running helper program.
class Helper
{
public:
    Helper()
    {
        m_process.setProgram(ReaderProcess::helperPath());
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        parentPid = ::getpid();
        m_process.setChildProcessModifier(&prepareChild);
        QObject::connect(&m_process, &QProcess::errorOccurred, [this](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                qWarning("The symbol reader %s cannot be started: %s", qPrintable(m_process.program()),
                         qPrintable(m_process.errorString()));
        });
        m_process.start();
    }

    ~Helper()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill();
        m_process.waitForFinished(EndMs);
    }

    Helper(const Helper&) = delete;
    Helper& operator=(const Helper&) = delete;

    // Still there to take a request (an idle helper may have been killed from outside).
    bool alive() { return m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(0); }

    // Sends a request and waits for the answer until the deadline.
    std::optional<QByteArray> ask(const QByteArray& request, const QDeadlineTimer& deadline)
    {
        if (m_process.state() == QProcess::NotRunning)
            return std::nullopt;
        QByteArray frame(FrameHeader, Qt::Uninitialized);
        qToLittleEndian<quint32>(quint32(request.size()), frame.data());
        m_process.write(frame + request);
        if (waitsWithEvents())
            waitWithEvents(deadline);
        else
            waitBlocking(deadline);
        if (!answered())
            return std::nullopt;
        const quint32 size = answerSize();
        m_process.skip(FrameHeader);
        return m_process.read(size);
    }

private:
    static bool waitsWithEvents()
    {
        const QCoreApplication* app = QCoreApplication::instance();
        return app && app->thread() == QThread::currentThread();
    }

    void waitWithEvents(const QDeadlineTimer& deadline)
    {
        QEventLoop loop;
        QTimer bound;
        bound.setSingleShot(true);
        bound.setTimerType(Qt::PreciseTimer);
        QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &loop, [this, &loop] {
            if (answered() || broken())
                loop.quit();
        });
        QObject::connect(&m_process, &QProcess::finished, &loop, &QEventLoop::quit);
        QObject::connect(&m_process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
        if (answered() || broken() || m_process.state() == QProcess::NotRunning || deadline.hasExpired())
            return;
        bound.start(int(deadline.remainingTime()));
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }

    void waitBlocking(const QDeadlineTimer& deadline)
    {
        while (!answered() && !broken() && m_process.state() != QProcess::NotRunning && !deadline.hasExpired())
            m_process.waitForReadyRead(int(deadline.remainingTime()));
    }

    quint32 answerSize()
    {
        const QByteArray header = m_process.peek(FrameHeader);
        return header.size() < FrameHeader ? 0 : qFromLittleEndian<quint32>(header.constData());
    }

    bool broken() { return answerSize() > MaxAnswer; }

    bool answered()
    {
        return m_process.bytesAvailable() >= FrameHeader && !broken() &&
               m_process.bytesAvailable() >= FrameHeader + answerSize();
    }

    QProcess m_process;
};

// The helpers of a thread not busy with a read. Those of the application's thread are ended
// with the application object, while Qt is still there to end them.
thread_local std::vector<std::unique_ptr<Helper>> idleHelpers;

void endIdleHelpers()
{
    idleHelpers.clear();
}

std::unique_ptr<Helper> takeHelper()
{
    while (!idleHelpers.empty()) {
        std::unique_ptr<Helper> helper = std::move(idleHelpers.back());
        idleHelpers.pop_back();
        if (helper->alive())
            return helper;
    }
    const QCoreApplication* app = QCoreApplication::instance();
    static bool endedWithApplication = false;
    if (app && app->thread() == QThread::currentThread() && !std::exchange(endedWithApplication, true))
        qAddPostRoutine(&endIdleHelpers);
    return std::make_unique<Helper>();
}

void returnHelper(std::unique_ptr<Helper> helper)
{
    // One idle helper is enough; a second one served a read started while another waited.
    if (idleHelpers.empty())
        idleHelpers.push_back(std::move(helper));
}

} // namespace

std::optional<ReaderJob::Answer> ReaderProcess::run(ReaderJob::Kind kind, const QString& imageFile, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    const ReaderJob::Request request{kind, QFileInfo(imageFile).absoluteFilePath(), faultForTests()};
    std::unique_ptr<Helper> helper = takeHelper();
    const std::optional<QByteArray> bytes = helper->ask(ReaderJob::pack(request), deadline);
    std::optional<ReaderJob::Answer> answer = bytes ? ReaderJob::unpackAnswer(*bytes) : std::nullopt;
    // A helper that crashed, hung or answered nonsense is ended; the next read starts afresh.
    if (answer)
        returnHelper(std::move(helper));
    return answer;
}

QString ReaderProcess::helperPath()
{
    if (QCoreApplication::instance()) {
        const QFileInfo beside(QCoreApplication::applicationDirPath() + u'/' + HelperName);
        if (beside.isExecutable())
            return beside.filePath();
    }
    // Tests and benchmarks run from folders of the build tree of their own.
    return QStringLiteral(QV_SYMBOL_READER_BUILD_DIR "/") + HelperName;
}

} // namespace pdf417
