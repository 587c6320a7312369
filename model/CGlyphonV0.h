#pragma once

#include "model/IGlyphon.h"

// Cards of version 0 (no vCard version): fifteen fields in the older numbering.
class CGlyphonV0 final : public IGlyphon
{
public:
    bool loadCard(CImpressionDoc& doc, const QString& strInFileName) override;
    bool saveIMF(const CImpressionDoc& doc, const QString& strFileName, bool bIncludeXFields) override;
};
