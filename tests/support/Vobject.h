#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace testing_support {

// A vCard file as Debian's python3-vobject reads it, so that a file we write is checked
// by a parser we did not write: version, uid, n (family, given, additional, prefix,
// suffix), fn, nickname, org (its parts), title, email, url, note, and the lists adr
// (types sorted in upper case, box, extended, street, city, region, code, country) and
// tel (types, value). Absent properties are null. The test fails when the file does not
// read. `lenient` reads bytes that are not UTF-8 as replacement characters and passes over
// lines vobject cannot parse (for files that other programs wrote so).
QJsonObject readWithVobject(const QString& fileName, bool lenient = false);

// The entry of an adr or tel list whose sorted types are `types`; a test failure when
// there is none.
QJsonObject entryWithTypes(const QJsonArray& entries, const QStringList& types);

} // namespace testing_support
