#include "platform/shell/DesktopFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace shell {

namespace {

// The tools rebuild a user's caches in well under a second; a bound keeps a stuck one from
// holding the window.
constexpr int ToolTimeoutMs = 15000;

// The theme file of one size of an icon.
QString iconFile(const QString& dataFolder, int size, const QString& name)
{
    return QStringLiteral("%1/icons/hicolor/%2x%2/apps/%3.png").arg(dataFolder).arg(size).arg(name);
}

files::WriteResult writeInto(const QString& path, const QByteArray& bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return files::WriteResult::failure(QStringLiteral("cannot make the folder ") + QFileInfo(path).absolutePath());
    return files::writeFile(path, bytes);
}

QString xmlEscaped(const QString& text)
{
    return text.toHtmlEscaped();
}

bool runTool(const QString& tool, const QStringList& arguments, QString* error)
{
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty())
        return true;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(path, arguments);
    const bool ended = process.waitForFinished(ToolTimeoutMs);
    if (!ended)
        process.kill();
    if (ended && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return true;
    if (error) {
        *error = tool + (ended ? QStringLiteral(" failed: ") + QString::fromLocal8Bit(process.readAll()).trimmed()
                               : QStringLiteral(" did not end in time"));
    }
    process.waitForFinished(1000);
    return false;
}

} // namespace

QString userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString userConfigFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

files::WriteResult writeMimePackage(const QString& dataFolder, const QString& package, const MimeType& type)
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n");
    xml += QStringLiteral("  <mime-type type=\"%1\">\n").arg(xmlEscaped(type.name));
    if (!type.subClassOf.isEmpty())
        xml += QStringLiteral("    <sub-class-of type=\"%1\"/>\n").arg(xmlEscaped(type.subClassOf));
    xml += QStringLiteral("    <comment>%1</comment>\n").arg(xmlEscaped(type.comment));
    if (!type.icon.isEmpty())
        xml += QStringLiteral("    <icon name=\"%1\"/>\n").arg(xmlEscaped(type.icon));
    xml += QStringLiteral("    <glob pattern=\"%1\"/>\n").arg(xmlEscaped(type.glob));
    if (!type.firstLine.isEmpty()) {
        // Priority 80 and above is looked at before the file name by the sniffers that honour
        // priorities, so that contents win over a wrong extension.
        xml += QStringLiteral("    <magic priority=\"80\">\n"
                              "      <match type=\"string\" offset=\"0\" value=\"%1\">\n")
                   .arg(xmlEscaped(QString::fromLatin1(type.firstLine)));
        if (!type.marker.isEmpty())
            xml += QStringLiteral("        <match type=\"string\" offset=\"%1:%2\" value=\"%3\"/>\n")
                       .arg(type.firstLine.size())
                       .arg(type.markerRange)
                       .arg(xmlEscaped(QString::fromLatin1(type.marker)));
        xml += QStringLiteral("      </match>\n    </magic>\n");
    }
    xml += QStringLiteral("  </mime-type>\n</mime-info>\n");
    return writeInto(dataFolder + QStringLiteral("/mime/packages/") + package + QStringLiteral(".xml"), xml.toUtf8());
}

files::WriteResult writeDesktopEntry(const QString& dataFolder, const DesktopEntry& entry)
{
    return writeInto(dataFolder + QStringLiteral("/applications/") + entry.fileName(), entry.text());
}

files::WriteResult writeThemeIcon(const QString& dataFolder, const QString& name, const QIcon& icon)
{
    const QList<QSize> sizes = icon.availableSizes();
    if (sizes.isEmpty())
        return files::WriteResult::failure(QStringLiteral("the icon ") + name + QStringLiteral(" has no picture"));
    for (const QSize& size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!icon.pixmap(size).toImage().save(&buffer, "PNG"))
            return files::WriteResult::failure(QStringLiteral("cannot draw the icon ") + name);
        if (auto written = writeInto(iconFile(dataFolder, size.width(), name), png); !written)
            return written;
    }
    return {};
}

files::WriteResult setDefaultApplication(const QString& configFolder, const QString& mimeType, const QString& desktopId)
{
    const QString path = configFolder + QStringLiteral("/mimeapps.list");
    QStringList lines;
    QFile existing(path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return files::WriteResult::failure(existing.errorString());
        lines = QString::fromUtf8(existing.readAll()).split(u'\n');
        existing.close();
        while (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
    }
    const QString section = QStringLiteral("[Default Applications]");
    const QString entry = mimeType + u'=' + desktopId + QStringLiteral(";");
    qsizetype start = lines.indexOf(section);
    if (start < 0) {
        if (!lines.isEmpty())
            lines << QString();
        lines << section << entry;
    } else {
        qsizetype end = start + 1;
        while (end < lines.size() && !lines[end].startsWith(u'['))
            ++end;
        qsizetype at = -1;
        for (qsizetype i = start + 1; i < end; ++i) {
            if (lines[i].section(u'=', 0, 0).trimmed() == mimeType)
                at = i;
        }
        if (at >= 0) {
            lines[at] = entry;
        } else {
            // After the section's last entry, before any blank lines that end it.
            qsizetype last = end;
            while (last > start + 1 && lines[last - 1].trimmed().isEmpty())
                --last;
            lines.insert(last, entry);
        }
    }
    return writeInto(path, (lines.join(u'\n') + u'\n').toUtf8());
}

bool removeDesktopEntry(const QString& dataFolder, const QString& id)
{
    const QString path = dataFolder + QStringLiteral("/applications/") + id + QStringLiteral(".desktop");
    return !QFile::exists(path) || QFile::remove(path);
}

bool removeThemeIcon(const QString& dataFolder, const QString& name)
{
    bool ok = true;
    const QDir hicolor(dataFolder + QStringLiteral("/icons/hicolor"));
    for (const QString& sizeFolder : hicolor.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString path = hicolor.filePath(sizeFolder + QStringLiteral("/apps/") + name + QStringLiteral(".png"));
        ok = (!QFile::exists(path) || QFile::remove(path)) && ok;
    }
    return ok;
}

bool refreshMimeDatabase(const QString& dataFolder, QString* error)
{
    return runTool(QStringLiteral("update-mime-database"), {dataFolder + QStringLiteral("/mime")}, error);
}

bool refreshDesktopDatabase(const QString& dataFolder, QString* error)
{
    return runTool(QStringLiteral("update-desktop-database"), {dataFolder + QStringLiteral("/applications")}, error);
}

} // namespace shell
