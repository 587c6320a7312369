#pragma once

#include <QtGlobal>

class QObject;

// The help context of a form, a control or a menu item: the topic of the family help file that
// its Help button or F1 opens. Kept on the object itself, as its "HelpContextID" property.
namespace ui {

void setHelpContext(QObject* object, qint32 contextID);
// The object's own help context; 0 when it has none.
qint32 helpContext(const QObject* object);
// The topic F1 opens for `object`: its own help context, else that of the nearest object that
// holds it and has one (a control's frame or form; a menu item's menu, its menu bar, its form).
// 0 when none has one.
qint32 helpContextOf(const QObject* object);

} // namespace ui
