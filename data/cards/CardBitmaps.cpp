// Draws the card pictures the programs show in place of a symbol: the badges for an
// impression too large for one symbol and the picture for a missing printer, whose few
// large words stay legible where a preview shows it at a third of its size. Each is
// 390 x 138 pixels, which the card renderer stretches to 4680 x 1656 twips, the whole
// band a symbol may fill. Usage: cardbitmaps <output folder>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <cstdio>

namespace {

constexpr int widthPx = 390;
constexpr int heightPx = 138;

struct Card
{
    const char* fileName;
    QStringList lines;  // the first line is the heading
    bool large = false; // every line bold and as large as the picture takes
};

QFont face(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    // Whole black pixels only: the picture is a one-bit bitmap.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// Large bold words, one a line, as large as the picture holds them: the picture is seen at a
// third of its size and less, where small text smears.
void drawLarge(QPainter& painter, const QStringList& lines)
{
    const int margin = 22;
    const int gap = 22;
    const QRect room(margin, margin, widthPx - 2 * margin, heightPx - 2 * margin);
    const int count = int(lines.size());
    const auto textHeight = [&](const QFontMetrics& metrics) {
        return count * metrics.capHeight() + (count - 1) * gap;
    };
    const auto fits = [&](int px) {
        const QFontMetrics metrics(face(px, true));
        for (const QString& line : lines)
            if (metrics.horizontalAdvance(line) > room.width())
                return false;
        return textHeight(metrics) <= room.height();
    };
    int px = room.height();
    while (px > 8 && !fits(px))
        --px;
    painter.setFont(face(px, true));
    const QFontMetrics metrics = painter.fontMetrics();
    int baseline = room.top() + (room.height() - textHeight(metrics)) / 2 + metrics.capHeight();
    for (const QString& line : lines) {
        painter.drawText(room.left() + (room.width() - metrics.horizontalAdvance(line)) / 2, baseline, line);
        baseline += metrics.capHeight() + gap;
    }
}

// A heading and smaller lines below it, centred.
void drawLines(QPainter& painter, const QStringList& lines)
{
    const int headingPx = 20;
    const int linePx = 15;
    const int gap = 10;
    const int textHeight = headingPx + gap + (lines.size() - 1) * (linePx + 4);
    int y = (heightPx - textHeight) / 2;
    for (int i = 0; i < lines.size(); ++i) {
        const bool heading = i == 0;
        painter.setFont(face(heading ? headingPx : linePx, heading));
        const int height = heading ? headingPx + gap : linePx + 4;
        painter.drawText(QRect(8, y, widthPx - 16, height), Qt::AlignHCenter | Qt::AlignTop, lines[i]);
        y += height;
    }
}

QImage draw(const Card& card)
{
    QImage image(widthPx, heightPx, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawRect(QRectF(2, 2, widthPx - 4, heightPx - 4));
    if (card.large)
        drawLarge(painter, card.lines);
    else
        drawLines(painter, card.lines);
    painter.end();
    return image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: cardbitmaps <output folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QString tooLarge = QStringLiteral("No symbol: too much data");
    const Card cards[] = {
        {"QVN-Corvel-Words-Excluded.bmp",
         {tooLarge, QStringLiteral("The impression does not fit in one symbol,"),
          QStringLiteral("even with The Corvel Words excluded.")}},
        {"TSN-Corvel-Words-Included.bmp",
         {tooLarge, QStringLiteral("The Corvel Words are included in the encoding."),
          QStringLiteral("Leave them out, or reduce the data.")}},
        {"TSN-Corvel-Words-Excluded.bmp",
         {tooLarge, QStringLiteral("The Corvel Words are excluded from the encoding."),
          QStringLiteral("Reduce the data in the impression.")}},
        {"No-Printer.bmp", {QStringLiteral("NO PRINTER"), QStringLiteral("INSTALLED")}, true},
    };
    for (const Card& card : cards) {
        const QString path = folder.filePath(QString::fromLatin1(card.fileName));
        if (!draw(card).save(path, "BMP")) {
            std::fprintf(stderr, "cardbitmaps: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
