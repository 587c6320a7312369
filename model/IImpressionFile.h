#pragma once

#include <QString>

class CImpressionDoc;

// One version of the impression file format.
class IImpressionFile
{
public:
    virtual ~IImpressionFile() = default;

    // True when the file was read into doc.
    virtual bool readFile(CImpressionDoc& doc, const QString& strFileName) = 0;
    // True when doc was written; bIncludeXFields adds the font and the six lines.
    virtual bool writeFile(const CImpressionDoc& doc, const QString& strFileName, bool bIncludeXFields) = 0;
};
