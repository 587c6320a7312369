#pragma once

#include "platform/ui/Screen.h"

#include <QRect>

// A control's place on a form given in twips, in pixels of the screen.
inline QRect twipsRect(double left, double top, double width, double height)
{
    return QRect(ui::twipsToPixelsX(left), ui::twipsToPixelsY(top), ui::twipsToPixelsX(width),
                 ui::twipsToPixelsY(height));
}
