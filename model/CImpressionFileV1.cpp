#include "model/CImpressionFileV1.h"

#include "model/CImpressionDoc.h"
#include "model/modImpressionFile.h"

bool CImpressionFileV1::readFile(CImpressionDoc& doc, const QString& strFileName)
{
    if (!modImpressionFile::readVCardIntoImpression(doc, strFileName))
        return false;
    doc.setFileVersion(1);
    return true;
}

bool CImpressionFileV1::writeFile(const CImpressionDoc&, const QString&, bool, files::Durability)
{
    return false;
}
