#include "ModelFixtures.h"

#include "model/CImpressionDoc.h"
#include "model/CImpressionFileV1.h"
#include "model/CImpressionFileV2.h"
#include "model/CImpressionFileV3.h"
#include "model/CVCFFileV1.h"
#include "model/modImpressionFile.h"
#include "model/modVCard.h"
#include "platform/vcard/VCardLibrary.h"

#include "ScriptedMessages.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace model_test;

namespace {

class ImpressionFile : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    // Loads a file into the library's current card, for looking at what was written.
    static void loadIntoLibrary(const QString& fileName)
    {
        vcard::InitializevCard();
        ASSERT_EQ(vcard::ReadvCardIntoMemory(fileName), 0);
    }

    void expectSameContent(const CImpressionDoc& written, const CImpressionDoc& read, bool withExtras)
    {
        for (int k = 0; k < CImpressionDoc::FieldCount; ++k)
            EXPECT_EQ(read.field(k), afterRoundTrip(k, written.field(k))) << CImpressionDoc::fieldName(k).toStdString();
        for (std::int16_t i = 0; i < CImpressionDoc::LineCount; ++i)
            EXPECT_EQ(read.CwLines(i), withExtras ? written.CwLines(i) : QString());
        EXPECT_EQ(read.CwFontName(), withExtras ? written.CwFontName() : QStringLiteral("Arial"));
        EXPECT_EQ(read.CwFontSize(), withExtras ? written.CwFontSize() : 6);
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ImpressionFile, EveryFieldSurvivesAnImpressionFile)
{
    const CImpressionDoc doc = awkwardDocument();
    ASSERT_TRUE(doc.writeFile(path("a.imf"), true));
    CImpressionDoc read;
    read.setFileVersion(0);
    ASSERT_TRUE(read.readFile(path("a.imf")));
    expectSameContent(doc, read, true);
    EXPECT_EQ(read.FileVersion(), 3);
}

TEST_F(ImpressionFile, EveryFieldSurvivesAVCardExport)
{
    const CImpressionDoc doc = awkwardDocument();
    CVCFFileV1 vcf;
    ASSERT_TRUE(vcf.writeFile(doc, path("a.vcf"), false));
    CImpressionDoc read;
    read.setFileVersion(0);
    ASSERT_TRUE(vcf.readFile(read, path("a.vcf")));
    expectSameContent(doc, read, false);
    EXPECT_EQ(read.FileVersion(), 0); // no file version in a plain export

    loadIntoLibrary(path("a.vcf"));
    EXPECT_EQ(modVCard::getProp(43), "");
    ASSERT_TRUE(vcf.writeFile(doc, path("b.vcf"), true));
    loadIntoLibrary(path("b.vcf"));
    EXPECT_EQ(modVCard::getProp(43), "3");
    CImpressionDoc withExtras;
    ASSERT_TRUE(withExtras.readFile(path("b.vcf")));
    expectSameContent(doc, withExtras, true);
}

TEST_F(ImpressionFile, MultiLineFieldsStoreBackslashNAndOthersStayExact)
{
    CImpressionDoc doc;
    doc.setBusStreet(QStringLiteral("1 Main St\r\nSuite 5"));
    doc.setNamNotes(QStringLiteral("lf cr\n\rliteral \\n lone\nend"));
    doc.setHomStreet(QStringLiteral("\r\n")); // not blank once encoded
    doc.setBusCity(QStringLiteral("back\\nslash"));
    doc.setBusCompany(QStringLiteral("x\r\nX-CORVEL-FILE-VERSION:9"));
    ASSERT_TRUE(doc.writeFile(path("m.imf"), false));

    loadIntoLibrary(path("m.imf"));
    EXPECT_EQ(modVCard::getProp(14), "1 Main St\\nSuite 5");
    EXPECT_EQ(modVCard::getProp(10), "lf cr\\nliteral \\n lone\nend");
    EXPECT_EQ(modVCard::getProp(29), "\\n");
    EXPECT_EQ(modVCard::getProp(43), "3");

    CImpressionDoc read;
    ASSERT_TRUE(read.readFile(path("m.imf")));
    EXPECT_EQ(read.BusStreet(), "1 Main St\r\nSuite 5");
    EXPECT_EQ(read.NamNotes(), "lf cr\r\nliteral \r\n lone\nend");
    EXPECT_EQ(read.HomStreet(), "\r\n");
    EXPECT_EQ(read.BusCity(), "back\\nslash");
    EXPECT_EQ(read.BusCompany(), "x\r\nX-CORVEL-FILE-VERSION:9");
    EXPECT_EQ(read.FileVersion(), 3);
}

TEST_F(ImpressionFile, EmptyAndBlankFieldsAreNotWritten)
{
    CImpressionDoc doc;
    doc.setNamFirst(QStringLiteral("  "));
    doc.setCwLines(0, QStringLiteral("   "));
    ASSERT_TRUE(doc.writeFile(path("e.imf"), false));
    loadIntoLibrary(path("e.imf"));
    for (int index = 0; index <= 52; ++index) {
        const QString expected = index == 0 ? QStringLiteral("3.0") : index == 43 ? QStringLiteral("3") : QString();
        EXPECT_EQ(modVCard::getProp(index), expected) << "index " << index;
    }

    CImpressionDoc read;
    read.setNamFirst(QStringLiteral("old"));
    ASSERT_TRUE(read.readFile(path("e.imf")));
    EXPECT_EQ(read.NamFirst(), ""); // an absent property empties the field

    ASSERT_TRUE(doc.writeFile(path("x.imf"), true));
    loadIntoLibrary(path("x.imf"));
    EXPECT_EQ(modVCard::getProp(45), "Arial");
    EXPECT_EQ(modVCard::getProp(46), "6");
    EXPECT_EQ(modVCard::getProp(47), "");
}

TEST_F(ImpressionFile, ReaderChoiceFollowsTheVersionProperties)
{
    struct Case
    {
        const char* name;
        QList<QPair<int, QString>> values;
        int expectedClass; // 1, 2, 3; 0 = no reader
        int fileVersion;
    };
    const QList<Case> cases = {
        {"no-version-but-43-is-3", {{7, "N"}, {43, "3"}}, 1, 1},
        {"43-absent", {{0, "3.0"}, {7, "N"}}, 1, 1},
        {"43-is-1", {{0, "3.0"}, {43, "1"}}, 1, 1},
        {"43-is-2", {{0, "3.0"}, {43, "2"}}, 2, 2},
        {"43-is-3", {{0, "3.0"}, {43, "3"}}, 3, 3},
        {"43-is-7", {{0, "3.0"}, {43, "7"}}, 3, 7},
        {"version-2.1", {{0, "2.1"}, {43, "3"}}, 0, 0},
        {"version-blank-3.0", {{0, " 3.0"}, {43, "3"}}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path(c.name);
        writeIndexedCard(file, c.values);
        const std::unique_ptr<IImpressionFile> reader = modImpressionFile::getImpressionFileReader(file);
        const int cls = dynamic_cast<CImpressionFileV1*>(reader.get())   ? 1
                        : dynamic_cast<CImpressionFileV2*>(reader.get()) ? 2
                        : dynamic_cast<CImpressionFileV3*>(reader.get()) ? 3
                                                                         : 0;
        EXPECT_EQ(cls, c.expectedClass);
        CImpressionDoc doc;
        doc.setFileVersion(0);
        EXPECT_EQ(doc.readFile(file), c.expectedClass != 0);
        EXPECT_EQ(doc.FileVersion(), c.fileVersion);
    }
    EXPECT_EQ(modImpressionFile::getImpressionFileReader(path("missing.imf")), nullptr);
    writeBytes(path("junk.imf"), "just some text\nwithout a card\n");
    CImpressionDoc doc;
    doc.setNamLast(QStringLiteral("kept"));
    EXPECT_FALSE(doc.readFile(path("junk.imf")));
    EXPECT_EQ(doc.NamLast(), "kept");
}

TEST_F(ImpressionFile, ConversionsOfVersionAndFontSize)
{
    struct Case
    {
        const char* fileVersion;
        const char* fontSize;
        bool ok;
        int expectedSize;
    };
    const Case cases[] = {
        {"3", "12.5", true, 12}, {"3", "13.5", true, 14}, {"3", "9pt", true, 9},   {"3", "abc", true, 6},
        {"3", "0", true, 6},     {"3", "1e12", false, 6}, {"abc", "10", false, 6}, {"99999", "10", false, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.fileVersion) + " / " + c.fontSize);
        writeIndexedCard(
            path("c.imf"),
            {{0, "3.0"}, {2, "First"}, {43, c.fileVersion}, {45, "Courier"}, {46, c.fontSize}, {47, "line"}});
        CImpressionDoc doc;
        EXPECT_EQ(doc.readFile(path("c.imf")), c.ok);
        EXPECT_EQ(doc.NamFirst(), "First"); // fields read before a failing conversion stay set
        EXPECT_EQ(doc.CwFontSize(), c.expectedSize);
    }
}

TEST_F(ImpressionFile, OlderDocumentsAreSavedInTheCurrentFormat)
{
    CImpressionDoc doc;
    doc.setFileVersion(1);
    ASSERT_TRUE(doc.writeFile(path("v.imf"), false));
    loadIntoLibrary(path("v.imf"));
    EXPECT_EQ(modVCard::getProp(0), "3.0");
    EXPECT_EQ(modVCard::getProp(43), "3");

    EXPECT_FALSE(CImpressionFileV1().writeFile(doc, path("never.imf"), true));
    EXPECT_FALSE(QFileInfo::exists(path("never.imf")));
}

TEST_F(ImpressionFile, FailedSavesKeepThePreviousFile)
{
    const QString target = path("ro.imf");
    CImpressionDoc first;
    first.setNamLast(QStringLiteral("First"));
    ASSERT_TRUE(first.writeFile(target, false));
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadGroup);

    CImpressionDoc second;
    second.setNamLast(QStringLiteral("Second"));
    {
        testing_support::ScriptedMessages boxes;
        boxes.ok();
        EXPECT_FALSE(second.writeFile(target, true));
        ASSERT_EQ(boxes.shown().size(), 1);
        EXPECT_EQ(boxes.last().text, "Unable to save \r" + target + "\r\rCheck if file is read only.");
        EXPECT_EQ(boxes.last().icon, ui::Icon::Exclamation);
        EXPECT_EQ(boxes.last().buttons, ui::Buttons::Ok);
        EXPECT_EQ(boxes.last().title, "");
    }
    {
        testing_support::ScriptedMessages boxes; // the export reports nothing itself
        EXPECT_FALSE(CVCFFileV1().writeFile(second, target, false));
    }
    {
        testing_support::ScriptedMessages boxes;
        boxes.ok();
        EXPECT_FALSE(CImpressionFileV2().writeFile(second, path("no/folder/x.imf"), false));
        EXPECT_EQ(boxes.shown().size(), 1);
    }
    CImpressionDoc read;
    ASSERT_TRUE(read.readFile(target));
    EXPECT_EQ(read.NamLast(), "First");
}
