#include "model/CImpressionDoc.h"

#include "model/CImpressionFileV3.h"
#include "model/modImpressionFile.h"
#include "platform/vb/VbError.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

const QString kDefaultFontName = QStringLiteral("Arial");
constexpr std::int32_t kDefaultFontSize = 6;

[[noreturn]] void raiseSubscriptOutOfRange()
{
    throw vb::Error::runtime(vb::err::SubscriptOutOfRange, QCoreApplication::applicationName());
}

int lineSlot(std::int16_t nIndex)
{
    if (nIndex < 0 || nIndex >= CImpressionDoc::LineCount)
        raiseSubscriptOutOfRange();
    return CImpressionDoc::slotCwLines + nIndex;
}

int fieldSlot(int nSlot)
{
    if (nSlot < 0 || nSlot >= CImpressionDoc::FieldCount)
        raiseSubscriptOutOfRange();
    return nSlot;
}

} // namespace

CImpressionDoc::CImpressionDoc()
    : m_fontName(kDefaultFontName), m_fontSize(kDefaultFontSize), m_fileVersion(CurrentFileVersion)
{
}

const QString& CImpressionDoc::field(int nSlot) const
{
    return m_slots[fieldSlot(nSlot)];
}

void CImpressionDoc::setField(int nSlot, const QString& strData)
{
    m_slots[fieldSlot(nSlot)] = strData;
}

QString CImpressionDoc::fieldName(int nSlot)
{
#define QV_IMPRESSION_NAME(name) QStringLiteral(#name),
    static const std::array<QString, FieldCount> names = {QV_IMPRESSION_FIELDS(QV_IMPRESSION_NAME)};
#undef QV_IMPRESSION_NAME
    return nSlot >= 0 && nSlot < FieldCount ? names[nSlot] : QString();
}

void CImpressionDoc::setCwFontName(const QString& strData)
{
    const bool blank = std::all_of(strData.begin(), strData.end(), [](QChar c) { return c == u' '; });
    m_fontName = blank ? kDefaultFontName : strData;
}

void CImpressionDoc::setCwFontSize(std::int32_t nData)
{
    m_fontSize = nData >= MinFontSize && nData <= MaxFontSize ? nData : kDefaultFontSize;
}

const QString& CImpressionDoc::CwLines(std::int16_t nIndex) const
{
    return m_slots[lineSlot(nIndex)];
}

void CImpressionDoc::setCwLines(std::int16_t nIndex, const QString& strData)
{
    m_slots[lineSlot(nIndex)] = strData;
}

bool CImpressionDoc::readFile(const QString& strFileName)
{
    const std::unique_ptr<IImpressionFile> reader = modImpressionFile::getImpressionFileReader(strFileName);
    return reader && reader->readFile(*this, strFileName);
}

bool CImpressionDoc::writeFile(const QString& strFileName, bool bIncludeXFields, files::Durability durability) const
{
    return CImpressionFileV3().writeFile(*this, strFileName, bIncludeXFields, durability);
}

void CImpressionDoc::clearAll()
{
    for (QString& s : m_slots)
        s.clear();
    m_fontName = kDefaultFontName;
    m_fontSize = kDefaultFontSize;
    m_fileVersion = CurrentFileVersion;
}
