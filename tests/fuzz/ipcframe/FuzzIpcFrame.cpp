// The frame decoder on arbitrary bytes, fed in chunks whose sizes the input chooses. Whatever
// it accepts must encode back to exactly the bytes it consumed.
#include "platform/ipc/IpcFrame.h"
#include "platform/ipc/IpcFrameDecoder.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the chunk size, so that frames split across reads are covered.
    const qsizetype chunk = data[0] % 17 + 1;
    const QByteArrayView input(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    ipc::FrameDecoder decoder;
    QByteArray reencoded;
    qsizetype fed = 0;
    for (qsizetype at = 0; at < input.size() && !decoder.failed(); at += chunk) {
        const QByteArrayView received = input.sliced(at, std::min(chunk, input.size() - at));
        decoder.feed(received);
        fed += received.size();
        while (std::optional<ipc::Frame> frame = decoder.next()) {
            const QByteArray bytes = ipc::encodeFrame(*frame);
            if (bytes.isEmpty())
                std::abort(); // an accepted frame always fits
            reencoded += bytes;
        }
    }
    if (!decoder.failed() && input.first(fed - decoder.bufferedBytes()) != QByteArrayView(reencoded))
        std::abort();
    return 0;
}
