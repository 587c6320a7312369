#pragma once

#include <QProcess>
#include <QStringList>

#include <functional>

namespace testing_support {

// A helper program of the tests, run as a process of its own that prints lines on its
// standard output and takes lines on its standard input. Waiting for its lines keeps this
// process's event loop running, so the child may talk to servers of the test meanwhile.
class ChildProcess
{
public:
    // `program`: a path, or the name of an executable beside the test's own.
    ChildProcess(const QString& program, const QStringList& arguments, std::function<void()> childModifier = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Waits until the child prints `line`; false when it ends first (or after a generous bound).
    bool waitFor(const QString& line);
    // Every line the child printed so far.
    QStringList lines() const { return m_lines; }
    qint64 pid() const { return m_process.processId(); }

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

} // namespace testing_support
