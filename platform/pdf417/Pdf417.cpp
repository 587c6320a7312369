#include "platform/pdf417/Pdf417.h"

#include "platform/files/AtomicFile.h"
#include "platform/pdf417/ReaderProcess.h"
#include "platform/pdf417/ScanFraming.h"
#include "platform/pdf417/SymbolEncoder.h"

#include <QFile>
#include <QImageReader>
#include <QMutex>

#include <sys/stat.h>

#include <array>
#include <limits>
#include <optional>

namespace pdf417 {

namespace {

// A symbol holds at most about 1.8 KB; larger files are refused without reading them whole.
constexpr qint64 MaxSymbolData = 64 * 1024;
constexpr qint64 MaxRawScan = 1024 * 1024;
// Letter pages at 600 dpi come to 34 megapixels; beyond this an image is not a scan of cards.
constexpr qint64 MaxImagePixels = 60'000'000;
// A reading that takes longer has hung (or met an image it cannot cope with): a card, a page.
constexpr int CardReadMs = 5'000;
constexpr int PageReadMs = 15'000;

std::optional<QByteArray> readSmallFile(const QString& path, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(limit + 1);
    if (bytes.size() > limit || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

// The library's outputs are work files, made again for every card: replaced atomically but
// not flushed to the disk, which would cost more than the reading.
bool writeWorkFile(const QString& path, const QByteArray& bytes)
{
    return bool(files::writeFile(path, bytes, files::Durability::WorkFile));
}

// The grey a pixel of colour `rgb` shows on white paper.
uchar greyOnPaper(QRgb rgb)
{
    const int luma = (qRed(rgb) * 77 + qGreen(rgb) * 150 + qBlue(rgb) * 29) >> 8;
    const int alpha = qAlpha(rgb);
    return uchar((luma * alpha + 255 * (255 - alpha) + 127) / 255);
}

} // namespace

// The image in the file as greyscale; transparent parts count as white paper. Greyscale and
// palette images (as scanners write them) are turned grey where they lie, so that a 600-dpi
// page never needs more than one byte a pixel.
QImage readGrey(const QString& path)
{
    // Qt refuses to read an image that needs more than its allocation limit, 128 MB by default
    // and reckoned at four bytes a pixel whatever the image holds: about 33.5 megapixels, less
    // than a US Letter page at 600 dpi. It is raised to our own limit (for the whole process:
    // Qt has no other), which still refuses decompression bombs.
    constexpr int LimitMb = int((MaxImagePixels * 4 + (1 << 20) - 1) >> 20);
    if (QImageReader::allocationLimit() != 0 && QImageReader::allocationLimit() < LimitMb)
        QImageReader::setAllocationLimit(LimitMb);
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > MaxImagePixels)
        return {};
    QImage image = reader.read();
    if (image.isNull() || qint64(image.width()) * image.height() > MaxImagePixels)
        return {};

    switch (image.format()) {
    case QImage::Format_Grayscale8:
        return image;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        image = image.convertToFormat(QImage::Format_Indexed8);
        [[fallthrough]];
    case QImage::Format_Indexed8: {
        // Each palette entry becomes its grey, in place; pixels past the palette are ink.
        std::array<uchar, 256> greys{};
        const QList<QRgb> palette = image.colorTable();
        for (qsizetype i = 0; i < palette.size() && i < 256; ++i)
            greys[i] = greyOnPaper(palette[i]);
        bool identity = palette.size() == 256;
        for (int i = 0; identity && i < 256; ++i)
            identity = greys[i] == i;
        if (!identity) {
            for (int y = 0; y < image.height(); ++y) {
                uchar* line = image.scanLine(y);
                for (int x = 0, width = image.width(); x < width; ++x)
                    line[x] = greys[line[x]];
            }
        }
        image.reinterpretAsFormat(QImage::Format_Grayscale8);
        return image;
    }
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        break;
    default:
        // Rarer layouts (16-bit grey, 24-bit, premultiplied, 64-bit) through Qt's conversion.
        image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        break;
    }
    // Colour scans come as RGB32; this loop is several times faster than Qt's general conversion.
    QImage grey(image.size(), QImage::Format_Grayscale8);
    if (grey.isNull())
        return grey;
    const bool opaque = image.format() == QImage::Format_RGB32;
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* out = grey.scanLine(y);
        const int width = image.width();
        if (opaque) {
            for (int x = 0; x < width; ++x)
                out[x] = uchar((qRed(in[x]) * 77 + qGreen(in[x]) * 150 + qBlue(in[x]) * 29) >> 8);
        } else {
            for (int x = 0; x < width; ++x)
                out[x] = greyOnPaper(in[x]);
        }
    }
    return grey;
}

namespace {

// The helper's answer for the image file; nothing when it failed on it (crashed or hung).
std::optional<ReaderJob::Answer> read(ReaderJob::Kind kind, const QString& bitmapFile)
{
    return ReaderProcess::run(kind, bitmapFile, kind == ReaderJob::All ? PageReadMs : CardReadMs);
}

std::int16_t decodeOne(const QString& bitmapFile, const QString& vCardFile, ReaderJob::Kind kind)
{
    const std::optional<ReaderJob::Answer> answer = read(kind, bitmapFile);
    if (answer && !answer->readable)
        return CannotRead;
    if (!answer || answer->symbols.isEmpty())
        return NoSymbol;
    return writeWorkFile(vCardFile, answer->symbols.first()) ? Done : CannotWrite;
}

// What tells one state of a file from another: a rewrite changes the time stamps, a
// replacement by rename the inode.
struct FileState
{
    QString path;
    qint64 size = -1;
    qint64 modified = 0;
    qint64 changed = 0;
    quint64 inode = 0;
    bool operator==(const FileState&) const = default;
};

std::optional<FileState> stateOf(const QString& path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    constexpr qint64 Billion = 1'000'000'000;
    return FileState{path, qint64(info.st_size), qint64(info.st_mtim.tv_sec) * Billion + info.st_mtim.tv_nsec,
                     qint64(info.st_ctim.tv_sec) * Billion + info.st_ctim.tv_nsec, quint64(info.st_ino)};
}

// The symbols of the bitmap the multiple-symbol loop is working through.
struct Page
{
    FileState state;
    QList<QByteArray> decoded;
    int identified = 0;
};

QMutex pageMutex;
std::optional<Page> currentPage;

} // namespace

int ConvertFileToSymbolBMP_V2(const QString& vCardFile, const QString& bitmapFile, int symbolKind)
{
    if (symbolKind != CardSymbol)
        return BadArgument;
    QFile file(vCardFile);
    if (!file.exists())
        return CannotRead;
    if (file.size() > MaxSymbolData)
        return DoesNotFit;
    const std::optional<QByteArray> data = readSmallFile(vCardFile, MaxSymbolData);
    if (!data)
        return CannotRead;
    const SymbolEncoder::Result symbol = SymbolEncoder::encode(*data);
    if (!symbol)
        return DoesNotFit;
    files::AtomicFile out(bitmapFile, files::Durability::WorkFile);
    if (!out.open() || !symbol.image.save(out.device(), "BMP") || !out.commit())
        return CannotWrite;
    return Done;
}

std::int16_t pdfDecodeBMPSymbolToFileEasy(const QString& bitmapFile, const QString& vCardFile)
{
    return decodeOne(bitmapFile, vCardFile, ReaderJob::Easy);
}

std::int16_t pdfDecodeBMPSymbolToFileHard(const QString& bitmapFile, const QString& vCardFile)
{
    return decodeOne(bitmapFile, vCardFile, ReaderJob::Hard);
}

std::int16_t pdfDecodeBMPSymbolToFileMultiple(const QString& bitmapFile, const QString& vCardFile, int index,
                                              std::int16_t& count)
{
    count = 0;
    if (index < 1)
        return 0;
    const std::optional<FileState> state = stateOf(bitmapFile);
    if (!state)
        return -CannotRead;

    // The call for symbol 1 starts a loop and always reads the file afresh. No lock is held while
    // the helper reads: events run meanwhile, and one of them may start a read of its own.
    std::optional<Page> page;
    if (index != 1) {
        QMutexLocker lock(&pageMutex);
        if (currentPage && currentPage->state == *state)
            page = currentPage;
    }
    if (!page) {
        const std::optional<ReaderJob::Answer> answer = read(ReaderJob::All, bitmapFile);
        if (answer && !answer->readable)
            return -CannotRead;
        // A reader that fails on the image leaves the page empty: nothing identified.
        page = answer ? Page{*state, answer->symbols, answer->identified} : Page{*state, {}, 0};
        QMutexLocker lock(&pageMutex);
        currentPage = page;
    }
    if (index == 1)
        count = std::int16_t(std::min(page->identified, int(std::numeric_limits<std::int16_t>::max())));
    if (index > page->decoded.size())
        return 0;
    if (!writeWorkFile(vCardFile, page->decoded[index - 1]))
        return -CannotWrite;
    return index < page->decoded.size() ? 1 : 2;
}

int decodeRawToFile(const QString& rawFile, const QString& vCardFile)
{
    if (!QFile::exists(rawFile))
        return CannotRead;
    const std::optional<QByteArray> raw = readSmallFile(rawFile, MaxRawScan);
    if (!raw)
        return QFile(rawFile).size() > MaxRawScan ? NotAVCard : CannotRead;
    const std::optional<QByteArray> card = ScanFraming::vCardOf(*raw);
    if (!card)
        return NotAVCard;
    return writeWorkFile(vCardFile, *card) ? Done : CannotWrite;
}

} // namespace pdf417
