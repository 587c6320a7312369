// Every field a contact export writes to CardScan and every field an import reads from it, in both
// database layouts, with contacts and cards whose every field holds a value of its own, so that a
// field written from or read into the wrong place shows.
#include "capture/CCardScan4.h"
#include "capture/CCardScan5.h"
#include "capture/modCardScan.h"
#include "model/CImpressionDoc.h"
#include "platform/ipc/DdeLink.h"

#include "QtPrinters.h"
#include "RunningCardScan.h"
#include "ScriptedMessages.h"

#include <QMap>

#include <gtest/gtest.h>

namespace {

const QString CrLf = QStringLiteral("\r\n");

// Every contact field holds its own name in angle brackets: NamFirst holds "<NamFirst>".
CImpressionDoc distinctContact()
{
    CImpressionDoc doc;
    for (int nSlot = 0; nSlot < CImpressionDoc::FieldCount; ++nSlot)
        doc.setField(nSlot, u'<' + CImpressionDoc::fieldName(nSlot) + u'>');
    return doc;
}

QString value(const char* field)
{
    return u'<' + QLatin1String(field) + u'>';
}

// The executes of the non-address fields of distinctContact(), in their order.
QStringList contactFields()
{
    QStringList executes = {QStringLiteral("CreateCard")};
    const std::pair<const char*, const char*> rows[] = {
        {"Name Prefix", "NamTitle"},
        {"First Name", "NamFirst"},
        {"Middle Name", "NamMiddle"},
        {"Last Name", "NamLast"},
        {"Name Suffix", "NamSuffix"},
        // "Full Name": CardScan composed it from the parts, so the formatted name is not sent.
        {"Email", "NamEmail"},
        {"Web Page", "NamURL"},
        {"Title", "BusTitle"},
        {"Company", "BusCompany"},
        {"Phone", "BusPhoneVoice"},
        {"Pager", "BusPhonePager"},
        {"Fax", "BusPhoneFax"},
        {"Mobile", "BusPhoneCell"},
        {"Phone - Home", "HomPhoneVoice"},
        {"Phone - Home Pager", "HomPhonePager"},
        {"Phone - Home Fax", "HomPhoneFax"},
        {"Phone - Home Mobile", "HomPhoneCell"},
    };
    for (const auto& [field, property] : rows)
        executes.append(setField(QLatin1String(field), value(property)));
    return executes;
}

// An address block of distinctContact() ("Bus", "BusPO", "Hom" or "HomPO") written to the
// address fields with `prefix`, street first.
QStringList addressFields(const QString& prefix, const QString& block)
{
    const bool bPostOffice = block.endsWith(QLatin1String("PO"));
    QString street = u'<' + block + (bPostOffice ? QStringLiteral("Box>") : QStringLiteral("Street>"));
    if (!bPostOffice)
        street += CrLf + u'<' + block + QStringLiteral("ExtAddress>");
    return {setField(prefix + QStringLiteral("Street Address"), street),
            setField(prefix + QStringLiteral("City"), u'<' + block + QStringLiteral("City>")),
            setField(prefix + QStringLiteral("State"), u'<' + block + QStringLiteral("State>")),
            setField(prefix + QStringLiteral("Zip Code"), u'<' + block + QStringLiteral("Zip>")),
            setField(prefix + QStringLiteral("Country"), u'<' + block + QStringLiteral("Country>"))};
}

// A block of distinctContact() as the notes carry it, after its line break.
QString notesBlock(const QString& heading, const QString& block)
{
    const bool bPostOffice = block.endsWith(QLatin1String("PO"));
    QString street = u'<' + block + (bPostOffice ? QStringLiteral("Box>") : QStringLiteral("Street>"));
    if (!bPostOffice)
        street += CrLf + u'<' + block + QStringLiteral("ExtAddress>");
    return CrLf + heading + CrLf + street + CrLf + u'<' + block + QStringLiteral("City> <") + block +
           QStringLiteral("State>  <") + block + QStringLiteral("Zip>") + CrLf + u'<' + block +
           QStringLiteral("Country>") + CrLf;
}

// The contact fields of a document by property name.
QMap<QString, QString> fieldsOf(const CImpressionDoc& doc)
{
    QMap<QString, QString> fields;
    for (int nSlot = 0; nSlot < CImpressionDoc::FieldCount; ++nSlot)
        fields.insert(CImpressionDoc::fieldName(nSlot), doc.field(nSlot));
    return fields;
}

void expectFields(const CImpressionDoc& doc, const QMap<QString, QString>& expected)
{
    const QMap<QString, QString> actual = fieldsOf(doc);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        EXPECT_EQ(actual.value(it.key()), it.value()) << qPrintable(it.key());
}

// The CardScan fields of a card, each holding its own name in square brackets.
const char* const CardFields[] = {
    "Name Prefix",
    "First Name",
    "Middle Name",
    "Last Name",
    "Name Suffix",
    "Full Name",
    "Email",
    "Web Page",
    "Title",
    "Company",
    "Street Address",
    "City",
    "State",
    "Zip Code",
    "Country",
    "Phone",
    "Pager",
    "Fax",
    "Mobile",
    "Phone - Cell",
    "Phone - Cellular",
    "Phone - Home",
    "Phone - Home Pager",
    "Phone - Home Fax",
    "Phone - Home Mobile",
    "Phone - Home Cell",
    "Phone - Home Cellular",
    "Notes",
    "Other",
};
const char* const SecondAddressFields[] = {"2nd Street Address", "2nd City", "2nd State", "2nd Zip Code",
                                           "2nd Country"};

QString cardValue(const char* field)
{
    return u'[' + QLatin1String(field) + u']';
}

class CardScanFieldTables : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override
    {
        cardScan = std::make_unique<RunningCardScan>(GetParam());
        ASSERT_TRUE(cardScan->isReady());
        ASSERT_TRUE(RunningCardScan::linkProgram());
    }

    void TearDown() override
    {
        modCardScan::shutdownCardScan();
        modCardScan::ddeControl().setLinkMode(ipc::DdeLink::None);
    }

    bool twoAddressBlocks() const { return GetParam() == 5; }

    std::unique_ptr<RunningCardScan> cardScan;
    testing_support::ScriptedMessages messages;
};

} // namespace

TEST_P(CardScanFieldTables, ExportWritesEveryFieldFromItsOwnProperty)
{
    const std::unique_ptr<IPIMDatabase> database = modCardScan::getCardScanDatabase();
    ASSERT_NE(database, nullptr);
    EXPECT_EQ(dynamic_cast<CCardScan5*>(database.get()) != nullptr, twoAddressBlocks());
    cardScan->executes();

    database->addNewRecord(distinctContact());
    QStringList expected = contactFields();
    expected += addressFields(QString(), QStringLiteral("Bus"));
    QString notes = value("NamNotes");
    if (twoAddressBlocks())
        expected += addressFields(QStringLiteral("2nd "), QStringLiteral("BusPO"));
    else
        notes += notesBlock(QStringLiteral("Work PO Address"), QStringLiteral("BusPO"));
    notes += notesBlock(QStringLiteral("Home Address"), QStringLiteral("Hom")) +
             notesBlock(QStringLiteral("Home PO Address"), QStringLiteral("HomPO"));
    expected += setField(QStringLiteral("Notes"), notes);
    EXPECT_EQ(cardScan->executes(), expected);
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_P(CardScanFieldTables, ImportReadsEveryFieldIntoItsOwnProperty)
{
    QList<std::pair<QString, QString>> card;
    for (const char* field : CardFields)
        card.append({QLatin1String(field), cardValue(field)});
    if (twoAddressBlocks()) {
        for (const char* field : SecondAddressFields)
            card.append({QLatin1String(field), cardValue(field)});
    }
    cardScan->addCard(card);
    // The fall-backs of the cell phones: "Mobile" before "Phone - Cellular", and the home
    // "Phone - Home Cellular" when neither of the others holds a number.
    cardScan->addCard({{QStringLiteral("Mobile"), cardValue("Mobile")},
                       {QStringLiteral("Phone - Cellular"), cardValue("Phone - Cellular")},
                       {QStringLiteral("Phone - Home Cellular"), cardValue("Phone - Home Cellular")}});

    ASSERT_TRUE(cardScan->control("select 0", QStringLiteral("selected")));
    const CImpressionDoc before = distinctContact();
    CImpressionDoc doc = before;
    modCardScan::readCurrentCard(doc);

    QMap<QString, QString> expected = fieldsOf(before); // what is never read stays
    const std::pair<const char*, const char*> rows[] = {
        {"NamTitle", "Name Prefix"},
        {"NamFirst", "First Name"},
        {"NamMiddle", "Middle Name"},
        {"NamLast", "Last Name"},
        {"NamSuffix", "Name Suffix"},
        {"NamFormattedName", "Full Name"},
        {"NamEmail", "Email"},
        {"NamURL", "Web Page"},
        {"BusTitle", "Title"},
        {"BusCompany", "Company"},
        {"BusStreet", "Street Address"},
        {"BusCity", "City"},
        {"BusState", "State"},
        {"BusZip", "Zip Code"},
        {"BusCountry", "Country"},
        {"BusPhoneVoice", "Phone"},
        {"BusPhonePager", "Pager"},
        {"BusPhoneFax", "Fax"},
        {"BusPhoneCell", "Phone - Cell"},
        {"HomStreet", "2nd Street Address"},
        {"HomCity", "2nd City"},
        {"HomState", "2nd State"},
        {"HomZip", "2nd Zip Code"},
        {"HomCountry", "2nd Country"},
        {"HomPhoneVoice", "Phone - Home"},
        {"HomPhonePager", "Phone - Home Pager"},
        {"HomPhoneFax", "Phone - Home Fax"},
        {"HomPhoneCell", "Phone - Home Cell"},
    };
    for (const auto& [property, field] : rows) {
        // A card of one address block has no "2nd " fields: they read empty.
        const bool bMissing = !twoAddressBlocks() && QLatin1String(field).startsWith(QLatin1String("2nd "));
        expected.insert(QLatin1String(property), bMissing ? QString() : cardValue(field));
    }
    expected.insert(QStringLiteral("NamNotes"), cardValue("Other") + CrLf + cardValue("Notes"));
    expectFields(doc, expected);
    EXPECT_EQ(cardScan->executes(), QStringList({QStringLiteral("Search(\"\")"), QStringLiteral("Setindex(0)")}));

    ASSERT_TRUE(cardScan->control("select 1", QStringLiteral("selected")));
    modCardScan::readCurrentCard(doc);
    EXPECT_EQ(doc.BusPhoneCell(), cardValue("Mobile"));
    EXPECT_EQ(doc.HomPhoneCell(), cardValue("Phone - Home Cellular"));
    EXPECT_TRUE(messages.shown().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Layouts, CardScanFieldTables, ::testing::Values(4, 5),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param == 5 ? std::string("TwoAddressBlocks") : std::string("OneAddressBlock");
                         });
