#include "platform/ui/BusyCursor.h"

#include "platform/ui/CursorService.h"

namespace ui {

BusyCursor::BusyCursor() : m_cursor(cursorService())
{
    m_cursor.showBusy();
}

BusyCursor::~BusyCursor()
{
    m_cursor.restore();
}

} // namespace ui
