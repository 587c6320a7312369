// A second start of the real program beside a running copy: it brings that copy's main window
// to the front and ends, or, when no main window is announced, starts on its own.
#include "SampleFixture.h"

#include "common/MainHelper.h"
#include "platform/ipc/SingleInstance.h"
#include "platform/ipc/WindowClass.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QProcess>
#include <QThread>

namespace {

class BrindlemarkProcessTest : public SampleTest
{
protected:
    void SetUp() override
    {
        SampleTest::SetUp();
        // Not the first start of this version: the program shows no wizard.
        modMainHelper::isFirstRunOfVersion();
        m_process.setProgram(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("brindlemark")));
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    }
    void TearDown() override
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
        SampleTest::TearDown();
    }
    // Runs this process's events until `done` holds or 20 s pass.
    static bool waitUntil(const std::function<bool()>& done)
    {
        const QDeadlineTimer deadline(20000);
        while (!done()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QThread::msleep(5);
        }
        return true;
    }

    QProcess m_process;
};

TEST_F(BrindlemarkProcessTest, ASecondStartBringsTheFirstCopyForwardAndEnds)
{
    const ipc::SingleInstance running(QStringLiteral("Brindlemark"));
    ASSERT_FALSE(running.prevInstance());
    ASSERT_TRUE(m_frame->announceWindowClass());
    m_frame->showMinimized();
    ASSERT_TRUE(m_frame->isMinimized());

    m_process.start();
    ASSERT_TRUE(waitUntil([this] { return m_process.state() == QProcess::NotRunning; }));
    EXPECT_EQ(m_process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_process.exitCode(), 0);
    EXPECT_TRUE(waitUntil([this] { return !m_frame->isMinimized(); })) << "the first copy was restored";
    EXPECT_TRUE(m_frame->isVisible());
}

TEST_F(BrindlemarkProcessTest, WithNoMainWindowAnnouncedTheProgramStartsAndAnnouncesItsOwn)
{
    const ipc::SingleInstance running(QStringLiteral("Brindlemark"));
    ASSERT_FALSE(running.prevInstance());
    m_process.start();
    EXPECT_TRUE(waitUntil([] {
        return ipc::WindowClass::isPresent(modMainHelper::mainWindowClassName(), QStringLiteral("Brindlemark"));
    }));
    EXPECT_EQ(m_process.state(), QProcess::Running);
}

} // namespace
