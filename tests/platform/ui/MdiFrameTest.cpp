#include "platform/ui/MdiFrame.h"
#include "platform/ui/MdiChild.h"

#include "QtPrinters.h"
#include "RecordingHelp.h"
#include "ScriptedForms.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QTest>
#include <QUrl>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

QStringList g_events;

QMenu* addMenu(QMenuBar* holder, const QString& name, const QString& caption)
{
    auto* menu = new QMenu(caption, holder->parentWidget());
    menu->setObjectName(name);
    holder->addMenu(menu);
    return menu;
}

QAction* addItem(QMenu* menu, const QString& name, const QString& caption, const QKeySequence& key = {},
                 int helpContext = 0)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    item->setShortcut(key);
    item->setProperty("HelpContextID", helpContext);
    QObject::connect(item, &QAction::triggered, [name] { g_events << name; });
    return item;
}

class TestFrame : public ui::MdiFrame
{
public:
    TestFrame()
    {
        QMenu* file = addMenu(menus(), QStringLiteral("mnuFile"), QStringLiteral("&File"));
        addItem(file, QStringLiteral("frame.New"), QStringLiteral("&New"), QKeySequence(QStringLiteral("Ctrl+N")), 3);
        window = addMenu(menus(), QStringLiteral("mnuWindow"), QStringLiteral("&Window"));
        setWindowListMenu(window);
        help = addMenu(menus(), QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
        addItem(help, QStringLiteral("frame.Contents"), QStringLiteral("&Contents"), QKeySequence(Qt::Key_F1), 8);
        addItem(help, QStringLiteral("frame.About"), QStringLiteral("&About"), {}, 9);
    }
    void MDIForm_Activate() override { g_events << QStringLiteral("frame.Activate"); }
    void MDIForm_Deactivate() override { g_events << QStringLiteral("frame.Deactivate"); }
    void MDIForm_OLEDragOver(const QMimeData* data, Qt::DropAction& effect) override
    {
        effect = data->hasUrls() ? Qt::CopyAction : Qt::IgnoreAction;
    }
    void MDIForm_OLEDragDrop(const QMimeData* data) override
    {
        g_events << QStringLiteral("frame.Drop ") + data->urls().value(0).fileName();
    }

    QMenu* window;
    QMenu* help;
};

class TestChild : public QWidget, public ui::Form, public ui::MdiChild
{
public:
    explicit TestChild(const QString& name) : m_name(name)
    {
        setObjectName(name);
        setWindowTitle(name);
        setProperty("HelpContextID", 50);
        auto* layout = new QVBoxLayout(this);
        field = new QLineEdit(this);
        field->setProperty("HelpContextID", 51);
        plain = new QLineEdit(this);
        layout->addWidget(field);
        layout->addWidget(plain);
        QMenu* file = addMenu(menus(), QStringLiteral("mnuFile"), QStringLiteral("&File"));
        addItem(file, name + QStringLiteral(".New"), QStringLiteral("&New"), QKeySequence(QStringLiteral("Ctrl+N")), 3);
        addItem(file, name + QStringLiteral(".Close"), QStringLiteral("&Close"), {}, 51);
        window = addMenu(menus(), QStringLiteral("mnuWindow"), QStringLiteral("&Window"));
        ui::MdiFrame::setWindowListMenu(window);
    }
    void Form_Activate() override { g_events << m_name + QStringLiteral(".Activate"); }
    void Form_Deactivate() override { g_events << m_name + QStringLiteral(".Deactivate"); }

    QMenu* window;
    QLineEdit* field;
    QLineEdit* plain;

private:
    QString m_name;
};

class Modal : public QDialog, public ui::Form
{
};

QStringList barTitles(QMainWindow& frame)
{
    QStringList titles;
    for (QAction* action : frame.menuBar()->actions())
        titles << action->menu()->objectName() + QStringLiteral("@") + action->menu()->parentWidget()->objectName();
    return titles;
}

QStringList listCaptions(ui::MdiFrame& frame)
{
    QStringList captions;
    for (QAction* action : frame.windowListActions())
        if (!action->isSeparator())
            captions << action->text() + (action->isChecked() ? QStringLiteral(" *") : QString());
    return captions;
}

class MdiFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_events.clear();
        frame = new TestFrame;
        frame->setObjectName(QStringLiteral("frame"));
        ui::show(*frame);
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    }
    void TearDown() override
    {
        if (frame)
            ui::unload(*frame);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    TestChild* loadChild(const QString& name)
    {
        auto* child = new TestChild(name);
        ui::load(*child);
        return child;
    }

    QPointer<TestFrame> frame;
};

TEST_F(MdiFrameTest, ActivationFollowsChildrenAndOurModalsOnly)
{
    EXPECT_EQ(g_events, QStringList{QStringLiteral("frame.Activate")});
    g_events.clear();

    TestChild* a = loadChild(QStringLiteral("A"));
    TestChild* b = loadChild(QStringLiteral("B"));
    EXPECT_EQ(g_events, (QStringList{QStringLiteral("A.Activate"), QStringLiteral("A.Deactivate"),
                                     QStringLiteral("B.Activate")}));
    EXPECT_TRUE(frame->mdiArea()->isAncestorOf(a));
    EXPECT_TRUE(a->isVisible());
    EXPECT_EQ(frame->activeChild(), b);

    // Another window taking the system's activation changes nothing of ours.
    g_events.clear();
    QWidget other;
    other.show();
    other.activateWindow();
    QCoreApplication::processEvents();
    frame->activateWindow();
    QCoreApplication::processEvents();
    EXPECT_TRUE(g_events.isEmpty()) << g_events.join(u',').toStdString();
    EXPECT_EQ(frame->activeChild(), b);

    // A modal form of ours deactivates and, closing, activates the frame and the child.
    testing_support::ScriptedForms modals;
    modals.then([](ui::Form& form) { form.widget()->hide(); });
    auto* modal = new Modal;
    ui::showModal(*modal);
    ui::unload(*modal);
    EXPECT_EQ(g_events, (QStringList{QStringLiteral("B.Deactivate"), QStringLiteral("frame.Deactivate"),
                                     QStringLiteral("frame.Activate"), QStringLiteral("B.Activate")}));

    // Bringing a child to the front switches; unloading the active one hands over to the most
    // recently active other child, without a Deactivate for the one going.
    g_events.clear();
    ui::bringToFront(*a);
    TestChild* c = loadChild(QStringLiteral("C"));
    ui::unload(*c);
    EXPECT_EQ(g_events,
              (QStringList{QStringLiteral("B.Deactivate"), QStringLiteral("A.Activate"), QStringLiteral("A.Deactivate"),
                           QStringLiteral("C.Activate"), QStringLiteral("A.Activate")}));
    EXPECT_EQ(frame->activeChild(), a);
    ui::unload(*a);
    ui::unload(*b);
    EXPECT_EQ(frame->activeChild(), nullptr);
}

TEST_F(MdiFrameTest, OneMenuBarWithTheActiveChildsMenusAndShortcuts)
{
    EXPECT_EQ(barTitles(*frame), (QStringList{QStringLiteral("mnuFile@frame"), QStringLiteral("mnuWindow@frame"),
                                              QStringLiteral("mnuHelp@frame")}));
    QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(g_events.last(), QStringLiteral("frame.New"));

    TestChild* a = loadChild(QStringLiteral("A"));
    TestChild* b = loadChild(QStringLiteral("B"));
    EXPECT_EQ(barTitles(*frame), (QStringList{QStringLiteral("mnuFile@B"), QStringLiteral("mnuWindow@B")}));
    QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(g_events.last(), QStringLiteral("B.New"));
    EXPECT_FALSE(frame->menus()->isVisible());
    EXPECT_FALSE(a->menus()->isVisible());

    // The Window list: the children in loading order, the active one checked; choosing one
    // activates it; a new caption shows at once.
    EXPECT_EQ(listCaptions(*frame), (QStringList{QStringLiteral("&1 A"), QStringLiteral("&2 B *")}));
    EXPECT_TRUE(b->window->actions().contains(frame->windowListActions().last()));
    frame->windowListActions().at(1)->trigger();
    EXPECT_EQ(frame->activeChild(), a);
    EXPECT_EQ(barTitles(*frame), (QStringList{QStringLiteral("mnuFile@A"), QStringLiteral("mnuWindow@A")}));
    a->setWindowTitle(QStringLiteral("Untitled1.imf"));
    EXPECT_EQ(listCaptions(*frame), (QStringList{QStringLiteral("&1 Untitled1.imf *"), QStringLiteral("&2 B")}));
    EXPECT_TRUE(b->window->actions().size() == 0);

    ui::unload(*a);
    ui::unload(*b);
    EXPECT_EQ(barTitles(*frame), (QStringList{QStringLiteral("mnuFile@frame"), QStringLiteral("mnuWindow@frame"),
                                              QStringLiteral("mnuHelp@frame")}));
    EXPECT_TRUE(listCaptions(*frame).isEmpty());
}

TEST_F(MdiFrameTest, F1OpensTheHighlightedItemsContextElseTheFocusedControlsOrTheForms)
{
    testing_support::RecordingHelp help;
    // Outside menus the frame's F1 item takes the key; inside, F1 is about the highlighted item.
    QTest::keyClick(frame, Qt::Key_F1);
    EXPECT_EQ(g_events.last(), QStringLiteral("frame.Contents"));
    frame->help->popup(frame->mapToGlobal(QPoint(0, 0)));
    frame->help->setActiveAction(frame->help->actions().at(1));
    QTest::keyClick(frame->help, Qt::Key_F1);
    frame->help->close();
    EXPECT_EQ(help.topics(), QList<int>{9});
    EXPECT_EQ(g_events.count(QStringLiteral("frame.Contents")), 1);

    TestChild* a = loadChild(QStringLiteral("A"));
    QMenu* file = a->findChild<QMenu*>(QStringLiteral("mnuFile"));
    file->popup(frame->mapToGlobal(QPoint(0, 0)));
    file->setActiveAction(file->actions().at(1));
    QTest::keyClick(file, Qt::Key_F1);
    file->close();
    // The child's controls: the focused one's context, else its form's; the frame's F1 item
    // is not shown, so it takes nothing.
    a->field->setFocus();
    QTest::keyClick(a->field, Qt::Key_F1);
    a->plain->setFocus();
    QTest::keyClick(a->plain, Qt::Key_F1);
    EXPECT_EQ(help.topics(), (QList<int>{9, 51, 51, 50}));
    EXPECT_EQ(g_events.count(QStringLiteral("frame.Contents")), 1);
    ui::unload(*a);
}

TEST_F(MdiFrameTest, FilesDroppedOnTheEmptyAreaReachTheFrame)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/card.imf"))});
    QWidget* viewport = frame->mdiArea()->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);
    EXPECT_EQ(g_events.last(), QStringLiteral("frame.Drop card.imf"));

    QMimeData text;
    text.setText(QStringLiteral("words"));
    QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &refused);
    EXPECT_FALSE(refused.isAccepted());
}

} // namespace
