#include "model/CImpressionDoc.h"

#include "platform/vb/VbError.h"

#include <gtest/gtest.h>

namespace {

void expectNewState(const CImpressionDoc& doc)
{
    for (int k = 0; k < CImpressionDoc::FieldCount; ++k)
        EXPECT_EQ(doc.field(k), "") << CImpressionDoc::fieldName(k).toStdString();
    for (std::int16_t i = 0; i < CImpressionDoc::LineCount; ++i)
        EXPECT_EQ(doc.CwLines(i), "");
    EXPECT_EQ(doc.CwFontName(), "Arial");
    EXPECT_EQ(doc.CwFontSize(), 6);
    EXPECT_EQ(doc.FileVersion(), 3);
}

} // namespace

TEST(CImpressionDoc, StartsEmptyAndClearAllRestoresThat)
{
    CImpressionDoc doc;
    expectNewState(doc);
    for (int k = 0; k < CImpressionDoc::FieldCount; ++k)
        doc.setField(k, QStringLiteral("x"));
    doc.setCwLines(3, QStringLiteral("line"));
    doc.setCwFontName(QStringLiteral("Courier"));
    doc.setCwFontSize(20);
    doc.setFileVersion(1);
    doc.clearAll();
    expectNewState(doc);
}

TEST(CImpressionDoc, NamedPropertiesAndSlotsAreTheSameStore)
{
    CImpressionDoc doc;
    doc.setNamTitle(QStringLiteral("Dr."));
    doc.setBusStreet(QStringLiteral("a\r\nb"));
    doc.setHomPhoneCell(QStringLiteral("cell"));
    EXPECT_EQ(doc.field(0), "Dr.");
    EXPECT_EQ(doc.field(13), "a\r\nb");
    EXPECT_EQ(doc.field(41), "cell");
    EXPECT_EQ(CImpressionDoc::fieldName(0), "NamTitle");
    EXPECT_EQ(CImpressionDoc::fieldName(27), "HomExtAddress");
    EXPECT_EQ(CImpressionDoc::fieldName(41), "HomPhoneCell");
    EXPECT_EQ(CImpressionDoc::fieldName(42), "");

    doc.setCwLines(5, QStringLiteral("five"));
    doc.setCwLines(0, QStringLiteral("zero"));
    EXPECT_EQ(doc.HomPhoneCell(), "cell");
    EXPECT_EQ(doc.CwLines(5), "five");
    EXPECT_EQ(doc.CwLines(0), "zero");
}

TEST(CImpressionDoc, LineIndicesOutsideZeroToFiveRaiseError9AndStoreNothing)
{
    CImpressionDoc doc;
    for (std::int16_t bad : {std::int16_t(-1), std::int16_t(-42), std::int16_t(6), std::int16_t(32767)}) {
        try {
            doc.setCwLines(bad, QStringLiteral("overwrite"));
            FAIL() << "no error for index " << bad;
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number(), vb::err::SubscriptOutOfRange);
        }
        EXPECT_THROW(doc.CwLines(bad), vb::Error);
    }
    expectNewState(doc);
    EXPECT_THROW(doc.setField(42, QStringLiteral("x")), vb::Error);
    EXPECT_THROW(doc.field(-1), vb::Error);
}

TEST(CImpressionDoc, FontFallsBackToArialAndSix)
{
    CImpressionDoc doc;
    doc.setCwFontName(QStringLiteral("   "));
    EXPECT_EQ(doc.CwFontName(), "Arial");
    doc.setCwFontName(QString());
    EXPECT_EQ(doc.CwFontName(), "Arial");
    doc.setCwFontName(QStringLiteral("  Courier New "));
    EXPECT_EQ(doc.CwFontName(), "  Courier New ");
    doc.setCwFontName(QStringLiteral("\t"));
    EXPECT_EQ(doc.CwFontName(), "\t"); // only blanks count as blank

    for (std::int32_t accepted : {1, 12, CImpressionDoc::MaxFontSize}) {
        doc.setCwFontSize(accepted);
        EXPECT_EQ(doc.CwFontSize(), accepted);
    }
    for (std::int32_t refused : {0, -5, CImpressionDoc::MaxFontSize + 1, 2147483647}) {
        doc.setCwFontSize(20);
        doc.setCwFontSize(refused);
        EXPECT_EQ(doc.CwFontSize(), 6) << refused;
    }
}
