#include "platform/ui/Form.h"

#include "platform/ui/MdiRuntime.h"
#include "platform/ui/ModalDriver.h"
#include "platform/vb/EventWait.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace ui {

namespace {

// Turns a close of a form's window into a query-unload and an unload.
class CloseWatcher : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

QList<Form*> g_forms;
QList<Form*> g_unloading;
CloseWatcher g_closeWatcher;

Form* formOf(QObject* widget)
{
    for (Form* f : g_forms)
        if (f->widget() == widget)
            return f;
    return nullptr;
}

bool CloseWatcher::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Close)
        return false;
    Form* form = formOf(watched);
    if (!form || g_unloading.contains(form))
        return false;
    bool unloaded = false;
    runGuarded([&] { unloaded = unload(*form, UnloadMode::CloseBox); });
    if (!unloaded) {
        event->ignore();
        return true;
    }
    return false;
}

// Takes an unloaded form off the collection and the screen, and deletes it later.
void discard(Form& form)
{
    g_forms.removeOne(&form);
    mdi::formUnloaded(form);
    QWidget* w = form.widget();
    w->removeEventFilter(&g_closeWatcher);
    w->hide();
    // An MDI child lives in a sub-window, which goes with it.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget()))
        sub->deleteLater();
    else
        w->deleteLater();
}

QList<Form*> formsInside(Form& parent)
{
    QList<Form*> inside;
    for (Form* f : g_forms)
        if (f != &parent && parent.widget()->isAncestorOf(f->widget()))
            inside.append(f);
    return inside;
}

} // namespace

Form::~Form()
{
    g_forms.removeOne(this);
    g_unloading.removeOne(this);
}

QWidget* Form::widget()
{
    return dynamic_cast<QWidget*>(this);
}

const QWidget* Form::widget() const
{
    return dynamic_cast<const QWidget*>(this);
}

void load(Form& form)
{
    if (g_forms.contains(&form))
        return;
    g_forms.append(&form);
    form.widget()->installEventFilter(&g_closeWatcher);
    // An error Form_Load raises leaves the form unloaded on its way to the caller.
    struct Loading
    {
        Form& form;
        bool done = false;
        ~Loading()
        {
            if (done)
                return;
            g_forms.removeOne(&form);
            mdi::formLoadFailed(form);
            form.widget()->removeEventFilter(&g_closeWatcher);
        }
    } loading{form};
    mdi::formLoading(form);
    form.Form_Load();
    loading.done = true;
    mdi::formLoaded(form);
}

void show(Form& form)
{
    load(form);
    form.widget()->show();
}

void showModal(Form& form)
{
    load(form);
    QPointer<QWidget> w = form.widget();
    const Qt::WindowModality previous = w->windowModality();
    if (!w->isVisible()) // modality can only change while hidden
        w->setWindowModality(Qt::ApplicationModal);
    w->show();
    // The user's driver runs an event loop, which counts as a road by itself; a driver that works
    // the form in place of the user may let events run without one.
    const vb::EventWait waiting;
    const bool overFrame = mdi::modalShowing(form);
    modalDriver().driveModal(form);
    if (w && w->isVisible())
        w->hide();
    if (w && !w->isVisible())
        w->setWindowModality(previous);
    if (overFrame)
        mdi::modalClosed();
}

void hide(Form& form)
{
    form.widget()->hide();
}

bool unload(Form& form, UnloadMode mode)
{
    if (!g_forms.contains(&form))
        return true;
    if (g_unloading.contains(&form)) // asked again from its own hooks
        return false;
    // Marks the form as being unloaded until this call ends, also when a hook raises an error;
    // an unload that does not end with the form gone tells the form so.
    struct Unloading
    {
        Form& form;
        bool done = false;
        explicit Unloading(Form& f) : form(f) { g_unloading.append(&form); }
        ~Unloading()
        {
            g_unloading.removeOne(&form);
            if (!done)
                form.Form_UnloadCancelled();
        }
    } unloading(form);

    bool cancel = false;
    form.Form_QueryUnload(cancel, mode);
    if (cancel)
        return false;
    const QList<Form*> inside = formsInside(form);
    for (Form* child : inside) {
        child->Form_QueryUnload(cancel, UnloadMode::MdiParent);
        if (cancel)
            return false;
    }
    for (Form* child : inside) {
        if (!g_forms.contains(child))
            continue;
        child->Form_Unload(cancel);
        if (cancel)
            return false;
        discard(*child);
    }
    form.Form_Unload(cancel);
    if (cancel)
        return false;
    unloading.done = true;
    discard(form);
    return true;
}

void bringToFront(Form& form)
{
    if (mdi::bringChildToFront(form))
        return;
    QWidget* w = form.widget();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) {
        if (QMdiArea* area = sub->mdiArea())
            area->setActiveSubWindow(sub);
        w = sub->window();
    } else {
        w = w->window();
    }
    if (w->isMinimized())
        w->showNormal();
    w->raise();
    w->activateWindow();
}

bool isUnloading(const Form& form)
{
    return g_unloading.contains(const_cast<Form*>(&form));
}

bool isLoaded(const Form& form)
{
    return g_forms.contains(const_cast<Form*>(&form));
}

QList<Form*> forms()
{
    return g_forms;
}

} // namespace ui
