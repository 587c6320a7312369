#pragma once

#include "platform/ui/MessageService.h"

#include <cstdio>
#include <cstdlib>

// No box may wait for an answer while a benchmark's clock runs: one that shows ends the run.
class NoMessages : public ui::MessageService
{
public:
    ui::Answer show(const ui::Message& message) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(message.text));
        std::abort();
    }
};
