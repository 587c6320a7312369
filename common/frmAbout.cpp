#include "common/frmAbout.h"

#include "common/MainHelper.h"
#include "common/ProgramEdition.h"
#include "common/frmProgIcon.h"
#include "platform/shell/Desktop.h"
#include "platform/ui/Controls.h"
#include "platform/ui/HelpContext.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Screen.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include <algorithm>

namespace {

const QString LegalNotice = QStringLiteral("Copyright \u00a9 Tessaline. All rights reserved.");
const QString Disclaimer = QStringLiteral(
    "Warning: this program is protected by copyright law and international treaties. It is provided \"as is\", "
    "without warranty of any kind. Unauthorized reproduction or distribution of this program, or any portion of "
    "it, may result in severe civil and criminal penalties.");

// The form's design, in twips.
constexpr double FormWidth = 5730;
constexpr double TextLeft = 1050;
constexpr double TextWidth = 4440;
constexpr double LineHeight = 255;
constexpr double ButtonLeft = 4245;

QLabel* makeLabel(QWidget* form, const QString& name, const QString& text, double top, double height = LineHeight)
{
    auto* label = ui::makeControl<QLabel>(form, {name, text, {TextLeft, top, TextWidth, height}});
    label->setFont(QFont(QStringLiteral("Arial"), 8));
    return label;
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    const modMainHelper::AboutEdition& edition = modMainHelper::programEdition().about;
    ui::setHelpContext(this, HelpContextID);

    Image1 = ui::makeControl<QLabel>(this, {QStringLiteral("Image1"), QString(), {240, 240, 540, 540}});
    lblTitle = makeLabel(this, QStringLiteral("lblTitle"), QString(), 240, 480);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblVersion = makeLabel(this, QStringLiteral("lblVersion"), QString(), 780);
    lblDescription = makeLabel(this, QStringLiteral("lblDescription"), QString(), 1080);
    double top = 1440;
    // A credit line longer than the width goes on as many lines as it takes.
    for (const auto& [name, text] : edition.labels) {
        QLabel* label = makeLabel(this, name, text, top);
        label->setWordWrap(true);
        const double height = std::max(LineHeight, ui::pixelsToTwipsY(label->heightForWidth(label->width())));
        label->resize(label->width(), ui::twipsToPixelsY(height));
        top += height;
    }
    lblLink = makeLabel(
        this, edition.linkLabel,
        QStringLiteral("<a href=\"%1\" style=\"color: blue\">%1</a>").arg(modMainHelper::makerWebAddress()), top + 60);
    lblLink->setTextFormat(Qt::RichText);
    lblLink->setCursor(Qt::PointingHandCursor);
    // A failure of the web link reports nothing.
    ui::handle(
        lblLink, [this] { Label3_Click(); }, ui::OnError::Ignore);

    const double lineTop = top + 60 + LineHeight + 180;
    auto* line = ui::makeControl<QFrame>(this, {QString(), QString(), {240, lineTop, FormWidth - 480, 30}});
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    // The disclaimer wraps in its width and is as tall as its text.
    const double lowerTop = lineTop + 150;
    lblDisclaimer = makeLabel(this, QStringLiteral("lblDisclaimer"), Disclaimer, lowerTop);
    lblDisclaimer->setWordWrap(true);
    QFont small = lblDisclaimer->font();
    small.setPointSize(7);
    lblDisclaimer->setFont(small);
    const ui::Twips disclaimer{240, lowerTop, 3780, 0};
    QRect disclaimerPx = disclaimer.toPixels();
    disclaimerPx.setHeight(lblDisclaimer->heightForWidth(disclaimerPx.width()));
    lblDisclaimer->setGeometry(disclaimerPx);

    cmdOK = ui::makeControl<QPushButton>(
        this, {QStringLiteral("cmdOK"), QStringLiteral("OK"), {ButtonLeft, lowerTop, 1260, 345}},
        [this] { cmdOK_Click(); });
    cmdOK->setDefault(true);
    cmdSysInfo = ui::makeControl<QPushButton>(
        this,
        {QStringLiteral("cmdSysInfo"), QStringLiteral("&System Info..."), {ButtonLeft, lowerTop + 450, 1260, 345}},
        [this] { cmdSysInfo_Click(); });
    cmdHelp = ui::makeControl<QPushButton>(
        this, {QStringLiteral("cmdHelp"), QStringLiteral("&Help"), {ButtonLeft, lowerTop + 900, 1260, 345}},
        [this] { cmdHelp_Click(); });

    const int bottomPx = std::max(lblDisclaimer->geometry().bottom(), cmdHelp->geometry().bottom());
    setFixedSize(ui::twipsToPixelsX(FormWidth), bottomPx + ui::twipsToPixelsY(240));
}

void frmAbout::cmdHelp_Click()
{
    modMainHelper::showHelpTopic(ui::helpContext(this));
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
    const QIcon icon = edition.programIcon ? frmProgIcon::programIcon() : edition.picture;
    if (!icon.isNull()) {
        setWindowIcon(icon);
        Image1->setPixmap(icon.pixmap(Image1->size()));
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
    ui::runGuarded([this] { cmdOK_Click(); });
}
