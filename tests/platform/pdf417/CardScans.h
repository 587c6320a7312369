#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

#include <cstdint>

// Pictures of printed cards as scanners deliver them, made from symbol bitmaps: the symbol
// printed at 1/120 inch per bitmap pixel in the middle of a white 3.5 x 2 inch card between
// lines of words, the card scanned at a given resolution, turned, blurred and grained. Used by
// the tests and the benchmarks of the symbol library and of the programs that read cards.
// Needs a QGuiApplication (for the font).
namespace cardscans {

struct Scan
{
    int dpi = 300;
    double angle = 0; // degrees, clockwise
    double blur = 0;  // Gaussian sigma in scan pixels; 0 = none
    double noise = 0; // standard deviation of the grain, in grey levels
    std::uint32_t seed = 1;
    bool smooth = true; // false: the symbol's pixels land on whole scan pixels with hard edges,
                        // as in a clean digital render rather than a scan
    bool words = true;  // six lines of words around the symbol, as printed cards carry
};

// One card on the scanner bed (a light grey margin of a tenth of an inch around the turned card).
QImage scanCard(const QImage& symbol, const Scan& scan);

// A US Letter page holding up to ten cards in two columns of five, filled row by row (left
// card, then right card), the way a sheet of business cards is printed.
QImage scanPage(const QList<QImage>& symbols, const Scan& scan);

// A US Letter page of up to 40 symbols without cards, in four columns of ten cells of 2 by 1
// inches from 0.25 inch off the left and 0.5 inch off the top, filled row by row; each symbol
// printed as on a card, centred in its cell.
QImage scanSheet(const QList<QImage>& symbols, const Scan& scan);

// A symbol as other software prints it: made by zint at error-correction `level` (0 to 8, two
// to 512 correction codewords) with `columns` data columns, one pixel per module, rows three
// modules high and a quiet zone of two modules. A null image when zint refuses the data.
QImage zintSymbol(const QByteArray& data, int level, int columns);

// A Code 128 barcode of `data` made by zint, one pixel per module and 40 modules high: bars, but
// no PDF417 symbol.
QImage linearBarcode(const QByteArray& data);

// A picture taken with a phone held over the card: the card leans out of the picture's plane
// (keystone), lies turned on a dark table, is lit unevenly, and the picture is a little out of
// focus and grained (the test saves it as a JPEG of its own chosen quality).
struct Photo
{
    double tilt = 0;    // degrees the card's top leans away from the camera (negative: towards)
    double swing = 0;   // degrees the card's right side leans away from the camera
    double turn = 0;    // degrees the card lies turned in the picture, clockwise
    int dpi = 400;      // pixels per inch of the card where it faces the camera squarely
    double shade = 0.4; // how much darker the dimmest part of the picture is, as a fraction
    double blur = 0.7;
    double noise = 3;
    std::uint32_t seed = 1;
};

QImage photographCard(const QImage& symbol, const Photo& photo);

// A US Letter page of up to ten cards (see scanPage) photographed as above.
QImage photographPage(const QList<QImage>& symbols, const Photo& photo);

// A full impression as the programs write it for a symbol: every name and business field
// filled with typical values and the six lines of words. `variant` changes the name and
// numbers so that cards made from different variants differ.
QByteArray fullImpression(int variant = 0);

} // namespace cardscans
