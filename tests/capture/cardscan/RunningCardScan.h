#pragma once

#include "ChildProcess.h"

#include <QList>
#include <QStringList>

#include <utility>

// The execute that sets a field of CardScan's current card.
QString setField(const QString& field, const QString& value);

// The CardScan stand-in (cardscan_peer) run as a process of its own under the test's control,
// and the transactions it received.
class RunningCardScan
{
public:
    explicit RunningCardScan(int nVersion = 5, const QString& program = QStringLiteral("cardscan_peer"),
                             const QStringList& arguments = {});

    // Whether it serves the database (and shows its window class) by now.
    bool isReady() const { return m_ready; }

    // The commands executed since the last call, or the items requested, as they were sent.
    QStringList executes() { return received(m_executes); }
    QStringList requests() { return received(m_requests); }

    // Opens the program's own link to it, as a first contact operation does.
    static bool linkProgram();
    // Adds a card of the test's making through a conversation of its own; its commands are not
    // among the executes reported afterwards.
    void addCard(const QList<std::pair<QString, QString>>& fields);

    // Sends a control command and waits for its answer line.
    bool control(const QByteArray& command, const QString& answer);
    // The number of cards in its database.
    int total();
    // Ends it (its window class goes with it); true when it ended cleanly.
    bool finish() { return m_process.finish(); }

private:
    // The lines of one kind of transaction, and how many of the output lines were looked at.
    struct Received
    {
        QString prefix;
        qsizetype read = 0;
    };

    QStringList received(Received& kind);

    testing_support::ChildProcess m_process;
    bool m_ready = false;
    Received m_executes{QStringLiteral("execute ")};
    Received m_requests{QStringLiteral("request ")};
};
