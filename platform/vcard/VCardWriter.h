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

    explicit operator bool() const { return error == Error::None; }
};

// Writes cards as RFC 2426 (vCard 3.0) text: UTF-8, CR LF line ends, lines folded at 75
// octets without splitting a UTF-8 sequence, VERSION as the first property. Values are
// written as they are held (already escaped); a line break that reached a value anyway
// is written escaped, so no value can end a content line.
class Writer
{
public:
    static QByteArray write(const Card& card);
    static QByteArray write(const QList<Card>& cards);

    // Writes `data` to a temporary file beside `fileName` and renames it over the
    // target, so a failed save leaves the previous file whole; a work file is not flushed
    // to the disk. A target that exists without write permission is refused.
    static SaveResult saveFile(const QString& fileName, const QByteArray& data,
                               files::Durability durability = files::Durability::Durable);

    static constexpr int MaxLineOctets = 75;
};

} // namespace vcard
