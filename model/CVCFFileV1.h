#pragma once

#include "model/IImpressionFile.h"

// vCard export: the impression as a vCard for other contact programs. The file
// version is written only together with the extra fields.
class CVCFFileV1 final : public IImpressionFile
{
public:
    bool readFile(CImpressionDoc& doc, const QString& strFileName) override;
    // False without a message when the save fails: the caller reports.
    bool writeFile(const CImpressionDoc& doc, const QString& strFileName, bool bIncludeXFields,
                   files::Durability durability = files::Durability::Durable) override;
};
