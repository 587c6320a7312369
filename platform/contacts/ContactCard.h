#pragma once

#include "platform/vcard/VCardCard.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The fields of a contact, named as the automation model names them.
#define QV_CONTACT_FIELDS(X)                                                                                           \
    X(Title)                                                                                                           \
    X(FirstName)                                                                                                       \
    X(MiddleName)                                                                                                      \
    X(LastName)                                                                                                        \
    X(NickName)                                                                                                        \
    X(Suffix)                                                                                                          \
    X(FullName)                                                                                                        \
    X(Email1Address)                                                                                                   \
    X(WebPage)                                                                                                         \
    X(Body)                                                                                                            \
    X(CompanyName)                                                                                                     \
    X(JobTitle)                                                                                                        \
    X(BusinessAddressStreet)                                                                                           \
    X(BusinessAddressCity)                                                                                             \
    X(BusinessAddressState)                                                                                            \
    X(BusinessAddressPostalCode)                                                                                       \
    X(BusinessAddressCountry)                                                                                          \
    X(OtherAddressPostOfficeBox)                                                                                       \
    X(OtherAddressCity)                                                                                                \
    X(OtherAddressState)                                                                                               \
    X(OtherAddressPostalCode)                                                                                          \
    X(OtherAddressCountry)                                                                                             \
    X(BusinessTelephoneNumber)                                                                                         \
    X(BusinessFaxNumber)                                                                                               \
    X(MobileTelephoneNumber)                                                                                           \
    X(PagerNumber)                                                                                                     \
    X(HomeAddressStreet)                                                                                               \
    X(HomeAddressCity)                                                                                                 \
    X(HomeAddressState)                                                                                                \
    X(HomeAddressPostalCode)                                                                                           \
    X(HomeAddressCountry)                                                                                              \
    X(HomeTelephoneNumber)                                                                                             \
    X(HomeFaxNumber)                                                                                                   \
    X(Home2TelephoneNumber)                                                                                            \
    X(CallbackTelephoneNumber)

namespace contacts {

#define QV_CONTACT_FIELD_ENUM(name) name,
enum class Field
{
    QV_CONTACT_FIELDS(QV_CONTACT_FIELD_ENUM)
};
#undef QV_CONTACT_FIELD_ENUM

// One item of the contact store: a vCard and its id, the name of its file in the store
// without ".vcf". The fields live in the card's standard properties, so other contact
// programs show them:
//
//   Title, FirstName, MiddleName, LastName, Suffix   N (prefix, given, additional, family, suffix)
//   NickName NICKNAME, FullName FN, Email1Address EMAIL, WebPage URL, Body NOTE,
//   CompanyName ORG (its first part), JobTitle TITLE
//   BusinessAddress...    ADR;TYPE=WORK    street, city, region, code, country
//   HomeAddress...        ADR;TYPE=HOME    the same
//   OtherAddress...       ADR;TYPE=POSTAL  post-office box, city, region, code, country
//   BusinessTelephoneNumber TEL;TYPE=WORK,VOICE   BusinessFaxNumber TEL;TYPE=WORK,FAX
//   MobileTelephoneNumber   TEL;TYPE=CELL         PagerNumber       TEL;TYPE=PAGER
//   HomeTelephoneNumber     TEL;TYPE=HOME,VOICE   HomeFaxNumber     TEL;TYPE=HOME,FAX
//   Home2TelephoneNumber    TEL;TYPE=HOME,VOICE,X-HOME2
//   CallbackTelephoneNumber TEL;TYPE=X-CALLBACK
//
// Cards from other programs are read leniently: an ADR is the other address when it
// has POSTAL or neither HOME nor WORK; a TEL with FAX is a fax (home with HOME, else
// business), one with PAGER the pager, with CELL the mobile, else HOME or WORK choose the
// voice number. The first property of each kind is the field; further ones and every
// property not named here are kept as they are.
//
// Values come out with CR LF line breaks and are stored with vCard's "\n". Setting a
// name part composes FullName from the parts, as a contact manager does; FullName set
// on its own is kept as given.
class ContactCard
{
public:
    ContactCard(QString id, vcard::Card card);

    // A new contact: VERSION, UID, an empty N and FN.
    static ContactCard create(const QString& id, const QString& uid);

    const QString& id() const { return m_id; }
    const vcard::Card& card() const { return m_card; }
    QString uid() const;
    // A contact group (KIND:group, or Apple's X-ADDRESSBOOKSERVER-KIND:group).
    bool isGroup() const;

    QString value(Field field) const;
    void setValue(Field field, const QString& text);

    // The file text, with the UID (the id when the card had none), N and FN. A card read
    // from a file keeps its version and every property that was not changed byte for byte;
    // a card without a VERSION becomes vCard 3.0.
    QByteArray fileData() const;

    static const QList<Field>& fields();
    static QString fieldName(Field field);
    static std::optional<Field> fieldNamed(const QString& name); // matched without case

private:
    QString composedFullName() const;

    QString m_id;
    vcard::Card m_card;
};

} // namespace contacts
