#include "platform/contacts/ContactItem.h"

#include "platform/contacts/ContactStore.h"
#include "platform/vb/VbError.h"

namespace contacts {

namespace {

QString textOf(const QVariant& value)
{
    if (value.isValid() && (value.metaType() == QMetaType::fromType<AutoObjectPtr>() || !value.canConvert<QString>()))
        throw vb::Error::runtime(vb::err::TypeMismatch, errorSource());
    return value.toString();
}

// Raises error 75 with the reason when a change to the store failed.
void raiseIfFailed(const StoreResult& result)
{
    if (!result)
        throw vb::Error(vb::err::PathFileAccessError, errorSource(), result.error);
}

} // namespace

ContactItem::ContactItem(std::shared_ptr<const ContactStore> store, ContactCard card)
    : AutoObject(QStringLiteral("ContactItem")), m_store(std::move(store)), m_card(std::move(card))
{
    for (Field field : ContactCard::fields())
        addProperty(
            ContactCard::fieldName(field), [this, field] { return QVariant(m_card.value(field)); },
            [this, field](const QVariant& value) { m_card.setValue(field, textOf(value)); });
    addMethod(QStringLiteral("display"), 0, 1, [this](const QVariantList&) {
        display();
        return QVariant();
    });
    addMethod(QStringLiteral("Save"), 0, 0, [this](const QVariantList&) {
        save();
        return QVariant();
    });
    addMethod(QStringLiteral("Close"), 1, 1, [this](const QVariantList& args) {
        close(args[0]);
        return QVariant();
    });
}

void ContactItem::display()
{
    raiseIfFailed(m_store->setFrontId(m_card.id()));
}

void ContactItem::save()
{
    raiseIfFailed(m_store->save(m_card));
}

void ContactItem::close(const QVariant& mode)
{
    bool ok = false;
    const int saveMode = mode.toInt(&ok);
    if (!ok)
        throw vb::Error::runtime(vb::err::TypeMismatch, errorSource());
    if (saveMode != CloseSave && saveMode != CloseDiscard && saveMode != ClosePromptForSave)
        throw vb::Error::runtime(vb::err::InvalidProcedureCall, errorSource());
    if (saveMode != CloseDiscard)
        save();
    if (m_store->frontId() == m_card.id())
        raiseIfFailed(m_store->setFrontId(QString()));
}

} // namespace contacts
