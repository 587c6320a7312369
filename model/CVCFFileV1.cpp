#include "model/CVCFFileV1.h"

#include "model/modImpressionFile.h"

bool CVCFFileV1::readFile(CImpressionDoc& doc, const QString& strFileName)
{
    return modImpressionFile::readVCardIntoImpression(doc, strFileName);
}

bool CVCFFileV1::writeFile(const CImpressionDoc& doc, const QString& strFileName, bool bIncludeXFields,
                           files::Durability durability)
{
    return modImpressionFile::writeVCardFromImpression(doc, strFileName, bIncludeXFields, bIncludeXFields, durability);
}
