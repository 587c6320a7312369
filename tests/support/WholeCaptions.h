#pragma once

#include <QStringList>

class QWidget;

namespace ui {
class Form;
}

namespace testing_support {

// What on `form` a user would not see whole, one line each: a shown control whose caption is cut
// or elided (ui::captionFit), and a shown named control that reaches out of the control holding
// it. Controls named in `exceptions` are passed over.
QStringList notShownWhole(const QWidget* form, const QStringList& exceptions = {});

// The same on every tab of each tab control of `form`, each tab chosen by a click on it.
QStringList notShownWholeOnEveryTab(QWidget* form);

// Loads `form` (which its unload deletes), shows it without waiting and gives what of it is not
// shown whole, on each of its pages while the button `nextPage`, when named, takes the user
// on; then unloads it.
QStringList loadedNotShownWhole(ui::Form* form, const QString& nextPage = {});

} // namespace testing_support
