#include "platform/vb/EventWait.h"

namespace vb {

namespace {

int g_depth = 0;

} // namespace

EventWait::EventWait()
{
    ++g_depth;
}

EventWait::~EventWait()
{
    --g_depth;
}

int EventWait::depth()
{
    return g_depth;
}

} // namespace vb
