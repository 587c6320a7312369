#include "platform/ipc/IpcFrame.h"
#include "platform/ipc/IpcFrameDecoder.h"

#include <QList>

#include <gtest/gtest.h>

using namespace ipc;

namespace {

QByteArray frameBytes(quint32 length, QByteArray body)
{
    QByteArray bytes(4, '\0');
    bytes[0] = char(length >> 24);
    bytes[1] = char(length >> 16);
    bytes[2] = char(length >> 8);
    bytes[3] = char(length);
    return bytes + body;
}

// A body of the given kind and status byte around raw text bytes.
QByteArray rawFrame(quint8 kind, quint8 status, const QByteArray& text)
{
    QByteArray body;
    body.append(char(kind)).append(QByteArray(4, '\x01')).append(char(status)).append(text);
    return frameBytes(quint32(body.size()), body);
}

bool decodesGarbled(const QByteArray& bytes)
{
    FrameDecoder decoder;
    decoder.feed(bytes);
    return !decoder.next() && decoder.failed();
}

} // namespace

TEST(IpcFrame, RoundTripsEveryKindHoweverTheBytesAreSplit)
{
    const QList<Frame> frames = {
        {Kind::Execute, 1, Status::Accepted, QStringLiteral("cmdline=C:\\Cards\\a=b.imf")},
        {Kind::Request, 2, Status::Accepted, QStringLiteral("Field(2nd Street Address)")},
        {Kind::Reply, 0xFFFFFFFF, Status::Busy, QString()},
        {Kind::Reply, 7, Status::Accepted, QStringLiteral("\uFEFFGr\u00fc\u00dfe \U0001F600\r\n") + QChar(0) + u'x'},
    };
    QByteArray stream;
    for (const Frame& frame : frames)
        stream += encodeFrame(frame);

    for (qsizetype chunk : {qsizetype(1), qsizetype(3), stream.size()}) {
        FrameDecoder decoder;
        QList<Frame> decoded;
        for (qsizetype at = 0; at < stream.size(); at += chunk) {
            ASSERT_TRUE(decoder.feed(QByteArrayView(stream).sliced(at, std::min(chunk, stream.size() - at))));
            while (std::optional<Frame> frame = decoder.next())
                decoded.append(*frame);
        }
        ASSERT_EQ(decoded.size(), frames.size()) << "chunk " << chunk;
        for (qsizetype i = 0; i < frames.size(); ++i) {
            EXPECT_EQ(decoded[i].kind, frames[i].kind);
            EXPECT_EQ(decoded[i].transaction, frames[i].transaction);
            EXPECT_EQ(decoded[i].status, frames[i].status);
            EXPECT_EQ(decoded[i].text, frames[i].text); // the byte order mark and the NUL stay
        }
        EXPECT_EQ(decoder.bufferedBytes(), 0);
    }
}

TEST(IpcFrame, RefusesAnOversizedFrameBeforeItsBodyArrives)
{
    FrameDecoder decoder;
    EXPECT_FALSE(decoder.feed(frameBytes(quint32(MaxFrameBytes + 1), QByteArray())));
    EXPECT_TRUE(decoder.failed());
    EXPECT_FALSE(decoder.feed(encodeFrame(Frame{}))); // the stream stays dead

    EXPECT_TRUE(decodesGarbled(frameBytes(0, QByteArray())));
    EXPECT_TRUE(decodesGarbled(frameBytes(5, QByteArray(5, '\1'))));

    // The largest text that fits is sent; one byte more is not encoded at all.
    const QString largest(MaxFrameBytes - FrameHeaderBytes, u'a');
    const QByteArray bytes = encodeFrame(Frame{Kind::Execute, 1, Status::Accepted, largest});
    FrameDecoder big;
    ASSERT_TRUE(big.feed(bytes));
    EXPECT_EQ(big.next()->text.size(), largest.size());
    EXPECT_TRUE(encodeFrame(Frame{Kind::Execute, 1, Status::Accepted, largest + u'a'}).isEmpty());
}

TEST(IpcFrame, RefusesGarbledBodies)
{
    EXPECT_FALSE(decodesGarbled(rawFrame(1, 0, "ok")));
    EXPECT_TRUE(decodesGarbled(rawFrame(0, 0, "kind")));
    EXPECT_TRUE(decodesGarbled(rawFrame(4, 0, "kind")));
    EXPECT_TRUE(decodesGarbled(rawFrame(1, 1, "status on an execute")));
    EXPECT_TRUE(decodesGarbled(rawFrame(2, 2, "status on a request")));
    EXPECT_TRUE(decodesGarbled(rawFrame(3, 3, "unknown reply status")));
    EXPECT_TRUE(decodesGarbled(rawFrame(1, 0, "\xC3\x28")));     // broken sequence
    EXPECT_TRUE(decodesGarbled(rawFrame(1, 0, "\xC0\xAF")));     // overlong "/"
    EXPECT_TRUE(decodesGarbled(rawFrame(1, 0, "\xED\xA0\x80"))); // encoded surrogate
    EXPECT_TRUE(decodesGarbled(rawFrame(1, 0, "cut \xE2\x82")));
}
