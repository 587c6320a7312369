#include "platform/scanner/SourceChoice.h"

#include "platform/files/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace scanner {

namespace {

// A device name is a short line; a longer file is not ours.
constexpr qint64 MaxChoiceBytes = 4096;

} // namespace

QString sourceChoiceFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/corvel/image-source");
}

QString chosenDevice()
{
    QFile file(sourceChoiceFile());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = file.read(MaxChoiceBytes + 1);
    if (text.size() > MaxChoiceBytes)
        return {};
    return QString::fromUtf8(text.left(text.indexOf('\n'))).trimmed();
}

bool setChosenDevice(const QString& device)
{
    const QString path = sourceChoiceFile();
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    return bool(files::writeFile(path, device.trimmed().toUtf8() + '\n'));
}

} // namespace scanner
