#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text-level helpers of the vCard format: value escaping, splitting structured
// values, and turning the bytes of a file into text.
namespace vcard {

// RFC 2426 TEXT escaping: backslash, semicolon and comma get a backslash, and each
// line break (CR LF, LF or CR) becomes "\n".
QString escapeText(QStringView text);

// The reverse: "\n" and "\N" give LF; "\\", "\;", "\," and "\:" give the character.
// Any other backslash is kept as it stands, as lenient readers do.
QString unescapeText(QStringView raw);

// What the escape of one character stands for in vCard text, appended to `out`; false
// for an escape vCard does not define.
bool unescapeCharacter(QChar escaped, QString& out);

// Unescapes with `translate` telling what the escape of a character stands for; it
// returns false for an escape it does not know, which is then kept as it stands. A
// backslash at the very end stays too.
QString unescapeWith(QStringView raw, bool (*translate)(QChar escaped, QString& out));

// Each real line break (CR LF, LF or CR) written as "\n"; all else unchanged.
QString escapeLineBreaks(QStringView text);

// Splits an escaped value at each separator that has no backslash before it. The
// parts keep their escapes.
QStringList splitRaw(QStringView raw, QChar separator);
QString joinRaw(const QStringList& parts, QChar separator);

bool isValidUtf8(const QByteArray& bytes);

// Bytes as text in the named character set. Without a name, or with one this
// system does not know, bytes that are valid UTF-8 are UTF-8 and all others are
// Windows-1252.
QString decodeBytes(const QByteArray& bytes, const QString& charset = QString());

// Windows-1252 to text; the five unassigned bytes map to the control characters of
// the same number, as Windows does.
QString fromWindows1252(const QByteArray& bytes);

// Quoted-printable to bytes: "=XX" is a byte, anything else stands for itself
// (characters beyond ASCII as their UTF-8 bytes). Soft line breaks are joined by
// the reader before this is called.
QByteArray decodeQuotedPrintable(QStringView text);

} // namespace vcard
