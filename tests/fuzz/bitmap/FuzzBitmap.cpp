// Arbitrary bytes as an image file handed to the plain symbol reader, the work the reader helper
// does in its process. Images are kept small (Qt's reader refuses larger allocations) so that
// every run stays quick.
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
    const pdf417::ReaderJob::Answer answer = pdf417::ReaderJob::run(pdf417::ReaderJob::Easy, bitmapFile);
    if (answer.symbols.size() > 1 || (!answer.readable && !answer.symbols.isEmpty()))
        std::abort();
    if (pdf417::ReaderJob::unpackAnswer(pdf417::ReaderJob::pack(answer)) != answer)
        std::abort();
    return 0;
}
