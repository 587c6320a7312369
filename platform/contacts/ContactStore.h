#pragma once

#include "platform/contacts/ContactCard.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

namespace contacts {

// What a change to the store gave: nothing, or why it failed.
struct StoreResult
{
    QString error;

    explicit operator bool() const { return error.isEmpty(); }
};

// The user's contacts as a vdir: one vCard file per contact, "<id>.vcf", in one folder,
// so that vdir tools (khard, vdirsyncer) read and sync the same contacts. New contacts are
// vCard 3.0; a file another program wrote (2.1, 3.0, 4.0) is saved back in its own version
// with every line that was not changed byte for byte. Every file is written to a temporary
// file beside it and renamed over the target.
//
// A file that is not one readable vCard (damaged, empty, too large, several cards) is
// skipped with a warning on stderr each time it is met, and never written: saving over it
// fails with a message that names it.
//
// The store also remembers which item is open in front, in the small file
// ".corvel-front" of the folder, which vdir tools ignore.
class ContactStore
{
public:
    static constexpr auto FileSuffix = ".vcf";
    static constexpr auto FrontFileName = ".corvel-front";

    // The folder of this user's contacts: $QV_CONTACTS_DIR when set, otherwise
    // "corvel/contacts" in the user's data folder ($XDG_DATA_HOME, ~/.local/share).
    static QString defaultFolder();

    // Opens the store in `folder`, creating the folder (for the user alone) when missing.
    // Nothing, with the reason in `error`, when it is not a writable folder.
    static std::shared_ptr<ContactStore> open(const QString& folder, QString* error = nullptr);

    const QString& folder() const { return m_folder; }

    // Every readable item, contacts and groups, in the order of their ids.
    QList<ContactCard> items() const;
    // One item; nothing when it is missing or unreadable.
    std::optional<ContactCard> item(const QString& id) const;
    // A new contact under a fresh UID and an id no file has yet. It is not written
    // until it is saved.
    ContactCard newItem() const;
    StoreResult save(const ContactCard& card) const;

    // The id of the item open in front; empty when none is.
    QString frontId() const;
    // Puts an item in front; an empty id closes the one in front.
    StoreResult setFrontId(const QString& id) const;

    // True for a name that can be an item's id (a plain file name).
    static bool isValidId(const QString& id);

private:
    explicit ContactStore(QString folder);

    QString filePath(const QString& id) const;
    std::optional<ContactCard> readItem(const QString& id) const;

    QString m_folder;
};

} // namespace contacts
