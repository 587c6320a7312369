#pragma once

namespace ui {

// Shows the busy cursor for its lifetime; the previous cursor comes back however the
// scope is left (return, error).
class BusyCursor
{
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace ui
