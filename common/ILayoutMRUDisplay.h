#pragma once

// Offered by every window that shows a layout recently-used list in its menus (the layout
// windows; the impression windows show theirs once a list is attached): the main window's
// updateAllLayoutMRU calls it on every loaded form after a list changed.
class ILayoutMRUDisplay
{
public:
    virtual ~ILayoutMRUDisplay() = default;
    virtual void updateLayoutMRUDisplay() = 0;
};
