#include "panel/ZephlorinPreferences.h"

#include "common/CPreferencesForm.h"
#include "common/modRegistryHigh.h"
#include "platform/ui/Controls.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>

namespace {

// "Restored" in the start state list.
constexpr int StartRestored = 1;

void buildPim(QBoxLayout* layout, PreferencesEdition::Window window)
{
    const QString pimTip = window == PreferencesEdition::Window::Wizard
                               ? QStringLiteral("Source for Import. Destination for Export and Scan.")
                               : QStringLiteral("Destination for Scan");
    PreferencesEdition::addDefaultPimBox(layout, pimTip);
}

void buildDisplay(QBoxLayout* layout)
{
    PreferencesEdition::addCheckBox(
        layout, QStringLiteral("chkShowInSystray"), QStringLiteral("Display program icon in the system tray"),
        QStringLiteral("Checked: Zephlorin starts with icon in system tray. Unchecked: no icon."));
    const QString stateTip = QStringLiteral("How a freshly launched Zephlorin appears on the screen");
    PreferencesEdition::addComboBox(
        layout, QStringLiteral("Launch mini-window"), QStringLiteral("cboWindowState"),
        {QStringLiteral("Minimized"), QStringLiteral("Restored"), QStringLiteral("Same as when last closed")}, stateTip,
        stateTip);
}

} // namespace

const ZephlorinPreferences& ZephlorinPreferences::instance()
{
    static const ZephlorinPreferences edition;
    return edition;
}

QString ZephlorinPreferences::dialogCaption() const
{
    return QStringLiteral("Zephlorin Preferences");
}

QList<PreferencesEdition::Step> ZephlorinPreferences::steps() const
{
    return {
        pimStep(),
        scanningStep(),
        customizeStep(),
        {QStringLiteral("Display"), QStringLiteral("Display Options")},
    };
}

void ZephlorinPreferences::buildStep(int nIndex, QBoxLayout* layout, Window window) const
{
    switch (nIndex) {
    case 0:
        buildPim(layout, window);
        break;
    case 1:
        addScanningStep(layout, window);
        break;
    case 2:
        addToolTipsBox(layout);
        break;
    case 3:
        buildDisplay(layout);
        break;
    default:
        break;
    }
}

QList<PreferencesEdition::Setting> ZephlorinPreferences::settings() const
{
    using namespace modRegistryHigh;
    return {
        defaultPimSetting(),
        scannerSetting(),
        toolTipsSetting(),
        comPortSetting(),
        {QStringLiteral("cboWindowState"), getStartWindowState, [](qint32 v) { return setStartWindowState(v); }},
        checkSetting(QStringLiteral("chkShowInSystray"), getShowInSystray, setShowInSystray),
        promptSetting(QStringLiteral("chkPromptBeforeScanning"), 1),
        promptSetting(QStringLiteral("chkRemindAboutTWAINSettings"), 0),
    };
}

void ZephlorinPreferences::connectControls(CPreferencesForm& form) const
{
    if (auto* systray = form.findChild<QCheckBox*>(QStringLiteral("chkShowInSystray")))
        ui::handle(systray, [&form] { chkShowInSystray_Click(form); });
}

void ZephlorinPreferences::preferencesLoaded(CPreferencesForm& form) const
{
    chkShowInSystray_Click(form);
}

void ZephlorinPreferences::chkShowInSystray_Click(CPreferencesForm& form)
{
    const auto* systray = form.findChild<QCheckBox*>(QStringLiteral("chkShowInSystray"));
    auto* windowState = form.findChild<QComboBox*>(QStringLiteral("cboWindowState"));
    if (!systray || !windowState)
        return;
    windowState->setEnabled(systray->isChecked());
    if (!systray->isChecked())
        windowState->setCurrentIndex(StartRestored);
}
