#include "model/CGlyphonV1.h"

#include "model/modVCard.h"

bool CGlyphonV1::loadCard(CImpressionDoc& doc, const QString& strInFileName)
{
    return modVCard::loadCardFile(doc, strInFileName);
}

bool CGlyphonV1::saveIMF(const CImpressionDoc&, const QString&, bool)
{
    return false;
}
