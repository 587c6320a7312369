#pragma once

#include <QProcess>
#include <QStringList>

#include <functional>

// The conversation test peer, run as a process of its own. Waiting for its lines keeps this
// process's event loop running, so the peer may talk to servers of the test meanwhile.
class PeerProcess
{
public:
    explicit PeerProcess(const QStringList& arguments, std::function<void()> childModifier = {});
    ~PeerProcess();

    // Waits until the peer prints `line`; false when it ends first (or after a generous bound).
    bool waitFor(const QString& line);
    // Every line the peer printed so far.
    QStringList lines() const { return m_lines; }

    void send(const QByteArray& line);
    // Closes its input, which ends it, and waits for it to end; true when it ended cleanly.
    bool finish();
    // Kills it without letting it clean up.
    void kill();

private:
    void readLines();

    QProcess m_process;
    QStringList m_lines;
    qsizetype m_seen = 0;
};
