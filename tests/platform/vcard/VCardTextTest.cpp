#include "platform/vcard/VCardText.h"
#include "platform/vcard/VCardCard.h"
#include "platform/vcard/VCardReader.h"
#include "platform/vcard/VCardWriter.h"

#include <gtest/gtest.h>

using namespace vcard;

namespace {

Card parseOne(const QByteArray& text)
{
    const QList<Card> cards = Reader::parse(text);
    EXPECT_EQ(cards.size(), 1);
    return cards.value(0);
}

} // namespace

TEST(VCardText, EscapesAndUnescapesTextValues)
{
    EXPECT_EQ(escapeText(u"a\\b;c,d:e"), "a\\\\b\\;c\\,d:e");
    EXPECT_EQ(escapeText(u"1\r\n2\n3\r4"), "1\\n2\\n3\\n4");
    EXPECT_EQ(unescapeText(u"a\\\\b\\;c\\,d\\:e\\nf\\Ng"), "a\\b;c,d:e\nf\ng");
    EXPECT_EQ(unescapeText(u"C:\\temp\\"), "C:\\temp\\"); // unknown escapes and a last backslash stay
    EXPECT_EQ(splitRaw(u"a\\;b;c\\\\;", u';'), (QStringList{"a\\;b", "c\\\\", ""}));
}

TEST(VCardText, DecodesBytesByValidity)
{
    EXPECT_EQ(decodeBytes("Gr\xC3\xBC\xC3\x9F"), QStringLiteral("Grüß"));
    EXPECT_EQ(decodeBytes("Gr\xFC\xDF \x80 \x93q\x94"), QStringLiteral("Grüß € “q”"));
    EXPECT_EQ(decodeBytes("\xE9", QStringLiteral("ISO-8859-1")), QStringLiteral("é"));
    EXPECT_EQ(decodeQuotedPrintable(u"a=3Db=C3=A9=zz="), QByteArray("a=b\xC3\xA9=zz="));
}

TEST(VCardReader, Reads3WithFoldingGroupsAndQuotedParameters)
{
    const Card card = parseOne("junk before\r\n"
                               "BEGIN:VCARD\r\n"
                               "VERSION:3.0\r\n"
                               "FN:A very long na\r\n"
                               " me\r\n"
                               "\titem1.TEL;TYPE=\"work,voice\";TYPE=pref:+1 555\r\n" // folded onto FN? no: tab folds
                               "item2.X-ABLabel:other\r\n"
                               "no colon here\r\n"
                               "END:VCARD\r\n"
                               "trailing junk");
    // The line that is no content line stays, as a verbatim property.
    ASSERT_EQ(card.properties().size(), 4);
    EXPECT_TRUE(card.properties()[3].isVerbatim());
    EXPECT_EQ(card.properties()[3].source(), "no colon here\r\n");
    EXPECT_EQ(card.version(), "3.0");
    // A line starting with a tab continues the one before it.
    EXPECT_EQ(card.property("FN")->value(), "A very long nameitem1.TEL;TYPE=\"work,voice\";TYPE=pref:+1 555");
    const Property* label = card.property("x-ablabel");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->group(), "item2");
    EXPECT_EQ(label->name(), "X-ABLABEL");

    const Card tel = parseOne("BEGIN:VCARD\nitem1.TEL;TYPE=\"work,voice\";TYPE=pref:+1 555\nEND:VCARD\n");
    const Property* p = tel.property("TEL");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->parameterValues("type"), (QStringList{"work", "voice", "pref"}));
    EXPECT_TRUE(p->hasType("PREF"));
}

TEST(VCardReader, Reads21BareTypesQuotedPrintableAndCharsets)
{
    const Card card = parseOne("BEGIN:VCARD\r\n"
                               "VERSION:2.1\r\n"
                               "N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:M=FCller;J=F6rg\r\n"
                               "NOTE;QUOTED-PRINTABLE:first=0D=0Asec=\r\n"
                               "ond; half=\r\n"
                               "\r\n"
                               "TEL;WORK;VOICE:+49 1\r\n"
                               "PHOTO;BASE64:QUJD\r\n"
                               "END:VCARD\r\n");
    EXPECT_EQ(card.property("N")->components(), (QStringList{"Müller", "Jörg"}));
    EXPECT_TRUE(card.property("N")->parameters().isEmpty());
    EXPECT_EQ(card.property("NOTE")->value(), "first\\nsecond; half");
    const Property* tel = card.property("TEL");
    EXPECT_TRUE(tel->hasType("work"));
    EXPECT_TRUE(tel->hasType("VOICE"));
    EXPECT_EQ(card.property("PHOTO")->parameterValues("ENCODING"), QStringList{"b"});
}

TEST(VCardReader, ReadsWindows1252FilesAndSkipsNestedCards)
{
    const Card card = parseOne("BEGIN:VCARD\nFN:Ren\xE9 \x80\nAGENT:\nBEGIN:VCARD\nFN:Agent\nEND:VCARD\n"
                               "TITLE:Chef\nEND:VCARD\n");
    EXPECT_EQ(card.property("FN")->text(), QStringLiteral("René €"));
    EXPECT_EQ(card.properties("FN").size(), 1);
    EXPECT_EQ(card.property("TITLE")->text(), "Chef");
}

TEST(VCardReader, IncompleteCardsAreNotCards)
{
    EXPECT_TRUE(Reader::parse("").isEmpty());
    EXPECT_TRUE(Reader::parse("\x89PNG\r\n\x1A\n\0\0binary").isEmpty());
    EXPECT_TRUE(Reader::parse("BEGIN:VCARD\r\nFN:x\r\n").isEmpty());
    EXPECT_TRUE(Reader::parse("FN:x\r\nEND:VCARD\r\n").isEmpty());
    EXPECT_EQ(Reader::parse("BEGIN:VCARD\nEND:VCARD\nBEGIN:vcard\nFN:2\nend:VCARD\n").size(), 2);
}

TEST(VCardWriter, FoldsAt75OctetsWithoutSplittingUtf8)
{
    Card card;
    card.append(Property("VERSION", "3.0"));
    Property note("NOTE");
    note.setText(QString(40, u'a') + QString(60, QChar(0x00E9)) + QString(30, QChar(0x65E5)) + QStringLiteral("😀end"));
    card.append(note);
    Property x("X-UNKNOWN", "keep\\, as it stands;1");
    x.setGroup("g");
    x.addParameter("TYPE", {"a:b", "c"});
    card.append(x);

    const QByteArray text = Writer::write(card);
    EXPECT_TRUE(text.startsWith("BEGIN:VCARD\r\nVERSION:3.0\r\nNOTE:"));
    const QList<QByteArray> lines = text.split('\n');
    for (const QByteArray& line : lines) {
        EXPECT_LE(line.size() - (line.endsWith('\r') ? 1 : 0), Writer::MaxLineOctets) << line.constData();
        EXPECT_TRUE(isValidUtf8(line)) << "a line ends inside a UTF-8 sequence";
    }
    EXPECT_GT(lines.size(), 6);
    EXPECT_EQ(parseOne(text), card);
    EXPECT_TRUE(text.contains("g.X-UNKNOWN;TYPE=\"a:b\",c:keep\\, as it stands;1\r\n"));
}

TEST(VCardWriter, ALineBreakInARawValueCannotEndTheLine)
{
    Card card;
    card.append(Property("FN", "x\r\nEND:VCARD\nTITLE:y"));
    const Card back = parseOne(Writer::write(card));
    ASSERT_EQ(back.properties().size(), 1);
    EXPECT_EQ(back.property("FN")->text(), "x\nEND:VCARD\nTITLE:y");
}

TEST(VCardReader, EachLineIsDecodedOnItsOwn)
{
    // UTF-8 throughout, but for one Windows-1252 byte in one line: only that line reads as
    // Windows-1252; a CHARSET names the set of its own value.
    const Card card = parseOne("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:\xE5\xB1\xB1\xE7\x94\xB0\r\nNOTE:Caf\xE9\r\n"
                               "ORG;CHARSET=ISO-8859-1:M\xFCller\r\nTITLE:\xC3\xA9t\xC3\xA9\r\nEND:VCARD\r\n");
    EXPECT_EQ(card.property("FN")->text(), QStringLiteral("山田"));
    EXPECT_EQ(card.property("NOTE")->text(), QStringLiteral("Café"));
    EXPECT_EQ(card.property("ORG")->text(), QStringLiteral("Müller"));
    EXPECT_EQ(card.property("TITLE")->text(), QStringLiteral("été"));
}

TEST(VCardWriter, ACardReadIsWrittenBackByteForByteAndChangesOnlyWhatChanged)
{
    // LF line ends, a byte-order mark, text around the card, a nested card, a line no
    // parser reads, a folded line, a 2.1 base64 value without leading blanks.
    const QByteArray text = "\xEF\xBB\xBFjunk before\n"
                            "BEGIN:VCARD\nVERSION:2.1\nN:Doe;Jane\nFN:Jane\n Doe\nX BAD LINE\n"
                            "PHOTO;BASE64:QUJD\nREVG\n\nAGENT:\nBEGIN:VCARD\nFN:Agent\nEND:VCARD\n"
                            "TEL;HOME:1\nEND:VCARD\ntrailing text";
    QList<Card> cards = Reader::parse(text);
    ASSERT_EQ(cards.size(), 1);
    EXPECT_EQ(Writer::write(cards), text);
    EXPECT_EQ(cards[0].property("PHOTO")->value(), "QUJDREVG");
    EXPECT_EQ(cards[0].property("FN")->text(), "JaneDoe");

    // A changed value is written in 2.1 syntax with the file's own line end; the rest stays.
    cards[0].property("TEL")->setText(QStringLiteral("+49 30 12\u00E9"));
    cards[0].property("N")->setComponents({"Doe; Sr.", "Jane"});
    Property title("TITLE");
    title.setText(QStringLiteral("Line one\nline two"));
    cards[0].append(title);
    const QByteArray changed = Writer::write(cards);
    QByteArray expected = text;
    expected.replace("N:Doe;Jane\n", "N:Doe\\; Sr.;Jane\n");
    expected.replace("TEL;HOME:1\n", "TEL;HOME;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:+49 30 12=C3=A9\n"
                                     "TITLE;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Line one=0D=0Aline two\n");
    EXPECT_EQ(changed, expected);
    const Card back = Reader::parse(changed).value(0);
    EXPECT_EQ(back.property("TEL")->text(), QStringLiteral("+49 30 12\u00E9"));
    EXPECT_EQ(back.property("N")->components(), (QStringList{"Doe; Sr.", "Jane"}));
    EXPECT_EQ(back.property("TITLE")->text(), QStringLiteral("Line one\nline two"));

    // Quoted-printable lines that break before a blank: the blank must not fold the line.
    Card longer = Reader::parse(text).value(0);
    const QString note = QStringLiteral("Z\u00FCrich ") + QString(200, u' ') + QStringLiteral("end");
    longer.property("TEL")->setText(note);
    EXPECT_EQ(Reader::parse(Writer::write(longer)).value(0).property("TEL")->text(), note);

    // Setting a value a property already has is no change.
    Card same = Reader::parse(text).value(0);
    same.property("FN")->setText(QStringLiteral("JaneDoe"));
    EXPECT_FALSE(same.property("FN")->source().isEmpty());
}
