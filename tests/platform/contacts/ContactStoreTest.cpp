// The vdir behind the contact store: damaged files, cards written by other programs.
#include "platform/contacts/ContactStore.h"
#include "platform/contacts/Automation.h"
#include "platform/contacts/ContactItem.h"

#include "CaughtWarnings.h"
#include "TemporaryContactStore.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace contacts;

namespace {

void writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A card as another program writes it: vCard 2.1, bare types, quoted-printable, and
// properties the store does not know.
const QByteArray ForeignCard = "BEGIN:VCARD\r\n"
                               "VERSION:2.1\r\n"
                               "N:Turing;Alan;Mathison;;OBE\r\n"
                               "FN:Alan Turing\r\n"
                               "ORG:Bletchley Park;Hut 8\r\n"
                               "TEL;WORK;VOICE:+44 1908 640404\r\n"
                               "TEL;CELL:+44 7700 900001\r\n"
                               "TEL;HOME;FAX:+44 20 7946 0000\r\n"
                               "TEL;VOICE:+44 1 unlabelled\r\n"
                               "ADR;WORK:;;The Mansion;Bletchley;Bucks;MK3 6EB;UK\r\n"
                               "ADR:;;Sherborne School;Sherborne;Dorset;DT9 3AP;UK\r\n"
                               "EMAIL;INTERNET:alan@example.org\r\n"
                               "EMAIL;INTERNET:second@example.org\r\n"
                               "NOTE;ENCODING=QUOTED-PRINTABLE:Line one=0D=0ALine two\r\n"
                               "BDAY:1912-06-23\r\n"
                               "X-FAVOURITE:enigma\r\n"
                               "END:VCARD\r\n";

} // namespace

TEST(ContactStore, DamagedFilesAreSkippedWithAWarningAndNeverWritten)
{
    testing_support::TemporaryContactStore temporary;
    const auto store = ContactStore::open(temporary.folder());
    ASSERT_TRUE(store);
    const QByteArray truncated = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Half a card\r\n";
    const QByteArray binary("\x00\xff\xfe BEGIN:VCARD\x00 garbage", 25);
    const QByteArray two = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:One\r\nEND:VCARD\r\n"
                           "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Two\r\nEND:VCARD\r\n";
    writeFile(temporary.filePath("truncated.vcf"), truncated);
    writeFile(temporary.filePath("binary.vcf"), binary);
    writeFile(temporary.filePath("two.vcf"), two);
    writeFile(temporary.filePath("good.vcf"), ForeignCard);

    testing_support::CaughtWarnings warnings;
    const QList<ContactCard> items = store->items();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items.first().id(), "good");
    for (const char* name : {"truncated.vcf", "binary.vcf", "two.vcf"})
        EXPECT_TRUE(warnings.contains(name)) << name << ": " << warnings.messages().join('\n').toStdString();

    // A damaged file in front is no open form.
    ASSERT_TRUE(store->setFrontId("truncated"));
    warnings.clear();
    const AutoObjectPtr outlook = createObject("Outlook.Application");
    ASSERT_TRUE(outlook);
    EXPECT_FALSE(toObject(outlook->get("ActiveInspector")));
    EXPECT_TRUE(warnings.contains("truncated.vcf"));

    // Changes to the readable contact and new contacts leave the damaged files alone.
    ContactItem good(store, items.first());
    good.set("JobTitle", "Cryptanalyst");
    good.call("Save");
    ContactItem fresh(store, store->newItem());
    fresh.set("FirstName", "New");
    fresh.call("display");
    fresh.call("Close", {0});
    EXPECT_EQ(store->items().size(), 2);
    EXPECT_EQ(readFile(temporary.filePath("truncated.vcf")), truncated);
    EXPECT_EQ(readFile(temporary.filePath("binary.vcf")), binary);
    EXPECT_EQ(readFile(temporary.filePath("two.vcf")), two);
}

TEST(ContactStore, CardsFromOtherProgramsReadLenientlyAndKeepWhatIsNotTheirs)
{
    testing_support::TemporaryContactStore temporary;
    const auto store = ContactStore::open(temporary.folder());
    ASSERT_TRUE(store);
    writeFile(temporary.filePath("turing.vcf"), ForeignCard);
    const auto card = store->item("turing");
    ASSERT_TRUE(card);
    EXPECT_EQ(card->value(Field::FullName), "Alan Turing");
    EXPECT_EQ(card->value(Field::MiddleName), "Mathison");
    EXPECT_EQ(card->value(Field::Suffix), "OBE");
    EXPECT_EQ(card->value(Field::CompanyName), "Bletchley Park");
    EXPECT_EQ(card->value(Field::BusinessTelephoneNumber), "+44 1908 640404");
    EXPECT_EQ(card->value(Field::MobileTelephoneNumber), "+44 7700 900001");
    EXPECT_EQ(card->value(Field::HomeFaxNumber), "+44 20 7946 0000");
    EXPECT_EQ(card->value(Field::HomeTelephoneNumber), "") << "a number without place is none of the slots";
    EXPECT_EQ(card->value(Field::BusinessAddressStreet), "The Mansion");
    EXPECT_EQ(card->value(Field::OtherAddressCity), "Sherborne") << "an address without type is the other address";
    EXPECT_EQ(card->value(Field::Email1Address), "alan@example.org");
    EXPECT_EQ(card->value(Field::Body), "Line one\r\nLine two");

    // Emptying and changing fields touches only their own properties.
    ContactCard changed = *card;
    changed.setValue(Field::CompanyName, "GCHQ");
    changed.setValue(Field::Email1Address, "");
    changed.setValue(Field::MobileTelephoneNumber, "");
    changed.setValue(Field::OtherAddressCity, "");
    changed.setValue(Field::FirstName, "A. M.");
    ASSERT_TRUE(store->save(changed));
    const auto saved = store->item("turing");
    ASSERT_TRUE(saved);
    const vcard::Card& file = saved->card();
    EXPECT_EQ(file.version(), "2.1") << "a card keeps the version its file was written in";
    EXPECT_EQ(file.property("UID")->text(), "turing") << "a card without UID takes its id";
    EXPECT_EQ(file.property("ORG")->components(), QStringList({"GCHQ", "Hut 8"}));
    EXPECT_EQ(file.properties("EMAIL").size(), 1);
    EXPECT_EQ(saved->value(Field::Email1Address), "second@example.org");
    EXPECT_EQ(saved->value(Field::MobileTelephoneNumber), "");
    EXPECT_EQ(file.properties("TEL").size(), 3);
    EXPECT_EQ(file.properties("ADR").size(), 2) << "the other address keeps its street";
    EXPECT_EQ(saved->value(Field::OtherAddressCity), "");
    EXPECT_EQ(saved->value(Field::OtherAddressCountry), "UK");
    EXPECT_EQ(saved->value(Field::FullName), "A. M. Mathison Turing OBE");
    EXPECT_EQ(saved->value(Field::Body), "Line one\r\nLine two");
    EXPECT_EQ(file.property("BDAY")->text(), "1912-06-23");
    EXPECT_EQ(file.property("X-FAVOURITE")->text(), "enigma");
}
