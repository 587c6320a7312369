#include "platform/ipc/IpcFrame.h"

#include <QtEndian>

namespace ipc {

QByteArray encodeFrame(const Frame& frame)
{
    const QByteArray text = frame.text.toUtf8();
    const qsizetype bodyBytes = FrameHeaderBytes + text.size();
    if (bodyBytes > MaxFrameBytes)
        return {};
    QByteArray bytes(FramePrefixBytes + FrameHeaderBytes, Qt::Uninitialized);
    char* p = bytes.data();
    qToBigEndian<quint32>(static_cast<quint32>(bodyBytes), p);
    p[4] = static_cast<char>(frame.kind);
    qToBigEndian<quint32>(frame.transaction, p + 5);
    p[9] = static_cast<char>(frame.status);
    bytes.append(text);
    return bytes;
}

} // namespace ipc
