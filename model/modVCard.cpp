#include "model/modVCard.h"

#include "common/MainHelperText.h"
#include "model/CGlyphonV0.h"
#include "model/CGlyphonV1.h"
#include "model/CGlyphonV2.h"
#include "model/CGlyphonV3.h"
#include "model/modImpressionFile.h"
#include "platform/ui/MessageService.h"
#include "platform/vcard/VCardLibrary.h"

#include <algorithm>

namespace modVCard {

namespace {

QString getFromLibrary(int (*get)(QChar*, int, int), int nIndex)
{
    int n = 512;
    for (;;) {
        QString buffer(n, u'*');
        const int length = get(buffer.data(), n, nIndex);
        if (length < n - 1)
            return buffer.left(length);
        n *= 2;
    }
}

} // namespace

QString getProp(int nIndex)
{
    return getFromLibrary(vcard::GetvCardProp, nIndex);
}

QString getV0Prop(int nIndex)
{
    return getFromLibrary(vcard::GetV0vCardProp, nIndex);
}

void addPropIfNotBlank(int nIndex, const QString& strValue)
{
    if (std::all_of(strValue.begin(), strValue.end(), [](QChar c) { return c == u' '; }))
        return;
    vcard::AddvCardProp(nIndex, strValue);
}

void addEncodedProp(int nIndex, const QString& strValue)
{
    addPropIfNotBlank(nIndex, modMainHelper::encodeNewlines(strValue));
}

int getCardFileVersion(const QString& strFileName)
{
    vcard::InitializevCard();
    if (vcard::ReadvCardIntoMemory(strFileName) != 0)
        return -1;
    const QString version = getProp(modImpressionFile::idxVersion);
    if (version.isEmpty())
        return 0;
    if (version != u"3.0")
        return -1;
    const QString fileVersion = getProp(modImpressionFile::idxFileVersion);
    if (fileVersion.isEmpty() || fileVersion == u"1")
        return 1;
    return fileVersion == u"2" ? 2 : 3;
}

std::unique_ptr<IGlyphon> getCardReader(const QString& strFileName)
{
    switch (getCardFileVersion(strFileName)) {
    case 0:
        return std::make_unique<CGlyphonV0>();
    case 1:
        return std::make_unique<CGlyphonV1>();
    case 2:
        return std::make_unique<CGlyphonV2>();
    case 3:
        return std::make_unique<CGlyphonV3>();
    default:
        return nullptr;
    }
}

bool loadCardFile(CImpressionDoc& doc, const QString& strFileName)
{
    vcard::InitializevCard();
    if (vcard::ReadvCardIntoMemory(strFileName) == 0 && modImpressionFile::readVCardIntoImpression(doc, strFileName))
        return true;
    ui::msgBox(QStringLiteral("Problem reading ") + strFileName + u'.', ui::Buttons::Ok, ui::Icon::None,
               QStringLiteral("Information"));
    return false;
}

} // namespace modVCard
