#pragma once

#include "platform/files/AtomicFile.h"

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

// Writes the current card to a file, atomically (a work file without a disk flush). 0 on
// success; 1 when the target exists and is read-only; 2 when it cannot be written. A file
// the user keeps carries a UID (the one of the card it replaces, else a new one), as
// contact programs need; a work file carries none (see IndexedCard::save).
int SavevCardToFile(const QString& fileName, files::Durability durability = files::Durability::Durable);

// Frees the current card.
void ReleasevCard();

} // namespace vcard
