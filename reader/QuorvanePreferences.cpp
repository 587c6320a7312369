#include "reader/QuorvanePreferences.h"

#include "common/modRegistryHigh.h"
#include "platform/ui/MessageService.h"

#include <QBoxLayout>
#include <QLabel>

namespace {

void buildPim(QBoxLayout* layout, PreferencesEdition::Window window)
{
    const bool wizard = window == PreferencesEdition::Window::Wizard;
    const QString pimTip = wizard ? QStringLiteral("Source for Import. Destination for Export and Scan.")
                                  : QStringLiteral("Destination for Export and Scan");
    PreferencesEdition::addDefaultPimBox(layout, pimTip);
    PreferencesEdition::addCheckBox(
        layout, QStringLiteral("chkAutoUpdateCardScan"),
        wizard ? QStringLiteral("&Automatically add scanned contact to default PIM")
               : QStringLiteral("&After scanning card, automatically add new contact to default PIM"),
        QStringLiteral("Check to enable automatic transfer, uncheck to disable"));
}

void buildCustomize(QBoxLayout* layout)
{
    PreferencesEdition::addToolTipsBox(layout);
    auto* row = new QHBoxLayout;
    auto* ask = new QLabel(QStringLiteral("Make ") + ui::programTitle() +
                           QStringLiteral(" the program that opens impression files again:"));
    ask->setWordWrap(true);
    row->addWidget(ask, 1);
    PreferencesEdition::addButton(row, QStringLiteral("cmdForceAssociation"), QStringLiteral("&Now"),
                                  QStringLiteral("Impression files you double-click in the file manager open in ") +
                                      ui::programTitle());
    layout->addLayout(row);
}

} // namespace

const QuorvanePreferences& QuorvanePreferences::instance()
{
    static const QuorvanePreferences edition;
    return edition;
}

QString QuorvanePreferences::dialogCaption() const
{
    return QStringLiteral("Quorvane Preferences");
}

QList<PreferencesEdition::Step> QuorvanePreferences::steps() const
{
    return {
        pimStep(),
        scanningStep(),
        customizeStep(),
        outputStep(),
    };
}

void QuorvanePreferences::buildStep(int nIndex, QBoxLayout* layout, Window window) const
{
    switch (nIndex) {
    case 0:
        buildPim(layout, window);
        break;
    case 1:
        addScanningStep(layout, window);
        break;
    case 2:
        buildCustomize(layout);
        break;
    case 3:
        addComplexVCardBox(layout);
        break;
    default:
        break;
    }
}

QList<PreferencesEdition::Setting> QuorvanePreferences::settings() const
{
    using namespace modRegistryHigh;
    return {
        checkSetting(QStringLiteral("chkAutoUpdateCardScan"), getAutoUpdate, setAutoUpdate),
        defaultPimSetting(),
        scannerSetting(),
        toolTipsSetting(),
        complexVCardSetting(),
        comPortSetting(),
        promptSetting(QStringLiteral("chkPromptBeforeScanning"), 1),
        promptSetting(QStringLiteral("chkRemindAboutTWAINSettings"), 0),
    };
}
