#pragma once

#include "platform/ui/MessageService.h"

namespace ui {

// Shows a message as a real dialog: the box's buttons, icon and default button, the
// program title when the message has none, CR and CR LF as line breaks. A Help button
// opens the message's help topic and leaves the box open.
class QtMessageService : public MessageService
{
public:
    Answer show(const Message& message) override;
};

} // namespace ui
