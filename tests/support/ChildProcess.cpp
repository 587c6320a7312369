#include "ChildProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>

namespace testing_support {

namespace {
constexpr int BoundMs = 30000; // a safety net for a broken child, never a synchronisation
}

ChildProcess::ChildProcess(const QString& program, const QStringList& arguments, std::function<void()> childModifier)
{
    m_process.setProgram(QDir(QCoreApplication::applicationDirPath()).filePath(program));
    m_process.setArguments(arguments);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (childModifier)
        m_process.setChildProcessModifier(childModifier);
    m_process.start();
}

ChildProcess::~ChildProcess()
{
    if (m_process.state() != QProcess::NotRunning && !finish())
        kill();
}

void ChildProcess::readLines()
{
    while (m_process.canReadLine())
        m_lines.append(QString::fromUtf8(m_process.readLine()).trimmed());
}

bool ChildProcess::waitFor(const QString& line)
{
    QEventLoop loop;
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &loop, &QEventLoop::quit);
    QObject::connect(&m_process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&m_process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    bound.start(BoundMs);
    while (true) {
        readLines();
        for (; m_seen < m_lines.size(); ++m_seen) {
            if (m_lines[m_seen] == line) {
                ++m_seen;
                return true;
            }
        }
        if (m_process.state() == QProcess::NotRunning || !bound.isActive())
            return false;
        loop.exec();
    }
}

void ChildProcess::send(const QByteArray& line)
{
    m_process.write(line + '\n');
    m_process.waitForBytesWritten();
}

bool ChildProcess::finish()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(BoundMs))
            return false;
    }
    readLines();
    return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}

void ChildProcess::kill()
{
    m_process.kill();
    m_process.waitForFinished(BoundMs);
}

} // namespace testing_support
