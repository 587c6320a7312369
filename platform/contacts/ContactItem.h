#pragma once

#include "platform/contacts/AutoObject.h"
#include "platform/contacts/ContactCard.h"

#include <memory>

namespace contacts {

class ContactStore;

// A contact of the store as an automation object ("ContactItem"): every field of
// ContactCard as a property of the same name, and
//   display      puts the contact in front (the form a user has open);
//   Save         writes it to the store;
//   Close(mode)  closes it: 0 saves first, 1 discards the changes, 2 (ask) saves, as
//                there is no form to ask in; the contact leaves the front.
// A store that cannot be written raises error 75 with the reason.
class ContactItem : public AutoObject
{
public:
    ContactItem(std::shared_ptr<const ContactStore> store, ContactCard card);

    const ContactCard& card() const { return m_card; }

    static constexpr int CloseSave = 0;
    static constexpr int CloseDiscard = 1;
    static constexpr int ClosePromptForSave = 2;

private:
    void display();
    void save();
    void close(const QVariant& mode);

    std::shared_ptr<const ContactStore> m_store;
    ContactCard m_card;
};

} // namespace contacts
