#include "common/ICommitPreferences.h"
#include "common/IMainWindow.h"
#include "common/MainHelper.h"
#include "common/ProgramEdition.h"
#include "common/frmConfigWizard.h"
#include "common/frmPreferences.h"
#include "common/frmProgIcon.h"
#include "common/modRegistryHigh.h"
#include "common/modRegistryLow.h"
#include "platform/registry/Registry.h"
#include "platform/scanner/FakeImageSource.h"
#include "platform/settings/Settings.h"
#include "platform/ui/ToolTips.h"

#include "InstalledEdition.h"
#include "QtPrinters.h"
#include "RecordingHelp.h"
#include "ScriptedForms.h"
#include "ScriptedMessages.h"
#include "TempConfig.h"
#include "WidgetDriver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include <gtest/gtest.h>

using testing_support::click;
using testing_support::control;
using testing_support::RecordingHelp;
using testing_support::ScriptedForms;
using testing_support::ScriptedMessages;
using testing_support::TempConfig;

// The windows here are the card-reading program's: its edition is installed as its start-up does.
const auto* const g_edition = ::testing::AddGlobalTestEnvironment(new testing_support::QuorvaneEdition);

namespace {

using Pairs = QList<std::pair<QString, QString>>;

Pairs stored(const QString& section)
{
    return settings::getAllSettings(QStringLiteral("Quorvane"), section);
}

template <class T> T* child(QWidget& form, const char* name)
{
    return control<T>(&form, QString::fromLatin1(name));
}

QCheckBox* check(QWidget& form, const char* name)
{
    return child<QCheckBox>(form, name);
}

QComboBox* combo(QWidget& form, const char* name)
{
    return child<QComboBox>(form, name);
}

void press(QWidget& form, const char* name)
{
    click(&form, QString::fromLatin1(name));
}

// A loaded window that counts the commits it receives.
class Listener : public QWidget, public ui::Form, public ICommitPreferences
{
public:
    Listener() { ui::load(*this); }
    ~Listener() override { ui::unload(*this); }
    void commitPreferences() override { ++commits; }
    int commits = 0;
};

// The shown panel's index, counted from 0 (-1: none or several).
int shownPanel(frmConfigWizard& w)
{
    int found = -1;
    for (int i = 0; i < w.fraGroup.size(); ++i)
        if (!w.fraGroup[i]->isHidden())
            found = found == -1 ? i : -2;
    return found;
}

// Enabled buttons of the wizard as "P", "N", "D" (Done).
std::string wizardButtons(frmConfigWizard& w)
{
    std::string s;
    if (w.cmdPrev->isEnabled())
        s += 'P';
    if (w.cmdNext->isEnabled())
        s += 'N';
    if (w.cmdFinish->isEnabled())
        s += 'D';
    return s;
}

ScriptedMessages& cancelQuestion(ScriptedMessages& messages, ui::Answer answer)
{
    return messages.answer(answer);
}

void expectCancelQuestion(const ScriptedMessages& messages)
{
    const ui::Message& q = messages.last();
    EXPECT_EQ(q.text, QStringLiteral("Are you sure you want to cancel the Preferences Wizard?"));
    EXPECT_EQ(q.buttons, ui::Buttons::YesNo);
    EXPECT_EQ(q.icon, ui::Icon::Question);
    EXPECT_EQ(q.defaultButton, 1);
}

} // namespace

TEST(PreferencesWizard, WalksAllPanelsForwardAndBackWithTheButtonStates)
{
    TempConfig config;
    ScriptedForms forms;
    forms.then([](ui::Form& form) {
        auto& w = dynamic_cast<frmConfigWizard&>(form);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Quorvane Preferences Wizard"));
        ASSERT_EQ(w.fraGroup.size(), 4);
        const QStringList titles = {QStringLiteral("Which Personal Information Manager do you prefer?"),
                                    QStringLiteral("How will you be scanning The Corvel Impression"),
                                    QStringLiteral("Customize"), QStringLiteral("Output options")};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(w.findChild<QGroupBox*>(QStringLiteral("fraPrompt(%1)").arg(i))->title(), titles[i]);
            EXPECT_EQ(w.fraGroup[i]->geometry(), w.fraGroup[0]->geometry());
        }
        EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lblProgress(13)"))->text(), QStringLiteral("Scanning"));
        EXPECT_EQ(w.cmdFinish->text(), QStringLiteral("&Done"));
        EXPECT_EQ(w.cmdPrev->text(), QStringLiteral("<- Previous"));
        EXPECT_EQ(w.cmdNext->text(), QStringLiteral("Next ->"));
        EXPECT_EQ(shownPanel(w), 0);
        EXPECT_EQ(wizardButtons(w), "ND");
        for (int i = 1; i < 4; ++i) {
            press(w, "cmdNext");
            EXPECT_EQ(shownPanel(w), i);
            EXPECT_EQ(wizardButtons(w), i == 3 ? "PD" : "PND");
        }
        for (int i = 2; i >= 0; --i) {
            press(w, "cmdPrev");
            EXPECT_EQ(shownPanel(w), i);
            EXPECT_EQ(wizardButtons(w), i == 0 ? "ND" : "PND");
        }
        press(w, "cmdFinish");
    });
    Listener listener;
    modMainHelper::showPreferencesWizard(nullptr);
    EXPECT_EQ(listener.commits, 1);
    EXPECT_EQ(ui::findForm<frmConfigWizard>(), nullptr);
}

TEST(PreferencesWizard, DoneOnTheFirstPanelStoresAllEightSettingsInOrder)
{
    TempConfig config;
    ScriptedForms forms;
    forms.then([](ui::Form& form) {
        auto& w = dynamic_cast<frmConfigWizard&>(form);
        // A fresh store: the defaults, "Simple vCard" on shown unticked.
        EXPECT_TRUE(check(w, "chkAutoUpdateCardScan")->isChecked());
        EXPECT_EQ(combo(w, "cboDefaultPIM")->currentText(), QStringLiteral("Microsoft Outlook"));
        EXPECT_EQ(combo(w, "cboScanner")->currentText(), QStringLiteral("TWAIN scanner"));
        EXPECT_FALSE(check(w, "chkComplexVCard")->isChecked());
        EXPECT_EQ(combo(w, "cboCOM")->currentText(), QStringLiteral("COM 1"));
        EXPECT_TRUE(check(w, "chkPromptBeforeScanning")->isChecked());
        check(w, "chkAutoUpdateCardScan")->setChecked(false);
        combo(w, "cboDefaultPIM")->setCurrentIndex(0);
        combo(w, "cboScanner")->setCurrentIndex(1);
        check(w, "chkToolTipsOn")->setChecked(false);
        check(w, "chkComplexVCard")->setChecked(true);
        combo(w, "cboCOM")->setCurrentIndex(3);
        check(w, "chkPromptBeforeScanning")->setChecked(false);
        press(w, "cmdFinish");
    });
    modMainHelper::showPreferencesWizard(nullptr);
    EXPECT_EQ(stored(QStringLiteral("Preferences")), (Pairs{{QStringLiteral("AutoUpdate"), QStringLiteral("0")},
                                                            {QStringLiteral("DefaultPIM"), QStringLiteral(" 0")},
                                                            {QStringLiteral("Scanner"), QStringLiteral(" 1")},
                                                            {QStringLiteral("ToolTips"), QStringLiteral("0")},
                                                            {QStringLiteral("Simple vCard"), QStringLiteral("0")},
                                                            {QStringLiteral("PDF COM port"), QStringLiteral(" 3")}}));
    EXPECT_EQ(stored(QStringLiteral("Dont show me again")),
              (Pairs{{QStringLiteral("1"), QStringLiteral("0")}, {QStringLiteral("0"), QStringLiteral("1")}}));
}

TEST(PreferencesWizard, CancelAsksAndStoresNothing)
{
    TempConfig config;
    ScriptedMessages messages;
    ScriptedForms forms;
    forms.then([&](ui::Form& form) {
        auto& w = dynamic_cast<frmConfigWizard&>(form);
        press(w, "cmdNext");
        combo(w, "cboScanner")->setCurrentIndex(0);
        cancelQuestion(messages, ui::Answer::No);
        press(w, "cmdCancel");
        expectCancelQuestion(messages);
        // No: the same panel with the changes.
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(shownPanel(w), 1);
        EXPECT_EQ(combo(w, "cboScanner")->currentIndex(), 0);
        // The close box asks the same; No keeps it open, Yes cancels.
        cancelQuestion(messages, ui::Answer::No);
        w.close();
        EXPECT_TRUE(w.isVisible());
        cancelQuestion(messages, ui::Answer::Yes);
        w.close();
        EXPECT_FALSE(w.isVisible());
        EXPECT_TRUE(w.CancelPressed());
    });
    Listener listener;
    modMainHelper::showPreferencesWizard(nullptr);
    EXPECT_EQ(messages.shown().size(), 3);
    EXPECT_TRUE(stored(QStringLiteral("Preferences")).isEmpty());
    EXPECT_TRUE(stored(QStringLiteral("Dont show me again")).isEmpty());
    EXPECT_EQ(listener.commits, 0);

    forms.then([&](ui::Form& form) {
        cancelQuestion(messages, ui::Answer::Yes);
        press(dynamic_cast<frmConfigWizard&>(form), "cmdCancel");
    });
    modMainHelper::showPreferencesWizard(nullptr);
    EXPECT_TRUE(stored(QStringLiteral("Preferences")).isEmpty());
    EXPECT_EQ(listener.commits, 0);
}

TEST(PreferencesWindows, DoneOrOKThatCannotStoreIsToldAndKeepsTheWindowOpenWithTheChoices)
{
    TempConfig config;
    ScriptedMessages messages;
    ScriptedForms forms;
    ASSERT_TRUE(modRegistryHigh::setPDFComPort(0));
    const QString file = settings::settingsFilePath(QStringLiteral("Quorvane"));
    for (const bool wizard : {true, false}) {
        forms.then([&](ui::Form& form) {
            const char* done = wizard ? "cmdFinish" : "cmdOK";
            auto& w = dynamic_cast<QWidget&>(form);
            combo(w, "cboCOM")->setCurrentIndex(2);
            QFile::setPermissions(file, QFile::ReadOwner); // marked read-only, which holds for root too
            messages.ok();
            press(w, done);
            EXPECT_TRUE(messages.last().text.endsWith(file + QStringLiteral(": it is read-only")));
            EXPECT_TRUE(w.isVisible());
            QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
            press(w, done);
        });
        wizard ? modMainHelper::showPreferencesWizard(nullptr) : modMainHelper::showPreferencesAllAtOnce(nullptr);
        EXPECT_EQ(modRegistryHigh::getPDFComPort(), 2);
        modRegistryHigh::setPDFComPort(0);
    }
}

TEST(PreferencesWindows, ScannerChoiceShowsItsFrame)
{
    TempConfig config;
    modRegistryHigh::setScanner(1);
    for (bool wizard : {true, false}) {
        std::unique_ptr<CPreferencesForm> form;
        if (wizard)
            form = std::make_unique<frmConfigWizard>(*modMainHelper::programEdition().preferences);
        else
            form = std::make_unique<frmPreferences>(*modMainHelper::programEdition().preferences);
        ui::load(*form);
        auto* comm = child<QWidget>(*form, "fraComm");
        auto* twain = child<QGroupBox>(*form, "fraTWAIN");
        EXPECT_EQ(twain->title(), QStringLiteral("TWAIN"));
        EXPECT_FALSE(comm->isHidden());
        EXPECT_TRUE(twain->isHidden());
        combo(*form, "cboScanner")->setCurrentIndex(2);
        EXPECT_TRUE(comm->isHidden());
        EXPECT_FALSE(twain->isHidden());
        combo(*form, "cboScanner")->setCurrentIndex(0);
        EXPECT_TRUE(comm->isHidden());
        EXPECT_TRUE(twain->isHidden());
        ui::unload(*form);
        form.release(); // deleted by the unload
    }
}

TEST(PreferencesWindows, ToolTipsOffLeaveOnlyTheSampleTip)
{
    TempConfig config;
    modRegistryHigh::setToolTips(false);
    frmConfigWizard* wizard = new frmConfigWizard(*modMainHelper::programEdition().preferences);
    ui::load(*wizard);
    for (QObject* control : ui::toolTipControls(wizard)) {
        if (control->objectName() != QStringLiteral("chkToolTipsOn")) {
            EXPECT_TRUE(ui::toolTipOf(control).isEmpty()) << control->objectName().toStdString();
        }
    }
    EXPECT_EQ(check(*wizard, "chkToolTipsOn")->toolTip(), QStringLiteral("This is a tool tip"));
    EXPECT_FALSE(check(*wizard, "chkToolTipsOn")->isChecked());
    ui::unload(*wizard);

    modRegistryHigh::setToolTips(true);
    wizard = new frmConfigWizard(*modMainHelper::programEdition().preferences);
    ui::load(*wizard);
    EXPECT_EQ(child<QLabel>(*wizard, "lblScanner")->toolTip(),
              QStringLiteral("Device that optically captures images of The Corvel Encoding"));
    EXPECT_EQ(combo(*wizard, "cboScanner")->toolTip(),
              QStringLiteral("Independently set for each Tessaline family member"));
    EXPECT_EQ(combo(*wizard, "cboDefaultPIM")->toolTip(),
              QStringLiteral("Source for Import. Destination for Export and Scan."));
    EXPECT_EQ(wizard->cmdFinish->toolTip(), QStringLiteral("Close this window. Apply and save changes."));
    EXPECT_EQ(wizard->cmdCancel->toolTip(), QStringLiteral("Close this window. Do NOT apply or save changes."));
    ui::unload(*wizard);
}

TEST(PreferencesDialog, OkStoresAndCommitsCancelAndCloseBoxStoreNothing)
{
    TempConfig config;
    modRegistryHigh::setSimpleVCard(true);
    ScriptedForms forms;
    Listener listener;
    forms.then([](ui::Form& form) {
        auto& d = dynamic_cast<frmPreferences&>(form);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Quorvane Preferences"));
        EXPECT_EQ(check(d, "chkPromptBeforeScanning")->text(), QStringLiteral("Prompt before scanning"));
        EXPECT_EQ(child<QPushButton>(d, "cmdSelectTWAINSource")->text(), QStringLiteral("Select source"));
        EXPECT_EQ(check(d, "chkAutoUpdateCardScan")->text(),
                  QStringLiteral("&After scanning card, automatically add new contact to default PIM"));
        EXPECT_EQ(combo(d, "cboDefaultPIM")->toolTip(), QStringLiteral("Destination for Export and Scan"));
        EXPECT_EQ(d.cmdOK->toolTip(), QStringLiteral("Close this window. Apply and save changes."));
        EXPECT_FALSE(check(d, "chkComplexVCard")->isChecked());
        check(d, "chkComplexVCard")->setChecked(true);
        check(d, "chkRemindAboutTWAINSettings")->setChecked(false);
        press(d, "cmdOK");
    });
    modMainHelper::showPreferencesAllAtOnce(nullptr);
    EXPECT_FALSE(modRegistryHigh::getSimpleVCard());
    EXPECT_FALSE(modRegistryHigh::getPromptWanted(0));
    EXPECT_TRUE(modRegistryHigh::getPromptWanted(1));
    EXPECT_EQ(listener.commits, 1);

    forms.then([](ui::Form& form) {
        auto& d = dynamic_cast<frmPreferences&>(form);
        check(d, "chkComplexVCard")->setChecked(false);
        press(d, "cmdCancel");
    });
    forms.then([](ui::Form& form) {
        auto& d = dynamic_cast<frmPreferences&>(form);
        check(d, "chkComplexVCard")->setChecked(false);
        d.close();
        EXPECT_FALSE(d.isVisible());
    });
    modMainHelper::showPreferencesAllAtOnce(nullptr);
    modMainHelper::showPreferencesAllAtOnce(nullptr);
    EXPECT_FALSE(modRegistryHigh::getSimpleVCard());
    EXPECT_EQ(listener.commits, 1);
}

TEST(PreferencesWindows, HelpAndTheFileAssociation)
{
    TempConfig config;
    RecordingHelp help;
    ScriptedMessages messages;
    auto* d = new frmPreferences(*modMainHelper::programEdition().preferences);
    ui::load(*d);
    press(*d, "cmdHelp");
    EXPECT_EQ(help.topics(), QList<int>{CPreferencesForm::HelpContextID});

    auto* now = child<QPushButton>(*d, "cmdForceAssociation");
    EXPECT_EQ(now->text(), QStringLiteral("&Now"));
    messages.ok();
    press(*d, "cmdForceAssociation");
    EXPECT_EQ(messages.last().text, QStringLiteral("File icons will be updated after you restart your computer."));
    EXPECT_EQ(messages.last().icon, ui::Icon::Information);
    EXPECT_EQ(messages.last().helpTopic, CPreferencesForm::HelpContextID);
    EXPECT_EQ(
        modRegistryLow::getStringValue(modRegistryLow::Root::ClassesRoot, QStringLiteral(".imf"), QString(), QString()),
        QStringLiteral("Quorvane File"));

    // A registry that cannot be written: no promise of new icons.
    registry::setUserHiveFolder(QStringLiteral("/dev/null/registry"));
    messages.ok();
    press(*d, "cmdForceAssociation");
    registry::setUserHiveFolder(QString());
    EXPECT_EQ(messages.last().text, QStringLiteral("Impression files could not be associated with Quorvane."));
    EXPECT_EQ(messages.last().icon, ui::Icon::Exclamation);
    ui::unload(*d);
}

namespace {

// A loaded main window, as the program's frame offers it to the shared routines.
class MainWindow : public QWidget, public ui::Form, public IMainWindow
{
public:
    MainWindow() { ui::load(*this); }
    ~MainWindow() override { ui::unload(*this); }
    void openFile(const QString&) override {}
};

QIcon programIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::darkCyan);
    return QIcon(pixmap);
}

} // namespace

TEST(PreferencesWindows, TakeTheIconOfTheProgramIconFormAndOpenTheSourceChooserOverTheMainWindow)
{
    TempConfig config;
    frmProgIcon::instance().setWindowIcon(programIcon());
    const qint64 icon = frmProgIcon::programIcon().cacheKey();
    scanner::FakeImageSource source;
    for (bool wizard : {true, false}) {
        CPreferencesForm* form = nullptr;
        if (wizard)
            form = new frmConfigWizard(*modMainHelper::programEdition().preferences);
        else
            form = new frmPreferences(*modMainHelper::programEdition().preferences);
        ui::load(*form);
        EXPECT_EQ(form->windowIcon().cacheKey(), icon);

        // Without a main window the chooser is the preferences window's own; with one, the main window's.
        if (wizard)
            press(*form, "cmdNext"); // the scanning panel, with the TWAIN scanner chosen
        const qsizetype before = source.chooserOwners().size();
        press(*form, "cmdSelectTWAINSource");
        {
            MainWindow main;
            press(*form, "cmdSelectTWAINSource");
            EXPECT_EQ(source.chooserOwners().mid(before), (QList<QWidget*>{form, &main}));
        }
        ui::unload(*form);
    }
    frmProgIcon::instance().setWindowIcon(QIcon());
}
