#include "model/modImpressionFile.h"

#include "common/MainHelperText.h"
#include "model/CImpressionDoc.h"
#include "model/CImpressionFileV1.h"
#include "model/CImpressionFileV2.h"
#include "model/CImpressionFileV3.h"
#include "model/modVCard.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/VbError.h"
#include "platform/vb/VbNumber.h"
#include "platform/vcard/VCardLibrary.h"

namespace modImpressionFile {

bool isMultiLineIndex(int nIndex)
{
    return nIndex == CImpressionDoc::slotNamNotes + idxFirstField ||
           nIndex == CImpressionDoc::slotBusStreet + idxFirstField ||
           nIndex == CImpressionDoc::slotHomStreet + idxFirstField;
}

std::unique_ptr<IImpressionFile> getImpressionFileReader(const QString& strFileName)
{
    switch (modVCard::getCardFileVersion(strFileName)) {
    case 0:
    case 1:
        return std::make_unique<CImpressionFileV1>();
    case 2:
        return std::make_unique<CImpressionFileV2>();
    case 3:
        return std::make_unique<CImpressionFileV3>();
    default:
        return nullptr;
    }
}

bool readVCardIntoImpression(CImpressionDoc& doc, const QString& strFileName)
{
    vcard::InitializevCard();
    if (vcard::ReadvCardIntoMemory(strFileName) != 0)
        return false;
    try {
        for (int k = 0; k < CImpressionDoc::FieldCount; ++k) {
            const int index = k + idxFirstField;
            const QString value = modVCard::getProp(index);
            doc.setField(k, isMultiLineIndex(index) ? modMainHelper::decodeNewlines(value) : value);
        }
        const QString fileVersion = modVCard::getProp(idxFileVersion);
        if (!fileVersion.isEmpty())
            doc.setFileVersion(vb::toInt16(fileVersion));
        doc.setCwFontName(modVCard::getProp(idxFontName));
        doc.setCwFontSize(vb::toInt32(vb::val(modVCard::getProp(idxFontSize))));
        for (std::int16_t i = 0; i < CImpressionDoc::LineCount; ++i)
            doc.setCwLines(i, modVCard::getProp(idxFirstLine + i));
    } catch (const vb::Error&) {
        return false;
    }
    return true;
}

bool writeVCardFromImpression(const CImpressionDoc& doc, const QString& strFileName, bool bIncludeXFields,
                              bool bFileVersion, files::Durability durability)
{
    vcard::InitializevCard();
    vcard::AddvCardProp(idxVersion, QStringLiteral("3.0"));
    for (int k = 0; k < CImpressionDoc::FieldCount; ++k) {
        const int index = k + idxFirstField;
        if (isMultiLineIndex(index))
            modVCard::addEncodedProp(index, doc.field(k));
        else
            modVCard::addPropIfNotBlank(index, doc.field(k));
    }
    if (bFileVersion)
        vcard::AddvCardProp(idxFileVersion, QStringLiteral("3"));
    if (bIncludeXFields) {
        modVCard::addPropIfNotBlank(idxFontName, doc.CwFontName());
        modVCard::addPropIfNotBlank(idxFontSize, QString::number(doc.CwFontSize()));
        for (std::int16_t i = 0; i < CImpressionDoc::LineCount; ++i)
            modVCard::addPropIfNotBlank(idxFirstLine + i, doc.CwLines(i));
    }
    return vcard::SavevCardToFile(strFileName, durability) == 0;
}

bool writeCurrentFormat(const CImpressionDoc& doc, const QString& strFileName, bool bIncludeXFields,
                        files::Durability durability)
{
    if (writeVCardFromImpression(doc, strFileName, bIncludeXFields, true, durability))
        return true;
    ui::msgBox(QStringLiteral("Unable to save \r") + strFileName + QStringLiteral("\r\rCheck if file is read only."),
               ui::Buttons::Ok, ui::Icon::Exclamation);
    return false;
}

} // namespace modImpressionFile
