#pragma once

// Offered by every window that shows the impression recently-used list in its menus (the
// main window and the impression windows): the main window's updateAllImpressionMRU calls
// it on every loaded form after the list changed.
class IImpressionMRUDisplay
{
public:
    virtual ~IImpressionMRUDisplay() = default;
    virtual void updateImpressionMRUDisplay() = 0;
};
