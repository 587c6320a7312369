#include "reader/QuorvanePreferences.h"

#include "common/modRegistryHigh.h"
#include "platform/ui/MessageService.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QLabel>

namespace {

const QString SerialPortTip = QStringLiteral("Connection to which scanner is attached");

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

void buildScanning(QBoxLayout* layout, PreferencesEdition::Window window)
{
    const bool wizard = window == PreferencesEdition::Window::Wizard;
    PreferencesEdition::addComboBox(
        layout, QStringLiteral("Scan using:"), QStringLiteral("cboScanner"),
        {QStringLiteral("CardScan scanner"), QStringLiteral("PDF417 scanner"), QStringLiteral("TWAIN scanner")},
        QStringLiteral("Independently set for each Tessaline family member"),
        QStringLiteral("Device that optically captures images of The Corvel Encoding"));
    PreferencesEdition::addCheckBox(layout, QStringLiteral("chkPromptBeforeScanning"),
                                    wizard ? QStringLiteral("Prompt first") : QStringLiteral("Prompt before scanning"));
    // The scanner choice shows one of the two frames: the serial port or the TWAIN settings.
    QGroupBox* comm = PreferencesEdition::addFrame(layout, QStringLiteral("fraComm"), QString());
    PreferencesEdition::addComboBox(
        static_cast<QBoxLayout*>(comm->layout()), QStringLiteral("Serial port:"), QStringLiteral("cboCOM"),
        {QStringLiteral("COM 1"), QStringLiteral("COM 2"), QStringLiteral("COM 3"), QStringLiteral("COM 4")},
        SerialPortTip, SerialPortTip);
    QGroupBox* twain = PreferencesEdition::addFrame(layout, QStringLiteral("fraTWAIN"), QStringLiteral("TWAIN"));
    auto* twainLayout = static_cast<QBoxLayout*>(twain->layout());
    PreferencesEdition::addCheckBox(twainLayout, QStringLiteral("chkRemindAboutTWAINSettings"),
                                    QStringLiteral("Remind about settings"));
    PreferencesEdition::addButton(twainLayout, QStringLiteral("cmdSelectTWAINSource"),
                                  wizard ? QStringLiteral("Source") : QStringLiteral("Select source"),
                                  QStringLiteral("You should already have configured at least one TWAIN scanner"));
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

PreferencesEdition::Setting checkSetting(const char* control, bool (*get)(), bool (*set)(bool))
{
    return {QString::fromLatin1(control), [get] { return qint32(get()); }, [set](qint32 v) { set(v != 0); }};
}

PreferencesEdition::Setting promptSetting(const char* control, qint32 kind)
{
    return {QString::fromLatin1(control), [kind] { return qint32(modRegistryHigh::getPromptWanted(kind)); },
            [kind](qint32 v) { modRegistryHigh::setPromptWanted(kind, v != 0); }};
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
        buildScanning(layout, window);
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
        checkSetting("chkAutoUpdateCardScan", getAutoUpdate, setAutoUpdate),
        {QStringLiteral("cboDefaultPIM"), getDefaultPIM, [](qint32 v) { setDefaultPIM(v); }},
        {QStringLiteral("cboScanner"), getScanner, [](qint32 v) { setScanner(qint16(v)); }, true},
        checkSetting("chkToolTipsOn", getToolTips, setToolTips),
        // Ticked for the extended fields: the setting is the opposite.
        {QStringLiteral("chkComplexVCard"), [] { return qint32(!getSimpleVCard()); },
         [](qint32 v) { setSimpleVCard(v == 0); }},
        {QStringLiteral("cboCOM"), getPDFComPort, [](qint32 v) { setPDFComPort(v); }, true},
        promptSetting("chkPromptBeforeScanning", 1),
        promptSetting("chkRemindAboutTWAINSettings", 0),
    };
}
