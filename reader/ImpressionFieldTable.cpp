#include "reader/ImpressionFieldTable.h"

namespace ImpressionFieldTable {

namespace {

// Help topic of the business fields from Title to Country.
constexpr int BusinessAddressHelp = 1001;

Field field(const char* stem, Tab tab, Frame frame, const char* caption, const char* tip, bool multiLine = false,
            int help = 0)
{
    return Field{QString::fromUtf8(stem), tab,       frame, QString::fromUtf8(caption),
                 QString::fromUtf8(tip),  multiLine, help};
}

QList<Field> makeFields()
{
    constexpr bool multi = true;
    constexpr Frame none = Frame::None;
    constexpr Frame loc = Frame::Location;
    constexpr Frame box = Frame::PostBox;
    constexpr Frame tel = Frame::Telephone;
    constexpr int help = BusinessAddressHelp;
    return {
        field("NamTitle", NameTab, none, "Salutation", "Examples: Dr., Mr."),
        field("NamFirst", NameTab, none, "First", "Examples: Margaret, Thomas"),
        field("NamMiddle", NameTab, none, "Middle", "Examples: Elizabeth, Quentin"),
        field("NamLast", NameTab, none, "Last", "Example: Hollings"),
        field("NamSuffix", NameTab, none, "Suffix", "Examples: MD, Jr."),
        field("NamNickname", NameTab, none, "Nickname", "Examples: Maggie, Tom"),
        field("NamFormattedName", NameTab, none, "Formatted Name",
              "Examples: Margaret Hollings, Dr. Thomas Q. Avery Jr."),
        field("NamEmail", NameTab, none, "Email", "Examples: maggie@example.com, tom.avery@example.org"),
        field("NamURL", NameTab, none, "URL", "Examples: www.example.com, www.example.org/avery"),
        field("NamNotes", NameTab, none, "Notes", "Examples: Met at the spring trade fair, Sister of a client", multi),

        field("BusTitle", BusinessTab, none, "Title", "Example: President and CEO", false, help),
        field("BusCompany", BusinessTab, none, "Company", "Example: Lindenbrook Instruments Ltd.", false, help),
        field("BusExtAddress", BusinessTab, loc, "Extended Address", "Examples: Suite 16, Mailstop G0", false, help),
        field("BusStreet", BusinessTab, loc, "Street", "Example: Save Face Medical Center, 241 Cut 'n Paste Avenue",
              multi, help),
        field("BusCity", BusinessTab, loc, "City", "Example: Tinseltown", false, help),
        field("BusState", BusinessTab, loc, "State", "Examples: CA, California, Alberta", false, help),
        field("BusZip", BusinessTab, loc, "Zip", "Examples: 90210, H3A 2B1", false, help),
        field("BusCountry", BusinessTab, loc, "Country", "Examples: USA, United States", false, help),
        field("BusPOBox", BusinessTab, box, "Box", "Example: P.O. Box 999"),
        field("BusPOCity", BusinessTab, box, "City", "Example: Tinseltown"),
        field("BusPOState", BusinessTab, box, "State", "Examples: CA, California, Alberta"),
        field("BusPOZip", BusinessTab, box, "Zip", "Examples: 90210, H3A 2B1"),
        field("BusPOCountry", BusinessTab, box, "Country", "Examples: USA, United States"),
        field("BusPhoneVoice", BusinessTab, tel, "Voice",
              "Examples: 310-555-1234 x666, (310) 555 1234, +1.310.555.1234"),
        field("BusPhonePager", BusinessTab, tel, "Pager", "Examples: 310-555-2345, (310) 555 2345, +1.310.555.2345"),
        field("BusPhoneFax", BusinessTab, tel, "Fax", "Examples: 310-555-3456, (310) 555 3456, +1.310.555.3456"),
        field("BusPhoneCell", BusinessTab, tel, "Cell", "Examples: 310-555-4567, (310) 555 4567, +1.310.555.4567"),

        field("HomExtAddress", HomeTab, loc, "Extended Address", "Examples: Apartment 3G, Floor U"),
        field("HomStreet", HomeTab, loc, "Street", "Example: 666 Monitor Boulevard", multi),
        field("HomCity", HomeTab, loc, "City", "Example: Tinseltown"),
        field("HomState", HomeTab, loc, "State", "Examples: CA, California, Alberta"),
        field("HomZip", HomeTab, loc, "Zip", "Examples: 90210, H3A 2B1"),
        field("HomCountry", HomeTab, loc, "Country", "Examples: USA, United States"),
        field("HomPOBox", HomeTab, box, "Box", "Example: P.O. Box 666"),
        field("HomPOCity", HomeTab, box, "City", "Example: Tinseltown"),
        field("HomPOState", HomeTab, box, "State", "Examples: CA, California, Alberta"),
        field("HomPOZip", HomeTab, box, "Zip", "Examples: 90210, H3A 2B1"),
        field("HomPOCountry", HomeTab, box, "Country", "Examples: USA, United States"),
        field("HomPhoneVoice", HomeTab, tel, "Voice", "Examples: 310-555-5678, (310) 555 5678, +1.310.555.5678"),
        field("HomPhonePager", HomeTab, tel, "Pager", "Examples: 310-555-7698, (310) 555 7698, +1.310.555.7698"),
        field("HomPhoneFax", HomeTab, tel, "Fax", "Examples: 310-555-6798, (310) 555 6798, +1.310.555.6798"),
        field("HomPhoneCell", HomeTab, tel, "Cell", "Examples: 310-555-6789, (310) 555 6789, +1.310.555.6789"),
    };
}

} // namespace

const QList<Field>& fields()
{
    static const QList<Field> table = makeFields();
    return table;
}

QString frameCaption(Frame frame)
{
    switch (frame) {
    case Frame::Location:
        return QStringLiteral("Location");
    case Frame::PostBox:
        return QStringLiteral("Post Box Address");
    case Frame::Telephone:
        return QStringLiteral("Telephone");
    case Frame::None:
        break;
    }
    return QString();
}

QString frameName(Tab tab, Frame frame)
{
    const QString block = tab == HomeTab ? QStringLiteral("Hom") : QStringLiteral("Bus");
    switch (frame) {
    case Frame::Location:
        return QStringLiteral("fra") + block + QStringLiteral("Location");
    case Frame::PostBox:
        return QStringLiteral("fra") + block + QStringLiteral("PostBox");
    case Frame::Telephone:
        return QStringLiteral("fra") + block + QStringLiteral("Telephone");
    case Frame::None:
        break;
    }
    return QString();
}

QString controlName(const Field& field)
{
    return (field.stem == QLatin1String("NamTitle") ? QStringLiteral("cbo") : QStringLiteral("txt")) + field.stem;
}

QString labelName(const Field& field)
{
    return QStringLiteral("lbl") + field.stem;
}

} // namespace ImpressionFieldTable
