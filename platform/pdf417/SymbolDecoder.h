#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRectF>

#include <optional>

namespace pdf417 {

// Reads PDF417 symbols from greyscale (Format_Grayscale8) images with zxing-cpp.
//
// zxing-cpp reads a clean, upright symbol at once, but a scanned card is never straight: it
// fails beyond about a degree of skew on symbols with three-module rows, and it loses narrow
// bars and slows down a lot when a module spans a fractional number of pixels under scanner
// blur. The hard reads therefore look for the groups of bars in the image, and for each one
// measure its skew and module width, turn it upright and resample it to a few whole pixels per
// module before zxing-cpp sees it, trying neighbouring angles, thresholds and (for a single
// symbol) a sweep of angles when the measured one does not read.
class SymbolDecoder
{
public:
    struct Symbol
    {
        QByteArray bytes; // empty when the symbol was found but could not be read
        QRectF bounds;    // where it lies, in the image's coordinates
        bool decoded = false;
    };

    // One plain pass over the image as it is.
    static std::optional<QByteArray> readEasy(const QImage& grey);

    // Deskewed and resampled attempts on each group of bars, largest first, until one reads;
    // the plain pass last.
    static std::optional<QByteArray> readHard(const QImage& grey);

    // Every symbol found, read or not, in reading order: top to bottom, then left to right
    // within a row. A symbol reported twice at the same place counts once; symbols with equal
    // contents at different places are all kept. Each group of bars is read on its own (cards
    // on a sheet lie at angles of their own); the plain pass only when there is no such group.
    static QList<Symbol> readAll(const QImage& grey);
};

} // namespace pdf417
