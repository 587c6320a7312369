#include "platform/scanner/ImageSource.h"

#include "platform/files/AtomicFile.h"
#include "platform/scanner/SaneImageSource.h"

#include <QImageWriter>

namespace scanner {

namespace {

ImageSource& sane()
{
    static SaneImageSource source;
    return source;
}

} // namespace

constinit service::Service<ImageSource> imageSource(&sane);

Acquired Acquired::done(QImage image)
{
    return {std::move(image), Status::Done, {}};
}

Acquired Acquired::cancelled()
{
    return {{}, Status::Cancelled, {}};
}

Acquired Acquired::failed(QString error)
{
    return {{}, Status::Failed, std::move(error)};
}

Acquired acquireImage(QWidget* parent)
{
    return imageSource().acquire(parent);
}

Exported exportImage(const QImage& image, const QString& fileName, const QByteArray& format)
{
    if (image.isNull())
        return {QStringLiteral("There is no image to write to %1.").arg(fileName)};
    QImage out = image;
    if (out.format() == QImage::Format_Grayscale8) {
        // Image writers store 8-bit pictures as palette pictures: give it the gray palette.
        static const QList<QRgb> grays = [] {
            QList<QRgb> table;
            for (int i = 0; i < 256; ++i)
                table.append(qRgb(i, i, i));
            return table;
        }();
        out.reinterpretAsFormat(QImage::Format_Indexed8);
        out.setColorTable(grays);
    }
    files::AtomicFile file(fileName);
    if (const files::WriteResult opened = file.open(); !opened)
        return {QStringLiteral("Cannot write %1: %2").arg(fileName, opened.error())};
    QImageWriter writer(file.device(), format);
    if (!writer.write(out))
        return {QStringLiteral("Cannot write %1: %2").arg(fileName, writer.errorString())};
    if (const files::WriteResult committed = file.commit(); !committed)
        return {QStringLiteral("Cannot write %1: %2").arg(fileName, committed.error())};
    return {};
}

} // namespace scanner
