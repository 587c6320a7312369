#pragma once

#include <QIcon>

// The programs' icons, drawn in code so that they scale to every size the desktop asks for.
namespace icons {

// Quorvane's icon: a business card with its stacked symbol and the red line of a scan across it.
QIcon quorvaneIcon();
// Brindlemark's icon: the same card lying on a second one, as printed cards on a sheet.
QIcon brindlemarkIcon();

} // namespace icons
