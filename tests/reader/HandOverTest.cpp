// The receiving side of a second start: the execute, the queue and the ticks that open it.
#include "FrameFixture.h"

#include "capture/frmHelper.h"
#include "capture/modSymbolRoutines.h"
#include "common/modRegistryHigh.h"
#include "model/CImpressionDoc.h"
#include "platform/ipc/DdeError.h"
#include "platform/ipc/DdeLink.h"
#include "platform/serial/CommPort.h"
#include "platform/ui/Timer.h"
#include "platform/vb/VbError.h"

#include "PseudoTerminal.h"
#include "QtPrinters.h"
#include "WidgetDriver.h"

#include <QCoreApplication>
#include <QFile>

namespace {

using Log = QStringList;

class HandOverTest : public FrameFixture
{
protected:
    bool timerRunning() { return frmHelper::instance().Timer1->isEnabled(); }
};

TEST_F(HandOverTest, ExecutesAreQueuedWholeAndOpenedNewestFirstOnLaterTicks)
{
    const QString a = makeFile(QStringLiteral("a.imf"));
    const QString b = makeFile(QStringLiteral("b=c.IMF"));
    bool Cancel = true;
    m_frame->MDIForm_LinkExecute(QStringLiteral("CmdLine=") + a, Cancel);
    EXPECT_FALSE(Cancel) << "the key is not case-sensitive";
    Cancel = true;
    m_frame->MDIForm_LinkExecute(QStringLiteral("cmdline") + a, Cancel);
    EXPECT_TRUE(Cancel) << "no \"=\": rejected";
    m_frame->MDIForm_LinkExecute(QStringLiteral("open=") + a, Cancel);
    EXPECT_TRUE(Cancel) << "only cmdline is defined";
    EXPECT_TRUE(handOver(b));
    EXPECT_FALSE(handOver(QString(4097, u'x'))) << "longer than 4096 bytes";
    EXPECT_FALSE(handOver(QString(2049, QChar(0xe9)))) << "4098 bytes in UTF-8";
    EXPECT_EQ(m_frame->queuedCommandLines(), (QStringList{a, b}));
    EXPECT_TRUE(TestImpressionWindow::log().isEmpty()) << "nothing opens inside the execute";

    // The one empty window takes the newest entry; the next goes into a new window.
    m_frame->openNewImpressionWindow();
    tick();
    EXPECT_EQ(TestImpressionWindow::log(), Log{QStringLiteral("Untitled1.imf: open ") + b});
    tick();
    EXPECT_EQ(TestImpressionWindow::log().last(), QStringLiteral("Untitled2.imf: open ") + a);
    EXPECT_TRUE(timerRunning());
    tick();
    EXPECT_FALSE(timerRunning()) << "the first tick that finds the queue empty stops the timer";

    // 4096 bytes are taken; a short entry restores the frame and opens nothing.
    QString longEntry = QStringLiteral("/nowhere");
    while (longEntry.size() < 4096)
        longEntry += QStringLiteral("/x");
    EXPECT_TRUE(handOver(longEntry.left(4096)));
    m_frame->showMinimized();
    EXPECT_TRUE(handOver(QString()));
    EXPECT_FALSE(m_frame->isMinimized());
    m_messages.ok(); // the long one: no such file
    tick(3);
    EXPECT_EQ(TestImpressionWindow::log().size(), 2);
    EXPECT_EQ(m_messages.texts(),
              QStringList{longEntry.left(4096) + QStringLiteral("\r is not in a recognizable format.")});
}

TEST_F(HandOverTest, TheFramesServerAcceptsTheExecuteOverTheSocket)
{
    ASSERT_TRUE(m_frame->isServingCommandLines());
    ipc::DdeLink link;
    link.setLinkTopic(QStringLiteral("Quorvane|MDI"));
    link.setLinkMode(ipc::DdeLink::Manual);
    link.linkExecute(QStringLiteral("cmdline=") + path(QStringLiteral("x.imf")));
    try {
        link.linkExecute(QStringLiteral("cmdline"));
        ADD_FAILURE() << "an execute without \"=\" was accepted";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), ipc::err::Rejected);
    }
    link.setLinkMode(ipc::DdeLink::None);
    EXPECT_EQ(m_frame->queuedCommandLines(), QStringList{path(QStringLiteral("x.imf"))});
}

TEST_F(HandOverTest, AnEntryWaitsWhileTheAboutBoxIsUp)
{
    const QString a = makeFile(QStringLiteral("a.imf"));
    m_frame->openNewImpressionWindow();
    m_modals.then([&](ui::Form& about) {
        EXPECT_TRUE(handOver(a));
        tick(5);
        EXPECT_TRUE(TestImpressionWindow::log().isEmpty());
        about.widget()->hide();
    });
    testing_support::trigger(m_frame, QStringLiteral("mnuHelpAbout"));
    EXPECT_EQ(m_modals.shown(), QStringList{QStringLiteral("frmAbout")});
    EXPECT_TRUE(TestImpressionWindow::log().isEmpty());
    tick();
    EXPECT_EQ(TestImpressionWindow::log(), Log{QStringLiteral("Untitled1.imf: open ") + a});
}

TEST_F(HandOverTest, AFailingEntryIsReportedAndTheNextOneStillOpens)
{
    const QString good = makeFile(QStringLiteral("good.imf"));
    const QString tooLong = path(QString(300, u'n') + QStringLiteral(".imf"));
    EXPECT_TRUE(handOver(good));
    EXPECT_TRUE(handOver(tooLong));
    m_messages.ok();
    tick();
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_EQ(m_messages.last().text, vb::Error::runtime(52, QStringLiteral("Quorvane")).report());
    EXPECT_EQ(m_messages.last().buttons, ui::Buttons::Ok);
    tick();
    EXPECT_EQ(TestImpressionWindow::log(), Log{QStringLiteral("Untitled1.imf: open ") + good});
}

// A serial scan: the helper form's timers and the capture's wait run on the test clock, a
// pseudo-terminal stands in for the scanner.
class SerialHandOverTest : public HandOverTest
{
protected:
    void SetUp() override
    {
        qputenv("QV_COM1", m_pty.slavePath().toLocal8Bit());
        modRegistryHigh::setScanner(modSymbolRoutines::ScannerSerial);
        HandOverTest::SetUp();
    }
    void TearDown() override
    {
        HandOverTest::TearDown();
        qunsetenv("QV_COM1");
    }

    QByteArray cardScan(const QString& strName) { return serialCardScan(strName); }
    void send(const QByteArray& bytes) { sendToPort(m_pty, bytes); }

    testing_support::PseudoTerminal m_pty;
};

TEST_F(SerialHandOverTest, AScanAndAnEntryWhileTheAboutBoxIsUpWaitAndGoInTheirOrder)
{
    const QString a = makeFile(QStringLiteral("a.imf"));
    m_frame->requestScannerPort();
    ASSERT_TRUE(frmHelper::instance().isScannerActive());
    // The scan ends while the box is up and the file is handed over after it: neither opens a
    // window before the box closes.
    m_modals.then([&](ui::Form& about) {
        send(cardScan(QStringLiteral("Ines Varda")));
        m_clock.advance(500);
        EXPECT_TRUE(handOver(a));
        tick(5);
        EXPECT_TRUE(TestImpressionWindow::log().isEmpty());
        about.widget()->hide();
    });
    testing_support::trigger(m_frame, QStringLiteral("mnuHelpAbout"));
    QCoreApplication::processEvents(); // back in the event loop
    tick();
    EXPECT_EQ(TestImpressionWindow::log(),
              (Log{QStringLiteral("Untitled1.imf: card Ines Varda"), QStringLiteral("Untitled2.imf: open ") + a}));
    EXPECT_TRUE(m_messages.shown().isEmpty());
}

TEST_F(SerialHandOverTest, AScanWithNoWindowOpensOneAndAClosedTopmostWindowIsNeverUsed)
{
    m_frame->requestScannerPort();
    send(cardScan(QStringLiteral("Per Olund")));
    m_clock.advance(1000);
    EXPECT_EQ(TestImpressionWindow::log(), Log{QStringLiteral("Untitled1.imf: card Per Olund")});
    ASSERT_EQ(TestImpressionWindow::loaded().size(), 1);
    EXPECT_EQ(frmMDIMain::openImpressionCount(), 1);
    EXPECT_TRUE(TestImpressionWindow::loaded().first()->isVisible());

    // The topmost window goes (no deactivation first); the next card opens a window of its own.
    ui::unload(*TestImpressionWindow::loaded().first());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    send(cardScan(QStringLiteral("Rhea Castellan")));
    m_clock.advance(1000);
    EXPECT_EQ(TestImpressionWindow::log().last(), QStringLiteral("Untitled2.imf: card Rhea Castellan"));
    EXPECT_EQ(frmMDIMain::openImpressionCount(), 1);
    EXPECT_TRUE(m_messages.shown().isEmpty());
}

} // namespace
