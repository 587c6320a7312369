// The symbol library's calls as the programs make them, on files: encoding a full impression,
// reading a scanned card the plain and the thorough way, and every symbol of a printed sheet.
#include "platform/pdf417/Pdf417.h"

#include "tests/platform/pdf417/CardScans.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

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

// A card scanned at 300 dpi: `angle` degrees, with the scanner's blur and grain unless clean.
// Made once: the benchmark library calls each benchmark several times.
QString cardFile(double angle, bool clean)
{
    const QString file = path(QStringLiteral("card-%1-%2.bmp").arg(angle).arg(clean));
    if (QFile::exists(file))
        return file;
    cardscans::Scan scan;
    scan.angle = angle;
    if (clean) {
        scan.smooth = false;
    } else {
        scan.blur = 0.75;
        scan.noise = 8;
    }
    cardscans::scanCard(symbolOf(cardscans::fullImpression()), scan).save(file);
    return file;
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

void decodeCard(benchmark::State& state, std::int16_t (*decode)(const QString&, const QString&), double angle,
                bool clean)
{
    const QString card = cardFile(angle, clean);
    for (auto _ : state) {
        if (decode(card, path(QStringLiteral("card.vcf"))) != 0)
            return state.SkipWithError("not decoded");
    }
}

void easyUprightCleanCard(benchmark::State& state)
{
    decodeCard(state, &pdf417::pdfDecodeBMPSymbolToFileEasy, 0, true);
}

void easyUprightScannedCard(benchmark::State& state)
{
    decodeCard(state, &pdf417::pdfDecodeBMPSymbolToFileEasy, 0, false);
}

void hardCardAt12Degrees(benchmark::State& state)
{
    decodeCard(state, &pdf417::pdfDecodeBMPSymbolToFileHard, 12, false);
}

// The whole loop of the bitmap import over a scanned sheet of ten cards, six different and
// four identical.
void multipleTenCardPage(benchmark::State& state)
{
    const QString page = path(QStringLiteral("page.bmp"));
    if (!QFile::exists(page)) {
        QList<QImage> symbols;
        for (int i = 0; i < 10; ++i)
            symbols << symbolOf(cardscans::fullImpression(std::min(i, 6)));
        cardscans::Scan scan;
        scan.blur = 0.75;
        scan.noise = 6;
        cardscans::scanPage(symbols, scan).save(page);
    }
    for (auto _ : state) {
        int decoded = 0;
        std::int16_t count = 0;
        for (int i = 1;; ++i) {
            const std::int16_t rc = pdf417::pdfDecodeBMPSymbolToFileMultiple(page, path("card.vcf"), i, count);
            if (rc < 1)
                break;
            ++decoded;
            if (rc > 1)
                break;
        }
        if (decoded != 10)
            return state.SkipWithError("not ten symbols");
    }
}

} // namespace

// Real time: the reading runs in a helper process, so this process's CPU time says little.
BENCHMARK(encodeFullImpression)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(easyUprightCleanCard)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(easyUprightScannedCard)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(hardCardAt12Degrees)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(multipleTenCardPage)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

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
