// An exported vCard must read correctly in a vCard parser we did not write.
#include "model/CImpressionDoc.h"
#include "model/CVCFFileV1.h"

#include "Vobject.h"

#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using testing_support::entryWithTypes;
using testing_support::readWithVobject;

// Other programs see line breaks as LF.
QString lf(const QString& s)
{
    return QString(s).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

TEST(VobjectInterop, ExportedCardReadsTheSameInAnotherParser)
{
    CImpressionDoc doc;
    doc.setNamTitle(QStringLiteral("Dr."));
    doc.setNamFirst(QStringLiteral("Zoë"));
    doc.setNamMiddle(QStringLiteral("Q."));
    doc.setNamLast(QStringLiteral("O'Brien-Ærø"));
    doc.setNamSuffix(QStringLiteral("Jr., PhD"));
    doc.setNamNickname(QStringLiteral("Zo"));
    doc.setNamFormattedName(QStringLiteral("Dr. Zoë Q. O'Brien-Ærø, Jr., PhD"));
    doc.setNamEmail(QStringLiteral("zoe@example.com"));
    doc.setNamURL(QStringLiteral("https://example.com/a;b?c=1,2"));
    doc.setNamNotes(QStringLiteral("Met at the fair; likes \"PDF417\", C:\\cards and 日本語 — a long note that "
                                   "needs folding\r\nSecond line: 50% off"));
    doc.setBusTitle(QStringLiteral("Head of R&D, Europe"));
    doc.setBusCompany(QStringLiteral("Acme; Widgets, Inc."));
    doc.setBusExtAddress(QStringLiteral("Building 4"));
    doc.setBusStreet(QStringLiteral("1 Main St\r\nSuite 5"));
    doc.setBusCity(QStringLiteral("Springfield"));
    doc.setBusState(QStringLiteral("IL"));
    doc.setBusZip(QStringLiteral("62701"));
    doc.setBusCountry(QStringLiteral("USA"));
    doc.setBusPOBox(QStringLiteral("PO Box 12"));
    doc.setBusPOCity(QStringLiteral("Shelbyville"));
    doc.setBusPOState(QStringLiteral("IN"));
    doc.setBusPOZip(QStringLiteral("46176"));
    doc.setBusPOCountry(QStringLiteral("United States"));
    doc.setHomExtAddress(QStringLiteral("Flat 2"));
    doc.setHomStreet(QStringLiteral("Kirchstraße 7\r\nHinterhaus"));
    doc.setHomCity(QStringLiteral("Köln"));
    doc.setHomState(QStringLiteral("NRW"));
    doc.setHomZip(QStringLiteral("50667"));
    doc.setHomCountry(QStringLiteral("Deutschland"));
    doc.setHomPOBox(QStringLiteral("Postfach 99"));
    doc.setHomPOCity(QStringLiteral("Bonn"));
    doc.setHomPOState(QStringLiteral("NRW"));
    doc.setHomPOZip(QStringLiteral("53111"));
    doc.setHomPOCountry(QStringLiteral("Deutschland"));
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
    doc.setCwLines(0, QStringLiteral("words, too"));

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("export.vcf"));
    ASSERT_TRUE(CVCFFileV1().writeFile(doc, file, true));
    const QJsonObject card = readWithVobject(file);
    ASSERT_FALSE(card.isEmpty());

    auto str = [](const QJsonObject& o, const char* key) { return o[QLatin1String(key)].toString(); };
    EXPECT_EQ(str(card, "version"), "3.0");
    const QJsonObject n = card[QStringLiteral("n")].toObject();
    EXPECT_EQ(str(n, "prefix"), doc.NamTitle());
    EXPECT_EQ(str(n, "given"), doc.NamFirst());
    EXPECT_EQ(str(n, "additional"), doc.NamMiddle());
    EXPECT_EQ(str(n, "family"), doc.NamLast());
    EXPECT_EQ(str(n, "suffix"), doc.NamSuffix());
    EXPECT_EQ(str(card, "fn"), doc.NamFormattedName());
    EXPECT_EQ(str(card, "nickname"), doc.NamNickname());
    EXPECT_EQ(card[QStringLiteral("org")].toArray(), QJsonArray{doc.BusCompany()});
    EXPECT_EQ(str(card, "title"), doc.BusTitle());
    EXPECT_EQ(str(card, "email"), doc.NamEmail());
    EXPECT_EQ(str(card, "url"), doc.NamURL());
    EXPECT_EQ(str(card, "note"), lf(doc.NamNotes()));

    const QJsonArray adr = card[QStringLiteral("adr")].toArray();
    ASSERT_EQ(adr.size(), 4);
    const QJsonObject work = entryWithTypes(adr, {"WORK"});
    EXPECT_EQ(str(work, "extended"), doc.BusExtAddress());
    EXPECT_EQ(str(work, "street"), lf(doc.BusStreet()));
    EXPECT_EQ(str(work, "city"), doc.BusCity());
    EXPECT_EQ(str(work, "region"), doc.BusState());
    EXPECT_EQ(str(work, "code"), doc.BusZip());
    EXPECT_EQ(str(work, "country"), doc.BusCountry());
    const QJsonObject workBox = entryWithTypes(adr, {"POSTAL", "WORK"});
    EXPECT_EQ(str(workBox, "box"), doc.BusPOBox());
    EXPECT_EQ(str(workBox, "city"), doc.BusPOCity());
    EXPECT_EQ(str(workBox, "region"), doc.BusPOState());
    EXPECT_EQ(str(workBox, "code"), doc.BusPOZip());
    EXPECT_EQ(str(workBox, "country"), doc.BusPOCountry());
    const QJsonObject home = entryWithTypes(adr, {"HOME"});
    EXPECT_EQ(str(home, "extended"), doc.HomExtAddress());
    EXPECT_EQ(str(home, "street"), lf(doc.HomStreet()));
    EXPECT_EQ(str(home, "city"), doc.HomCity());
    EXPECT_EQ(str(home, "region"), doc.HomState());
    EXPECT_EQ(str(home, "code"), doc.HomZip());
    EXPECT_EQ(str(home, "country"), doc.HomCountry());
    const QJsonObject homeBox = entryWithTypes(adr, {"HOME", "POSTAL"});
    EXPECT_EQ(str(homeBox, "box"), doc.HomPOBox());
    EXPECT_EQ(str(homeBox, "city"), doc.HomPOCity());
    EXPECT_EQ(str(homeBox, "region"), doc.HomPOState());
    EXPECT_EQ(str(homeBox, "code"), doc.HomPOZip());
    EXPECT_EQ(str(homeBox, "country"), doc.HomPOCountry());

    const QJsonArray tel = card[QStringLiteral("tel")].toArray();
    ASSERT_EQ(tel.size(), 8);
    const QStringList kinds = {"VOICE", "PAGER", "FAX", "CELL"};
    for (int i = 0; i < 8; ++i) {
        QStringList types = {i < 4 ? QStringLiteral("WORK") : QStringLiteral("HOME"), kinds[i % 4]};
        types.sort();
        EXPECT_EQ(str(entryWithTypes(tel, types), "value"), phones[i]) << types.join(u',').toStdString();
    }
}
