// Arbitrary bytes as an image file read the way the reader helper reads it (Qt's image decoders,
// then the conversion to grey), and as the helper's answer read back by the program. The symbol
// reading itself is not run here: zxing-cpp 1.4 reads out of bounds on a known malformed symbol
// (tests/data/pdf417/misread-rows.bmp, in the corpus), which is why it runs in the helper.
// Images are kept small (Qt's reader refuses larger allocations) so that every run stays quick.
#include "platform/pdf417/Pdf417.h"
#include "platform/pdf417/ReaderJob.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

QTemporaryDir* folder = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {}); // decoders' complaints
    new QGuiApplication(*argc, *argv);
    QImageReader::setAllocationLimit(1); // megabytes
    folder = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // No suffix: Qt tells BMP, PNG, JPEG and the rest apart by their content.
    const QString bitmapFile = folder->filePath(QStringLiteral("scan"));
    QFile file(bitmapFile);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        return 0;
    file.close();
    const QImage grey = pdf417::readGrey(bitmapFile);
    if (!grey.isNull() && grey.format() != QImage::Format_Grayscale8)
        std::abort();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const std::optional<pdf417::ReaderJob::Answer> answer = pdf417::ReaderJob::unpackAnswer(bytes)) {
        if (pdf417::ReaderJob::unpackAnswer(pdf417::ReaderJob::pack(*answer)) != answer)
            std::abort();
    }
    return 0;
}
