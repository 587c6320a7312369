#include "platform/shell/Desktop.h"
#include "platform/shell/HelpEngine.h"
#include "platform/ui/Help.h"

#include "QtPrinters.h"
#include "RecordingDesktop.h"
#include "RecordingHelp.h"
#include "ScriptedMessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace shell;
using testing_support::RecordingDesktop;
using testing_support::RecordingHelp;
using testing_support::ScriptedMessages;

namespace {

// The real desktop for its lifetime (tests otherwise fail on any program start).
class RealDesktop
{
public:
    RealDesktop() : m_real(desktop.replace(desktop.fallback())) {}

private:
    service::Service<Desktop>::Override m_real;
};

QString makeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content,
                 QFile::Permissions permissions)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(content);
    f.close();
    f.setPermissions(permissions);
    return path;
}

constexpr QFile::Permissions ReadWrite = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions Runnable = ReadWrite | QFile::ExeOwner;

} // namespace

TEST(StartProgram, FailuresAreToldApart)
{
    RealDesktop real;
    QTemporaryDir dir;
    const StartResult empty = desktop().startProgram(QString(), {QStringLiteral("/show")});
    EXPECT_EQ(empty.status, StartStatus::InvalidArgument);
    EXPECT_EQ(empty.errorNumber, 5);

    const StartResult missing = desktop().startProgram(dir.filePath(QStringLiteral("Tessaline")), {});
    EXPECT_EQ(missing.status, StartStatus::FileNotFound);
    EXPECT_EQ(missing.errorNumber, 53);
    EXPECT_EQ(desktop().startProgram(QStringLiteral("no-such-program-in-path-xyz"), {}).status,
              StartStatus::FileNotFound);

    const QString text = makeFile(dir, QStringLiteral("notes.txt"), "text", ReadWrite);
    const StartResult plain = desktop().startProgram(text, {});
    EXPECT_EQ(plain.status, StartStatus::NotExecutable);
    EXPECT_EQ(plain.errorNumber, 70);
    EXPECT_EQ(desktop().startProgram(dir.path(), {}).status, StartStatus::NotExecutable);

    // Marked runnable but no program: the start itself fails, with the system's reason.
    const QString broken = makeFile(dir, QStringLiteral("broken"),
                                    QByteArray("\x7f"
                                               "ELF garbage"),
                                    Runnable);
    const StartResult failed = desktop().startProgram(broken, {});
    EXPECT_EQ(failed.status, StartStatus::Failed);
    EXPECT_FALSE(failed.description.isEmpty());
    EXPECT_FALSE(failed);
}

TEST(StartProgram, ArgumentsArriveAsTheyAreWithoutAShell)
{
    RealDesktop real;
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("args.txt"));
    const QString script =
        makeFile(dir, QStringLiteral("echo args"),
                 "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" \"" + QFile::encodeName(out) + "\"\n",
                 Runnable);
    const QStringList args = {QStringLiteral("/show"), QStringLiteral("a b"), QStringLiteral("\"q\""),
                              QStringLiteral("$HOME;`x`")};
    ASSERT_TRUE(desktop().startProgram(script, args));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 20000);
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()), args.join(u'\n') + u'\n');
}

TEST(HelpEngine, TheFamilyHelpFileMapsEveryTopicToAPage)
{
    HelpEngine engine;
    ASSERT_TRUE(QFile::exists(engine.helpFile())) << engine.helpFile().toStdString();
    EXPECT_EQ(QFileInfo(engine.helpFile()).fileName(), QStringLiteral("Tessaline.hlp"));
    for (int topic : {1, 9, 61, 64, 71, 10000, 10004}) {
        QString message;
        const QUrl url = engine.pageOf(topic, message);
        ASSERT_TRUE(url.isLocalFile()) << topic << ": " << message.toStdString();
        EXPECT_TRUE(QFile::exists(url.toLocalFile())) << url.toString().toStdString();
    }
    QString message;
    EXPECT_TRUE(engine.pageOf(64, message).fileName().endsWith(QStringLiteral("scanning.html")));
    EXPECT_EQ(engine.pageOf(64, message).fragment(), QStringLiteral("port-busy"));
    EXPECT_EQ(engine.pageOf(std::nullopt, message).fileName(), QStringLiteral("index.html"));
}

TEST(HelpEngine, OpensThePageInTheBrowser)
{
    RecordingDesktop browser;
    HelpEngine engine;
    EXPECT_TRUE(engine.showTopic(61));
    EXPECT_TRUE(engine.showContents());
    ASSERT_EQ(browser.urls().size(), 2);
    EXPECT_TRUE(browser.urls()[0].toLocalFile().endsWith(QStringLiteral("/help/scanning.html")));
    EXPECT_TRUE(browser.urls()[1].toLocalFile().endsWith(QStringLiteral("/help/index.html")));

    browser.setOpenUrlResult(false);
    const HelpResult noBrowser = engine.showTopic(61);
    EXPECT_FALSE(noBrowser);
    EXPECT_TRUE(noBrowser.message.contains(QStringLiteral("No web browser"))) << noBrowser.message.toStdString();
}

TEST(HelpEngine, MissingFilesTopicsAndPagesAreToldClearly)
{
    RecordingDesktop browser;
    QTemporaryDir dir;
    const QString mapFile = dir.filePath(QStringLiteral("Tessaline.hlp"));
    HelpResult r = HelpEngine(mapFile).showTopic(61);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.message, QStringLiteral("The help file %1 cannot be found.").arg(mapFile));

    makeFile(dir, QStringLiteral("Tessaline.hlp"), "# map\n61 gone.html Scanning\n62 ../outside.html Outside\n",
             ReadWrite);
    makeFile(dir, QStringLiteral("outside.html"), "x", ReadWrite);
    r = HelpEngine(mapFile).showTopic(99);
    EXPECT_EQ(r.message, QStringLiteral("Help topic 99 is not in the help file %1.").arg(mapFile));
    r = HelpEngine(mapFile).showTopic(61);
    EXPECT_EQ(r.message, QStringLiteral("The help page gone.html for topic 61 is missing."));
    EXPECT_FALSE(HelpEngine(mapFile).showTopic(62)); // pages stay beside the map
    EXPECT_FALSE(HelpEngine(mapFile).showContents());
    EXPECT_TRUE(browser.urls().isEmpty());
}

TEST(HelpEngine, WindowsShowAFailureInAMessageBox)
{
    RecordingHelp help;
    ScriptedMessages boxes;
    EXPECT_TRUE(ui::showHelpTopic(64));
    EXPECT_TRUE(ui::showHelpContents());
    EXPECT_EQ(help.topics(), (QList<int>{64, 0}));

    help.failWith(QStringLiteral("Help topic 5 is not in the help file x."));
    boxes.ok();
    EXPECT_FALSE(ui::showHelpTopic(5));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Help topic 5 is not in the help file x."));
    EXPECT_EQ(boxes.last().icon, ui::Icon::Exclamation);
}
