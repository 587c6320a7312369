#include "common/CMostRecentlyUsed.h"
#include "platform/settings/Settings.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/VbError.h"

#include "QtPrinters.h"
#include "TempConfig.h"

#include <QFile>

#include <gtest/gtest.h>

using testing_support::TempConfig;

namespace {

const QString Section = QStringLiteral("MRUImpression");

class Mru : public ::testing::Test
{
protected:
    void SetUp() override { ui::setProgramTitle(QStringLiteral("Quorvane")); }
    void TearDown() override { ui::setProgramTitle(QString()); }

    CMostRecentlyUsed configured()
    {
        CMostRecentlyUsed mru;
        mru.configure(QStringLiteral("Impression"));
        return mru;
    }
    QStringList stored()
    {
        QStringList out;
        for (const auto& [key, value] : settings::getAllSettings(QStringLiteral("Quorvane"), Section))
            out << key + u'=' + value;
        return out;
    }
    static QString file(int i) { return QStringLiteral("/home/owner/cards/card%1.imf").arg(i); }

    TempConfig m_config;
};

} // namespace

TEST_F(Mru, TenFilesKeepTheNineNewestNewestFirst)
{
    CMostRecentlyUsed mru = configured();
    for (int i = 1; i <= 10; ++i)
        mru.addMostRecent(file(i));
    for (int slot = 0; slot < 9; ++slot)
        EXPECT_EQ(mru.getMRUFileName(slot), file(10 - slot));
    EXPECT_EQ(mru.getMRUFileName(9), QString());
    EXPECT_EQ(mru.getMRUDisplayName(9), QString());

    QStringList expected;
    for (int slot = 0; slot < 9; ++slot)
        expected << QStringLiteral("MRU%1=").arg(slot) + file(10 - slot);
    EXPECT_EQ(stored(), expected);
    // A list made later reads the same.
    EXPECT_EQ(configured().getMRUFileName(8), file(2));
}

TEST_F(Mru, TheFileAlreadyOnTopWritesNothing)
{
    CMostRecentlyUsed mru = configured();
    mru.addMostRecent(file(1));
    const QString path = settings::settingsFilePath(QStringLiteral("Quorvane"));
    ASSERT_TRUE(QFile::remove(path));
    mru.addMostRecent(file(1));
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(Mru, AFileAlreadyListedMovesToTheTop)
{
    CMostRecentlyUsed mru = configured();
    for (int i = 8; i >= 0; --i)
        mru.addMostRecent(file(i)); // slots 0..8 hold card0..card8
    mru.addMostRecent(file(3));
    const QList<int> order = {3, 0, 1, 2, 4, 5, 6, 7, 8};
    for (int slot = 0; slot < 9; ++slot)
        EXPECT_EQ(mru.getMRUFileName(slot), file(order[slot]));
    EXPECT_EQ(configured().getMRUFileName(0), file(3));
}

TEST_F(Mru, NamesDifferingInCaseAreDifferentFiles)
{
    CMostRecentlyUsed mru = configured();
    mru.addMostRecent(QStringLiteral("/cards/Card.imf"));
    mru.addMostRecent(QStringLiteral("/cards/other.imf"));
    mru.addMostRecent(QStringLiteral("/cards/card.imf"));
    EXPECT_EQ(mru.getMRUFileName(0), QStringLiteral("/cards/card.imf"));
    EXPECT_EQ(mru.getMRUFileName(2), QStringLiteral("/cards/Card.imf"));
}

TEST_F(Mru, DisplayNamesAreShortenedToFortyCharacters)
{
    CMostRecentlyUsed mru = configured();
    auto shown = [&](const QString& path) {
        mru.addMostRecent(path);
        return mru.getMRUDisplayName(0);
    };
    const QString forty = QStringLiteral("C:\\Documents\\Impressions\\Sample12345.imf");
    ASSERT_EQ(forty.size(), 40);
    EXPECT_EQ(shown(forty), forty);
    const QString fortyOne = QStringLiteral("C:\\Documents\\Impressions\\Sample123456.imf");
    EXPECT_EQ(shown(fortyOne), QStringLiteral("C:\\Documents\\...\\Sample123456.imf"));

    const QString example =
        QStringLiteral("C:\\Documents and Settings\\Owner\\My Documents\\Impressions\\Sample card.imf");
    ASSERT_EQ(example.size(), 72);
    EXPECT_EQ(shown(example), QStringLiteral("C:\\...\\Sample card.imf"));

    const QString noFolder = QString(45, u'n');
    EXPECT_EQ(shown(noFolder), QString(30, u'n') + QStringLiteral("..."));

    const QString longName = QStringLiteral("/home/owner/") + QString(35, u'x') + QStringLiteral(".imf");
    EXPECT_EQ(shown(longName), QStringLiteral("/home/.../") + QString(30, u'x') + QStringLiteral("..."));

    EXPECT_EQ(shown(QStringLiteral("/home/owner/Documents/Impressions/2024/Sample card.imf")),
              QStringLiteral("/home/owner/Documents/.../Sample card.imf"));
}

TEST_F(Mru, AnEmptyFirstEntryLoadsAnEmptyList)
{
    settings::saveSetting(QStringLiteral("Quorvane"), Section, QStringLiteral("MRU0"), QString());
    settings::saveSetting(QStringLiteral("Quorvane"), Section, QStringLiteral("MRU1"), file(1));
    EXPECT_EQ(configured().getMRUFileName(1), QString());
}

TEST_F(Mru, IndexesOutsideTheSlotsRaiseError9)
{
    CMostRecentlyUsed mru = configured();
    for (qint16 bad : {qint16(-1), qint16(10)}) {
        try {
            mru.getMRUFileName(bad);
            ADD_FAILURE() << "no error for " << bad;
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number(), vb::err::SubscriptOutOfRange);
        }
        EXPECT_THROW(mru.getMRUDisplayName(bad), vb::Error);
    }
}

TEST_F(Mru, TwoListsSeeEachOthersChangesOnlyAfterConfigure)
{
    CMostRecentlyUsed a = configured();
    CMostRecentlyUsed b = configured();
    a.addMostRecent(file(1));
    EXPECT_EQ(b.getMRUFileName(0), QString());
    b.configure(QStringLiteral("Impression"));
    EXPECT_EQ(b.getMRUFileName(0), file(1));
    CMostRecentlyUsed layouts;
    layouts.configure(QStringLiteral("Layout"));
    EXPECT_EQ(layouts.getMRUFileName(0), QString());
}
