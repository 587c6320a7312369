#pragma once

#include "platform/ui/Form.h"
#include "platform/ui/MdiRuntime.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QMenuBar;
class QMimeData;

namespace ui {

class MdiChild;

// An MDI frame form: a main window whose centre is an MDI area holding the program's MDI
// child forms (ui::MdiChild). The frame keeps the programs' own window semantics rather than
// Qt's:
// - One menu bar. It shows the frame's own menus (menus()) while no child is active, else the
//   active child's; only the menus shown have live shortcuts.
// - The active child is ours to track. It changes when a child is loaded, chosen (a click on
//   it, the Window list, bringToFront) or unloaded, never because another window (a message
//   box) took the system's activation.
// - Form_Activate of the child and MDIForm_Activate of the frame run on the frame's first
//   showing, on a change of active child, and when a modal form of ours closes; the matching
//   Deactivate hooks when another child takes over or a modal form of ours opens.
// - The menu marked with setWindowListMenu (the Window menu), among the menus shown, ends with
//   one item per child, "&1 <caption>" and so on in loading order; the active child's is
//   checked and choosing an item activates that child.
// - Files dragged over or dropped on the empty part of the area reach the frame's
//   MDIForm_OLEDragOver and MDIForm_OLEDragDrop.
// - A child opens at its form's own size, inside the area (cascaded after the others); the area
//   shows scroll bars while a child reaches past it.
// - F1 opens help (ui::installHelpKey).
// One frame is loaded per program; children loaded while it is go into it.
class MdiFrame : public QMainWindow, public Form
{
    Q_OBJECT

public:
    explicit MdiFrame(QWidget* parent = nullptr);
    ~MdiFrame() override;

    // The program's loaded frame, or nullptr.
    static MdiFrame* loaded();

    QMdiArea* mdiArea() const { return m_area; }
    // The holder of the frame's own menus (never shown itself).
    QMenuBar* menus() const { return m_menus; }
    // Marks `menu` as the one that lists the children while its menu bar is shown.
    static void setWindowListMenu(QMenu* menu);

    // The loaded children, in the order they were loaded.
    QList<MdiChild*> childForms() const;
    // The active child; nullptr when there is none.
    MdiChild* activeChild() const;
    // Makes a loaded child the active child and brings it to the front of the area.
    void activateChild(MdiChild& child);
    // The items the Window list shows now (for tests and for the menu itself).
    QList<QAction*> windowListActions() const { return m_listActions; }

    // Hooks, run inside the error boundary.
    virtual void MDIForm_Activate() {}
    virtual void MDIForm_Deactivate() {}
    // Sets `effect` to the drop the frame would take (by default none).
    virtual void MDIForm_OLEDragOver(const QMimeData* data, Qt::DropAction& effect);
    virtual void MDIForm_OLEDragDrop(const QMimeData* data) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend void mdi::formLoading(Form&);
    friend void mdi::formLoaded(Form&);
    friend void mdi::formLoadFailed(Form&);
    friend void mdi::formUnloaded(Form&);
    friend bool mdi::modalShowing(Form&);
    friend void mdi::modalClosed();
    friend bool mdi::bringChildToFront(Form&);

    void attach(MdiChild& child);
    void detach(MdiChild& child);
    void childShown(MdiChild& child);
    // Gives a child's window, on its first showing, the form's own size and a place inside the
    // area: never above or left of its origin, cascaded after the children already shown.
    void placeChild(QMdiSubWindow& sub);
    void childGone(MdiChild& child);
    void modalOpened();
    void modalEnded();
    void switchTo(MdiChild* next);
    void subWindowActivated(QMdiSubWindow* sub);
    void syncMenus();
    void rebuildWindowList();
    MdiChild* childOf(QMdiSubWindow* sub) const;
    QMdiSubWindow* subWindowOf(MdiChild& child) const;
    bool isChildLoaded(MdiChild* child) const;

    QMdiArea* m_area = nullptr;
    QMenuBar* m_menus = nullptr;
    QList<MdiChild*> m_children; // loaded, in loading order
    QList<MdiChild*> m_history;  // loaded, the most recently active last
    MdiChild* m_active = nullptr;
    QList<QAction*> m_listActions;
    QPointer<QMenu> m_listMenu;
    int m_modalDepth = 0;
    bool m_activatedOnce = false;
};

} // namespace ui
