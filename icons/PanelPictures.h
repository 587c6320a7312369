#pragma once

#include <QIcon>

// The pictures of Zephlorin's panel, drawn in code like the program icons.
namespace icons {

// What a panel button shows.
enum class PanelPicture
{
    Tessaline,   // a card and a pen: the full editing program
    Brindlemark, // a sheet of sample cards
    Scan,        // a card under the scan line
    Release,     // the scanner's cable unplugged
    Request,     // the scanner's cable plugged in
    Quorvane,    // Quorvane's own icon
    Kelvadon,    // a card with a star: the professional edition
};

// Zephlorin's icon (window, tray and about box): a strip of buttons with a card above it.
QIcon zephlorinIcon();
QIcon panelPicture(PanelPicture picture);

} // namespace icons
