#pragma once

#include <QChar>
#include <QString>

// The vCard library the programs call: one process-wide current card, addressed by
// property index (see IndexedCard for the indices and the text form). Only the one
// user-interface thread calls it.
namespace vcard {

// Starts a new, empty current card. Always 0.
int InitializevCard();

// Loads the first complete card of a file into the current card. 0 on success; 1 when
// the file cannot be read (missing, a folder, too large); 2 when it holds no complete
// BEGIN:VCARD ... END:VCARD. On failure the current card is empty.
int ReadvCardIntoMemory(const QString& fileName);

// Copies the value of property `index` into `buffer`, which holds `bufferSize`
// characters: at most bufferSize - 1 characters, then a terminating null. Returns the
// length of the whole value, 0 when the property is absent. A result of at least
// bufferSize - 1 means the value may not have fitted: ask again with a larger buffer.
int GetvCardProp(QChar* buffer, int bufferSize, int index);

// The same through the older numbering of version-0 cards (cards without VERSION).
int GetV0vCardProp(QChar* buffer, int bufferSize, int index);

// Sets property `index` of the current card to `value`. 0 on success, 1 for an index
// that is not stored.
int AddvCardProp(int index, const QString& value);

// Writes the current card to a file, atomically. 0 on success; 1 when the target
// exists and is read-only; 2 when it cannot be written. The file carries a UID (the one of
// the card it replaces, else a new one), as contact programs need.
int SavevCardToFile(const QString& fileName);

// Whether SavevCardToFile gives cards a UID; true unless turned off. A card written to be
// encoded in a symbol goes without: the UID would take room the contact needs, and a new
// one for every drawing would change the symbol each time. Returns the previous setting.
bool SetvCardUidWritten(bool bWritten);

// Frees the current card.
void ReleasevCard();

} // namespace vcard
