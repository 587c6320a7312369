#include "ScriptedMessages.h"

#include <gtest/gtest.h>

namespace testing_support {

ScriptedMessages::ScriptedMessages() : m_installed(ui::messageService.replace(*this)) {}

ScriptedMessages::~ScriptedMessages()
{
    EXPECT_TRUE(m_answers.isEmpty()) << m_answers.size() << " scripted answer(s) were never asked for";
}

ScriptedMessages& ScriptedMessages::answer(ui::Answer answer)
{
    m_answers.enqueue(answer);
    return *this;
}

ScriptedMessages& ScriptedMessages::ok(int count)
{
    for (int i = 0; i < count; ++i)
        m_answers.enqueue(ui::Answer::Ok);
    return *this;
}

ui::Answer ScriptedMessages::show(const ui::Message& message)
{
    m_shown.append(message);
    if (m_answers.isEmpty()) {
        ADD_FAILURE() << "unexpected message box: " << message.text.toStdString();
        return ui::defaultAnswer(message);
    }
    const ui::Answer a = m_answers.dequeue();
    EXPECT_TRUE(ui::answersOf(message.buttons).contains(a))
        << "scripted answer " << int(a) << " is not offered by the box: " << message.text.toStdString();
    return a;
}

QStringList ScriptedMessages::texts() const
{
    QStringList out;
    for (const auto& m : m_shown)
        out << m.text;
    return out;
}

void ScriptedMessages::clear()
{
    m_shown.clear();
    m_answers.clear();
}

} // namespace testing_support
