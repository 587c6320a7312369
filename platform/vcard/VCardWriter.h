#pragma once

#include "platform/files/AtomicFile.h"
#include "platform/vcard/VCardCard.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace vcard {

// What saving a file gave.
struct SaveResult
{
    enum class Error
    {
        None,
        ReadOnly,    // the target exists and may not be written
        CannotWrite, // the folder is missing or not writable, the disk is full, ...
    };

    Error error = Error::None;
    QString reason; // why, for messages; empty on success

    explicit operator bool() const { return error == Error::None; }
};

// Writes cards as vCard text. A card made here is written as RFC 2426 (vCard 3.0): UTF-8,
// CR LF line ends, VERSION as the first property, lines folded at 75 octets without
// splitting a UTF-8 sequence. A card read from a file is written back as it stood there:
// every unchanged property as its bytes, in its place, and each new or changed one in the
// syntax of the card's own VERSION (2.1: bare types, quoted-printable UTF-8 for text beyond
// ASCII or with line breaks; 3.0 and 4.0 as above) with the file's line end. Values are
// written as they are held (already escaped); a line break that reached a value anyway is
// written escaped, so no value can end a content line.
class Writer
{
public:
    static QByteArray write(const Card& card);
    static QByteArray write(const QList<Card>& cards);

    // Writes `data` to a temporary file beside `fileName` and renames it over the target,
    // so a failed save leaves the previous file whole; a work file is not flushed to the
    // disk. A target that exists without write permission is refused.
    static SaveResult saveFile(const QString& fileName, const QByteArray& data,
                               files::Durability durability = files::Durability::Durable);

    static constexpr int MaxLineOctets = 75;
};

} // namespace vcard
