#pragma once

#include "platform/print/PrintSpooler.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

namespace testing_support {

// A print server of the test's own for as long as this lives: cupsd with its configuration,
// spool and socket in a temporary folder, and one cups-pdf queue, the default, whose PDFs land
// in outputFolder(). The process talks to it through CUPS_SERVER, with the real CUPS spooler
// in place of the tests' guard. False when it could not be
// set up (cupsd or cups-pdf missing, not root, which cups-pdf requires); error() says why.
// Every wait is bounded. `pageSize` (a PPD name) is the queue's own paper.
class PrivateCups
{
public:
    explicit PrivateCups(const QString& pageSize = QStringLiteral("Letter"));
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    explicit operator bool() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }

    const QString& queue() const { return m_queue; }
    QString outputFolder() const { return m_dir.filePath(QStringLiteral("out")); }

    // Removes the queue, as an administrator may while the programs run.
    bool removeQueue() { return run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), m_queue}); }
    // Waits until the queue has no job left to print; false when one is still there at the bound.
    bool waitUntilIdle();
    // The PDFs cups-pdf wrote so far.
    QStringList outputs() const;
    // The server's log, for the message of a failed test.
    QString log() const;

private:
    bool setUp(const QString& pageSize);
    bool run(const QString& program, const QStringList& arguments);

    QTemporaryDir m_dir;
    QString m_queue;
    QString m_queueConfig; // cups-pdf reads its settings from the system's folder only
    QString m_error;
    QProcess m_cupsd;
    QByteArray m_previousServer;
    bool m_hadServer = false;
    std::optional<service::Service<print::PrintSpooler>::Override> m_spooler;
};

} // namespace testing_support
