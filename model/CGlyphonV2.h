#pragma once

#include "model/IGlyphon.h"

// Cards of version 2, read by the shared card loader.
class CGlyphonV2 final : public IGlyphon
{
public:
    bool loadCard(CImpressionDoc& doc, const QString& strInFileName) override;
    bool saveIMF(const CImpressionDoc& doc, const QString& strFileName, bool bIncludeXFields) override;
};
