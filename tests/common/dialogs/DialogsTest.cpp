#include "common/MainHelper.h"
#include "common/ProgramEdition.h"
#include "common/frmAbout.h"
#include "common/frmNoToAll.h"
#include "common/frmProgIcon.h"
#include "common/modRegistryLow.h"
#include "platform/registry/Registry.h"
#include "platform/shell/HelpEngine.h"
#include "reader/QuorvaneEdition.h"

#include "InstalledEdition.h"
#include "QtPrinters.h"
#include "RecordingDesktop.h"
#include "RecordingHelp.h"
#include "ScriptedForms.h"
#include "ScriptedMessages.h"
#include "TempConfig.h"
#include "WidgetDriver.h"

#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using testing_support::click;
using testing_support::RecordingDesktop;
using testing_support::RecordingHelp;
using testing_support::ScriptedForms;
using testing_support::ScriptedMessages;
using testing_support::TempConfig;

// The windows here are the card-reading program's: its edition is installed as its start-up does.
const auto* const g_edition = ::testing::AddGlobalTestEnvironment(new testing_support::QuorvaneEdition);

namespace {

frmNoToAll& noToAll(ui::Form& form)
{
    return dynamic_cast<frmNoToAll&>(form);
}

// Asks one question on the prompt, answered by `step`.
std::pair<qint16, bool> ask(frmNoToAll& prompt, ScriptedForms& forms, std::function<void(frmNoToAll&)> step)
{
    prompt.setMessage(QStringLiteral("Save changes to Impression 1?"));
    forms.then([step](ui::Form& form) { step(noToAll(form)); });
    ui::showModal(prompt);
    return {prompt.intResponse, prompt.boolNoToAll};
}

} // namespace

TEST(NoToAll, EachButtonAnswersAndTheCloseBoxAnswersCancel)
{
    ScriptedForms forms;
    auto* prompt = new frmNoToAll;
    ui::load(*prompt);
    EXPECT_EQ(prompt->windowTitle(), QStringLiteral("Quorvane"));
    using Result = std::pair<qint16, bool>;
    EXPECT_EQ(ask(*prompt, forms, [](frmNoToAll& f) { f.close(); }), Result(2, false));
    EXPECT_TRUE(ui::isLoaded(*prompt)); // hidden, still there for the caller
    EXPECT_EQ(ask(*prompt, forms, [](frmNoToAll& f) { click(&f, QStringLiteral("cmdNoToAll")); }), Result(7, true));
    // A reused prompt closed by its close box never gives the previous answer.
    EXPECT_EQ(ask(*prompt, forms, [](frmNoToAll& f) { f.close(); }), Result(2, false));
    EXPECT_EQ(ask(*prompt, forms, [](frmNoToAll& f) { click(&f, QStringLiteral("cmdYes")); }), Result(6, false));
    EXPECT_EQ(ask(*prompt, forms, [](frmNoToAll& f) { click(&f, QStringLiteral("cmdNo")); }), Result(7, false));
    EXPECT_EQ(ask(*prompt, forms, [](frmNoToAll& f) { QTest::keyClick(&f, Qt::Key_Escape); }), Result(2, false));
    EXPECT_EQ(ask(*prompt, forms, [](frmNoToAll& f) { click(&f, QStringLiteral("cmdCancel")); }), Result(2, false));
    EXPECT_EQ(prompt->cmdNoToAll->text(), QStringLiteral("&No to All"));
    ui::unload(*prompt);
}

TEST(NoToAll, ATwoLineQuestionMovesTheButtonsDownAndStaysCentred)
{
    auto* prompt = new frmNoToAll;
    ui::load(*prompt);
    prompt->setMessage(QStringLiteral("Save changes to Impression 1?"));
    const int buttonsTop = prompt->cmdYes->y();
    const int height = prompt->height();
    const int lineHeight = prompt->lblMsg->height();
    prompt->setMessage(QStringLiteral("Save changes to Impression 1?\rIt was scanned today."));
    const int extra = prompt->lblMsg->height() - lineHeight;
    EXPECT_GT(extra, 0);
    EXPECT_EQ(prompt->cmdYes->y() - buttonsTop, extra);
    EXPECT_EQ(prompt->height() - height, extra);
    QList<QPushButton*> row = {prompt->cmdYes, prompt->cmdNo, prompt->cmdNoToAll, prompt->cmdCancel};
    for (int i = 1; i < row.size(); ++i) {
        EXPECT_EQ(row[i]->y(), row[0]->y());
        EXPECT_GT(row[i]->x(), row[i - 1]->geometry().right());
    }
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_NEAR(prompt->x() + prompt->width() / 2, screen.center().x(), 1);
    EXPECT_NEAR(prompt->y() + prompt->height() / 2, screen.center().y(), 1);
    ui::unload(*prompt);
}

namespace {

void setMachineValue(const QString& key, const QString& name, const QString& value)
{
    ASSERT_TRUE(modRegistryLow::setStringValue(modRegistryLow::Root::LocalMachine, key, name, value));
}

const QString MsInfo = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString ToolsLocation = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString Unavailable = QStringLiteral("System Information Is Unavailable At This Time");

} // namespace

TEST(AboutBox, ShowsTitleVersionCreditsAndTheMakersAddress)
{
    RecordingHelp help;
    RecordingDesktop desktop;
    QPixmap picture(32, 32);
    picture.fill(Qt::darkMagenta);
    frmProgIcon::instance().setWindowIcon(QIcon(picture));
    auto* about = new frmAbout;
    ui::load(*about);
    frmProgIcon::instance().setWindowIcon(QIcon());
    // The form and its picture show the icon of the program-icon form.
    EXPECT_EQ(about->windowIcon().pixmap(32, 32).toImage(), picture.toImage());
    ASSERT_FALSE(about->Image1->pixmap().isNull());
    EXPECT_EQ(about->Image1->pixmap().toImage().pixel(4, 4), QColor(Qt::darkMagenta).rgb());
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About Quorvane"));
    EXPECT_EQ(about->lblTitle->text(), QStringLiteral("Quorvane") + QChar(0x2122));
    EXPECT_EQ(about->lblVersion->text(), QStringLiteral("Version: 1.5.0"));
    EXPECT_EQ(about->lblVersion->x(), about->lblTitle->x());
    EXPECT_FALSE(about->lblDescription->text().isEmpty());
    EXPECT_FALSE(about->lblDisclaimer->text().isEmpty());
    EXPECT_TRUE(
        about->findChild<QLabel*>(QStringLiteral("Label4"))->text().startsWith(QStringLiteral("Contributors: ")));
    EXPECT_NE(about->findChild<QLabel*>(QStringLiteral("Label2")), nullptr);
    EXPECT_NE(about->findChild<QLabel*>(QStringLiteral("Label1")), nullptr);
    EXPECT_TRUE(about->findChild<QLabel*>(QStringLiteral("Label3"))->text().contains(modMainHelper::makerWebAddress()));
    for (QLabel* label : about->findChildren<QLabel*>())
        if (label != about->Image1) {
            EXPECT_EQ(label->font().family(), QStringLiteral("Arial")) << label->objectName().toStdString();
        }
    EXPECT_EQ(about->cmdOK->text(), QStringLiteral("OK"));
    EXPECT_EQ(about->cmdSysInfo->text(), QStringLiteral("&System Info..."));
    EXPECT_EQ(about->cmdHelp->text(), QStringLiteral("&Help"));

    click(about, QStringLiteral("cmdHelp"));
    EXPECT_EQ(help.topics(), QList<int>{frmAbout::HelpContextID});
    emit about->findChild<QLabel*>(QStringLiteral("Label3"))->linkActivated(modMainHelper::makerWebAddress());
    EXPECT_EQ(desktop.urls(), QList<QUrl>{QUrl(modMainHelper::makerWebAddress())});
    QPointer<QWidget> alive = about;
    click(about, QStringLiteral("cmdOK"));
    EXPECT_FALSE(alive && ui::isLoaded(*about));

    QString message;
    shell::HelpEngine engine;
    for (int topic : {frmAbout::HelpContextID, 10001})
        EXPECT_TRUE(engine.pageOf(topic, message).isLocalFile()) << topic;
}

TEST(AboutBox, TheLauncherEditionHasItsOwnTitleAndLabels)
{
    modMainHelper::ProgramEdition panel = modMainHelper::quorvaneEdition();
    panel.about.titleSuffix = QStringLiteral(" ");
    panel.about.linkLabel = QStringLiteral("LabelWebURL");
    panel.about.programIcon = false;
    panel.about.labels = {{QStringLiteral("Label1"),
                           QStringLiteral("Create and read digital business cards with the Tessaline family.")}};
    auto edition = std::make_optional<testing_support::InstalledEdition>(panel);
    ui::setProgramTitle(QStringLiteral("Zephlorin"));
    auto* about = new frmAbout;
    ui::load(*about);
    ui::setProgramTitle(QString());
    edition.reset();
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About Zephlorin"));
    EXPECT_EQ(about->lblTitle->text(), QStringLiteral("Zephlorin "));
    EXPECT_NE(about->findChild<QLabel*>(QStringLiteral("LabelWebURL")), nullptr);
    EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("Label3")), nullptr);
    ui::unload(*about);
}

TEST(AboutBox, SystemInformationIsFoundThroughTheRegistry)
{
    TempConfig config;
    RecordingDesktop desktop;
    ScriptedMessages messages;
    QTemporaryDir dir;
    auto* about = new frmAbout;
    ui::load(*about);

    // Neither value.
    messages.ok();
    click(about, QStringLiteral("cmdSysInfo"));
    EXPECT_EQ(messages.last().text, Unavailable);
    EXPECT_EQ(messages.last().icon, ui::Icon::None);
    EXPECT_EQ(messages.last().buttons, ui::Buttons::Ok);

    // A folder without the program.
    setMachineValue(ToolsLocation, QStringLiteral("MSINFO"), dir.path());
    messages.ok();
    click(about, QStringLiteral("cmdSysInfo"));
    EXPECT_EQ(messages.shown().size(), 2);
    EXPECT_TRUE(desktop.starts().isEmpty());

    // The folder with it.
    QFile program(dir.filePath(QStringLiteral("MSINFO32.EXE")));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.close();
    click(about, QStringLiteral("cmdSysInfo"));
    ASSERT_EQ(desktop.starts().size(), 1);
    EXPECT_EQ(desktop.starts()[0].program, dir.filePath(QStringLiteral("MSINFO32.EXE")));

    // The program's own path comes first; a start that fails is told.
    setMachineValue(MsInfo, QStringLiteral("PATH"), QStringLiteral("/usr/bin/sysinfo-tool"));
    desktop.nextStart(shell::StartResult{shell::StartStatus::FileNotFound, 53, QStringLiteral("File not found")});
    messages.ok();
    click(about, QStringLiteral("cmdSysInfo"));
    EXPECT_EQ(desktop.starts().last().program, QStringLiteral("/usr/bin/sysinfo-tool"));
    EXPECT_EQ(messages.last().text, Unavailable);
    ui::unload(*about);
}

TEST(AboutBox, GetKeyValueReadsTextAndNumbers)
{
    TempConfig config;
    registry::Handle key = 0;
    ASSERT_EQ(registry::createKey(registry::Root::LocalMachine, MsInfo, registry::KeyAllAccess, key),
              registry::Success);
    ASSERT_EQ(registry::setValue(key, QStringLiteral("Count"), registry::RegDword, QByteArray("\x2a\0\0\0", 4)),
              registry::Success);
    ASSERT_EQ(registry::setValue(key, QStringLiteral("Bytes"), 3, QByteArray("ab")), registry::Success);
    ASSERT_EQ(registry::setValue(key, QStringLiteral("PATH"), registry::RegSz, QByteArray("/opt/info")),
              registry::Success);
    registry::closeKey(key);

    QString text = QStringLiteral("before");
    EXPECT_TRUE(frmAbout::GetKeyValue(modRegistryLow::Root::LocalMachine, MsInfo, QStringLiteral("Count"), text));
    EXPECT_EQ(text, QStringLiteral("42"));
    EXPECT_TRUE(frmAbout::GetKeyValue(modRegistryLow::Root::LocalMachine, MsInfo, QStringLiteral("PATH"), text));
    EXPECT_EQ(text, QStringLiteral("/opt/info")); // stored without its NUL
    EXPECT_TRUE(frmAbout::GetKeyValue(modRegistryLow::Root::LocalMachine, MsInfo, QStringLiteral("Bytes"), text));
    EXPECT_EQ(text, QStringLiteral("/opt/info")); // another type leaves the text alone
    EXPECT_FALSE(frmAbout::GetKeyValue(modRegistryLow::Root::LocalMachine, MsInfo, QStringLiteral("None"), text));
    EXPECT_TRUE(text.isEmpty());
    text = QStringLiteral("x");
    EXPECT_FALSE(frmAbout::GetKeyValue(modRegistryLow::Root::LocalMachine, QStringLiteral("SOFTWARE\\Nothing"),
                                       QStringLiteral("PATH"), text));
    EXPECT_TRUE(text.isEmpty());
}
