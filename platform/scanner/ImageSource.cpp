#include "platform/scanner/ImageSource.h"

#include "platform/scanner/SaneImageSource.h"

#include <QImageWriter>
#include <QSaveFile>

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
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return {QStringLiteral("Cannot write %1: %2").arg(fileName, file.errorString())};
    QImageWriter writer(&file, format);
    if (!writer.write(out)) {
        file.cancelWriting();
        return {QStringLiteral("Cannot write %1: %2").arg(fileName, writer.errorString())};
    }
    if (!file.commit())
        return {QStringLiteral("Cannot write %1: %2").arg(fileName, file.errorString())};
    return {};
}

} // namespace scanner
