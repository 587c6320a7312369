#include "common/frmPreferences.h"

#include "platform/ui/Controls.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

frmPreferences::frmPreferences(const PreferencesEdition& edition, QWidget* parent)
    : CPreferencesForm(edition, Window::Dialog, parent)
{
    setWindowTitle(edition.dialogCaption());
    auto* page = new QVBoxLayout(this);
    const QList<PreferencesEdition::Step> steps = edition.steps();
    for (int i = 0; i < steps.size(); ++i) {
        auto* group = new QGroupBox(steps[i].name);
        auto* controls = new QVBoxLayout(group);
        edition.buildStep(i, controls, Window::Dialog);
        page->addWidget(group);
    }
    auto* buttons = new QHBoxLayout;
    cmdHelp = PreferencesEdition::addButton(buttons, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));
    buttons->addStretch();
    cmdCancel = PreferencesEdition::addButton(buttons, QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"),
                                              QStringLiteral("Close this window. Do NOT apply or save changes."));
    cmdOK = PreferencesEdition::addButton(buttons, QStringLiteral("cmdOK"), QStringLiteral("&OK"),
                                          QStringLiteral("Close this window. Apply and save changes."));
    cmdOK->setDefault(true);
    page->addLayout(buttons);
    page->setSizeConstraint(QLayout::SetFixedSize);
    ui::handle(cmdOK, [this] { cmdOK_Click(); });
    ui::handle(cmdCancel, [this] { cmdCancel_Click(); });
    connectControls();
}

void frmPreferences::Form_QueryUnload(bool& cancel, ui::UnloadMode mode)
{
    if (mode != ui::UnloadMode::CloseBox)
        return;
    // Closed like Cancel; the form stays loaded for the caller.
    cancel = true;
    cmdCancel_Click();
}

void frmPreferences::cmdOK_Click()
{
    savePreferences();
    hide();
}

void frmPreferences::cmdCancel_Click()
{
    setCancelPressed(true);
    hide();
}

void frmPreferences::reject()
{
    ui::runGuarded([this] { cmdCancel_Click(); });
}
