#include "common/MainHelper.h"
#include "common/ICommitPreferences.h"
#include "common/IMainWindow.h"
#include "common/ProgramEdition.h"
#include "common/frmGetTSN.h"
#include "common/modRegistryHigh.h"
#include "common/modRegistryLow.h"
#include "platform/settings/Settings.h"
#include "platform/shell/Desktop.h"
#include "platform/ui/Form.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/ToolTips.h"
#include "reader/QuorvaneEdition.h"

#include "InstalledEdition.h"
#include "QtPrinters.h"
#include "RecordingDesktop.h"
#include "RecordingHelp.h"
#include "ScriptedForms.h"
#include "ScriptedMessages.h"
#include "TempConfig.h"
#include "WidgetDriver.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace modMainHelper;
using testing_support::InstalledEdition;
using testing_support::RecordingDesktop;
using testing_support::RecordingHelp;
using testing_support::ScriptedForms;
using testing_support::ScriptedMessages;
using testing_support::TempConfig;

namespace {

const QString AppPaths = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths");

void registerProgram(const QString& exeKey, const QString& path)
{
    ASSERT_TRUE(modRegistryLow::setStringValue(modRegistryLow::Root::LocalMachine, AppPaths + exeKey, QString(), path));
}

QString writeFile(const QString& path, const QByteArray& content, QFile::Permissions permissions)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    f.setPermissions(permissions);
    return path;
}

constexpr QFile::Permissions ReadWrite = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions Runnable = ReadWrite | QFile::ExeOwner;

// A program that writes its arguments, one a line, to `out` once it runs.
QString argumentRecorder(const QString& path, const QString& out)
{
    return writeFile(
        path, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" \"" + QFile::encodeName(out) + "\"\n",
        Runnable);
}

QString readText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The real desktop for its lifetime (tests otherwise fail on any program start).
class RealDesktop
{
public:
    RealDesktop() : m_real(shell::desktop.replace(shell::desktop.fallback())) {}

private:
    service::Service<shell::Desktop>::Override m_real;
};

// A stand-in main window that records the files it is asked to open.
class MainWindow : public QWidget, public ui::Form, public IMainWindow
{
public:
    void openFile(const QString& strFileName) override
    {
        if (strFileName.endsWith(QStringLiteral("bad.imf")))
            throw vb::Error(76, QStringLiteral("Quorvane"), QStringLiteral("Path not found"));
        opened << strFileName;
    }
    QStringList opened;
};

QMimeData* filesData(const QStringList& paths)
{
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    data->setUrls(urls);
    return data;
}

} // namespace

TEST(FamilyPrograms, ARegisteredProgramIsStartedAsARealProcess)
{
    TempConfig config;
    RealDesktop real;
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("brindlemark.args"));
    registerProgram(QStringLiteral("\\Brindlemark.exe"), argumentRecorder(dir.filePath(QStringLiteral("bm")), out));
    const QString zephOut = dir.filePath(QStringLiteral("zephlorin.args"));
    registerProgram(QStringLiteral("\\Zephlorin.exe"), argumentRecorder(dir.filePath(QStringLiteral("zp")), zephOut));

    EXPECT_EQ(getBrindlemarkPath(), dir.filePath(QStringLiteral("bm")));
    launchBrindlemark();
    launchZephlorin();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out) && QFile::exists(zephOut), 20000);
    EXPECT_EQ(readText(out), QStringLiteral("\n")); // started without arguments
    EXPECT_EQ(readText(zephOut), QStringLiteral("/show\n"));
}

TEST(FamilyPrograms, FailedStartsGiveTheirMessages)
{
    TempConfig config;
    RealDesktop real;
    QTemporaryDir dir;
    ScriptedMessages messages;
    messages.ok(5);

    launchTessaline(); // not registered at all
    registerProgram(QStringLiteral("\\Brindlemark.exe"), dir.filePath(QStringLiteral("gone")));
    launchBrindlemark(); // registered, but the file is missing
    launchZephlorin();   // its command always holds "/show"
    registerProgram(QStringLiteral("\\Kelvadon.exe"),
                    writeFile(dir.filePath(QStringLiteral("kelvadon.txt")), "text", ReadWrite));
    launchKelvadon(); // there, but not runnable
    registerProgram(QStringLiteral("\\Quorvane.exe"),
                    QStringLiteral("\"") + dir.filePath(QStringLiteral("kelvadon.txt")) + QStringLiteral("\""));
    launchQuorvane(); // a quoted path counts as not installed

    EXPECT_EQ(
        messages.texts(),
        (QStringList{
            QStringLiteral("Inconsistent state: Tessaline not found.\r\rPlease report this to support@tessaline.com"),
            QStringLiteral("Inconsistent state: Brindlemark not found.\r\rPlease report this to support@tessaline.com"),
            QStringLiteral("Zephlorin.exe damaged or missing."),
            QStringLiteral("Error #  70 was generated by Quorvane\rPermission denied"),
            QStringLiteral("Inconsistent state: Quorvane not found.\r\rPlease report this to support@tessaline.com"),
        }));
    for (const ui::Message& m : messages.shown()) {
        EXPECT_EQ(m.icon, ui::Icon::Exclamation);
        EXPECT_EQ(m.buttons, ui::Buttons::Ok);
        EXPECT_TRUE(m.title.isEmpty());
    }
    EXPECT_TRUE(getQuorvanePath().isEmpty());
    EXPECT_EQ(getKelvadonPath(), dir.filePath(QStringLiteral("kelvadon.txt")));
}

TEST(FirstRun, AnswersTrueOncePerVersion)
{
    TempConfig config;
    EXPECT_EQ(getVersionString(), QStringLiteral("1.5.0"));
    EXPECT_TRUE(isFirstRunOfVersion());
    EXPECT_EQ(
        settings::getSetting(QStringLiteral("Quorvane"), QStringLiteral("Startup"), QStringLiteral("Last Version")),
        QStringLiteral("1.5.0"));
    EXPECT_FALSE(isFirstRunOfVersion());
    settings::saveSetting(QStringLiteral("Quorvane"), QStringLiteral("Startup"), QStringLiteral("Last Version"),
                          QStringLiteral("1.4.2"));
    EXPECT_TRUE(isFirstRunOfVersion());
    EXPECT_FALSE(isFirstRunOfVersion());
}

namespace {

QStringList g_committed;

class Committing : public QWidget, public ui::Form, public ICommitPreferences
{
public:
    explicit Committing(QString name, bool fails = false) : m_name(std::move(name)), m_fails(fails) {}
    void commitPreferences() override
    {
        g_committed << m_name;
        if (m_fails)
            throw vb::Error(91, m_name, QStringLiteral("Object variable or With block variable not set"));
    }

private:
    QString m_name;
    bool m_fails;
};

class Plain : public QWidget, public ui::Form
{
};

} // namespace

TEST(CommitPreferences, ReachesEveryOfferingFormInLoadOrderPastOneThatFails)
{
    g_committed.clear();
    auto* first = new Committing(QStringLiteral("first"));
    auto* plain = new Plain;
    auto* failing = new Committing(QStringLiteral("failing"), true);
    auto* last = new Committing(QStringLiteral("last"));
    for (ui::Form* f : QList<ui::Form*>{first, plain, failing, last})
        ui::load(*f);
    commitPreferencesToAllForms();
    EXPECT_EQ(g_committed, (QStringList{QStringLiteral("first"), QStringLiteral("failing"), QStringLiteral("last")}));
    for (ui::Form* f : QList<ui::Form*>{first, plain, failing, last})
        ui::unload(*f);
}

TEST(DroppedFiles, OpenBitmapsAndImpressionsAndRefuseOthersOneByOne)
{
    InstalledEdition edition;
    ScriptedMessages messages;
    auto* main = new MainWindow;
    ui::load(*main);
    std::unique_ptr<QMimeData> data(filesData(
        {QStringLiteral("/cards/notes.txt"), QStringLiteral("/cards/Card.BMP"), QStringLiteral("/cards/a.imf")}));
    messages.ok();
    dropFiles(data.get());
    EXPECT_TRUE(main->opened.isEmpty()) << "the drop is answered first";
    QCoreApplication::processEvents();
    EXPECT_EQ(main->opened, (QStringList{QStringLiteral("/cards/Card.BMP"), QStringLiteral("/cards/a.imf")}));
    ASSERT_EQ(messages.texts(), QStringList{QStringLiteral("Invalid file type")});
    EXPECT_EQ(messages.last().icon, ui::Icon::Exclamation);

    // The twins of the toolbar and the tab control behave alike.
    main->opened.clear();
    std::unique_ptr<QMimeData> one(filesData({QStringLiteral("/cards/b.imf")}));
    dropFilesOnControl(one.get());
    dropFilesOnTab(one.get());
    QCoreApplication::processEvents();
    EXPECT_EQ(main->opened, (QStringList{QStringLiteral("/cards/b.imf"), QStringLiteral("/cards/b.imf")}));

    // An error the main window raises is reported; the rest of the drop goes on.
    main->opened.clear();
    std::unique_ptr<QMimeData> failing(filesData({QStringLiteral("/cards/bad.imf"), QStringLiteral("/cards/c.imf")}));
    messages.ok();
    dropFiles(failing.get());
    QCoreApplication::processEvents();
    EXPECT_EQ(messages.last().text, QStringLiteral("Error #  76 was generated by Quorvane\rPath not found"));
    EXPECT_EQ(main->opened, QStringList{QStringLiteral("/cards/c.imf")});

    // Text without files does nothing.
    QMimeData text;
    text.setText(QStringLiteral("/cards/d.imf"));
    dropFiles(&text);
    QCoreApplication::processEvents();
    EXPECT_EQ(main->opened, QStringList{QStringLiteral("/cards/c.imf")});
    ui::unload(*main);
}

TEST(DroppedFiles, DragOverLooksAtTheFirstFileOnly)
{
    InstalledEdition edition;
    Qt::DropAction effect = Qt::MoveAction;
    std::unique_ptr<QMimeData> textFirst(filesData({QStringLiteral("/a.txt"), QStringLiteral("/b.imf")}));
    dragOverFiles(textFirst.get(), effect);
    EXPECT_EQ(effect, Qt::IgnoreAction);
    std::unique_ptr<QMimeData> imfFirst(filesData({QStringLiteral("/b.IMF"), QStringLiteral("/a.txt")}));
    dragOverFilesOnTab(imfFirst.get(), effect);
    EXPECT_EQ(effect, Qt::CopyAction);
    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://example.org/c.imf"))});
    effect = Qt::CopyAction;
    dragOverFilesOnControl(&web, effect);
    EXPECT_EQ(effect, Qt::IgnoreAction);
}

TEST(DroppedFiles, AnEditionWithoutOpeningShowsTheFullProgramNoticeOncePerDrop)
{
    ProgramEdition sampler = quorvaneEdition();
    sampler.drops = DropHandling::FullProgramNotice;
    InstalledEdition scope(sampler);
    auto* main = new MainWindow;
    ui::load(*main);
    RecordingHelp help;
    ScriptedForms forms;
    forms.then([](ui::Form& form) {
        auto& notice = dynamic_cast<frmGetTSN&>(form);
        EXPECT_EQ(notice.Label1[0]->text(), QStringLiteral("Drag and Drop Files to Open/Import"));
        testing_support::click(&notice, QStringLiteral("cmdHelp"));
        testing_support::click(&notice, QStringLiteral("cmdClose"));
    });
    std::unique_ptr<QMimeData> data(filesData({QStringLiteral("/a.txt"), QStringLiteral("/b.imf")}));
    Qt::DropAction effect = Qt::IgnoreAction;
    dragOverFiles(data.get(), effect);
    EXPECT_EQ(effect, Qt::CopyAction);
    dropFiles(data.get());
    QCoreApplication::processEvents();
    EXPECT_TRUE(main->opened.isEmpty());
    EXPECT_EQ(help.topics(), QList<int>{9});
    EXPECT_EQ(forms.shown(), QStringList{QStringLiteral("frmGetTSN")});
    ui::unload(*main);
}

TEST(FullProgramNotice, ShowsTheFeatureTheFullProgramAndTheMakersAddress)
{
    RecordingDesktop desktop;
    RecordingHelp help;
    ScriptedForms forms;
    QPointer<QWidget> shown;
    forms.then([&](ui::Form& form) {
        auto& notice = dynamic_cast<frmGetTSN&>(form);
        shown = &notice;
        EXPECT_EQ(notice.windowTitle(), QStringLiteral("Quorvane"));
        EXPECT_EQ(notice.Label1[0]->text(), QStringLiteral("Scan Card(s)"));
        EXPECT_TRUE(notice.Label1[0]->font().bold());
        EXPECT_EQ(notice.Label1[2]->text(), QStringLiteral("is featured with Tessaline 1.5."));
        EXPECT_EQ(notice.Label1[1]->text(), QStringLiteral("Get your copy at"));
        EXPECT_EQ(testing_support::control<QPushButton>(&notice, QStringLiteral("cmdHelp"))->text(),
                  QStringLiteral("&Help about this feature"));
        EXPECT_EQ(notice.minimumSize(), notice.maximumSize()) << "a prompt of fixed size";
        notice.Label3_Click();
        testing_support::click(&notice, QStringLiteral("cmdHelp"));
        notice.close(); // the close box works as OK
    });
    showGetTSNDialog(61, QStringLiteral("Scan Card(s)"));
    EXPECT_EQ(help.topics(), QList<int>{61});
    EXPECT_EQ(desktop.urls(), QList<QUrl>{QUrl(makerWebAddress())});
    EXPECT_FALSE(shown && ui::isLoaded(*dynamic_cast<ui::Form*>(shown.data())));
}

TEST(SerialScanPrompt, TellsToPressTheTriggerWithHelpOnTheBusyPort)
{
    ScriptedMessages messages;
    messages.ok();
    promptSerialScan();
    EXPECT_EQ(messages.last().text, QStringLiteral("PDF417 scanner port acquired.\r\rClick OK, then press trigger."));
    EXPECT_EQ(messages.last().icon, ui::Icon::Information);
    EXPECT_EQ(messages.last().helpTopic, 64);
}

namespace {

// A window with tipped controls, a toolbar with tipped buttons and an About menu item.
class TippedWindow : public QWidget
{
public:
    TippedWindow()
    {
        auto* layout = new QVBoxLayout(this);
        auto* bar = new QMenuBar(this);
        bar->setObjectName(QStringLiteral("menuBar"));
        QMenu* help = bar->addMenu(QStringLiteral("&Help"));
        help->addAction(QStringLiteral("&About App"))->setObjectName(QStringLiteral("mnuHelpAbout"));
        layout->setMenuBar(bar);
        toolbar = new QToolBar(this);
        toolbar->setObjectName(QStringLiteral("Toolbar1"));
        toolbar->setToolTip(QStringLiteral("toolbar tip"));
        toolbar->addAction(QStringLiteral("Open"))->setToolTip(QStringLiteral("Open tip"));
        layout->addWidget(toolbar);
        button = new QPushButton(this);
        button->setObjectName(QStringLiteral("cmdScan"));
        button->setToolTip(QStringLiteral("Scan tip"));
        layout->addWidget(button);
    }
    QToolBar* toolbar;
    QPushButton* button;
};

} // namespace

TEST(ToolTipPreference, EmptiesTipsOnlyWhenSwitchedOffAndTreatsToolbarsByEdition)
{
    TempConfig config;
    InstalledEdition edition;
    TippedWindow on;
    applyToolTipPreference(&on);
    EXPECT_EQ(on.button->toolTip(), QStringLiteral("Scan tip"));

    modRegistryHigh::setToolTips(false);
    TippedWindow quorvane;
    applyToolTipPreference(&quorvane);
    EXPECT_TRUE(quorvane.button->toolTip().isEmpty());
    EXPECT_TRUE(quorvane.toolbar->toolTip().isEmpty());
    EXPECT_EQ(ui::toolTipOf(quorvane.toolbar->actions().first()), QStringLiteral("Open tip"));

    ProgramEdition sampler = quorvaneEdition();
    sampler.toolbarTips = ToolbarTips::Buttons;
    InstalledEdition scope(sampler);
    TippedWindow brindlemark;
    applyToolTipPreference(&brindlemark);
    EXPECT_TRUE(brindlemark.button->toolTip().isEmpty());
    EXPECT_EQ(brindlemark.toolbar->toolTip(), QStringLiteral("toolbar tip"));
    EXPECT_TRUE(ui::toolTipOf(brindlemark.toolbar->actions().first()).isEmpty());
}

TEST(HelpMenu, AboutItemNamesTheProgram)
{
    TippedWindow window;
    setHelpMenuCaptions(&window);
    EXPECT_EQ(window.findChild<QAction*>(QStringLiteral("mnuHelpAbout"))->text(), QStringLiteral("About Quorvane..."));
    QWidget bare;
    setHelpMenuCaptions(&bare); // nothing to set
}
