// Arbitrary bytes as a bitmap file handed to the plain symbol reader. Images are kept small
// (Qt's reader refuses larger allocations) so that every run stays quick.
#include "platform/pdf417/Pdf417.h"

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
    const QString vCardFile = folder->filePath(QStringLiteral("card.vcf"));
    QFile file(bitmapFile);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        return 0;
    file.close();
    const int code = pdf417::pdfDecodeBMPSymbolToFileEasy(bitmapFile, vCardFile);
    if (code != pdf417::Done && code != pdf417::CannotRead && code != pdf417::NoSymbol)
        std::abort();
    return 0;
}
