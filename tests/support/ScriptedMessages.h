#pragma once

#include "platform/ui/MessageService.h"

#include <QList>
#include <QQueue>

namespace testing_support {

// Answers message boxes from a queue and records every box shown. While it lives it
// is the message service; a box for which no answer was queued fails the test.
class ScriptedMessages : public ui::MessageService
{
public:
    ScriptedMessages();
    ~ScriptedMessages() override;

    // Queues the answer for the next box.
    ScriptedMessages& answer(ui::Answer answer);
    // Queues `count` OK answers.
    ScriptedMessages& ok(int count = 1);

    ui::Answer show(const ui::Message& message) override;

    const QList<ui::Message>& shown() const { return m_shown; }
    QStringList texts() const;
    const ui::Message& last() const { return m_shown.last(); }
    int pending() const { return static_cast<int>(m_answers.size()); }
    void clear();

private:
    service::Service<ui::MessageService>::Override m_installed;
    QQueue<ui::Answer> m_answers;
    QList<ui::Message> m_shown;
};

} // namespace testing_support
