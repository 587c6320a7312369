// A second start of the real program while the panel runs: it hands "/show" over and ends.
#include "PanelFixture.h"

#include "platform/ipc/SingleInstance.h"

#include "PseudoTerminal.h"
#include "TestPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace {

using PanelSecondStartTest = PanelFixture;

TEST_F(PanelSecondStartTest, TheSecondStartHandsShowOverAndEndsWithoutTouchingAnything)
{
    const QString program = testing_support::binaryDir() + QStringLiteral("/bin/zephlorin");
    ASSERT_TRUE(QFileInfo::exists(program));
    install(QStringLiteral("Quorvane.exe"));
    const ipc::SingleInstance running(QStringLiteral("Zephlorin"));
    ASSERT_FALSE(running.prevInstance());
    start();
    ASSERT_FALSE(m_panel->isVisible());
    ASSERT_TRUE(m_panel->isServingCommandLines());
    QFile work(workFile(QStringLiteral("tmpsymbol.bmp")));
    ASSERT_TRUE(work.open(QIODevice::WriteOnly));
    work.close();
    const QDir workFolder = QFileInfo(work).dir();
    const QStringList workBefore = workFolder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    const QByteArray settingsBefore = settingsFile();

    QProcess second;
    second.setProgram(program);
    second.setArguments({QStringLiteral("/show")});
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    second.start();
    // The test's event loop runs meanwhile: the panel answers the hand-over.
    ASSERT_TRUE(testing_support::waitUntil([&] { return second.state() == QProcess::NotRunning; }));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);

    EXPECT_EQ(m_panel->strCommandLines, (QStringList{QStringLiteral("/show"), QString()}));
    EXPECT_FALSE(m_panel->isVisible());
    advance(100);
    EXPECT_TRUE(m_panel->isVisible());
    EXPECT_EQ(settingsFile(), settingsBefore);
    EXPECT_EQ(workFolder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), workBefore);
}

} // namespace
