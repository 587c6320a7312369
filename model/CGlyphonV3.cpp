#include "model/CGlyphonV3.h"

#include "model/modVCard.h"

bool CGlyphonV3::loadCard(CImpressionDoc& doc, const QString& strInFileName)
{
    return modVCard::loadCardFile(doc, strInFileName);
}

bool CGlyphonV3::saveIMF(const CImpressionDoc&, const QString&, bool)
{
    return false;
}
