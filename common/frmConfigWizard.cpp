#include "common/frmConfigWizard.h"

#include "common/CWizardEngine.h"
#include "common/TwipsRect.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Screen.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Twips.
constexpr int Margin = 120;
constexpr int PanelWidth = 7440;
constexpr int PanelHeight = 3615;
constexpr int ButtonWidth = 1335;
constexpr int ButtonHeight = 375;
constexpr int ButtonSpacing = 120;
constexpr int ProgressWidth = 1335;

} // namespace

frmConfigWizard::frmConfigWizard(const PreferencesEdition& edition, QWidget* parent)
    : CPreferencesForm(edition, Window::Wizard, parent)
{
    const int count = static_cast<int>(edition.steps().size());
    for (int i = 0; i < count; ++i)
        fraGroup << makePanel(i);

    // Below the panels, left to right.
    const QList<QPair<QString, QString>> buttons = {
        {QStringLiteral("cmdHelp"), QStringLiteral("&Help")},
        {QStringLiteral("cmdCancel"), QStringLiteral("&Cancel")},
        {QStringLiteral("cmdFinish"), QStringLiteral("&Done")},
        {QStringLiteral("cmdPrev"), QStringLiteral("<- Previous")},
        {QStringLiteral("cmdNext"), QStringLiteral("Next ->")},
    };
    QList<QPushButton*> made;
    const int top = Margin + PanelHeight + Margin;
    const int rowWidth = int(buttons.size()) * ButtonWidth + (int(buttons.size()) - 1) * ButtonSpacing;
    int left = Margin + PanelWidth - rowWidth;
    for (const auto& [name, caption] : buttons) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        button->setGeometry(twipsRect(left, top, ButtonWidth, ButtonHeight));
        left += ButtonWidth + ButtonSpacing;
        made << button;
    }
    cmdHelp = made[0];
    cmdCancel = made[1];
    cmdFinish = made[2];
    cmdPrev = made[3];
    cmdNext = made[4];
    cmdNext->setDefault(true);
    cmdCancel->setToolTip(QStringLiteral("Close this window. Do NOT apply or save changes."));
    cmdFinish->setToolTip(QStringLiteral("Close this window. Apply and save changes."));
    connect(cmdFinish, &QPushButton::clicked, this, [this] { cmdFinish_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    setFixedSize(ui::twipsToPixelsX(2 * Margin + PanelWidth), ui::twipsToPixelsY(top + ButtonHeight + Margin));
    connectControls();
}

frmConfigWizard::~frmConfigWizard() = default;

// A panel: the step names beside a line, then the title frame with the step's controls.
QFrame* frmConfigWizard::makePanel(int nIndex)
{
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("fraGroup(%1)").arg(nIndex));
    panel->setGeometry(twipsRect(Margin, Margin, PanelWidth, PanelHeight));
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* progress = new QVBoxLayout;
    const QList<PreferencesEdition::Step> steps = edition().steps();
    for (int s = 0; s < steps.size(); ++s) {
        auto* label = new QLabel(steps[s].name);
        label->setObjectName(QStringLiteral("lblProgress(%1)").arg(nIndex * steps.size() + s));
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

    auto* prompt = new QGroupBox(steps[nIndex].title);
    prompt->setObjectName(QStringLiteral("fraPrompt(%1)").arg(nIndex));
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
    cmdCancel_Click();
}
