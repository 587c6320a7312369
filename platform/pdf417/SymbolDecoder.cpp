#include "platform/pdf417/SymbolDecoder.h"

#include "platform/pdf417/ImageGeometry.h"

#include <ZXing/ReadBarcode.h>

#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pdf417 {

namespace {

using ZXing::Binarizer;
using Symbols = QList<SymbolDecoder::Symbol>;
using Enough = bool (*)(const Symbols&);

// Skews near the measured one that are tried as well (the measure can be a fraction of a
// degree off on a dense symbol), and the sweep when the measure misleads: every 2 degrees
// from -20 to 20, each read covering about a degree either way.
constexpr double NearSkews[] = {0, -0.75, 0.75, -1.5, 1.5};
constexpr double SweepLimit = 20;
constexpr double SweepStep = 2;

// zxing-cpp reads bars quickly when a module spans a whole number of pixels and otherwise
// falls back to a slow nearest-codeword search, and it loses one-module bars below about
// three pixels. The upright image is resampled to four along the rows (three when that does
// not read). Down the columns every pixel row is read again, so fewer are faster: three pixels
// per three-module row first, more (which keep blurred rows apart) when that does not read.
// zxing-cpp's local threshold reads blurred scans best; ours (the middle between the ink's and
// the paper's grey) catches some of the rest.
struct Look
{
    double moduleWidth;  // pixels per module along the rows, at least
    double moduleHeight; // pixels per module down the columns, at most
    Binarizer binarizer;
};
constexpr Look Looks[] = {
    {4, 1.0, Binarizer::LocalAverage},
    {4, 1.0, Binarizer::FixedThreshold},
    {3, 1.5, Binarizer::LocalAverage},
};
constexpr double MaxEnlargement = 4;

// Groups of bars whose edges run every way (text, pictures) are not read as symbols.
constexpr double MinCoherence = 0.25;

// Groups of bars tried at most, the largest first: a sheet holds ten cards.
constexpr qsizetype MaxClusters = 40;

// Room kept around a group of bar blocks: a block only partly on the symbol may have been left
// out of the group, and the symbol needs its quiet zone.
constexpr int ClusterMargin = 48;

// Reads `grey`; positions come back mapped by `toImage`. An upright image needs no quarter turns.
Symbols read(const QImage& grey, Binarizer binarizer, bool several, const QTransform& toImage, bool upright)
{
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                int(grey.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::PDF417);
    hints.setBinarizer(binarizer);
    hints.setTryDownscale(false);
    hints.setTryRotate(!upright);
    hints.setReturnErrors(several);
    hints.setMaxNumberOfSymbols(several ? 255 : 1);
    Symbols symbols;
    for (const ZXing::Result& result : ZXing::ReadBarcodes(view, hints)) {
        if (result.format() != ZXing::BarcodeFormat::PDF417)
            continue;
        QPolygonF corners;
        const auto& position = result.position();
        for (int i = 0; i < 4; ++i)
            corners << toImage.map(QPointF(position[i].x, position[i].y));
        SymbolDecoder::Symbol symbol;
        symbol.bounds = corners.boundingRect();
        symbol.decoded = result.isValid();
        if (symbol.decoded) {
            const ZXing::ByteArray& bytes = result.bytes();
            symbol.bytes = QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
        }
        symbols << symbol;
    }
    return symbols;
}

bool sideways(double skew)
{
    return std::abs(skew) > 45;
}

// What the attempts on one part of an image measure once.
struct Measures
{
    double skew = 0;
    double coherence = 0;
    int threshold = 127;
    ImageGeometry::BarArea bars;
};

Measures measure(const QImage& grey)
{
    Measures m;
    const ImageGeometry::Orientation orientation = ImageGeometry::orientation(grey);
    m.skew = orientation.skew;
    m.coherence = orientation.coherence;
    m.threshold = ImageGeometry::inkThreshold(grey);
    m.bars = ImageGeometry::barArea(grey, m.threshold, sideways(m.skew));
    return m;
}

bool samePlace(const QRectF& a, const QRectF& b)
{
    const QRectF common = a.intersected(b);
    const double smaller = std::min(a.width() * a.height(), b.width() * b.height());
    return !common.isEmpty() && common.width() * common.height() >= 0.5 * smaller;
}

// Adds `found` to `symbols`, one entry per place; a read symbol replaces an unread one.
void merge(Symbols& symbols, const Symbols& found)
{
    for (const SymbolDecoder::Symbol& symbol : found) {
        auto same = std::find_if(symbols.begin(), symbols.end(),
                                 [&](const auto& known) { return samePlace(known.bounds, symbol.bounds); });
        if (same == symbols.end())
            symbols << symbol;
        else if (!same->decoded && symbol.decoded)
            *same = symbol;
    }
}

// The ways of looking at the image at one skew: the bar area turned upright by `skew`,
// resampled and read as the looks above say, until `enough` was found. Positions come back
// mapped by `toImage`.
Symbols readUpright(const QImage& grey, const Measures& m, double skew, bool several, Enough enough,
                    const QTransform& toImage)
{
    // Runs along an image row (or column) cross turned bars obliquely, longer than the module.
    const double radians = m.skew * std::numbers::pi / 180;
    const double module = m.bars.module * std::abs(sideways(m.skew) ? std::sin(radians) : std::cos(radians));
    if (module <= 0)
        return {};

    // The bar blocks in the upright plane: turned back about the image centre.
    const QPointF centre(grey.width() / 2.0, grey.height() / 2.0);
    QTransform toUpright;
    toUpright.rotate(-skew);
    toUpright.translate(-centre.x(), -centre.y());
    QRectF region;
    for (const QRect& block : m.bars.blocks)
        region |= toUpright.mapRect(QRectF(block));
    const double margin = 32 + 4 * module;
    region.adjust(-margin, -margin, margin, margin);

    Symbols found;
    QImage upright;
    QTransform toSource;
    const Look* previous = nullptr;
    for (const Look& look : Looks) {
        if (!previous || look.moduleWidth != previous->moduleWidth || look.moduleHeight != previous->moduleHeight) {
            const double scaleX = std::min(
                module < look.moduleWidth ? look.moduleWidth / module : std::round(module) / module, MaxEnlargement);
            const double scaleY = std::min(1.0, look.moduleHeight / module);
            toSource.reset();
            toSource.translate(centre.x(), centre.y());
            toSource.rotate(skew);
            toSource.translate(region.left(), region.top());
            toSource.scale(1 / scaleX, 1 / scaleY);
            const QSize size(int(std::ceil(region.width() * scaleX)), int(std::ceil(region.height() * scaleY)));
            upright = ImageGeometry::resampled(grey, toSource, size, m.threshold);
        }
        previous = &look;
        merge(found, read(upright, look.binarizer, several, toSource * toImage, true));
        if (enough(found))
            break;
    }
    return found;
}

bool anyDecoded(const Symbols& symbols)
{
    return std::any_of(symbols.begin(), symbols.end(), [](const auto& s) { return s.decoded; });
}

bool allDecoded(const Symbols& symbols)
{
    return !symbols.isEmpty() && std::all_of(symbols.begin(), symbols.end(), [](const auto& s) { return s.decoded; });
}

// The attempts on one group of bar blocks: cut out with some room, measured on its own (cards
// on one sheet may lie at different angles), read near its measured skew and, when `sweep` is
// set, at every skew of the sweep.
Symbols readCluster(const QImage& grey, const QRect& cluster, bool several, Enough enough, bool sweep)
{
    const QRect part = cluster.adjusted(-ClusterMargin, -ClusterMargin, ClusterMargin, ClusterMargin) & grey.rect();
    const QImage cutout = grey.copy(part);
    const Measures m = measure(cutout);
    if (m.bars.isEmpty() || m.coherence < MinCoherence)
        return {};
    const QTransform toImage = QTransform::fromTranslate(part.x(), part.y());
    Symbols found;
    for (double near : NearSkews) {
        merge(found, readUpright(cutout, m, m.skew + near, several, enough, toImage));
        if (enough(found))
            return found;
    }
    for (double angle = -SweepLimit; sweep && angle <= SweepLimit; angle += SweepStep) {
        if (std::abs(angle - m.skew) <= 1.5 + SweepStep / 2)
            continue; // covered by the reads near the measured skew
        merge(found, readUpright(cutout, m, angle, several, enough, toImage));
        if (enough(found))
            return found;
    }
    return found;
}

QList<QRect> barClusters(const QImage& grey)
{
    const QList<QRect> clusters =
        ImageGeometry::barClusters(ImageGeometry::barArea(grey, ImageGeometry::inkThreshold(grey)));
    return clusters.first(std::min(clusters.size(), MaxClusters));
}

bool covered(const QRect& cluster, const Symbols& symbols)
{
    return std::any_of(symbols.begin(), symbols.end(),
                       [&](const auto& s) { return s.decoded && s.bounds.intersects(QRectF(cluster)); });
}

// Top to bottom, then left to right among symbols whose centres lie within half a symbol's
// height of the row's first symbol.
void sortReadingOrder(Symbols& symbols)
{
    std::sort(symbols.begin(), symbols.end(),
              [](const auto& a, const auto& b) { return a.bounds.center().y() < b.bounds.center().y(); });
    for (qsizetype first = 0; first < symbols.size();) {
        const QRectF& lead = symbols[first].bounds;
        qsizetype end = first + 1;
        while (end < symbols.size() && symbols[end].bounds.center().y() - lead.center().y() <=
                                           0.5 * std::min(lead.height(), symbols[end].bounds.height()))
            ++end;
        std::sort(symbols.begin() + first, symbols.begin() + end,
                  [](const auto& a, const auto& b) { return a.bounds.center().x() < b.bounds.center().x(); });
        first = end;
    }
}

std::optional<QByteArray> firstDecoded(const Symbols& symbols)
{
    for (const auto& symbol : symbols) {
        if (symbol.decoded)
            return symbol.bytes;
    }
    return std::nullopt;
}

} // namespace

std::optional<QByteArray> SymbolDecoder::readEasy(const QImage& grey)
{
    return firstDecoded(read(grey, Binarizer::LocalAverage, false, QTransform(), false));
}

std::optional<QByteArray> SymbolDecoder::readHard(const QImage& grey)
{
    const QList<QRect> clusters = barClusters(grey);
    for (const QRect& cluster : clusters) {
        if (auto bytes = firstDecoded(readCluster(grey, cluster, false, anyDecoded, false)))
            return bytes;
    }
    // The measured skew misled: sweep the largest group, then give zxing-cpp the image as it is.
    if (!clusters.isEmpty()) {
        if (auto bytes = firstDecoded(readCluster(grey, clusters.first(), false, anyDecoded, true)))
            return bytes;
    }
    return readEasy(grey);
}

QList<SymbolDecoder::Symbol> SymbolDecoder::readAll(const QImage& grey)
{
    Symbols symbols;
    const QList<QRect> clusters = barClusters(grey);
    for (const QRect& cluster : clusters) {
        if (!covered(cluster, symbols))
            merge(symbols, readCluster(grey, cluster, true, allDecoded, false));
    }
    if (symbols.isEmpty())
        merge(symbols, read(grey, Binarizer::LocalAverage, true, QTransform(), false));
    sortReadingOrder(symbols);
    return symbols;
}

} // namespace pdf417
