#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace registry {

// Value types.
constexpr quint32 RegSz = 1;
constexpr quint32 RegDword = 4;

// A typed registry value: the type and the data bytes exactly as they were set
// (a REG_SZ may or may not end with its NUL; a REG_DWORD is four bytes, low byte first).
struct RegistryValue
{
    quint32 type = RegSz;
    QByteArray data;

    bool operator==(const RegistryValue&) const = default;

    // The text a hive file keeps the value as:
    //   sz:<text>             REG_SZ whose data is UTF-8 (a NUL shows as \x00 in the file)
    //   dword:<8 hex digits>  REG_DWORD of four bytes, as a number
    //   hex(<type>):<aa,bb>   anything else, byte by byte
    QString toText() const;
    static std::optional<RegistryValue> fromText(const QString& text);
};

} // namespace registry
