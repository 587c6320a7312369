#include "platform/shell/HelpService.h"

#include "platform/shell/HelpEngine.h"

namespace shell {

namespace {

HelpService* g_current = nullptr;

} // namespace

HelpService& helpService()
{
    if (g_current)
        return *g_current;
    static HelpEngine engine;
    return engine;
}

HelpService* setHelpService(HelpService* replacement)
{
    HelpService* previous = g_current;
    g_current = replacement;
    return previous;
}

} // namespace shell
