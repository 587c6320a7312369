// What the user sees of Zephlorin: the panel's buttons and every form of the program with their
// captions whole in the programs' font.
#include "PanelFixture.h"

#include "common/ProgramEdition.h"
#include "common/frmAbout.h"
#include "common/frmConfigWizard.h"
#include "common/frmPreferences.h"

#include "WholeCaptions.h"

#include <QToolButton>

using testing_support::loadedNotShownWhole;
using testing_support::notShownWhole;

class PanelOnScreenTest : public PanelFixture
{
};

TEST_F(PanelOnScreenTest, EveryFormShowsItsCaptionsWhole)
{
    for (const char* program : {"Quorvane.exe", "Brindlemark.exe", "Kelvadon.exe"})
        install(QString::fromLatin1(program));
    setSetting(QStringLiteral("Preferences"), QStringLiteral("Show In Systray"), QStringLiteral("0"));
    start();
    ASSERT_TRUE(m_panel->cmdLaunchBMK->isVisible());
    ASSERT_TRUE(m_panel->cmdLaunchKLV->isVisible());
    QStringList cut = notShownWhole(m_panel);
    const PreferencesEdition& preferences = *modMainHelper::programEdition().preferences;
    cut << loadedNotShownWhole(new frmAbout) << loadedNotShownWhole(new frmPreferences(preferences))
        << loadedNotShownWhole(new frmConfigWizard(preferences), QStringLiteral("cmdNext"));
    EXPECT_TRUE(cut.isEmpty()) << cut.join(u'\n').toStdString();
}
