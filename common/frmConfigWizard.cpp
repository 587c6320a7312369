#include "common/frmConfigWizard.h"

#include "common/CWizardEngine.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Screen.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The form's design, in twips: the panels stacked in one place, the buttons in a row below them.
constexpr double Margin = 120;
constexpr double PanelWidth = 7440;
constexpr double PanelHeight = 3615;
constexpr double ButtonsTop = Margin + PanelHeight + Margin;
constexpr double ButtonWidth = 1335;
constexpr double ButtonHeight = 375;
constexpr double ButtonStep = ButtonWidth + 120;
constexpr double ButtonsLeft = Margin + PanelWidth - 5 * ButtonStep + 120;
constexpr double ProgressWidth = 1335;

ui::Twips buttonPlace(int column)
{
    return {ButtonsLeft + column * ButtonStep, ButtonsTop, ButtonWidth, ButtonHeight};
}

} // namespace

frmConfigWizard::frmConfigWizard(const PreferencesEdition& edition, QWidget* parent)
    : CPreferencesForm(edition, Window::Wizard, parent)
{
    const int count = static_cast<int>(edition.steps().size());
    for (int i = 0; i < count; ++i)
        fraGroup << makePanel(i);

    // The engine handles Previous and Next; Help is wired with the shared controls.
    cmdHelp = ui::makeControl<QPushButton>(this, {QStringLiteral("cmdHelp"), QStringLiteral("&Help"), buttonPlace(0)});
    cmdCancel = ui::makeControl<QPushButton>(this,
                                             {QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"), buttonPlace(1),
                                              QStringLiteral("Close this window. Do NOT apply or save changes.")},
                                             [this] { cmdCancel_Click(); });
    cmdFinish = ui::makeControl<QPushButton>(this,
                                             {QStringLiteral("cmdFinish"), QStringLiteral("&Done"), buttonPlace(2),
                                              QStringLiteral("Close this window. Apply and save changes.")},
                                             [this] { cmdFinish_Click(); });
    cmdPrev =
        ui::makeControl<QPushButton>(this, {QStringLiteral("cmdPrev"), QStringLiteral("<- Previous"), buttonPlace(3)});
    cmdNext =
        ui::makeControl<QPushButton>(this, {QStringLiteral("cmdNext"), QStringLiteral("Next ->"), buttonPlace(4)});
    for (QPushButton* button : {cmdHelp, cmdCancel, cmdFinish, cmdPrev, cmdNext})
        button->setAutoDefault(false);
    cmdNext->setDefault(true);
    setFixedSize(ui::Twips{0, 0, 2 * Margin + PanelWidth, ButtonsTop + ButtonHeight + Margin}.toPixels().size());
    connectControls();
}

frmConfigWizard::~frmConfigWizard() = default;

// A panel: the step names beside a line, then the title frame with the step's controls.
QFrame* frmConfigWizard::makePanel(int nIndex)
{
    auto* panel = ui::makeControl<QFrame>(
        this, {QStringLiteral("fraGroup"), QString(), {Margin, Margin, PanelWidth, PanelHeight}}, nIndex);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* progress = new QVBoxLayout;
    const QList<PreferencesEdition::Step> steps = edition().steps();
    for (int s = 0; s < steps.size(); ++s) {
        auto* label = ui::makeControl<QLabel>(nullptr, {QStringLiteral("lblProgress"), steps[s].name},
                                              nIndex * int(steps.size()) + s);
        QFont font = label->font();
        font.setBold(s == nIndex); // this panel's own step
        label->setFont(font);
        progress->addWidget(label);
    }
    progress->addStretch();
    auto* progressColumn = new QWidget;
    progressColumn->setFixedWidth(ui::twipsToPixelsX(ProgressWidth));
    progressColumn->setLayout(progress);
    layout->addWidget(progressColumn);
    auto* line = new QFrame;
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);

    auto* prompt = ui::makeControl<QGroupBox>(nullptr, {QStringLiteral("fraPrompt"), steps[nIndex].title}, nIndex);
    auto* controls = new QVBoxLayout(prompt);
    edition().buildStep(nIndex, controls, Window::Wizard);
    controls->addStretch();
    layout->addWidget(prompt, 1);
    return panel;
}

void frmConfigWizard::Form_Load()
{
    setWindowTitle(ui::programTitle() + QStringLiteral(" Preferences Wizard"));
    CPreferencesForm::Form_Load();
    m_oWiz = new CWizardEngine(this);
    m_oWiz->setCircular(false);
    m_oWiz->setFinishEnabledOnAllPanels(true);
    for (QFrame* panel : fraGroup)
        m_oWiz->AddPanel(panel);
    m_oWiz->setCancelButton(cmdCancel);
    m_oWiz->setFinishButton(cmdFinish);
    m_oWiz->setNextButton(cmdNext);
    m_oWiz->setPrevButton(cmdPrev);
    m_oWiz->StartWizard();
}

void frmConfigWizard::Form_QueryUnload(bool& cancel, ui::UnloadMode mode)
{
    if (mode != ui::UnloadMode::CloseBox)
        return;
    // The close box cancels like the Cancel button; the form stays loaded for the caller.
    cancel = true;
    cmdCancel_Click();
}

void frmConfigWizard::Form_Unload(bool&)
{
    delete m_oWiz;
    m_oWiz = nullptr;
}

qint32 frmConfigWizard::currentPanel() const
{
    return m_oWiz ? m_oWiz->CurrentPanelNbr() : 0;
}

void frmConfigWizard::cmdFinish_Click()
{
    savePreferences();
    hide();
}

void frmConfigWizard::cmdCancel_Click()
{
    if (!userConfirmsCancel())
        return;
    setCancelPressed(true);
    hide();
}

bool frmConfigWizard::userConfirmsCancel()
{
    ui::Message question;
    question.text = QStringLiteral("Are you sure you want to cancel the Preferences Wizard?");
    question.buttons = ui::Buttons::YesNo;
    question.icon = ui::Icon::Question;
    question.defaultButton = 1;
    return ui::msgBox(question) == ui::Answer::Yes;
}

void frmConfigWizard::reject()
{
    ui::runGuarded([this] { cmdCancel_Click(); });
}
