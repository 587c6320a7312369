#include "platform/pdf417/Pdf417.h"

#include "platform/files/AtomicFile.h"
#include "platform/pdf417/ReaderProcess.h"
#include "platform/pdf417/ScanFraming.h"
#include "platform/pdf417/SymbolDecoder.h"
#include "platform/pdf417/SymbolEncoder.h"

#include <QDataStream>
#include <QFile>
#include <QImageReader>
#include <QMutex>
#include <QPainter>
#include <QSaveFile>

#include <sys/stat.h>

#include <limits>
#include <optional>

namespace pdf417 {

namespace {

// A symbol holds at most about 1.8 KB; larger files are refused without reading them whole.
constexpr qint64 MaxSymbolData = 64 * 1024;
constexpr qint64 MaxRawScan = 1024 * 1024;
// Letter pages at 600 dpi come to 34 megapixels; beyond this an image is not a scan of cards.
constexpr qint64 MaxImagePixels = 60'000'000;
// A reading that takes longer has hung.
constexpr int ReadTimeoutMs = 60'000;

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

bool writeAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

// The image in the file as greyscale; transparent parts count as white paper.
QImage readGrey(const QString& path)
{
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > MaxImagePixels)
        return {};
    QImage image = reader.read();
    if (image.isNull() || qint64(image.width()) * image.height() > MaxImagePixels)
        return {};
    if (image.hasAlphaChannel()) {
        QImage paper(image.size(), QImage::Format_RGB32);
        paper.fill(Qt::white);
        QPainter(&paper).drawImage(0, 0, image);
        image = paper;
    }
    if (image.format() != QImage::Format_RGB32)
        return image.convertToFormat(QImage::Format_Grayscale8);
    // Colour scans come as RGB32; this loop is several times faster than Qt's general conversion.
    QImage grey(image.size(), QImage::Format_Grayscale8);
    if (grey.isNull())
        return grey;
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* out = grey.scanLine(y);
        for (int x = 0, width = image.width(); x < width; ++x)
            out[x] = uchar((qRed(in[x]) * 77 + qGreen(in[x]) * 150 + qBlue(in[x]) * 29) >> 8);
    }
    return grey;
}

// The jobs the reader process runs. A single symbol comes back as a 1 and its bytes (nothing
// when there is none); a page as the number of symbols identified and the decoded ones.
QByteArray readEasy(const QImage& grey)
{
    const std::optional<QByteArray> bytes = SymbolDecoder::readEasy(grey);
    return bytes ? '\1' + *bytes : QByteArray();
}

QByteArray readHard(const QImage& grey)
{
    const std::optional<QByteArray> bytes = SymbolDecoder::readHard(grey);
    return bytes ? '\1' + *bytes : QByteArray();
}

QByteArray readAll(const QImage& grey)
{
    QByteArray packed;
    QDataStream out(&packed, QIODevice::WriteOnly);
    const QList<SymbolDecoder::Symbol> symbols = SymbolDecoder::readAll(grey);
    out << qint32(symbols.size());
    for (const SymbolDecoder::Symbol& symbol : symbols) {
        if (symbol.decoded)
            out << symbol.bytes;
    }
    return packed;
}

std::int16_t decodeOne(const QString& bitmapFile, const QString& vCardFile, ReaderProcess::Job job)
{
    const QImage grey = readGrey(bitmapFile);
    if (grey.isNull())
        return CannotRead;
    const std::optional<QByteArray> answer = ReaderProcess::run(job, grey, ReadTimeoutMs);
    if (!answer || answer->isEmpty())
        return NoSymbol;
    return writeAtomically(vCardFile, answer->mid(1)) ? Done : CannotWrite;
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

// Every symbol of the image (see the multiple-symbol call). A reader that fails on the image
// leaves the page empty: nothing identified.
Page readPage(const QImage& grey, const FileState& state)
{
    Page page{state, {}, 0};
    const std::optional<QByteArray> answer = ReaderProcess::run(&readAll, grey, ReadTimeoutMs);
    if (!answer)
        return page;
    QDataStream in(*answer);
    qint32 identified = 0;
    QList<QByteArray> decoded;
    in >> identified;
    while (in.status() == QDataStream::Ok && !in.atEnd()) {
        QByteArray bytes;
        in >> bytes;
        decoded << bytes;
    }
    if (in.status() == QDataStream::Ok) {
        page.identified = identified;
        page.decoded = decoded;
    }
    return page;
}

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
    return decodeOne(bitmapFile, vCardFile, &readEasy);
}

std::int16_t pdfDecodeBMPSymbolToFileHard(const QString& bitmapFile, const QString& vCardFile)
{
    return decodeOne(bitmapFile, vCardFile, &readHard);
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

    QMutexLocker lock(&pageMutex);
    // The call for symbol 1 starts a loop and always reads the file afresh.
    if (index == 1 || !currentPage || !(currentPage->state == *state)) {
        currentPage.reset();
        const QImage grey = readGrey(bitmapFile);
        if (grey.isNull())
            return -CannotRead;
        currentPage = readPage(grey, *state);
    }
    if (index == 1)
        count = std::int16_t(std::min(currentPage->identified, int(std::numeric_limits<std::int16_t>::max())));
    if (index > currentPage->decoded.size())
        return 0;
    if (!writeAtomically(vCardFile, currentPage->decoded[index - 1]))
        return -CannotWrite;
    return index < currentPage->decoded.size() ? 1 : 2;
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
    return writeAtomically(vCardFile, *card) ? Done : CannotWrite;
}

} // namespace pdf417
