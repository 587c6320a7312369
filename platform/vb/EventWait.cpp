#include "platform/vb/EventWait.h"

#include "platform/vb/Road.h"

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
    if (--g_depth == 0 && !Road::running())
        Road::waitEnded();
}

int EventWait::depth()
{
    return g_depth;
}

} // namespace vb
