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

    // The blocks where ink and paper (split at `threshold`) alternate at least twice per pixel
    // row on average, as bars do and blank paper, card edges and grain do not. The module width
    // is the mean run length over the densest three quarters of those blocks divided by 17/8,
    // since every PDF417 codeword spans 17 modules in 8 bars and spaces.
    // Runs are counted along image rows, or along columns for a symbol lying on its side.
    static BarArea barArea(const QImage& grey, int threshold, bool alongColumns = false);

    // The bounding rectangles of the groups of touching bar blocks at least two blocks wide
    // and high (a symbol each, or a block of text), the group with the most blocks first.
    static QList<QRect> barClusters(const BarArea& area);

    // A new image of `size` whose pixel (x, y) shows the source at toSource(x, y), sampled
    // bilinearly (white outside the source), with the grey levels moved so that `threshold`
    // lands on 127, the level a fixed-threshold binariser splits at.
    static QImage resampled(const QImage& grey, const QTransform& toSource, QSize size, int threshold);
};

} // namespace pdf417
