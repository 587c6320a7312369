#include "common/frmDSMA.h"

#include "common/MainHelper.h"
#include "common/PromptLayout.h"
#include "common/modDSMA.h"
#include "platform/ui/Controls.h"
#include "platform/ui/HelpContext.h"
#include "platform/ui/MessageService.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int MessageWidthTwips = 4695;

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

frmDSMA::frmDSMA(QWidget* parent) : QDialog(parent)
{
    lblMsg = new QLabel(this);
    lblMsg->setObjectName(QStringLiteral("lblMsg"));
    chkNotAgain = new QCheckBox(QStringLiteral("  Don't prompt me again"), this);
    chkNotAgain->setObjectName(QStringLiteral("chkNotAgain"));
    cmdOK = makeButton(this, QStringLiteral("cmdOK"), QStringLiteral("&OK"));
    cmdOK->setDefault(true);
    cmdCancel = makeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"));
    cmdCancel->setToolTip(QStringLiteral("Close this prompt box. Do NOT initiate scan."));
    cmdHelp = makeButton(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));
    ui::handle(cmdOK, [this] { cmdOk_Click(); });
    ui::handle(cmdCancel, [this] { cmdCancel_Click(); });
    ui::handle(cmdHelp, [this] { cmdHelp_Click(); });
    lblMsg_Change();
}

void frmDSMA::Form_Load()
{
    setWindowTitle(ui::programTitle());
    chkNotAgain->setChecked(false);
}

void frmDSMA::Form_QueryUnload(bool&, ui::UnloadMode mode)
{
    if (mode != ui::UnloadMode::Code)
        modDSMA::setPromptClosedByUser();
}

void frmDSMA::cmdOk_Click()
{
    hide();
}

void frmDSMA::cmdCancel_Click()
{
    modDSMA::setPromptCancelled();
    hide();
}

void frmDSMA::cmdHelp_Click()
{
    modMainHelper::showHelpTopic(ui::helpContext(this));
}

void frmDSMA::setMessage(const QString& strMessage)
{
    setPromptMessage(*lblMsg, strMessage);
    lblMsg_Change();
}

void frmDSMA::lblMsg_Change()
{
    layOutPrompt(*this, *lblMsg, chkNotAgain, {cmdOK, cmdCancel, cmdHelp}, MessageWidthTwips);
}

void frmDSMA::reject()
{
    ui::runGuarded([this] { cmdCancel_Click(); });
}
