#include "platform/vcard/IndexedCard.h"

#include "platform/vcard/VCardText.h"

#include <QUuid>

#include <array>

namespace vcard {

namespace {

enum class Place
{
    Any,
    Work,
    Home,
};

// Where one index lives: a property, selected by its TYPE parameters, and for
// structured values the component.
struct Slot
{
    const char* name = nullptr; // nullptr: index not stored
    int component = -1;         // -1: the whole value
    int componentCount = 0;     // components of a new property
    Place place = Place::Any;
    bool postal = false;        // ADR: the post-office block
    const char* kind = nullptr; // TEL: VOICE, PAGER, FAX or CELL; EMAIL: INTERNET
};

constexpr Slot whole(const char* name)
{
    return Slot{name};
}

constexpr Slot nameSlot(int component)
{
    return Slot{"N", component, 5};
}

constexpr Slot adr(Place place, bool postal, int component)
{
    return Slot{"ADR", component, 7, place, postal};
}

constexpr Slot tel(Place place, const char* kind)
{
    return Slot{"TEL", -1, 0, place, false, kind};
}

// N components: family;given;additional;prefix;suffix.
// ADR components: post-office box;extended;street;locality;region;code;country.
constexpr std::array<Slot, IndexedCard::IndexCount> kSlots = {
    whole("VERSION"),
    nameSlot(3),
    nameSlot(1),
    nameSlot(2),
    nameSlot(0),
    nameSlot(4),
    whole("NICKNAME"),
    whole("FN"),
    Slot{"EMAIL", -1, 0, Place::Any, false, "INTERNET"},
    whole("URL"),
    whole("NOTE"),
    whole("TITLE"),
    Slot{"ORG", 0, 1},
    adr(Place::Work, false, 1),
    adr(Place::Work, false, 2),
    adr(Place::Work, false, 3),
    adr(Place::Work, false, 4),
    adr(Place::Work, false, 5),
    adr(Place::Work, false, 6),
    adr(Place::Work, true, 0),
    adr(Place::Work, true, 3),
    adr(Place::Work, true, 4),
    adr(Place::Work, true, 5),
    adr(Place::Work, true, 6),
    tel(Place::Work, "VOICE"),
    tel(Place::Work, "PAGER"),
    tel(Place::Work, "FAX"),
    tel(Place::Work, "CELL"),
    adr(Place::Home, false, 1),
    adr(Place::Home, false, 2),
    adr(Place::Home, false, 3),
    adr(Place::Home, false, 4),
    adr(Place::Home, false, 5),
    adr(Place::Home, false, 6),
    adr(Place::Home, true, 0),
    adr(Place::Home, true, 3),
    adr(Place::Home, true, 4),
    adr(Place::Home, true, 5),
    adr(Place::Home, true, 6),
    tel(Place::Home, "VOICE"),
    tel(Place::Home, "PAGER"),
    tel(Place::Home, "FAX"),
    tel(Place::Home, "CELL"),
    whole("X-CORVEL-FILE-VERSION"),
    Slot{},
    whole("X-CORVEL-FONT-NAME"),
    whole("X-CORVEL-FONT-SIZE"),
    whole("X-CORVEL-WORDS-1"),
    whole("X-CORVEL-WORDS-2"),
    whole("X-CORVEL-WORDS-3"),
    whole("X-CORVEL-WORDS-4"),
    whole("X-CORVEL-WORDS-5"),
    whole("X-CORVEL-WORDS-6"),
};

// Version-0 cards come from the first generation of the programs, before cards carried
// a VERSION line. That generation knew fifteen properties and numbered them 0 to 14:
// FN, EMAIL, URL, NOTE, TITLE, ORG; street, city, region, code and country of its one
// address; and the voice, pager, fax and cell telephone numbers. It had no home block
// and no post-office box, so its one ADR and its TEL numbers are taken whatever their
// types. Callers ask with today's index; kV0Numbers maps it to the old number.
constexpr std::array<Slot, 15> kV0Slots = {
    whole("FN"),
    whole("EMAIL"),
    whole("URL"),
    whole("NOTE"),
    whole("TITLE"),
    Slot{"ORG", 0, 1},
    adr(Place::Any, false, 2),
    adr(Place::Any, false, 3),
    adr(Place::Any, false, 4),
    adr(Place::Any, false, 5),
    adr(Place::Any, false, 6),
    tel(Place::Any, "VOICE"),
    tel(Place::Any, "PAGER"),
    tel(Place::Any, "FAX"),
    tel(Place::Any, "CELL"),
};

int v0Number(int index)
{
    static constexpr std::array<std::pair<int, int>, 15> numbers = {{
        {7, 0},
        {8, 1},
        {9, 2},
        {10, 3},
        {11, 4},
        {12, 5},
        {14, 6},
        {15, 7},
        {16, 8},
        {17, 9},
        {18, 10},
        {24, 11},
        {25, 12},
        {26, 13},
        {27, 14},
    }};
    for (const auto& [current, old] : numbers)
        if (current == index)
            return old;
    return -1;
}

bool matches(const Slot& slot, const Property& p, bool v0)
{
    if (p.name() != QLatin1String(slot.name))
        return false;
    const bool isAdr = slot.name == std::string_view("ADR");
    const bool isTel = slot.name == std::string_view("TEL");
    if (!isAdr && !isTel)
        return true;
    const bool home = p.hasType(QStringLiteral("HOME"));
    if ((slot.place == Place::Work && home) || (slot.place == Place::Home && !home))
        return false;
    if (isAdr)
        return v0 || p.hasType(QStringLiteral("POSTAL")) == slot.postal;
    const QString kind = QLatin1String(slot.kind);
    if (kind != u"VOICE")
        return p.hasType(kind);
    return !p.hasType(QStringLiteral("PAGER")) && !p.hasType(QStringLiteral("FAX")) &&
           !p.hasType(QStringLiteral("CELL"));
}

QString valueOf(const Card& card, const Slot& slot, bool v0)
{
    if (!slot.name)
        return QString();
    for (const Property& p : card.properties()) {
        if (!matches(slot, p, v0))
            continue;
        if (slot.component < 0)
            return IndexedCard::unescapeValue(p.value());
        return IndexedCard::unescapeValue(splitRaw(p.value(), u';').value(slot.component));
    }
    return QString();
}

Property newProperty(const Slot& slot)
{
    Property p(QLatin1String(slot.name));
    QStringList types;
    if (slot.place == Place::Work)
        types += QStringLiteral("WORK");
    else if (slot.place == Place::Home)
        types += QStringLiteral("HOME");
    if (slot.postal)
        types += QStringLiteral("POSTAL");
    if (slot.kind)
        types += QLatin1String(slot.kind);
    if (!types.isEmpty())
        p.addParameter(QStringLiteral("TYPE"), types);
    if (slot.componentCount > 0)
        p.setValue(QString(slot.componentCount - 1, u';'));
    return p;
}

} // namespace

ReadResult::Error IndexedCard::load(const QString& fileName)
{
    const ReadResult result = Reader::readFile(fileName);
    m_card = result ? result.cards.first() : Card();
    return result.error;
}

bool IndexedCard::loadData(const QByteArray& data)
{
    const QList<Card> cards = Reader::parse(data);
    m_card = cards.value(0);
    return !cards.isEmpty();
}

QByteArray IndexedCard::toData(const QString& uid) const
{
    Card card = m_card;
    if (!card.version().isEmpty()) {
        if (!card.property(QStringLiteral("N")))
            card.append(Property(QStringLiteral("N"), QStringLiteral(";;;;")));
        if (!card.property(QStringLiteral("FN")))
            card.append(Property(QStringLiteral("FN")));
        if (!uid.isEmpty() && !card.property(QStringLiteral("UID"))) {
            Property uidProperty(QStringLiteral("UID"));
            uidProperty.setText(uid);
            card.append(uidProperty);
        }
    }
    return Writer::write(card);
}

SaveResult IndexedCard::save(const QString& fileName, files::Durability durability) const
{
    QString uid;
    if (durability == files::Durability::Durable && !m_card.version().isEmpty() &&
        !m_card.property(QStringLiteral("UID"))) {
        const ReadResult previous = Reader::readFile(fileName);
        const Property* kept = previous ? previous.cards.first().property(QStringLiteral("UID")) : nullptr;
        uid = kept && !kept->text().trimmed().isEmpty() ? kept->text()
                                                        : QUuid::createUuid().toString(QUuid::WithoutBraces);
    }
    return Writer::saveFile(fileName, toData(uid), durability);
}

QString IndexedCard::value(int index) const
{
    if (index < 0 || index >= IndexCount)
        return QString();
    return valueOf(m_card, kSlots[index], false);
}

QString IndexedCard::v0Value(int index) const
{
    const int old = v0Number(index);
    return old < 0 ? QString() : valueOf(m_card, kV0Slots[old], true);
}

bool IndexedCard::setValue(int index, const QString& value)
{
    if (index < 0 || index >= IndexCount || !kSlots[index].name)
        return false;
    const Slot& slot = kSlots[index];
    Property* target = nullptr;
    for (Property& p : m_card.properties()) {
        if (matches(slot, p, false)) {
            target = &p;
            break;
        }
    }
    if (!target) {
        m_card.append(newProperty(slot));
        target = &m_card.properties().last();
    }
    if (slot.component < 0) {
        target->setValue(escapeValue(value));
        return true;
    }
    QStringList parts = splitRaw(target->value(), u';');
    while (parts.size() <= slot.component)
        parts += QString();
    parts[slot.component] = escapeValue(value);
    target->setValue(joinRaw(parts, u';'));
    return true;
}

QString IndexedCard::escapeValue(QStringView value)
{
    QString out;
    out.reserve(value.size() + value.size() / 8);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        switch (c.unicode()) {
        case u'\\':
            if (i + 1 < value.size() && value[i + 1] == u'n') {
                out += QLatin1String("\\n");
                ++i;
            } else {
                out += QLatin1String("\\\\");
            }
            break;
        case u';':
        case u',':
            out += u'\\';
            out += c;
            break;
        case u'\n':
            out += QLatin1String("\\N");
            break;
        case u'\r':
            out += QLatin1String("\\r");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString IndexedCard::unescapeValue(QStringView raw)
{
    return unescapeWith(raw, [](QChar escaped, QString& out) {
        switch (escaped.unicode()) {
        case u'n':
            out += QLatin1String("\\n"); // the programs' own line-break marker
            return true;
        case u'N':
            out += u'\n';
            return true;
        case u'r':
        case u'R':
            out += u'\r';
            return true;
        default:
            return unescapeCharacter(escaped, out);
        }
    });
}

} // namespace vcard
