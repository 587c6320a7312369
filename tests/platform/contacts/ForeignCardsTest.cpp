// Contacts that other programs wrote (a 2.1 card with a photo and an agent, a phone's 3.0
// card, a 4.0 card, a UTF-8 card with one Latin-1 byte) go through import, the change of one
// field and a save: every other line stays byte for byte, and another parser reads them.
#include "platform/contacts/Automation.h"
#include "platform/contacts/ContactItem.h"
#include "platform/contacts/ContactStore.h"
#include "platform/vb/VbError.h"

#include "TemporaryContactStore.h"
#include "TestPaths.h"
#include "Vobject.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace contacts;

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

QByteArray fixture(const char* name)
{
    return readFile(testing_support::sourceDir() + QStringLiteral("/tests/data/vcard/") + QLatin1String(name));
}

// The physical lines of a file, line ends kept.
QList<QByteArray> linesOf(const QByteArray& text)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        end = end < 0 ? text.size() : end + 1;
        lines += text.mid(start, end - start);
        start = end;
    }
    return lines;
}

// The property name a content line starts with, without its group.
QByteArray propertyName(const QByteArray& line)
{
    QByteArray name = line.toUpper();
    for (char end : {':', ';'})
        if (const qsizetype at = name.indexOf(end); at >= 0)
            name.truncate(at);
    return name.mid(name.indexOf('.') + 1);
}

// Checks that `saved` is `original` with only lines of the `changed` properties replaced,
// removed or added: every other line byte for byte, in its place.
void expectOnlyChanged(const QByteArray& original, const QByteArray& saved, const QList<QByteArray>& changed)
{
    const QList<QByteArray> before = linesOf(original);
    const QList<QByteArray> after = linesOf(saved);
    QList<QByteArray> keptBefore, keptAfter;
    for (const QByteArray& line : before) {
        if (after.contains(line))
            keptBefore += line;
        else
            EXPECT_TRUE(changed.contains(propertyName(line))) << "lost or changed: " << line.toStdString();
    }
    for (const QByteArray& line : after) {
        if (before.contains(line))
            keptAfter += line;
        else
            EXPECT_TRUE(changed.contains(propertyName(line))) << "new: " << line.toStdString();
    }
    EXPECT_EQ(keptBefore, keptAfter);
}

struct Foreign
{
    const char* file;
    Field field;
    QString newValue;
    QList<QByteArray> changedProperties; // the lines that may differ
    const char* version;
    bool lenientVobject; // the file holds what vobject itself cannot read
};

} // namespace

TEST(ForeignCards, SurviveImportChangeOfOneFieldAndSave)
{
    const Foreign cases[] = {
        // The unindented photo and the lines no parser reads make the original unreadable
        // for vobject too; the card had no UID, so one is added.
        {"v21-photo-agent.vcf", Field::JobTitle, QStringLiteral("Cryptanalyst, Hut 8"), {"TITLE", "UID"}, "2.1", true},
        {"v30-phone.vcf", Field::JobTitle, QStringLiteral("Director; Logistics"), {"TITLE"}, "3.0", false},
        {"v40-tel.vcf", Field::MobileTelephoneNumber, QStringLiteral("+353 87 555 0199"), {"TEL"}, "4.0", false},
        {"utf8-latin1-byte.vcf",
         Field::BusinessTelephoneNumber,
         QStringLiteral("+81 3 5555 0199"),
         {"TEL"},
         "3.0",
         true},
    };
    testing_support::TemporaryContactStore temporary;
    const auto store = ContactStore::open(temporary.folder());
    ASSERT_TRUE(store);
    for (const Foreign& c : cases) {
        SCOPED_TRACE(c.file);
        const QByteArray original = fixture(c.file);
        ASSERT_FALSE(original.isEmpty());
        const QString id = QString::fromLatin1(c.file).chopped(4);
        const QString path = temporary.filePath(id + QStringLiteral(".vcf"));
        writeFile(path, original);

        // Import: the contact in front is read through the automation model.
        ASSERT_TRUE(store->setFrontId(id));
        const AutoObjectPtr outlook = createObject("Outlook.Application");
        const AutoObjectPtr item = toObject(toObject(outlook->get("ActiveInspector"))->get("CurrentItem"));
        ASSERT_TRUE(item);
        item->set(ContactCard::fieldName(c.field), c.newValue);
        item->call("Save");

        const QByteArray saved = readFile(path);
        expectOnlyChanged(original, saved, c.changedProperties);
        const auto back = store->item(id);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->value(c.field), c.newValue);
        EXPECT_EQ(back->card().version(), QLatin1String(c.version));
        const QJsonObject read = testing_support::readWithVobject(path, c.lenientVobject);
        EXPECT_EQ(read["fn"].toString(), back->value(Field::FullName));
    }

    // What each card holds beyond the changed field reads as the other program meant it.
    const auto turing = store->item("v21-photo-agent");
    ASSERT_TRUE(turing);
    EXPECT_EQ(QByteArray::fromBase64(turing->card().property("PHOTO")->value().toLatin1()), fixture("v21-photo.bin"));
    EXPECT_EQ(turing->value(Field::Body), QStringLiteral("Café by the lake\r\nsecond line"));
    EXPECT_EQ(turing->value(Field::JobTitle), QStringLiteral("Cryptanalyst, Hut 8"));
    EXPECT_TRUE(readFile(temporary.filePath("v21-photo-agent.vcf")).contains("\r\nTITLE:Cryptanalyst, Hut 8\r\n"))
        << "a changed line of a 2.1 card is written as 2.1";
    EXPECT_FALSE(turing->card().property("UID")->text().isEmpty());

    const auto okafor = store->item("v30-phone");
    ASSERT_TRUE(okafor);
    EXPECT_EQ(okafor->value(Field::MobileTelephoneNumber), QStringLiteral("+234 803 555 0101"));
    EXPECT_EQ(okafor->value(Field::BusinessAddressCity), QStringLiteral("Lagos"));
    const QJsonObject okaforRead = testing_support::readWithVobject(temporary.filePath("v30-phone.vcf"));
    EXPECT_EQ(okaforRead["title"].toString(), QStringLiteral("Director; Logistics"));

    const auto siobhan = store->item("v40-tel");
    ASSERT_TRUE(siobhan);
    EXPECT_EQ(siobhan->card().version(), QStringLiteral("4.0"));
    EXPECT_EQ(siobhan->value(Field::BusinessTelephoneNumber), QStringLiteral("+353-21-555-0103"));
    EXPECT_EQ(siobhan->value(Field::BusinessFaxNumber), QStringLiteral("+353-21-555-0104"));
    const QJsonObject siobhanRead = testing_support::readWithVobject(temporary.filePath("v40-tel.vcf"));
    EXPECT_EQ(siobhanRead["version"].toString(), QStringLiteral("4.0"));
    EXPECT_EQ(testing_support::entryWithTypes(siobhanRead["tel"].toArray(), {"CELL", "VOICE"})["value"].toString(),
              QStringLiteral("+353 87 555 0199"));

    const auto yamada = store->item("utf8-latin1-byte");
    ASSERT_TRUE(yamada);
    EXPECT_EQ(yamada->value(Field::FullName), QStringLiteral("山田 太郎"));
    EXPECT_EQ(yamada->value(Field::CompanyName), QStringLiteral("株式会社ヤマダ商事"));
    EXPECT_EQ(yamada->value(Field::Body), QStringLiteral("Café on Tuesdays"));
}

TEST(ForeignCards, FourPointZeroValuesReadAsWhatTheyMean)
{
    testing_support::TemporaryContactStore temporary;
    const auto store = ContactStore::open(temporary.folder());
    ASSERT_TRUE(store);
    writeFile(temporary.filePath("siobhan.vcf"), fixture("v40-tel.vcf"));
    const auto card = store->item("siobhan");
    ASSERT_TRUE(card);
    // A quoted type list is a list; a "tel:" address is the number.
    EXPECT_EQ(card->value(Field::MobileTelephoneNumber), QStringLiteral("+353-87-555-0102"));
    EXPECT_EQ(card->value(Field::BusinessTelephoneNumber), QStringLiteral("+353-21-555-0103"));
    EXPECT_EQ(card->value(Field::BusinessAddressStreet), QStringLiteral("Custom House Quay"));
    EXPECT_EQ(card->value(Field::FullName), QStringLiteral("Siobhán Ní Bhriain"));

    // Saved without a change, the file stays as it was.
    ASSERT_TRUE(store->save(*card));
    EXPECT_EQ(readFile(temporary.filePath("siobhan.vcf")), fixture("v40-tel.vcf"));
}

TEST(ForeignCards, AFileThatCannotBeReadWholeIsNeverSavedOver)
{
    testing_support::TemporaryContactStore temporary;
    const auto store = ContactStore::open(temporary.folder());
    ASSERT_TRUE(store);
    const QString path = temporary.filePath("shared.vcf");
    writeFile(path, fixture("v30-phone.vcf"));
    const auto card = store->item("shared");
    ASSERT_TRUE(card);
    ContactItem item(store, *card);
    item.set("JobTitle", "Director");

    // Meanwhile another program puts a second card into the file.
    const QByteArray two = fixture("v30-phone.vcf") + fixture("v40-tel.vcf");
    writeFile(path, two);
    try {
        item.call("Save");
        ADD_FAILURE() << "the save went through";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), 75);
        EXPECT_TRUE(error.description().contains(path)) << error.description().toStdString();
        EXPECT_TRUE(error.description().contains("2 vCards")) << error.description().toStdString();
    }
    EXPECT_EQ(readFile(path), two);
}
