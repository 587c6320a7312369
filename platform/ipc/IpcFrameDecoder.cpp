#include "platform/ipc/IpcFrameDecoder.h"

#include <QStringDecoder>
#include <QtEndian>

namespace ipc {

bool FrameDecoder::feed(QByteArrayView bytes)
{
    if (m_failed)
        return false;
    // Drop what was consumed before the buffer grows again.
    if (m_offset > 0) {
        m_buffer.remove(0, m_offset);
        m_offset = 0;
    }
    m_buffer.append(bytes.data(), bytes.size());
    if (m_buffer.size() > MaxBufferedBytes)
        m_failed = true; // a peer that floods while its frames wait to be answered
    pendingBodyBytes();  // refuse an oversized frame before its body arrives
    return !m_failed;
}

std::optional<qsizetype> FrameDecoder::pendingBodyBytes()
{
    if (m_failed || bufferedBytes() < FramePrefixBytes)
        return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(m_buffer.constData() + m_offset);
    if (length < FrameHeaderBytes || length > MaxFrameBytes) {
        m_failed = true;
        return std::nullopt;
    }
    return static_cast<qsizetype>(length);
}

std::optional<Frame> FrameDecoder::next()
{
    const std::optional<qsizetype> bodyBytes = pendingBodyBytes();
    if (!bodyBytes || bufferedBytes() < FramePrefixBytes + *bodyBytes)
        return std::nullopt;

    const char* body = m_buffer.constData() + m_offset + FramePrefixBytes;
    const auto kind = static_cast<quint8>(body[0]);
    const auto status = static_cast<quint8>(body[5]);
    const bool kindKnown = kind >= quint8(Kind::Execute) && kind <= quint8(Kind::Reply);
    const bool statusFits = kind == quint8(Kind::Reply) ? status <= quint8(Status::Busy) : status == 0;
    if (!kindKnown || !statusFits) {
        m_failed = true;
        return std::nullopt;
    }

    // Strict UTF-8: a byte order mark is kept as text, anything malformed kills the stream.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    Frame frame;
    frame.kind = static_cast<Kind>(kind);
    frame.transaction = qFromBigEndian<quint32>(body + 1);
    frame.status = static_cast<Status>(status);
    frame.text = utf8(QByteArrayView(body + FrameHeaderBytes, *bodyBytes - FrameHeaderBytes));
    if (utf8.hasError()) {
        m_failed = true;
        return std::nullopt;
    }
    m_offset += FramePrefixBytes + *bodyBytes;
    return frame;
}

} // namespace ipc
