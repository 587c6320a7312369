#include "platform/pdf417/Pdf417.h"
#include "platform/pdf417/ReaderProcess.h"

#include "CardScans.h"
#include "TestPaths.h"

#include "platform/ui/Timer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTransform>
#include <QtEndian>

#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

using namespace pdf417;

namespace {

// A build with AddressSanitizer runs several times slower: the heaviest tests take fewer images.
#ifdef QV_SANITIZE
constexpr bool Sanitized = true;
#else
constexpr bool Sanitized = false;
#endif

using Decoder = std::int16_t (*)(const QString&, const QString&);

class Pdf417Test : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray read(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Encodes `data` through a vCard file into "symbol.bmp"; the encoder's code.
    int encode(const QByteArray& data)
    {
        write(QStringLiteral("in.vcf"), data);
        return ConvertFileToSymbolBMP_V2(path(QStringLiteral("in.vcf")), path(QStringLiteral("symbol.bmp")),
                                         CardSymbol);
    }

    QImage symbol(const QByteArray& data)
    {
        QFile::remove(path(QStringLiteral("symbol.bmp")));
        EXPECT_EQ(encode(data), Done);
        return QImage(path(QStringLiteral("symbol.bmp")));
    }

    // Saves a scan (at `quality` when the format compresses with loss) and decodes it with
    // `decode` into "out.vcf"; the decoder's code.
    std::int16_t decodeScan(const QImage& scan, Decoder decode, const char* format = "BMP", int quality = -1)
    {
        const QString file = path(QStringLiteral("scan.") + QString::fromLatin1(format).toLower());
        EXPECT_TRUE(scan.save(file, format, quality));
        QFile::remove(path(QStringLiteral("out.vcf")));
        return decode(file, path(QStringLiteral("out.vcf")));
    }

    // The several-symbols loop of the bitmap import over `bitmap`: the cards decoded, in order.
    QList<QByteArray> decodeAll(const QString& bitmap)
    {
        QList<QByteArray> cards;
        for (int i = 1;; ++i) {
            std::int16_t count = 0;
            const std::int16_t rc =
                pdfDecodeBMPSymbolToFileMultiple(bitmap, path(QStringLiteral("card.vcf")), i, count);
            if (rc < 1)
                break;
            cards << read(QStringLiteral("card.vcf"));
            if (rc > 1)
                break;
        }
        return cards;
    }

    QTemporaryDir m_dir;
};

QByteArray everyByte()
{
    QByteArray bytes;
    for (int round = 0; round < 2; ++round) {
        for (int b = 0; b < 256; ++b)
            bytes += char(b);
    }
    std::shuffle(bytes.begin(), bytes.end(), std::mt19937(5));
    return bytes;
}

// A full impression with its note lengthened by `extra` characters.
QByteArray padded(int extra)
{
    QByteArray card = cardscans::fullImpression();
    QByteArray note = "NOTE:Met at the logistics fair\\, booth 42";
    const QByteArray words = " and talked about cranes, pallets and schedules";
    QByteArray more;
    while (more.size() < extra)
        more += words;
    return card.replace(note, note + more.left(extra));
}

// The grey picture as ink on a transparent ground: black, as opaque as the picture is dark.
QImage inkOnly(const QImage& grey)
{
    QImage ink(grey.size(), QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x)
            ink.setPixel(x, y, qRgba(0, 0, 0, 255 - qGray(grey.pixel(x, y))));
    }
    return ink;
}

// What zxing-cpp reads in the picture on its own: every orientation, the harder search.
QByteArray zxingReads(const QImage& picture)
{
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::Results results = ZXing::ReadBarcodes(
        {grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum, int(grey.bytesPerLine())},
        ZXing::DecodeHints().setTryHarder(true).setTryRotate(true));
    const ZXing::ByteArray bytes = results.empty() ? ZXing::ByteArray() : results.front().bytes();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

} // namespace

TEST_F(Pdf417Test, FullImpressionRoundTripsByteForByte)
{
    for (const QByteArray& data : {cardscans::fullImpression(), everyByte()}) {
        const QImage image = symbol(data);
        ASSERT_FALSE(image.isNull());
        EXPECT_LE(image.width(), 390);
        EXPECT_LE(image.height(), 138);
        EXPECT_EQ(image.depth(), 1);
        ASSERT_EQ(pdfDecodeBMPSymbolToFileEasy(path("symbol.bmp"), path("out.vcf")), Done);
        EXPECT_EQ(read("out.vcf"), data);
        ASSERT_EQ(pdfDecodeBMPSymbolToFileHard(path("symbol.bmp"), path("out.vcf")), Done);
        EXPECT_EQ(read("out.vcf"), data);
    }
}

TEST_F(Pdf417Test, SymbolHasOnePixelModulesThreePixelRowsAndAQuietZone)
{
    const QImage image = symbol(cardscans::fullImpression()).convertToFormat(QImage::Format_Grayscale8);
    // 17 modules per column plus 69 of start, stop and row indicators, two modules of quiet
    // zone each side; rows of three pixels and two quiet rows above and below.
    EXPECT_EQ((image.width() - 4 - 69) % 17, 0);
    EXPECT_EQ((image.height() - 4) % 3, 0);
    for (int x = 0; x < image.width(); ++x) {
        for (int y : {0, 1, image.height() - 2, image.height() - 1})
            ASSERT_EQ(qGray(image.pixel(x, y)), 255) << x << "," << y;
    }
    for (int y = 0; y < image.height(); ++y) {
        for (int x : {0, 1, image.width() - 2, image.width() - 1})
            ASSERT_EQ(qGray(image.pixel(x, y)), 255) << x << "," << y;
    }
    // The start pattern begins with a bar eight modules wide, and every symbol row repeats.
    for (int x = 2; x < 10; ++x)
        EXPECT_EQ(qGray(image.pixel(x, 2)), 0);
    EXPECT_EQ(qGray(image.pixel(10, 2)), 255);
    for (int x = 0; x < image.width(); ++x)
        ASSERT_EQ(image.pixel(x, 2), image.pixel(x, 4));
}

TEST_F(Pdf417Test, OneByteMoreThanFitsIsRefusedAndNothingIsWritten)
{
    // Find the longest note that still fits.
    int fits = 0;
    int refused = 2000;
    ASSERT_EQ(encode(padded(fits)), Done);
    ASSERT_EQ(encode(padded(refused)), DoesNotFit);
    while (refused - fits > 1) {
        const int middle = (fits + refused) / 2;
        (encode(padded(middle)) == Done ? fits : refused) = middle;
    }
    EXPECT_GT(fits, 50) << "a full impression leaves room for a longer note";

    QFile::remove(path("symbol.bmp"));
    ASSERT_EQ(encode(padded(fits)), Done);
    const QImage largest(path("symbol.bmp"));
    EXPECT_LE(largest.width(), 390);
    EXPECT_LE(largest.height(), 138);
    ASSERT_EQ(pdfDecodeBMPSymbolToFileEasy(path("symbol.bmp"), path("out.vcf")), Done);
    EXPECT_EQ(read("out.vcf"), padded(fits));

    // The refusal leaves an existing bitmap alone and makes none where there was none.
    const QByteArray before = read("symbol.bmp");
    EXPECT_EQ(encode(padded(fits + 1)), DoesNotFit);
    EXPECT_EQ(read("symbol.bmp"), before);
    QFile::remove(path("symbol.bmp"));
    EXPECT_EQ(encode(padded(fits + 1)), DoesNotFit);
    EXPECT_FALSE(QFile::exists(path("symbol.bmp")));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).filter("symbol"), QStringList());
}

TEST_F(Pdf417Test, BitmapNeverExceedsTheBand)
{
    // Short, long, text and binary data: each symbol fits 390 x 138 and reads back.
    std::mt19937 random(11);
    for (int length : {1, 2, 17, 60, 150, 333, 500, 777, 1000}) {
        QByteArray data(length, 0);
        for (char& c : data)
            c = char(length % 2 ? random() % 256 : 'a' + random() % 26);
        const int code = encode(data);
        if (code == DoesNotFit)
            continue; // long binary data need more room than text
        ASSERT_EQ(code, Done) << length;
        const QImage image(path("symbol.bmp"));
        EXPECT_LE(image.width(), 390) << length;
        EXPECT_LE(image.height(), 138) << length;
        ASSERT_EQ(pdfDecodeBMPSymbolToFileEasy(path("symbol.bmp"), path("out.vcf")), Done) << length;
        EXPECT_EQ(read("out.vcf"), data);
    }
}

TEST_F(Pdf417Test, EncoderRefusesWhatItCannotEncode)
{
    write("in.vcf", cardscans::fullImpression());
    EXPECT_EQ(ConvertFileToSymbolBMP_V2(path("in.vcf"), path("symbol.bmp"), 5), BadArgument);
    EXPECT_EQ(ConvertFileToSymbolBMP_V2(path("missing.vcf"), path("symbol.bmp"), CardSymbol), CannotRead);
    EXPECT_EQ(encode(QByteArray()), DoesNotFit);
    EXPECT_EQ(encode(QByteArray(100'000, 'x')), DoesNotFit);
    EXPECT_FALSE(QFile::exists(path("symbol.bmp")));
    write("in.vcf", cardscans::fullImpression());
    EXPECT_EQ(ConvertFileToSymbolBMP_V2(path("in.vcf"), path("no/such/folder/symbol.bmp"), CardSymbol), CannotWrite);
}

TEST_F(Pdf417Test, HardReadsCardsScannedAtAnAngle)
{
    const QByteArray data = cardscans::fullImpression(3);
    const QImage image = symbol(data);
    for (int dpi : {300, 200}) {
        for (int angle = -15; angle <= 15; angle += Sanitized ? 3 : 1) {
            cardscans::Scan scan;
            scan.dpi = dpi;
            scan.angle = angle + 0.3 * (angle % 3); // not only whole degrees
            scan.blur = dpi / 400.0;                // the scanner's optics: a sigma of 1/400 inch
            scan.noise = 8;
            scan.seed = std::uint32_t(dpi + angle);
            ASSERT_EQ(decodeScan(cardscans::scanCard(image, scan), &pdfDecodeBMPSymbolToFileHard), Done)
                << dpi << " dpi, " << scan.angle << " degrees";
            EXPECT_EQ(read("out.vcf"), data);
        }
    }
}

TEST_F(Pdf417Test, HardReadsCardsUpsideDownAndOnTheirSide)
{
    const QByteArray data = cardscans::fullImpression(1);
    const QImage image = symbol(data);
    for (double angle : {180.0, 90.0, -90.0, 97.0, 173.0}) {
        cardscans::Scan scan;
        scan.angle = angle;
        scan.blur = 0.75;
        scan.noise = 8;
        ASSERT_EQ(decodeScan(cardscans::scanCard(image, scan), &pdfDecodeBMPSymbolToFileHard), Done) << angle;
        EXPECT_EQ(read("out.vcf"), data);
    }
}

TEST_F(Pdf417Test, HardReadsCardsOnTheirSideAtEveryResolution)
{
    // Card scanners feed cards either way round: a quarter turn either way and 2 to 4 degrees
    // more, with the scanner's blur (a sigma of 1/400 inch) and grain.
    const QByteArray data = cardscans::fullImpression(6);
    const QImage image = symbol(data);
    const QList<int> resolutions = Sanitized ? QList<int>{600} : QList<int>{200, 300, 400, 600};
    const QList<double> offsets = Sanitized ? QList<double>{-3, 4} : QList<double>{-4, -3, -2, 2, 3, 4};
    for (int dpi : resolutions) {
        for (double quarter : {90.0, 270.0}) {
            for (double offset : offsets) {
                cardscans::Scan scan;
                scan.dpi = dpi;
                scan.angle = quarter + offset;
                scan.blur = dpi / 400.0;
                scan.noise = 8;
                scan.seed = std::uint32_t(dpi + quarter + offset);
                ASSERT_EQ(decodeScan(cardscans::scanCard(image, scan), &pdfDecodeBMPSymbolToFileHard), Done)
                    << dpi << " dpi, " << scan.angle << " degrees";
                EXPECT_EQ(read("out.vcf"), data);
            }
        }
    }
}

TEST_F(Pdf417Test, LowLevelSymbolsReadRightOrNotAtAll)
{
    // Symbols with 2 to 8 correction codewords (levels 0 to 2), as other software prints them.
    // zxing-cpp takes some misreadings of such symbols for good ones, so no single view of one is
    // believed: the plain pass gives a clean card's bytes once a second view confirms them (and
    // nothing when it does not), the thorough read finds them.
    const QByteArray clean = cardscans::fullImpression(7);
    cardscans::Scan scan;
    scan.blur = 0.75;
    const QImage card = cardscans::scanCard(cardscans::zintSymbol(clean, 1, 18), scan);
    const std::int16_t easy = decodeScan(card, &pdfDecodeBMPSymbolToFileEasy);
    EXPECT_TRUE(easy == Done ? read("out.vcf") == clean : easy == NoSymbol) << easy;
    ASSERT_EQ(decodeScan(card, &pdfDecodeBMPSymbolToFileHard), Done);
    EXPECT_EQ(read("out.vcf"), clean);

    // Photographed with a phone: keystoned up to 20 degrees out of plane, turned, unevenly lit,
    // saved as JPEG of quality 30. zxing-cpp alone takes misreadings of many of these for good
    // ones; every reading that comes back is the symbol's own bytes.
    std::mt19937 random(1);
    std::uniform_real_distribution<double> outOfPlane(0, 20);
    std::uniform_real_distribution<double> direction(0, 2 * std::numbers::pi);
    std::uniform_real_distribution<double> turn(-8, 8);
    std::uniform_real_distribution<double> shade(0.2, 0.6);
    const int photos = Sanitized ? 9 : 51;
    int reads = 0;
    for (int i = 0; i < photos; ++i) {
        const QByteArray data = cardscans::fullImpression(i);
        const QImage symbol = cardscans::zintSymbol(data, i % 3, 18);
        ASSERT_FALSE(symbol.isNull());
        cardscans::Photo photo;
        const double lean = outOfPlane(random);
        const double way = direction(random);
        photo.tilt = lean * std::cos(way);
        photo.swing = lean * std::sin(way);
        photo.turn = turn(random);
        photo.shade = shade(random);
        photo.seed = std::uint32_t(i + 1);
        photo.dpi = 300 + (i * 37) % 100;
        const std::int16_t code =
            decodeScan(cardscans::photographCard(symbol, photo), &pdfDecodeBMPSymbolToFileHard, "JPG", 30);
        ASSERT_TRUE(code == Done || code == NoSymbol) << code;
        if (code == Done) {
            EXPECT_EQ(read("out.vcf"), data) << "photo " << i << ", level " << i % 3;
            ++reads;
        }
    }
    EXPECT_GE(reads, photos / 3);
}

TEST_F(Pdf417Test, SmallLowLevelSymbolsReadWhereverZxingReadsThem)
{
    // Bare symbols at levels 0 to 2 as other software makes them: 1, 1.5 and 2 pixels per module,
    // 1-bit and 8-bit, with and without their quiet zone, turned by quarters. Easy and Hard read
    // each one that zxing-cpp reads on its own, byte for byte, and no other bytes from any.
    std::mt19937 random(27);
    int zxingRead = 0;
    constexpr int Images = 3 * 3 * 2 * 2 * 4;
    // Image i: level i % 3, scale i / 3 % 3, 1-bit i / 9 % 2, quiet zone i / 18 % 2, quarter turns i / 36.
    for (int i = 0; i < Images; i += Sanitized ? 2 : 1) {
        QByteArray data(20 + int(random() % 200), 0);
        for (char& c : data)
            c = char(random() % 256);
        QImage image = cardscans::zintSymbol(data, i % 3, 1 + int(random() % 8));
        image = image.copy(i / 18 % 2 ? image.rect() : image.rect().adjusted(2, 2, -2, -2));
        image = image.scaled(image.size() * (1 + 0.5 * (i / 3 % 3)), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .transformed(QTransform().rotate(90 * (i / 36)));
        if (i / 9 % 2)
            image = image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
        const bool readable = zxingReads(image) == data;
        zxingRead += readable;
        for (Decoder decode : {&pdfDecodeBMPSymbolToFileEasy, &pdfDecodeBMPSymbolToFileHard}) {
            const std::int16_t code = decodeScan(image, decode, "PNG");
            EXPECT_TRUE(code == Done ? read("out.vcf") == data : !readable) << "image " << i << ", code " << code;
        }
    }
    EXPECT_GE(zxingRead, (Sanitized ? Images / 2 : Images) * 9 / 10);
}

TEST_F(Pdf417Test, MultipleReadsLowLevelSymbolsRightOrNotAtAll)
{
    // Pages of ten cards whose symbols have 2 to 8 correction codewords, photographed as above:
    // each card that comes back is its own, in reading order.
    const int pages = Sanitized ? 1 : 3;
    int reads = 0;
    for (int page = 0; page < pages; ++page) {
        QList<QByteArray> cards;
        QList<QImage> symbols;
        for (int i = 0; i < 10; ++i) {
            cards << cardscans::fullImpression(10 * page + i);
            symbols << cardscans::zintSymbol(cards.last(), (page + i) % 3, 18);
        }
        cardscans::Photo photo;
        photo.tilt = 12 - 10 * page;
        photo.swing = -8 + 7 * page;
        photo.turn = 3 - 2 * page;
        photo.dpi = 300;
        photo.seed = std::uint32_t(page + 1);
        ASSERT_TRUE(cardscans::photographPage(symbols, photo).save(path("page.jpg"), "JPG", 30));
        qsizetype next = 0;
        for (const QByteArray& card : decodeAll(path("page.jpg"))) {
            const qsizetype at = cards.indexOf(card, next);
            EXPECT_GE(at, next) << "page " << page << ": a card that is not on it, or out of order";
            next = std::max(next, at + 1);
            ++reads;
        }
    }
    EXPECT_GE(reads, 3 * pages);
}

TEST_F(Pdf417Test, MultipleReadsAFullBedScanAt600Dpi)
{
    // A US Letter page of ten cards at 600 dpi: 34 megapixels, past the 128 MB Qt allows an
    // image by default. A scanner writes it as an 8-bit grey bitmap; a colour JPEG holds it too.
    QList<QByteArray> cards;
    QList<QImage> symbols;
    for (int i = 0; i < 10; ++i) {
        cards << cardscans::fullImpression(20 + i);
        symbols << symbol(cards.last());
    }
    cardscans::Scan scan;
    scan.dpi = 600;
    scan.blur = Sanitized ? 0 : 1.5;
    scan.noise = Sanitized ? 0 : 6;
    const QImage page = cardscans::scanPage(symbols, scan);
    ASSERT_GT(qint64(page.width()) * page.height(), 128 * 1024 * 1024 / 4);
    ASSERT_TRUE(page.save(path("page.bmp")));
    EXPECT_EQ(decodeAll(path("page.bmp")), cards);
    if (!Sanitized) {
        ASSERT_TRUE(page.convertToFormat(QImage::Format_RGB32).save(path("page.jpg"), "JPG", 90));
        EXPECT_EQ(decodeAll(path("page.jpg")), cards);
    }

    // Beyond 60 megapixels an image is not a scan of cards: refused before it is decoded, however
    // small the file.
    QImage huge(9000, 7000, QImage::Format_Mono);
    huge.fill(1);
    ASSERT_TRUE(huge.save(path("huge.png")));
    ASSERT_LT(QFileInfo(path("huge.png")).size(), 1024 * 1024);
    EXPECT_EQ(pdfDecodeBMPSymbolToFileHard(path("huge.png"), path("out.vcf")), CannotRead);
    std::int16_t count = -1;
    EXPECT_EQ(pdfDecodeBMPSymbolToFileMultiple(path("huge.png"), path("out.vcf"), 1, count), -CannotRead);
}

TEST_F(Pdf417Test, EasyReadsTheUprightCard)
{
    const QByteArray data = cardscans::fullImpression(2);
    const QImage image = symbol(data);
    // At 300 dpi with the scanner's blur; at 200 dpi a module spans 1.67 pixels and only a
    // sharp scan reads in the plain pass (blurred ones are the hard reader's).
    for (const auto& [dpi, blur] : {std::pair{300, 0.75}, std::pair{200, 0.0}}) {
        cardscans::Scan scan;
        scan.dpi = dpi;
        scan.blur = blur;
        scan.noise = 8;
        const QImage card = cardscans::scanCard(image, scan);
        ASSERT_EQ(decodeScan(card, &pdfDecodeBMPSymbolToFileEasy), Done) << dpi;
        EXPECT_EQ(read("out.vcf"), data);
    }
    // A card at 12 degrees is beyond the plain pass, which reports it without writing.
    cardscans::Scan turned;
    turned.angle = 12;
    EXPECT_EQ(decodeScan(cardscans::scanCard(image, turned), &pdfDecodeBMPSymbolToFileEasy), NoSymbol);
    EXPECT_FALSE(QFile::exists(path("out.vcf")));
}

TEST_F(Pdf417Test, ReadsBitmapsOfEveryDepthAndOtherFormats)
{
    const QByteArray data = cardscans::fullImpression(4);
    cardscans::Scan scan;
    scan.blur = 0.5;
    const QImage card = cardscans::scanCard(symbol(data), scan);
    const QList<std::pair<QImage, const char*>> images = {
        {card.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither), "BMP"},
        {card.convertToFormat(QImage::Format_Indexed8), "BMP"},
        {card, "BMP"},
        {card.convertToFormat(QImage::Format_RGB888), "BMP"},
        {card.convertToFormat(QImage::Format_ARGB32), "BMP"},
        {card.convertToFormat(QImage::Format_ARGB32), "PNG"},
        {inkOnly(card), "PNG"},
        {card, "JPG"},
    };
    for (const auto& [image, format] : images) {
        ASSERT_EQ(decodeScan(image, &pdfDecodeBMPSymbolToFileEasy, format), Done) << format << image.format();
        EXPECT_EQ(read("out.vcf"), data);
    }

    // A top-down 24-bit BMP (negative height), written by hand as some scanners do.
    const QImage rgb = card.convertToFormat(QImage::Format_RGB888);
    const int stride = (rgb.width() * 3 + 3) & ~3;
    QByteArray bmp(54, 0);
    auto put32 = [&bmp](int at, qint32 v) { qToLittleEndian<qint32>(v, bmp.data() + at); };
    auto put16 = [&bmp](int at, qint16 v) { qToLittleEndian<qint16>(v, bmp.data() + at); };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, 54 + stride * rgb.height());
    put32(10, 54);
    put32(14, 40);
    put32(18, rgb.width());
    put32(22, -rgb.height());
    put16(26, 1);
    put16(28, 24);
    put32(34, stride * rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        QByteArray line(stride, 0);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb p = rgb.pixel(x, y);
            line[3 * x] = char(qBlue(p));
            line[3 * x + 1] = char(qGreen(p));
            line[3 * x + 2] = char(qRed(p));
        }
        bmp += line;
    }
    write("topdown.bmp", bmp);
    ASSERT_EQ(pdfDecodeBMPSymbolToFileEasy(path("topdown.bmp"), path("out.vcf")), Done);
    EXPECT_EQ(read("out.vcf"), data);
}

TEST_F(Pdf417Test, DecodersReportWhatTheyCannotRead)
{
    QImage blank(600, 400, QImage::Format_Grayscale8);
    blank.fill(250);
    EXPECT_EQ(decodeScan(blank, &pdfDecodeBMPSymbolToFileEasy), NoSymbol);
    EXPECT_EQ(decodeScan(blank, &pdfDecodeBMPSymbolToFileHard), NoSymbol);
    EXPECT_FALSE(QFile::exists(path("out.vcf")));
    write("garbage.bmp", "BM this is not a bitmap");
    EXPECT_EQ(pdfDecodeBMPSymbolToFileHard(path("garbage.bmp"), path("out.vcf")), CannotRead);
    EXPECT_EQ(pdfDecodeBMPSymbolToFileEasy(path("missing.bmp"), path("out.vcf")), CannotRead);
    const QImage image = symbol(cardscans::fullImpression());
    EXPECT_EQ(pdfDecodeBMPSymbolToFileEasy(path("symbol.bmp"), path("no/such/folder/out.vcf")), CannotWrite);
}

TEST_F(Pdf417Test, SymbolThatTripsTheReaderLibraryIsNoSymbol)
{
    // A symbol bitmap with a wrong height in its header: zxing-cpp 1.4 reads outside its tables
    // on it (and crashes under AddressSanitizer); the reading runs in the helper program.
    const QString bitmap = testing_support::fixture("pdf417/misread-rows.bmp");
    EXPECT_EQ(pdfDecodeBMPSymbolToFileEasy(bitmap, path("out.vcf")), NoSymbol);
    EXPECT_EQ(pdfDecodeBMPSymbolToFileHard(bitmap, path("out.vcf")), NoSymbol);
    std::int16_t count = -1;
    EXPECT_EQ(pdfDecodeBMPSymbolToFileMultiple(bitmap, path("out.vcf"), 1, count), 0);
    EXPECT_FALSE(QFile::exists(path("out.vcf")));
}

namespace {

// Sets the reader helper's test switch for its lifetime.
class HelperFault
{
public:
    explicit HelperFault(const char* fault) { qputenv("QV_SYMBOL_READER_FAULT", fault); }
    ~HelperFault() { qunsetenv("QV_SYMBOL_READER_FAULT"); }
};

QString executableOf(qint64 pid)
{
    return QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
}

// The processes this one started that are still running (no zombies).
QList<qint64> children()
{
    QList<qint64> found;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold blanks and parentheses.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1].toLongLong() == ::getpid() && fields[0] != "Z")
            found << entry.toLongLong();
    }
    return found;
}

// The one helper running; fails the test when there is another child, or none.
qint64 onlyHelper()
{
    const QList<qint64> pids = children();
    EXPECT_EQ(pids.size(), 1);
    const qint64 pid = pids.value(0, -1);
    EXPECT_EQ(executableOf(pid), QFileInfo(ReaderProcess::helperPath()).canonicalFilePath());
    return pid;
}

} // namespace

TEST_F(Pdf417Test, ReaderHelperIsAProgramOfItsOwnWhoseFailuresGiveNoSymbolInTime)
{
    const QByteArray data = cardscans::fullImpression(1);
    symbol(data);
    const QString bitmap = path("symbol.bmp");
    ASSERT_EQ(pdfDecodeBMPSymbolToFileEasy(bitmap, path("out.vcf")), Done);
    EXPECT_EQ(read("out.vcf"), data);

    // Every child of this process, after each read and whenever a timer looks during a wait once
    // the helper has its request, is the helper program: this program is never a copy by fork().
    const QString helper = QFileInfo(ReaderProcess::helperPath()).canonicalFilePath();
    ASSERT_NE(helper, executableOf(::getpid()));
    int ticks = 0;
    QElapsedTimer elapsed;
    QStringList strangers;
    ui::Timer timer(nullptr, 20);
    QObject::connect(&timer, &ui::Timer::tick, [&] {
        ++ticks;
        for (qint64 pid : children()) {
            if (const QString exe = executableOf(pid); exe != helper && elapsed.elapsed() > 1000)
                strangers << exe;
        }
    });
    timer.setEnabled(true);
    const qint64 first = onlyHelper();

    // A helper that crashes: no symbol, at once; the next read gets a fresh helper.
    {
        HelperFault crash("crash");
        elapsed.start();
        EXPECT_EQ(pdfDecodeBMPSymbolToFileHard(bitmap, path("out.vcf")), NoSymbol);
        EXPECT_LT(elapsed.elapsed(), 5000);
        std::int16_t count = -1;
        EXPECT_EQ(pdfDecodeBMPSymbolToFileMultiple(bitmap, path("page.vcf"), 1, count), 0);
        EXPECT_EQ(count, 0);
    }
    EXPECT_TRUE(children().isEmpty());

    // A file this program holds open (a serial port, say), even one not marked close-on-exec,
    // is not held by a new helper.
    const int held = ::open(QFile::encodeName(path("out.vcf")).constData(), O_RDONLY);
    ASSERT_GE(held, 0);
    QFile::remove(path("out.vcf"));
    ASSERT_EQ(pdfDecodeBMPSymbolToFileEasy(bitmap, path("out.vcf")), Done);
    ::close(held);
    EXPECT_EQ(read("out.vcf"), data);
    const qint64 second = onlyHelper();
    EXPECT_NE(second, first);
    for (const QFileInfo& fd : QDir(QStringLiteral("/proc/%1/fd").arg(second)).entryInfoList(QDir::System))
        EXPECT_FALSE(fd.symLinkTarget().startsWith(m_dir.path())) << fd.symLinkTarget().toStdString();

    // A helper that hangs on a card: no symbol after 5 s, events running all the while.
    {
        HelperFault hang("hang");
        ticks = 0;
        elapsed.start();
        EXPECT_EQ(pdfDecodeBMPSymbolToFileEasy(bitmap, path("out.vcf")), NoSymbol);
        EXPECT_GE(elapsed.elapsed(), 4900);
        EXPECT_LT(elapsed.elapsed(), 5000 + 2000);
        EXPECT_GT(ticks, 20);
    }
    EXPECT_TRUE(children().isEmpty()) << "the hung helper is ended";
    std::int16_t count = -1;
    EXPECT_EQ(pdfDecodeBMPSymbolToFileMultiple(bitmap, path("page.vcf"), 1, count), 2);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(read("page.vcf"), data);
    EXPECT_NE(onlyHelper(), second);
    EXPECT_TRUE(strangers.isEmpty()) << strangers.join(u' ').toStdString();
}

TEST_F(Pdf417Test, ReaderHelperIsFoundBesideTheProgramAndServesOtherThreads)
{
    // Tests run from the build tree's bin folder, where the programs and the helper land.
    EXPECT_EQ(QFileInfo(ReaderProcess::helperPath()).absolutePath(), QCoreApplication::applicationDirPath());
    EXPECT_TRUE(QFileInfo(ReaderProcess::helperPath()).isExecutable());

    // Off the application's thread a read blocks that thread, with a helper of its own that ends
    // with the thread.
    const QByteArray data = cardscans::fullImpression(2);
    symbol(data);
    std::int16_t code = -1;
    std::thread worker([&] { code = pdfDecodeBMPSymbolToFileEasy(path("symbol.bmp"), path("out.vcf")); });
    worker.join();
    EXPECT_EQ(code, Done);
    EXPECT_EQ(read("out.vcf"), data);
    EXPECT_LE(children().size(), 1) << "only the application thread's helper is left";
}

TEST(ReaderJobTest, AnswersOutOfTheHelperAreCheckedBeforeUse)
{
    ReaderJob::Answer answer;
    answer.readable = true;
    answer.identified = 3;
    answer.symbols = {"first", QByteArray(), QByteArray(5000, 'x')};
    const QByteArray packed = ReaderJob::pack(answer);
    EXPECT_EQ(ReaderJob::unpackAnswer(packed), answer);
    EXPECT_FALSE(ReaderJob::unpackAnswer(packed.chopped(1)));
    EXPECT_FALSE(ReaderJob::unpackAnswer(packed + '\0'));
    // A count of two billion symbols in a dozen bytes is refused before anything is made for it.
    EXPECT_FALSE(ReaderJob::unpackAnswer(QByteArray::fromHex("01000000037fffffff00000000")));
}

TEST_F(Pdf417Test, MultipleGivesEverySymbolOfASheetInReadingOrder)
{
    // Six different cards, then four identical ones, filled row by row.
    QList<QByteArray> cards;
    QList<QImage> symbols;
    for (int i = 0; i < 10; ++i) {
        cards << cardscans::fullImpression(std::min(i, 6));
        symbols << symbol(cards.last());
    }
    cardscans::Scan scan;
    scan.blur = 0.75;
    scan.noise = 6;
    ASSERT_TRUE(cardscans::scanPage(symbols, scan).save(path("page.bmp")));

    QList<int> codes;
    QList<int> counts;
    for (int i = 1; i <= 10; ++i) {
        std::int16_t count = -1;
        codes << pdfDecodeBMPSymbolToFileMultiple(path("page.bmp"), path("card.vcf"), i, count);
        counts << count;
        EXPECT_EQ(read("card.vcf"), cards[i - 1]) << "symbol " << i;
        if (codes.last() != 1)
            break;
    }
    EXPECT_EQ(codes, QList<int>({1, 1, 1, 1, 1, 1, 1, 1, 1, 2}));
    EXPECT_EQ(counts, QList<int>({10, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    std::int16_t count = -1;
    EXPECT_EQ(pdfDecodeBMPSymbolToFileMultiple(path("page.bmp"), path("card.vcf"), 11, count), 0);
    EXPECT_EQ(count, 0);
}

TEST_F(Pdf417Test, MultipleReadsTheFileAgainWhenItChanges)
{
    const QByteArray first = cardscans::fullImpression(0);
    const QByteArray second = cardscans::fullImpression(1);
    const QByteArray third = cardscans::fullImpression(2);
    const QImage a = symbol(first);
    const QImage b = symbol(second);
    const QImage c = symbol(third);
    cardscans::Scan scan;
    ASSERT_TRUE(cardscans::scanPage({a, b}, scan).save(path("page.bmp")));
    std::int16_t count = -1;
    ASSERT_EQ(pdfDecodeBMPSymbolToFileMultiple(path("page.bmp"), path("card.vcf"), 1, count), 1);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(read("card.vcf"), first);

    // Another sheet replaces the file in the middle of the loop: symbol 2 comes from it.
    ASSERT_TRUE(cardscans::scanPage({a, c, b}, scan).save(path("other.bmp")));
    ASSERT_TRUE(QFile::remove(path("page.bmp")));
    ASSERT_TRUE(QFile::rename(path("other.bmp"), path("page.bmp")));
    ASSERT_EQ(pdfDecodeBMPSymbolToFileMultiple(path("page.bmp"), path("card.vcf"), 2, count), 1);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(read("card.vcf"), third);
}

TEST_F(Pdf417Test, MultipleOnABitmapWithoutSymbols)
{
    QImage blank(800, 600, QImage::Format_Grayscale8);
    blank.fill(255);
    ASSERT_TRUE(blank.save(path("blank.bmp")));
    write("card.vcf", "left alone");
    std::int16_t count = -1;
    EXPECT_EQ(pdfDecodeBMPSymbolToFileMultiple(path("blank.bmp"), path("card.vcf"), 1, count), 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(read("card.vcf"), "left alone");
    EXPECT_LT(pdfDecodeBMPSymbolToFileMultiple(path("missing.bmp"), path("card.vcf"), 1, count), 1);
    EXPECT_LT(pdfDecodeBMPSymbolToFileMultiple(path("blank.bmp"), path("card.vcf"), 0, count), 1);
}

TEST_F(Pdf417Test, MultipleReadsACardScannedAtAnAngle)
{
    const QByteArray data = cardscans::fullImpression(5);
    cardscans::Scan scan;
    scan.angle = -11;
    scan.blur = 0.75;
    scan.noise = 8;
    ASSERT_TRUE(cardscans::scanCard(symbol(data), scan).save(path("card.bmp")));
    std::int16_t count = -1;
    EXPECT_EQ(pdfDecodeBMPSymbolToFileMultiple(path("card.bmp"), path("card.vcf"), 1, count), 2);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(read("card.vcf"), data);
}

TEST_F(Pdf417Test, RawScanFramingIsRemoved)
{
    const QByteArray card = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann Lee\r\nEND:VCARD\r\n";
    const QByteArray bare = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann Lee\r\nEND:VCARD";
    const QByteArray lf = "BEGIN:VCARD\nFN:Ann Lee\nEND:VCARD\n";
    const QByteArray lower = "begin:vcard\r\nfn:Ann\r\nend:vcard\r\n";
    const QByteArray bom = "\xEF\xBB\xBF"
                           "BEGIN:VCARD\r\nFN:Ann\r\nEND:VCARD\r\n";
    const QList<std::pair<QByteArray, QByteArray>> cases = {
        {card, card},
        {"\x02]L0" + card, card},
        {"]L2" + card + "\r\n", card},
        {"\x02" + bare + "\r\n\x03", card},
        {bare + QByteArray("\r\n\0\0", 4), card},
        {bare, card},
        {lf + "\r\n", lf},
        {"\x02]L1" + lower, lower},
        {bom + "\x03", bom},
    };
    for (const auto& [raw, expected] : cases) {
        write("raw.bmp", raw);
        QFile::remove(path("out.vcf"));
        ASSERT_EQ(decodeRawToFile(path("raw.bmp"), path("out.vcf")), Done) << raw.toStdString();
        EXPECT_EQ(read("out.vcf"), expected) << raw.toStdString();
    }
}

TEST_F(Pdf417Test, RawScanThatIsNoVCardFails)
{
    const QList<QByteArray> cases = {
        QByteArray(),
        "\x02",
        "\x02]L0\r\n",
        "Hello world\r\n",
        "]L0https://example.com/card\r\n",
        "BEGIN:VCARD\r\nFN:Ann\r\n",           // no end
        "FN:Ann\r\nEND:VCARD\r\n",             // no begin
        "BEGIN:VCARDS\r\nEND:VCARD\r\n",       // not the begin line
        "BEGIN:VCARD\r\nFN:Ann END:VCARD\r\n", // END not on a line of its own
        "BEGIN:VCARD",                         // the begin line alone
        "xBEGIN:VCARD\r\nEND:VCARD\r\n",
        QByteArray("\0BEGIN:VCARD\r\nEND:VCARD\r\n", 26),
    };
    write("out.vcf", "previous");
    for (const QByteArray& raw : cases) {
        write("raw.bmp", raw);
        EXPECT_EQ(decodeRawToFile(path("raw.bmp"), path("out.vcf")), NotAVCard) << raw.toStdString();
    }
    EXPECT_EQ(read("out.vcf"), "previous");
    EXPECT_EQ(decodeRawToFile(path("missing.bmp"), path("out.vcf")), CannotRead);
}
