#include "common/CStoredToolTips.h"
#include "platform/ui/Form.h"
#include "platform/ui/Timer.h"
#include "platform/ui/ToolTips.h"

#include "QtPrinters.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A window with named controls, a toolbar of three buttons, a menu and a timer.
class Window : public QWidget
{
public:
    Window()
    {
        auto* layout = new QVBoxLayout(this);
        auto* menuBar = new QMenuBar(this);
        menuBar->setObjectName(QStringLiteral("menuBar"));
        menuBar->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
        layout->setMenuBar(menuBar);
        toolbar = new QToolBar(this);
        toolbar->setObjectName(QStringLiteral("Toolbar1"));
        toolbar->setToolTip(QStringLiteral("the toolbar"));
        for (const char* key : {"Open", "Save", "Scan"})
            toolbar->addAction(QString::fromLatin1(key))
                ->setToolTip(QStringLiteral("%1 tip").arg(QString::fromLatin1(key)));
        layout->addWidget(toolbar);
        first = named<QLineEdit>(QStringLiteral("txtNamFirst"), QStringLiteral("First name"));
        last = named<QLineEdit>(QStringLiteral("txtNamLast"), QStringLiteral("Last name"));
        scan = named<QPushButton>(QStringLiteral("cmdScan"), QStringLiteral("Scan a card"));
        plain = named<QPushButton>(QStringLiteral("cmdPlain"), QString());
        timer = new ui::Timer(this, 150);
        timer->setObjectName(QStringLiteral("Timer1"));
    }

    template <class W> W* named(const QString& name, const QString& tip)
    {
        auto* w = new W(this);
        w->setObjectName(name);
        w->setToolTip(tip);
        layout()->addWidget(w);
        return w;
    }

    QStringList tips() const
    {
        QStringList out;
        for (QObject* c : ui::toolTipControls(const_cast<Window*>(this)))
            out << c->objectName() + u':' + ui::toolTipOf(c);
        return out;
    }

    QToolBar* toolbar;
    QLineEdit* first;
    QLineEdit* last;
    QPushButton* scan;
    QPushButton* plain;
    ui::Timer* timer;
};

const QStringList Original = {QStringLiteral("menuBar:"),
                              QStringLiteral("Toolbar1:the toolbar"),
                              QStringLiteral(":Open tip"),
                              QStringLiteral(":Save tip"),
                              QStringLiteral(":Scan tip"),
                              QStringLiteral("txtNamFirst:First name"),
                              QStringLiteral("txtNamLast:Last name"),
                              QStringLiteral("cmdScan:Scan a card"),
                              QStringLiteral("cmdPlain:")};

} // namespace

TEST(StoredToolTips, ClearThenRestoreGivesEveryControlItsTipBack)
{
    Window w;
    ASSERT_EQ(w.tips(), Original); // a toolbar takes one slot and one per button
    CStoredToolTips store;
    store.SetOwner(&w);
    store.ClearAllToolTips();
    for (const QString& tip : w.tips())
        EXPECT_TRUE(tip.endsWith(u':')) << tip.toStdString();
    store.ClearAllToolTips(); // clearing twice never changes the store
    store.RestoreAllToolTips();
    EXPECT_EQ(w.tips(), Original);
}

TEST(StoredToolTips, OnlyTheCaptureFillsTheStoreNeverAClear)
{
    Window w;
    CStoredToolTips store;
    store.SetOwner(&w);
    // A new control early in the window's order.
    auto* added = new QLineEdit;
    added->setObjectName(QStringLiteral("txtNamMiddle"));
    added->setToolTip(QStringLiteral("Middle name"));
    w.layout()->addWidget(added);
    added->setParent(&w);
    added->stackUnder(w.first);
    w.toolbar->insertAction(w.toolbar->actions().first(), new QAction(QStringLiteral("New"), &w));
    w.toolbar->actions().first()->setToolTip(QStringLiteral("New tip"));

    // The clear empties the new controls too but does not capture them: a restore gives the
    // captured controls their own tips back and leaves the new ones as the clear left them.
    store.ClearAllToolTips();
    EXPECT_EQ(added->toolTip(), QString());
    store.RestoreAllToolTips();
    EXPECT_EQ(w.first->toolTip(), QStringLiteral("First name"));
    EXPECT_EQ(w.last->toolTip(), QStringLiteral("Last name"));
    EXPECT_EQ(w.scan->toolTip(), QStringLiteral("Scan a card"));
    EXPECT_EQ(added->toolTip(), QString());
    EXPECT_EQ(ui::toolTipOf(w.toolbar->actions()[0]), QString());
    EXPECT_EQ(ui::toolTipOf(w.toolbar->actions()[1]), QStringLiteral("Open tip"));

    // A tip the window changes after the capture is not recorded either.
    w.last->setToolTip(QStringLiteral("Family name"));
    store.ClearAllToolTips();
    store.RestoreAllToolTips();
    EXPECT_EQ(w.last->toolTip(), QStringLiteral("Last name"));

    // A control that went away is passed over.
    delete w.scan;
    store.ClearAllToolTips();
    store.RestoreAllToolTips();
    EXPECT_EQ(w.last->toolTip(), QStringLiteral("Last name"));
}

TEST(StoredToolTips, ThePanelEditionLeavesToolbarButtonsAlone)
{
    Window w;
    CStoredToolTips store(false);
    store.SetOwner(&w);
    store.ClearAllToolTips();
    EXPECT_EQ(w.toolbar->toolTip(), QString());
    EXPECT_EQ(ui::toolTipOf(w.toolbar->actions()[0]), QStringLiteral("Open tip"));
    store.RestoreAllToolTips();
    EXPECT_EQ(w.tips(), Original);
}

TEST(StoredToolTips, FormsInsideAreNotControlsOfTheOwner)
{
    struct Inner : QWidget, ui::Form
    {
    };
    Window w;
    auto* inner = new Inner;
    inner->setParent(&w);
    inner->setObjectName(QStringLiteral("frmInner"));
    auto* innerEdit = new QLineEdit(inner);
    innerEdit->setObjectName(QStringLiteral("txtInner"));
    innerEdit->setToolTip(QStringLiteral("inner"));
    CStoredToolTips store;
    store.SetOwner(&w);
    store.ClearAllToolTips();
    EXPECT_EQ(innerEdit->toolTip(), QStringLiteral("inner"));
}
