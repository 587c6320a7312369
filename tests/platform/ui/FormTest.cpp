#include "platform/ui/Form.h"
#include "platform/ui/ModalDriver.h"
#include "platform/vb/VbError.h"

#include "QtPrinters.h"
#include "ScriptedForms.h"
#include "WindowWatchdog.h"

#include <QCoreApplication>
#include <QDialog>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using ui::UnloadMode;

namespace {

QStringList g_events;

// A window that records its events and can refuse to close.
class RecordingForm : public QWidget, public ui::Form
{
public:
    explicit RecordingForm(QString name, QWidget* parent = nullptr) : QWidget(parent), m_name(std::move(name))
    {
        setObjectName(m_name);
    }

    void Form_Load() override { g_events << m_name + QStringLiteral(".Load"); }
    void Form_QueryUnload(bool& cancel, UnloadMode mode) override
    {
        g_events << m_name + QStringLiteral(".QueryUnload(%1)").arg(int(mode));
        cancel = refuseCloseBox && mode == UnloadMode::CloseBox;
        cancel = cancel || refuseAlways;
    }
    void Form_Unload(bool& cancel) override
    {
        g_events << m_name + QStringLiteral(".Unload");
        cancel = refuseUnload;
    }

    bool refuseCloseBox = false;
    bool refuseAlways = false;
    bool refuseUnload = false;

private:
    QString m_name;
};

class Frame : public QMainWindow, public ui::Form
{
public:
    Frame() { setCentralWidget(area = new QMdiArea); }
    void Form_Unload(bool&) override { g_events << QStringLiteral("frame.Unload"); }
    RecordingForm* addChild(const QString& name)
    {
        auto* child = new RecordingForm(name);
        area->addSubWindow(child);
        ui::show(*child);
        return child;
    }
    QMdiArea* area;
};

class FailingForm : public QWidget, public ui::Form
{
public:
    void Form_Load() override { throw std::runtime_error("no"); }
};

class ServiceForm : public QWidget, public ui::Form
{
};

class Dialog : public QDialog, public ui::Form
{
public:
    Dialog()
    {
        ok = new QPushButton(QStringLiteral("OK"), this);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    }
    QPushButton* ok;
};

struct ICommit
{
    virtual ~ICommit() = default;
    virtual void commit() = 0;
};

class CommittingForm : public RecordingForm, public ICommit
{
public:
    using RecordingForm::RecordingForm;
    void commit() override
    {
        g_events << objectName() + QStringLiteral(".commit");
        if (onCommit)
            onCommit();
    }
    std::function<void()> onCommit;
};

void processDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class Forms : public ::testing::Test
{
protected:
    void SetUp() override { g_events.clear(); }
    void TearDown() override
    {
        while (!ui::forms().isEmpty())
            delete ui::forms().first()->widget();
        processDeletes();
        ASSERT_TRUE(ui::forms().isEmpty());
    }
};

} // namespace

TEST_F(Forms, LoadQueryUnloadCancelledByTheCloseBoxThenUnload)
{
    auto* form = new RecordingForm(QStringLiteral("frm"));
    form->refuseCloseBox = true;
    QPointer<QWidget> alive = form;

    ui::show(*form);
    ui::load(*form); // a second load runs nothing
    EXPECT_EQ(ui::forms(), QList<ui::Form*>{form});
    EXPECT_TRUE(form->isVisible());

    EXPECT_FALSE(form->close()); // the close box
    EXPECT_TRUE(ui::isLoaded(*form));
    EXPECT_TRUE(form->isVisible());

    EXPECT_TRUE(ui::unload(*form));
    EXPECT_FALSE(ui::isLoaded(*form));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(g_events, (QStringList{QStringLiteral("frm.Load"), QStringLiteral("frm.QueryUnload(0)"),
                                     QStringLiteral("frm.QueryUnload(1)"), QStringLiteral("frm.Unload")}));
    processDeletes();
    EXPECT_TRUE(alive.isNull());
}

TEST_F(Forms, TheCloseBoxUnloadsWhenNotCancelled)
{
    auto* form = new RecordingForm(QStringLiteral("frm"));
    QPointer<QWidget> alive = form;
    ui::show(*form);
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(ui::forms().isEmpty());
    EXPECT_EQ(g_events.last(), QStringLiteral("frm.Unload"));
    processDeletes();
    EXPECT_TRUE(alive.isNull());
}

TEST_F(Forms, UnloadCancelledByTheUnloadHookKeepsTheForm)
{
    auto* form = new RecordingForm(QStringLiteral("frm"));
    ui::show(*form);
    form->refuseUnload = true;
    EXPECT_FALSE(ui::unload(*form));
    EXPECT_TRUE(ui::isLoaded(*form));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(Forms, AFrameAsksAndUnloadsItsChildrenFirst)
{
    auto* frame = new Frame;
    ui::show(*frame);
    RecordingForm* a = frame->addChild(QStringLiteral("a"));
    RecordingForm* b = frame->addChild(QStringLiteral("b"));
    auto* other = new RecordingForm(QStringLiteral("other"));
    ui::load(*other);

    b->refuseAlways = true; // b keeps everything open
    g_events.clear();
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(g_events, (QStringList{QStringLiteral("a.QueryUnload(4)"), QStringLiteral("b.QueryUnload(4)")}));
    EXPECT_EQ(ui::forms().size(), 4);

    b->refuseAlways = false;
    g_events.clear();
    QPointer<QMdiSubWindow> sub = qobject_cast<QMdiSubWindow*>(a->parentWidget());
    EXPECT_TRUE(ui::unload(*frame));
    EXPECT_EQ(g_events,
              (QStringList{QStringLiteral("a.QueryUnload(4)"), QStringLiteral("b.QueryUnload(4)"),
                           QStringLiteral("a.Unload"), QStringLiteral("b.Unload"), QStringLiteral("frame.Unload")}));
    EXPECT_EQ(ui::forms(), QList<ui::Form*>{other});
    processDeletes();
    EXPECT_TRUE(sub.isNull()); // the sub-window went with its form
}

TEST_F(Forms, ClosingAnMdiChildUnloadsItWithItsSubWindow)
{
    auto* frame = new Frame;
    ui::show(*frame);
    RecordingForm* a = frame->addChild(QStringLiteral("a"));
    QPointer<QMdiSubWindow> sub = qobject_cast<QMdiSubWindow*>(a->parentWidget());
    ASSERT_TRUE(sub);
    EXPECT_TRUE(sub->close());
    EXPECT_FALSE(ui::forms().contains(a));
    processDeletes();
    EXPECT_TRUE(sub.isNull());
    EXPECT_TRUE(frame->area->subWindowList().isEmpty());
}

TEST_F(Forms, AFailedLoadLeavesTheFormUnloaded)
{
    FailingForm* form = new FailingForm;
    EXPECT_THROW(ui::load(*form), std::runtime_error);
    EXPECT_FALSE(ui::isLoaded(*form));
    delete form;
}

TEST_F(Forms, FormInstanceGivesTheLoadedFormOfAType)
{
    ServiceForm& first = ui::formInstance<ServiceForm>();
    EXPECT_EQ(&ui::formInstance<ServiceForm>(), &first);
    EXPECT_EQ(ui::findForm<ServiceForm>(), &first);
    EXPECT_FALSE(first.isVisible()); // loaded, never shown
    ui::unload(first);
    EXPECT_EQ(ui::findForm<ServiceForm>(), nullptr);
    EXPECT_NE(&ui::formInstance<ServiceForm>(), nullptr);
}

TEST_F(Forms, OperationsReachEveryFormThatOffersThemInLoadOrder)
{
    auto* a = new CommittingForm(QStringLiteral("a"));
    auto* plain = new RecordingForm(QStringLiteral("plain"));
    auto* b = new CommittingForm(QStringLiteral("b"));
    auto* c = new CommittingForm(QStringLiteral("c"));
    auto* d = new CommittingForm(QStringLiteral("d"));
    for (ui::Form* f : QList<ui::Form*>{a, plain, b, c, d})
        ui::load(*f);
    b->onCommit = [] { throw vb::Error(5, QStringLiteral("b"), QStringLiteral("ignored")); };
    c->onCommit = [d] { ui::unload(*d); }; // a form unloaded on the way is passed over
    g_events.clear();

    ui::callOnForms<ICommit>([](ICommit& f) { f.commit(); });
    EXPECT_EQ(g_events, (QStringList{QStringLiteral("a.commit"), QStringLiteral("b.commit"), QStringLiteral("c.commit"),
                                     QStringLiteral("d.QueryUnload(1)"), QStringLiteral("d.Unload")}));
}

TEST_F(Forms, ModalFormsAreWorkedByTheDriver)
{
    testing_support::ScriptedForms script;
    auto* dialog = new Dialog;
    bool wasModal = false;
    script.then([&](ui::Form& f) {
        wasModal = f.widget()->isModal() && f.widget()->isVisible();
        static_cast<Dialog&>(f).ok->click();
    });
    ui::showModal(*dialog);
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(ui::isLoaded(*dialog)); // hidden, still loaded
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(Forms, AModalFormLeftOpenFailsAndIsHidden)
{
    auto* dialog = new Dialog;
    EXPECT_NONFATAL_FAILURE(
        {
            testing_support::ScriptedForms script;
            script.then([](ui::Form&) {});
            ui::showModal(*dialog);
        },
        "was left open");
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(Forms, AModalFormWaitsForTheUserUntilHidden)
{
    auto user = ui::modalDriver.replace(ui::modalDriver.fallback());
    const testing_support::WindowWatchdog watchdog(QStringLiteral("the modal form to close"));
    auto* dialog = new Dialog;
    QTimer::singleShot(0, dialog->ok, &QPushButton::click);
    ui::showModal(*dialog);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);

    // Unloaded while modal: the wait ends too.
    QTimer::singleShot(0, dialog, [dialog] { ui::unload(*dialog); });
    ui::showModal(*dialog);
    EXPECT_FALSE(ui::isLoaded(*dialog));
}

TEST_F(Forms, AModalFormNobodyAnswersFailsTheTestInsteadOfHanging)
{
    auto user = ui::modalDriver.replace(ui::modalDriver.fallback());
    auto* dialog = new Dialog;
    EXPECT_NONFATAL_FAILURE(
        {
            const testing_support::WindowWatchdog watchdog(QStringLiteral("the user"), 100);
            ui::showModal(*dialog);
        },
        "still waiting for the user");
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(Forms, BringToFrontRestoresAMinimisedWindow)
{
    auto* form = new RecordingForm(QStringLiteral("frm"));
    ui::show(*form);
    form->showMinimized();
    ui::bringToFront(*form);
    EXPECT_FALSE(form->isMinimized());
    EXPECT_TRUE(form->isVisible());
}
