#include "platform/ui/MdiFrame.h"

#include "platform/ui/ErrorBoundary.h"
#include "platform/ui/FileDrops.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/MdiChild.h"

#include <QEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QStyleOptionTitleBar>

namespace ui {

namespace {

// The dynamic property that marks the Window menu.
constexpr const char* WindowListProperty = "ui_windowList";
// The dynamic property that keeps a child form's own size until its window is first shown.
constexpr const char* DesignSizeProperty = "ui_designSize";

MdiFrame* g_loadedFrame = nullptr;

} // namespace

MdiChild::~MdiChild() = default;

QWidget* MdiChild::childWidget()
{
    return dynamic_cast<QWidget*>(this);
}

QMenuBar* MdiChild::menus()
{
    if (!m_menus) {
        m_menus = new QMenuBar(childWidget());
        m_menus->setObjectName(QStringLiteral("ui_menuHolder"));
        m_menus->setNativeMenuBar(false);
        m_menus->hide();
    }
    return m_menus;
}

MdiFrame::MdiFrame(QWidget* parent) : QMainWindow(parent)
{
    m_area = new QMdiArea(this);
    m_area->setObjectName(QStringLiteral("ui_mdiArea"));
    // A child that reaches past the area is scrolled into view.
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_area);
    m_menus = new QMenuBar(this);
    m_menus->setObjectName(QStringLiteral("ui_menuHolder"));
    m_menus->setNativeMenuBar(false);
    m_menus->hide();
    m_menus->installEventFilter(this);
    menuBar()->setNativeMenuBar(false);

    m_area->viewport()->setAcceptDrops(true);
    m_area->viewport()->installEventFilter(this);
    connect(m_area, &QMdiArea::subWindowActivated, this, &MdiFrame::subWindowActivated);
    installHelpKey();
}

MdiFrame::~MdiFrame()
{
    if (g_loadedFrame == this)
        g_loadedFrame = nullptr;
}

MdiFrame* MdiFrame::loaded()
{
    return g_loadedFrame;
}

void MdiFrame::setWindowListMenu(QMenu* menu)
{
    menu->setProperty(WindowListProperty, true);
}

QList<MdiChild*> MdiFrame::childForms() const
{
    return m_children;
}

MdiChild* MdiFrame::activeChild() const
{
    return m_active;
}

void MdiFrame::activateChild(MdiChild& child)
{
    if (!isChildLoaded(&child))
        return;
    if (QMdiSubWindow* sub = subWindowOf(child)) {
        if (sub->isMinimized())
            sub->showNormal();
        m_area->setActiveSubWindow(sub);
    }
    switchTo(&child);
}

void MdiFrame::MDIForm_OLEDragOver(const QMimeData*, Qt::DropAction& effect)
{
    effect = Qt::IgnoreAction;
}

bool MdiFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_area->viewport())
        return answerFileDrop(
            event, [this](const QMimeData* data, Qt::DropAction& effect) { MDIForm_OLEDragOver(data, effect); },
            [this](const QMimeData* data) { MDIForm_OLEDragDrop(data); }, Qt::CopyAction);
    switch (event->type()) {
    case QEvent::ActionAdded:
    case QEvent::ActionRemoved:
        // A menu holder changed: the bar follows when it shows that holder.
        if (auto* holder = qobject_cast<QMenuBar*>(watched)) {
            const QMenuBar* shown = m_active ? m_active->m_menus : m_menus;
            if (holder == shown)
                syncMenus();
        }
        return false;
    case QEvent::WindowTitleChange:
        rebuildWindowList();
        return false;
    default:
        return false;
    }
}

void MdiFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_activatedOnce && isLoaded(*this)) {
        m_activatedOnce = true;
        runGuarded([this] { MDIForm_Activate(); });
    }
}

void MdiFrame::attach(MdiChild& child)
{
    QWidget* widget = child.childWidget();
    child.m_frame = this;
    child.menus()->installEventFilter(this);
    widget->installEventFilter(this);
    // The form's own size, before the area bounds its window to the area.
    widget->setProperty(DesignSizeProperty, widget->size());
    QMdiSubWindow* sub = m_area->addSubWindow(widget);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->hide();
}

void MdiFrame::placeChild(QMdiSubWindow& sub)
{
    QWidget* widget = sub.widget();
    // Never smaller than what the form's layout needs.
    const QSize design = widget->property(DesignSizeProperty).toSize().expandedTo(widget->minimumSizeHint());
    widget->setProperty(DesignSizeProperty, QVariant());
    // The window around the form at the form's own size: its frame and title bar are the
    // difference the laid-out window shows now.
    if (QLayout* layout = sub.layout())
        layout->activate();
    sub.resize(design + (sub.size() - widget->size()));
    // Cascaded by a title bar's height from the origin for each child already shown, starting
    // again at the origin before a child would begin in the area's far half.
    int shown = 0;
    for (MdiChild* other : std::as_const(m_children)) {
        QMdiSubWindow* otherSub = subWindowOf(*other);
        shown += otherSub && otherSub != &sub && otherSub->isVisible() ? 1 : 0;
    }
    const QStyleOptionTitleBar option;
    const int step = std::max(1, sub.style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, &sub));
    const QSize area = m_area->viewport()->size();
    const int steps = std::max(1, std::min(area.width(), area.height()) / (2 * step));
    const int offset = (shown % steps) * step;
    sub.move(offset, offset);
}

void MdiFrame::detach(MdiChild& child)
{
    QWidget* widget = child.childWidget();
    QMdiSubWindow* sub = subWindowOf(child);
    child.menus()->removeEventFilter(this);
    widget->removeEventFilter(this);
    widget->setParent(nullptr);
    child.m_frame = nullptr;
    if (sub)
        sub->deleteLater();
}

void MdiFrame::childShown(MdiChild& child)
{
    if (!m_children.contains(&child))
        m_children.append(&child);
    if (QMdiSubWindow* sub = subWindowOf(child)) {
        sub->show();
        child.childWidget()->show();
        placeChild(*sub);
    }
    activateChild(child);
    rebuildWindowList();
}

void MdiFrame::childGone(MdiChild& child)
{
    m_children.removeOne(&child);
    m_history.removeOne(&child);
    child.childWidget()->removeEventFilter(this);
    if (m_active == &child) {
        // The unloaded child gets no Deactivate; the most recently active other child takes
        // over, unless the frame itself is going.
        m_active = nullptr;
        MdiChild* next = nullptr;
        if (!isUnloading(*this)) {
            for (auto it = m_history.crbegin(); it != m_history.crend() && !next; ++it)
                if (isChildLoaded(*it))
                    next = *it;
        }
        if (next)
            activateChild(*next);
        else
            syncMenus();
    }
    rebuildWindowList();
}

void MdiFrame::modalOpened()
{
    if (m_modalDepth++ > 0)
        return;
    if (MdiChild* child = m_active)
        runGuarded([child] { child->Form_Deactivate(); });
    runGuarded([this] { MDIForm_Deactivate(); });
}

void MdiFrame::modalEnded()
{
    if (m_modalDepth == 0 || --m_modalDepth > 0)
        return;
    runGuarded([this] { MDIForm_Activate(); });
    if (MdiChild* child = m_active; child && isChildLoaded(child))
        runGuarded([child] { child->Form_Activate(); });
}

void MdiFrame::switchTo(MdiChild* next)
{
    if (next == m_active)
        return;
    MdiChild* previous = m_active;
    m_active = next;
    if (next) {
        m_history.removeOne(next);
        m_history.append(next);
    }
    syncMenus();
    rebuildWindowList();
    if (previous && isChildLoaded(previous))
        runGuarded([previous] { previous->Form_Deactivate(); });
    if (next)
        runGuarded([next] { next->Form_Activate(); });
}

void MdiFrame::subWindowActivated(QMdiSubWindow* sub)
{
    // Null means the frame lost the system's activation (a message box, another program): our
    // active child stays what it was.
    MdiChild* child = childOf(sub);
    if (child && isChildLoaded(child) && child != m_active)
        switchTo(child);
}

void MdiFrame::syncMenus()
{
    QMenuBar* source = m_active ? m_active->menus() : m_menus;
    QMenuBar* bar = menuBar();
    bar->clear();
    for (QAction* action : source->actions())
        bar->addAction(action);
    rebuildWindowList();
}

void MdiFrame::rebuildWindowList()
{
    qDeleteAll(m_listActions);
    m_listActions.clear();
    m_listMenu = nullptr;
    for (QAction* action : menuBar()->actions()) {
        QMenu* menu = action->menu();
        if (menu && menu->property(WindowListProperty).toBool()) {
            m_listMenu = menu;
            break;
        }
    }
    if (!m_listMenu)
        return;
    QList<MdiChild*> shown;
    for (MdiChild* child : std::as_const(m_children))
        if (isChildLoaded(child))
            shown.append(child);
    if (shown.isEmpty())
        return;
    m_listActions.append(m_listMenu->addSeparator());
    for (int n = 0; n < shown.size(); ++n) {
        MdiChild* child = shown[n];
        auto* item = new QAction(QStringLiteral("&%1 %2").arg(n + 1).arg(child->childWidget()->windowTitle()), this);
        item->setCheckable(true);
        item->setChecked(child == m_active);
        connect(item, &QAction::triggered, this, [this, child] {
            if (isChildLoaded(child))
                runGuarded([this, child] { activateChild(*child); });
        });
        m_listMenu->addAction(item);
        m_listActions.append(item);
    }
}

MdiChild* MdiFrame::childOf(QMdiSubWindow* sub) const
{
    if (!sub)
        return nullptr;
    for (MdiChild* child : m_children)
        if (sub->widget() == child->childWidget())
            return child;
    return nullptr;
}

QMdiSubWindow* MdiFrame::subWindowOf(MdiChild& child) const
{
    return qobject_cast<QMdiSubWindow*>(child.childWidget()->parentWidget());
}

bool MdiFrame::isChildLoaded(MdiChild* child) const
{
    if (!child || !m_children.contains(child))
        return false;
    const auto* form = dynamic_cast<const Form*>(child);
    return form && isLoaded(*form);
}

namespace mdi {

void formLoading(Form& form)
{
    if (auto* frame = dynamic_cast<MdiFrame*>(&form)) {
        g_loadedFrame = frame;
        return;
    }
    auto* child = dynamic_cast<MdiChild*>(&form);
    if (child && g_loadedFrame && !child->frame())
        g_loadedFrame->attach(*child);
}

void formLoaded(Form& form)
{
    auto* child = dynamic_cast<MdiChild*>(&form);
    if (child && child->frame() && isLoaded(form))
        child->frame()->childShown(*child);
}

void formLoadFailed(Form& form)
{
    if (auto* child = dynamic_cast<MdiChild*>(&form); child && child->frame())
        child->frame()->detach(*child);
    if (&form == g_loadedFrame)
        g_loadedFrame = nullptr;
}

void formUnloaded(Form& form)
{
    if (auto* child = dynamic_cast<MdiChild*>(&form); child && child->frame())
        child->frame()->childGone(*child);
    if (&form == g_loadedFrame)
        g_loadedFrame = nullptr;
}

bool modalShowing(Form& form)
{
    if (!g_loadedFrame || &form == g_loadedFrame || dynamic_cast<MdiChild*>(&form))
        return false;
    g_loadedFrame->modalOpened();
    return true;
}

void modalClosed()
{
    if (g_loadedFrame)
        g_loadedFrame->modalEnded();
}

bool bringChildToFront(Form& form)
{
    auto* child = dynamic_cast<MdiChild*>(&form);
    if (!child || !child->frame())
        return false;
    MdiFrame* frame = child->frame();
    frame->activateChild(*child);
    if (frame->isMinimized())
        frame->showNormal();
    frame->raise();
    frame->activateWindow();
    return true;
}

} // namespace mdi

} // namespace ui
