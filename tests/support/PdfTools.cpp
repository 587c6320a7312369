#include "PdfTools.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace pdf_tools {

namespace {

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QByteArray();
    return process.readAllStandardOutput();
}

} // namespace

bool rasteriseToFile(const QString& pdfFile, const QString& pgmFile, int dpi, const QRect& crop, int page)
{
    if (!pgmFile.endsWith(QStringLiteral(".pgm")))
        return false;
    QStringList arguments = {QStringLiteral("-r"),  QString::number(dpi),         QStringLiteral("-gray"),
                             QStringLiteral("-f"),  QString::number(page),        QStringLiteral("-l"),
                             QString::number(page), QStringLiteral("-singlefile")};
    if (!crop.isNull()) {
        arguments << QStringLiteral("-x") << QString::number(crop.x()) << QStringLiteral("-y")
                  << QString::number(crop.y()) << QStringLiteral("-W") << QString::number(crop.width())
                  << QStringLiteral("-H") << QString::number(crop.height());
    }
    QFile::remove(pgmFile);
    run(QStringLiteral("pdftoppm"), arguments << pdfFile << pgmFile.chopped(4));
    return QFile::exists(pgmFile);
}

QImage rasterise(const QString& pdfFile, int dpi, int page)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("page.pgm"));
    if (!rasteriseToFile(pdfFile, file, dpi, QRect(), page))
        return QImage();
    return QImage(file).convertToFormat(QImage::Format_Grayscale8);
}

QStringList images(const QString& pdfFile)
{
    const QStringList lines =
        QString::fromUtf8(run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdfFile})).split(u'\n');
    // Two lines of heading, then an image a line.
    QStringList list;
    for (qsizetype i = 2; i < lines.size(); ++i) {
        if (!lines[i].trimmed().isEmpty())
            list << lines[i];
    }
    return list;
}

QString text(const QString& pdfFile)
{
    return QString::fromUtf8(run(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdfFile, QStringLiteral("-")}));
}

int pageCount(const QString& pdfFile)
{
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdfFile}));
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace pdf_tools
