#include "CardScans.h"

#include <QFont>
#include <QPainter>
#include <QPolygonF>
#include <QTransform>

#include <zint.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

namespace cardscans {

namespace {

constexpr double ModulesPerInch = 120; // one symbol bitmap pixel prints as 12 twips
constexpr int Paper = 255;
constexpr int Bed = 215;
constexpr int Table = 70;

QImage blank(int width, int height, int grey)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(grey, grey, grey));
    return image;
}

const char* const Words[] = {"Precision engineering for", "ports and warehousing", "since 1987",
                             "San Francisco - Rotterdam", "Singapore - Sao Paulo", "www.northwind-eng.com"};

// Prints `symbol` centred in `card` at `dpi`, with three lines of 6-point words above it and
// three below when asked.
void printCard(QPainter& painter, const QImage& symbol, const QRectF& card, int dpi, bool words)
{
    const double module = dpi / ModulesPerInch;
    const QSizeF size(symbol.width() * module, symbol.height() * module);
    const QPointF topLeft(card.center().x() - size.width() / 2, card.center().y() - size.height() / 2);
    painter.drawImage(QRectF(topLeft, size), symbol);
    if (!words)
        return;
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(qRound(6.0 / 72 * dpi));
    painter.setFont(font);
    painter.setPen(Qt::black);
    const double line = 1.2 * font.pixelSize();
    for (int i = 0; i < 6; ++i) {
        const double y = i < 3 ? card.top() + 0.1 * dpi + i * line : card.bottom() - 0.1 * dpi - (6 - i) * line;
        painter.drawText(QRectF(card.left(), y, card.width(), line), Qt::AlignCenter, QString::fromLatin1(Words[i]));
    }
}

// The paper turned by `angle` on a grey scanner bed with `margin` pixels all round.
QImage onBed(const QImage& paper, double angle, int margin)
{
    QTransform turn;
    turn.rotate(angle);
    const QRectF bounds = turn.mapRect(QRectF(QPointF(0, 0), QSizeF(paper.size())));
    QImage bed = blank(int(std::ceil(bounds.width())) + 2 * margin, int(std::ceil(bounds.height())) + 2 * margin, Bed);
    QPainter painter(&bed);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(bed.width() / 2.0, bed.height() / 2.0);
    painter.rotate(angle);
    painter.drawImage(QPointF(-paper.width() / 2.0, -paper.height() / 2.0), paper);
    return bed;
}

// Separable Gaussian blur of a greyscale image (edges repeat their last pixel).
void blur(QImage& image, double sigma)
{
    const int radius = int(std::ceil(3 * sigma));
    std::vector<float> kernel(2 * radius + 1);
    float sum = 0;
    for (int i = -radius; i <= radius; ++i)
        sum += kernel[i + radius] = float(std::exp(-i * i / (2 * sigma * sigma)));
    for (float& k : kernel)
        k /= sum;
    // Convolves `count` values spaced `step` apart in place, through a padded copy.
    std::vector<float> padded;
    auto convolve = [&](uchar* first, int count, qsizetype step) {
        padded.resize(size_t(count) + 2 * radius);
        for (int i = 0; i < count + 2 * radius; ++i)
            padded[i] = first[std::clamp(i - radius, 0, count - 1) * step];
        for (int i = 0; i < count; ++i) {
            float v = 0;
            for (int k = 0; k <= 2 * radius; ++k)
                v += kernel[k] * padded[i + k];
            first[i * step] = uchar(std::clamp(int(v + 0.5f), 0, 255));
        }
    };
    for (int y = 0; y < image.height(); ++y)
        convolve(image.scanLine(y), image.width(), 1);
    uchar* bits = image.bits();
    for (int x = 0; x < image.width(); ++x)
        convolve(bits + x, image.height(), image.bytesPerLine());
}

// Normal grain of `deviation` grey levels. The deviates come from a table, picked by a fast
// generator: drawing one for every pixel would take longer than all else a scan needs.
void grain(QImage& image, double deviation, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0, deviation);
    std::array<int, 4096> deviates;
    for (int& deviate : deviates)
        deviate = int(std::lround(noise(random)));
    std::uint32_t state = seed * 2654435761U | 1;
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            line[x] = uchar(std::clamp(line[x] + deviates[state % deviates.size()], 0, 255));
        }
    }
}

QImage scanned(const QImage& paper, const Scan& scan, int margin)
{
    QImage image = onBed(paper, scan.angle, margin).convertToFormat(QImage::Format_Grayscale8);
    if (scan.blur > 0)
        blur(image, scan.blur);
    if (scan.noise > 0)
        grain(image, scan.noise, scan.seed);
    const int dotsPerMeter = qRound(scan.dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

// A white card with the symbol and its words, at `dpi`.
QImage cardPaper(const QImage& symbol, int dpi, bool smooth, bool words)
{
    QImage card = blank(qRound(3.5 * dpi), 2 * dpi, Paper);
    QPainter painter(&card);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    printCard(painter, symbol, card.rect(), dpi, words);
    return card;
}

// A white US Letter page with ten 3.5 x 2 inch cards, 0.75 inch from the left and 0.5 inch
// from the top.
QImage pagePaper(const QList<QImage>& symbols, int dpi, bool smooth)
{
    QImage page = blank(qRound(8.5 * dpi), 11 * dpi, Paper);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    for (int i = 0; i < symbols.size() && i < 10; ++i) {
        const QRectF card((0.75 + 3.5 * (i % 2)) * dpi, (0.5 + 2.0 * (i / 2)) * dpi, 3.5 * dpi, 2.0 * dpi);
        printCard(painter, symbols[i], card, dpi, true);
    }
    return page;
}

// The paper in space, centred on the camera's axis and leaning as the photo says, seen from
// 1.2 times its diagonal through a lens that shows it at its own scale where it crosses the
// axis: where its corners land in the picture.
QPolygonF keystoned(const QSizeF& paper, const Photo& photo)
{
    const double distance = 1.2 * std::hypot(paper.width(), paper.height());
    const double tilt = photo.tilt * std::numbers::pi / 180;
    const double swing = photo.swing * std::numbers::pi / 180;
    QTransform turn;
    turn.rotate(photo.turn);
    QPolygonF corners;
    const double w = paper.width() / 2;
    const double h = paper.height() / 2;
    for (const QPointF& corner : {QPointF(-w, -h), QPointF(w, -h), QPointF(w, h), QPointF(-w, h)}) {
        // Swung about the upright axis (the right side away), then leant about the level one
        // (the top away); depth grows away from the camera.
        const double x = corner.x() * std::cos(swing);
        const double z = corner.x() * std::sin(swing);
        const double y = corner.y() * std::cos(tilt) + z * std::sin(tilt);
        const double depth = z * std::cos(tilt) - corner.y() * std::sin(tilt);
        const double scale = distance / (distance + depth);
        corners << turn.map(QPointF(x * scale, y * scale));
    }
    return corners;
}

// The symbol zint makes of `data` as `configure` sets it up, one pixel per module with a quiet
// zone of two modules (ten beside a linear barcode); a null image when zint refuses the data.
template <typename Configure> QImage zintImage(const QByteArray& data, Configure configure)
{
    const std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> symbol(ZBarcode_Create(), &ZBarcode_Delete);
    configure(*symbol);
    symbol->scale = 0.5f; // one pixel per module
    symbol->whitespace_width = symbol->symbology == BARCODE_PDF417 ? 2 : 10;
    symbol->whitespace_height = 2;
    symbol->show_hrt = 0;
    if (ZBarcode_Encode_and_Buffer(symbol.get(), reinterpret_cast<const unsigned char*>(data.constData()),
                                   int(data.size()), 0) >= ZINT_ERROR)
        return {};
    QImage image(symbol->bitmap_width, symbol->bitmap_height, QImage::Format_Grayscale8);
    const unsigned char* rgb = symbol->bitmap;
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x, rgb += 3)
            line[x] = rgb[0];
    }
    return image;
}

QImage photographed(const QImage& paper, const Photo& photo)
{
    const QPolygonF corners = keystoned(QSizeF(paper.size()), photo);
    const QRectF bounds = corners.boundingRect();
    const int margin = photo.dpi / 4;
    QImage picture =
        blank(int(std::ceil(bounds.width())) + 2 * margin, int(std::ceil(bounds.height())) + 2 * margin, Table);
    QTransform toPicture;
    const QPolygonF flat{QPointF(0, 0), QPointF(paper.width(), 0), QPointF(paper.width(), paper.height()),
                         QPointF(0, paper.height())};
    if (!QTransform::quadToQuad(flat, corners.translated(margin - bounds.left(), margin - bounds.top()), toPicture))
        return {};
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setTransform(toPicture);
        painter.drawImage(0, 0, paper);
    }
    QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);

    // The light falls off across the picture in a direction of the seed's choosing, and a little
    // more towards the corners.
    std::mt19937 random(photo.seed);
    const double direction = std::uniform_real_distribution<double>(0, 2 * std::numbers::pi)(random);
    const QPointF along(std::cos(direction), std::sin(direction));
    const QPointF centre(grey.width() / 2.0, grey.height() / 2.0);
    const double reach = std::abs(along.x()) * centre.x() + std::abs(along.y()) * centre.y();
    const double corner = QPointF::dotProduct(centre, centre);
    for (int y = 0; y < grey.height(); ++y) {
        uchar* line = grey.scanLine(y);
        const double dy = y - centre.y();
        for (int x = 0; x < grey.width(); ++x) {
            const double dx = x - centre.x();
            const double fall = ((dx * along.x() + dy * along.y()) / reach + 1) / 2;
            const double light = 1 - photo.shade * (0.8 * fall + 0.2 * (dx * dx + dy * dy) / corner);
            line[x] = uchar(line[x] * std::clamp(light, 0.0, 1.0) + 0.5);
        }
    }
    if (photo.blur > 0)
        blur(grey, photo.blur);
    if (photo.noise > 0)
        grain(grey, photo.noise, photo.seed);
    return grey;
}

} // namespace

QImage scanCard(const QImage& symbol, const Scan& scan)
{
    return scanned(cardPaper(symbol, scan.dpi, scan.smooth, scan.words), scan, scan.dpi / 10);
}

QImage scanPage(const QList<QImage>& symbols, const Scan& scan)
{
    return scanned(pagePaper(symbols, scan.dpi, scan.smooth), scan, 0);
}

QImage scanSheet(const QList<QImage>& symbols, const Scan& scan)
{
    const int dpi = scan.dpi;
    QImage page = blank(qRound(8.5 * dpi), 11 * dpi, Paper);
    {
        QPainter painter(&page);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, scan.smooth);
        for (int i = 0; i < symbols.size() && i < 40; ++i) {
            const QRectF cell((0.25 + 2.0 * (i % 4)) * dpi, (0.5 + 1.0 * (i / 4)) * dpi, 2.0 * dpi, 1.0 * dpi);
            printCard(painter, symbols[i], cell, dpi, false);
        }
    }
    return scanned(page, scan, 0);
}

QImage zintSymbol(const QByteArray& data, int level, int columns)
{
    return zintImage(data, [&](zint_symbol& symbol) {
        symbol.symbology = BARCODE_PDF417;
        symbol.input_mode = DATA_MODE | HEIGHTPERROW_MODE;
        symbol.height = 3;
        symbol.option_1 = level;
        symbol.option_2 = columns;
    });
}

QImage linearBarcode(const QByteArray& data)
{
    return zintImage(data, [](zint_symbol& symbol) {
        symbol.symbology = BARCODE_CODE128;
        symbol.height = 40;
    });
}

QImage photographCard(const QImage& symbol, const Photo& photo)
{
    return photographed(cardPaper(symbol, photo.dpi, true, true), photo);
}

QImage photographPage(const QList<QImage>& symbols, const Photo& photo)
{
    return photographed(pagePaper(symbols, photo.dpi, true), photo);
}

QByteArray fullImpression(int variant)
{
    static const char* const first[] = {"Alexandra", "Benjamin", "Catherine", "Dominique", "Emmanuel", "Francesca"};
    static const char* const last[] = {"Castellanos", "Whitfield",    "Okonkwo-Ruiz",
                                       "Lindqvist",   "Papadopoulos", "Hargreaves"};
    const QByteArray f = first[variant % 6];
    const QByteArray l = last[variant % 6];
    const QByteArray n = QByteArray::number(1000 + variant % 9000).rightJustified(4, '0');
    QByteArray text;
    auto line = [&text](const QByteArray& value) { text += value + "\r\n"; };
    line("BEGIN:VCARD");
    line("VERSION:3.0");
    line("N:" + l + ";" + f + ";Marie;Dr.;Ph.D.");
    line("FN:Dr. " + f + " Marie " + l + " Ph.D.");
    line("EMAIL;TYPE=INTERNET:" + f.toLower() + "." + l.toLower() + "@northwind-eng.com");
    line("URL:http://www.northwind-eng.com");
    line("NOTE:Met at the logistics fair\\, booth 42");
    line("TITLE:Director of Engineering");
    line("ORG:Northwind Engineering Inc.;Research and Development");
    line("ADR;TYPE=WORK:;Suite 1400;2750 Harborview Blvd;San Francisco;CA;94111;USA");
    line("ADR;TYPE=WORK,POSTAL:PO Box 1187;;;San Francisco;CA;94111;USA");
    line("TEL;TYPE=WORK,VOICE:(415) 555-" + n + " x3310");
    line("TEL;TYPE=WORK,PAGER:(415) 555-0199");
    line("TEL;TYPE=WORK,FAX:(415) 555-0143");
    line("TEL;TYPE=WORK,CELL:(415) 555-0187");
    line("X-QUORVANE-FILEVERSION:3");
    line("X-QUORVANE-FONTNAME:Arial");
    line("X-QUORVANE-FONTSIZE:6");
    line("X-QUORVANE-LINE1:Precision engineering for");
    line("X-QUORVANE-LINE2:ports and warehousing");
    line("X-QUORVANE-LINE3:since 1987");
    line("X-QUORVANE-LINE4:San Francisco - Rotterdam");
    line("X-QUORVANE-LINE5:Singapore - Sao Paulo");
    line("X-QUORVANE-LINE6:www.northwind-eng.com");
    line("END:VCARD");
    return text;
}

} // namespace cardscans
