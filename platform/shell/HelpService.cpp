#include "platform/shell/HelpService.h"

#include "platform/shell/HelpEngine.h"

#include <utility>

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
    return std::exchange(g_current, replacement);
}

} // namespace shell
