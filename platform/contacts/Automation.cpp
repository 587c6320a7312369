#include "platform/contacts/Automation.h"

#include "platform/contacts/ContactItem.h"
#include "platform/contacts/ContactStore.h"
#include "platform/vb/VbError.h"

namespace contacts {

namespace {

using Store = std::shared_ptr<const ContactStore>;

constexpr int ContactsFolder = 10;

int numberOf(const QVariant& value)
{
    bool ok = false;
    const int n = value.toInt(&ok);
    if (!ok)
        throw vb::Error::runtime(vb::err::TypeMismatch, errorSource());
    return n;
}

AutoObjectPtr makeItems(const Store& store)
{
    auto items = std::make_shared<AutoObject>(QStringLiteral("Items"));
    items->addMethod(QStringLiteral("Add"), 0, 0, [store](const QVariantList&) {
        return toVariant(std::make_shared<ContactItem>(store, store->newItem()));
    });
    return items;
}

AutoObjectPtr makeFolder(const Store& store)
{
    auto folder = std::make_shared<AutoObject>(QStringLiteral("MAPIFolder"));
    folder->addProperty(QStringLiteral("Items"), [store] { return toVariant(makeItems(store)); });
    return folder;
}

AutoObjectPtr makeNameSpace(const Store& store)
{
    auto nameSpace = std::make_shared<AutoObject>(QStringLiteral("NameSpace"));
    nameSpace->addMethod(QStringLiteral("GetDefaultFolder"), 1, 1, [store](const QVariantList& args) {
        if (numberOf(args[0]) != ContactsFolder)
            throw vb::Error(vb::err::InvalidProcedureCall, errorSource(),
                            QStringLiteral("Only the contacts folder is kept here."));
        return toVariant(makeFolder(store));
    });
    return nameSpace;
}

AutoObjectPtr makeInspector(const Store& store, const ContactCard& card)
{
    AutoObjectPtr item;
    if (card.isGroup())
        item = std::make_shared<AutoObject>(QStringLiteral("DistListItem"));
    else
        item = std::make_shared<ContactItem>(store, card);
    auto inspector = std::make_shared<AutoObject>(QStringLiteral("Inspector"));
    inspector->addProperty(QStringLiteral("CurrentItem"), [item] { return toVariant(item); });
    return inspector;
}

AutoObjectPtr makeApplication(const Store& store)
{
    auto application = std::make_shared<AutoObject>(QStringLiteral("Application"));
    application->addMethod(QStringLiteral("GetNameSpace"), 1, 1, [store](const QVariantList& args) {
        if (args[0].toString().compare(QLatin1String("MAPI"), Qt::CaseInsensitive) != 0)
            throw vb::Error::runtime(vb::err::InvalidProcedureCall, errorSource());
        return toVariant(makeNameSpace(store));
    });
    application->addProperty(QStringLiteral("ActiveInspector"), [store] {
        const QString id = store->frontId();
        const std::optional<ContactCard> card = id.isEmpty() ? std::nullopt : store->item(id);
        return toVariant(card ? makeInspector(store, *card) : nullptr);
    });
    return application;
}

} // namespace

AutoObjectPtr createObject(const QString& progId)
{
    if (progId.compare(QLatin1String("Outlook.Application"), Qt::CaseInsensitive) != 0)
        return nullptr;
    QString error;
    const Store store = ContactStore::open(ContactStore::defaultFolder(), &error);
    if (!store) {
        qWarning("contacts: %s", qUtf8Printable(error));
        return nullptr;
    }
    return makeApplication(store);
}

} // namespace contacts
