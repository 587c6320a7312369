#pragma once

#include "platform/shell/DesktopEntry.h"
#include "platform/shell/DesktopFiles.h"

#include <QIcon>
#include <QString>

// How the family programs and the impression files appear on a freedesktop.org desktop: the
// programs' entries in the menus, their icons, and the file type of impression files, which
// a double click in the file manager opens in Quorvane.
namespace desktopEntries {

// The type of impression files.
inline constexpr char ImpressionMimeType[] = "application/x-corvel-impression";
shell::MimeType impressionType();

// The executables of the family, by their file names: "quorvane", "brindlemark", "zephlorin".
QStringList programs();

// The menu entry of a family program whose executable is `strExecutable`; `strProgram` is its
// file name as in programs(). The entry of a program that opens impression files takes the
// file on its command line and names their type.
shell::DesktopEntry programEntry(const QString& strProgram, const QString& strExecutable);
// Its icon; null for a name outside the family.
QIcon programIcon(const QString& strProgram);

// Writes a program's entry and icon into `strDataFolder`; false (with a warning) on a failed write.
bool installProgram(const QString& strDataFolder, const QString& strProgram, const QString& strExecutable);
bool uninstallProgram(const QString& strDataFolder, const QString& strProgram);

// For this user: the impression file type (by name and by contents), the entry of the program
// `strProgram` (executable `strExecutable`) opening it, its icon, and that entry as the type's
// default application; then the desktop's caches are rebuilt. False when anything could not be
// written or a cache could not be rebuilt; each failure is also warned about on standard error.
bool associateImpressionFiles(const QString& strProgram, const QString& strExecutable);

} // namespace desktopEntries
