#include "common/CPreferencesForm.h"

#include "common/IMainWindow.h"
#include "common/MainHelper.h"
#include "common/frmProgIcon.h"
#include "common/modRegistryHigh.h"
#include "platform/scanner/Twain.h"
#include "platform/ui/Controls.h"
#include "platform/ui/HelpContext.h"
#include "platform/ui/MessageService.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

CPreferencesForm::CPreferencesForm(const PreferencesEdition& edition, Window window, QWidget* parent)
    : QDialog(parent), m_edition(edition), m_window(window)
{
    ui::setHelpContext(this, HelpContextID);
}

void CPreferencesForm::connectControls()
{
    auto onClick = [this](const char* name, void (CPreferencesForm::*handler)()) {
        if (auto* button = findChild<QPushButton*>(QString::fromLatin1(name)))
            ui::handle(button, [this, handler] { (this->*handler)(); });
    };
    onClick("cmdHelp", &CPreferencesForm::cmdHelp_Click);
    onClick("cmdSelectTWAINSource", &CPreferencesForm::cmdSelectTWAINSource_Click);
    onClick("cmdForceAssociation", &CPreferencesForm::cmdForceAssociation_Click);
    if (auto* scanner = findChild<QComboBox*>(QStringLiteral("cboScanner")))
        ui::handle(scanner, [this] { cboScanner_Click(); });
    m_edition.connectControls(*this);
}

void CPreferencesForm::Form_Load()
{
    setWindowIcon(frmProgIcon::programIcon());
    m_bCancelPressed = false;
    // The "Show tool tips" box always shows its sample tip.
    auto* toolTipsOn = findChild<QCheckBox*>(QStringLiteral("chkToolTipsOn"));
    const QString sample = toolTipsOn ? toolTipsOn->toolTip() : QString();
    modMainHelper::applyToolTipPreference(this);
    if (toolTipsOn)
        toolTipsOn->setToolTip(sample);
    loadPreferences();
}

// Errors while loading are ignored: a control whose setting cannot be read keeps its design value.
void CPreferencesForm::loadPreferences()
{
    for (const PreferencesEdition::Setting& setting : m_edition.settings()) {
        ui::runGuarded(
            [&] {
                const qint32 value = setting.read();
                if (auto* check = findChild<QCheckBox*>(setting.control)) {
                    check->setChecked(value != 0);
                } else if (auto* combo = findChild<QComboBox*>(setting.control)) {
                    if (setting.zeroFirstInWizard && m_window == Window::Wizard)
                        combo->setCurrentIndex(0);
                    combo->setCurrentIndex(value);
                }
            },
            ui::OnError::Ignore);
    }
    m_edition.preferencesLoaded(*this);
}

// The first write that fails is raised, so that Done or OK tells the user why and leaves the
// window open with what the user chose; the writes after it are not tried.
void CPreferencesForm::savePreferences()
{
    for (const PreferencesEdition::Setting& setting : m_edition.settings()) {
        if (auto* check = findChild<QCheckBox*>(setting.control))
            modRegistryHigh::requireSaved(setting.write(check->isChecked() ? 1 : 0));
        else if (auto* combo = findChild<QComboBox*>(setting.control))
            modRegistryHigh::requireSaved(setting.write(combo->currentIndex()));
    }
}

void CPreferencesForm::cmdHelp_Click()
{
    modMainHelper::showHelpTopic(ui::helpContext(this));
}

// The chooser is owned by the program's main window; by this window when there is none.
void CPreferencesForm::cmdSelectTWAINSource_Click()
{
    QWidget* owner = this;
    if (auto* main = dynamic_cast<ui::Form*>(ui::findForm<IMainWindow>()))
        owner = main->widget();
    scanner::TWAIN_SelectImageSource(owner);
}

void CPreferencesForm::cmdForceAssociation_Click()
{
    if (modRegistryHigh::registerFileTypes())
        ui::msgBox(QStringLiteral("File icons will be updated after you restart your computer."), ui::Buttons::Ok,
                   ui::Icon::Information, QString(), ui::helpContext(this));
    else
        ui::msgBox(QStringLiteral("Impression files could not be associated with ") + ui::programTitle() + u'.',
                   ui::Buttons::Ok, ui::Icon::Exclamation, QString(), ui::helpContext(this));
}

void CPreferencesForm::cboScanner_Click()
{
    const auto* scanner = findChild<QComboBox*>(QStringLiteral("cboScanner"));
    if (!scanner)
        return;
    if (auto* twain = findChild<QWidget*>(QStringLiteral("fraTWAIN")))
        twain->setVisible(scanner->currentIndex() == 2);
    if (auto* comm = findChild<QWidget*>(QStringLiteral("fraComm")))
        comm->setVisible(scanner->currentIndex() == 1);
}
