#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace serial {

// The error numbers the port raises (as vb::Error), with the serial control's numbering.
namespace err {
constexpr long InvalidPropertyValue = 380;
constexpr long InvalidPortNumber = 8002;    // no such port: bad number, device missing or not a serial device
constexpr long PortAlreadyOpen = 8005;      // opened already, here or by another program
constexpr long HardwareNotAvailable = 8010; // the device exists but may not be opened (permissions)
constexpr long CommStateNotSet = 8015;      // the line settings could not be applied
} // namespace err

enum class InputMode
{
    Text = 0,
    Binary = 1,
};

enum class CommEvent
{
    None = 0,
    Receive = 2,
};

// A serial port as the programs' serial control offers it: a port number (COM1 = 1) mapped to
// a device (see PortMap.h), opened raw at 9600 baud, 8 data bits, no parity, 1 stop bit, no flow
// control, and held exclusively. Received bytes collect in an in-memory buffer until `input`
// takes them.
//
// `onComm` is emitted when new bytes have arrived and the buffer then holds at least
// `rThreshold` bytes (never while `rThreshold` is 0). Bytes that stay in the buffer do not raise
// the event again.
//
// A device that goes away (hang-up, I/O error) closes the port once and emits `deviceLost`
// once, with `lostReason` telling what happened; bytes received before stay in the buffer.
// The buffer is emptied when the port is opened and when the caller closes it.
class CommPort : public QObject
{
    Q_OBJECT

public:
    explicit CommPort(QObject* parent = nullptr);
    ~CommPort() override;

    int commPort() const { return m_port; }
    // Throws 8002 for a number outside 1..16, 8005 while the port is open.
    void setCommPort(int port);

    // The device the current port number maps to.
    QString devicePath() const;

    // How many bytes `input` takes at most; 0 takes the whole buffer.
    int inputLen() const { return m_inputLen; }
    void setInputLen(int length);

    // The bytes `input` gives are the received bytes unchanged in either mode.
    InputMode inputMode() const { return m_inputMode; }
    void setInputMode(InputMode mode) { m_inputMode = mode; }

    int rThreshold() const { return m_rThreshold; }
    void setRThreshold(int threshold);

    bool portOpen() const { return m_fd >= 0; }
    // Opens or closes the device. Opening throws 8002 (no such port), 8005 (already open, here
    // or elsewhere), 8010 (no permission) or 8015 (line settings refused). Closing never fails.
    void setPortOpen(bool open);

    int inBufferCount() const { return static_cast<int>(m_buffer.size()); }

    // Takes up to `inputLen` bytes (all when 0) from the front of the buffer.
    QByteArray input();

    // The event the last `onComm` reported.
    CommEvent commEvent() const { return m_event; }

    // Why the device of the port went away, naming the port and its device; empty until it
    // does (opening the port again clears it).
    const QString& lostReason() const { return m_lostReason; }

Q_SIGNALS:
    void onComm();
    void deviceLost();

private:
    void open();
    void close();
    void readAvailable();

    int m_port = 1;
    int m_inputLen = 0;
    InputMode m_inputMode = InputMode::Text;
    int m_rThreshold = 0;
    CommEvent m_event = CommEvent::None;
    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    QByteArray m_buffer;
    QString m_lostReason;
};

} // namespace serial
