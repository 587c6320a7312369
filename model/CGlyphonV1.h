#pragma once

#include "model/IGlyphon.h"

// Cards of version 1, read by the shared card loader.
class CGlyphonV1 final : public IGlyphon
{
public:
    bool loadCard(CImpressionDoc& doc, const QString& strInFileName) override;
    bool saveIMF(const CImpressionDoc& doc, const QString& strFileName, bool bIncludeXFields) override;
};
