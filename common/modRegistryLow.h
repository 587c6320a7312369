#pragma once

#include "platform/registry/Registry.h"

#include <QString>
#include <QVariant>

// Thin wrappers over the registry calls, as the programs use them. Handles are -1 when
// an open fails. Reading opens keys with read access only, so it works wherever the
// user may read; writing opens them with full access.
namespace modRegistryLow {

using registry::Root;

constexpr long KeyAllAccess = registry::KeyAllAccess;
constexpr long KeyRead = registry::KeyRead;

// The handle of root\subKey opened with `access`, or -1. `options` is reserved (0).
long openKey(Root root, const QString& subKey, long options, long access);
// Creates root\subKey (non-volatile, full access) and closes it again.
void createKey(const QString& subKey, Root root);
void closeKey(long handle);

// Writes a value and returns the registry's status: type 1 (REG_SZ) writes the text and
// one NUL, type 4 (REG_DWORD) the number as four bytes; other types write nothing and
// return 0.
long setValueEx(long handle, const QString& valueName, long type, const QVariant& value);

// Writes a REG_SZ, creating the key when needed; true when the value was written.
bool setStringValue(Root root, const QString& subKey, const QString& valueName, const QString& value);
// Reads a REG_SZ, or the decimal text of a REG_DWORD, into `text`; a value of another type
// leaves `text` as it is. False, with `text` emptied, when the value cannot be read.
bool getValueText(Root root, const QString& subKey, const QString& valueName, QString& text);
// A REG_SZ (or the decimal text of a REG_DWORD), or `defaultValue` when it cannot be read;
// an empty text for a value of another type.
QString getStringValue(Root root, const QString& subKey, const QString& valueName, const QString& defaultValue);

// A REG_DWORD below HKEY_CURRENT_USER; the key is never created. True when written.
bool setDWordValueHKCU(const QString& subKey, const QString& valueName, qint32 value);
qint32 getDWordValueHKCU(const QString& subKey, const QString& valueName, qint32 defaultValue);

} // namespace modRegistryLow
