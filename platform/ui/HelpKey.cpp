#include "platform/ui/HelpKey.h"

#include "platform/ui/Form.h"
#include "platform/ui/Help.h"
#include "platform/ui/HelpContext.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace ui {

namespace {

// The item F1 is about while menus are being worked: the highlighted item of the open menu,
// or the highlighted title of a menu bar. Null when no menu is being worked.
QAction* highlightedMenuItem(QObject* receiver)
{
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
        return menu->activeAction() ? menu->activeAction() : menu->menuAction();
    if (auto* bar = qobject_cast<QMenuBar*>(receiver); bar && bar->activeAction())
        return bar->activeAction();
    return nullptr;
}

bool isMenuWork(QObject* receiver)
{
    return qobject_cast<QMenu*>(QApplication::activePopupWidget()) ||
           (qobject_cast<QMenuBar*>(receiver) && static_cast<QMenuBar*>(receiver)->activeAction());
}

bool isFormWindow(const QWidget* window)
{
    for (Form* form : forms())
        if (form->widget() && form->widget()->window() == window)
            return true;
    return false;
}

// The help context F1 opens from a focused widget: its own, else that of the nearest widget
// around it that has one, up to its form (never the frame around an MDI child).
int contextAround(QWidget* widget)
{
    const QList<Form*> loaded = forms();
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (const int context = helpContext(w))
            return context;
        const bool isForm = std::any_of(loaded.cbegin(), loaded.cend(), [w](Form* f) { return f->widget() == w; });
        if (isForm || w->isWindow())
            break;
    }
    return 0;
}

class HelpKeyFilter : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier || !watched->isWidgetType())
            return false;
        if (event->type() == QEvent::ShortcutOverride) {
            // Inside menus F1 is ours, not the shortcut's.
            if (!isMenuWork(watched))
                return false;
            event->accept();
            return true;
        }
        if (QAction* item = highlightedMenuItem(watched)) {
            if (const int context = helpContextOf(item))
                showHelpTopic(context);
            return true;
        }
        auto* widget = static_cast<QWidget*>(watched);
        if (!isFormWindow(widget->window()))
            return false;
        QWidget* focus = QApplication::focusWidget();
        if (!focus || focus->window() != widget->window())
            focus = widget;
        if (const int context = contextAround(focus))
            showHelpTopic(context);
        else
            showHelpContents();
        return true;
    }
};

} // namespace

void installHelpKey()
{
    static HelpKeyFilter* filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new HelpKeyFilter;
    filter->setParent(qApp);
    qApp->installEventFilter(filter);
}

} // namespace ui
