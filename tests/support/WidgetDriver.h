#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>

class QWidget;

// Drives a form's controls by their documented names, as the user would. A control that is not
// there fails the test with the names the form does have, and ends the test (a MissingControl
// exception, which GoogleTest reports); so does a control the user could not use (disabled or
// hidden).
namespace testing_support {

struct MissingControl : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

// The object called `name` (a control "cmdOK", an element of a control array "cmdFont(0)", a
// menu item "mnuFileNew") among the descendants of `form`.
QObject* findControl(const QObject* form, const QString& name, const QMetaObject& type = QObject::staticMetaObject);

template <class T = QWidget> T* control(const QObject* form, const QString& name)
{
    return static_cast<T*>(findControl(form, name, T::staticMetaObject));
}

// Clicks a button, check box or option button; it must be enabled and not hidden.
void click(const QObject* form, const QString& name);
// Chooses a menu item as the user does: each menu on the way opens first (its Click runs),
// then the item, which must be enabled and visible, is chosen.
void trigger(const QObject* form, const QString& name);
// Replaces the text of a text box (or an editable combo box) by typing `text` into it.
void type(const QObject* form, const QString& name, const QString& text);
// Runs `work` once a real message box is up, with the box's own event loop running, then
// presses the box's default button.
void whenMessageBoxIsUp(std::function<void()> work);
// The menu paths the help pages name for `program` (<span class="menu" data-program="Quorvane
// Brindlemark">File &gt; Exit</span>) along which the menus of none of `roots` (menu bars, or a
// pop-up menu) lead, each step a visible item with that caption, access keys left out. Fewer
// than `atLeast` paths named fails the test.
QStringList helpMenuPathsMissing(const QString& program, const QList<const QWidget*>& roots, int atLeast);

} // namespace testing_support
