#pragma once

#include "model/IImpressionFile.h"

// Impression files of version 2, read and written exactly like version 3.
class CImpressionFileV2 final : public IImpressionFile
{
public:
    bool readFile(CImpressionDoc& doc, const QString& strFileName) override;
    bool writeFile(const CImpressionDoc& doc, const QString& strFileName, bool bIncludeXFields,
                   files::Durability durability = files::Durability::Durable) override;
};
