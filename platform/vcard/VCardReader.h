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

// Reads vCard text of versions 2.1, 3.0 and 4.0, leniently, and keeps every byte of a card
// so that it can be written back unchanged (see Property::source and CardLayout):
//   - each line is UTF-8 when its bytes are valid UTF-8 and Windows-1252 otherwise, so a
//     stray byte spoils one value, not the file; a CHARSET parameter names the set of its
//     value;
//   - CR LF, LF or CR line ends, folded lines, groups;
//   - 2.1: bare parameters (";WORK;VOICE" reads as TYPE=WORK,TYPE=VOICE), quoted-printable
//     values with their soft line breaks, base64 values continued on lines without the
//     leading blank up to the blank line that ends them;
//   - 4.0: quoted type lists (TYPE="voice,cell" reads as the two types), telephone numbers
//     given as "tel:" addresses (read as the number).
// Values are brought into 3.0 form. Lines that are no content lines, and cards nested in a
// card (2.1 AGENT), are kept as verbatim properties; text outside BEGIN:VCARD ... END:VCARD
// is kept in the layout of the card next to it. A card without its END line is no card.
class Reader
{
public:
    static constexpr qint64 MaxFileBytes = 8 * 1024 * 1024;

    static QList<Card> parse(const QByteArray& data);
    static ReadResult readFile(const QString& fileName);
};

} // namespace vcard
