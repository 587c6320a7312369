#include "PeerProcess.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace {
constexpr int BoundMs = 30000; // a safety net for a broken peer, never a synchronisation
}

PeerProcess::PeerProcess(const QStringList& arguments, std::function<void()> childModifier)
{
    m_process.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/ipc_test_peer"));
    m_process.setArguments(arguments);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (childModifier)
        m_process.setChildProcessModifier(childModifier);
    m_process.start();
}

PeerProcess::~PeerProcess()
{
    if (m_process.state() != QProcess::NotRunning && !finish())
        kill();
}

void PeerProcess::readLines()
{
    while (m_process.canReadLine())
        m_lines.append(QString::fromUtf8(m_process.readLine()).trimmed());
}

bool PeerProcess::waitFor(const QString& line)
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

void PeerProcess::send(const QByteArray& line)
{
    m_process.write(line + '\n');
    m_process.waitForBytesWritten();
}

bool PeerProcess::finish()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(BoundMs))
            return false;
    }
    readLines();
    return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}

void PeerProcess::kill()
{
    m_process.kill();
    m_process.waitForFinished(BoundMs);
}
