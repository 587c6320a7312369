#include "platform/serial/CommPort.h"

#include "platform/serial/PortMap.h"
#include "platform/vb/VbError.h"

#include <QFile>
#include <QPointer>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace serial {

namespace {

const QString Source = QStringLiteral("CommPort");

// Bytes beyond this stay unread by the programs: a scanner sends a few kilobytes per card,
// so a device that fills a megabyte is streaming noise, and the rest of it is dropped.
constexpr qsizetype MaxBufferBytes = 1024 * 1024;

vb::Error error(long number, const QString& description)
{
    return vb::Error(number, Source, description);
}

QString systemText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

// The control's error for a device that could not be opened or set up.
vb::Error openError(int code, const QString& path)
{
    switch (code) {
    case EBUSY:
    case EWOULDBLOCK:
        return error(err::PortAlreadyOpen, QStringLiteral("Port already open: %1 is in use").arg(path));
    case EACCES:
    case EPERM:
        return error(
            err::HardwareNotAvailable,
            QStringLiteral("Permission denied for %1; the user may need to be in the \"dialout\" group").arg(path));
    default:
        return error(err::InvalidPortNumber,
                     QStringLiteral("Invalid port number: %1 is not a serial port (%2)").arg(path, systemText(code)));
    }
}

// Raw 9600 baud, 8N1, no flow control. VMIN 1 with O_NONBLOCK makes a read without data fail
// with EAGAIN, so that a read of 0 bytes means the device has hung up.
bool applyLineSettings(int fd)
{
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return false;
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, B9600) != 0 || ::cfsetospeed(&tio, B9600) != 0)
        return false;
    return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

} // namespace

CommPort::CommPort(QObject* parent) : QObject(parent) {}

CommPort::~CommPort()
{
    close();
}

void CommPort::setCommPort(int port)
{
    if (port < FirstPort || port > LastPort)
        throw error(err::InvalidPortNumber, QStringLiteral("Invalid port number: %1").arg(port));
    if (portOpen())
        throw error(err::PortAlreadyOpen, QStringLiteral("Port already open"));
    m_port = port;
}

QString CommPort::devicePath() const
{
    return devicePathFor(m_port);
}

void CommPort::setInputLen(int length)
{
    if (length < 0)
        throw vb::Error::runtime(err::InvalidPropertyValue, Source);
    m_inputLen = length;
}

void CommPort::setRThreshold(int threshold)
{
    if (threshold < 0)
        throw vb::Error::runtime(err::InvalidPropertyValue, Source);
    m_rThreshold = threshold;
}

void CommPort::setPortOpen(bool open)
{
    if (!open) {
        close();
        m_buffer.clear();
    } else if (portOpen()) {
        throw error(err::PortAlreadyOpen, QStringLiteral("Port already open"));
    } else {
        this->open();
    }
}

QByteArray CommPort::input()
{
    const qsizetype take = m_inputLen == 0 ? m_buffer.size() : qMin<qsizetype>(m_inputLen, m_buffer.size());
    QByteArray taken = m_buffer.left(take);
    m_buffer.remove(0, take);
    return taken;
}

void CommPort::open()
{
    const QString path = devicePath();
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw openError(errno, path);

    // Another program holding the port (our own lock, or a terminal program's flock) makes the
    // open fail; TIOCEXCL then keeps every later open by other programs out as well, except
    // root's, which the lock covers.
    int code = 0;
    if (!::isatty(fd))
        code = errno;
    else if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
        code = EWOULDBLOCK;
    if (code != 0) {
        ::close(fd);
        throw openError(code, path);
    }
    ::ioctl(fd, TIOCEXCL);
    if (!applyLineSettings(fd)) {
        const int settingsCode = errno;
        ::ioctl(fd, TIOCNXCL);
        ::close(fd);
        throw error(err::CommStateNotSet,
                    QStringLiteral("Could not set comm state of %1 (%2)").arg(path, systemText(settingsCode)));
    }
    ::tcflush(fd, TCIOFLUSH);

    m_fd = fd;
    m_buffer.clear();
    m_lostReason.clear();
    m_event = CommEvent::None;
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &CommPort::readAvailable);
}

void CommPort::close()
{
    if (m_fd < 0)
        return;
    // Closing may happen inside the notifier's own signal (a hang-up, or a receiver that closes
    // the port): it is disabled now and deleted once control is back in the event loop.
    m_notifier->setEnabled(false);
    m_notifier->deleteLater();
    m_notifier = nullptr;
    ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
    m_fd = -1;
}

void CommPort::readAvailable()
{
    qsizetype received = 0;
    bool lost = false;
    char chunk[4096];
    while (m_fd >= 0) {
        const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
        if (n > 0) {
            received += n;
            m_buffer.append(chunk, qMin<qsizetype>(n, MaxBufferBytes - m_buffer.size()));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            // EAGAIN: drained. End of file or any other error: the device has gone.
            lost = !(n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK));
            if (lost)
                m_lostReason =
                    QStringLiteral("COM%1 (%2) is no longer available: %3")
                        .arg(m_port)
                        .arg(devicePath(), n == 0 ? QStringLiteral("the device hung up") : systemText(errno));
            break;
        }
    }
    if (lost)
        close();

    // A receiver may close the port, delete it, or run the event loop and read again meanwhile.
    QPointer<CommPort> self(this);
    if (received > 0 && m_rThreshold > 0 && m_buffer.size() >= m_rThreshold) {
        m_event = CommEvent::Receive;
        Q_EMIT onComm();
    }
    if (lost && self)
        Q_EMIT deviceLost();
}

} // namespace serial
