// The Outlook link against the contact store in a temporary folder.
#include "capture/CPIMOutlook.h"

#include "model/CImpressionDoc.h"
#include "platform/contacts/ContactStore.h"

#include "CaughtWarnings.h"
#include "ScriptedMessages.h"
#include "TemporaryContactStore.h"
#include "Vobject.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using contacts::ContactCard;
using contacts::ContactStore;
using contacts::Field;
using testing_support::ScriptedMessages;

namespace {

const QString NotOpen = QStringLiteral(
    "Please first open the Outlook contact record that\ryou want to import into the current impression.");

// Every field filled, each with a text of its own.
CImpressionDoc fullImpression()
{
    CImpressionDoc doc;
    for (int slot = 0; slot < CImpressionDoc::FieldCount; ++slot)
        doc.setField(slot, CImpressionDoc::fieldName(slot) + QStringLiteral(" value"));
    doc.setNamTitle(QStringLiteral("Dr."));
    doc.setNamFirst(QStringLiteral("Zoë"));
    doc.setNamMiddle(QStringLiteral("Q."));
    doc.setNamLast(QStringLiteral("O'Brien"));
    doc.setNamSuffix(QStringLiteral("Jr."));
    doc.setNamFormattedName(QStringLiteral("Zoë O'Brien, PhD"));
    doc.setNamNotes(QStringLiteral("Met at the fair;\r\nlikes PDF417"));
    doc.setBusCompany(QStringLiteral("Acme; Widgets, Inc."));
    doc.setBusStreet(QStringLiteral("1 Main St\r\nSuite 5"));
    doc.setHomExtAddress(QString());
    const QStringList phones = {"+1 555 0100", "+1 555 0101", "+1 555 0102", "+1 555 0103",
                                "+49 221 1",   "+49 221 2",   "+49 221 3",   "+49 170 4"};
    doc.setBusPhoneVoice(phones[0]);
    doc.setBusPhonePager(phones[1]);
    doc.setBusPhoneFax(phones[2]);
    doc.setBusPhoneCell(phones[3]);
    doc.setHomPhoneVoice(phones[4]);
    doc.setHomPhonePager(phones[5]);
    doc.setHomPhoneFax(phones[6]);
    doc.setHomPhoneCell(phones[7]);
    return doc;
}

// Exports with no message expected and gives the one contact the store then holds.
ContactCard exported(const CImpressionDoc& doc)
{
    {
        ScriptedMessages messages;
        CPIMOutlook().addNewRecord(doc);
        EXPECT_TRUE(messages.shown().isEmpty()) << messages.texts().join(u'\n').toStdString();
    }
    const auto store = ContactStore::open(ContactStore::defaultFolder());
    const QList<ContactCard> items = store ? store->items() : QList<ContactCard>();
    EXPECT_EQ(items.size(), 1);
    return items.isEmpty() ? ContactCard(QString(), {}) : items.first();
}

} // namespace

TEST(CPIMOutlook, ExportedContactReadsTheSameInAnotherParser)
{
    testing_support::TemporaryContactStore store;
    const CImpressionDoc doc = fullImpression();
    const ContactCard card = exported(doc);
    EXPECT_FALSE(ContactStore::open(store.folder())->frontId().size()) << "the closed form is no longer in front";

    const QJsonObject vcf = testing_support::readWithVobject(store.filePath(card.id() + ".vcf"));
    ASSERT_FALSE(vcf.isEmpty());
    const auto str = [](const QJsonObject& o, const char* key) { return o[QLatin1String(key)].toString(); };
    EXPECT_EQ(str(vcf, "version"), "3.0");
    EXPECT_EQ(str(vcf, "uid"), card.id());
    const QJsonObject n = vcf["n"].toObject();
    EXPECT_EQ(str(n, "prefix"), doc.NamTitle());
    EXPECT_EQ(str(n, "given"), doc.NamFirst());
    EXPECT_EQ(str(n, "additional"), doc.NamMiddle());
    EXPECT_EQ(str(n, "family"), doc.NamLast());
    EXPECT_EQ(str(n, "suffix"), doc.NamSuffix());
    EXPECT_EQ(str(vcf, "fn"), "Dr. Zoë Q. O'Brien Jr.");
    EXPECT_EQ(str(vcf, "nickname"), doc.NamNickname());
    EXPECT_EQ(vcf["org"].toArray(), QJsonArray{doc.BusCompany()});
    EXPECT_EQ(str(vcf, "title"), doc.BusTitle());
    EXPECT_EQ(str(vcf, "email"), doc.NamEmail());
    EXPECT_EQ(str(vcf, "url"), doc.NamURL());
    // The formatted name differs from the composed one, so it heads the notes; the
    // business post-office box took the other address, so the home block follows.
    EXPECT_EQ(str(vcf, "note"), "Zoë O'Brien, PhD\n\nMet at the fair;\nlikes PDF417\n\nHome PO Address\n"
                                "HomPOBox value\nHomPOCity value, HomPOState value  HomPOZip value\n"
                                "HomPOCountry value");

    const QJsonArray adr = vcf["adr"].toArray();
    ASSERT_EQ(adr.size(), 3);
    const auto address = [&](const QStringList& types, const char* first) {
        const QJsonObject a = testing_support::entryWithTypes(adr, types);
        return QStringList{str(a, first), str(a, "city"), str(a, "region"), str(a, "code"), str(a, "country")};
    };
    EXPECT_EQ(address({"WORK"}, "street"), QStringList({"BusExtAddress value\n1 Main St\nSuite 5", doc.BusCity(),
                                                        doc.BusState(), doc.BusZip(), doc.BusCountry()}));
    EXPECT_EQ(address({"POSTAL"}, "box"),
              QStringList({doc.BusPOBox(), doc.BusPOCity(), doc.BusPOState(), doc.BusPOZip(), doc.BusPOCountry()}));
    EXPECT_EQ(address({"HOME"}, "street"),
              QStringList({doc.HomStreet(), doc.HomCity(), doc.HomState(), doc.HomZip(), doc.HomCountry()}))
        << "a blank extended address adds no line";

    const QJsonArray tel = vcf["tel"].toArray();
    ASSERT_EQ(tel.size(), 8);
    const auto number = [&](const QStringList& types) {
        return str(testing_support::entryWithTypes(tel, types), "value");
    };
    EXPECT_EQ(number({"VOICE", "WORK"}), doc.BusPhoneVoice());
    EXPECT_EQ(number({"FAX", "WORK"}), doc.BusPhoneFax());
    EXPECT_EQ(number({"CELL"}), doc.BusPhoneCell());
    EXPECT_EQ(number({"PAGER"}), doc.BusPhonePager());
    EXPECT_EQ(number({"HOME", "VOICE"}), doc.HomPhoneVoice());
    EXPECT_EQ(number({"FAX", "HOME"}), doc.HomPhoneFax());
    EXPECT_EQ(number({"HOME", "VOICE", "X-HOME2"}), doc.HomPhoneCell()) << "the business cell keeps the mobile slot";
    EXPECT_EQ(number({"X-CALLBACK"}), doc.HomPhonePager()) << "the business pager keeps the pager slot";
}

TEST(CPIMOutlook, FormattedNameIsTheFullNameOnlyWhenThePartsGiveNone)
{
    {
        testing_support::TemporaryContactStore store;
        CImpressionDoc doc;
        doc.setNamTitle(QStringLiteral("  "));
        doc.setNamFormattedName(QStringLiteral("Acme Help Desk"));
        doc.setNamNotes(QStringLiteral("Call first"));
        const ContactCard card = exported(doc);
        EXPECT_EQ(card.value(Field::FullName), "Acme Help Desk");
        EXPECT_EQ(card.value(Field::Body), "Call first\r\n\r\n");
    }
    {
        testing_support::TemporaryContactStore store;
        CImpressionDoc doc;
        doc.setNamFirst(QStringLiteral("Ada"));
        doc.setNamLast(QStringLiteral("Lovelace"));
        doc.setNamFormattedName(QStringLiteral("Countess of Lovelace"));
        doc.setNamNotes(QStringLiteral("Call first"));
        const ContactCard card = exported(doc);
        EXPECT_EQ(card.value(Field::FullName), "Ada Lovelace");
        EXPECT_EQ(card.value(Field::Body), "Countess of Lovelace\r\n\r\nCall first\r\n\r\n");
    }
}

TEST(CPIMOutlook, HomePostOfficeBlockTakesTheOtherAddressOnlyWhenAllOfItIsFree)
{
    CImpressionDoc doc;
    doc.setNamNotes(QStringLiteral("Notes"));
    doc.setHomPOBox(QStringLiteral("Postfach 99"));
    doc.setHomPOCity(QStringLiteral("Bonn"));
    doc.setHomPOState(QStringLiteral("NRW"));
    doc.setHomPOZip(QStringLiteral("53111"));
    doc.setHomPOCountry(QStringLiteral("Deutschland"));
    const QString homeBlockInNotes =
        QStringLiteral("Notes\r\n\r\nHome PO Address\r\nPostfach 99\r\nBonn, NRW  53111\r\nDeutschland");
    {
        testing_support::TemporaryContactStore store;
        const ContactCard card = exported(doc);
        EXPECT_EQ(card.value(Field::OtherAddressPostOfficeBox), "Postfach 99");
        EXPECT_EQ(card.value(Field::OtherAddressCity), "Bonn");
        EXPECT_EQ(card.value(Field::OtherAddressState), "NRW");
        EXPECT_EQ(card.value(Field::OtherAddressPostalCode), "53111");
        EXPECT_EQ(card.value(Field::OtherAddressCountry), "Deutschland");
        EXPECT_EQ(card.value(Field::Body), "Notes\r\n\r\n");
    }
    {
        testing_support::TemporaryContactStore store;
        CImpressionDoc business = doc;
        business.setBusPOBox(QStringLiteral("PO Box 12"));
        const ContactCard card = exported(business);
        EXPECT_EQ(card.value(Field::OtherAddressPostOfficeBox), "PO Box 12");
        EXPECT_EQ(card.value(Field::OtherAddressCity), "");
        EXPECT_EQ(card.value(Field::Body), homeBlockInNotes);
    }
    // A business block with a city, state, code or country but no box still holds the
    // other address: the home block goes into the notes instead of replacing it.
    const std::pair<Field, int> otherFields[] = {{Field::OtherAddressCity, CImpressionDoc::slotBusPOCity},
                                                 {Field::OtherAddressState, CImpressionDoc::slotBusPOState},
                                                 {Field::OtherAddressPostalCode, CImpressionDoc::slotBusPOZip},
                                                 {Field::OtherAddressCountry, CImpressionDoc::slotBusPOCountry}};
    for (const auto& [field, slot] : otherFields) {
        testing_support::TemporaryContactStore store;
        CImpressionDoc business = doc;
        business.setField(slot, QStringLiteral("business"));
        const ContactCard card = exported(business);
        const std::string name = ContactCard::fieldName(field).toStdString();
        EXPECT_EQ(card.value(field), "business") << name;
        EXPECT_EQ(card.value(Field::OtherAddressPostOfficeBox), "") << name;
        EXPECT_EQ(card.value(Field::Body), homeBlockInNotes) << name;
    }
    // With the other address taken, an empty home block still writes its lines.
    {
        testing_support::TemporaryContactStore store;
        CImpressionDoc empty;
        empty.setBusPOBox(QStringLiteral("PO Box 12"));
        EXPECT_EQ(exported(empty).value(Field::Body), "\r\n\r\nHome PO Address\r\n\r\n,   \r\n");
    }
}

TEST(CPIMOutlook, HomeCellAndPagerTakeTheFreeSlot)
{
    testing_support::TemporaryContactStore store;
    CImpressionDoc doc;
    doc.setBusPhonePager(QStringLiteral(" "));
    doc.setHomPhoneCell(QStringLiteral("+49 170 4"));
    doc.setHomPhonePager(QStringLiteral("+49 221 2"));
    const ContactCard card = exported(doc);
    EXPECT_EQ(card.value(Field::MobileTelephoneNumber), "+49 170 4");
    EXPECT_EQ(card.value(Field::PagerNumber), "+49 221 2") << "a blank business pager counts as empty";
    EXPECT_EQ(card.value(Field::Home2TelephoneNumber), "");
    EXPECT_EQ(card.value(Field::CallbackTelephoneNumber), "");
}

TEST(CPIMOutlook, ImportReadsTheContactInFront)
{
    testing_support::TemporaryContactStore store;
    const CImpressionDoc original = fullImpression();
    const ContactCard card = exported(original);
    ASSERT_TRUE(ContactStore::open(store.folder())->setFrontId(card.id()));

    CImpressionDoc doc;
    doc.setBusExtAddress(QStringLiteral("kept 1"));
    doc.setHomExtAddress(QStringLiteral("kept 2"));
    for (int slot = CImpressionDoc::slotHomPOBox; slot <= CImpressionDoc::slotHomPOCountry; ++slot)
        doc.setField(slot, QStringLiteral("kept PO"));
    doc.setCwLines(0, QStringLiteral("words stay"));
    {
        ScriptedMessages messages;
        CPIMOutlook().getCurrentRecord(doc);
    }
    // Every field that the export stored as it stands comes back unchanged, the home cell
    // and pager from the second slots they took.
    const QList<int> changedOrKept = {CImpressionDoc::slotNamFormattedName, CImpressionDoc::slotNamNotes,
                                      CImpressionDoc::slotBusStreet,        CImpressionDoc::slotBusExtAddress,
                                      CImpressionDoc::slotHomExtAddress,    CImpressionDoc::slotHomPOBox,
                                      CImpressionDoc::slotHomPOCity,        CImpressionDoc::slotHomPOState,
                                      CImpressionDoc::slotHomPOZip,         CImpressionDoc::slotHomPOCountry};
    for (int slot = 0; slot < CImpressionDoc::FieldCount; ++slot) {
        if (!changedOrKept.contains(slot)) {
            EXPECT_EQ(doc.field(slot), original.field(slot)) << CImpressionDoc::fieldName(slot).toStdString();
        }
    }
    EXPECT_EQ(doc.NamFormattedName(), "Dr. Zoë Q. O'Brien Jr.");
    EXPECT_TRUE(doc.NamNotes().startsWith("Zoë O'Brien, PhD\r\n\r\nMet at the fair;\r\nlikes PDF417\r\n\r\n"));
    EXPECT_EQ(doc.BusStreet(), "BusExtAddress value\r\n1 Main St\r\nSuite 5");
    EXPECT_EQ(doc.BusExtAddress(), "kept 1");
    EXPECT_EQ(doc.HomExtAddress(), "kept 2");
    for (int slot = CImpressionDoc::slotHomPOBox; slot <= CImpressionDoc::slotHomPOCountry; ++slot)
        EXPECT_EQ(doc.field(slot), "kept PO");
    EXPECT_EQ(doc.CwLines(0), "words stay");

    // An empty field of the contact empties the impression's field.
    ContactCard plain = ContactStore::open(store.folder())->newItem();
    plain.setValue(Field::FirstName, QStringLiteral("Only"));
    ASSERT_TRUE(ContactStore::open(store.folder())->save(plain));
    ASSERT_TRUE(ContactStore::open(store.folder())->setFrontId(plain.id()));
    {
        ScriptedMessages messages;
        CPIMOutlook().getCurrentRecord(doc);
    }
    EXPECT_EQ(doc.NamFirst(), "Only");
    EXPECT_EQ(doc.NamNotes(), "");
    EXPECT_EQ(doc.BusPhoneVoice(), "");
}

TEST(CPIMOutlook, ImportWithoutAContactInFrontChangesNothing)
{
    testing_support::TemporaryContactStore store;
    const auto contacts = ContactStore::open(store.folder());
    ASSERT_TRUE(contacts);
    QFile group(store.filePath("team.vcf"));
    ASSERT_TRUE(group.open(QIODevice::WriteOnly));
    group.write("BEGIN:VCARD\r\nVERSION:3.0\r\nUID:team\r\nFN:Team\r\nN:;;;;\r\nKIND:group\r\nEND:VCARD\r\n");
    group.close();

    const CImpressionDoc original = fullImpression();
    for (const QString& front : {QString(), QStringLiteral("team"), QStringLiteral("deleted-meanwhile")}) {
        ASSERT_TRUE(contacts->setFrontId(front));
        CImpressionDoc doc = fullImpression();
        ScriptedMessages messages;
        messages.ok();
        CPIMOutlook().getCurrentRecord(doc);
        ASSERT_EQ(messages.shown().size(), 1);
        EXPECT_EQ(messages.last().text, NotOpen);
        EXPECT_EQ(messages.last().icon, ui::Icon::Exclamation);
        for (int slot = 0; slot < CImpressionDoc::FieldCount; ++slot)
            EXPECT_EQ(doc.field(slot), original.field(slot));
    }
}

TEST(CPIMOutlook, StoreProblemsAreReported)
{
    testing_support::TemporaryContactStore store;
    QFile blocker(store.folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    testing_support::CaughtWarnings warnings;
    CImpressionDoc doc = fullImpression();
    {
        ScriptedMessages messages;
        messages.ok(2);
        CPIMOutlook().addNewRecord(doc);
        CPIMOutlook().getCurrentRecord(doc);
        ASSERT_EQ(messages.shown().size(), 2);
        EXPECT_EQ(messages.shown()[0].text, "Unable to start Outlook");
        EXPECT_EQ(messages.shown()[0].icon, ui::Icon::Exclamation);
        EXPECT_EQ(messages.shown()[1].text, "Unable to launch Outlook.");
        EXPECT_EQ(messages.shown()[1].icon, ui::Icon::Exclamation);
    }
    EXPECT_EQ(warnings.messages().size(), 2);

    // A store that refuses a write ends the export with the error; nothing is saved.
    QFile::remove(store.folder());
    ASSERT_TRUE(QDir().mkpath(store.filePath(ContactStore::FrontFileName)));
    {
        ScriptedMessages messages;
        messages.ok();
        CPIMOutlook().addNewRecord(doc);
        ASSERT_EQ(messages.shown().size(), 1);
        EXPECT_EQ(messages.last().text,
                  "Error: 75 " +
                      QDir::toNativeSeparators(QDir(store.folder()).absoluteFilePath(ContactStore::FrontFileName)) +
                      " cannot be written (it is a folder).");
        EXPECT_EQ(messages.last().icon, ui::Icon::None);
        EXPECT_EQ(messages.last().buttons, ui::Buttons::Ok);
    }
    EXPECT_TRUE(QDir(store.folder()).entryList({"*.vcf"}, QDir::Files).isEmpty());
}
