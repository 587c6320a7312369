#pragma once

#include "model/IGlyphon.h"

#include <QString>

#include <memory>

class CImpressionDoc;

// The programs' access to the vCard library's current card, and the choice of the
// reader for a decoded card.
namespace modVCard {

// The value of a property of the current card, empty when absent; the buffer grows
// until the whole value fits.
QString getProp(int nIndex);
// The same through the library's numbering of version-0 cards.
QString getV0Prop(int nIndex);

// Adds the property unless the value is empty or only blanks; the value is added
// untrimmed.
void addPropIfNotBlank(int nIndex, const QString& strValue);
// encodeNewlines, then addPropIfNotBlank.
void addEncodedProp(int nIndex, const QString& strValue);

// Loads the file into a new current card and tells its version: -1 when it cannot be
// loaded or its vCard version (index 0) is present but not "3.0"; 0 when it has no vCard
// version; otherwise 1 for a file version (index 43) that is empty or "1", 2 for "2",
// and 3 for "3" or anything else.
int getCardFileVersion(const QString& strFileName);

// The loader for a decoded card, chosen by getCardFileVersion; none for -1.
std::unique_ptr<IGlyphon> getCardReader(const QString& strFileName);

// The loader of card versions 1 to 3. A file that cannot be loaded, or whose values
// cannot be read, shows "Problem reading <file>." and gives False.
bool loadCardFile(CImpressionDoc& doc, const QString& strFileName);

} // namespace modVCard
