#pragma once

#include "platform/ipc/IpcConversation.h"

#include <QObject>
#include <QString>

namespace ipc {

// The client end of a conversation, used the way a label acting as DDE destination is used:
// set the topic ("<service>|<topic>"), open the conversation by setting the link mode to 2
// (manual), then execute commands and request items, whose data become the caption.
// Failures raise vb::Error with the DDE numbers of DdeError.h.
class DdeLink : public QObject
{
    Q_OBJECT

public:
    static constexpr int None = 0;
    static constexpr int Manual = 2;
    // Tenths of a second a transaction waits for its answer unless told otherwise.
    static constexpr int DefaultTimeout = 50;

    explicit DdeLink(QObject* parent = nullptr);

    QString linkTopic() const { return m_topic; }
    // A new topic ends an open conversation.
    void setLinkTopic(const QString& topic);

    QString linkItem() const { return m_item; }
    void setLinkItem(const QString& item) { m_item = item; }

    // 0 (None) or 2 (Manual). The mode falls back to 0 when the other program ends the conversation.
    int linkMode() const;
    // 2 opens the conversation of the topic (282 when nobody serves it; kept when already open);
    // 0 closes it; any other mode raises 380.
    void setLinkMode(int mode);

    // Tenths of a second; taken as an unsigned 16-bit number, so -1 waits the longest.
    int linkTimeout() const { return m_timeout; }
    void setLinkTimeout(int tenths) { m_timeout = tenths; }

    // Sends a command. Raises 293 without a conversation, 285 when refused, 288 when the other
    // program is busy, 286 when it does not answer in time, 291 when it ends meanwhile.
    void linkExecute(const QString& command);
    // Requests the item; its data become the caption. Raises as linkExecute.
    void linkRequest();

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }

private:
    Conversation::Result transact(Kind kind, const QString& text);

    Conversation m_conversation;
    QString m_topic;
    QString m_item;
    QString m_caption;
    int m_timeout = DefaultTimeout;
};

} // namespace ipc
