#include "platform/pdf417/ImageGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <numeric>
#include <vector>

namespace pdf417 {

namespace {

constexpr int BlockSize = 32;

// The start and stop patterns in modules, bar first.
constexpr int StartPattern[] = {8, 1, 1, 1, 1, 1, 1, 3};
constexpr int StopPattern[] = {7, 1, 1, 3, 1, 1, 1, 2, 1};

// Whether `runs` (bar first) match `pattern` with the tolerances zxing-cpp's own guard search
// allows: each element within 0.8 modules, all of them within 0.42 modules on average.
template <size_t N> bool matches(const int* runs, const int (&pattern)[N])
{
    int total = 0;
    int modules = 0;
    for (size_t i = 0; i < N; ++i) {
        total += runs[i];
        modules += pattern[i];
    }
    const double unit = double(total) / modules;
    double variance = 0;
    for (size_t i = 0; i < N; ++i) {
        const double off = std::abs(runs[i] - pattern[i] * unit);
        if (off > 0.8 * unit)
            return false;
        variance += off;
    }
    return variance < 0.42 * total;
}

} // namespace

ImageGeometry::Orientation ImageGeometry::orientation(const QImage& grey)
{
    // Sums of the structure tensor over all pixels, with Scharr gradients (nearly free of the
    // Sobel operator's bias at steep angles on thin bars).
    const int width = grey.width();
    const int height = grey.height();
    double xx = 0;
    double yy = 0;
    double xy = 0;
    // Every other row is plenty for the sums.
    for (int y = 1; y + 1 < height; y += 2) {
        const uchar* above = grey.constScanLine(y - 1);
        const uchar* line = grey.constScanLine(y);
        const uchar* below = grey.constScanLine(y + 1);
        std::int64_t rowXx = 0;
        std::int64_t rowYy = 0;
        std::int64_t rowXy = 0;
        for (int x = 1; x + 1 < width; ++x) {
            const int gx =
                3 * (above[x + 1] - above[x - 1] + below[x + 1] - below[x - 1]) + 10 * (line[x + 1] - line[x - 1]);
            const int gy = 3 * (below[x - 1] - above[x - 1] + below[x + 1] - above[x + 1]) + 10 * (below[x] - above[x]);
            rowXx += gx * gx;
            rowYy += gy * gy;
            rowXy += gx * gy;
        }
        xx += double(rowXx);
        yy += double(rowYy);
        xy += double(rowXy);
    }
    if (xx + yy <= 0)
        return {};
    // The dominant gradient direction; upright bars have horizontal gradients (angle 0). Image
    // y runs down, so a positive angle is a clockwise lean of the bars.
    const double degrees = 0.5 * std::atan2(2 * xy, xx - yy) * 180 / std::numbers::pi;
    return {degrees <= -90 ? degrees + 180 : degrees, std::hypot(xx - yy, 2 * xy) / (xx + yy)};
}

int ImageGeometry::inkThreshold(const QImage& grey)
{
    // Every other pixel of every other row describes the levels well enough.
    std::array<std::int64_t, 256> histogram{};
    const int width = grey.width();
    const int height = grey.height();
    for (int y = 0; y < height; y += 2) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < width; x += 2)
            ++histogram[line[x]];
    }
    double total = 0;
    double sum = 0;
    for (int level = 0; level < 256; ++level) {
        total += double(histogram[level]);
        sum += double(level) * double(histogram[level]);
    }
    // Maximise the between-class variance over all splits "this level and darker" / "lighter",
    // then split halfway between the two classes' means: on a clean two-level image every
    // split between the levels is as good, and only the middle one keeps resampled edges put.
    double darkCount = 0;
    double darkSum = 0;
    double best = -1;
    int threshold = 127;
    for (int level = 0; level < 255; ++level) {
        darkCount += double(histogram[level]);
        darkSum += double(level) * double(histogram[level]);
        const double lightCount = total - darkCount;
        if (darkCount == 0 || lightCount == 0)
            continue;
        const double darkMean = darkSum / darkCount;
        const double lightMean = (sum - darkSum) / lightCount;
        const double variance = darkCount * lightCount * (lightMean - darkMean) * (lightMean - darkMean);
        if (variance > best) {
            best = variance;
            threshold = int((darkMean + lightMean) / 2);
        }
    }
    return threshold;
}

ImageGeometry::BarArea ImageGeometry::barArea(const QImage& grey, int threshold, Runs runs)
{
    const int columns = grey.width() / BlockSize;
    const int rows = grey.height() / BlockSize;
    BarArea area;
    if (columns == 0 || rows == 0)
        return area;
    const bool alongRows = runs != Runs::AlongColumns;
    const bool alongColumns = runs != Runs::AlongRows;
    // Ink/paper changes per block, counted on every other line of pixels in each direction
    // (every other row along the rows, every other column down the columns), so that a block of
    // bars has at least one per counted line on average. The image is walked row by row.
    std::vector<int> acrossRows(alongRows ? size_t(columns) * rows : 0);
    std::vector<int> acrossColumns(alongColumns ? size_t(columns) * rows : 0);
    const int width = columns * BlockSize;
    std::vector<uchar> ink(width);
    std::vector<uchar> above(width);
    for (int y = 0; y < rows * BlockSize; ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < width; ++x)
            ink[x] = line[x] <= threshold;
        const size_t blockRow = size_t(y / BlockSize) * columns;
        if (alongRows && y % 2 == 0) {
            int* counts = acrossRows.data() + blockRow;
            for (int x = 1; x < width; ++x)
                counts[x / BlockSize] += ink[x] != ink[x - 1];
        }
        if (alongColumns && y > 0) {
            int* counts = acrossColumns.data() + blockRow;
            for (int column = 0; column < columns; ++column) {
                int changes = 0;
                for (int x = column * BlockSize; x < (column + 1) * BlockSize; x += 2)
                    changes += ink[x] != above[x];
                counts[column] += changes;
            }
        }
        std::swap(ink, above);
    }
    std::vector<int> counts;
    for (size_t block = 0; block < size_t(columns) * rows; ++block) {
        const int count = std::max(alongRows ? acrossRows[block] : 0, alongColumns ? acrossColumns[block] : 0);
        if (count < BlockSize)
            continue;
        area.blocks << QRect(int(block % columns) * BlockSize, int(block / columns) * BlockSize, BlockSize, BlockSize);
        counts.push_back(count);
    }
    if (!counts.empty()) {
        // The sparsest quarter lies mostly on the symbol's border, half on its quiet zone.
        std::sort(counts.begin(), counts.end());
        const auto dense = counts.begin() + qsizetype(counts.size() / 4);
        const double changes = std::accumulate(dense, counts.end(), 0.0);
        area.module = double(counts.end() - dense) * BlockSize * BlockSize / 2 / changes * 8 / 17;
    }
    return area;
}

QList<QRect> ImageGeometry::barClusters(const BarArea& area)
{
    // Flood-fill over the block grid; blocks touching at an edge or a corner belong together.
    int columns = 0;
    int rows = 0;
    for (const QRect& block : area.blocks) {
        columns = std::max(columns, block.x() / BlockSize + 1);
        rows = std::max(rows, block.y() / BlockSize + 1);
    }
    std::vector<char> bar(size_t(columns) * rows);
    for (const QRect& block : area.blocks)
        bar[size_t(block.y() / BlockSize) * columns + block.x() / BlockSize] = 1;
    QList<std::pair<qsizetype, QRect>> clusters;
    for (size_t start = 0; start < bar.size(); ++start) {
        if (!bar[start])
            continue;
        bar[start] = 0;
        QList<QPoint> pending{QPoint(int(start % columns), int(start / columns))};
        QRect bounds;
        qsizetype count = 0;
        while (!pending.isEmpty()) {
            const QPoint cell = pending.takeLast();
            bounds |= QRect(cell * BlockSize, QSize(BlockSize, BlockSize));
            ++count;
            for (int y = std::max(0, cell.y() - 1); y <= std::min(rows - 1, cell.y() + 1); ++y) {
                for (int x = std::max(0, cell.x() - 1); x <= std::min(columns - 1, cell.x() + 1); ++x) {
                    char& neighbour = bar[size_t(y) * columns + x];
                    if (neighbour) {
                        neighbour = 0;
                        pending << QPoint(x, y);
                    }
                }
            }
        }
        if (bounds.width() >= 2 * BlockSize && bounds.height() >= 2 * BlockSize)
            clusters.append({count, bounds});
    }
    std::stable_sort(clusters.begin(), clusters.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    QList<QRect> rects;
    for (const auto& cluster : clusters)
        rects << cluster.second;
    return rects;
}

ImageGeometry::Guards ImageGeometry::guards(const QImage& upright, double module)
{
    const int width = upright.width();
    // The local mean over about 24 modules either side of each pixel, from the row's running sums.
    const int reach = std::max(8, int(24 * module));
    std::vector<int> sums(size_t(width) + 1);
    std::vector<int> runs;
    std::vector<int> starts; // where each run begins
    std::vector<QPointF> startEdges;
    std::vector<QPointF> stopEdges;
    Guards found;
    for (int y = 0; y < upright.height(); ++y) {
        const uchar* line = upright.constScanLine(y);
        for (int x = 0; x < width; ++x)
            sums[x + 1] = sums[x] + line[x];
        // Run lengths from the first bar on, bars at even places.
        runs.clear();
        starts.clear();
        bool ink = false;
        for (int x = 0; x < width; ++x) {
            const int left = std::max(0, x - reach);
            const int right = std::min(width, x + reach + 1);
            const bool nowInk = line[x] * (right - left) < sums[right] - sums[left];
            if (nowInk != ink && (nowInk || !runs.empty())) {
                runs.push_back(0);
                starts.push_back(x);
            }
            ink = nowInk;
            if (!runs.empty())
                ++runs.back();
        }
        bool guard = false;
        for (size_t i = 0; i + std::size(StartPattern) <= runs.size(); i += 2) {
            if (matches(runs.data() + i, StartPattern)) {
                startEdges.emplace_back(starts[i], y);
                guard = true;
            } else if (i + std::size(StopPattern) <= runs.size() && matches(runs.data() + i, StopPattern)) {
                stopEdges.emplace_back(starts[i], y);
                guard = true;
            }
        }
        found.rows += guard;
    }
    // The slope of each pattern's edge between the medians of its upper and its lower half.
    std::vector<double> slopes;
    for (std::vector<QPointF>* edges : {&startEdges, &stopEdges}) {
        if (edges->size() < 6)
            continue;
        const auto half = edges->begin() + qsizetype(edges->size() / 2);
        auto median = [](std::vector<QPointF>::iterator first, std::vector<QPointF>::iterator last, auto coordinate) {
            std::vector<double> values;
            for (auto p = first; p != last; ++p)
                values.push_back(coordinate(*p));
            std::nth_element(values.begin(), values.begin() + qsizetype(values.size() / 2), values.end());
            return values[values.size() / 2];
        };
        const auto x = [](const QPointF& p) { return p.x(); };
        const auto y = [](const QPointF& p) { return p.y(); };
        const double rise = median(half, edges->end(), y) - median(edges->begin(), half, y);
        if (rise > 0)
            slopes.push_back((median(half, edges->end(), x) - median(edges->begin(), half, x)) / rise);
    }
    if (!slopes.empty())
        found.slope = std::accumulate(slopes.begin(), slopes.end(), 0.0) / double(slopes.size());
    return found;
}

QImage ImageGeometry::resampled(const QImage& grey, const QTransform& toSource, QSize size, int threshold)
{
    QImage out(size, QImage::Format_Grayscale8);
    if (out.isNull())
        return out;
    std::array<uchar, 256> levels;
    for (int level = 0; level < 256; ++level)
        levels[level] = uchar(std::clamp(level - threshold + 127, 0, 255));

    const uchar* bits = grey.constBits();
    const qsizetype stride = grey.bytesPerLine();
    const int width = grey.width();
    const int height = grey.height();
    auto at = [&](int x, int y) -> int {
        return x < 0 || y < 0 || x >= width || y >= height ? 255 : bits[y * stride + x];
    };
    // Source coordinates in 16.16 fixed point, stepped along each destination row. A pixel's
    // value is taken at its centre; pixel (x, y) covers x..x+1, y..y+1.
    constexpr double One = 65536;
    const auto stepX = std::int64_t(std::llround(toSource.m11() * One));
    const auto stepY = std::int64_t(std::llround(toSource.m12() * One));
    for (int y = 0; y < size.height(); ++y) {
        uchar* line = out.scanLine(y);
        const QPointF first = toSource.map(QPointF(0.5, y + 0.5)) - QPointF(0.5, 0.5);
        auto sx = std::int64_t(std::llround(first.x() * One));
        auto sy = std::int64_t(std::llround(first.y() * One));
        for (int x = 0; x < size.width(); ++x, sx += stepX, sy += stepY) {
            const int x0 = int(sx >> 16);
            const int y0 = int(sy >> 16);
            const int fx = int(sx & 0xffff) >> 8;
            const int fy = int(sy & 0xffff) >> 8;
            int value;
            if (x0 >= 0 && y0 >= 0 && x0 + 1 < width && y0 + 1 < height) {
                const uchar* p = bits + y0 * stride + x0;
                const int top = p[0] * 256 + fx * (p[1] - p[0]);
                const int bottom = p[stride] * 256 + fx * (p[stride + 1] - p[stride]);
                value = (top * 256 + fy * (bottom - top) + (1 << 15)) >> 16;
            } else if (x0 < -1 || y0 < -1 || x0 >= width || y0 >= height) {
                value = 255;
            } else {
                const int top = at(x0, y0) * 256 + fx * (at(x0 + 1, y0) - at(x0, y0));
                const int bottom = at(x0, y0 + 1) * 256 + fx * (at(x0 + 1, y0 + 1) - at(x0, y0 + 1));
                value = (top * 256 + fy * (bottom - top) + (1 << 15)) >> 16;
            }
            line[x] = levels[value];
        }
    }
    return out;
}

} // namespace pdf417
