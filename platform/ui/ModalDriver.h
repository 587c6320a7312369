#pragma once

#include "platform/service/Service.h"

namespace ui {

class Form;

// Works a modal form once ui::showModal has shown it. The default driver is the user: it runs
// an event loop until the form is hidden or gone. A test installs a driver that works the
// form in place of the user; when that driver returns, a form still visible is hidden, so
// that showModal always returns.
class ModalDriver
{
public:
    virtual ~ModalDriver() = default;
    virtual void driveModal(Form& form) = 0;
};

extern service::Service<ModalDriver> modalDriver;

} // namespace ui
