#include "capture/CCardScan4.h"
#include "capture/CCardScan5.h"
#include "capture/CPIMOutlook.h"
#include "capture/modCardScan.h"
#include "common/modRegistryHigh.h"
#include "model/CImpressionDoc.h"
#include "platform/ipc/DdeLink.h"

#include "QtPrinters.h"
#include "RunningCardScan.h"
#include "ScriptedMessages.h"
#include "TempConfig.h"

#include <gtest/gtest.h>

using testing_support::ScriptedMessages;

namespace {

const QString CrLf = QStringLiteral("\r\n");

// A contact with a work address (and an extended address), a home address, a home
// post-office block holding only its country, blank values and quotes.
CImpressionDoc fullImpression()
{
    CImpressionDoc doc;
    doc.setNamTitle(QStringLiteral("Dr."));
    doc.setNamFirst(QStringLiteral("Ada"));
    doc.setNamLast(QStringLiteral("Lovelace"));
    doc.setNamNickname(QStringLiteral("Ada"));
    doc.setNamFormattedName(QStringLiteral("Augusta Ada King"));
    doc.setNamEmail(QStringLiteral("ada@example.org"));
    doc.setNamNotes(QStringLiteral("Met at the fair."));
    doc.setBusTitle(QStringLiteral("Analyst"));
    doc.setBusCompany(QStringLiteral("Engines \"Ltd\""));
    doc.setBusExtAddress(QStringLiteral("Suite 5"));
    doc.setBusStreet(QStringLiteral("1 Main St"));
    doc.setBusCity(QStringLiteral("London"));
    doc.setBusState(QStringLiteral("LDN"));
    doc.setBusZip(QStringLiteral("W1"));
    doc.setBusPhoneVoice(QStringLiteral("555-0100"));
    doc.setBusPhoneFax(QStringLiteral("555-0101"));
    doc.setBusPhoneCell(QStringLiteral("555-0102"));
    doc.setHomExtAddress(QStringLiteral("  "));
    doc.setHomStreet(QStringLiteral("2 Home Rd"));
    doc.setHomCity(QStringLiteral("Ockham"));
    doc.setHomState(QStringLiteral("SRY"));
    doc.setHomZip(QStringLiteral("GU23"));
    doc.setHomCountry(QStringLiteral("UK"));
    doc.setHomPOCountry(QStringLiteral("Canada"));
    doc.setHomPhoneVoice(QStringLiteral(" "));
    doc.setHomPhonePager(QStringLiteral("555-0103"));
    doc.setHomPhoneCell(QStringLiteral("555-0104"));
    return doc;
}

// The executes of fullImpression() before its addresses.
QStringList fullImpressionFields()
{
    return {
        QStringLiteral("CreateCard"),
        setField(QStringLiteral("Name Prefix"), QStringLiteral("Dr.")),
        setField(QStringLiteral("First Name"), QStringLiteral("Ada")),
        setField(QStringLiteral("Last Name"), QStringLiteral("Lovelace")),
        // CardScan composed "Dr. Ada Lovelace" from the parts: the formatted name is not sent.
        setField(QStringLiteral("Email"), QStringLiteral("ada@example.org")),
        setField(QStringLiteral("Title"), QStringLiteral("Analyst")),
        setField(QStringLiteral("Company"), QStringLiteral("Engines \"Ltd\"")),
        setField(QStringLiteral("Phone"), QStringLiteral("555-0100")),
        setField(QStringLiteral("Fax"), QStringLiteral("555-0101")),
        setField(QStringLiteral("Mobile"), QStringLiteral("555-0102")),
        setField(QStringLiteral("Phone - Home Pager"), QStringLiteral("555-0103")),
        setField(QStringLiteral("Phone - Home Mobile"), QStringLiteral("555-0104")),
    };
}

QStringList addressFields(const QString& prefix, const QString& street, const QString& city, const QString& state,
                          const QString& zip, const QString& country)
{
    QStringList executes;
    const QString values[] = {street, city, state, zip, country};
    const char* names[] = {"Street Address", "City", "State", "Zip Code", "Country"};
    for (int i = 0; i < 5; ++i) {
        if (!values[i].isEmpty())
            executes.append(setField(prefix + QLatin1String(names[i]), values[i]));
    }
    return executes;
}

const QString WorkStreet = QStringLiteral("1 Main St\r\nSuite 5");
const QString HomePOBlock = QStringLiteral("Home PO Address\r\n\r\n   \r\nCanada\r\n");

// A test with CardScan running and the program's link to it open, as after a first operation.
class CardScanDatabase : public ::testing::Test
{
protected:
    // Starts the stand-in and opens the program's link to it.
    bool run(int nVersion)
    {
        cardScan.reset(); // one CardScan at a time
        cardScan = std::make_unique<RunningCardScan>(nVersion);
        return cardScan->isReady() && RunningCardScan::linkProgram();
    }

    void TearDown() override
    {
        modCardScan::shutdownCardScan();
        modCardScan::ddeControl().setLinkMode(ipc::DdeLink::None);
        modCardScan::ddeControl().setLinkTimeout(ipc::DdeLink::DefaultTimeout);
    }

    void addCard(const QList<std::pair<QString, QString>>& fields) { cardScan->addCard(fields); }

    std::unique_ptr<RunningCardScan> cardScan;
    ScriptedMessages messages;
};

} // namespace

TEST_F(CardScanDatabase, ExportToTwoAddressBlocksSendsWorkAndHomeToTheAddressFields)
{
    ASSERT_TRUE(run(5));
    const std::unique_ptr<IPIMDatabase> database = modCardScan::getCardScanDatabase();
    ASSERT_NE(dynamic_cast<CCardScan5*>(database.get()), nullptr);
    EXPECT_EQ(cardScan->executes(), QStringList({QStringLiteral("CreateCard"), QStringLiteral("DeleteCard(1)")}));

    database->addNewRecord(fullImpression());
    QStringList expected = fullImpressionFields();
    expected += addressFields(QString(), WorkStreet, QStringLiteral("London"), QStringLiteral("LDN"),
                              QStringLiteral("W1"), QString());
    expected += addressFields(QStringLiteral("2nd "), QStringLiteral("2 Home Rd"), QStringLiteral("Ockham"),
                              QStringLiteral("SRY"), QStringLiteral("GU23"), QStringLiteral("UK"));
    expected += setField(QStringLiteral("Notes"), QStringLiteral("Met at the fair.") + CrLf + HomePOBlock);
    EXPECT_EQ(cardScan->executes(), expected);
    EXPECT_TRUE(cardScan->requests().contains(QStringLiteral("Field(Full Name)")));
    EXPECT_EQ(cardScan->total(), 1);

    // The new card is the selected one: it reads back.
    CImpressionDoc back;
    database->getCurrentRecord(back);
    EXPECT_EQ(back.NamFormattedName(), QStringLiteral("Dr. Ada Lovelace"));
    EXPECT_EQ(back.BusCompany(), QStringLiteral("Engines \"Ltd\""));
    EXPECT_EQ(back.BusStreet(), WorkStreet);
    EXPECT_EQ(back.NamNotes(), QStringLiteral("Met at the fair.") + CrLf + HomePOBlock);
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(CardScanDatabase, ExportToOneAddressBlockPutsTheHomeAddressInTheNotes)
{
    ASSERT_TRUE(run(4));
    const std::unique_ptr<IPIMDatabase> database = modCardScan::getCardScanDatabase();
    ASSERT_NE(dynamic_cast<CCardScan4*>(database.get()), nullptr);
    cardScan->executes();

    database->addNewRecord(fullImpression());
    QStringList expected = fullImpressionFields();
    expected += addressFields(QString(), WorkStreet, QStringLiteral("London"), QStringLiteral("LDN"),
                              QStringLiteral("W1"), QString());
    expected +=
        setField(QStringLiteral("Notes"), QStringLiteral("Met at the fair.\r\n"
                                                         "Home Address\r\n2 Home Rd\r\nOckham SRY  GU23\r\nUK\r\n"
                                                         "\r\n") +
                                              HomePOBlock);
    EXPECT_EQ(cardScan->executes(), expected);
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(CardScanDatabase, ExportEdgeCasesOfNamesAndAddresses)
{
    ASSERT_TRUE(run(4));
    CCardScan4 database;

    // Only a home address: it is the first pending block and takes the address fields.
    // Without name parts the formatted name is sent; a value is sent as it is.
    CImpressionDoc home;
    home.setNamFormattedName(QStringLiteral(" Ada "));
    home.setHomStreet(QStringLiteral("2 Home Rd"));
    home.setHomZip(QStringLiteral("GU23"));
    database.addNewRecord(home);
    EXPECT_EQ(cardScan->executes(),
              QStringList({QStringLiteral("CreateCard"), setField(QStringLiteral("Full Name"), QStringLiteral(" Ada ")),
                           setField(QStringLiteral("Street Address"), QStringLiteral("2 Home Rd")),
                           setField(QStringLiteral("Zip Code"), QStringLiteral("GU23"))}));

    // Empty notes and one block left over: the notes start with a line break and its heading.
    CImpressionDoc two;
    two.setBusCity(QStringLiteral("London"));
    two.setBusPOBox(QStringLiteral("PO Box 7"));
    database.addNewRecord(two);
    EXPECT_EQ(
        cardScan->executes(),
        QStringList({QStringLiteral("CreateCard"), setField(QStringLiteral("City"), QStringLiteral("London")),
                     setField(QStringLiteral("Notes"), QStringLiteral("\r\nWork PO Address\r\nPO Box 7\r\n   \r\n"))}));
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(CardScanDatabase, ImportReadsTheSelectedCardWithItsFallBacks)
{
    ASSERT_TRUE(run(5));
    addCard({{QStringLiteral("First Name"), QStringLiteral("Someone else")}});
    addCard({
        {QStringLiteral("First Name"), QStringLiteral("Grace")},
        {QStringLiteral("Last Name"), QStringLiteral("Hopper")},
        {QStringLiteral("Other"), QStringLiteral("Admiral")},
        {QStringLiteral("Notes"), QStringLiteral("Navy")},
        {QStringLiteral("Street Address"), QStringLiteral("1 Navy Way")},
        {QStringLiteral("2nd City"), QStringLiteral("Arlington")},
        {QStringLiteral("Phone - Cellular"), QStringLiteral("555-0200")},
        {QStringLiteral("Phone - Home Mobile"), QStringLiteral("555-0201")},
        {QStringLiteral("Phone - Home Cellular"), QStringLiteral("555-0202")},
    });
    ASSERT_TRUE(cardScan->control("select 1", QStringLiteral("selected")));

    CImpressionDoc doc = fullImpression();
    CCardScan5().getCurrentRecord(doc);
    EXPECT_EQ(cardScan->executes(), QStringList({QStringLiteral("Search(\"\")"), QStringLiteral("Setindex(1)")}));
    EXPECT_EQ(doc.NamFirst(), QStringLiteral("Grace"));
    EXPECT_EQ(doc.NamTitle(), QString()); // read unconditionally
    EXPECT_EQ(doc.NamFormattedName(), QStringLiteral("Grace Hopper"));
    EXPECT_EQ(doc.NamNotes(), QStringLiteral("Admiral\r\nNavy"));
    EXPECT_EQ(doc.BusStreet(), QStringLiteral("1 Navy Way"));
    EXPECT_EQ(doc.HomCity(), QStringLiteral("Arlington"));
    EXPECT_EQ(doc.BusPhoneCell(), QStringLiteral("555-0200")); // after "Phone - Cell" and "Mobile"
    EXPECT_EQ(doc.HomPhoneCell(), QStringLiteral("555-0201")); // "Mobile" before "Cellular"
    EXPECT_EQ(doc.HomPhonePager(), QString());
    // Never read: the nickname, the extended addresses and the post-office blocks.
    EXPECT_EQ(doc.NamNickname(), QStringLiteral("Ada"));
    EXPECT_EQ(doc.BusExtAddress(), QStringLiteral("Suite 5"));
    EXPECT_EQ(doc.HomPOCountry(), QStringLiteral("Canada"));
    EXPECT_TRUE(messages.shown().isEmpty());

    // Notes alone come without a line break.
    addCard({{QStringLiteral("Notes"), QStringLiteral("Only notes")}});
    modCardScan::readCurrentCard(doc);
    EXPECT_EQ(doc.NamNotes(), QStringLiteral("Only notes"));
    EXPECT_EQ(doc.NamFirst(), QString());
}

TEST_F(CardScanDatabase, ImportWithNothingSelectedLeavesTheImpression)
{
    ASSERT_TRUE(run(5));
    addCard({{QStringLiteral("First Name"), QStringLiteral("Grace")}});
    ASSERT_TRUE(cardScan->control("select -1", QStringLiteral("selected")));
    messages.ok();
    CImpressionDoc doc = fullImpression();
    modCardScan::readCurrentCard(doc);
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.last().text,
              QStringLiteral("No contact is selected in the CardScan database.\r\n\r\nPlease select a contact."));
    EXPECT_EQ(messages.last().icon, ui::Icon::Exclamation);
    EXPECT_EQ(cardScan->executes(), QStringList({QStringLiteral("Search(\"\")")}));
    EXPECT_EQ(doc.NamFirst(), QStringLiteral("Ada"));
}

TEST_F(CardScanDatabase, TheProbeKeepsTheDatabaseAsItWas)
{
    // A database with cards is not touched.
    ASSERT_TRUE(run(4));
    addCard({{QStringLiteral("First Name"), QStringLiteral("Grace")}});
    EXPECT_NE(dynamic_cast<CCardScan4*>(modCardScan::getCardScanDatabase().get()), nullptr);
    EXPECT_EQ(cardScan->executes(), QStringList());
    EXPECT_EQ(cardScan->total(), 1);
    TearDown();

    // A probe that fails after making its card still deletes it.
    ASSERT_TRUE(run(5));
    ASSERT_TRUE(cardScan->control("refuse Label", QStringLiteral("troubled")));
    messages.ok();
    EXPECT_EQ(modCardScan::getCardScanDatabase(), nullptr);
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(
        messages.last().text,
        QStringLiteral("Unable to communicate with CardScan.\rPlease ensure that CardScan is installed correctly."));
    EXPECT_EQ(messages.last().icon, ui::Icon::Critical);
    EXPECT_EQ(cardScan->executes(), QStringList({QStringLiteral("CreateCard"), QStringLiteral("DeleteCard(1)")}));
    EXPECT_EQ(cardScan->total(), 0);
}

TEST_F(CardScanDatabase, ABusyOrHungCardScanIsReported)
{
    ASSERT_TRUE(run(5));
    ASSERT_TRUE(cardScan->control("busy", QStringLiteral("troubled")));
    messages.ok(3);
    CCardScan5().addNewRecord(fullImpression());
    CImpressionDoc doc;
    modCardScan::readCurrentCard(doc);
    EXPECT_EQ(modCardScan::getCardScanDatabase(), nullptr);
    ASSERT_EQ(messages.shown().size(), 3);
    EXPECT_EQ(messages.shown()[0].text,
              QStringLiteral("CardScan is not responding.\r\rCheck if a CardScan dialog box needs closing."));
    EXPECT_EQ(messages.shown()[0].icon, ui::Icon::Critical);
    EXPECT_EQ(messages.shown()[1].text,
              QStringLiteral("CardScan is not responding.\r\n\r\nCheck if a CardScan dialog box needs closing."));
    EXPECT_EQ(messages.shown()[1].icon, ui::Icon::Exclamation);
    EXPECT_EQ(
        messages.shown()[2].text,
        QStringLiteral("Unable to communicate with CardScan.\rPlease ensure that CardScan is installed correctly."));

    // No answer within the link's time-out.
    ASSERT_TRUE(cardScan->control("hang CreateCard", QStringLiteral("troubled")));
    modCardScan::ddeControl().setLinkTimeout(3);
    messages.clear();
    messages.ok();
    CCardScan5().addNewRecord(fullImpression());
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.last().text, QStringLiteral("Error 286:\rTimeout while waiting for DDE response"));
    EXPECT_EQ(messages.last().icon, ui::Icon::Critical);
    EXPECT_EQ(messages.last().buttons, ui::Buttons::Ok);
    EXPECT_TRUE(cardScan->control("release\nsync", QStringLiteral("synced")));
}

TEST_F(CardScanDatabase, TheDefaultContactManagerFollowsTheSetting)
{
    testing_support::TempConfig config;
    EXPECT_NE(dynamic_cast<CPIMOutlook*>(modCardScan::getDefaultPIMDatabase().get()), nullptr);
    ASSERT_TRUE(run(5));
    ASSERT_TRUE(modRegistryHigh::setDefaultPIM(0));
    EXPECT_NE(dynamic_cast<CCardScan5*>(modCardScan::getDefaultPIMDatabase().get()), nullptr);
    ASSERT_TRUE(modRegistryHigh::setDefaultPIM(1));
    EXPECT_NE(dynamic_cast<CPIMOutlook*>(modCardScan::getDefaultPIMDatabase().get()), nullptr);
}
