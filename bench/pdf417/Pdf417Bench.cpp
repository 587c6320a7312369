// The symbol library's calls as the programs make them, on files: encoding a full impression,
// reading a scanned card the plain and the thorough way (upright, turned, on its side, and with
// nothing to read), and every symbol of a printed sheet.
#include "platform/pdf417/Pdf417.h"

#include "bench/support/CpuTime.h"
#include "tests/platform/pdf417/CardScans.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>

namespace {

using Decoder = std::int16_t (*)(const QString&, const QString&);

const QTemporaryDir& folder()
{
    static const QTemporaryDir dir;
    return dir;
}

QString path(const QString& name)
{
    return folder().filePath(name);
}

QImage symbolOf(const QByteArray& data)
{
    QFile file(path(QStringLiteral("symbol.vcf")));
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return {};
    file.close();
    if (pdf417::ConvertFileToSymbolBMP_V2(file.fileName(), path(QStringLiteral("symbol.bmp")), pdf417::CardSymbol) != 0)
        return {};
    return QImage(path(QStringLiteral("symbol.bmp")));
}

// The file `name` in the work folder, made by `make` the first time: the benchmark library
// calls each benchmark several times.
QString madeOnce(const QString& name, const std::function<QImage()>& make)
{
    const QString file = path(name);
    if (!QFile::exists(file))
        make().save(file);
    return file;
}

// A card scanned at 300 dpi: `angle` degrees, with the scanner's blur and grain unless clean.
cardscans::Scan cardScan(double angle, bool clean)
{
    cardscans::Scan scan;
    scan.angle = angle;
    if (clean) {
        scan.smooth = false;
    } else {
        scan.blur = 0.75;
        scan.noise = 8;
    }
    return scan;
}

QString cardFile(double angle, bool clean)
{
    return madeOnce(QStringLiteral("card-%1-%2.bmp").arg(angle).arg(clean),
                    [&] { return cardscans::scanCard(symbolOf(cardscans::fullImpression()), cardScan(angle, clean)); });
}

// The CPU time per call of this process and the reader helper together since `start`: on a
// machine busy with other work the wall time overstates what a call costs.
void reportCpu(benchmark::State& state, double start)
{
    state.counters["cpu_ms"] = benchmark::Counter((CpuTime::now() - start) * 1000, benchmark::Counter::kAvgIterations);
}

// Decodes `card` with `decode`, expecting `expected` (0: a symbol, 4: none).
void decodeFile(benchmark::State& state, Decoder decode, const QString& card, int expected = pdf417::Done)
{
    const double start = CpuTime::now();
    for (auto _ : state) {
        if (decode(card, path(QStringLiteral("card.vcf"))) != expected)
            return state.SkipWithError("unexpected result");
    }
    reportCpu(state, start);
}

void encodeFullImpression(benchmark::State& state)
{
    const QString vCard = path(QStringLiteral("full.vcf"));
    QFile file(vCard);
    const QByteArray data = cardscans::fullImpression();
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return state.SkipWithError("cannot write the impression");
    file.close();
    for (auto _ : state) {
        if (pdf417::ConvertFileToSymbolBMP_V2(vCard, path(QStringLiteral("full.bmp")), pdf417::CardSymbol) != 0)
            return state.SkipWithError("refused");
    }
}

void easyUprightCleanCard(benchmark::State& state)
{
    decodeFile(state, &pdf417::pdfDecodeBMPSymbolToFileEasy, cardFile(0, true));
}

// Within 1.2 times the plain pass: the thorough read begins with it.
void hardUprightCleanCard(benchmark::State& state)
{
    decodeFile(state, &pdf417::pdfDecodeBMPSymbolToFileHard, cardFile(0, true));
}

void easyUprightScannedCard(benchmark::State& state)
{
    decodeFile(state, &pdf417::pdfDecodeBMPSymbolToFileEasy, cardFile(0, false));
}

// Under 20 ms.
void hardCardAtAQuarterTurn(benchmark::State& state)
{
    decodeFile(state, &pdf417::pdfDecodeBMPSymbolToFileHard, cardFile(90, true));
}

// Under 50 ms, and 300 ms at most: it reads only once turned back by its measured skew.
void hardCardAt12Degrees(benchmark::State& state)
{
    decodeFile(state, &pdf417::pdfDecodeBMPSymbolToFileHard, cardFile(12, false));
}

// A card fed a quarter turn and 3 degrees more at 600 dpi.
void hardCardOnItsSideAt600Dpi(benchmark::State& state)
{
    const QString card = madeOnce(QStringLiteral("side-600.bmp"), [] {
        cardscans::Scan scan;
        scan.dpi = 600;
        scan.angle = 93;
        scan.blur = 1.5;
        scan.noise = 8;
        return cardscans::scanCard(symbolOf(cardscans::fullImpression()), scan);
    });
    decodeFile(state, &pdf417::pdfDecodeBMPSymbolToFileHard, card);
}

// The cost of a card that cannot be read, under 300 ms: a blank card, and a card whose bars are
// a one-dimensional barcode (Code 128) amid its words.
void hardBlankCard(benchmark::State& state)
{
    const QString card = madeOnce(QStringLiteral("blank.bmp"), [] {
        QImage white(10, 10, QImage::Format_Grayscale8);
        white.fill(255);
        cardscans::Scan scan = cardScan(2, false);
        scan.words = false;
        return cardscans::scanCard(white, scan);
    });
    decodeFile(state, &pdf417::pdfDecodeBMPSymbolToFileHard, card, pdf417::NoSymbol);
}

void hardCardWithoutASymbol(benchmark::State& state)
{
    const QString card = madeOnce(QStringLiteral("barcode.bmp"), [] {
        return cardscans::scanCard(cardscans::linearBarcode("NORTHWIND-0042-7781"), cardScan(2, false));
    });
    decodeFile(state, &pdf417::pdfDecodeBMPSymbolToFileHard, card, pdf417::NoSymbol);
}

// What confirming a reading in a second view costs on a clean card whose symbol has few
// correction codewords (level 1, as other software prints it), against the same data at our own
// level, which one view settles: upright (the plain pass reads both) and at 12 degrees.
QString levelCardFile(int level, double angle)
{
    return madeOnce(QStringLiteral("level-%1-%2.bmp").arg(level).arg(angle), [&] {
        const QByteArray data = cardscans::fullImpression();
        const QImage symbol = level == 5 ? symbolOf(data) : cardscans::zintSymbol(data, level, 18);
        return cardscans::scanCard(symbol, cardScan(angle, false));
    });
}

void hardLevel1UprightCard(benchmark::State& state)
{
    decodeFile(state, &pdf417::pdfDecodeBMPSymbolToFileHard, levelCardFile(1, 0));
}

void hardLevel5UprightCard(benchmark::State& state)
{
    decodeFile(state, &pdf417::pdfDecodeBMPSymbolToFileHard, levelCardFile(5, 0));
}

void hardLevel1CardAt12Degrees(benchmark::State& state)
{
    decodeFile(state, &pdf417::pdfDecodeBMPSymbolToFileHard, levelCardFile(1, 12));
}

void hardLevel5CardAt12Degrees(benchmark::State& state)
{
    decodeFile(state, &pdf417::pdfDecodeBMPSymbolToFileHard, levelCardFile(5, 12));
}

// A bare symbol at level 1 as other software makes it, 2 pixels per module: the plain pass and its
// one confirming view read it, in Hard within twice Easy's time.
QString smallLevel1Symbol()
{
    return madeOnce(QStringLiteral("small-level-1.png"), [] {
        const QImage symbol = cardscans::zintSymbol("Maja Lindqvist, (415) 555-1000", 1, 4);
        return symbol.scaled(symbol.size() * 2);
    });
}

void easySmallLevel1Symbol(benchmark::State& state)
{
    decodeFile(state, &pdf417::pdfDecodeBMPSymbolToFileEasy, smallLevel1Symbol());
}

void hardSmallLevel1Symbol(benchmark::State& state)
{
    decodeFile(state, &pdf417::pdfDecodeBMPSymbolToFileHard, smallLevel1Symbol());
}

// A US Letter page at 600 dpi (34 megapixels) holding nothing readable: under a second.
void hardBlankPageAt600Dpi(benchmark::State& state)
{
    const QString page = madeOnce(QStringLiteral("blank-page-600.bmp"), [] {
        return cardscans::scanPage({}, cardscans::Scan{.dpi = 600, .blur = 1.5, .noise = 6});
    });
    decodeFile(state, &pdf417::pdfDecodeBMPSymbolToFileHard, page, pdf417::NoSymbol);
}

// The whole loop of the bitmap import over `page`, expecting `symbols` symbols.
void decodeEverySymbol(benchmark::State& state, const QString& page, int symbols)
{
    const double start = CpuTime::now();
    for (auto _ : state) {
        int decoded = 0;
        std::int16_t count = 0;
        for (int i = 1;; ++i) {
            const std::int16_t rc =
                pdf417::pdfDecodeBMPSymbolToFileMultiple(page, path(QStringLiteral("card.vcf")), i, count);
            if (rc < 1)
                break;
            ++decoded;
            if (rc > 1)
                break;
        }
        if (decoded != symbols)
            return state.SkipWithError("not every symbol decoded");
    }
    reportCpu(state, start);
}

// A scanned sheet of ten cards at 300 dpi, six different and four identical: under 150 ms.
void multipleTenCardPage(benchmark::State& state)
{
    const QString page = madeOnce(QStringLiteral("page.bmp"), [] {
        QList<QImage> symbols;
        for (int i = 0; i < 10; ++i)
            symbols << symbolOf(cardscans::fullImpression(std::min(i, 6)));
        cardscans::Scan scan;
        scan.blur = 0.75;
        scan.noise = 6;
        return cardscans::scanPage(symbols, scan);
    });
    decodeEverySymbol(state, page, 10);
}

// A 300-dpi sheet of 1, 10 or 40 small symbols (short cards): the time grows linearly with them.
void multipleSymbolsOnASheet(benchmark::State& state)
{
    const int symbols = int(state.range(0));
    const QString page = madeOnce(QStringLiteral("sheet-%1.bmp").arg(symbols), [&] {
        QList<QImage> images;
        for (int i = 0; i < symbols; ++i) {
            images << symbolOf("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lindqvist;Maja\r\nFN:Maja Lindqvist\r\nTEL;TYPE=WORK:"
                               "(415) 555-" +
                               QByteArray::number(1000 + i) + "\r\nEND:VCARD\r\n");
        }
        cardscans::Scan scan;
        scan.blur = 0.75;
        scan.noise = 6;
        return cardscans::scanSheet(images, scan);
    });
    decodeEverySymbol(state, page, symbols);
}

} // namespace

// Real time: the reading runs in a helper process, so this process's CPU time says little.
#define QV_PDF417_BENCHMARK(name)                                                                                      \
    BENCHMARK(name)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true)

QV_PDF417_BENCHMARK(encodeFullImpression);
QV_PDF417_BENCHMARK(easyUprightCleanCard);
QV_PDF417_BENCHMARK(hardUprightCleanCard);
QV_PDF417_BENCHMARK(easyUprightScannedCard);
QV_PDF417_BENCHMARK(hardCardAtAQuarterTurn);
QV_PDF417_BENCHMARK(hardCardAt12Degrees);
QV_PDF417_BENCHMARK(hardCardOnItsSideAt600Dpi);
QV_PDF417_BENCHMARK(hardBlankCard);
QV_PDF417_BENCHMARK(hardCardWithoutASymbol);
QV_PDF417_BENCHMARK(hardLevel1UprightCard);
QV_PDF417_BENCHMARK(hardLevel5UprightCard);
QV_PDF417_BENCHMARK(hardLevel1CardAt12Degrees);
QV_PDF417_BENCHMARK(hardLevel5CardAt12Degrees);
QV_PDF417_BENCHMARK(easySmallLevel1Symbol);
QV_PDF417_BENCHMARK(hardSmallLevel1Symbol);
QV_PDF417_BENCHMARK(hardBlankPageAt600Dpi);
QV_PDF417_BENCHMARK(multipleTenCardPage);
QV_PDF417_BENCHMARK(multipleSymbolsOnASheet)->Arg(1)->Arg(10)->Arg(40);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // the cards' words need fonts
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
