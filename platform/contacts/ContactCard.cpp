#include "platform/contacts/ContactCard.h"

#include "platform/vcard/VCardText.h"
#include "platform/vcard/VCardWriter.h"

#include <algorithm>

namespace contacts {

namespace {

using vcard::Property;

// Where a field lives in the card.
enum class Kind
{
    NamePart, // a component of N
    FullName, // FN, kept even when empty
    Text,     // the first property of a name
    Company,  // the first component of ORG
    Address,  // a component of the ADR of a slot
    Phone,    // the TEL of a slot
};

enum AddressSlot
{
    BusinessAddress,
    HomeAddress,
    OtherAddress,
};

enum PhoneSlot
{
    BusinessPhone,
    BusinessFax,
    MobilePhone,
    Pager,
    HomePhone,
    HomeFax,
    Home2Phone,
    CallbackPhone,
};

// ADR components: post-office box, extended, street, locality, region, code, country.
constexpr int AdrComponents = 7;
enum AdrComponent
{
    AdrBox = 0,
    AdrStreet = 2,
    AdrCity = 3,
    AdrRegion = 4,
    AdrCode = 5,
    AdrCountry = 6,
};

// N components: family, given, additional, prefix, suffix.
constexpr int NComponents = 5;
enum NComponent
{
    NFamily,
    NGiven,
    NAdditional,
    NPrefix,
    NSuffix,
};

struct Place
{
    Kind kind;
    const char* property = nullptr; // Text
    int slot = 0;                   // Address, Phone
    int component = 0;              // NamePart, Address
};

Place placeOf(Field field)
{
    switch (field) {
    case Field::Title:
        return {Kind::NamePart, nullptr, 0, NPrefix};
    case Field::FirstName:
        return {Kind::NamePart, nullptr, 0, NGiven};
    case Field::MiddleName:
        return {Kind::NamePart, nullptr, 0, NAdditional};
    case Field::LastName:
        return {Kind::NamePart, nullptr, 0, NFamily};
    case Field::Suffix:
        return {Kind::NamePart, nullptr, 0, NSuffix};
    case Field::NickName:
        return {Kind::Text, "NICKNAME"};
    case Field::FullName:
        return {Kind::FullName};
    case Field::Email1Address:
        return {Kind::Text, "EMAIL"};
    case Field::WebPage:
        return {Kind::Text, "URL"};
    case Field::Body:
        return {Kind::Text, "NOTE"};
    case Field::CompanyName:
        return {Kind::Company};
    case Field::JobTitle:
        return {Kind::Text, "TITLE"};
    case Field::BusinessAddressStreet:
        return {Kind::Address, nullptr, BusinessAddress, AdrStreet};
    case Field::BusinessAddressCity:
        return {Kind::Address, nullptr, BusinessAddress, AdrCity};
    case Field::BusinessAddressState:
        return {Kind::Address, nullptr, BusinessAddress, AdrRegion};
    case Field::BusinessAddressPostalCode:
        return {Kind::Address, nullptr, BusinessAddress, AdrCode};
    case Field::BusinessAddressCountry:
        return {Kind::Address, nullptr, BusinessAddress, AdrCountry};
    case Field::OtherAddressPostOfficeBox:
        return {Kind::Address, nullptr, OtherAddress, AdrBox};
    case Field::OtherAddressCity:
        return {Kind::Address, nullptr, OtherAddress, AdrCity};
    case Field::OtherAddressState:
        return {Kind::Address, nullptr, OtherAddress, AdrRegion};
    case Field::OtherAddressPostalCode:
        return {Kind::Address, nullptr, OtherAddress, AdrCode};
    case Field::OtherAddressCountry:
        return {Kind::Address, nullptr, OtherAddress, AdrCountry};
    case Field::HomeAddressStreet:
        return {Kind::Address, nullptr, HomeAddress, AdrStreet};
    case Field::HomeAddressCity:
        return {Kind::Address, nullptr, HomeAddress, AdrCity};
    case Field::HomeAddressState:
        return {Kind::Address, nullptr, HomeAddress, AdrRegion};
    case Field::HomeAddressPostalCode:
        return {Kind::Address, nullptr, HomeAddress, AdrCode};
    case Field::HomeAddressCountry:
        return {Kind::Address, nullptr, HomeAddress, AdrCountry};
    case Field::BusinessTelephoneNumber:
        return {Kind::Phone, nullptr, BusinessPhone};
    case Field::BusinessFaxNumber:
        return {Kind::Phone, nullptr, BusinessFax};
    case Field::MobileTelephoneNumber:
        return {Kind::Phone, nullptr, MobilePhone};
    case Field::PagerNumber:
        return {Kind::Phone, nullptr, Pager};
    case Field::HomeTelephoneNumber:
        return {Kind::Phone, nullptr, HomePhone};
    case Field::HomeFaxNumber:
        return {Kind::Phone, nullptr, HomeFax};
    case Field::Home2TelephoneNumber:
        return {Kind::Phone, nullptr, Home2Phone};
    case Field::CallbackTelephoneNumber:
        return {Kind::Phone, nullptr, CallbackPhone};
    }
    return {Kind::Text, "NOTE"};
}

// The TYPE values a new property of a slot is written with.
QStringList addressTypes(int slot)
{
    static const QStringList types[] = {{"WORK"}, {"HOME"}, {"POSTAL"}};
    return types[slot];
}

QStringList phoneTypes(int slot)
{
    static const QStringList types[] = {{"WORK", "VOICE"},
                                        {"WORK", "FAX"},
                                        {"CELL"},
                                        {"PAGER"},
                                        {"HOME", "VOICE"},
                                        {"HOME", "FAX"},
                                        {"HOME", "VOICE", "X-HOME2"},
                                        {"X-CALLBACK"}};
    return types[slot];
}

int addressSlotOf(const Property& p)
{
    if (p.hasType(QStringLiteral("POSTAL")))
        return OtherAddress;
    if (p.hasType(QStringLiteral("HOME")))
        return HomeAddress;
    if (p.hasType(QStringLiteral("WORK")))
        return BusinessAddress;
    return OtherAddress;
}

int phoneSlotOf(const Property& p)
{
    const auto has = [&](const char* type) { return p.hasType(QLatin1String(type)); };
    if (has("X-CALLBACK"))
        return CallbackPhone;
    if (has("X-HOME2"))
        return Home2Phone;
    if (has("FAX"))
        return has("HOME") ? HomeFax : BusinessFax;
    if (has("PAGER"))
        return Pager;
    if (has("CELL"))
        return MobilePhone;
    if (has("HOME"))
        return HomePhone;
    if (has("WORK"))
        return BusinessPhone;
    return -1;
}

bool isNamed(const Property& p, const char* name)
{
    return p.name().compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

// The index of the property that holds a place, -1 when the card has none.
qsizetype indexOf(const QList<Property>& properties, const Place& place)
{
    for (qsizetype i = 0; i < properties.size(); ++i) {
        const Property& p = properties[i];
        switch (place.kind) {
        case Kind::NamePart:
            if (isNamed(p, "N"))
                return i;
            break;
        case Kind::FullName:
            if (isNamed(p, "FN"))
                return i;
            break;
        case Kind::Text:
            if (isNamed(p, place.property))
                return i;
            break;
        case Kind::Company:
            if (isNamed(p, "ORG"))
                return i;
            break;
        case Kind::Address:
            if (isNamed(p, "ADR") && addressSlotOf(p) == place.slot)
                return i;
            break;
        case Kind::Phone:
            if (isNamed(p, "TEL") && phoneSlotOf(p) == place.slot)
                return i;
            break;
        }
    }
    return -1;
}

// A new, empty property for a place.
Property newProperty(const Place& place)
{
    switch (place.kind) {
    case Kind::NamePart:
        return Property(QStringLiteral("N"), QString(NComponents - 1, u';'));
    case Kind::FullName:
        return Property(QStringLiteral("FN"));
    case Kind::Text: {
        Property p(QLatin1String(place.property));
        if (isNamed(p, "EMAIL"))
            p.addParameter(QStringLiteral("TYPE"), {QStringLiteral("INTERNET")});
        return p;
    }
    case Kind::Company:
        return Property(QStringLiteral("ORG"));
    case Kind::Address: {
        Property p(QStringLiteral("ADR"), QString(AdrComponents - 1, u';'));
        p.addParameter(QStringLiteral("TYPE"), addressTypes(place.slot));
        return p;
    }
    case Kind::Phone: {
        Property p(QStringLiteral("TEL"));
        p.addParameter(QStringLiteral("TYPE"), phoneTypes(place.slot));
        return p;
    }
    }
    return Property();
}

bool isComponentKind(Kind kind)
{
    return kind == Kind::NamePart || kind == Kind::Company || kind == Kind::Address;
}

// Every line break as CR LF.
QString withCrLf(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
}

} // namespace

ContactCard::ContactCard(QString id, vcard::Card card) : m_id(std::move(id)), m_card(std::move(card)) {}

ContactCard ContactCard::create(const QString& id, const QString& uid)
{
    vcard::Card card;
    card.append(Property(QStringLiteral("VERSION"), QStringLiteral("3.0")));
    Property uidProperty(QStringLiteral("UID"));
    uidProperty.setText(uid);
    card.append(uidProperty);
    card.append(newProperty({Kind::NamePart}));
    card.append(newProperty({Kind::FullName}));
    return ContactCard(id, card);
}

QString ContactCard::uid() const
{
    const Property* p = m_card.property(QStringLiteral("UID"));
    return p ? p->text() : QString();
}

bool ContactCard::isGroup() const
{
    for (const char* name : {"KIND", "X-ADDRESSBOOKSERVER-KIND"}) {
        const Property* p = m_card.property(QLatin1String(name));
        if (p && p->text().trimmed().compare(QLatin1String("group"), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString ContactCard::value(Field field) const
{
    const Place place = placeOf(field);
    const qsizetype i = indexOf(m_card.properties(), place);
    if (i < 0)
        return QString();
    const Property& p = m_card.properties()[i];
    if (!isComponentKind(place.kind))
        return withCrLf(p.text());
    const QStringList parts = vcard::splitRaw(p.value(), u';');
    return place.component < parts.size() ? withCrLf(vcard::unescapeText(parts[place.component])) : QString();
}

void ContactCard::setValue(Field field, const QString& text)
{
    const Place place = placeOf(field);
    QList<Property>& properties = m_card.properties();
    qsizetype i = indexOf(properties, place);
    if (i < 0) {
        if (text.isEmpty() && place.kind != Kind::FullName)
            return;
        properties += newProperty(place);
        i = properties.size() - 1;
    }
    Property& p = properties[i];
    if (!isComponentKind(place.kind)) {
        // An emptied value leaves the card, except FN, which every card has. The same text
        // in another line-break form is no change.
        if (text.isEmpty() && place.kind != Kind::FullName)
            properties.removeAt(i);
        else if (withCrLf(p.text()) != withCrLf(text))
            p.setText(text);
        return;
    }
    // Only the one component is rewritten; the others keep their text as it stands.
    QStringList parts = vcard::splitRaw(p.value(), u';');
    if (place.component < parts.size() && withCrLf(vcard::unescapeText(parts[place.component])) == withCrLf(text))
        return; // unchanged: the property stays as the file has it
    while (parts.size() <= place.component)
        parts += QString();
    parts[place.component] = vcard::escapeText(text);
    p.setValue(vcard::joinRaw(parts, u';'));
    if (place.kind == Kind::NamePart)
        setValue(Field::FullName, composedFullName());
    else if (std::all_of(parts.cbegin(), parts.cend(), [](const QString& s) { return s.isEmpty(); }))
        properties.removeAt(i);
}

QString ContactCard::composedFullName() const
{
    QStringList parts;
    for (Field f : {Field::Title, Field::FirstName, Field::MiddleName, Field::LastName, Field::Suffix}) {
        const QString part = value(f).trimmed();
        if (!part.isEmpty())
            parts += part;
    }
    return parts.join(u' ');
}

QByteArray ContactCard::fileData() const
{
    // A card keeps its own version (its unchanged lines are written back as they were, in
    // that version's syntax); one without a VERSION becomes a 3.0 card.
    vcard::Card card = m_card;
    if (card.version().isEmpty()) {
        card.removeAll(QStringLiteral("VERSION"));
        card.properties().prepend(Property(QStringLiteral("VERSION"), QStringLiteral("3.0")));
    }
    if (!card.property(QStringLiteral("UID"))) {
        Property uidProperty(QStringLiteral("UID"));
        uidProperty.setText(m_id);
        card.append(uidProperty);
    }
    for (Kind kind : {Kind::NamePart, Kind::FullName})
        if (indexOf(card.properties(), {kind}) < 0)
            card.append(newProperty({kind}));
    return vcard::Writer::write(card);
}

const QList<Field>& ContactCard::fields()
{
#define QV_CONTACT_FIELD_ITEM(name) Field::name,
    static const QList<Field> all = {QV_CONTACT_FIELDS(QV_CONTACT_FIELD_ITEM)};
#undef QV_CONTACT_FIELD_ITEM
    return all;
}

QString ContactCard::fieldName(Field field)
{
#define QV_CONTACT_FIELD_NAME(name)                                                                                    \
    case Field::name:                                                                                                  \
        return QStringLiteral(#name);
    switch (field) {
        QV_CONTACT_FIELDS(QV_CONTACT_FIELD_NAME)
    }
#undef QV_CONTACT_FIELD_NAME
    return QString();
}

std::optional<Field> ContactCard::fieldNamed(const QString& name)
{
    for (Field f : fields())
        if (fieldName(f).compare(name, Qt::CaseInsensitive) == 0)
            return f;
    return std::nullopt;
}

} // namespace contacts
