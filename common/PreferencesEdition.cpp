#include "common/PreferencesEdition.h"

#include "common/modRegistryHigh.h"
#include "platform/ui/Controls.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

QCheckBox* PreferencesEdition::addCheckBox(QBoxLayout* layout, const QString& name, const QString& caption,
                                           const QString& tip)
{
    auto* check = ui::makeControl<QCheckBox>(nullptr, {name, caption, {}, tip});
    layout->addWidget(check);
    return check;
}

QComboBox* PreferencesEdition::addComboBox(QBoxLayout* layout, const QString& labelCaption, const QString& name,
                                           const QStringList& items, const QString& tip, const QString& labelTip)
{
    auto* row = new QHBoxLayout;
    auto* label = ui::makeControl<QLabel>(nullptr, {QStringLiteral("lbl") + name.mid(3), labelCaption, {}, labelTip});
    auto* combo = ui::makeControl<QComboBox>(nullptr, {name, QString(), {}, tip});
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    label->setBuddy(combo);
    row->addWidget(label);
    row->addWidget(combo, 1);
    layout->addLayout(row);
    return combo;
}

QPushButton* PreferencesEdition::addButton(QBoxLayout* layout, const QString& name, const QString& caption,
                                           const QString& tip)
{
    auto* button = ui::makeControl<QPushButton>(nullptr, {name, caption, {}, tip});
    button->setAutoDefault(false);
    layout->addWidget(button);
    return button;
}

QGroupBox* PreferencesEdition::addFrame(QBoxLayout* layout, const QString& name, const QString& caption)
{
    auto* frame = ui::makeControl<QGroupBox>(nullptr, {name, caption});
    new QVBoxLayout(frame);
    layout->addWidget(frame);
    return frame;
}

void PreferencesEdition::addScanningStep(QBoxLayout* layout, Window window)
{
    const bool wizard = window == Window::Wizard;
    const QString serialPortTip = QStringLiteral("Connection to which scanner is attached");
    addComboBox(layout, QStringLiteral("Scan using:"), QStringLiteral("cboScanner"),
                {QStringLiteral("CardScan scanner"), QStringLiteral("PDF417 scanner"), QStringLiteral("TWAIN scanner")},
                QStringLiteral("Independently set for each Tessaline family member"),
                QStringLiteral("Device that optically captures images of The Corvel Encoding"));
    addCheckBox(layout, QStringLiteral("chkPromptBeforeScanning"),
                wizard ? QStringLiteral("Prompt first") : QStringLiteral("Prompt before scanning"));
    // The scanner choice shows one of the two frames: the serial port or the TWAIN settings.
    QGroupBox* comm = addFrame(layout, QStringLiteral("fraComm"), QString());
    addComboBox(static_cast<QBoxLayout*>(comm->layout()), QStringLiteral("Serial port:"), QStringLiteral("cboCOM"),
                {QStringLiteral("COM 1"), QStringLiteral("COM 2"), QStringLiteral("COM 3"), QStringLiteral("COM 4")},
                serialPortTip, serialPortTip);
    QGroupBox* twain = addFrame(layout, QStringLiteral("fraTWAIN"), QStringLiteral("TWAIN"));
    auto* twainLayout = static_cast<QBoxLayout*>(twain->layout());
    addCheckBox(twainLayout, QStringLiteral("chkRemindAboutTWAINSettings"), QStringLiteral("Remind about settings"));
    addButton(twainLayout, QStringLiteral("cmdSelectTWAINSource"),
              wizard ? QStringLiteral("Source") : QStringLiteral("Select source"),
              QStringLiteral("You should already have configured at least one TWAIN scanner"));
}

PreferencesEdition::Step PreferencesEdition::pimStep()
{
    return {QStringLiteral("PIM"), QStringLiteral("Which Personal Information Manager do you prefer?")};
}

PreferencesEdition::Step PreferencesEdition::scanningStep()
{
    return {QStringLiteral("Scanning"), QStringLiteral("How will you be scanning The Corvel Impression")};
}

PreferencesEdition::Step PreferencesEdition::customizeStep()
{
    return {QStringLiteral("Customize"), QStringLiteral("Customize")};
}

PreferencesEdition::Step PreferencesEdition::outputStep()
{
    return {QStringLiteral("Output"), QStringLiteral("Output options")};
}

void PreferencesEdition::addDefaultPimBox(QBoxLayout* layout, const QString& tip)
{
    addComboBox(layout, QStringLiteral("Default PIM:"), QStringLiteral("cboDefaultPIM"),
                {QStringLiteral("CardScan"), QStringLiteral("Microsoft Outlook")}, tip, tip);
}

void PreferencesEdition::addToolTipsBox(QBoxLayout* layout)
{
    addCheckBox(layout, QStringLiteral("chkToolTipsOn"), QStringLiteral("Show &tool tips"),
                QStringLiteral("This is a tool tip"));
}

void PreferencesEdition::addComplexVCardBox(QBoxLayout* layout)
{
    addCheckBox(layout, QStringLiteral("chkComplexVCard"), QStringLiteral("Export vCard with extended fields"),
                QStringLiteral("Check for maximum information, uncheck for maximum compatibility"));
}

PreferencesEdition::Setting PreferencesEdition::defaultPimSetting()
{
    return {QStringLiteral("cboDefaultPIM"), modRegistryHigh::getDefaultPIM,
            [](qint32 v) { return modRegistryHigh::setDefaultPIM(v); }};
}

PreferencesEdition::Setting PreferencesEdition::toolTipsSetting()
{
    return checkSetting(QStringLiteral("chkToolTipsOn"), modRegistryHigh::getToolTips, modRegistryHigh::setToolTips);
}

PreferencesEdition::Setting PreferencesEdition::complexVCardSetting()
{
    return {QStringLiteral("chkComplexVCard"), [] { return qint32(!modRegistryHigh::getSimpleVCard()); },
            [](qint32 v) { return modRegistryHigh::setSimpleVCard(v == 0); }};
}

PreferencesEdition::Setting PreferencesEdition::scannerSetting()
{
    return {QStringLiteral("cboScanner"), modRegistryHigh::getScanner,
            [](qint32 v) { return modRegistryHigh::setScanner(qint16(v)); }, true};
}

PreferencesEdition::Setting PreferencesEdition::comPortSetting()
{
    return {QStringLiteral("cboCOM"), modRegistryHigh::getPDFComPort,
            [](qint32 v) { return modRegistryHigh::setPDFComPort(v); }, true};
}

PreferencesEdition::Setting PreferencesEdition::checkSetting(const QString& control, bool (*get)(), bool (*set)(bool))
{
    return {control, [get] { return qint32(get()); }, [set](qint32 v) { return set(v != 0); }};
}

PreferencesEdition::Setting PreferencesEdition::promptSetting(const QString& control, qint32 kind)
{
    return {control, [kind] { return qint32(modRegistryHigh::getPromptWanted(kind)); },
            [kind](qint32 v) { return modRegistryHigh::setPromptWanted(kind, v != 0); }};
}
