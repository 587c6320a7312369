// The panel's preferences: the wizard and the dialog, what they store, and what the panel
// applies afterwards.
#include "PanelFixture.h"

#include "common/frmConfigWizard.h"
#include "common/frmPreferences.h"
#include "platform/settings/Settings.h"

#include "WidgetDriver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

using testing_support::click;
using testing_support::control;
using testing_support::trigger;

namespace {

class PanelPreferencesTest : public PanelFixture
{
protected:
    void SetUp() override
    {
        PanelFixture::SetUp();
        install(QStringLiteral("Quorvane.exe"));
    }

    QStringList keys(const QString& section) const
    {
        QStringList names;
        for (const auto& [key, value] : settings::getAllSettings(QStringLiteral("Zephlorin"), section))
            names.append(key);
        return names;
    }
};

TEST_F(PanelPreferencesTest, TheFirstStartOfAVersionRunsTheWizardOnceAndDoneStoresTheEightSettingsInOrder)
{
    ASSERT_TRUE(settings::deleteSetting(QStringLiteral("Zephlorin"), QStringLiteral("Startup")));
    m_modals.then([this](ui::Form& form) {
        auto& wizard = dynamic_cast<frmConfigWizard&>(form);
        EXPECT_FALSE(m_panel->boolReady);
        EXPECT_EQ(wizard.fraGroup.size(), 4);
        EXPECT_EQ(control<QCheckBox>(&wizard, QStringLiteral("chkShowInSystray"))->toolTip(),
                  QStringLiteral("Checked: Zephlorin starts with icon in system tray. Unchecked: no icon."));
        EXPECT_EQ(control<QLabel>(&wizard, QStringLiteral("lblWindowState"))->text(),
                  QStringLiteral("Launch mini-window"));
        EXPECT_TRUE(control<QComboBox>(&wizard, QStringLiteral("cboWindowState"))->isEnabled());
        click(&wizard, QStringLiteral("cmdFinish"));
    });
    start();
    EXPECT_TRUE(m_panel->boolReady);
    EXPECT_EQ(keys(QStringLiteral("Preferences")),
              (QStringList{QStringLiteral("DefaultPIM"), QStringLiteral("Scanner"), QStringLiteral("ToolTips"),
                           QStringLiteral("PDF COM port"), QStringLiteral("Start Window State"),
                           QStringLiteral("Show In Systray")}));
    EXPECT_EQ(keys(QStringLiteral("Dont show me again")), (QStringList{QStringLiteral("1"), QStringLiteral("0")}));
    ui::unload(*m_panel);
    start();
    EXPECT_EQ(m_modals.shown().size(), 1) << "once per version";
}

TEST_F(PanelPreferencesTest, UntickingTheTrayBoxRestoresTheStartStateAndTheCommitShowsThePanel)
{
    start();
    ASSERT_FALSE(m_panel->isVisible());
    ASSERT_TRUE(m_tray.isIconShown());
    m_modals.then([this](ui::Form& form) {
        auto& dialog = dynamic_cast<frmPreferences&>(form);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Zephlorin Preferences"));
        EXPECT_EQ(control<QComboBox>(&dialog, QStringLiteral("cboDefaultPIM"))->toolTip(),
                  QStringLiteral("Destination for Scan"));
        auto* state = control<QComboBox>(&dialog, QStringLiteral("cboWindowState"));
        EXPECT_EQ(state->currentIndex(), 0);
        click(&dialog, QStringLiteral("chkShowInSystray"));
        EXPECT_FALSE(state->isEnabled());
        EXPECT_EQ(state->currentText(), QStringLiteral("Restored"));
        click(&dialog, QStringLiteral("chkToolTipsOn"));
        click(&dialog, QStringLiteral("cmdOK"));
    });
    trigger(m_panel, QStringLiteral("mnuPopupSystrayPreferencesAllatonce"));
    EXPECT_EQ(setting(QStringLiteral("Preferences"), QStringLiteral("Start Window State")), QStringLiteral(" 1"));
    EXPECT_EQ(setting(QStringLiteral("Preferences"), QStringLiteral("Show In Systray")), QStringLiteral("0"));
    EXPECT_TRUE(m_panel->isVisible());
    EXPECT_FALSE(m_tray.isIconShown());
    EXPECT_FALSE(m_panel->mnuPopupSystrayMinimize->isEnabled());
    EXPECT_TRUE(m_panel->cmdLaunchQVN->toolTip().isEmpty()) << "tool tips turned off";
    EXPECT_TRUE(m_panel->boolReady);

    // Loaded unticked: the start state is greyed at once, though no click ran.
    m_modals.then([](ui::Form& form) {
        auto* state = control<QComboBox>(form.widget(), QStringLiteral("cboWindowState"));
        EXPECT_FALSE(state->isEnabled());
        EXPECT_EQ(state->currentIndex(), 1);
        // Customize, then Display.
        click(form.widget(), QStringLiteral("cmdNext"));
        click(form.widget(), QStringLiteral("cmdNext"));
        click(form.widget(), QStringLiteral("chkToolTipsOn"));
        click(form.widget(), QStringLiteral("cmdNext"));
        click(form.widget(), QStringLiteral("chkShowInSystray"));
        EXPECT_TRUE(state->isEnabled());
        EXPECT_EQ(state->currentIndex(), 1) << "ticking keeps Restored";
        click(form.widget(), QStringLiteral("cmdFinish"));
    });
    trigger(m_panel, QStringLiteral("mnuPopupSystrayPreferencesWizard"));
    EXPECT_TRUE(m_tray.isIconShown());
    EXPECT_EQ(m_tray.adds(), 2);
    EXPECT_TRUE(m_panel->mnuPopupSystrayMinimize->isEnabled());
    EXPECT_EQ(m_panel->cmdLaunchQVN->toolTip(),
              QStringLiteral("Left click: Go To Quorvane. Right click: options and actions."));
}

TEST_F(PanelPreferencesTest, TheScannerChoiceShowsItsScanButton)
{
    setSetting(QStringLiteral("Preferences"), QStringLiteral("Scanner"), QStringLiteral(" 0"));
    start();
    for (int n = 0; n < 5; ++n)
        EXPECT_EQ(m_panel->cmdScan[n]->isHidden(), n != 4) << n;
    EXPECT_FALSE(m_panel->mnuPopupSystrayScannerport->menuAction()->isVisible());
    setSetting(QStringLiteral("Preferences"), QStringLiteral("Scanner"), QStringLiteral(" 2"));
    m_panel->commitPreferences();
    for (int n = 0; n < 5; ++n)
        EXPECT_EQ(m_panel->cmdScan[n]->isHidden(), n != 0) << n;
    EXPECT_TRUE(m_panel->mnuScan->isEnabled());
}

} // namespace
