#include "reader/QuorvanePreferences.h"

#include "common/modRegistryHigh.h"
#include "platform/ui/MessageService.h"

#include <QBoxLayout>
#include <QLabel>

namespace {

QStringList pimItems()
{
    return {QStringLiteral("CardScan"), QStringLiteral("Microsoft Outlook")};
}

void buildPim(QBoxLayout* layout, PreferencesEdition::Window window)
{
    const bool wizard = window == PreferencesEdition::Window::Wizard;
    const QString pimTip = wizard ? QStringLiteral("Source for Import. Destination for Export and Scan.")
                                  : QStringLiteral("Destination for Export and Scan");
    PreferencesEdition::addComboBox(layout, QStringLiteral("Default PIM:"), QStringLiteral("cboDefaultPIM"), pimItems(),
                                    pimTip, pimTip);
    PreferencesEdition::addCheckBox(
        layout, QStringLiteral("chkAutoUpdateCardScan"),
        wizard ? QStringLiteral("&Automatically add scanned contact to default PIM")
               : QStringLiteral("&After scanning card, automatically add new contact to default PIM"),
        QStringLiteral("Check to enable automatic transfer, uncheck to disable"));
}

void buildCustomize(QBoxLayout* layout)
{
    PreferencesEdition::addCheckBox(layout, QStringLiteral("chkToolTipsOn"), QStringLiteral("Show &tool tips"),
                                    QStringLiteral("This is a tool tip"));
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

void buildOutput(QBoxLayout* layout)
{
    PreferencesEdition::addCheckBox(layout, QStringLiteral("chkComplexVCard"),
                                    QStringLiteral("Export vCard with extended fields"),
                                    QStringLiteral("Check for maximum information, uncheck for maximum compatibility"));
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
        {QStringLiteral("PIM"), QStringLiteral("Which Personal Information Manager do you prefer?")},
        {QStringLiteral("Scanning"), QStringLiteral("How will you be scanning The Corvel Impression")},
        {QStringLiteral("Customize"), QStringLiteral("Customize")},
        {QStringLiteral("Output"), QStringLiteral("Output options")},
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
        buildOutput(layout);
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
        {QStringLiteral("cboDefaultPIM"), getDefaultPIM, [](qint32 v) { setDefaultPIM(v); }},
        {QStringLiteral("cboScanner"), getScanner, [](qint32 v) { setScanner(qint16(v)); }, true},
        checkSetting(QStringLiteral("chkToolTipsOn"), getToolTips, setToolTips),
        // Ticked for the extended fields: the setting is the opposite.
        {QStringLiteral("chkComplexVCard"), [] { return qint32(!getSimpleVCard()); },
         [](qint32 v) { setSimpleVCard(v == 0); }},
        {QStringLiteral("cboCOM"), getPDFComPort, [](qint32 v) { setPDFComPort(v); }, true},
        promptSetting(QStringLiteral("chkPromptBeforeScanning"), 1),
        promptSetting(QStringLiteral("chkRemindAboutTWAINSettings"), 0),
    };
}
