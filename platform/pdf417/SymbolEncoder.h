#pragma once

#include <QByteArray>
#include <QImage>

namespace pdf417 {

// Encodes bytes into one PDF417 symbol sized for a printed card: one bitmap pixel per module,
// every row three pixels high, a quiet zone of two modules all round, and the whole bitmap
// within the card's symbol band. The card picture prints one bitmap pixel as 12 twips
// (1/120 inch) into a band of 4680 x 1656 twips, so the band holds 390 x 138 pixels.
class SymbolEncoder
{
public:
    static constexpr int MaxWidth = 390;
    static constexpr int MaxHeight = 138;
    static constexpr int RowHeight = 3;
    static constexpr int QuietZone = 2;
    // Reed-Solomon level 5 (64 error-correction codewords): the level the standard recommends
    // for the 321 to 863 data codewords of a full card, leaving room for about 1100 bytes of
    // vCard text within the band.
    static constexpr int ErrorCorrectionLevel = 5;

    struct Result
    {
        QImage image; // Format_Mono, black modules on white
        int columns = 0;
        int rows = 0;
        QString error; // why nothing was made
        explicit operator bool() const { return !image.isNull(); }
    };

    // The symbol for `data`, byte for byte, or an error when the data do not fit the band at
    // the error-correction level above. Among the column counts that fit, the one that keeps
    // the symbol smallest relative to the band is chosen.
    static Result encode(const QByteArray& data);

    // The largest column and row counts the band allows.
    static int maxColumns();
    static int maxRows();
};

} // namespace pdf417
