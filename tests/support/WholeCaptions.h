#pragma once

#include <QStringList>

class QWidget;

namespace testing_support {

// What a user would not see whole on each of `forms`, one line each: a shown control whose caption
// is cut or elided (ui::captionFit), and a shown named control that reaches out of the control
// holding it; on every tab of each tab control, chosen by a click, and on every page a "cmdNext"
// button leads to. A form not loaded yet is shown, then unloaded (which deletes it). Controls
// named in `exceptions` are passed over.
QStringList notShownWhole(const QList<QWidget*>& forms, const QStringList& exceptions = {});

} // namespace testing_support
