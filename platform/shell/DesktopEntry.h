#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace shell {

// A desktop entry of an application ("<id>.desktop"), by which the desktop's menus list a
// program and its file manager opens files with it.
class DesktopEntry
{
public:
    QString id;             // the file name without ".desktop", e.g. "quorvane"
    QString name;           // "Quorvane"
    QString genericName;    // what kind of program it is
    QString comment;        // its tooltip
    QString program;        // absolute path of the executable
    bool takesFile = false; // the program opens a file named on its command line ("%f")
    QString icon;           // an icon name of the theme
    QStringList categories;
    QStringList mimeTypes;

    QString fileName() const { return id + QStringLiteral(".desktop"); }
    // The command line: the program quoted where it must be, then "%f" when it takes a file.
    QString exec() const;
    // The entry as the file holds it (UTF-8).
    QByteArray text() const;
};

} // namespace shell
