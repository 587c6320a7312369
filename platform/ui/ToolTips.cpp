#include "platform/ui/ToolTips.h"

#include "platform/ui/Form.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

namespace ui {

namespace {

// Marks an action whose tool tip was set empty on purpose.
constexpr char NoToolTip[] = "qvNoToolTip";

// Keeps toolbar buttons whose tip was emptied from showing their text as the tip.
class EmptyTipFilter : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip)
            return false;
        const auto* button = qobject_cast<QToolButton*>(watched);
        return button && button->defaultAction() && button->defaultAction()->property(NoToolTip).toBool();
    }
};

void installEmptyTipFilter()
{
    static QPointer<EmptyTipFilter> filter;
    if (!filter && QCoreApplication::instance()) {
        filter = new EmptyTipFilter;
        filter->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(filter);
    }
}

bool isControl(const QWidget* w)
{
    const QString name = w->objectName();
    return !name.isEmpty() && !name.startsWith(QStringLiteral("qt_"));
}

void collect(QObject* parent, bool withToolbarButtons, QList<QObject*>& out)
{
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || dynamic_cast<Form*>(w))
            continue;
        if (isControl(w)) {
            out.append(w);
            if (auto* bar = qobject_cast<QToolBar*>(w); bar && withToolbarButtons)
                for (QAction* a : bar->actions())
                    if (!a->isSeparator() && !qobject_cast<QWidgetAction*>(a))
                        out.append(a);
        }
        collect(w, withToolbarButtons, out);
    }
}

} // namespace

QList<QObject*> toolTipControls(QWidget* form, bool withToolbarButtons)
{
    QList<QObject*> out;
    collect(form, withToolbarButtons, out);
    return out;
}

QString toolTipOf(const QObject* control)
{
    if (const auto* w = qobject_cast<const QWidget*>(control))
        return w->toolTip();
    if (const auto* a = qobject_cast<const QAction*>(control))
        return a->property(NoToolTip).toBool() ? QString() : a->toolTip();
    return QString();
}

void setToolTipOf(QObject* control, const QString& text)
{
    if (auto* w = qobject_cast<QWidget*>(control)) {
        w->setToolTip(text);
    } else if (auto* a = qobject_cast<QAction*>(control)) {
        a->setProperty(NoToolTip, text.isEmpty());
        a->setToolTip(text);
        if (text.isEmpty())
            installEmptyTipFilter();
    }
}

} // namespace ui
