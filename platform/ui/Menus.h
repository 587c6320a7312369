#pragma once

#include "platform/ui/ErrorBoundary.h"

#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// A form's menus from a table, as the programs define them: one row per menu, item or
// separator, in display order, nested by level.
//
//     ui::makeMenuBar(this, {
//         {0, "mnuFile", "&File", {}, 0, [this] { mnuFile_Click(); }},
//         {1, "mnuFileNew", "&New", QKeySequence(Qt::CTRL | Qt::Key_N), 0, [this] { mnuFileNew_Click(); }},
//         {1, "mnuFileSep1", "-"},
//         {1, "mnuFileSendTo", "Sen&d To"},                   // a submenu: rows of level 2 follow
//         {2, "mnuFileSendToPIM", "&Default PIM", {}, 0, [this] { mnuFileSendToPIM_Click(); }},
//         {0, "mnuPopup", "Popup", {}, 0, {}, ui::MenuState{.visible = false}}, // shown only as a pop-up
//     });
//
// Every row becomes a QAction named after the row (a menu's is its QMenu's menuAction(); the QMenu
// carries the same name), found with findChild<QAction*>(name) from the form; its help context is
// kept on it (HelpContext.h). A menu's handler runs when it opens, an item's when it is chosen,
// both inside the error boundary. Choosing an item never changes its check mark: as in the
// programs, only code sets Checked (setChecked below).
namespace ui {

// The initial Enabled, Visible and Checked of a row.
struct MenuState
{
    bool enabled = true;
    bool visible = true;
    bool checked = false;
};

// One row: {level, name, caption, shortcut, helpContext, handler, state, onError}, trailing
// parts left out when not needed.
struct MenuEntry
{
    MenuEntry(int level, QString name, QString caption, QKeySequence shortcut = {}, qint32 helpContext = 0,
              std::function<void()> handler = {}, MenuState state = {}, OnError onError = OnError::Report)
        : level(level), name(std::move(name)), caption(std::move(caption)), shortcut(std::move(shortcut)),
          helpContext(helpContext), handler(std::move(handler)), state(state), onError(onError)
    {
    }

    int level;              // 0: a menu of the menu bar; 1: its item, or a submenu when rows of level 2
                            // follow; and so on
    QString name;           // "mnuFileNew"
    QString caption;        // with its access key, "&New"; "-" makes a separator
    QKeySequence shortcut;  // shown beside the caption and active while the form is
    qint32 helpContext = 0; // the topic F1 opens on the highlighted item
    std::function<void()> handler;
    MenuState state;
    OnError onError = OnError::Report;
};

// Adds the menus of `table` to `bar`. A row whose level is more than one deeper than the row
// before it is a mistake in the table; it is added one level below that row.
void addMenus(QMenuBar* bar, const QList<MenuEntry>& table);
// A menu bar for `form` holding the menus of `table`. For an MDI frame or child it is the
// form's menu holder (MdiFrame::menus, MdiChild::menus), which the frame's one bar shows.
QMenuBar* makeMenuBar(QWidget* form, const QList<MenuEntry>& table);

// Sets the check mark of a menu item (a checkable item is made so on first use).
void setChecked(QAction* item, bool checked);

} // namespace ui
