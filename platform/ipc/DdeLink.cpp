#include "platform/ipc/DdeLink.h"

#include "platform/ipc/DdeError.h"

namespace ipc {

DdeLink::DdeLink(QObject* parent) : QObject(parent) {}

void DdeLink::setLinkTopic(const QString& topic)
{
    m_conversation.close();
    m_topic = topic;
}

int DdeLink::linkMode() const
{
    return m_conversation.isOpen() ? Manual : None;
}

void DdeLink::setLinkMode(int mode)
{
    if (mode == None) {
        m_conversation.close();
        return;
    }
    if (mode != Manual)
        throw ddeError(err::InvalidPropertyValue);
    if (m_conversation.isOpen())
        return;
    const qsizetype bar = m_topic.indexOf(u'|');
    const bool wellFormed = bar > 0 && bar < m_topic.size() - 1;
    if (!wellFormed || !m_conversation.open(Channel::Conversation, m_topic))
        throw ddeError(err::NoServer);
}

Conversation::Result DdeLink::transact(Kind kind, const QString& text)
{
    if (!m_conversation.isOpen())
        throw ddeError(err::NoChannel);
    const int timeoutMs = int(quint16(m_timeout)) * 100;
    const Conversation::Result result = m_conversation.transact(kind, text, timeoutMs);
    switch (result.outcome) {
    case Conversation::Outcome::Replied:
        if (result.status == Status::Busy)
            throw ddeError(err::Busy);
        if (result.status == Status::Rejected)
            throw ddeError(err::Rejected);
        return result;
    case Conversation::Outcome::TimedOut:
        throw ddeError(err::Timeout);
    case Conversation::Outcome::TooLarge:
        throw ddeError(err::Rejected);
    case Conversation::Outcome::Closed:
        break;
    }
    throw ddeError(err::ServerQuit);
}

void DdeLink::linkExecute(const QString& command)
{
    transact(Kind::Execute, command);
}

void DdeLink::linkRequest()
{
    m_caption = transact(Kind::Request, m_item).data;
}

} // namespace ipc
