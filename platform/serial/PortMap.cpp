#include "platform/serial/PortMap.h"

#include <QFile>
#include <QStandardPaths>

namespace serial {

namespace {

// A mapping file is a handful of lines; anything longer is not read past this.
constexpr qint64 MaxMapFileBytes = 64 * 1024;

int portNumberOf(QByteArrayView key)
{
    if (key.size() < 4 || key.size() > 5 || QByteArrayView(key.first(3)).compare("COM", Qt::CaseInsensitive) != 0)
        return 0;
    int port = 0;
    for (char c : key.sliced(3)) {
        if (c < '0' || c > '9')
            return 0;
        port = port * 10 + (c - '0');
    }
    return port >= FirstPort && port <= LastPort ? port : 0;
}

} // namespace

QString portMapFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/corvel/serial-ports.conf");
}

QMap<int, QString> parsePortMap(QByteArrayView text)
{
    QMap<int, QString> map;
    while (!text.isEmpty()) {
        qsizetype end = text.indexOf('\n');
        QByteArrayView line = text.first(end < 0 ? text.size() : end).trimmed();
        text = end < 0 ? QByteArrayView() : text.sliced(end + 1);
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        qsizetype eq = line.indexOf('=');
        if (eq < 0)
            continue;
        int port = portNumberOf(line.first(eq).trimmed());
        QByteArrayView device = line.sliced(eq + 1).trimmed();
        if (port == 0 || !device.startsWith('/') || device.contains('\0'))
            continue;
        map.insert(port, QFile::decodeName(device.toByteArray()));
    }
    return map;
}

QString devicePathFor(int port)
{
    const QByteArray fromEnv = qgetenv("QV_COM" + QByteArray::number(port));
    if (!fromEnv.isEmpty())
        return QFile::decodeName(fromEnv);

    QFile file(portMapFile());
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray text = file.read(MaxMapFileBytes + 1);
        if (text.size() > MaxMapFileBytes)
            qWarning("%s is too large to be a serial port map; it is ignored", qPrintable(file.fileName()));
        else if (const QMap<int, QString> map = parsePortMap(text); map.contains(port))
            return map.value(port);
    }
    return QStringLiteral("/dev/ttyS") + QString::number(port - 1);
}

} // namespace serial
