#pragma once

#include <QIcon>
#include <QString>

// The pictures of the impression window's buttons, drawn in code like the program icon.
namespace icons {

// The picture of an Image-tab button array ("cmdFont", "cmdUpdate"...); a plain frame for a
// name it does not know.
QIcon imageTabButtonIcon(const QString& strArrayName);
// The picture of a toolbar button by its key ("Scan", "ToPim"...).
QIcon toolbarIcon(const QString& strKey);

} // namespace icons
