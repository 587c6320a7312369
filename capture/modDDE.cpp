#include "capture/modDDE.h"

#include "capture/frmHelper.h"
#include "platform/ipc/DdeError.h"
#include "platform/ipc/DdeLink.h"
#include "platform/ipc/IpcServer.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/Command.h"

namespace modDDE {

namespace {

// Tenths of a second the hand-over waits for the running copy's answer.
constexpr int HandOverTimeout = 150;

} // namespace

QString mainWindowTopic()
{
    return ui::programTitle() + QStringLiteral("|MDI");
}

QString commandLineExecute(const QString& strCommandLine)
{
    return QStringLiteral("cmdline=") + strCommandLine;
}

std::optional<QString> commandLineOf(const QString& CmdStr)
{
    const qsizetype equals = CmdStr.indexOf(u'=');
    if (equals < 0 || CmdStr.left(equals).toLower() != QStringLiteral("cmdline"))
        return std::nullopt;
    const QString strValue = CmdStr.mid(equals + 1);
    if (strValue.toUtf8().size() > MaxCommandLineBytes)
        return std::nullopt;
    return strValue;
}

std::unique_ptr<ipc::Server> serveMainWindow(std::function<void(const QString& CmdStr, bool& Cancel)> linkExecute)
{
    auto server = std::make_unique<ipc::Server>(ipc::Channel::Conversation, mainWindowTopic());
    server->setExecuteHandler([linkExecute = std::move(linkExecute)](const QString& strCommand) {
        bool Cancel = true;
        linkExecute(strCommand, Cancel);
        return Cancel ? ipc::Status::Rejected : ipc::Status::Accepted;
    });
    if (!server->listen()) {
        qWarning("%s: not serving %s: %s", qPrintable(ui::programTitle()), qPrintable(server->name()),
                 qPrintable(server->errorString()));
        return nullptr;
    }
    return server;
}

bool forwardToRunningInstance()
{
    ipc::DdeLink* link = nullptr;
    try {
        frmHelper& helper = frmHelper::instance();
        link = &helper.DDE();
        link->setLinkTopic(mainWindowTopic());
        link->setLinkMode(ipc::DdeLink::Manual);
        link->setLinkTimeout(HandOverTimeout);
        link->linkExecute(commandLineExecute(vb::command()));
        link->setLinkMode(ipc::DdeLink::None);
        ui::unload(helper);
        return true;
    } catch (const vb::Error& error) {
        // The helper form stays loaded; only the conversation is closed.
        if (link)
            link->setLinkMode(ipc::DdeLink::None);
        if (error.number() != ipc::err::NoServer)
            ui::reportError(error);
        return false;
    }
}

} // namespace modDDE
