#pragma once

#include <QString>

#include <array>
#include <cstdint>

class CImpressionDoc;

namespace print {
class Target;
}

// Draws an impression as a card picture: the PDF417 symbol in the middle, three lines of The
// Corvel Words above it and three below, laid out as the printer prints them. The same drawing
// serves the Printer object and the picture boxes of the previews.
namespace modPrinterRoutines {

// The card box: the word bands are 4680 twips wide and 432 twips high whatever the box is,
// and the symbol is centred in a band 1656 twips high in the middle of the box.
constexpr int WordBandWidth = 4680;
constexpr int WordBandHeight = 432;
constexpr int SymbolBandHeight = 1656;

// The picture drawn in place of the symbol when no printer can be used.
inline const QString NoPrinterPicture = QStringLiteral("No-Printer.bmp");

// Draws `doc` as a card whose box has its top-left corner at (x, y) twips on `target` and the
// given size. `isPreview`: the target is a picture box showing the card at `zoom`; otherwise
// it is the Printer object. `encodeWords`: The Corvel Words go into the symbol. `quiet`: no
// capacity message when the symbol cannot be encoded. True when the impression's own symbol
// was drawn; False when a substitute picture was drawn (the edition's badge for a symbol the
// encoder refused, the no-printer picture) or an error was reported. Never raises.
bool drawImpressionCard(print::Target& target, const CImpressionDoc& doc, int x, int y, int width, int height,
                        bool isPreview, float zoom, bool encodeWords, bool quiet);

// Prints `text` on a preview target from its current position, each character advanced by
// its width on the printer, so that the preview spaces a line as the printer will. Raises
// what the target or the printer raise.
void printWithPrinterWidths(print::Target& target, const QString& text);

// The width in twips of each character code 0..255 in the impression's font on the printer,
// as measured by the last drawImpressionCard.
const std::array<std::int16_t, 256>& printerCharWidths();

} // namespace modPrinterRoutines
