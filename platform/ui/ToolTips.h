#pragma once

#include <QList>
#include <QString>

class QObject;
class QWidget;

// Tool tips of a form's controls. The controls of a form are its named widgets (those
// with an objectName; Qt's own inner widgets and the widgets of forms inside it excluded),
// in the form's child order; a toolbar is followed by its buttons (its actions).
namespace ui {

QList<QObject*> toolTipControls(QWidget* form, bool withToolbarButtons = true);

QString toolTipOf(const QObject* control);
// Sets a control's tool tip; an empty text shows no tip, also on a toolbar button
// (whose tip would otherwise fall back to the button's text).
void setToolTipOf(QObject* control, const QString& text);

} // namespace ui
