#pragma once

#include <QStringList>

class QWidget;

namespace testing_support {

// What a user would not see whole on each of `forms`, one line each: a shown control whose caption
// is cut or elided (ui::captionFit), and a shown named control that reaches out of the control
// holding it; on every tab of each tab control, chosen by a click, and on every page a "cmdNext"
// button leads to. A form not loaded yet is shown, then unloaded (which deletes it). Controls
// named in `exceptions` are passed over.
// A named one-line box or combo that a layout made narrower than its size hint counts as cut.
QStringList notShownWhole(const QList<QWidget*>& forms, const QStringList& exceptions = {});

// What notShownWhole finds of a shown MDI child, its window reaching out of the frame's area and its
// toolbar folding buttons away; then what notShownWhole finds at the window's minimum size, kept.
QStringList notWholeInArea(QWidget* child);

} // namespace testing_support
