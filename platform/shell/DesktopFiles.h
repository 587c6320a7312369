#pragma once

#include "platform/files/AtomicFile.h"
#include "platform/shell/DesktopEntry.h"

#include <QIcon>
#include <QString>

// The files by which a freedesktop.org desktop (its menus, its file manager) knows a program
// and the file types it opens: shared-mime-info packages, desktop entries, theme icons and
// the default application of a type. Every file is replaced atomically; a failed write is
// returned, never hidden.
namespace shell {

// A file type as shared-mime-info describes it.
struct MimeType
{
    QString name;       // "application/x-..."
    QString comment;    // shown by file managers
    QString subClassOf; // a broader type it belongs to; empty for none
    QString icon;       // icon name of the theme
    QString glob;       // "*.ext"
    // Known by its contents as well: a file beginning with `firstLine`, followed within the
    // first `markerRange` bytes by `marker`. Checked before the name, so that a renamed file
    // is still known.
    QByteArray firstLine;
    QByteArray marker;
    int markerRange = 0;
};

// $XDG_DATA_HOME and $XDG_CONFIG_HOME, or their defaults.
QString userDataFolder();
QString userConfigFolder();

// <dataFolder>/mime/packages/<package>.xml
files::WriteResult writeMimePackage(const QString& dataFolder, const QString& package, const MimeType& type);
// <dataFolder>/applications/<id>.desktop
files::WriteResult writeDesktopEntry(const QString& dataFolder, const DesktopEntry& entry);
// <dataFolder>/icons/hicolor/<n>x<n>/apps/<name>.png for every size the icon has.
files::WriteResult writeThemeIcon(const QString& dataFolder, const QString& name, const QIcon& icon);
// Makes `desktopId` the default application of `mimeType` in <configFolder>/mimeapps.list,
// keeping every other line of that file.
files::WriteResult setDefaultApplication(const QString& configFolder, const QString& mimeType,
                                         const QString& desktopId);

// Removes an entry and its icons; true when nothing of them is left.
bool removeDesktopEntry(const QString& dataFolder, const QString& id);
bool removeThemeIcon(const QString& dataFolder, const QString& name);

// Rebuild the caches from the files above with update-mime-database and
// update-desktop-database. A tool that is not installed is no failure (the desktop then reads
// the files themselves); one that fails or does not end in time is, with `error` saying why.
bool refreshMimeDatabase(const QString& dataFolder, QString* error = nullptr);
bool refreshDesktopDatabase(const QString& dataFolder, QString* error = nullptr);

} // namespace shell
