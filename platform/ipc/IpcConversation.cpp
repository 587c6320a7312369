#include "platform/ipc/IpcConversation.h"

#include "platform/ipc/IpcPeer.h"

#include <QEventLoop>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

namespace ipc {

Conversation::Conversation(QObject* parent) : QObject(parent) {}

Conversation::~Conversation()
{
    close();
}

bool Conversation::open(Channel channel, const QString& name)
{
    close();
    const PathResult path = RuntimeDir::socketPath(channel, name);
    if (!path)
        return false;
    auto* socket = new QLocalSocket(this);
    // A local connect completes at once: refused, missing, or connected.
    socket->connectToServer(path.path);
    if (!socket->waitForConnected(1000) || !peerIsSameUser(socket->socketDescriptor())) {
        delete socket;
        return false;
    }
    m_socket = socket;
    m_decoder = FrameDecoder();
    connect(m_socket, &QLocalSocket::readyRead, this, &Conversation::readReplies);
    connect(m_socket, &QLocalSocket::disconnected, this, &Conversation::closed);
    return true;
}

void Conversation::close()
{
    if (!m_socket)
        return;
    m_socket->disconnect(this);
    m_socket->abort();
    m_socket->deleteLater();
    m_socket = nullptr;
    m_waiting.clear();
    m_replies.clear();
    Q_EMIT closed();
}

bool Conversation::isOpen() const
{
    return m_socket && m_socket->state() == QLocalSocket::ConnectedState;
}

void Conversation::drop()
{
    m_socket->abort(); // a garbled or oversized reply ends the conversation
    Q_EMIT closed();
}

void Conversation::readReplies()
{
    if (!m_decoder.feed(m_socket->readAll())) {
        drop();
        return;
    }
    while (std::optional<Frame> frame = m_decoder.next()) {
        if (frame->kind != Kind::Reply) {
            drop();
            return;
        }
        if (m_waiting.contains(frame->transaction)) {
            const quint32 transaction = frame->transaction;
            m_replies.insert(transaction, *frame);
            Q_EMIT replyArrived(transaction);
        }
    }
    if (m_decoder.failed())
        drop();
}

Conversation::Result Conversation::transact(Kind kind, const QString& text, int timeoutMs)
{
    if (!isOpen())
        return {};
    if (++m_lastTransaction == 0)
        ++m_lastTransaction;
    const quint32 transaction = m_lastTransaction;
    const QByteArray bytes = encodeFrame(Frame{kind, transaction, Status::Accepted, text});
    if (bytes.isEmpty())
        return {Outcome::TooLarge, Status::Rejected, QString()};
    m_waiting.insert(transaction);
    m_socket->write(bytes);
    m_socket->flush();

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(this, &Conversation::closed, &loop, &QEventLoop::quit);
    connect(this, &Conversation::replyArrived, &loop, [&loop, transaction](quint32 arrived) {
        if (arrived == transaction)
            loop.quit();
    });
    const QPointer<Conversation> self(this);
    if (!m_replies.contains(transaction) && isOpen()) {
        timer.start(std::max(timeoutMs, 0));
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!self)
        return {};
    m_waiting.remove(transaction);
    if (const auto reply = m_replies.constFind(transaction); reply != m_replies.cend()) {
        Result result{Outcome::Replied, reply->status, reply->text};
        m_replies.erase(reply);
        return result;
    }
    return {isOpen() ? Outcome::TimedOut : Outcome::Closed, Status::Rejected, QString()};
}

} // namespace ipc
