#include "common/frmAbout.h"

#include "common/MainHelper.h"
#include "common/ProgramEdition.h"
#include "common/TwipsRect.h"
#include "platform/shell/Desktop.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Screen.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace {

// Twips.
constexpr int FormWidth = 5730;
constexpr int TextLeft = 1050;
constexpr int TextWidth = 4440;
constexpr int LineHeight = 255;
constexpr int ButtonLeft = 4245;
constexpr int ButtonWidth = 1260;
constexpr int ButtonHeight = 345;
constexpr int DisclaimerWidth = 3780;

const QString LegalNotice = QStringLiteral("Copyright \u00a9 Tessaline. All rights reserved.");
const QString Disclaimer = QStringLiteral(
    "Warning: this program is protected by copyright law and international treaties. It is provided \"as is\", "
    "without warranty of any kind. Unauthorized reproduction or distribution of this program, or any portion of "
    "it, may result in severe civil and criminal penalties.");

QLabel* addLabel(QWidget* form, const QString& name, const QString& text, double top, double height = LineHeight)
{
    auto* label = new QLabel(text, form);
    label->setObjectName(name);
    label->setFont(QFont(QStringLiteral("Arial"), 8));
    label->setGeometry(twipsRect(TextLeft, top, TextWidth, height));
    return label;
}

QPushButton* addButton(QWidget* form, const QString& name, const QString& caption, double top)
{
    auto* button = new QPushButton(caption, form);
    button->setObjectName(name);
    button->setGeometry(twipsRect(ButtonLeft, top, ButtonWidth, ButtonHeight));
    return button;
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    const modMainHelper::AboutEdition& edition = modMainHelper::programEdition().about;
    modMainHelper::setHelpContextID(this, HelpContextID);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipsRect(240, 240, 540, 540));
    lblTitle = addLabel(this, QStringLiteral("lblTitle"), QString(), 240, 480);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblVersion = addLabel(this, QStringLiteral("lblVersion"), QString(), 780);
    lblDescription = addLabel(this, QStringLiteral("lblDescription"), QString(), 1080);
    double top = 1440;
    for (const auto& [name, text] : edition.labels) {
        QLabel* credit = addLabel(this, name, text, top);
        credit->setWordWrap(true);
        top += LineHeight;
    }
    lblLink = addLabel(
        this, edition.linkLabel,
        QStringLiteral("<a href=\"%1\" style=\"color: blue\">%1</a>").arg(modMainHelper::makerWebAddress()), top + 60);
    lblLink->setTextFormat(Qt::RichText);
    lblLink->setCursor(Qt::PointingHandCursor);
    connect(lblLink, &QLabel::linkActivated, this, [this] { Label3_Click(); });

    const double lineTop = top + 60 + LineHeight + 180;
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(twipsRect(240, lineTop, FormWidth - 480, 30));

    const double lowerTop = lineTop + 150;
    lblDisclaimer = addLabel(this, QStringLiteral("lblDisclaimer"), Disclaimer, lowerTop);
    lblDisclaimer->setWordWrap(true);
    QFont small = lblDisclaimer->font();
    small.setPointSize(7);
    lblDisclaimer->setFont(small);
    const int disclaimerWidthPx = ui::twipsToPixelsX(DisclaimerWidth);
    lblDisclaimer->setGeometry(ui::twipsToPixelsX(240), ui::twipsToPixelsY(lowerTop), disclaimerWidthPx,
                               lblDisclaimer->heightForWidth(disclaimerWidthPx));

    cmdOK = addButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), lowerTop);
    cmdOK->setDefault(true);
    cmdSysInfo = addButton(this, QStringLiteral("cmdSysInfo"), QStringLiteral("&System Info..."), lowerTop + 450);
    cmdHelp = addButton(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"), lowerTop + 900);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });

    const int bottomPx = std::max(lblDisclaimer->geometry().bottom(), cmdHelp->geometry().bottom());
    setFixedSize(ui::twipsToPixelsX(FormWidth), bottomPx + ui::twipsToPixelsY(240));
}

void frmAbout::cmdHelp_Click()
{
    modMainHelper::showHelpTopic(modMainHelper::getHelpContextID(this));
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::cmdOK_Click()
{
    ui::unload(*this);
}

void frmAbout::Form_Load()
{
    const modMainHelper::AboutEdition& edition = modMainHelper::programEdition().about;
    if (edition.programIcon) {
        setWindowIcon(QApplication::windowIcon());
        Image1->setPixmap(QApplication::windowIcon().pixmap(Image1->size()));
    }
    setWindowTitle(QStringLiteral("About ") + ui::programTitle());
    lblVersion->setText(QStringLiteral("Version: %1.%2.%3")
                            .arg(modMainHelper::VersionMajor)
                            .arg(modMainHelper::VersionMinor)
                            .arg(modMainHelper::VersionRevision));
    lblTitle->setText(ui::programTitle() + edition.titleSuffix);
    lblVersion->move(lblTitle->x(), lblVersion->y());
    lblDescription->setText(LegalNotice);
}

void frmAbout::StartSysInfo()
{
    using modRegistryLow::Root;
    QString path;
    if (!GetKeyValue(Root::LocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                     QStringLiteral("PATH"), path)) {
        QString folder;
        path.clear();
        if (GetKeyValue(Root::LocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                        QStringLiteral("MSINFO"), folder) &&
            modMainHelper::fileExists(QDir(folder).filePath(QStringLiteral("MSINFO32.EXE"))))
            path = QDir(folder).filePath(QStringLiteral("MSINFO32.EXE"));
    }
    if (path.isEmpty() || !shell::desktop().startProgram(path, {}))
        ui::msgBox(QStringLiteral("System Information Is Unavailable At This Time"));
}

bool frmAbout::GetKeyValue(modRegistryLow::Root root, const QString& keyName, const QString& valueName, QString& text)
{
    return modRegistryLow::getValueText(root, keyName, valueName, text);
}

void frmAbout::Label3_Click()
{
    shell::desktop().openUrl(QUrl(modMainHelper::makerWebAddress()));
}

void frmAbout::reject()
{
    cmdOK_Click();
}
