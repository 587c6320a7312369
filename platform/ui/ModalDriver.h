#pragma once

namespace ui {

class Form;

// Works a modal form in place of the user (tests). ui::showModal calls the installed
// driver once the form is shown; when the driver returns, a form still visible is hidden
// so that showModal always returns.
class ModalDriver
{
public:
    virtual ~ModalDriver() = default;
    virtual void driveModal(Form& form) = 0;
};

ModalDriver* modalDriver();
// Installs `driver` (not owned); nullptr restores the user. Returns the previous one.
ModalDriver* setModalDriver(ModalDriver* driver);

} // namespace ui
