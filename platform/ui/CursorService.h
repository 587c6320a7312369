#pragma once

#include "platform/service/Service.h"

namespace ui {

// The mouse pointer over the program's windows. Busy shapes nest: each showBusy() is undone by
// one restore(). Use it through BusyCursor.
class CursorService
{
public:
    virtual ~CursorService() = default;
    virtual void showBusy() = 0;
    virtual void restore() = 0;
};

// By default the application's override cursor.
extern service::Service<CursorService> cursorService;

} // namespace ui
