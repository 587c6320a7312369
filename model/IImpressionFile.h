#pragma once

#include "platform/files/AtomicFile.h"

#include <QString>

class CImpressionDoc;

// One version of the impression file format.
class IImpressionFile
{
public:
    virtual ~IImpressionFile() = default;

    // True when the file was read into doc.
    virtual bool readFile(CImpressionDoc& doc, const QString& strFileName) = 0;
    // True when doc was written; bIncludeXFields adds the font and the six lines. A work file
    // (one the program makes again for every card) is not flushed to the disk.
    virtual bool writeFile(const CImpressionDoc& doc, const QString& strFileName, bool bIncludeXFields,
                           files::Durability durability = files::Durability::Durable) = 0;
};
