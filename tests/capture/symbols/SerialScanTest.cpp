// The serial hand scanner end to end: a pseudo-terminal stands in for the scanner's device,
// the helper form's timers and the capture run on the test clock.
#include "capture/IScanOwner.h"
#include "capture/ITimerClient.h"
#include "capture/frmHelper.h"
#include "capture/modSymbolRoutines.h"
#include "common/ICommitPreferences.h"
#include "common/modRegistryHigh.h"
#include "model/CImpressionDoc.h"
#include "platform/serial/CommPort.h"
#include "platform/ui/Timer.h"

#include "FakeClock.h"
#include "FakeImpressionWindow.h"
#include "PseudoTerminal.h"
#include "ScriptedMessages.h"
#include "TempConfig.h"
#include "WorkFiles.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

using namespace modSymbolRoutines;
using testing_support::waitUntil;

namespace {

// The main window as the helper form sees it: owner of the scanner port, client of the
// deferred calls.
class ScanOwner : public QWidget, public ui::Form, public IScanOwner, public ITimerClient
{
public:
    void serialScanComplete() override
    {
        ++scans;
        maxDepth = std::max(maxDepth, ++depth);
        calledAt = ui::clock().msecs();
        if (onScanComplete)
            onScanComplete(scans);
        --depth;
    }
    void OnTimer(ui::Timer& timer) override
    {
        ++ticks;
        lastTimer = &timer;
    }

    std::function<void(int scan)> onScanComplete;
    int scans = 0;
    int depth = 0;
    int maxDepth = 0;
    qint64 calledAt = -1;
    int ticks = 0;
    ui::Timer* lastTimer = nullptr;
};

const QString ScanError =
    QStringLiteral("Error scanning card.\r\rEnsure that your scanner is\rconnected and properly configured.");

class SerialScanTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("QV_COM1", m_pty.slavePath().toLocal8Bit());
        modRegistryHigh::setScanner(ScannerSerial);
        m_helper = &frmHelper::instance();
    }

    void TearDown() override
    {
        m_helper->turnOffSerialScanner();
        ui::unload(*m_helper);
        qunsetenv("QV_COM1");
        qunsetenv("QV_COM4");
    }

    serial::CommPort& port() { return *m_helper->MSComm1; }

    // The scanner sends bytes; they have arrived in the port when this returns. Real time passes,
    // the test clock stands still.
    void send(const QByteArray& bytes)
    {
        const int expected = port().inBufferCount() + int(bytes.size());
        m_pty.write(bytes);
        EXPECT_TRUE(waitUntil([&] { return port().inBufferCount() >= expected; }));
    }

    // The scanner sends `bytes` at time `atMs` of the test clock.
    void sendAt(qint64 atMs, const QByteArray& bytes)
    {
        m_clock.at(atMs, [this, bytes] { send(bytes); });
    }

    void expectScanError()
    {
        ASSERT_EQ(m_messages.shown().size(), 1);
        const ui::Message& m = m_messages.last();
        EXPECT_EQ(m.text, ScanError);
        EXPECT_EQ(m.icon, ui::Icon::Critical);
        EXPECT_EQ(m.buttons, ui::Buttons::Ok);
        EXPECT_EQ(m.helpTopic, 61);
        EXPECT_TRUE(m.title.isEmpty());
    }

    testing_support::TempConfig m_config;
    TempWorkFolder m_work;
    testing_support::FakeClock m_clock;
    testing_support::ScriptedMessages m_messages;
    testing_support::PseudoTerminal m_pty;
    ScanOwner m_owner;
    frmHelper* m_helper = nullptr;
};

TEST_F(SerialScanTest, ScanArrivesByteForByteAndIsLoadedIntoTheWindow)
{
    CImpressionDoc card;
    card.setNamFormattedName(QStringLiteral("Ms. Hélène Ødegaard"));
    card.setBusCompany(QStringLiteral("Fjordline Freight AS"));
    card.setNamNotes(QStringLiteral("Two\r\nlines"));
    card.setCwLines(0, QStringLiteral("Freight by sea"));
    ASSERT_TRUE(card.writeFile(getTempFileName(QStringLiteral("card.vcf")), true));
    // As the scanner frames it: STX, the AIM identifier, the data, CR LF.
    const QByteArray scan = "\x02]L0" + readFile(getTempFileName(QStringLiteral("card.vcf"))) + "\r\n";

    FakeImpressionWindow window;
    bool loaded = false;
    QByteArray raw;
    m_owner.onScanComplete = [&](int) {
        loaded = scanCardIntoWindow(nullptr, window);
        raw = readFile(getTempSymbolBitmapName());
    };
    ASSERT_TRUE(m_helper->turnOnSerialScanner(&m_owner));
    EXPECT_TRUE(m_helper->isScannerActive());
    m_helper->startTimer(&m_owner);

    send(scan.left(40));
    send(scan.mid(40, 1));
    send(scan.mid(41));
    EXPECT_TRUE(m_helper->tmrScan->isEnabled());
    m_clock.advance(1000);

    EXPECT_EQ(m_owner.scans, 1);
    EXPECT_EQ(m_owner.calledAt, 400); // the second tick found the count of the first
    ASSERT_TRUE(loaded);
    EXPECT_EQ(raw, scan);
    EXPECT_EQ(port().inBufferCount(), 0);
    ASSERT_TRUE(window.doc);
    EXPECT_EQ(window.doc->NamFormattedName(), card.NamFormattedName());
    EXPECT_EQ(window.doc->BusCompany(), card.BusCompany());
    EXPECT_EQ(window.doc->NamNotes(), card.NamNotes());
    EXPECT_EQ(window.doc->CwLines(0), card.CwLines(0));
    EXPECT_FALSE(window.oldVersion);
    EXPECT_FALSE(window.newerVersion);
    EXPECT_TRUE(window.wordsCreated);
    EXPECT_EQ(window.exports, 1); // "AutoUpdate" is on by default
    EXPECT_EQ(window.updates, 1);
    EXPECT_TRUE(m_messages.shown().isEmpty());

    // The end of the scan stopped the scan timer only: the deferred calls go on.
    EXPECT_FALSE(m_helper->tmrScan->isEnabled());
    EXPECT_TRUE(m_helper->Timer1->isEnabled());
    const int ticks = m_owner.ticks;
    m_clock.advance(450);
    EXPECT_EQ(m_owner.ticks, ticks + 3);
    EXPECT_EQ(m_owner.lastTimer, m_helper->Timer1);
}

TEST_F(SerialScanTest, SlowStreamCompletesAtTheFirstTickWithoutNewBytes)
{
    QByteArray all;
    QByteArray raw;
    m_owner.onScanComplete = [&](int) {
        EXPECT_TRUE(captureSerialScan(getTempSymbolBitmapName()));
        raw = readFile(getTempSymbolBitmapName());
    };
    ASSERT_TRUE(m_helper->turnOnSerialScanner(&m_owner));
    // A burst every 100 ms for a second; the scan timer ticks every 200 ms from the first byte.
    for (int k = 0; k <= 10; ++k) {
        const QByteArray burst = "burst " + QByteArray::number(k) + ";";
        all += burst;
        if (k == 0)
            send(burst);
        else
            sendAt(k * 100, burst);
    }
    m_clock.advance(3000);

    EXPECT_EQ(m_owner.scans, 1);
    EXPECT_EQ(m_owner.calledAt, 1200);
    EXPECT_EQ(raw, all);
    EXPECT_TRUE(m_messages.shown().isEmpty());
}

TEST_F(SerialScanTest, AScanEndedWhileTheOwnerHandlesOneWaitsItsTurn)
{
    ASSERT_TRUE(m_helper->turnOnSerialScanner(&m_owner));
    QList<QByteArray> raws;
    m_owner.onScanComplete = [&](int scan) {
        EXPECT_TRUE(captureSerialScan(getTempSymbolBitmapName()));
        raws << readFile(getTempSymbolBitmapName());
        if (scan == 1) {
            // The next card arrives while this one is still being handled, which takes a while.
            send("second");
            ui::waitEvents(1000);
        }
    };
    send("first");
    m_clock.advance(3000);
    EXPECT_EQ(raws, (QList<QByteArray>{"first", "second"}));
    EXPECT_EQ(m_owner.maxDepth, 1);
}

TEST_F(SerialScanTest, BytesTheCaptureTookAreNotReportedAsAnotherScan)
{
    // A capture of its own takes the scan; its end, told later, calls nobody.
    ASSERT_TRUE(m_helper->turnOnSerialScanner(&m_owner));
    send("head");
    ASSERT_TRUE(captureSerialScan(getTempSymbolBitmapName()));
    m_clock.advance(8000);
    EXPECT_EQ(m_owner.scans, 0);
    EXPECT_EQ(readFile(getTempSymbolBitmapName()), "head");
    // An owner that does not read the scan it is told of drops it: a later capture gets a later card.
    send("stale");
    m_clock.advance(1000);
    EXPECT_EQ(m_owner.scans, 1);
    send("fresh");
    ASSERT_TRUE(captureSerialScan(getTempSymbolBitmapName()));
    EXPECT_EQ(readFile(getTempSymbolBitmapName()), "fresh");
    EXPECT_TRUE(m_messages.shown().isEmpty());
    EXPECT_FALSE(m_helper->tmrScan->isEnabled());
}

TEST_F(SerialScanTest, BurstsATenthOfASecondApartAreReadAsOneScan)
{
    ASSERT_TRUE(m_helper->turnOnSerialScanner(nullptr));
    sendAt(100, "BEGIN:VCARD\r\n");
    sendAt(200, "FN:Anna\r\n");
    sendAt(300, "END:VCARD\r\n");
    ASSERT_TRUE(captureSerialScan(getTempSymbolBitmapName()));
    EXPECT_EQ(readFile(getTempSymbolBitmapName()), "BEGIN:VCARD\r\nFN:Anna\r\nEND:VCARD\r\n");
    // Taken once 0.2 s passed without a change after the last burst.
    EXPECT_EQ(m_clock.msecs(), 500);
    EXPECT_TRUE(m_messages.shown().isEmpty());
}

TEST_F(SerialScanTest, NothingWithinFiveSecondsFails)
{
    ASSERT_TRUE(m_helper->turnOnSerialScanner(nullptr));
    m_messages.ok();
    EXPECT_FALSE(captureSerialScan(getTempSymbolBitmapName()));
    expectScanError();
    EXPECT_GT(m_clock.msecs(), 5000);
    EXPECT_LE(m_clock.msecs(), 5020);
    EXPECT_FALSE(QFile::exists(getTempSymbolBitmapName()));
}

TEST_F(SerialScanTest, StreamStillChangingAtFiveSecondsFails)
{
    ASSERT_TRUE(m_helper->turnOnSerialScanner(nullptr));
    for (int k = 1; k <= 60; ++k)
        sendAt(k * 100, "x");
    m_messages.ok();
    EXPECT_FALSE(captureSerialScan(getTempSymbolBitmapName()));
    expectScanError();
    EXPECT_LE(m_clock.msecs(), 5020);
    EXPECT_FALSE(QFile::exists(getTempSymbolBitmapName()));
}

TEST_F(SerialScanTest, RawFileOfAnEarlierScanIsReplaced)
{
    writeFile(getTempSymbolBitmapName(), QByteArray(5000, 'o'));
    ASSERT_TRUE(m_helper->turnOnSerialScanner(nullptr));
    send(QByteArray("new\0scan\r\n", 10));
    ASSERT_TRUE(captureSerialScan(getTempSymbolBitmapName()));
    EXPECT_EQ(readFile(getTempSymbolBitmapName()), QByteArray("new\0scan\r\n", 10));
}

TEST_F(SerialScanTest, RawScanWithoutACardIsNotDecoded)
{
    writeFile(getTempSymbolBitmapName(), "]L0 NOT A CARD\r\n");
    m_messages.ok();
    EXPECT_FALSE(decodeRawScan(getTempSymbolBitmapName(), getTempSymbolVCardName()));
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_EQ(m_messages.last().text, QStringLiteral("Unable to Decode.\r\rMake sure to scan the right side of a\r"
                                                     "card imprinted with The Corvel Encoding"));
    EXPECT_EQ(m_messages.last().icon, ui::Icon::Exclamation);
    EXPECT_EQ(m_messages.last().helpTopic, 0);
}

TEST_F(SerialScanTest, PortHeldByAnotherProgramIsRefused)
{
    serial::CommPort other;
    other.setCommPort(1);
    other.setPortOpen(true);
    m_messages.ok();
    EXPECT_FALSE(m_helper->turnOnSerialScanner(&m_owner));
    ASSERT_EQ(m_messages.shown().size(), 1);
    const ui::Message& m = m_messages.last();
    EXPECT_EQ(m.text, QStringLiteral("Another program has already acquired the scanner port.\r\r"
                                     "Make the other program release COM1, then request it."));
    EXPECT_EQ(m.icon, ui::Icon::Exclamation);
    EXPECT_EQ(m.buttons, ui::Buttons::Ok);
    EXPECT_EQ(m.helpTopic, 64);
    EXPECT_FALSE(m_helper->isScannerActive());

    // Once the other program lets go, the port can be requested.
    other.setPortOpen(false);
    EXPECT_TRUE(m_helper->turnOnSerialScanner(&m_owner));
    EXPECT_TRUE(m_helper->isScannerActive());
}

TEST_F(SerialScanTest, MissingPortIsNamedInTheMessage)
{
    modRegistryHigh::setPDFComPort(3);
    qputenv("QV_COM4", "/nonexistent/qv-scanner");
    m_messages.ok();
    EXPECT_FALSE(m_helper->turnOnSerialScanner(&m_owner));
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_EQ(m_messages.last().text, QStringLiteral("COM4 is not a valid serial port."));
    EXPECT_EQ(m_messages.last().icon, ui::Icon::Exclamation);
    EXPECT_EQ(m_messages.last().helpTopic, 0);
    EXPECT_EQ(port().commPort(), 4);
    EXPECT_FALSE(m_helper->isScannerActive());
}

TEST_F(SerialScanTest, UnpluggedScannerIsSwitchedOffShownReleasedAndToldOnce)
{
    // A window that shows the port's state, as the impression windows do.
    struct StateWindow : QWidget, ui::Form, ICommitPreferences
    {
        void commitPreferences() override { shownActive += frmHelper::instance().isScannerActive(); }
        QList<bool> shownActive;
    };
    auto* window = new StateWindow;
    ui::load(*window);
    QPointer<StateWindow> alive(window);

    ASSERT_TRUE(m_helper->turnOnSerialScanner(&m_owner));
    m_messages.ok();
    m_pty.closeMaster();
    EXPECT_TRUE(waitUntil([&] { return !m_messages.shown().isEmpty(); }));
    ui::waitEvents(100);
    EXPECT_FALSE(m_helper->isScannerActive());
    EXPECT_FALSE(port().portOpen());
    EXPECT_EQ(m_owner.scans, 0);
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_EQ(m_messages.last().text,
              QStringLiteral("COM1 (%1) is no longer available: the device hung up").arg(m_pty.slavePath()));
    EXPECT_EQ(m_messages.last().icon, ui::Icon::Exclamation);
    EXPECT_EQ(window->shownActive, QList<bool>{false});
    ui::unload(*window);

    // Plugged in again, it can be requested as before.
    testing_support::PseudoTerminal pluggedIn;
    qputenv("QV_COM1", pluggedIn.slavePath().toLocal8Bit());
    EXPECT_TRUE(m_helper->turnOnSerialScanner(&m_owner));
    EXPECT_TRUE(port().lostReason().isEmpty());
}

TEST_F(SerialScanTest, ImageScannersCountAsActiveWithoutAPort)
{
    EXPECT_FALSE(m_helper->isScannerActive());
    modRegistryHigh::setScanner(ScannerTwain);
    EXPECT_TRUE(m_helper->isScannerActive());
    modRegistryHigh::setScanner(ScannerCardScan);
    EXPECT_TRUE(m_helper->isScannerActive());
}

} // namespace
