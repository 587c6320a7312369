// Exported vCards and contacts of the store as a vdir tool sees them: Debian's khard, set to
// report every file it cannot take, lists each one and shows every value.
#include "model/CImpressionDoc.h"
#include "model/CVCFFileV1.h"
#include "platform/contacts/ContactStore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct KhardRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

class Khard
{
public:
    explicit Khard(const QString& vdir) : m_config(m_dir.filePath(QStringLiteral("khard.conf")))
    {
        QFile config(m_config);
        EXPECT_TRUE(config.open(QIODevice::WriteOnly));
        config.write("[addressbooks]\n[[exports]]\npath = " + QFile::encodeName(vdir) +
                     "\n\n[general]\ndebug = no\ndefault_action = list\n\n"
                     "[vcard]\n# every file that cannot be taken is reported\nskip_unparsable = no\n");
    }

    KhardRun run(const QStringList& arguments) const
    {
        QProcess khard;
        khard.start(QStringLiteral("khard"), QStringList{QStringLiteral("-c"), m_config} + arguments);
        KhardRun result;
        if (!khard.waitForFinished(60000))
            return result;
        result.exitCode = khard.exitCode();
        result.out = QString::fromUtf8(khard.readAllStandardOutput());
        result.err = QString::fromUtf8(khard.readAllStandardError());
        return result;
    }

private:
    QTemporaryDir m_dir;
    QString m_config;
};

CImpressionDoc contact()
{
    CImpressionDoc doc;
    doc.setNamTitle(QStringLiteral("Dr."));
    doc.setNamFirst(QStringLiteral("Zoë"));
    doc.setNamMiddle(QStringLiteral("Quinn"));
    doc.setNamLast(QStringLiteral("Obrien"));
    doc.setNamSuffix(QStringLiteral("Jr."));
    doc.setNamNickname(QStringLiteral("Zo"));
    doc.setNamFormattedName(QStringLiteral("Dr. Zoë Quinn Obrien Jr."));
    doc.setNamEmail(QStringLiteral("zoe@example.com"));
    doc.setNamURL(QStringLiteral("https://example.com/zoe"));
    doc.setNamNotes(QStringLiteral("Met at the fair\r\nLikes symbols"));
    doc.setBusTitle(QStringLiteral("Head of Research"));
    doc.setBusCompany(QStringLiteral("Acme Widgets"));
    doc.setBusExtAddress(QStringLiteral("Building 4"));
    doc.setBusStreet(QStringLiteral("1 Main Street"));
    doc.setBusCity(QStringLiteral("Springfield"));
    doc.setBusState(QStringLiteral("Illinois"));
    doc.setBusZip(QStringLiteral("62701"));
    doc.setBusCountry(QStringLiteral("USA"));
    doc.setBusPOBox(QStringLiteral("PO Box 12"));
    doc.setBusPOCity(QStringLiteral("Shelbyville"));
    doc.setBusPOState(QStringLiteral("Indiana"));
    doc.setBusPOZip(QStringLiteral("46176"));
    doc.setBusPOCountry(QStringLiteral("United States"));
    doc.setHomExtAddress(QStringLiteral("Flat 2"));
    doc.setHomStreet(QStringLiteral("Kirchstraße 7"));
    doc.setHomCity(QStringLiteral("Köln"));
    doc.setHomState(QStringLiteral("Nordrhein"));
    doc.setHomZip(QStringLiteral("50667"));
    doc.setHomCountry(QStringLiteral("Deutschland"));
    doc.setHomPOBox(QStringLiteral("Postfach 99"));
    doc.setHomPOCity(QStringLiteral("Bonn"));
    doc.setHomPOState(QStringLiteral("Westfalen"));
    doc.setHomPOZip(QStringLiteral("53111"));
    doc.setHomPOCountry(QStringLiteral("Germany"));
    doc.setBusPhoneVoice(QStringLiteral("+1 555 0100"));
    doc.setBusPhonePager(QStringLiteral("+1 555 0101"));
    doc.setBusPhoneFax(QStringLiteral("+1 555 0102"));
    doc.setBusPhoneCell(QStringLiteral("+1 555 0103"));
    doc.setHomPhoneVoice(QStringLiteral("+49 221 1"));
    doc.setHomPhonePager(QStringLiteral("+49 221 2"));
    doc.setHomPhoneFax(QStringLiteral("+49 221 3"));
    doc.setHomPhoneCell(QStringLiteral("+49 170 4"));
    doc.setCwLines(0, QStringLiteral("Corvel words"));
    return doc;
}

QString uidIn(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith("UID:"))
            return QString::fromUtf8(line.mid(4).trimmed());
    return QString();
}

} // namespace

TEST(KhardInterop, ExportsAndContactsAreListedWithEveryValue)
{
    if (QStandardPaths::findExecutable(QStringLiteral("khard")).isEmpty())
        GTEST_SKIP() << "khard is not installed";
    QTemporaryDir vdir;
    const CImpressionDoc doc = contact();
    ASSERT_TRUE(CVCFFileV1().writeFile(doc, vdir.filePath(QStringLiteral("full.vcf")), true));
    ASSERT_TRUE(CVCFFileV1().writeFile(doc, vdir.filePath(QStringLiteral("simple.vcf")), false));
    const auto store = contacts::ContactStore::open(vdir.path());
    ASSERT_TRUE(store);
    contacts::ContactCard item = store->newItem();
    item.setValue(contacts::Field::FirstName, QStringLiteral("Ada"));
    item.setValue(contacts::Field::LastName, QStringLiteral("Lovelace"));
    item.setValue(contacts::Field::MobileTelephoneNumber, QStringLiteral("+44 7700 900123"));
    ASSERT_TRUE(store->save(item));

    const Khard khard(vdir.path());
    const KhardRun list = khard.run({QStringLiteral("list"), QStringLiteral("--parsable")});
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_TRUE(list.err.isEmpty()) << list.err.toStdString();
    const QStringList uids = {uidIn(vdir.filePath(QStringLiteral("full.vcf"))),
                              uidIn(vdir.filePath(QStringLiteral("simple.vcf"))), item.uid()};
    for (const QString& uid : uids) {
        EXPECT_FALSE(uid.isEmpty());
        EXPECT_TRUE(list.out.contains(uid)) << list.out.toStdString();
    }
    EXPECT_NE(uids[0], uids[1]);
    EXPECT_EQ(list.out.count(u'\n'), 3) << list.out.toStdString();

    for (const QString& uid : uids.first(2)) {
        const KhardRun show =
            khard.run({QStringLiteral("show"), QStringLiteral("--format"), QStringLiteral("yaml"), uid});
        EXPECT_EQ(show.exitCode, 0) << show.err.toStdString();
        QStringList values;
        for (int nSlot = 0; nSlot < CImpressionDoc::FieldCount; ++nSlot)
            values += doc.field(nSlot).split(QStringLiteral("\r\n"));
        for (const QString& value : values)
            EXPECT_TRUE(show.out.contains(value)) << value.toStdString() << " missing in\n" << show.out.toStdString();
    }
    const KhardRun ada =
        khard.run({QStringLiteral("show"), QStringLiteral("--format"), QStringLiteral("yaml"), item.uid()});
    EXPECT_TRUE(ada.out.contains(QStringLiteral("First name: Ada"))) << ada.out.toStdString();
    EXPECT_TRUE(ada.out.contains(QStringLiteral("+44 7700 900123"))) << ada.out.toStdString();
}
