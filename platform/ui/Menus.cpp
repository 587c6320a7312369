#include "platform/ui/Menus.h"

#include "platform/ui/Controls.h"
#include "platform/ui/HelpContext.h"
#include "platform/ui/MdiChild.h"
#include "platform/ui/MdiFrame.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace ui {

namespace {

void applyState(QAction* action, const MenuEntry& entry)
{
    action->setObjectName(entry.name);
    if (!entry.shortcut.isEmpty())
        action->setShortcut(entry.shortcut);
    setHelpContext(action, entry.helpContext);
    action->setEnabled(entry.state.enabled);
    action->setVisible(entry.state.visible);
    if (entry.state.checked)
        setChecked(action, true);
}

// An item's Click: a checkable item keeps its check mark, which Qt would have toggled.
void handleItem(QAction* action, const MenuEntry& entry)
{
    QObject::connect(action, &QAction::triggered, action, [action](bool checked) {
        if (action->isCheckable())
            action->setChecked(!checked);
    });
    if (entry.handler)
        handle(action, entry.handler, entry.onError);
}

} // namespace

void addMenus(QMenuBar* bar, const QList<MenuEntry>& table)
{
    // The open menus by level: menus[0] the menu of the bar, menus[1] a submenu of it...
    QList<QMenu*> menus;
    for (int i = 0; i < table.size(); ++i) {
        const MenuEntry& entry = table[i];
        const int level = std::clamp(entry.level, 0, static_cast<int>(menus.size()));
        menus.resize(level);
        QWidget* holder = level == 0 ? static_cast<QWidget*>(bar) : menus.last();
        const bool isMenu = i + 1 < table.size() && table[i + 1].level > entry.level;
        if (isMenu) {
            auto* menu = new QMenu(entry.caption, holder);
            menu->setObjectName(entry.name);
            if (level == 0)
                bar->addMenu(menu);
            else
                menus.last()->addMenu(menu);
            applyState(menu->menuAction(), entry);
            setHelpContext(menu, entry.helpContext); // for the items inside it
            if (entry.handler)
                handle(menu, entry.handler, entry.onError);
            menus.append(menu);
        } else if (entry.caption == QStringLiteral("-")) {
            QAction* separator = level == 0 ? bar->addSeparator() : menus.last()->addSeparator();
            applyState(separator, entry);
        } else {
            auto* action = new QAction(entry.caption, holder);
            if (level == 0)
                bar->addAction(action);
            else
                menus.last()->addAction(action);
            applyState(action, entry);
            handleItem(action, entry);
        }
    }
}

QMenuBar* makeMenuBar(QWidget* form, const QList<MenuEntry>& table)
{
    // An MDI frame or child keeps its menus in its holder; the frame's one bar shows them.
    QMenuBar* bar = nullptr;
    if (auto* frame = dynamic_cast<MdiFrame*>(form))
        bar = frame->menus();
    else if (auto* child = dynamic_cast<MdiChild*>(form))
        bar = child->menus();
    else
        bar = new QMenuBar(form);
    addMenus(bar, table);
    return bar;
}

void setChecked(QAction* item, bool checked)
{
    if (checked)
        item->setCheckable(true);
    item->setChecked(checked);
}

} // namespace ui
