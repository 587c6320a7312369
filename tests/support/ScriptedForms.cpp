#include "ScriptedForms.h"

#include "platform/ui/Form.h"

#include <QPointer>

#include <gtest/gtest.h>

namespace testing_support {

ScriptedForms::ScriptedForms() : m_installed(ui::modalDriver.replace(*this)) {}

ScriptedForms::~ScriptedForms()
{
    EXPECT_TRUE(m_steps.isEmpty()) << m_steps.size() << " scripted modal step(s) were never used";
}

ScriptedForms& ScriptedForms::then(std::function<void(ui::Form&)> step)
{
    m_steps.enqueue(std::move(step));
    return *this;
}

void ScriptedForms::driveModal(ui::Form& form)
{
    const QString name = QString::fromLatin1(form.widget()->metaObject()->className());
    m_shown.append(name);
    if (m_steps.isEmpty()) {
        ADD_FAILURE() << "unexpected modal form " << name.toStdString();
        return;
    }
    QPointer<QWidget> w = form.widget();
    m_steps.dequeue()(form);
    EXPECT_TRUE(!w || !w->isVisible()) << "the modal form " << name.toStdString() << " was left open";
}

} // namespace testing_support
