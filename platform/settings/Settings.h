#pragma once

#include <QList>
#include <QString>

#include <utility>

// The per-user settings store: (application, section, key) -> text.
//
// Each application (program title) has one file, "<config>/corvel/<application>.conf",
// where <config> is $XDG_CONFIG_HOME (~/.config when unset). Section and key names match
// without regard to case, may hold any character ("HP/Office\2", "OffsetX  1"), and keep
// the order in which they were first written; values are kept character for character
// (" 2" keeps its blank). Another process's changes are seen at the next call.
namespace settings {

// The folder of the family's own configuration files.
QString configFolder();
// The file that holds the settings of `app`.
QString settingsFilePath(const QString& app);

// The stored value, or `defaultValue` when there is none (or the file is damaged).
QString getSetting(const QString& app, const QString& section, const QString& key,
                   const QString& defaultValue = QString());

// Stores a value. False when it could not be written (a warning says why).
bool saveSetting(const QString& app, const QString& section, const QString& key, const QString& value);

// Stores several values of one section in a single write: all or none.
bool saveSettings(const QString& app, const QString& section, const QList<std::pair<QString, QString>>& values);

// Why the last write of `app`'s settings failed, naming the file ("<file>: it is read-only");
// empty when it succeeded.
QString lastWriteError(const QString& app);

// Removes one key, or a whole section. False when nothing was removed or the file
// could not be written.
bool deleteSetting(const QString& app, const QString& section, const QString& key);
bool deleteSetting(const QString& app, const QString& section);

// All keys and values of a section, in stored order; empty when there is none.
QList<std::pair<QString, QString>> getAllSettings(const QString& app, const QString& section);

} // namespace settings
