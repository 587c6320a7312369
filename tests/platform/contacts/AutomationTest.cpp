// The automation objects over a contact store in a temporary folder.
#include "platform/contacts/Automation.h"
#include "platform/contacts/ContactStore.h"
#include "platform/vb/VbError.h"
#include "platform/vcard/VCardReader.h"

#include "CaughtWarnings.h"
#include "TemporaryContactStore.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace contacts;

namespace {

long errorNumberOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const vb::Error& error) {
        return error.number();
    }
    return 0;
}

AutoObjectPtr newContact(const AutoObjectPtr& outlook)
{
    const AutoObjectPtr nameSpace = toObject(outlook->call("GetNameSpace", {"MAPI"}));
    const AutoObjectPtr folder = toObject(nameSpace->call("GetDefaultFolder", {QVariant::fromValue(qint16(10))}));
    return toObject(toObject(folder->get("Items"))->call("Add"));
}

AutoObjectPtr itemInFront(const AutoObjectPtr& outlook)
{
    const AutoObjectPtr inspector = toObject(outlook->get("ActiveInspector"));
    return inspector ? toObject(inspector->get("CurrentItem")) : nullptr;
}

QStringList contactFiles(const QString& folder)
{
    return QDir(folder).entryList({"*.vcf"}, QDir::Files, QDir::Name);
}

} // namespace

TEST(Automation, NewContactIsSavedAsOneVdirItem)
{
    testing_support::TemporaryContactStore store;
    const AutoObjectPtr outlook = createObject("outlook.APPLICATION");
    ASSERT_TRUE(outlook);
    const AutoObjectPtr item = newContact(outlook);
    ASSERT_TRUE(item);
    EXPECT_EQ(typeName(item), "ContactItem");

    // Names are matched without case; the full name follows the parts.
    item->set("title", "Dr.");
    item->set("FIRSTNAME", "Ada");
    item->set("MiddleName", "  ");
    item->set("LastName", "Lovelace");
    item->set("suffix", "III");
    EXPECT_EQ(item->get("FullName").toString(), "Dr. Ada Lovelace III");
    item->set("FullName", "Countess of Lovelace");
    EXPECT_EQ(item->get("fullname").toString(), "Countess of Lovelace");
    item->set("Body", "first line\r\nsecond; line, with \\ backslash");
    item->set("BusinessAddressStreet", "Building 4\r\n1 Main St");
    item->set("OtherAddressPostOfficeBox", "PO Box 12");
    item->set("MobileTelephoneNumber", "+1 555 0103");
    item->set("Home2TelephoneNumber", "+49 170 4");
    EXPECT_TRUE(contactFiles(store.folder()).isEmpty()) << "nothing is written before Save";
    item->call("Save");

    const QStringList files = contactFiles(store.folder());
    ASSERT_EQ(files.size(), 1);
    const vcard::ReadResult read = vcard::Reader::readFile(store.filePath(files[0]));
    ASSERT_TRUE(read);
    const vcard::Card& card = read.cards.first();
    EXPECT_EQ(card.version(), "3.0");
    EXPECT_EQ(card.property("UID")->text() + ".vcf", files[0]);
    EXPECT_EQ(card.property("FN")->text(), "Countess of Lovelace");
    EXPECT_EQ(card.property("N")->components(), QStringList({"Lovelace", "Ada", "  ", "Dr.", "III"}));

    // Another application object reads the same values back from the file.
    const auto reopened = ContactStore::open(store.folder());
    ASSERT_TRUE(reopened);
    const auto stored = reopened->item(files[0].chopped(4));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->value(Field::Body), "first line\r\nsecond; line, with \\ backslash");
    EXPECT_EQ(stored->value(Field::BusinessAddressStreet), "Building 4\r\n1 Main St");
    EXPECT_EQ(stored->value(Field::OtherAddressPostOfficeBox), "PO Box 12");
    EXPECT_EQ(stored->value(Field::MobileTelephoneNumber), "+1 555 0103");
    EXPECT_EQ(stored->value(Field::Home2TelephoneNumber), "+49 170 4");
    EXPECT_EQ(stored->value(Field::HomeTelephoneNumber), "") << "the second home number is not the first";
}

TEST(Automation, UnknownMembersAndBadCallsRaise)
{
    testing_support::TemporaryContactStore store;
    const AutoObjectPtr outlook = createObject("Outlook.Application");
    ASSERT_TRUE(outlook);
    const AutoObjectPtr item = newContact(outlook);
    using vb::err::InvalidProcedureCall, vb::err::ObjectDoesNotSupport, vb::err::WrongArgumentCount;
    EXPECT_EQ(errorNumberOf([&] { item->get("Birthday"); }), ObjectDoesNotSupport);
    EXPECT_EQ(errorNumberOf([&] { item->call("SaveAs", {"x"}); }), ObjectDoesNotSupport);
    EXPECT_EQ(errorNumberOf([&] { item->set("Nickname2", "x"); }), ObjectDoesNotSupport);
    EXPECT_EQ(errorNumberOf([&] { item->set("Save", 1); }), ObjectDoesNotSupport) << "a method is not assignable";
    EXPECT_EQ(errorNumberOf([&] { outlook->get("Quit"); }), ObjectDoesNotSupport);
    EXPECT_EQ(errorNumberOf([&] { item->call("Close"); }), WrongArgumentCount);
    EXPECT_EQ(errorNumberOf([&] { item->call("FirstName", {"x"}); }), WrongArgumentCount);
    EXPECT_EQ(errorNumberOf([&] { item->call("Close", {7}); }), InvalidProcedureCall);
    EXPECT_EQ(errorNumberOf([&] { outlook->call("GetNameSpace", {"EWS"}); }), InvalidProcedureCall);
    const AutoObjectPtr nameSpace = toObject(outlook->call("GetNameSpace", {"mapi"}));
    EXPECT_EQ(errorNumberOf([&] { nameSpace->call("GetDefaultFolder", {6}); }), InvalidProcedureCall);
    EXPECT_EQ(errorNumberOf([&] { nameSpace->call("GetDefaultFolder", {"ten"}); }), vb::err::TypeMismatch);
    EXPECT_EQ(errorNumberOf([&] { toObject(item->get("FirstName")); }), vb::err::ObjectRequired);
    EXPECT_FALSE(createObject("Word.Application"));
    EXPECT_TRUE(contactFiles(store.folder()).isEmpty()) << "no failed call wrote anything";
}

TEST(Automation, DisplayedContactIsInFrontUntilClosed)
{
    testing_support::TemporaryContactStore store;
    const AutoObjectPtr outlook = createObject("Outlook.Application");
    ASSERT_TRUE(outlook);
    EXPECT_FALSE(toObject(outlook->get("ActiveInspector"))) << "no form is open in a new store";

    const AutoObjectPtr item = newContact(outlook);
    item->set("FirstName", "Grace");
    item->call("display");
    EXPECT_FALSE(itemInFront(outlook)) << "an unsaved contact is not in the store yet";
    item->call("Save");
    const AutoObjectPtr front = itemInFront(createObject("Outlook.Application"));
    ASSERT_TRUE(front);
    EXPECT_EQ(typeName(front), "ContactItem");
    EXPECT_EQ(front->get("FirstName").toString(), "Grace");

    // Closing without saving keeps the stored contact as it was and leaves the front.
    front->set("FirstName", "Changed");
    front->call("Close", {1});
    EXPECT_FALSE(toObject(outlook->get("ActiveInspector")));
    item->call("display");
    EXPECT_EQ(itemInFront(outlook)->get("FirstName").toString(), "Grace");

    // Closing with 0 saves.
    item->set("LastName", "Hopper");
    item->call("Close", {QVariant::fromValue(qint16(0))});
    EXPECT_FALSE(toObject(outlook->get("ActiveInspector")));
    const auto reopened = ContactStore::open(store.folder());
    ASSERT_EQ(reopened->items().size(), 1);
    EXPECT_EQ(reopened->items().first().value(Field::FullName), "Grace Hopper");
}

TEST(Automation, GroupInFrontIsNotAContact)
{
    testing_support::TemporaryContactStore store;
    const auto opened = ContactStore::open(store.folder());
    ASSERT_TRUE(opened);
    QFile file(store.filePath("team.vcf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BEGIN:VCARD\r\nVERSION:3.0\r\nUID:team\r\nFN:Team\r\nN:Team;;;;\r\n"
               "X-ADDRESSBOOKSERVER-KIND:group\r\nEND:VCARD\r\n");
    file.close();
    ASSERT_TRUE(opened->setFrontId("team"));
    const AutoObjectPtr front = itemInFront(createObject("Outlook.Application"));
    ASSERT_TRUE(front);
    EXPECT_EQ(typeName(front), "DistListItem");
}

TEST(Automation, NoApplicationWhenTheStoreCannotBeOpened)
{
    testing_support::TemporaryContactStore store;
    QFile blocker(store.folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)) << "a file where the folder should be";
    blocker.close();
    testing_support::CaughtWarnings warnings;
    EXPECT_FALSE(createObject("Outlook.Application"));
    EXPECT_TRUE(warnings.contains("is not a folder")) << warnings.messages().join('\n').toStdString();
}
