// Draws a card as the card renderer does (two clipped bands of three lines each, a symbol
// stretched into the middle band) into a picture box and into a PDF file.
#include "platform/print/PdfTarget.h"
#include "platform/print/PictureBoxTarget.h"
#include "platform/units/Units.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace print;

namespace {

// A symbol-like bitmap: random bars in rows, the size of a large PDF417 symbol.
QImage symbol()
{
    QImage image(390, 138, QImage::Format_Mono);
    image.setColor(0, qRgb(255, 255, 255));
    image.setColor(1, qRgb(0, 0, 0));
    QRandomGenerator random(417);
    for (int row = 0; row < 138; row += 6) {
        for (int x = 0; x < 390; ++x) {
            const uint bit = random.bounded(2);
            for (int y = row; y < std::min(row + 6, 138); ++y)
                image.setPixel(x, y, bit);
        }
    }
    return image;
}

const QStringList lines = {
    QStringLiteral("The Corvel Impression™ for Dr. Ann Lee, MD"),
    QStringLiteral("Acme Widgets of Łódź"),
    QStringLiteral("ann.lee@example.com"),
    QStringLiteral("Scan this digital business card with Tessaline™ or Quorvane™, version 1.5 or later"),
    QStringLiteral("Import names and addresses, without typing, into your favorite contact manager"),
    QStringLiteral("Download Quorvane™ for free from the maker's web address"),
};

// `sx`: twips per device pixel, for the clip bands.
void drawCard(Target& target, const QImage& picture, double x, double y, double sx)
{
    const double width = 4680;
    const double height = 2513;
    target.setFontName(QStringLiteral("Arial"));
    target.setFontSize(6);
    const double lineHeight = target.textHeight(QString());
    auto px = [&](double twips) { return int(twips / sx + 0.5); };
    target.setClipRegion(px(x), px(y), px(x + 4680), px(y + 432));
    for (int k = 0; k < 3; ++k) {
        target.setCurrentX(x + (width - target.textWidth(lines[k])) * 0.5);
        target.setCurrentY(y + k * lineHeight);
        target.print(lines[k]);
    }
    target.releaseClipRegion();
    target.setClipRegion(px(x), px(y + height - 432), px(x + 4680), px(y + height) + 2);
    const double bottom = y + height - 3 * lineHeight;
    for (int k = 0; k < 3; ++k) {
        target.setCurrentX(x + (width - target.textWidth(lines[3 + k])) * 0.5);
        target.setCurrentY(bottom + k * lineHeight);
        target.print(lines[3 + k]);
    }
    target.releaseClipRegion();
    const double pw = picture.width() * 12.0;
    const double ph = picture.height() * 12.0;
    target.paintPicture(picture, x + (width - pw) / 2, (height - 1656) * 0.5 + y + (1656 - ph) / 2, pw, ph);
}

void cardIntoPictureBox(benchmark::State& state)
{
    const QImage picture = symbol();
    PictureBoxTarget box(QSize(324, 180));
    for (auto _ : state) {
        box.cls();
        drawCard(box, picture, 90, 90, units::TwipsPerScreenPixel);
        benchmark::DoNotOptimize(box.image().constBits());
    }
}

void cardIntoPdf(benchmark::State& state)
{
    const QImage picture = symbol();
    QTemporaryDir folder;
    PdfTarget pdf(folder.filePath(QStringLiteral("card.pdf")));
    for (auto _ : state) {
        drawCard(pdf, picture, 1260, 900, pdf.twipsPerPixelX());
        pdf.endDoc();
    }
}

} // namespace

BENCHMARK(cardIntoPictureBox)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(cardIntoPdf)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
