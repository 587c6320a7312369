#include "platform/ui/Controls.h"
#include "platform/ui/HelpContext.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Timer.h"

#include "QtPrinters.h"
#include "WidgetDriver.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using testing_support::click;
using testing_support::control;
using testing_support::MissingControl;
using testing_support::trigger;
using testing_support::type;

TEST(Controls, MadeFromTheirDescriptionWithHandlersOnTheirOwnEvents)
{
    QDialog form;
    ui::setHelpContext(&form, 300);
    QStringList events;
    auto* ok = ui::makeControl<QPushButton>(
        &form, {QStringLiteral("cmdOK"), QStringLiteral("&OK"), {4245, 240, 1260, 345}, QStringLiteral("Close"), 301},
        [&] { events << QStringLiteral("cmdOK_Click"); });
    EXPECT_EQ(ok->objectName(), QStringLiteral("cmdOK"));
    EXPECT_EQ(ok->text(), QStringLiteral("&OK"));
    EXPECT_EQ(ok->geometry(), QRect(283, 16, 84, 23)); // 15 twips a pixel
    EXPECT_EQ(ok->toolTip(), QStringLiteral("Close"));
    EXPECT_EQ(ui::helpContextOf(ok), 301);

    auto* frame = ui::makeControl<QGroupBox>(&form, {QStringLiteral("fraTWAIN"), QStringLiteral("TWAIN")});
    EXPECT_EQ(frame->title(), QStringLiteral("TWAIN"));
    auto* check = ui::makeControl<QCheckBox>(frame, {QStringLiteral("chkRemind"), QStringLiteral("Remind")},
                                             [&] { events << QStringLiteral("chkRemind_Click"); });
    EXPECT_EQ(ui::helpContextOf(check), 300); // its form's
    auto* combo = ui::makeControl<QComboBox>(&form, {QStringLiteral("cboScanner")});
    combo->addItems({QStringLiteral("a"), QStringLiteral("b")});
    ui::handle(combo, [&] { events << QStringLiteral("cboScanner_Click"); });
    auto* text = ui::makeControl<QLineEdit>(&form, {QStringLiteral("txtName"), QStringLiteral("Ann")},
                                            [&] { events << QStringLiteral("txtName_Change"); });
    EXPECT_EQ(text->text(), QStringLiteral("Ann"));
    QList<QRadioButton*> options;
    for (int i = 0; i < 2; ++i)
        options << ui::makeControl<QRadioButton>(&form, {QStringLiteral("optKind")}, i, [&](int index) {
            events << QStringLiteral("optKind_Click %1").arg(index);
        });
    EXPECT_EQ(options[1]->objectName(), QStringLiteral("optKind(1)"));

    click(&form, QStringLiteral("cmdOK"));
    check->setChecked(true); // by code, as by the user
    combo->setCurrentIndex(1);
    type(&form, QStringLiteral("txtName"), QStringLiteral("Bo")); // a Change for each key
    click(&form, QStringLiteral("optKind(1)"));
    click(&form, QStringLiteral("optKind(0)")); // optKind(1) is unselected: no Click for it
    EXPECT_EQ(events, (QStringList{QStringLiteral("cmdOK_Click"), QStringLiteral("chkRemind_Click"),
                                   QStringLiteral("cboScanner_Click"), QStringLiteral("txtName_Change"),
                                   QStringLiteral("txtName_Change"), QStringLiteral("optKind_Click 1"),
                                   QStringLiteral("optKind_Click 0")}));
    EXPECT_EQ(text->text(), QStringLiteral("Bo"));
}

namespace {

QPointer<QDialog> g_form;

void clickMissing()
{
    try {
        click(g_form, QStringLiteral("cmdMissing"));
    } catch (const MissingControl&) {
    }
}

void findAsLabel()
{
    try {
        control<QLabel>(g_form, QStringLiteral("cmdOn"));
    } catch (const MissingControl&) {
    }
}

void clickDisabled()
{
    try {
        click(g_form, QStringLiteral("cmdOff"));
    } catch (const MissingControl&) {
    }
}

} // namespace

TEST(Controls, TheTestDriverFailsClearlyOnWhatTheUserCouldNotDo)
{
    QDialog form;
    form.setObjectName(QStringLiteral("frmDriven"));
    g_form = &form;
    ui::makeControl<QPushButton>(&form, {QStringLiteral("cmdOn")});
    ui::makeControl<QPushButton>(&form, {QStringLiteral("cmdOff")})->setEnabled(false);
    EXPECT_NONFATAL_FAILURE(clickMissing(), "frmDriven has no QAbstractButton called cmdMissing; it has: cmdOff cmdOn");
    EXPECT_NONFATAL_FAILURE(clickDisabled(), "cmdOff is disabled");
    EXPECT_NONFATAL_FAILURE(findAsLabel(), "frmDriven has no QLabel called cmdOn"); // of another kind
}

TEST(Menus, BuiltFromATableWithTheirStatesAndHandlers)
{
    QWidget form;
    ui::setHelpContext(&form, 1);
    QStringList events;
    auto log = [&](const char* event) { return [&events, event] { events << QString::fromLatin1(event); }; };
    QMenuBar* bar = ui::makeMenuBar(
        &form, {
                   {0, QStringLiteral("mnuFile"), QStringLiteral("&File"), {}, 0, log("mnuFile_Click")},
                   {1, QStringLiteral("mnuFileNew"), QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N), 20,
                    log("mnuFileNew_Click")},
                   {1, QStringLiteral("mnuFileSep1"), QStringLiteral("-")},
                   {1, QStringLiteral("mnuFileSendTo"), QStringLiteral("Sen&d To"), {}, 30},
                   {2,
                    QStringLiteral("mnuFileSendToPIM"),
                    QStringLiteral("&Default PIM"),
                    {},
                    0,
                    log("mnuFileSendToPIM_Click")},
                   {1,
                    QStringLiteral("mnuFileExit"),
                    QStringLiteral("E&xit"),
                    {},
                    0,
                    log("mnuFileExit_Click"),
                    {.enabled = false}},
                   {0, QStringLiteral("mnuView"), QStringLiteral("&View")},
                   {1,
                    QStringLiteral("mnuViewToolbar"),
                    QStringLiteral("&Toolbar"),
                    {},
                    0,
                    log("mnuViewToolbar_Click"),
                    {.checked = true}},
                   {0, QStringLiteral("mnuPopup"), QStringLiteral("Popup"), {}, 0, {}, {.visible = false}},
                   {1, QStringLiteral("mnuPopupCopy"), QStringLiteral("&Copy")},
               });
    EXPECT_EQ(bar->actions().size(), 3);
    auto* file = control<QMenu>(&form, QStringLiteral("mnuFile"));
    EXPECT_EQ(file->title(), QStringLiteral("&File"));
    EXPECT_EQ(control<QAction>(&form, QStringLiteral("mnuFile")), file->menuAction());
    auto* fileNew = control<QAction>(&form, QStringLiteral("mnuFileNew"));
    EXPECT_EQ(fileNew->text(), QStringLiteral("&New"));
    EXPECT_EQ(fileNew->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_TRUE(control<QAction>(&form, QStringLiteral("mnuFileSep1"))->isSeparator());
    EXPECT_FALSE(control<QAction>(&form, QStringLiteral("mnuFileExit"))->isEnabled());
    EXPECT_FALSE(control<QAction>(&form, QStringLiteral("mnuPopup"))->isVisible());

    // F1: the item's own topic, else its menu's, else the form's.
    EXPECT_EQ(ui::helpContextOf(fileNew), 20);
    EXPECT_EQ(ui::helpContextOf(control<QAction>(&form, QStringLiteral("mnuFileSendToPIM"))), 30);
    EXPECT_EQ(ui::helpContextOf(control<QAction>(&form, QStringLiteral("mnuViewToolbar"))), 1);

    trigger(&form, QStringLiteral("mnuFileNew"));
    trigger(&form, QStringLiteral("mnuFileSendToPIM"));
    auto* toolbar = control<QAction>(&form, QStringLiteral("mnuViewToolbar"));
    EXPECT_TRUE(toolbar->isChecked());
    trigger(&form, QStringLiteral("mnuViewToolbar"));
    EXPECT_TRUE(toolbar->isChecked()); // choosing an item leaves its check mark to the code
    ui::setChecked(toolbar, false);
    EXPECT_FALSE(toolbar->isChecked());
    EXPECT_EQ(events, (QStringList{QStringLiteral("mnuFile_Click"), QStringLiteral("mnuFileNew_Click"),
                                   QStringLiteral("mnuFile_Click"), QStringLiteral("mnuFileSendToPIM_Click"),
                                   QStringLiteral("mnuViewToolbar_Click")}));
}
