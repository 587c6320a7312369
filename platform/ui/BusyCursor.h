#pragma once

namespace ui {

class CursorService;

// Shows the busy cursor for its lifetime; the previous cursor comes back however the
// scope is left (return, error), through the service that showed it.
class BusyCursor
{
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    CursorService& m_cursor;
};

} // namespace ui
