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
// fails beyond about a degree of skew on symbols with three-module rows, and it loses the
// narrow bars when a module spans a fractional number of pixels under scanner blur. The hard
// read therefore measures the skew from the image's edges, turns the image upright, doubles
// its resolution and splits ink from paper at a threshold of its own before zxing-cpp sees it,
// trying neighbouring angles and a sweep of angles when the measured one does not read.
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

    // The plain pass, then deskewed and resampled attempts until one reads.
    static std::optional<QByteArray> readHard(const QImage& grey);

    // Every symbol found, read or not, in reading order: top to bottom, then left to right
    // within a row. A symbol reported twice at the same place counts once; symbols with equal
    // contents at different places are all kept.
    static QList<Symbol> readAll(const QImage& grey);
};

} // namespace pdf417
