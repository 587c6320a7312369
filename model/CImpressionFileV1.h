#pragma once

#include "model/IImpressionFile.h"

// Impression files of version 1 (also files without a vCard version): read only.
class CImpressionFileV1 final : public IImpressionFile
{
public:
    bool readFile(CImpressionDoc& doc, const QString& strFileName) override;
    bool writeFile(const CImpressionDoc& doc, const QString& strFileName, bool bIncludeXFields,
                   files::Durability durability = files::Durability::Durable) override;
};
