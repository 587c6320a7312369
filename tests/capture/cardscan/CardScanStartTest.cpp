#include "capture/CCardScan5.h"
#include "capture/modCardScan.h"
#include "common/modRegistryLow.h"
#include "model/CImpressionDoc.h"
#include "platform/ipc/DdeLink.h"
#include "platform/ipc/IpcServer.h"

#include "FakeClock.h"
#include "QtPrinters.h"
#include "RecordingDesktop.h"
#include "RunningCardScan.h"
#include "ScriptedMessages.h"
#include "TempConfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testing_support::FakeClock;
using testing_support::RecordingDesktop;
using testing_support::ScriptedMessages;
using testing_support::TempConfig;

namespace {

// No link yet, CardScan registered in `folder`.
class CardScanStart : public ::testing::Test
{
protected:
    void SetUp() override
    {
        modCardScan::ddeControl().setLinkMode(ipc::DdeLink::None);
        ASSERT_TRUE(folder.isValid());
    }

    void TearDown() override
    {
        modCardScan::shutdownCardScan();
        modCardScan::ddeControl().setLinkMode(ipc::DdeLink::None);
    }

    void registerCardScan(const QString& strFolder)
    {
        ASSERT_TRUE(modRegistryLow::setStringValue(modRegistryLow::Root::LocalMachine, modCardScan::CardScanAppPathKey,
                                                   QStringLiteral("PATH"), strFolder));
    }

    TempConfig config;
    QTemporaryDir folder;
    ScriptedMessages messages;
};

// Starts the programs it is asked to as children of the test, in its control.
class LaunchingDesktop : public RecordingDesktop
{
public:
    shell::StartResult startProgram(const QString& program, const QStringList& arguments) override
    {
        RecordingDesktop::startProgram(program, arguments);
        started = std::make_unique<testing_support::ChildProcess>(program,
                                                                  arguments + QStringList{QStringLiteral("--control")});
        return {};
    }

    std::unique_ptr<testing_support::ChildProcess> started;
};

} // namespace

TEST_F(CardScanStart, AStartedCardScanIsGivenTimeToOpenItsConversation)
{
    registerCardScan(QStringLiteral("/opt/cardscan"));
    RecordingDesktop desktop;
    FakeClock clock;
    ipc::Server cardScan(QStringLiteral("CardScan"), QStringLiteral("DataBase"));
    clock.at(3000, [&] { ASSERT_TRUE(cardScan.listen()); });

    modCardScan::connectCardScan();
    ASSERT_EQ(desktop.starts().size(), 1);
    EXPECT_EQ(desktop.starts()[0].program, QStringLiteral("/opt/cardscan/cs.exe"));
    EXPECT_EQ(desktop.starts()[0].arguments, QStringList({QStringLiteral("/NOQUERY")}));
    EXPECT_EQ(modCardScan::ddeControl().linkMode(), ipc::DdeLink::Manual);
    EXPECT_EQ(modCardScan::ddeControl().linkTopic(), QStringLiteral("CardScan|DataBase"));
    EXPECT_GE(clock.msecs(), 3000);
    EXPECT_LT(clock.msecs(), 3500);

    // An open link is re-opened; CardScan is not started again.
    modCardScan::connectCardScan();
    EXPECT_EQ(desktop.starts().size(), 1);
    EXPECT_EQ(modCardScan::ddeControl().linkMode(), ipc::DdeLink::Manual);
}

TEST_F(CardScanStart, ACardScanThatNeverAnswersIsReportedAfterTenSeconds)
{
    registerCardScan(QStringLiteral("/opt/cardscan"));
    RecordingDesktop desktop;
    FakeClock clock;
    messages.ok();
    CCardScan5().addNewRecord(CImpressionDoc());
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.last().text, QStringLiteral("Error 282:\rNo foreign application responded to a DDE initiate"));
    EXPECT_EQ(messages.last().icon, ui::Icon::Critical);
    EXPECT_GE(clock.msecs(), modCardScan::ConnectRetryMs);
    EXPECT_LT(clock.msecs(), modCardScan::ConnectRetryMs + 500);
    EXPECT_EQ(desktop.starts().size(), 1);
}

TEST_F(CardScanStart, AMissingProgramIsReportedByEveryCaller)
{
    registerCardScan(folder.path()); // no cs.exe there
    RecordingDesktop desktop;
    const shell::StartResult notThere{shell::StartStatus::FileNotFound, 53, QStringLiteral("File not found")};
    desktop.nextStart(notThere).nextStart(notThere);
    messages.ok(2);
    CCardScan5().addNewRecord(CImpressionDoc());
    EXPECT_EQ(modCardScan::getCardScanDatabase(), nullptr);
    ASSERT_EQ(messages.shown().size(), 2);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Error 53:\rFile not found"));
    EXPECT_EQ(
        messages.shown()[1].text,
        QStringLiteral("Unable to communicate with CardScan.\rPlease ensure that CardScan is installed correctly."));
}

TEST_F(CardScanStart, TheRegisteredProgramIsStartedAndConnected)
{
    const QString program = folder.filePath(QStringLiteral("cs.exe"));
    ASSERT_TRUE(
        QFile::link(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("cardscan_peer")), program));
    registerCardScan(folder.path());
    LaunchingDesktop desktop;

    const std::unique_ptr<IPIMDatabase> database = modCardScan::getCardScanDatabase();
    EXPECT_NE(dynamic_cast<CCardScan5*>(database.get()), nullptr);
    EXPECT_TRUE(messages.shown().isEmpty());
    ASSERT_EQ(desktop.starts().size(), 1);
    EXPECT_EQ(desktop.starts()[0].program, program);
    ASSERT_NE(desktop.started, nullptr);
    EXPECT_TRUE(desktop.started->waitFor(QStringLiteral("execute CreateCard")));
    EXPECT_TRUE(desktop.started->finish());
}
