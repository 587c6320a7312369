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
// blur. The hard reads therefore look for the groups of bars in the image (along rows and
// columns alike, for cards fed either way round), and for each one measure its skew and module
// width, turn it upright and resample it to a few whole pixels per module before zxing-cpp sees
// it. What each such view shows of the symbol's start and stop patterns orders the further
// tries: the skew the patterns still lean by, then neighbouring skews, and a sweep of skews
// only while the patterns lean further than those reach.
//
// On a symbol with few correction codewords (error-correction levels 0 to 2) zxing-cpp now and
// then takes a misreading for a good one. A reading of such a symbol is believed only when a
// second, different view of the image (another resampling, the image as it is, or the image
// turned half round) gives the same bytes.
class SymbolDecoder
{
public:
    struct Symbol
    {
        QByteArray bytes; // empty when the symbol was found but could not be read
        QRectF bounds;    // where it lies, in the image's coordinates
        bool decoded = false;
    };

    // One plain pass over the image as it is, as zxing-cpp reads it on its own (every
    // orientation, its harder search). A symbol below error-correction level 3 that it reads is
    // returned once one more view, the image turned half round, gives the same bytes.
    static std::optional<QByteArray> readEasy(const QImage& grey);

    // The plain pass as Easy makes it, then the views of each group of bars, largest first,
    // until a reading is believed. The plain pass comes after them instead when it is known to
    // cost much on the image (it stands some degrees off square and is not small), and not at
    // all on a page or when too little time is left for it: no new view starts once the search
    // has taken a quarter of a second of processor time on a card (somewhat more on a page).
    static std::optional<QByteArray> readHard(const QImage& grey);

    // Every symbol found, read or not, in reading order: top to bottom, then left to right
    // within a row. A symbol reported twice at the same place counts once; symbols with equal
    // contents at different places are all kept. Each group of bars is read on its own (cards
    // on a sheet lie at angles of their own); the plain pass of the whole page, the costliest
    // view of all, only when there is no such group. A symbol whose reading no second view
    // confirmed counts as found but not read.
    static QList<Symbol> readAll(const QImage& grey);
};

} // namespace pdf417
