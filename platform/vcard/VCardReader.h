#pragma once

#include "platform/vcard/VCardCard.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace vcard {

// What reading a file gave: the complete cards it holds, or why there are none.
struct ReadResult
{
    enum class Error
    {
        None,
        CannotOpen, // missing, unreadable or a folder
        TooLarge,   // larger than any card this system reads
        NoCard,     // no complete BEGIN:VCARD ... END:VCARD
    };

    QList<Card> cards;
    Error error = Error::None;

    explicit operator bool() const { return error == Error::None; }
};

// Reads vCard text of versions 2.1 and 3.0, leniently: UTF-8 or Windows-1252 (chosen by
// whether the bytes are valid UTF-8), CR LF, LF or CR line ends, folded lines, groups,
// bare 2.1 parameters (";WORK;VOICE" reads as TYPE=WORK,TYPE=VOICE), quoted-printable
// values with their soft line breaks and CHARSET. Quoted-printable values are decoded and
// their line breaks escaped, so every value is in 3.0 form. Lines that are not content
// lines, and everything outside BEGIN:VCARD ... END:VCARD, are skipped; cards nested in
// a card (2.1 AGENT) are skipped whole; a card without its END line is dropped.
class Reader
{
public:
    static constexpr qint64 MaxFileBytes = 8 * 1024 * 1024;

    static QList<Card> parse(const QByteArray& data);
    static ReadResult readFile(const QString& fileName);
};

} // namespace vcard
