#pragma once

#include <QString>

class CImpressionDoc;

// One version of the card symbol's content: fills an impression from a decoded card.
class IGlyphon
{
public:
    virtual ~IGlyphon() = default;

    // Fills doc from the decoded card file; false (after telling the user) when the card
    // could not be read.
    virtual bool loadCard(CImpressionDoc& doc, const QString& strInFileName) = 0;
    // Cards are never written: always false, no file touched.
    virtual bool saveIMF(const CImpressionDoc& doc, const QString& strFileName, bool bIncludeXFields) = 0;
};
