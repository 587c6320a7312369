#include "platform/ipc/IpcServer.h"

#include "platform/ipc/IpcFrameDecoder.h"
#include "platform/ipc/IpcPeer.h"
#include "platform/ui/ErrorBoundary.h"

#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace ipc {

namespace {

// Whether a process listens on the socket at `path`. A full backlog still means someone is there.
bool someoneListens(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (native.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, native.constData(), native.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 || errno == EAGAIN;
    ::close(fd);
    return connected;
}

} // namespace

struct Server::ConnectionState
{
    FrameDecoder decoder;
    bool serving = false; // frames that arrive while a handler runs wait for it to return
};

Server::Server(const QString& service, const QString& topic, QObject* parent)
    : Server(Channel::Conversation, service + u'|' + topic, parent)
{
}

Server::Server(Channel channel, const QString& name, QObject* parent)
    : QObject(parent), m_channel(channel), m_name(name)
{
}

Server::~Server()
{
    close();
}

bool Server::listen()
{
    close();
    const PathResult socket = RuntimeDir::socketPath(m_channel, m_name);
    if (!socket) {
        m_error = socket.error;
        return false;
    }
    // Two programs starting at once must not both take the name, nor remove each other's socket.
    QLockFile guard(socket.path + QStringLiteral(".lock"));
    if (!guard.tryLock(5000)) {
        m_error = QStringLiteral("Cannot lock %1.").arg(guard.fileName());
        return false;
    }
    const QFileInfo existing(socket.path);
    if (existing.exists() || existing.isSymLink()) {
        if (someoneListens(socket.path)) {
            m_error = QStringLiteral("%1 is served by another program.").arg(m_name);
            return false;
        }
        QFile::remove(socket.path); // left behind by a program that ended
    }
    auto* server = new QLocalServer(this);
    if (!server->listen(socket.path)) {
        m_error = server->errorString();
        delete server;
        return false;
    }
    m_server = server;
    m_error.clear();
    connect(m_server, &QLocalServer::newConnection, this, &Server::acceptConnections);
    return true;
}

bool Server::isListening() const
{
    return m_server && m_server->isListening();
}

void Server::close()
{
    if (!m_server)
        return;
    m_server->close(); // removes the socket file
    // The connections are the listener's children. A handler may be closing the server from
    // inside one of their signals, so they are aborted now and deleted later.
    for (QLocalSocket* socket : m_server->findChildren<QLocalSocket*>())
        socket->abort();
    m_server->deleteLater();
    m_server = nullptr;
}

void Server::acceptConnections()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        if (!peerIsSameUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto state = std::make_shared<ConnectionState>();
        const QPointer<QLocalSocket> guarded(socket);
        connect(socket, &QLocalSocket::readyRead, this, [this, guarded, state] { serve(guarded, state); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0)
            serve(guarded, state);
    }
}

void Server::serve(const QPointer<QLocalSocket>& socket, const std::shared_ptr<ConnectionState>& state)
{
    if (!socket)
        return;
    if (!state->decoder.feed(socket->readAll())) {
        socket->abort();
        return;
    }
    if (state->serving)
        return;
    state->serving = true;
    const QPointer<Server> self(this);
    while (true) {
        const std::optional<Frame> frame = state->decoder.next();
        if (!frame)
            break;
        const Frame reply = answer(*frame); // may run a nested event loop
        if (!self || !socket || socket->state() != QLocalSocket::ConnectedState)
            return;
        QByteArray bytes = encodeFrame(reply);
        if (bytes.isEmpty()) // data that do not fit in a frame are refused rather than cut
            bytes = encodeFrame(Frame{Kind::Reply, reply.transaction, Status::Rejected, QString()});
        socket->write(bytes);
        socket->flush();
        // Frames that arrived while the handler ran are in the socket's buffer.
        if (!state->decoder.feed(socket->readAll()))
            break;
    }
    state->serving = false;
    if (state->decoder.failed())
        socket->abort();
}

Frame Server::answer(const Frame& frame)
{
    Frame reply{Kind::Reply, frame.transaction, Status::Rejected, QString()};
    if (m_busy) {
        reply.status = Status::Busy;
        return reply;
    }
    const QPointer<Server> self(this);
    m_busy = true;
    // The handlers run inside the error boundary: an error they raise is reported to the user,
    // and the transaction is refused.
    ui::runGuarded([&] {
        if (frame.kind == Kind::Execute && m_execute) {
            reply.status = m_execute(frame.text);
        } else if (frame.kind == Kind::Request && m_request) {
            const Reply value = m_request(frame.text);
            reply.status = value.status;
            if (value.status == Status::Accepted)
                reply.text = value.data;
        }
    });
    if (self)
        m_busy = false;
    return reply;
}

} // namespace ipc
