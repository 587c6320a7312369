#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QTransform>

namespace pdf417 {

// Measures and resamples greyscale (Format_Grayscale8) scans of printed symbols.
class ImageGeometry
{
public:
    // Where the bars are: square blocks of the image crossed by many ink edges, and the width
    // of one module (in pixels along the counted direction) estimated from them.
    struct BarArea
    {
        QList<QRect> blocks;
        double module = 0;
        bool isEmpty() const { return blocks.isEmpty(); }
    };

    // How the image's edges run, from their structure tensor.
    struct Orientation
    {
        // The angle in degrees, within (-90, 90], by which the dominant edges lean from the
        // upright (clockwise positive). The bars of a PDF417 symbol and the card's own edges
        // agree on it; text and noise hardly move it. Turning the image back by it stands the
        // bars upright (or upside down); near +-90 the symbol lies on its side.
        double skew = 0;
        // 0 when edges run every way alike, 1 when all run one way: about 0.4 to 0.6 for a
        // scanned symbol, 0.1 to 0.3 for printed text.
        double coherence = 0;
    };
    static Orientation orientation(const QImage& grey);

    // The grey level that best splits the image into ink and paper (Otsu's method).
    static int inkThreshold(const QImage& grey);

    // Which way ink changes are counted: along image rows (upright bars), along columns (bars
    // lying on their side), or both, a block counting in the way it changes more often (bars
    // either way, as on a sheet of cards fed in both ways round).
    enum class Runs
    {
        AlongRows,
        AlongColumns,
        Either,
    };

    // The blocks where ink and paper (split at `threshold`) alternate at least twice per pixel
    // line on average, as bars do and blank paper, card edges and grain do not. The module width
    // is the mean run length over the densest three quarters of those blocks divided by 17/8,
    // since every PDF417 codeword spans 17 modules in 8 bars and spaces.
    static BarArea barArea(const QImage& grey, int threshold, Runs runs);

    // The bounding rectangles of the groups of touching bar blocks at least two blocks wide
    // and high (a symbol each, or a block of text), the group with the most blocks first.
    static QList<QRect> barClusters(const BarArea& area);

    // The start and stop patterns of PDF417 symbols in a view turned upright: bars and spaces of
    // 8,1,1,1,1,1,1,3 and 7,1,1,3,1,1,1,2,1 modules, looked for in every pixel row against the
    // row's local mean grey (so that uneven light does not hide them). Both run down the whole
    // height of a symbol and stay recognisable when it is turned some degrees off upright, so a
    // view of a symbol shows them in many rows, and a view without them holds nothing zxing-cpp
    // could read.
    struct Guards
    {
        int rows = 0; // pixel rows crossing a start or stop pattern
        // How far the patterns' left edges move right per pixel row downwards (negative: left),
        // the median over both patterns; 0 when too few rows show them.
        double slope = 0;
    };
    // `module` is the view's module width in pixels.
    static Guards guards(const QImage& upright, double module);

    // A new image of `size` whose pixel (x, y) shows the source at toSource(x, y), sampled
    // bilinearly (white outside the source), with the grey levels moved so that `threshold`
    // lands on 127, the level a fixed-threshold binariser splits at.
    static QImage resampled(const QImage& grey, const QTransform& toSource, QSize size, int threshold);
};

} // namespace pdf417
