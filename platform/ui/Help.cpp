#include "platform/ui/Help.h"

#include "platform/shell/HelpService.h"
#include "platform/ui/ErrorBoundary.h"
#include "platform/ui/MessageService.h"

namespace ui {

namespace {

void report(const QString& message)
{
    msgBox(message, Buttons::Ok, Icon::Exclamation);
}

bool reported(const shell::HelpResult& result)
{
    if (!result)
        report(result.message);
    return bool(result);
}

// A failure found once the browser's opener has ended is told then.
shell::HelpService::LateFailure lateReport()
{
    return guarded([](const QString& message) { report(message); });
}

} // namespace

bool showHelpTopic(int topic)
{
    return reported(shell::helpService().showTopic(topic, lateReport()));
}

bool showHelpContents()
{
    return reported(shell::helpService().showContents(lateReport()));
}

} // namespace ui
