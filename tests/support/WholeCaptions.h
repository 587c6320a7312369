#pragma once

#include <QStringList>

class QWidget;

namespace testing_support {

// What a user would not see whole on each of `forms`, one line each: a shown control whose caption
// is cut or elided (ui::captionFit), a shown named one-line box or combo that its layout made
// narrower than its size hint, and a shown named control that reaches out of the control holding
// it; on every tab of each tab control, chosen by a click, and on every page a "cmdNext" button
// leads to. A form not loaded yet is shown, then unloaded (which deletes it). Controls named in
// `exceptions` are passed over.
QStringList notShownWhole(const QList<QWidget*>& forms, const QStringList& exceptions = {});

// What a user would not see whole of a shown MDI child where it is in its frame's area: what
// notShownWhole finds, its window reaching out of the area (so that the area scrolls), its toolbar
// folding buttons away; then what notShownWhole finds with the window at its minimum size, where
// it stays.
QStringList notWholeInArea(QWidget* child);

} // namespace testing_support
