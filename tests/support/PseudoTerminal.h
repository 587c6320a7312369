#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace testing_support {

// A pseudo-terminal whose slave side stands in for a serial device (point QV_COM<n> at
// slavePath()): what the test writes to the master arrives at the port.
class PseudoTerminal
{
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const QString& slavePath() const { return m_slavePath; }

    void write(const QByteArray& bytes);
    // Hangs the line up: the device goes away for the port.
    void closeMaster();

private:
    int m_master = -1;
    QString m_slavePath;
};

// Runs the event loop (real time; a test clock stands still) until `done` holds; false after 10 s.
bool waitUntil(const std::function<bool()>& done);

} // namespace testing_support
