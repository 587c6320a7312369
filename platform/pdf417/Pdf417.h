#pragma once

#include <QImage>
#include <QString>

#include <cstdint>

// The PDF417 symbol library the programs call: a card's vCard file into a symbol bitmap and
// back, every symbol of a scanned sheet, and the raw bytes of a serial hand scanner.
// Encoding is done by zint, decoding by zxing-cpp; bitmaps are read and written with Qt's
// image I/O (any BMP depth, top-down or bottom-up, PNG and JPEG too).
// Every output file is written to a temporary file beside it and renamed over the target,
// without a disk flush: the outputs are work files, made again for every card.
// Images are read, and their symbols decoded, in a helper program (see ReaderProcess), so that
// a file that trips an image decoder or the reader library cannot bring the program down.
namespace pdf417 {

// The result codes (0 = done). The multiple-symbol call returns them negated.
enum Code : int
{
    Done = 0,
    DoesNotFit = 1,  // the data do not fit one card symbol, or there are none
    CannotRead = 2,  // the input file is missing, unreadable, too large or not an image
    CannotWrite = 3, // the output file could not be written
    NoSymbol = 4,    // no readable symbol in the image
    NotAVCard = 5,   // the scanner's bytes carry no vCard
    BadArgument = 6, // a symbol kind other than the card symbol
};

// The symbol kind the programs ask for: a symbol that fits the card's symbol band when each
// bitmap pixel is printed as 12 twips (at most 390 x 138 pixels, one pixel per module, rows
// three pixels high, quiet zone included).
constexpr int CardSymbol = 6;

// Encodes the whole of `vCardFile`, byte for byte, into one PDF417 symbol written to
// `bitmapFile` as a 1-bit BMP. Returns Done, or DoesNotFit when the data need more room than
// the card symbol has at its error-correction level (the symbol is never widened past the
// band); nothing is written then.
int ConvertFileToSymbolBMP_V2(const QString& vCardFile, const QString& bitmapFile, int symbolKind);

// Decodes one symbol of the bitmap into `vCardFile`, byte for byte: one plain pass. A symbol
// with fewer than 16 correction codewords (error-correction level 0 to 2, as other software
// prints them) is left to the thorough call: one view of it cannot vouch for its bytes.
std::int16_t pdfDecodeBMPSymbolToFileEasy(const QString& bitmapFile, const QString& vCardFile);

// Decodes one symbol of the bitmap into `vCardFile` the thorough way a scanned card needs: the
// plain pass, then the skew measured and undone (quarter turns included), the bars resampled to
// whole pixels per module, the skews the symbol's start and stop patterns show and neighbouring
// ones, and binariser variants. A symbol below level 3 is decoded only when two different views
// of it give the same bytes: other bytes are never reported as its contents.
std::int16_t pdfDecodeBMPSymbolToFileHard(const QString& bitmapFile, const QString& vCardFile);

// Decodes symbol number `index` (from 1) of the bitmap into `vCardFile`. Symbols are taken in
// reading order (top to bottom, then left to right); a symbol zxing-cpp reports twice at one
// place counts once, while equal symbols at different places all count. Returns less than 1
// when there is no such symbol (0, or a negated code on an error), 1 when it was decoded and
// more follow, 2 when it was the last one. `count` receives the number of symbols identified
// (found, read or not) on the call for index 1 and 0 on later calls. Symbols below level 3 are
// read as the thorough call reads them. The page is decoded on
// the call for index 1 and kept for the later calls while the file stays unchanged.
std::int16_t pdfDecodeBMPSymbolToFileMultiple(const QString& bitmapFile, const QString& vCardFile, int index,
                                              std::int16_t& count);

// Writes the vCard carried by the raw bytes a serial hand scanner sent (`rawFile`) into
// `vCardFile`, without the scanner's framing. Returns NotAVCard when the bytes hold no vCard.
int decodeRawToFile(const QString& rawFile, const QString& vCardFile);

// The image in the file as greyscale (Format_Grayscale8), transparent parts white; a null
// image when the file is missing, not an image or too large. The helper's image reading.
QImage readGrey(const QString& path);

} // namespace pdf417
