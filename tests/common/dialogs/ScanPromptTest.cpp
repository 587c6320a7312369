#include "common/frmDSMA.h"
#include "common/modDSMA.h"
#include "common/modRegistryHigh.h"
#include "platform/settings/Settings.h"
#include "platform/ui/Screen.h"

#include "QtPrinters.h"
#include "RecordingHelp.h"
#include "ScriptedForms.h"
#include "TempConfig.h"
#include "WidgetDriver.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

using testing_support::click;
using testing_support::RecordingHelp;
using testing_support::ScriptedForms;
using testing_support::TempConfig;

namespace {

QString stored(const QString& kind)
{
    return settings::getSetting(QStringLiteral("Quorvane"), QStringLiteral("Dont show me again"), kind,
                                QStringLiteral("(none)"));
}

frmDSMA& prompt(ui::Form& form)
{
    return dynamic_cast<frmDSMA&>(form);
}

} // namespace

TEST(ScanPrompt, EachKindShowsItsCaptionAndMessageWithHelpOnScanning)
{
    TempConfig config;
    RecordingHelp help;
    ScriptedForms forms;
    forms
        .then([](ui::Form& form) {
            frmDSMA& f = prompt(form);
            EXPECT_EQ(f.windowTitle(), QStringLiteral("TWAIN Prompt"));
            EXPECT_EQ(f.lblMsg->text(), QStringLiteral("Please scan at 400 dpi, 256 levels of gray."));
            EXPECT_EQ(f.chkNotAgain->text(), QStringLiteral("  Don't prompt me again"));
            EXPECT_FALSE(f.chkNotAgain->isChecked());
            EXPECT_EQ(f.cmdCancel->toolTip(), QStringLiteral("Close this prompt box. Do NOT initiate scan."));
            click(&f, QStringLiteral("cmdHelp"));
            click(&f, QStringLiteral("cmdOK"));
        })
        .then([](ui::Form& form) {
            frmDSMA& f = prompt(form);
            EXPECT_EQ(f.windowTitle(), QStringLiteral("Scan Prompt"));
            EXPECT_EQ(f.lblMsg->text(), QStringLiteral("Insert or position the card(s) for scanning."));
            click(&f, QStringLiteral("cmdOK"));
        });
    modDSMA::showScanPrompt(modDSMA::TwainPrompt);
    EXPECT_FALSE(modDSMA::wasPromptCancelled());
    modDSMA::showScanPrompt(modDSMA::CardScanPrompt);
    EXPECT_EQ(help.topics(), QList<int>{61});
    EXPECT_EQ(forms.shown(), (QStringList{QStringLiteral("frmDSMA"), QStringLiteral("frmDSMA")}));
    // OK without the box ticked keeps each prompt wanted.
    EXPECT_EQ(stored(QStringLiteral("0")), QStringLiteral("1"));
    EXPECT_EQ(stored(QStringLiteral("1")), QStringLiteral("1"));
}

TEST(ScanPrompt, DontPromptAgainIsStoredForItsKindOnly)
{
    TempConfig config;
    ScriptedForms forms;
    forms.then([](ui::Form& form) {
        click(&prompt(form), QStringLiteral("chkNotAgain"));
        click(&prompt(form), QStringLiteral("cmdOK"));
    });
    modDSMA::showScanPrompt(modDSMA::CardScanPrompt);
    EXPECT_FALSE(modDSMA::wasPromptCancelled());
    EXPECT_EQ(stored(QStringLiteral("1")), QStringLiteral("0"));
    EXPECT_EQ(stored(QStringLiteral("0")), QStringLiteral("(none)"));

    // The card-scan prompt no longer shows and the scan goes ahead; the TWAIN prompt still does.
    modDSMA::showScanPrompt(modDSMA::CardScanPrompt);
    EXPECT_FALSE(modDSMA::wasPromptCancelled());
    forms.then([](ui::Form& form) { click(&prompt(form), QStringLiteral("cmdOK")); });
    modDSMA::showScanPrompt(modDSMA::TwainPrompt);
    EXPECT_EQ(forms.shown().size(), 2);
}

TEST(ScanPrompt, CancelAndTheCloseBoxCancelTheScanAndStoreNothing)
{
    TempConfig config;
    ScriptedForms forms;
    forms
        .then([](ui::Form& form) {
            click(&prompt(form), QStringLiteral("chkNotAgain"));
            click(&prompt(form), QStringLiteral("cmdCancel"));
        })
        .then([](ui::Form& form) {
            click(&prompt(form), QStringLiteral("chkNotAgain"));
            prompt(form).close();
        })
        .then([](ui::Form& form) { click(&prompt(form), QStringLiteral("cmdOK")); });
    modDSMA::showScanPrompt(modDSMA::CardScanPrompt);
    EXPECT_TRUE(modDSMA::wasPromptCancelled());
    modDSMA::showScanPrompt(modDSMA::TwainPrompt);
    EXPECT_TRUE(modDSMA::wasPromptCancelled());
    EXPECT_EQ(stored(QStringLiteral("0")), QStringLiteral("(none)"));
    EXPECT_EQ(stored(QStringLiteral("1")), QStringLiteral("(none)"));
    // The next prompt starts uncancelled, and no prompt window stays loaded.
    modDSMA::showScanPrompt(modDSMA::TwainPrompt);
    EXPECT_FALSE(modDSMA::wasPromptCancelled());
    EXPECT_EQ(ui::findForm<frmDSMA>(), nullptr);
}

TEST(ScanPrompt, ALongMessageMovesTheBoxAndButtonsDownAndStaysCentred)
{
    auto* form = new frmDSMA;
    ui::load(*form);
    form->setMessage(QStringLiteral("One line."));
    const int shortCheckTop = form->chkNotAgain->y();
    const int shortButtonsTop = form->cmdOK->y();
    const int shortHeight = form->height();
    form->setMessage(QStringLiteral("First line.\nSecond line.\nThird line, and a fourth one that is long enough to "
                                    "wrap round the end of the message label at least once."));
    const int extra = form->chkNotAgain->y() - shortCheckTop;
    EXPECT_GT(extra, 0);
    EXPECT_EQ(form->cmdOK->y() - shortButtonsTop, extra);
    EXPECT_EQ(form->height() - shortHeight, extra);
    // Check box 240 twips and buttons 720 twips below the message; window 1680 twips taller.
    const int bottom = form->lblMsg->geometry().bottom() + 1;
    EXPECT_NEAR(form->chkNotAgain->y() - bottom, ui::twipsToPixelsY(240), 1);
    EXPECT_NEAR(form->cmdOK->y() - bottom, ui::twipsToPixelsY(720), 1);
    EXPECT_NEAR(form->height() - bottom, ui::twipsToPixelsY(1680), 1);
    // Buttons side by side, OK first.
    EXPECT_LT(form->cmdOK->x(), form->cmdCancel->x());
    EXPECT_LT(form->cmdCancel->x(), form->cmdHelp->x());
    EXPECT_EQ(form->cmdOK->y(), form->cmdHelp->y());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_NEAR(form->x() + form->width() / 2, screen.center().x(), 1);
    EXPECT_NEAR(form->y() + form->height() / 2, screen.center().y(), 1);
    ui::unload(*form);
}
