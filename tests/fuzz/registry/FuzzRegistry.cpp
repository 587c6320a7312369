// Reads arbitrary bytes as a registry hive file: the settings document of keys and the
// typed values in it. A value that reads must write back to the same type and bytes.
#include "platform/registry/RegistryValue.h"
#include "platform/settings/SettingsDocument.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto parsed =
        settings::SettingsDocument::parse(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!parsed.ok)
        return 0;
    for (const auto& key : parsed.document.sections()) {
        for (const auto& entry : key.entries) {
            const auto value = registry::RegistryValue::fromText(entry.value);
            if (!value)
                continue;
            const auto again = registry::RegistryValue::fromText(value->toText());
            if (!again || !(*again == *value))
                std::abort();
        }
    }
    return 0;
}
