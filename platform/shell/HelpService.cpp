#include "platform/shell/HelpService.h"

#include "platform/shell/HelpEngine.h"

namespace shell {

namespace {

HelpService& helpEngine()
{
    static HelpEngine engine;
    return engine;
}

} // namespace

constinit service::Service<HelpService> helpService(&helpEngine);

} // namespace shell
