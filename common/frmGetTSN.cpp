#include "common/frmGetTSN.h"

#include "common/MainHelper.h"
#include "common/frmProgIcon.h"
#include "platform/shell/Desktop.h"
#include "platform/ui/Controls.h"
#include "platform/ui/HelpContext.h"
#include "platform/ui/MessageService.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QLabel* addLabel(QVBoxLayout* layout, const QString& name, const QString& text = QString())
{
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignHCenter);
    layout->addWidget(label);
    return label;
}

} // namespace

frmGetTSN::frmGetTSN(QWidget* parent) : QDialog(parent)
{
    auto* layout = new QVBoxLayout(this);
    // Top to bottom: the feature, the program that has it, where to get it, the slogan.
    Label1[0] = addLabel(layout, QStringLiteral("Label1(0)"));
    QFont bold = Label1[0]->font();
    bold.setBold(true);
    Label1[0]->setFont(bold);
    Label1[2] = addLabel(layout, QStringLiteral("Label1(2)"));
    Label1[1] = addLabel(layout, QStringLiteral("Label1(1)"), QStringLiteral("Get your copy at"));
    Label3 = addLabel(layout, QStringLiteral("Label3"));
    Label3->setText(
        QStringLiteral("<a href=\"%1\" style=\"color: blue\">%1</a>").arg(modMainHelper::makerWebAddress()));
    Label3->setTextFormat(Qt::RichText);
    Label3->setCursor(Qt::PointingHandCursor);
    ui::handle(Label3, [this] { Label3_Click(); });
    Label1[3] = addLabel(layout, QStringLiteral("Label1(3)"),
                         QStringLiteral("Create, print and read your digital business cards."));

    auto* buttons = new QHBoxLayout;
    cmdHelp = new QPushButton(QStringLiteral("&Help about this feature"));
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    cmdClose = new QPushButton(QStringLiteral("&OK"));
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(cmdHelp);
    buttons->addWidget(cmdClose);
    buttons->addStretch();
    layout->addSpacing(12);
    layout->addLayout(buttons);
    // A prompt of fixed size, as large as its texts: it cannot be resized and has no size grip.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ui::handle(cmdHelp, [this] { cmdHelp_Click(); });
    ui::handle(cmdClose, [this] { cmdClose_Click(); });
}

void frmGetTSN::Form_Load()
{
    setWindowIcon(frmProgIcon::programIcon());
    setWindowTitle(ui::programTitle());
    // The full program's version, not this program's.
    Label1[2]->setText(QStringLiteral("is featured with Tessaline ") + QStringLiteral("1.5") + QStringLiteral("."));
}

void frmGetTSN::cmdClose_Click()
{
    ui::unload(*this);
}

void frmGetTSN::cmdHelp_Click()
{
    modMainHelper::showHelpTopic(ui::helpContext(cmdHelp));
}

void frmGetTSN::Label3_Click()
{
    shell::desktop().openUrl(QUrl(modMainHelper::makerWebAddress()));
}
