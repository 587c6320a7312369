#include "common/MainHelperText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace modMainHelper {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kLfCr = QStringLiteral("\n\r");
const QString kEscapedNewline = QStringLiteral("\\n");

} // namespace

void getFileNamePart(QString& strPath)
{
    const qsizetype slash = std::max(strPath.lastIndexOf(u'/'), strPath.lastIndexOf(u'\\'));
    if (slash >= 0)
        strPath = strPath.mid(slash + 1);
}

bool fileExists(const QString& strPath)
{
    if (strPath.isEmpty())
        return false;
    const QFileInfo info(strPath);
    const QString name = info.fileName();
    if (name.contains(u'*') || name.contains(u'?')) {
        // QDir leaves out hidden entries unless asked for them.
        return !QDir(info.path()).entryList({name}, QDir::Files).isEmpty();
    }
    return info.isFile() && !info.isHidden();
}

QString getFileExtension(const QString& strPath)
{
    const qsizetype dot = strPath.lastIndexOf(u'.');
    return dot < 0 ? QString() : strPath.mid(dot + 1).toLower();
}

QString stripFileExtension(const QString& strPath)
{
    const qsizetype dot = strPath.lastIndexOf(u'.');
    return dot < 0 ? strPath : strPath.left(dot);
}

QString replaceAll(const QString& strText, const QString& strFind, const QString& strReplacement)
{
    if (strFind.isEmpty())
        return strText;
    QString result;
    qsizetype from = 0;
    for (qsizetype p = strText.indexOf(strFind, from); p >= 0; p = strText.indexOf(strFind, from)) {
        result += QStringView(strText).mid(from, p - from);
        result += strReplacement;
        from = p + strFind.size();
    }
    result += QStringView(strText).mid(from);
    return result;
}

QString encodeNewlines(const QString& strText)
{
    return replaceAll(replaceAll(strText, kCrLf, kEscapedNewline), kLfCr, kEscapedNewline);
}

QString decodeNewlines(const QString& strText)
{
    return replaceAll(strText, kEscapedNewline, kCrLf);
}

QString removeInvalidFileNameChars(const QString& strName)
{
    static const QString invalid = QStringLiteral("\\/:*?<>|\"");
    QString result;
    result.reserve(strName.size());
    for (QChar c : strName)
        if (!invalid.contains(c))
            result += c;
    return result;
}

void stripSuffix(QString& strText, const QString& strSuffix)
{
    if (strText.size() > strSuffix.size() && strText.endsWith(strSuffix, Qt::CaseInsensitive))
        strText.chop(strSuffix.size());
}

QString getHelpFilePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Tessaline.hlp");
}

} // namespace modMainHelper
