// Feeds arbitrary bytes to the vCard reader. Beyond not crashing, it checks properties
// that real faults break:
//   - cards read and written unchanged give back the very bytes they were read from;
//   - what the writer makes of a parsed card parses back to the same card;
//   - every index value read from a card is stored and read back exactly.
#include "platform/vcard/IndexedCard.h"
#include "platform/vcard/VCardReader.h"
#include "platform/vcard/VCardWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_vcard: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QList<vcard::Card> cards = vcard::Reader::parse(input);

    const QByteArray written = vcard::Writer::write(cards);
    check(cards.isEmpty() || written == input, "a card written back unchanged lost or changed bytes");
    const QList<vcard::Card> again = vcard::Reader::parse(written);
    check(again.size() == cards.size(), "a written card did not read back");
    check(vcard::Writer::write(again) == written, "writing a card read back changed it");

    vcard::IndexedCard source;
    if (!source.loadData(input))
        return 0;
    vcard::IndexedCard copy;
    for (int index = 0; index < vcard::IndexedCard::IndexCount; ++index) {
        const QString value = source.value(index);
        if (!value.isEmpty())
            copy.setValue(index, value);
        (void)source.v0Value(index);
    }
    vcard::IndexedCard reread;
    check(reread.loadData(copy.toData()), "an indexed card did not read back");
    for (int index = 0; index < vcard::IndexedCard::IndexCount; ++index)
        check(reread.value(index) == source.value(index), "an index value changed on its way through a file");
    return 0;
}
