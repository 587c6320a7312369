#include "common/frmNoToAll.h"

#include "common/PromptLayout.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MessageService.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace {

constexpr int MessageWidthTwips = 5220;

} // namespace

frmNoToAll::frmNoToAll(QWidget* parent) : QDialog(parent)
{
    lblMsg = new QLabel(this);
    lblMsg->setObjectName(QStringLiteral("lblMsg"));
    auto button = [this](const QString& name, const QString& caption, void (frmNoToAll::*handler)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        ui::handle(b, [this, handler] { (this->*handler)(); });
        return b;
    };
    cmdYes = button(QStringLiteral("cmdYes"), QStringLiteral("&Yes"), &frmNoToAll::cmdYes_Click);
    cmdNo = button(QStringLiteral("cmdNo"), QStringLiteral("&No"), &frmNoToAll::cmdNo_Click);
    cmdNoToAll = button(QStringLiteral("cmdNoToAll"), QStringLiteral("&No to All"), &frmNoToAll::cmdNoToAll_Click);
    cmdCancel = button(QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"), &frmNoToAll::cmdCancel_Click);
    cmdYes->setDefault(true);
    lblMsg_Change();
}

void frmNoToAll::Form_Load()
{
    setWindowTitle(ui::programTitle());
    intResponse = qint16(ui::Answer::Cancel);
    boolNoToAll = false;
}

// The close box answers Cancel; the form stays loaded for the caller to read.
void frmNoToAll::Form_QueryUnload(bool& cancel, ui::UnloadMode mode)
{
    if (mode != ui::UnloadMode::CloseBox)
        return;
    cancel = true;
    cmdCancel_Click();
}

void frmNoToAll::answer(ui::Answer response, bool bNoToAll)
{
    intResponse = qint16(response);
    boolNoToAll = bNoToAll;
    hide();
}

void frmNoToAll::cmdYes_Click()
{
    answer(ui::Answer::Yes, false);
}

void frmNoToAll::cmdNo_Click()
{
    answer(ui::Answer::No, false);
}

void frmNoToAll::cmdNoToAll_Click()
{
    answer(ui::Answer::No, true);
}

void frmNoToAll::cmdCancel_Click()
{
    answer(ui::Answer::Cancel, false);
}

void frmNoToAll::setMessage(const QString& strMessage)
{
    setPromptMessage(*lblMsg, strMessage);
    lblMsg_Change();
}

void frmNoToAll::lblMsg_Change()
{
    layOutPrompt(*this, *lblMsg, nullptr, {cmdYes, cmdNo, cmdNoToAll, cmdCancel}, MessageWidthTwips);
}

void frmNoToAll::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        intResponse = qint16(ui::Answer::Cancel);
        boolNoToAll = false;
    }
    QDialog::showEvent(event);
}

void frmNoToAll::reject()
{
    ui::runGuarded([this] { cmdCancel_Click(); });
}
