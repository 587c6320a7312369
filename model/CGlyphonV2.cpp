#include "model/CGlyphonV2.h"

#include "model/modVCard.h"

bool CGlyphonV2::loadCard(CImpressionDoc& doc, const QString& strInFileName)
{
    return modVCard::loadCardFile(doc, strInFileName);
}

bool CGlyphonV2::saveIMF(const CImpressionDoc&, const QString&, bool)
{
    return false;
}
