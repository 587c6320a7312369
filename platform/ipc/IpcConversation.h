#pragma once

#include "platform/ipc/IpcFrame.h"
#include "platform/ipc/IpcFrameDecoder.h"
#include "platform/ipc/IpcRuntimeDir.h"

#include <QHash>
#include <QObject>
#include <QSet>

class QLocalSocket;

namespace ipc {

// The client side of one conversation with a server: a connection and its transactions.
// Each transaction carries a number, so that a reply that comes after its wait timed out is
// recognised and dropped instead of being taken for the answer to a later transaction.
class Conversation : public QObject
{
    Q_OBJECT

public:
    enum class Outcome
    {
        Replied,  // the server answered; see the status
        TimedOut, // no answer within the time-out
        Closed,   // there is no connection, or it ended while waiting
        TooLarge, // the text does not fit in a frame; nothing was sent
    };

    struct Result
    {
        Outcome outcome = Outcome::Closed;
        Status status = Status::Rejected;
        QString data;
    };

    explicit Conversation(QObject* parent = nullptr);
    ~Conversation() override;

    // Connects to the server of a name; false when nobody of this user listens there.
    bool open(Channel channel, const QString& name);
    void close();
    bool isOpen() const;

    // Sends one transaction and waits at most `timeoutMs` for its reply. The wait keeps the
    // event loop running (paints, timers, sockets); user input waits until it ends.
    Result transact(Kind kind, const QString& text, int timeoutMs);

Q_SIGNALS:
    void replyArrived(quint32 transaction);
    void closed();

private:
    void readReplies();
    void drop();

    QLocalSocket* m_socket = nullptr;
    FrameDecoder m_decoder;
    quint32 m_lastTransaction = 0;
    QSet<quint32> m_waiting;
    QHash<quint32, Frame> m_replies;
};

} // namespace ipc
