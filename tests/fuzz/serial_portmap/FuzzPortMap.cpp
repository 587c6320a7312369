// The per-user serial port map is a file the user edits by hand: any bytes must parse into
// port numbers in range and absolute device paths, or nothing.
#include "platform/serial/PortMap.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QMap<int, QString> map = serial::parsePortMap(QByteArrayView(data, static_cast<qsizetype>(size)));
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (it.key() < serial::FirstPort || it.key() > serial::LastPort)
            std::abort();
        if (!it.value().startsWith(u'/') || it.value().contains(u'\n'))
            std::abort();
    }
    return 0;
}
