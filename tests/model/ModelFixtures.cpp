#include "ModelFixtures.h"

#include "common/MainHelperText.h"
#include "model/modImpressionFile.h"
#include "platform/vcard/VCardLibrary.h"

#include <QFile>

#include <gtest/gtest.h>

namespace model_test {

QStringList awkwardValues()
{
    return {
        QStringLiteral("semi;comma,colon:back\\slash"),
        QStringLiteral("the two characters \\n stay"),
        QStringLiteral("  leading and trailing blanks  "),
        QStringLiteral("Zoë Ærøskøbing ✓ 日本語 😀"),
        QStringLiteral("x\r\nX-CORVEL-FILE-VERSION:9"),
        QStringLiteral("crlf\r\nlfcr\n\rlone lf\nend"),
        QStringLiteral("lone\rcr"),
        QStringLiteral("END:VCARD"),
        QStringLiteral("trailing backslash\\"),
        QString(511, u'a'),
        QString(512, u'b'),
        QString(300, QChar(0x00E9)) + QString(300, u'z'), // 600 characters, 900 octets
        QStringLiteral("\"quoted\"\ttab"),
    };
}

CImpressionDoc awkwardDocument()
{
    const QStringList values = awkwardValues();
    CImpressionDoc doc;
    for (int k = 0; k < CImpressionDoc::FieldCount; ++k)
        doc.setField(k, values[k % values.size()] + CImpressionDoc::fieldName(k));
    for (std::int16_t i = 0; i < CImpressionDoc::LineCount; ++i)
        doc.setCwLines(i, values[(i + 5) % values.size()] + QString::number(i));
    doc.setCwFontName(QStringLiteral(" Liberation Sans; Bold "));
    doc.setCwFontSize(14);
    return doc;
}

QString afterRoundTrip(int nSlot, const QString& strValue)
{
    if (!modImpressionFile::isMultiLineIndex(nSlot + modImpressionFile::idxFirstField))
        return strValue;
    return modMainHelper::decodeNewlines(modMainHelper::encodeNewlines(strValue));
}

void writeIndexedCard(const QString& fileName, const QList<QPair<int, QString>>& values)
{
    vcard::InitializevCard();
    for (const auto& [index, value] : values)
        vcard::AddvCardProp(index, value);
    ASSERT_EQ(vcard::SavevCardToFile(fileName), 0);
}

void writeBytes(const QString& fileName, const QByteArray& data)
{
    QFile f(fileName);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(data), data.size());
}

} // namespace model_test
