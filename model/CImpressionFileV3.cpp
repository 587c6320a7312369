#include "model/CImpressionFileV3.h"

#include "model/modImpressionFile.h"

bool CImpressionFileV3::readFile(CImpressionDoc& doc, const QString& strFileName)
{
    return modImpressionFile::readVCardIntoImpression(doc, strFileName);
}

bool CImpressionFileV3::writeFile(const CImpressionDoc& doc, const QString& strFileName, bool bIncludeXFields,
                                  files::Durability durability)
{
    return modImpressionFile::writeCurrentFormat(doc, strFileName, bIncludeXFields, durability);
}
