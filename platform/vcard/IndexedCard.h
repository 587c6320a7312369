#pragma once

#include "platform/vcard/VCardCard.h"
#include "platform/vcard/VCardReader.h"
#include "platform/vcard/VCardWriter.h"

#include <QByteArray>
#include <QString>

namespace vcard {

// A card addressed by property index, the way the programs store an impression:
//
//   0        VERSION                  1-5    N (prefix, given, additional, family, suffix)
//   6        NICKNAME                 7      FN
//   8        EMAIL;TYPE=INTERNET      9      URL
//   10       NOTE                     11     TITLE
//   12       ORG
//   13-18    ADR;TYPE=WORK            extended address, street, city, region, code, country
//   19-23    ADR;TYPE=WORK,POSTAL     post-office box, city, region, code, country
//   24-27    TEL;TYPE=WORK,VOICE / PAGER / FAX / CELL
//   28-33    ADR;TYPE=HOME            as 13-18
//   34-38    ADR;TYPE=HOME,POSTAL     as 19-23
//   39-42    TEL;TYPE=HOME,VOICE / PAGER / FAX / CELL
//   43       X-CORVEL-FILE-VERSION    44 is reserved and never stored
//   45, 46   X-CORVEL-FONT-NAME, X-CORVEL-FONT-SIZE
//   47-52    X-CORVEL-WORDS-1 to X-CORVEL-WORDS-6
//
// Indices that share a structured property (N, ADR) are its components, so other
// contact programs see proper names and addresses. Reading is lenient about cards
// written elsewhere: an ADR or TEL without HOME counts as business, a TEL without
// PAGER, FAX or CELL as voice, an ADR with POSTAL as the post-office block.
//
// Values are held exactly, every character kept. In the file, "\", ";" and "," are
// escaped as usual. Line breaks need more than vCard's one "\n", because a value must
// come back with CR, LF, CR LF and LF CR told apart:
//   - a backslash followed by "n" in a value is written as "\n", the vCard line break.
//     The multi-line fields are stored by the programs with their line breaks turned
//     into backslash-n, so other contact programs show them as line breaks, and a card
//     from elsewhere with "\n" line breaks reads into those fields as lines;
//   - a real LF is written as "\N" (also a vCard line break for other programs);
//   - a real CR is written as "\r", which vCard leaves undefined (other programs show
//     it as it stands);
//   - any other backslash is written as "\\".
class IndexedCard
{
public:
    static constexpr int IndexCount = 53;

    void clear() { m_card.clear(); }

    // Loads the first complete card of a file or of text. On failure the card is empty.
    ReadResult::Error load(const QString& fileName);
    bool loadData(const QByteArray& data);

    // The card as vCard 3.0 text; a card with a VERSION gets the N and FN that
    // vCard 3.0 requires (empty) when it has none, and `uid` as its UID when it has none
    // and `uid` is not empty.
    QByteArray toData(const QString& uid = QString()) const;
    // Writes the card to a file; a work file is not flushed to the disk. A file the user
    // keeps (durable) gets a UID when the card has a VERSION, so that contact programs take
    // it: the card's own, else the one of the card the file held (saved again, it stays the
    // same contact), else a new one. A work file, made again for every card, goes without: a
    // card written to be encoded in a symbol has no room to spare, and a new UID each time
    // would change the symbol each time.
    SaveResult save(const QString& fileName, files::Durability durability = files::Durability::Durable) const;

    // The value of an index; empty when the property is absent or the index unknown.
    QString value(int index) const;
    // The same for a version-0 card (one without VERSION), through the older numbering.
    QString v0Value(int index) const;
    // Stores a value, replacing the one the index had. False for an unknown index.
    bool setValue(int index, const QString& value);

    const Card& card() const { return m_card; }

    // The file text of a value and back (see above).
    static QString escapeValue(QStringView value);
    static QString unescapeValue(QStringView raw);

private:
    Card m_card;
};

} // namespace vcard
