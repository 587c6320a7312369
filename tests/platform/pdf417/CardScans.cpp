#include "CardScans.h"

#include <QFont>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace cardscans {

namespace {

constexpr double ModulesPerInch = 120; // one symbol bitmap pixel prints as 12 twips
constexpr int Paper = 255;
constexpr int Bed = 215;

QImage blank(int width, int height, int grey)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(grey, grey, grey));
    return image;
}

const char* const Words[] = {"Precision engineering for", "ports and warehousing", "since 1987",
                             "San Francisco - Rotterdam", "Singapore - Sao Paulo", "www.northwind-eng.com"};

// Prints `symbol` centred in `card` at the scan's resolution, with three lines of 6-point words
// above it and three below when asked.
void printCard(QPainter& painter, const QImage& symbol, const QRectF& card, const Scan& scan)
{
    const double module = scan.dpi / ModulesPerInch;
    const QSizeF size(symbol.width() * module, symbol.height() * module);
    const QPointF topLeft(card.center().x() - size.width() / 2, card.center().y() - size.height() / 2);
    painter.drawImage(QRectF(topLeft, size), symbol);
    if (!scan.words)
        return;
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(qRound(6.0 / 72 * scan.dpi));
    painter.setFont(font);
    painter.setPen(Qt::black);
    const double line = 1.2 * font.pixelSize();
    for (int i = 0; i < 6; ++i) {
        const double y =
            i < 3 ? card.top() + 0.1 * scan.dpi + i * line : card.bottom() - 0.1 * scan.dpi - (6 - i) * line;
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

void grain(QImage& image, double deviation, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0, deviation);
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x)
            line[x] = uchar(std::clamp(int(std::lround(line[x] + noise(random))), 0, 255));
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

} // namespace

QImage scanCard(const QImage& symbol, const Scan& scan)
{
    QImage card = blank(qRound(3.5 * scan.dpi), 2 * scan.dpi, Paper);
    {
        QPainter painter(&card);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, scan.smooth);
        printCard(painter, symbol, card.rect(), scan);
    }
    return scanned(card, scan, scan.dpi / 10);
}

QImage scanPage(const QList<QImage>& symbols, const Scan& scan)
{
    const int dpi = scan.dpi;
    QImage page = blank(qRound(8.5 * dpi), 11 * dpi, Paper);
    {
        QPainter painter(&page);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, scan.smooth);
        // Ten 3.5 x 2 inch cards, 0.75 inch from the left and 0.5 inch from the top.
        for (int i = 0; i < symbols.size() && i < 10; ++i) {
            const QRectF card((0.75 + 3.5 * (i % 2)) * dpi, (0.5 + 2.0 * (i / 2)) * dpi, 3.5 * dpi, 2.0 * dpi);
            printCard(painter, symbols[i], card, scan);
        }
    }
    return scanned(page, scan, 0);
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
