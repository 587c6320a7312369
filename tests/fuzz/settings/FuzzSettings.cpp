// Reads arbitrary bytes as a settings file. What reads must write back to the same
// document, and every stored name must find its value.
#include "platform/settings/SettingsDocument.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using settings::SettingsDocument;
    const auto parsed = SettingsDocument::parse(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!parsed.ok)
        return 0;
    const SettingsDocument& doc = parsed.document;
    for (const auto& section : doc.sections())
        for (const auto& entry : section.entries)
            if (doc.value(section.name.toUpper(), entry.key.toLower()) != entry.value &&
                doc.value(section.name, entry.key) != entry.value)
                std::abort();
    const auto again = SettingsDocument::parse(doc.serialize({QStringLiteral("fuzz")}));
    if (!again.ok || !(again.document == doc))
        std::abort();
    return 0;
}
