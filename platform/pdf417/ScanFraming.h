#pragma once

#include <QByteArray>

#include <optional>

namespace pdf417 {

// The framing a serial PDF417 hand scanner puts around the symbol's data: an optional STX, an
// optional AIM symbology identifier ("]L0" for PDF417: "]", a letter, a modifier), and trailing
// CR, LF, ETX or NUL bytes.
class ScanFraming
{
public:
    // The vCard carried by `raw` with the framing removed, or nothing when the bytes hold no
    // vCard (they must run from "BEGIN:VCARD" to an "END:VCARD" line, in any letter case, an
    // optional UTF-8 byte order mark first). The trailing line breaks cannot be told apart
    // from the scanner's, so they are all removed and the vCard's own line break (the one
    // after its BEGIN line) is put back after END:VCARD.
    static std::optional<QByteArray> vCardOf(const QByteArray& raw);
};

} // namespace pdf417
