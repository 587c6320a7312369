#include "capture/modDDE.h"

#include "capture/frmHelper.h"
#include "platform/ipc/DdeError.h"
#include "platform/ipc/DdeLink.h"
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
