#include "platform/ipc/WindowClass.h"

#include "platform/ipc/IpcConversation.h"

namespace ipc {

namespace {

const QString TitleItem = QStringLiteral("title");
const QString ActivateCommand = QStringLiteral("activate");
// How long an announcing program may take to answer.
constexpr int AnswerTimeoutMs = 5000;

// Opens a conversation with the program that announces the class, when its title matches.
bool openMatching(Conversation& conversation, const QString& className, const QString& title)
{
    if (!conversation.open(Channel::WindowClass, className))
        return false;
    if (title.isNull())
        return true;
    const Conversation::Result answer = conversation.transact(Kind::Request, TitleItem, AnswerTimeoutMs);
    return answer.outcome == Conversation::Outcome::Replied && answer.status == Status::Accepted &&
           answer.data.compare(title, Qt::CaseInsensitive) == 0;
}

} // namespace

WindowClass::WindowClass(const QString& className, const QString& title, QObject* parent)
    : QObject(parent), m_server(Channel::WindowClass, className), m_title(title)
{
    m_server.setRequestHandler([this](const QString& item) {
        return item == TitleItem ? Reply{Status::Accepted, m_title} : Reply{};
    });
    m_server.setExecuteHandler([this](const QString& command) {
        if (command != ActivateCommand)
            return Status::Rejected;
        Q_EMIT activateRequested();
        return Status::Accepted;
    });
}

bool WindowClass::announce()
{
    return m_server.listen();
}

void WindowClass::withdraw()
{
    m_server.close();
}

bool WindowClass::isPresent(const QString& className, const QString& title)
{
    Conversation conversation;
    return openMatching(conversation, className, title);
}

bool WindowClass::activate(const QString& className, const QString& title)
{
    Conversation conversation;
    if (!openMatching(conversation, className, title))
        return false;
    const Conversation::Result answer = conversation.transact(Kind::Execute, ActivateCommand, AnswerTimeoutMs);
    return answer.outcome == Conversation::Outcome::Replied && answer.status == Status::Accepted;
}

} // namespace ipc
