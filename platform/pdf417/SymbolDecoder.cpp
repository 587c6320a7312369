#include "platform/pdf417/SymbolDecoder.h"

#include "platform/pdf417/ImageGeometry.h"

#include <ZXing/ReadBarcode.h>

#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>

#include <time.h>

namespace pdf417 {

namespace {

using ZXing::Binarizer;

// Skews near the measured one that are tried as well (the measure can be a fraction of a
// degree off on a dense symbol), and the sweep when the measure misleads: every 2 degrees up to
// 20 degrees either side of the nearest quarter turn, each read covering about a degree either way.
constexpr double NearSkews[] = {0, -0.75, 0.75, -1.5, 1.5};
constexpr double SweepReach = 20;
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
// Skews that are only near what the image shows get the first look alone.
constexpr std::span<const Look> FirstLook(Looks, 1);
constexpr double MaxEnlargement = 4;

// Groups of bars whose edges run every way (text, pictures) are not read as symbols.
constexpr double MinCoherence = 0.25;

// Groups of bars tried at most, the largest first: a sheet holds ten cards, or some dozens of
// symbols printed without them, besides blocks of words.
constexpr qsizetype MaxClusters = 100;

// Room kept around a group of bar blocks: a block only partly on the symbol may have been left
// out of the group, and the symbol needs its quiet zone.
constexpr int ClusterMargin = 48;

// From error-correction level 3 (16 correction codewords) up, a misreading that passes
// zxing-cpp's check is not met in practice. Below it (2 to 8 codewords, as other software
// prints symbols) zxing-cpp's search through doubtful codewords ends often enough on a
// combination that passes the check with other contents: such a reading counts only once a
// second, different view of the image gave the same bytes.
constexpr int TrustedLevel = 3;

// A view with fewer rows crossing a start or stop pattern shows no symbol.
constexpr int MinGuardRows = 3;

// zxing-cpp's plain pass reads three-module rows up to about a degree off square; whether an
// image stands so is told from every eighth row of it.
constexpr double SquareReach = 1;
constexpr int SquareRowStep = 8;

// A lean of the patterns that is worth another view turned by it.
constexpr double LeanStep = 0.4;

// The thorough read of one symbol starts no new view once it has taken this long (a view under
// way ends): a card at 300 dpi holds about a megapixel, a US Letter page at 600 dpi 34.
constexpr double HardBudgetMs = 230;
constexpr double HardBudgetMsPerMegapixel = 30;
constexpr double PageBudgetMs = 450;

// The plain pass costs about this much on a card it fails on, and reads nothing a plain read of
// a page does not cost seconds for; below the small size it costs little whatever the image.
constexpr double PlainPassMsPerMegapixel = 250;
constexpr double PlainPassMegapixels = 4;
constexpr double SmallImageMegapixels = 0.5;

// The size of a part of an image whose every other row is summed to measure its skew.
constexpr double MeasuredMegapixels = 4;

// What zxing-cpp made of one symbol in one view.
struct Reading
{
    QByteArray bytes;
    QRectF bounds; // in the image's coordinates
    bool decoded = false;
    bool trusted = false; // decoded at an error-correction level that needs no second view
};

int levelOf(const ZXing::Result& result)
{
    bool ok = false;
    const int level = QByteArray::fromStdString(result.ecLevel()).toInt(&ok);
    return ok ? level : -1;
}

// Reads `grey`; positions come back mapped by `toImage`. A view we turned upright and resampled
// ourselves is read as it stands; any other image as zxing-cpp reads one of its own (`plain`): in
// every orientation, and downscaled too when it is large.
QList<Reading> read(const QImage& grey, Binarizer binarizer, bool several, const QTransform& toImage, bool plain)
{
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                int(grey.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::PDF417);
    hints.setBinarizer(binarizer);
    hints.setTryHarder(true);
    hints.setTryDownscale(plain);
    hints.setTryRotate(plain);
    hints.setReturnErrors(several);
    hints.setMaxNumberOfSymbols(several ? 255 : 1);
    QList<Reading> readings;
    for (const ZXing::Result& result : ZXing::ReadBarcodes(view, hints)) {
        if (result.format() != ZXing::BarcodeFormat::PDF417)
            continue;
        QPolygonF corners;
        const auto& position = result.position();
        for (int i = 0; i < 4; ++i)
            corners << toImage.map(QPointF(position[i].x, position[i].y));
        Reading reading;
        reading.bounds = corners.boundingRect();
        reading.decoded = result.isValid();
        if (reading.decoded) {
            const ZXing::ByteArray& bytes = result.bytes();
            reading.bytes = QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
            reading.trusted = levelOf(result) >= TrustedLevel;
        }
        readings << reading;
    }
    return readings;
}

bool samePlace(const QRectF& a, const QRectF& b)
{
    const QRectF common = a.intersected(b);
    const double smaller = std::min(a.width() * a.height(), b.width() * b.height());
    return !common.isEmpty() && common.width() * common.height() >= 0.5 * smaller;
}

// The symbols found so far, one per place, each with the bytes taken for it once a trusted
// reading or two views agree.
struct Findings
{
    struct Place
    {
        QRectF bounds;
        std::optional<QByteArray> bytes;
        QList<QByteArray> doubtful; // readings waiting for a second view
    };
    QList<Place> places;
    QList<std::pair<QByteArray, int>> heard; // doubtful readings and the view that gave each

    // Takes in what view number `view` showed; returns the places it fell on.
    QList<qsizetype> add(const QList<Reading>& readings, int view)
    {
        QList<qsizetype> touched;
        for (const Reading& reading : readings) {
            auto same = std::find_if(places.begin(), places.end(),
                                     [&](const Place& place) { return samePlace(place.bounds, reading.bounds); });
            if (same == places.end()) {
                places << Place{reading.bounds, std::nullopt, {}};
                same = places.end() - 1;
            }
            touched << (same - places.begin());
            if (!reading.decoded || same->bytes)
                continue;
            if (reading.trusted) {
                same->bytes = reading.bytes;
                continue;
            }
            same->doubtful << reading.bytes;
            if (!heard.contains(std::pair(reading.bytes, view)))
                heard.append({reading.bytes, view});
        }
        // A doubtful reading that another view has now given too is taken, wherever it was seen.
        for (Place& place : places) {
            for (const QByteArray& bytes : place.doubtful) {
                if (!place.bytes && confirmed(bytes))
                    place.bytes = bytes;
            }
        }
        return touched;
    }

    bool confirmed(const QByteArray& bytes) const
    {
        const auto first = std::find_if(heard.begin(), heard.end(), [&](const auto& h) { return h.first == bytes; });
        return first != heard.end() && std::any_of(first + 1, heard.end(), [&](const auto& h) {
                   return h.first == bytes && h.second != first->second;
               });
    }

    std::optional<QByteArray> firstRead() const
    {
        for (const Place& place : places) {
            if (place.bytes)
                return place.bytes;
        }
        return std::nullopt;
    }

    bool covers(const QRect& cluster) const
    {
        return std::any_of(places.begin(), places.end(),
                           [&](const Place& p) { return p.bytes && p.bounds.intersects(QRectF(cluster)); });
    }
};

// The processor time this thread has taken: what a search costs, whatever else the machine is
// busy with (so that a busy machine does not give up on cards an idle one reads).
double threadCpuMs()
{
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1000 + double(now.tv_nsec) / 1e6;
}

// One search through the views of an image: for one symbol, or for every symbol (`several`).
struct Search
{
    bool several = false;
    Findings findings;
    int views = 0;
    double startMs = threadCpuMs();
    double budgetMs = -1; // no new view is started once the search has taken this long; -1: none

    int newView() { return ++views; }

    double elapsedMs() const { return threadCpuMs() - startMs; }
    bool expired() const { return budgetMs >= 0 && elapsedMs() >= budgetMs; }

    // Whether the places `touched` by the views of one part of the image need no more views (or
    // the search has no more time for any).
    bool done(const QList<qsizetype>& touched) const
    {
        if (expired())
            return true;
        if (!several)
            return findings.firstRead().has_value();
        return !touched.isEmpty() && std::all_of(touched.begin(), touched.end(),
                                                 [&](qsizetype i) { return findings.places[i].bytes.has_value(); });
    }
};

double megapixels(const QImage& grey)
{
    return double(grey.width()) * grey.height() / 1e6;
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
    // Every other row of a card; of a larger part (a page whose grain reads as bars all over)
    // no more rows than of a large card, which still measure it to a tenth of a degree.
    const int rowStep = 2 * int(std::ceil(megapixels(grey) / MeasuredMegapixels));
    const ImageGeometry::Orientation orientation = ImageGeometry::orientation(grey, rowStep);
    m.skew = orientation.skew;
    m.coherence = orientation.coherence;
    if (m.coherence < MinCoherence)
        return m; // not bars: nothing more to measure
    m.threshold = ImageGeometry::inkThreshold(grey);
    m.bars = ImageGeometry::barArea(
        grey, m.threshold, sideways(m.skew) ? ImageGeometry::Runs::AlongColumns : ImageGeometry::Runs::AlongRows);
    return m;
}

// One group of bar blocks cut out with some room, and what was measured on it.
struct Part
{
    QImage cutout;
    Measures m;
    QTransform toImage;
    QList<qsizetype> touched; // the places its views fell on
};

// What a view turned upright showed of the symbol's start and stop patterns.
struct Shown
{
    bool guards = false;
    double lean = 0; // degrees by which the patterns still lean clockwise
};

// The ways of looking at the part at one skew: its bar area turned upright by `skew` and
// resampled as `looks` say. Each resampled image is one view; zxing-cpp reads it when it shows
// a start or stop pattern standing within `tolerance` degrees of upright (`always`: whatever it
// shows), until the search is done with the part. Returns what the first view showed.
Shown readUpright(Part& part, double skew, Search& search, std::span<const Look> looks, double tolerance,
                  bool always = false)
{
    const Measures& m = part.m;
    // Runs along an image row (or column) cross turned bars obliquely, longer than the module.
    const double radians = m.skew * std::numbers::pi / 180;
    const double module = m.bars.module * std::abs(sideways(m.skew) ? std::sin(radians) : std::cos(radians));
    if (module <= 0)
        return {};

    // The bar blocks in the upright plane: turned back about the cutout's centre.
    const QPointF centre(part.cutout.width() / 2.0, part.cutout.height() / 2.0);
    QTransform toUpright;
    toUpright.rotate(-skew);
    toUpright.translate(-centre.x(), -centre.y());
    QRectF region;
    for (const QRect& block : m.bars.blocks)
        region |= toUpright.mapRect(QRectF(block));
    const double margin = 32 + 4 * module;
    region.adjust(-margin, -margin, margin, margin);

    // What a view shows of the start and stop patterns (its scales differ along and across).
    auto shows = [&](const QImage& view, double scaleX, double scaleY) {
        const ImageGeometry::Guards guards = ImageGeometry::guards(view, module * scaleX);
        if (guards.rows < MinGuardRows)
            return Shown{};
        // A pattern edge moving left downwards leans clockwise.
        return Shown{true, -std::atan(guards.slope * scaleY / scaleX) * 180 / std::numbers::pi};
    };

    Shown first;
    QImage firstView;
    QPointF firstScales;
    QImage upright;
    QTransform toSource;
    int view = 0;
    bool readable = false;
    const Look* previous = nullptr;
    for (const Look& look : looks) {
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
            upright = ImageGeometry::resampled(part.cutout, toSource, size, m.threshold);
            view = search.newView();
            if (always) {
                // Read in any case; what it shows is only wanted when nothing reads.
                readable = true;
                if (!previous) {
                    firstView = upright;
                    firstScales = QPointF(scaleX, scaleY);
                }
            } else {
                const Shown shown = shows(upright, scaleX, scaleY);
                readable = shown.guards && std::abs(shown.lean) <= tolerance;
                if (!previous)
                    first = shown;
            }
        }
        previous = &look;
        if (!readable)
            continue;
        part.touched << search.findings.add(
            read(upright, look.binarizer, search.several, toSource * part.toImage, false), view);
        if (search.done(part.touched))
            return first;
    }
    return always ? shows(firstView, firstScales.x(), firstScales.y()) : first;
}

// The attempts on one group of bar blocks, cut out with some room and measured on its own
// (cards on one sheet may lie at different angles). It is read at its measured skew in every
// look. When that view shows no start or stop pattern nothing else is tried: turning the part
// does not bring out bars that are not there. Otherwise the patterns tell how far the measure
// was off: the skew they show is read in every look when it differs, then the skews near the
// measured one in the first look. For the single symbol (`sweep`), and only while the patterns
// lean further than those tries reach, the skews up to 20 degrees either side of the nearest
// quarter turn follow, nearest to the shown skew first; a view of the sweep is read only when
// its patterns stand upright, and the sweep stops at the first view that shows none. Returns
// whether the group's edges run one way, as bars do (nothing is read otherwise).
bool readCluster(const QImage& grey, const QRect& cluster, Search& search, bool sweep)
{
    const QRect area = cluster.adjusted(-ClusterMargin, -ClusterMargin, ClusterMargin, ClusterMargin) & grey.rect();
    Part part;
    // The cutout shares the image's pixels: a copy of a page-sized group costs more than the
    // reading of it.
    part.cutout = QImage(grey.constScanLine(area.y()) + area.x(), area.width(), area.height(), grey.bytesPerLine(),
                         QImage::Format_Grayscale8);
    part.m = measure(part.cutout);
    if (part.m.bars.isEmpty() || part.m.coherence < MinCoherence)
        return false;
    part.toImage = QTransform::fromTranslate(area.x(), area.y());

    const double measured = part.m.skew;
    const Shown shown = readUpright(part, measured, search, Looks, 0, true);
    if (search.done(part.touched) || !shown.guards)
        return true;
    const double reach = NearSkews[std::size(NearSkews) - 1];
    const double target = measured + shown.lean;
    if (std::abs(shown.lean) >= LeanStep) {
        readUpright(part, target, search, Looks, reach);
        if (search.done(part.touched))
            return true;
    }
    for (double near : NearSkews) {
        if (near != 0)
            readUpright(part, measured + near, search, FirstLook, reach);
        if (search.done(part.touched))
            return true;
    }
    if (!sweep || std::abs(shown.lean) <= reach + SweepStep / 2)
        return true;
    const double base = 90 * std::round(target / 90);
    QList<double> skews;
    for (double angle = base - SweepReach; angle <= base + SweepReach; angle += SweepStep) {
        if (std::abs(angle - measured) > reach + SweepStep / 2)
            skews << angle; // nearer ones were covered by the reads near the measured skew
    }
    std::stable_sort(skews.begin(), skews.end(),
                     [&](double a, double b) { return std::abs(a - target) < std::abs(b - target); });
    for (double skew : skews) {
        if (!readUpright(part, skew, search, FirstLook, SweepStep / 2).guards || search.done(part.touched))
            return true;
    }
    return true;
}

QList<QRect> barClusters(const QImage& grey)
{
    const QList<QRect> clusters = ImageGeometry::barClusters(
        ImageGeometry::barArea(grey, ImageGeometry::inkThreshold(grey), ImageGeometry::Runs::Either));
    return clusters.first(std::min(clusters.size(), MaxClusters));
}

// Top to bottom, then left to right among symbols whose centres lie within half a symbol's
// height of the row's first symbol.
void sortReadingOrder(QList<SymbolDecoder::Symbol>& symbols)
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

// The plain pass: the image as it is, read as zxing-cpp reads it on its own. A reading of it
// below the trusted level is looked at once more, in the image turned half round: zxing-cpp then
// meets the rows in the other order and binarises other blocks of pixels, so that a misreading
// comes out otherwise (or not at all) while a clean symbol, however small, reads the same. Of
// the second views tried (the other binarisers, the half turn, the image doubled in size) the
// half turn confirmed every clean small symbol and the most photographed ones, and none of the
// misreadings, for about the cost of the first pass.
void readPlain(const QImage& grey, Search& search)
{
    search.findings.add(read(grey, Binarizer::LocalAverage, search.several, QTransform(), true), search.newView());
    const bool doubtful = std::any_of(search.findings.places.begin(), search.findings.places.end(),
                                      [](const auto& place) { return !place.bytes && !place.doubtful.isEmpty(); });
    if (!doubtful)
        return;
    const QTransform halfTurn(-1, 0, 0, -1, grey.width(), grey.height());
    search.findings.add(read(grey.mirrored(true, true), Binarizer::LocalAverage, search.several, halfTurn, true),
                        search.newView());
}

} // namespace

std::optional<QByteArray> SymbolDecoder::readEasy(const QImage& grey)
{
    Search search;
    readPlain(grey, search);
    return search.findings.firstRead();
}

std::optional<QByteArray> SymbolDecoder::readHard(const QImage& grey)
{
    Search search;
    const double size = megapixels(grey);
    search.budgetMs = std::min(HardBudgetMs + HardBudgetMsPerMegapixel * size, PageBudgetMs);
    // The plain pass reads what Easy reads, and comes first unless it is known to cost much here:
    // on an image whose edges stand some degrees off square it reads nothing and fails only after
    // a long search through the codewords it half sees (100 ms and more on a card, where a view
    // turned upright reads in a fraction of that), and on a page it takes seconds. A small image
    // costs little either way.
    const double skew = ImageGeometry::orientation(grey, SquareRowStep).skew;
    const bool square = std::abs(skew - 90 * std::round(skew / 90)) <= SquareReach;
    const bool plainFirst = size <= SmallImageMegapixels || (square && size <= PlainPassMegapixels);
    if (plainFirst) {
        readPlain(grey, search);
        if (auto bytes = search.findings.firstRead())
            return bytes;
    }
    // The first group that looks like bars is the one swept when the measured skew misleads.
    bool swept = false;
    for (const QRect& cluster : barClusters(grey)) {
        if (search.done({}))
            break;
        swept = readCluster(grey, cluster, search, !swept) || swept;
    }
    // Last, the plain pass as one more view, when the time left allows for it.
    if (!plainFirst && !search.findings.firstRead() && size <= PlainPassMegapixels &&
        search.elapsedMs() + PlainPassMsPerMegapixel * size <= search.budgetMs)
        readPlain(grey, search);
    return search.findings.firstRead();
}

QList<SymbolDecoder::Symbol> SymbolDecoder::readAll(const QImage& grey)
{
    Search search;
    search.several = true;
    for (const QRect& cluster : barClusters(grey)) {
        if (!search.findings.covers(cluster))
            readCluster(grey, cluster, search, false);
    }
    if (search.findings.places.isEmpty())
        readPlain(grey, search);
    QList<Symbol> symbols;
    for (const Findings::Place& place : search.findings.places)
        symbols << Symbol{place.bytes.value_or(QByteArray()), place.bounds, place.bytes.has_value()};
    sortReadingOrder(symbols);
    return symbols;
}

} // namespace pdf417
