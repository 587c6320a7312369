#include "platform/serial/CommPort.h"
#include "platform/vb/VbError.h"

#include "PseudoTerminal.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <functional>

using serial::CommPort;

namespace {

using Pty = testing_support::PseudoTerminal;
using testing_support::waitUntil;

// Lets every event already pending be handled, without waiting for new ones.
void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

long openErrorOf(CommPort& port)
{
    try {
        port.setPortOpen(true);
    } catch (const vb::Error& e) {
        return e.number();
    }
    return 0;
}

class CommPortTest : public ::testing::Test
{
protected:
    void SetUp() override { qputenv("QV_COM1", m_pty.slavePath().toLocal8Bit()); }
    void TearDown() override
    {
        qunsetenv("QV_COM1");
        qunsetenv("QV_COM4");
    }

    CommPort* openPort(CommPort& port, int threshold = 1)
    {
        port.setCommPort(1);
        port.setInputLen(0);
        port.setInputMode(serial::InputMode::Binary);
        port.setPortOpen(true);
        port.setRThreshold(threshold);
        return &port;
    }

    Pty m_pty;
};

TEST_F(CommPortTest, EveryByteValueArrivesUnchanged)
{
    CommPort port;
    openPort(port);
    EXPECT_TRUE(port.portOpen());
    EXPECT_EQ(port.devicePath(), m_pty.slavePath());

    QByteArray all;
    for (int round = 0; round < 4; ++round)
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(round % 2 ? 255 - b : b));
    // In pieces, as a scanner sends them; CR, LF, XON, XOFF, NUL and ^C included.
    m_pty.write(all.left(300));
    m_pty.write(all.mid(300, 1));
    m_pty.write(all.mid(301));

    ASSERT_TRUE(waitUntil([&] { return port.inBufferCount() == all.size(); }));
    port.setInputLen(300);
    EXPECT_EQ(port.input(), all.left(300));
    port.setInputLen(0);
    EXPECT_EQ(port.input(), all.mid(300));
    EXPECT_EQ(port.inBufferCount(), 0);
    EXPECT_EQ(port.input(), QByteArray());
    EXPECT_THROW(port.setInputLen(-1), vb::Error);
}

TEST_F(CommPortTest, ReceiveEventFiresOnlyWhenNewBytesArrive)
{
    CommPort port;
    openPort(port, 1);
    QSignalSpy events(&port, &CommPort::onComm);

    m_pty.write("a");
    ASSERT_TRUE(events.wait(10000));
    EXPECT_EQ(port.commEvent(), serial::CommEvent::Receive);
    settle();
    EXPECT_EQ(events.count(), 1); // the byte still waiting does not raise the event again

    m_pty.write("b");
    ASSERT_TRUE(waitUntil([&] { return events.count() == 2; }));
    settle();
    EXPECT_EQ(events.count(), 2);
    EXPECT_EQ(port.input(), "ab");
    settle();
    EXPECT_EQ(events.count(), 2);
}

TEST_F(CommPortTest, ThresholdDecidesWhenTheEventFires)
{
    CommPort port;
    openPort(port, 3);
    QSignalSpy events(&port, &CommPort::onComm);

    m_pty.write("ab");
    ASSERT_TRUE(waitUntil([&] { return port.inBufferCount() == 2; }));
    settle();
    EXPECT_EQ(events.count(), 0);
    m_pty.write("c");
    ASSERT_TRUE(events.wait(10000));
    EXPECT_EQ(port.inBufferCount(), 3);

    // Threshold 0: bytes are received without any event.
    port.setRThreshold(0);
    m_pty.write("def");
    ASSERT_TRUE(waitUntil([&] { return port.inBufferCount() == 6; }));
    settle();
    EXPECT_EQ(events.count(), 1);
}

TEST_F(CommPortTest, PortIsHeldExclusively)
{
    CommPort first;
    openPort(first);

    EXPECT_EQ(openErrorOf(first), serial::err::PortAlreadyOpen);
    EXPECT_THROW(first.setCommPort(2), vb::Error);

    CommPort second;
    second.setCommPort(1);
    EXPECT_EQ(openErrorOf(second), serial::err::PortAlreadyOpen);
    EXPECT_FALSE(second.portOpen());

    // The first port still works after the refused open.
    m_pty.write("x");
    ASSERT_TRUE(waitUntil([&] { return first.inBufferCount() == 1; }));

    // Released, the port can be taken by the other object; its buffer starts empty.
    first.setPortOpen(false);
    EXPECT_FALSE(first.portOpen());
    EXPECT_EQ(first.inBufferCount(), 0);
    EXPECT_EQ(openErrorOf(second), 0);
    EXPECT_EQ(second.inBufferCount(), 0);
}

class PortHolder
{
public:
    explicit PortHolder(int port)
    {
        m_process.start(QStringLiteral(QV_PORT_HOLDER), {QString::number(port)});
        m_process.waitForStarted();
    }
    ~PortHolder()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
        m_process.waitForFinished();
    }
    // "open" or "error <n>".
    QString answer()
    {
        QDeadlineTimer deadline(10000);
        while (!m_process.canReadLine() && !deadline.hasExpired())
            m_process.waitForReadyRead(deadline.remainingTime());
        return QString::fromLatin1(m_process.readLine()).trimmed();
    }
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

private:
    QProcess m_process;
};

TEST_F(CommPortTest, AnotherProcessCannotTakeAnOpenPort)
{
    {
        CommPort port;
        openPort(port);
        PortHolder other(1);
        EXPECT_EQ(other.answer(), QStringLiteral("error 8005"));
    }
    {
        PortHolder other(1);
        ASSERT_EQ(other.answer(), QStringLiteral("open"));
        CommPort port;
        port.setCommPort(1);
        EXPECT_EQ(openErrorOf(port), serial::err::PortAlreadyOpen);

        // A holder that dies leaves no lock behind.
        other.kill();
        EXPECT_EQ(openErrorOf(port), 0);
    }
}

TEST_F(CommPortTest, MissingOrUnsuitableDeviceIsNoSuchPort)
{
    QTemporaryDir dir;
    CommPort port;
    port.setCommPort(4);

    qputenv("QV_COM4", QFile::encodeName(dir.filePath(QStringLiteral("ttyUSB9"))));
    EXPECT_EQ(openErrorOf(port), serial::err::InvalidPortNumber);

    qputenv("QV_COM4", "/dev/null"); // exists, but is no serial device
    EXPECT_EQ(openErrorOf(port), serial::err::InvalidPortNumber);

    qputenv("QV_COM4", QFile::encodeName(dir.path())); // a folder
    EXPECT_EQ(openErrorOf(port), serial::err::InvalidPortNumber);
    EXPECT_FALSE(port.portOpen());

    for (int invalid : {0, 17}) {
        try {
            port.setCommPort(invalid);
            ADD_FAILURE() << "COM" << invalid << " accepted";
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number(), serial::err::InvalidPortNumber);
        }
    }
    EXPECT_EQ(port.commPort(), 4);
}

TEST_F(CommPortTest, VanishedDeviceClosesThePortOnce)
{
    CommPort port;
    openPort(port);
    QSignalSpy events(&port, &CommPort::onComm);
    QSignalSpy lost(&port, &CommPort::deviceLost);

    m_pty.write("tail");
    ASSERT_TRUE(waitUntil([&] { return port.inBufferCount() == 4; }));
    m_pty.closeMaster();
    ASSERT_TRUE(lost.wait(10000));
    settle();
    EXPECT_EQ(lost.count(), 1);
    EXPECT_EQ(events.count(), 1);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(port.input(), "tail"); // what arrived before is kept

    // Closing again is harmless, and a new device can be opened.
    port.setPortOpen(false);
    Pty replacement;
    qputenv("QV_COM1", replacement.slavePath().toLocal8Bit());
    EXPECT_EQ(openErrorOf(port), 0);
    replacement.write("z");
    ASSERT_TRUE(waitUntil([&] { return port.inBufferCount() == 1; }));
    EXPECT_EQ(lost.count(), 1);
}

TEST_F(CommPortTest, ReceiverMayCloseThePortFromTheEvent)
{
    CommPort port;
    openPort(port);
    QObject::connect(&port, &CommPort::onComm, &port, [&] { port.setPortOpen(false); });
    QSignalSpy lost(&port, &CommPort::deviceLost);
    m_pty.write("abc");
    ASSERT_TRUE(waitUntil([&] { return !port.portOpen(); }));
    settle();
    EXPECT_EQ(lost.count(), 0);
    EXPECT_EQ(openErrorOf(port), 0); // nothing was left held
}

} // namespace
