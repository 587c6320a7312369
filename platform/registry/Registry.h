#pragma once

#include "platform/registry/RegistryValue.h"

#include <QString>
#include <QStringList>

// The registry of the family programs: the roots HKEY_CLASSES_ROOT, HKEY_CURRENT_USER and
// HKEY_LOCAL_MACHINE, each a hive file "<config>/corvel/registry/<ROOT>.reg" of the user,
// over read-only hive files of an installation in $XDG_CONFIG_DIRS
// ("<dir>/corvel/registry/<ROOT>.reg"). The calls follow the registry's own: a key is
// opened with an access mask and addressed by a handle until it is closed; every call
// answers a status code. Opening for reading never needs the right to write; opening
// with write access needs a writable user hive.
namespace registry {

enum class Root : quint32
{
    ClassesRoot = 0x80000000u,
    CurrentUser = 0x80000001u,
    LocalMachine = 0x80000002u,
};

// Access masks.
constexpr quint32 KeyQueryValue = 0x0001;
constexpr quint32 KeySetValue = 0x0002;
constexpr quint32 KeyCreateSubKey = 0x0004;
constexpr quint32 KeyRead = 0x20019;
constexpr quint32 KeyWrite = 0x20006;
constexpr quint32 KeyAllAccess = 0x2003F;

// Status codes.
constexpr long Success = 0;
constexpr long FileNotFound = 2;
constexpr long AccessDenied = 5;
constexpr long InvalidHandle = 6;
constexpr long MoreData = 234;
constexpr long IoFailed = 1016;

using Handle = qint32;

// Opens root\subKey. On Success `handle` is set.
long openKey(Root root, const QString& subKey, quint32 access, Handle& handle);
// Opens root\subKey, creating it first when it does not exist.
long createKey(Root root, const QString& subKey, quint32 access, Handle& handle);
long closeKey(Handle handle);

// Reads a value. When its data are longer than `bufferSize` bytes the answer is MoreData
// (with `type` set and `data` empty), as for a caller's buffer that is too small.
long queryValue(Handle handle, const QString& name, quint32& type, QByteArray& data, qsizetype bufferSize);
// Writes a value; the key must have been opened with KeySetValue.
long setValue(Handle handle, const QString& name, quint32 type, const QByteArray& data);

// "HKEY_LOCAL_MACHINE" and so on.
QString rootName(Root root);
// The user's hive file of a root, and the installation's hive files below it.
QString userHivePath(Root root);
QStringList systemHivePaths(Root root);
// Keeps the user's hives in `folder` instead (an installer writes the system hives so);
// an empty folder restores the default.
void setUserHiveFolder(const QString& folder);

} // namespace registry
