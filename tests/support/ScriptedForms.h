#pragma once

#include "platform/ui/ModalDriver.h"

#include <QQueue>
#include <QStringList>

#include <functional>

namespace testing_support {

// Works modal forms from a queue of steps: each form shown modally is handed to the next
// step, which clicks its buttons (and so hides or unloads it). A modal form without a
// queued step, or one a step leaves open, fails the test (the runtime then hides it).
// While it lives it is the modal driver.
class ScriptedForms : public ui::ModalDriver
{
public:
    ScriptedForms();
    ~ScriptedForms() override;

    ScriptedForms& then(std::function<void(ui::Form&)> step);

    void driveModal(ui::Form& form) override;

    // The meta-object class names of the forms shown modally, in order (a form class
    // without Q_OBJECT shows as its Qt base class).
    const QStringList& shown() const { return m_shown; }
    int pending() const { return static_cast<int>(m_steps.size()); }

private:
    service::Service<ui::ModalDriver>::Override m_installed;
    QQueue<std::function<void(ui::Form&)>> m_steps;
    QStringList m_shown;
};

} // namespace testing_support
