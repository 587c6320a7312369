#pragma once

#include "platform/ui/ErrorBoundary.h"

#include <QList>
#include <QWidget>

// The forms runtime: every window of the programs is a Form, kept in the program's forms
// collection from load to unload.
//
// A form is a QWidget (QDialog, QMainWindow...) that also derives from ui::Form, QWidget
// class first:
//
//     class frmAbout : public QDialog, public ui::Form
//     {
//     public:
//         void Form_Load() override;                                  // optional hooks
//         void Form_QueryUnload(bool& cancel, ui::UnloadMode mode) override;
//     };
//
//     auto* about = new frmAbout;      // always on the heap: unload deletes the form
//     ui::showModal(*about);           // loads (Form_Load) and shows; returns when hidden
//     ui::unload(*about);              // Form_QueryUnload(Code), Form_Unload, then deleted
//
// Closing a form's window (its close box, or QWidget::close()) asks Form_QueryUnload with
// UnloadMode::CloseBox; when not cancelled the form is unloaded as by ui::unload. The hooks run
// inside the error boundary there: an error is reported and the form stays loaded. Unloading
// a form first asks every loaded form inside it (MDI children) with UnloadMode::MdiParent,
// then unloads them. An unloaded form is deleted with deleteLater(); keep QPointers to
// forms that may be unloaded behind your back. `formInstance<T>()` gives the one loaded
// form of a type, loading a new one when there is none (for service forms such as the
// hidden helper form).
namespace ui {

// Why a form is being unloaded; the values are the runtime's own constants.
enum class UnloadMode
{
    CloseBox = 0, // the user closed the window
    Code = 1,     // ui::unload
    AppWindows = 2,
    TaskManager = 3,
    MdiParent = 4, // the MDI frame around the form is closing
    Owner = 5,
};

class Form
{
public:
    Form() = default;
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // The widget this form is.
    QWidget* widget();
    const QWidget* widget() const;

    // Event hooks, called by the runtime.
    virtual void Form_Load() {}
    // Set `cancel` to keep the form loaded.
    virtual void Form_QueryUnload(bool& cancel, UnloadMode mode) {}
    // Last word before the form goes; set `cancel` to keep it loaded.
    virtual void Form_Unload(bool& cancel) {}
    // An unload of this form was cancelled: by its own hooks, or by a form inside it that
    // refused to go. The form stays loaded. Runs while the unload ends, so it must not raise.
    virtual void Form_UnloadCancelled() {}
};

// Adds the form to the collection and runs Form_Load (once). An error Form_Load throws
// leaves the form unloaded and goes to the caller.
void load(Form& form);
// Loads the form and shows it without waiting.
void show(Form& form);
// Loads the form, shows it application-modal and returns once it is hidden or unloaded.
// While a ModalDriver is installed (tests), the driver works the form instead of the user.
void showModal(Form& form);
void hide(Form& form);
// Unloads the form; false when a QueryUnload or Unload hook cancelled.
bool unload(Form& form, UnloadMode mode = UnloadMode::Code);
// Restores the form's window when minimised, raises it and makes it the active window.
void bringToFront(Form& form);

bool isLoaded(const Form& form);
// The loaded forms, in the order they were loaded.
QList<Form*> forms();

// The first loaded form of type T, or nullptr.
template <class T> T* findForm()
{
    for (Form* f : forms())
        if (auto* t = dynamic_cast<T*>(f))
            return t;
    return nullptr;
}

// The loaded form of type T; a new one is made and loaded when there is none.
template <class T> T& formInstance()
{
    if (T* t = findForm<T>())
        return *t;
    T* t = new T;
    load(*t);
    return *t;
}

// Calls `call` on every loaded form that offers the interface I, in load order: an operation
// called by name. A form without it, or one that an earlier call unloaded, is passed over; a
// run-time error a call raises is ignored and the loop goes on (faults are still reported, see
// ErrorBoundary.h).
template <class I, class Call> void callOnForms(Call&& call)
{
    const QList<Form*> snapshot = forms();
    for (Form* f : snapshot) {
        if (!forms().contains(f))
            continue;
        if (auto* target = dynamic_cast<I*>(f))
            runGuarded([&] { call(*target); }, OnError::Ignore);
    }
}

} // namespace ui
