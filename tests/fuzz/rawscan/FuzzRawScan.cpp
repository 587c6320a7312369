// Arbitrary bytes as a serial hand scanner's output: the framing is removed or the bytes are
// refused, never read out of bounds; whatever passes is a vCard.
#include "platform/pdf417/Pdf417.h"
#include "platform/pdf417/ScanFraming.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

QTemporaryDir* folder = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    folder = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray raw(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<QByteArray> card = pdf417::ScanFraming::vCardOf(raw);
    if (card) {
        QByteArray upper = card->toUpper();
        if (upper.startsWith("\xEF\xBB\xBF"))
            upper.remove(0, 3);
        while (upper.endsWith('\n') || upper.endsWith('\r'))
            upper.chop(1);
        if (!upper.startsWith("BEGIN:VCARD") || !upper.endsWith("END:VCARD") || card->size() > raw.size() + 2)
            std::abort();
    }

    const QString rawFile = folder->filePath(QStringLiteral("raw.bmp"));
    const QString vCardFile = folder->filePath(QStringLiteral("card.vcf"));
    QFile file(rawFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(raw) != raw.size())
        return 0;
    file.close();
    QFile::remove(vCardFile);
    const int code = pdf417::decodeRawToFile(rawFile, vCardFile);
    if ((code == pdf417::Done) != bool(card))
        std::abort();
    if (code == pdf417::Done) {
        QFile written(vCardFile);
        if (!written.open(QIODevice::ReadOnly) || written.readAll() != *card)
            std::abort();
    }
    return 0;
}
