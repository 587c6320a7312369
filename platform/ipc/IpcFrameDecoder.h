#pragma once

#include "platform/ipc/IpcFrame.h"

#include <QByteArrayView>

#include <optional>

namespace ipc {

// Splits a received byte stream into frames. A stream that announces a frame larger than
// MaxFrameBytes, or whose frame is garbled (unknown kind, a status where none belongs, text
// that is not UTF-8), is dead from that point: the connection it came from must be dropped.
class FrameDecoder
{
public:
    // Most bytes held unanswered: frames that arrive while a handler runs wait in the buffer.
    static constexpr qsizetype MaxBufferedBytes = 4 * (FramePrefixBytes + MaxFrameBytes);

    // Appends received bytes; false once the stream is dead.
    bool feed(QByteArrayView bytes);

    // The next complete frame, if one has arrived.
    std::optional<Frame> next();

    bool failed() const { return m_failed; }

    // Bytes received but not yet returned as a frame.
    qsizetype bufferedBytes() const { return m_buffer.size() - m_offset; }

private:
    // The body length of the frame at the front, once its prefix has arrived; marks the stream
    // dead when the length is out of range.
    std::optional<qsizetype> pendingBodyBytes();

    QByteArray m_buffer;
    qsizetype m_offset = 0;
    bool m_failed = false;
};

} // namespace ipc
