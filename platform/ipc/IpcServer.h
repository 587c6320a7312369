#pragma once

#include "platform/ipc/IpcFrame.h"
#include "platform/ipc/IpcRuntimeDir.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;

namespace ipc {

class FrameDecoder;

// The server side of a conversation: listens for "<service>|<topic>" (or a window class) on
// a local socket in the user's runtime folder and answers executes and requests through the
// handlers its owner sets. A handler that is still running (a dialog it opened, say) makes
// the server answer every other transaction with Busy. A handler runs inside the error
// boundary (ui/ErrorBoundary.h): an error it raises is reported to the user and the
// transaction is rejected. Connections from another user and peers that send a garbled or
// oversized frame are dropped.
class Server : public QObject
{
    Q_OBJECT

public:
    // Gives the outcome of an execute: Accepted, Rejected (the default without a handler) or Busy.
    using ExecuteHandler = std::function<Status(const QString& command)>;
    // Gives the value of a requested item; Rejected (the default) when the item is not served.
    using RequestHandler = std::function<Reply(const QString& item)>;

    Server(const QString& service, const QString& topic, QObject* parent = nullptr);
    Server(Channel channel, const QString& name, QObject* parent = nullptr);
    ~Server() override;

    QString name() const { return m_name; }

    // Starts listening. Fails when another live process serves the name already; a socket
    // file left by a program that ended is removed, but only after a connection to it failed.
    bool listen();
    bool isListening() const;
    void close();
    QString errorString() const { return m_error; }

    void setExecuteHandler(ExecuteHandler handler) { m_execute = std::move(handler); }
    void setRequestHandler(RequestHandler handler) { m_request = std::move(handler); }

private:
    struct ConnectionState;

    void acceptConnections();
    void serve(const QPointer<QLocalSocket>& socket, const std::shared_ptr<ConnectionState>& state);
    Frame answer(const Frame& frame);

    Channel m_channel;
    QString m_name;
    QString m_error;
    QLocalServer* m_server = nullptr;
    ExecuteHandler m_execute;
    RequestHandler m_request;
    bool m_busy = false;
};

} // namespace ipc
