// The qv-contacts tool, run as its own process over a store in a temporary folder.
#include "platform/contacts/ContactStore.h"

#include "TemporaryContactStore.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

using namespace contacts;

namespace {

struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList& args)
{
    QProcess tool;
    tool.start(QStringLiteral(QV_CONTACTS_TOOL), args);
    EXPECT_TRUE(tool.waitForFinished(60000));
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput()),
            QString::fromUtf8(tool.readAllStandardError())};
}

QString addContact(const ContactStore& store, const QString& first, const QString& last, const QString& body = {})
{
    ContactCard card = store.newItem();
    card.setValue(Field::FirstName, first);
    card.setValue(Field::LastName, last);
    card.setValue(Field::CompanyName, QStringLiteral("Acme"));
    card.setValue(Field::Body, body);
    EXPECT_TRUE(store.save(card));
    return card.id();
}

} // namespace

TEST(QvContactsTool, ListsOpensAndShowsContacts)
{
    testing_support::TemporaryContactStore temporary;
    const auto store = ContactStore::open(temporary.folder());
    ASSERT_TRUE(store);
    const QString ada = addContact(*store, "Ada", "Lovelace", "Notes\r\nsecond line");
    const QString alan = addContact(*store, "Alan", "Turing");
    QFile damaged(temporary.filePath("damaged.vcf"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("BEGIN:VCARD\r\nFN:no end");
    damaged.close();

    ToolRun list = runTool({"list"});
    EXPECT_EQ(list.exitCode, 0) << list.err.toStdString();
    EXPECT_TRUE(list.out.contains("  " + ada + "\tAda Lovelace\tAcme\n")) << list.out.toStdString();
    EXPECT_TRUE(list.out.contains("  " + alan + "\tAlan Turing\tAcme\n")) << list.out.toStdString();
    EXPECT_EQ(list.out.count('\n'), 2);
    EXPECT_TRUE(list.err.contains("damaged.vcf")) << "a damaged file is named on stderr";

    // A part of the name that only one contact has opens it.
    const ToolRun open = runTool({"open", "LOVE"});
    EXPECT_EQ(open.exitCode, 0) << open.err.toStdString();
    EXPECT_EQ(store->frontId(), ada);
    list = runTool({"list"});
    EXPECT_TRUE(list.out.contains("* " + ada + '\t')) << list.out.toStdString();

    const ToolRun show = runTool({"show"});
    EXPECT_EQ(show.exitCode, 0) << show.err.toStdString();
    EXPECT_TRUE(show.out.contains("FirstName: Ada\n")) << show.out.toStdString();
    EXPECT_TRUE(show.out.contains("Body: Notes\n      second line\n")) << show.out.toStdString();
    EXPECT_FALSE(show.out.contains("Title:")) << "empty fields are not shown";

    const ToolRun byId = runTool({"show", alan});
    EXPECT_TRUE(byId.out.contains("FullName: Alan Turing\n")) << byId.out.toStdString();
}

TEST(QvContactsTool, RefusesWhatItCannotResolve)
{
    testing_support::TemporaryContactStore temporary;
    const auto store = ContactStore::open(temporary.folder());
    ASSERT_TRUE(store);
    addContact(*store, "Ada", "Lovelace");
    addContact(*store, "Ada", "Byron");

    const ToolRun ambiguous = runTool({"open", "ada"});
    EXPECT_EQ(ambiguous.exitCode, 1);
    EXPECT_TRUE(ambiguous.err.contains("matches 2 contacts")) << ambiguous.err.toStdString();
    const ToolRun unknown = runTool({"open", "Grace"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains("no contact matches")) << unknown.err.toStdString();
    EXPECT_EQ(store->frontId(), "");
    const ToolRun noneInFront = runTool({"show"});
    EXPECT_EQ(noneInFront.exitCode, 1);
    EXPECT_EQ(runTool({"delete", "ada"}).exitCode, 2);
    EXPECT_EQ(runTool({}).exitCode, 2);
}
