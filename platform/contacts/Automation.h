#pragma once

#include "platform/contacts/AutoObject.h"

#include <QString>

namespace contacts {

// Creates an automation object by its program id, as a late-bound caller does. The one
// id known is "Outlook.Application" (matched without case): the contact manager over
// the store in ContactStore::defaultFolder(), whose objects offer
//   Application  GetNameSpace("MAPI"), ActiveInspector (the form open in front; Nothing
//                when none is, or when its item is missing or unreadable)
//   NameSpace    GetDefaultFolder(10), the contacts folder; another folder raises 5
//   MAPIFolder   Items
//   Items        Add(), a new contact ("ContactItem"), written when it is saved
//   Inspector    CurrentItem, the contact ("ContactItem") or group ("DistListItem") open
// Nothing for another id, or when the store cannot be opened (the reason goes to stderr).
AutoObjectPtr createObject(const QString& progId);

} // namespace contacts
