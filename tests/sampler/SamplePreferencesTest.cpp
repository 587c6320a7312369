// Brindlemark's preferences wizard and dialog: five settings, four panels, its own wording.
#include "common/MainHelper.h"
#include "common/frmConfigWizard.h"
#include "common/frmPreferences.h"
#include "common/modRegistryHigh.h"
#include "platform/settings/Settings.h"
#include "platform/ui/MessageService.h"
#include "sampler/BrindlemarkProgram.h"

#include "InstalledEdition.h"
#include "ScriptedForms.h"
#include "TempConfig.h"
#include "WidgetDriver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using Pairs = QList<std::pair<QString, QString>>;

class SamplePreferencesTest : public ::testing::Test
{
protected:
    SamplePreferencesTest() { ui::setProgramTitle(QStringLiteral("Brindlemark")); }

    template <class T> static T* child(QWidget& form, const char* name)
    {
        return testing_support::control<T>(&form, QString::fromLatin1(name));
    }

    testing_support::TempConfig m_config;
    testing_support::ScriptedForms m_forms;
    testing_support::InstalledEdition m_edition{modSampleMain::programEdition()};
};

TEST_F(SamplePreferencesTest, TheWizardsPanelsAndDoneOnTheFirstStoringAllFiveInOrder)
{
    m_forms.then([](ui::Form& form) {
        auto& w = dynamic_cast<frmConfigWizard&>(form);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Brindlemark Preferences Wizard"));
        ASSERT_EQ(w.fraGroup.size(), 4);
        const QStringList titles = {QStringLiteral("Which Personal Information Manager do you prefer?"),
                                    QStringLiteral("How do you prefer to print The Corvel Impression™?"),
                                    QStringLiteral("Customize"), QStringLiteral("Output options")};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(w.findChild<QGroupBox*>(QStringLiteral("fraPrompt(%1)").arg(i))->title(), titles[i]);
        EXPECT_EQ(child<QComboBox>(w, "cboDefaultPIM")->toolTip(),
                  QStringLiteral("Source for Import. Destination for Export and Scan."));
        auto* layout = child<QComboBox>(w, "cboDefaultLayout");
        EXPECT_EQ(layout->count(), 3);
        EXPECT_EQ(layout->currentText(), QStringLiteral("The Corvel Labels: 5 rows x 2 columns")) << "the default, 1";
        EXPECT_EQ(child<QCheckBox>(w, "chkEncodeCorvelWords")->text(),
                  QStringLiteral("Include The Corvel Words™ in The Corvel Encoding™"));
        EXPECT_TRUE(child<QCheckBox>(w, "chkEncodeCorvelWords")->isChecked());
        EXPECT_FALSE(child<QCheckBox>(w, "chkComplexVCard")->isChecked());
        EXPECT_EQ(w.findChild<QComboBox*>(QStringLiteral("cboScanner")), nullptr) << "no scanner here";
        child<QComboBox>(w, "cboDefaultPIM")->setCurrentIndex(0);
        layout->setCurrentIndex(2);
        child<QCheckBox>(w, "chkToolTipsOn")->setChecked(false);
        child<QCheckBox>(w, "chkComplexVCard")->setChecked(true);
        child<QCheckBox>(w, "chkEncodeCorvelWords")->setChecked(false);
        testing_support::click(&w, QStringLiteral("cmdFinish"));
    });
    modMainHelper::showPreferencesWizard(nullptr);
    EXPECT_EQ(settings::getAllSettings(QStringLiteral("Brindlemark"), QStringLiteral("Preferences")),
              (Pairs{{QStringLiteral("DefaultPIM"), QStringLiteral(" 0")},
                     {QStringLiteral("LayoutDefault"), QStringLiteral(" 2")},
                     {QStringLiteral("ToolTips"), QStringLiteral("0")},
                     {QStringLiteral("Simple vCard"), QStringLiteral("0")},
                     {QStringLiteral("Encode CorvelWords"), QStringLiteral("0")}}));
    EXPECT_FALSE(modRegistryHigh::getEncodeCorvelWords());
}

TEST_F(SamplePreferencesTest, TheDialogsOwnWordingAndTheStoredLayout)
{
    modRegistryHigh::setLayoutDefault(2);
    m_forms.then([](ui::Form& form) {
        auto& d = dynamic_cast<frmPreferences&>(form);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Brindlemark Preferences"));
        EXPECT_EQ(child<QComboBox>(d, "cboDefaultLayout")->currentText(),
                  QStringLiteral("The Corvel Template: 3 rows x 2 columns"));
        EXPECT_EQ(child<QComboBox>(d, "cboDefaultPIM")->toolTip(), QStringLiteral("Destination for Export."));
        EXPECT_EQ(child<QCheckBox>(d, "chkEncodeCorvelWords")->text(),
                  QStringLiteral("Include The Corvel Words in The Corvel Encoding"));
        EXPECT_EQ(d.cmdCancel->toolTip(), QStringLiteral("Close this window. Do NOT apply or save changes."));
        EXPECT_EQ(d.cmdOK->toolTip(), QStringLiteral("Close this window. Apply and save changes."));
        child<QCheckBox>(d, "chkEncodeCorvelWords")->setChecked(false);
        testing_support::click(&d, QStringLiteral("cmdOK"));
    });
    modMainHelper::showPreferencesAllAtOnce(nullptr);
    EXPECT_FALSE(modRegistryHigh::getEncodeCorvelWords());
    EXPECT_EQ(modRegistryHigh::getLayoutDefault(), 2);

    m_forms.then([](ui::Form& form) {
        auto& w = dynamic_cast<frmConfigWizard&>(form);
        EXPECT_EQ(child<QComboBox>(w, "cboDefaultLayout")->currentIndex(), 2);
        EXPECT_FALSE(child<QCheckBox>(w, "chkEncodeCorvelWords")->isChecked());
        testing_support::click(&w, QStringLiteral("cmdFinish"));
    });
    modMainHelper::showPreferencesWizard(nullptr);
}

} // namespace
