#include "platform/vcard/VCardLibrary.h"
#include "platform/vcard/IndexedCard.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace vcard;

namespace {

QString get(int index, int bufferSize = 4096)
{
    QString buffer(bufferSize, u'*');
    const int length = GetvCardProp(buffer.data(), bufferSize, index);
    return buffer.left(length);
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class VCardLibrary : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        InitializevCard();
    }
    void TearDown() override { ReleasevCard(); }

    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    // Saves the current card and loads it back into a fresh one.
    void saveAndReload()
    {
        ASSERT_EQ(SavevCardToFile(path("card.vcf")), 0);
        InitializevCard();
        ASSERT_EQ(ReadvCardIntoMemory(path("card.vcf")), 0);
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(VCardLibrary, BufferContractTellsTheCallerToAskAgain)
{
    AddvCardProp(7, QString(600, u'x'));
    QChar buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), QChar(u'*'));
    EXPECT_EQ(GetvCardProp(buffer, 8, 7), 600);
    EXPECT_EQ(QString(buffer, 7), "xxxxxxx");
    EXPECT_EQ(buffer[7], QChar(u'\0'));
    EXPECT_EQ(GetvCardProp(nullptr, 0, 7), 600);

    AddvCardProp(7, QStringLiteral("abc"));
    EXPECT_EQ(GetvCardProp(buffer, 8, 7), 3);
    EXPECT_EQ(QString(buffer), "abc");
    EXPECT_EQ(GetvCardProp(buffer, 8, 8), 0);  // absent
    EXPECT_EQ(GetvCardProp(buffer, 8, 44), 0); // reserved
    EXPECT_EQ(GetvCardProp(buffer, 8, 99), 0);
    EXPECT_EQ(AddvCardProp(44, QStringLiteral("x")), 1);
    EXPECT_EQ(AddvCardProp(-1, QStringLiteral("x")), 1);
}

TEST_F(VCardLibrary, ValuesNeverBreakTheFileStructure)
{
    AddvCardProp(0, QStringLiteral("3.0"));
    AddvCardProp(12, QStringLiteral("x\r\nX-CORVEL-FILE-VERSION:9\r\nEND:VCARD"));
    AddvCardProp(4, QStringLiteral("Doe;Evil\nN:Other;;;;"));
    saveAndReload();
    EXPECT_EQ(get(12), "x\r\nX-CORVEL-FILE-VERSION:9\r\nEND:VCARD");
    EXPECT_EQ(get(43), "");
    EXPECT_EQ(get(4), "Doe;Evil\nN:Other;;;;");
    EXPECT_EQ(get(2), "");

    const QByteArray text = readAll(path("card.vcf"));
    int contentLines = 0;
    for (const QByteArray& line : text.split('\n'))
        if (!line.isEmpty() && line[0] != ' ')
            ++contentLines;
    EXPECT_EQ(contentLines, 7); // BEGIN, VERSION, ORG, N, FN, UID, END
}

TEST_F(VCardLibrary, StructuredPropertiesCarryTheirComponents)
{
    AddvCardProp(0, QStringLiteral("3.0"));
    const char* values[] = {"Dr.", "Ann", "B.", "Smith", "Jr."};
    for (int i = 0; i < 5; ++i)
        AddvCardProp(1 + i, QString::fromUtf8(values[i]));
    AddvCardProp(14, QStringLiteral("1 Main St"));
    AddvCardProp(16, QStringLiteral("CA"));
    AddvCardProp(19, QStringLiteral("PO 12"));
    AddvCardProp(34, QStringLiteral("Box 9"));
    AddvCardProp(26, QStringLiteral("555-FAX"));
    AddvCardProp(41, QStringLiteral("555-HFAX"));
    AddvCardProp(8, QStringLiteral("ann@example.com"));
    AddvCardProp(12, QStringLiteral("Acme; Inc."));
    ASSERT_EQ(SavevCardToFile(path("card.vcf")), 0);

    const QByteArray text = readAll(path("card.vcf"));
    EXPECT_TRUE(text.contains("\r\nN:Smith;Ann;B.;Dr.;Jr.\r\n")) << text.constData();
    EXPECT_TRUE(text.contains("\r\nADR;TYPE=WORK:;;1 Main St;;CA;;\r\n"));
    EXPECT_TRUE(text.contains("\r\nADR;TYPE=WORK,POSTAL:PO 12;;;;;;\r\n"));
    EXPECT_TRUE(text.contains("\r\nADR;TYPE=HOME,POSTAL:Box 9;;;;;;\r\n"));
    EXPECT_TRUE(text.contains("\r\nTEL;TYPE=WORK,FAX:555-FAX\r\n"));
    EXPECT_TRUE(text.contains("\r\nTEL;TYPE=HOME,FAX:555-HFAX\r\n"));
    EXPECT_TRUE(text.contains("\r\nEMAIL;TYPE=INTERNET:ann@example.com\r\n"));
    EXPECT_TRUE(text.contains("\r\nORG:Acme\\; Inc.\r\n"));
    EXPECT_TRUE(text.contains("\r\nFN:\r\n")); // required by vCard 3.0
    EXPECT_TRUE(text.startsWith("BEGIN:VCARD\r\nVERSION:3.0\r\n"));
}

TEST_F(VCardLibrary, ReadsCardsFromOtherProgramsLeniently)
{
    writeFile(path("other.vcf"), "BEGIN:VCARD\nVERSION:3.0\nN:Doe;John\nTEL:111\nTEL;TYPE=HOME:222\n"
                                 "TEL;TYPE=CELL,PREF:333\nADR:;;Street 1;Town\nADR;TYPE=home,postal:PO 5\n"
                                 "NOTE:one\\ntwo\nEND:VCARD\n");
    ASSERT_EQ(ReadvCardIntoMemory(path("other.vcf")), 0);
    EXPECT_EQ(get(2), "John");
    EXPECT_EQ(get(4), "Doe");
    EXPECT_EQ(get(5), "");
    EXPECT_EQ(get(24), "111");
    EXPECT_EQ(get(39), "222");
    EXPECT_EQ(get(27), "333");
    EXPECT_EQ(get(14), "Street 1");
    EXPECT_EQ(get(15), "Town");
    EXPECT_EQ(get(34), "PO 5");
    EXPECT_EQ(get(10), "one\\ntwo"); // a vCard line break reads as the programs' backslash-n
}

TEST_F(VCardLibrary, VersionZeroCardsReadThroughTheOlderNumbering)
{
    writeFile(path("v0.vcf"), "BEGIN:VCARD\r\nFN:Ann Smith\r\nN:Smith;Ann\r\nEMAIL;INTERNET:ann@example.com\r\n"
                              "URL:http://example.com/\r\nNOTE:first\\nsecond\r\nTITLE:Boss\r\nORG:Acme\r\n"
                              "ADR;HOME:;;1 Road;Town;ST;12345;Land\r\nTEL;HOME;VOICE:111\r\nTEL;PAGER:222\r\n"
                              "TEL;WORK;FAX:333\r\nTEL;CELL:444\r\nEND:VCARD\r\n");
    ASSERT_EQ(ReadvCardIntoMemory(path("v0.vcf")), 0);
    EXPECT_EQ(get(0), "");
    auto v0 = [](int index) {
        QString buffer(512, u'*');
        return buffer.left(GetV0vCardProp(buffer.data(), 512, index));
    };
    const std::pair<int, const char*> expected[] = {
        {7, "Ann Smith"},
        {8, "ann@example.com"},
        {9, "http://example.com/"},
        {10, "first\\nsecond"},
        {11, "Boss"},
        {12, "Acme"},
        {14, "1 Road"},
        {15, "Town"},
        {16, "ST"},
        {17, "12345"},
        {18, "Land"},
        {24, "111"},
        {25, "222"},
        {26, "333"},
        {27, "444"},
    };
    for (const auto& [index, value] : expected)
        EXPECT_EQ(v0(index), QString::fromUtf8(value)) << "index " << index;
    for (int index : {1, 2, 4, 13, 19, 29, 39, 43, 47})
        EXPECT_EQ(v0(index), "") << "index " << index;
}

TEST_F(VCardLibrary, OnlyCompleteCardsLoad)
{
    EXPECT_EQ(ReadvCardIntoMemory(path("missing.vcf")), 1);
    EXPECT_EQ(ReadvCardIntoMemory(m_dir.path()), 1);
    writeFile(path("junk.vcf"), "MZ\x90\x00\x03 this is not a card");
    EXPECT_EQ(ReadvCardIntoMemory(path("junk.vcf")), 2);
    writeFile(path("empty.vcf"), "");
    EXPECT_EQ(ReadvCardIntoMemory(path("empty.vcf")), 2);

    AddvCardProp(0, QStringLiteral("3.0"));
    AddvCardProp(7, QStringLiteral("Name"));
    ASSERT_EQ(SavevCardToFile(path("full.vcf")), 0);
    QByteArray text = readAll(path("full.vcf"));
    writeFile(path("cut.vcf"), text.left(text.indexOf("END:VCARD")));
    EXPECT_EQ(ReadvCardIntoMemory(path("cut.vcf")), 2);
    EXPECT_EQ(get(7), ""); // a failed load leaves an empty card
    EXPECT_EQ(ReadvCardIntoMemory(path("full.vcf")), 0);
    EXPECT_EQ(get(7), "Name");
}

TEST_F(VCardLibrary, SavingReplacesTheFileByRenameAndRefusesReadOnlyTargets)
{
    const QString target = path("card.vcf");
    writeFile(target, "previous");
    struct stat before
    {
    };
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &before), 0);

    AddvCardProp(7, QStringLiteral("New"));
    ASSERT_EQ(SavevCardToFile(target), 0);
    struct stat after
    {
    };
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino) << "the file was rewritten in place, not replaced";
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"card.vcf"});

    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const QByteArray saved = readAll(target);
    AddvCardProp(7, QStringLiteral("Newer"));
    EXPECT_EQ(SavevCardToFile(target), 1);
    EXPECT_EQ(readAll(target), saved);

    EXPECT_EQ(SavevCardToFile(path("no/such/folder/card.vcf")), 2);
    EXPECT_EQ(SavevCardToFile(m_dir.path()), 2);
}

TEST_F(VCardLibrary, SavedCardsCarryAUidThatStaysWithTheFile)
{
    const auto uidOf = [&](const char* name) {
        const QByteArray text = readAll(path(name));
        const qsizetype at = text.indexOf("\r\nUID:");
        return at < 0 ? QByteArray() : text.mid(at + 6, text.indexOf("\r\n", at + 2) - at - 6);
    };
    AddvCardProp(0, QStringLiteral("3.0"));
    AddvCardProp(7, QStringLiteral("Ann"));
    ASSERT_EQ(SavevCardToFile(path("a.vcf")), 0);
    ASSERT_EQ(SavevCardToFile(path("b.vcf")), 0);
    const QByteArray first = uidOf("a.vcf");
    EXPECT_EQ(first.size(), 36) << "a new UUID";
    EXPECT_NE(uidOf("b.vcf"), first) << "each new file is a contact of its own";

    // The same contact saved again over its file stays the same contact.
    InitializevCard();
    AddvCardProp(0, QStringLiteral("3.0"));
    AddvCardProp(7, QStringLiteral("Ann Changed"));
    ASSERT_EQ(SavevCardToFile(path("a.vcf")), 0);
    EXPECT_EQ(uidOf("a.vcf"), first);

    // A card read with its UID keeps it wherever it goes.
    InitializevCard();
    writeFile(path("other.vcf"), "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:X\r\nUID:urn:uuid:kept\r\nEND:VCARD\r\n");
    ASSERT_EQ(ReadvCardIntoMemory(path("other.vcf")), 0);
    ASSERT_EQ(SavevCardToFile(path("copy.vcf")), 0);
    EXPECT_EQ(uidOf("copy.vcf"), "urn:uuid:kept");

    // Work files (the card written to be encoded in a symbol) go without.
    InitializevCard();
    AddvCardProp(0, QStringLiteral("3.0"));
    AddvCardProp(7, QStringLiteral("Ann"));
    ASSERT_EQ(SavevCardToFile(path("symbol.vcf"), files::Durability::WorkFile), 0);
    EXPECT_TRUE(uidOf("symbol.vcf").isEmpty());
    // Nor does a card of the first generation, which has no VERSION.
    InitializevCard();
    AddvCardProp(7, QStringLiteral("Ann"));
    ASSERT_EQ(SavevCardToFile(path("v0.vcf")), 0);
    EXPECT_TRUE(uidOf("v0.vcf").isEmpty());
}
