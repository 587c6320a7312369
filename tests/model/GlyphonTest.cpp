#include "ModelFixtures.h"

#include "model/CGlyphonV0.h"
#include "model/CGlyphonV1.h"
#include "model/CGlyphonV2.h"
#include "model/CGlyphonV3.h"
#include "model/CImpressionDoc.h"
#include "model/modVCard.h"

#include "ScriptedMessages.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace model_test;

namespace {

// A card of the first generation: no VERSION line, 2.1-style types.
const QByteArray kVersion0Card = "BEGIN:VCARD\r\n"
                                 "FN:Ann Smith\r\n"
                                 "N:Smith;Ann\r\n"
                                 "EMAIL;INTERNET:ann@example.com\r\n"
                                 "NOTE:first\\nsecond\r\n"
                                 "TITLE:Boss\r\n"
                                 "ORG:Acme\r\n"
                                 "ADR;WORK:;;1 Road;Town;ST;12345;Land\r\n"
                                 "TEL;WORK;VOICE:111\r\n"
                                 "TEL;WORK;CELL:444\r\n"
                                 "END:VCARD\r\n";

class Glyphon : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    static int versionOf(const IGlyphon* g)
    {
        if (dynamic_cast<const CGlyphonV0*>(g))
            return 0;
        if (dynamic_cast<const CGlyphonV1*>(g))
            return 1;
        if (dynamic_cast<const CGlyphonV2*>(g))
            return 2;
        if (dynamic_cast<const CGlyphonV3*>(g))
            return 3;
        return -1;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(Glyphon, CardVersionChoice)
{
    writeBytes(path("v0.vcf"), kVersion0Card);
    EXPECT_EQ(versionOf(modVCard::getCardReader(path("v0.vcf")).get()), 0);

    const QList<QPair<QString, int>> byFileVersion = {{"", 1}, {"1", 1}, {"2", 2}, {"3", 3}, {"9", 3}, {"x", 3}};
    for (const auto& [fileVersion, expected] : byFileVersion) {
        writeIndexedCard(path("c.vcf"), {{0, "3.0"}, {7, "N"}, {43, fileVersion}});
        EXPECT_EQ(versionOf(modVCard::getCardReader(path("c.vcf")).get()), expected) << fileVersion.toStdString();
    }
    writeIndexedCard(path("21.vcf"), {{0, "2.1"}, {7, "N"}});
    EXPECT_EQ(modVCard::getCardReader(path("21.vcf")), nullptr);
    EXPECT_EQ(modVCard::getCardReader(path("missing.vcf")), nullptr);
    writeBytes(path("cut.vcf"), kVersion0Card.left(kVersion0Card.size() - 11));
    EXPECT_EQ(modVCard::getCardReader(path("cut.vcf")), nullptr);
}

TEST_F(Glyphon, VersionZeroFillsItsFifteenFieldsOnly)
{
    writeBytes(path("v0.vcf"), kVersion0Card);
    CImpressionDoc doc;
    doc.setNamFirst(QStringLiteral("untouched"));
    doc.setHomCity(QStringLiteral("home"));
    doc.setBusPhonePager(QStringLiteral("old pager"));
    doc.setFileVersion(3);
    EXPECT_TRUE(CGlyphonV0().loadCard(doc, path("v0.vcf")));
    EXPECT_EQ(doc.NamFormattedName(), "Ann Smith");
    EXPECT_EQ(doc.NamFirst(), "untouched");
    EXPECT_EQ(doc.NamEmail(), "ann@example.com");
    EXPECT_EQ(doc.NamNotes(), "first\r\nsecond");
    EXPECT_EQ(doc.BusTitle(), "Boss");
    EXPECT_EQ(doc.BusCompany(), "Acme");
    EXPECT_EQ(doc.BusStreet(), "1 Road");
    EXPECT_EQ(doc.BusCountry(), "Land");
    EXPECT_EQ(doc.BusPhoneVoice(), "111");
    EXPECT_EQ(doc.BusPhoneCell(), "444");
    EXPECT_EQ(doc.BusPhonePager(), ""); // one of the fifteen: set, even when absent
    EXPECT_EQ(doc.HomCity(), "home");
    EXPECT_EQ(doc.FileVersion(), 3);
}

TEST_F(Glyphon, CurrentCardsLoadEveryFieldAndTheirVersion)
{
    const CImpressionDoc written = awkwardDocument();
    ASSERT_TRUE(written.writeFile(path("card.vcf"), true));
    writeIndexedCard(path("v9.vcf"), {{0, "3.0"}, {3, "Mid"}, {43, "9"}});

    std::unique_ptr<IGlyphon> reader = modVCard::getCardReader(path("card.vcf"));
    ASSERT_EQ(versionOf(reader.get()), 3);
    CImpressionDoc doc;
    EXPECT_TRUE(reader->loadCard(doc, path("card.vcf")));
    for (int k = 0; k < CImpressionDoc::FieldCount; ++k)
        EXPECT_EQ(doc.field(k), afterRoundTrip(k, written.field(k)));
    EXPECT_EQ(doc.CwLines(2), written.CwLines(2));

    for (IGlyphon* g : std::initializer_list<IGlyphon*>{new CGlyphonV1, new CGlyphonV2, new CGlyphonV3}) {
        const std::unique_ptr<IGlyphon> owned(g);
        CImpressionDoc nine;
        EXPECT_TRUE(g->loadCard(nine, path("v9.vcf")));
        EXPECT_EQ(nine.NamMiddle(), "Mid");
        EXPECT_EQ(nine.FileVersion(), 9);
    }
}

TEST_F(Glyphon, UnreadableCardsAreReportedAndTold)
{
    const QString missing = path("gone.vcf");
    {
        testing_support::ScriptedMessages boxes;
        boxes.ok();
        CImpressionDoc doc;
        EXPECT_FALSE(CGlyphonV0().loadCard(doc, missing));
        ASSERT_EQ(boxes.shown().size(), 1);
        EXPECT_EQ(boxes.last().text, "Problem reading " + missing + ".");
        EXPECT_EQ(boxes.last().icon, ui::Icon::Information);
        EXPECT_EQ(boxes.last().title, "");
    }
    writeIndexedCard(path("bad.vcf"), {{0, "3.0"}, {7, "Name"}, {43, "not a number"}});
    for (IGlyphon* g : std::initializer_list<IGlyphon*>{new CGlyphonV1, new CGlyphonV2, new CGlyphonV3}) {
        const std::unique_ptr<IGlyphon> owned(g);
        testing_support::ScriptedMessages boxes;
        boxes.ok(2);
        CImpressionDoc doc;
        EXPECT_FALSE(g->loadCard(doc, missing));
        EXPECT_FALSE(g->loadCard(doc, path("bad.vcf"))); // loads, but the shared read fails
        ASSERT_EQ(boxes.shown().size(), 2);
        EXPECT_EQ(boxes.shown()[0].text, "Problem reading " + missing + ".");
        EXPECT_EQ(boxes.shown()[0].title, "Information");
        EXPECT_EQ(boxes.shown()[0].icon, ui::Icon::None);
        EXPECT_EQ(boxes.shown()[1].text, "Problem reading " + path("bad.vcf") + ".");
        EXPECT_EQ(doc.NamFormattedName(), "Name");
    }
}

TEST_F(Glyphon, CardsAreNeverSaved)
{
    const CImpressionDoc doc = awkwardDocument();
    for (IGlyphon* g :
         std::initializer_list<IGlyphon*>{new CGlyphonV0, new CGlyphonV1, new CGlyphonV2, new CGlyphonV3}) {
        const std::unique_ptr<IGlyphon> owned(g);
        EXPECT_FALSE(g->saveIMF(doc, path("out.imf"), true));
    }
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}
