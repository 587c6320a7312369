#include "platform/ui/Help.h"

#include "platform/shell/HelpService.h"
#include "platform/ui/MessageService.h"

namespace ui {

namespace {

bool reported(const shell::HelpResult& result)
{
    if (!result)
        msgBox(result.message, Buttons::Ok, Icon::Exclamation);
    return bool(result);
}

} // namespace

bool showHelpTopic(int topic)
{
    return reported(shell::helpService().showTopic(topic));
}

bool showHelpContents()
{
    return reported(shell::helpService().showContents());
}

} // namespace ui
