#include "common/modRegistryLow.h"

#include "QtPrinters.h"
#include "TempConfig.h"

#include <gtest/gtest.h>

using namespace modRegistryLow;
using testing_support::TempConfig;

namespace {

void writeRaw(Root root, const QString& key, const QString& name, quint32 type, const QByteArray& data)
{
    registry::Handle h = 0;
    ASSERT_EQ(registry::createKey(root, key, registry::KeyAllAccess, h), registry::Success);
    ASSERT_EQ(registry::setValue(h, name, type, data), registry::Success);
    registry::closeKey(h);
}

const QString Key = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Tessaline.exe");

} // namespace

TEST(RegistryLow, StringValuesReadTheSameWithOrWithoutTheirNul)
{
    TempConfig config;
    writeRaw(Root::LocalMachine, Key, QString(), registry::RegSz, QByteArray("/opt/t/tessaline\0", 17));
    writeRaw(Root::LocalMachine, Key, QStringLiteral("bare"), registry::RegSz, QByteArray("/opt/t/tessaline"));
    writeRaw(Root::LocalMachine, Key, QStringLiteral("empty"), registry::RegSz, QByteArray());
    writeRaw(Root::LocalMachine, Key, QStringLiteral("nul"), registry::RegSz, QByteArray("\0", 1));
    EXPECT_EQ(getStringValue(Root::LocalMachine, Key, QString(), QStringLiteral("d")),
              QStringLiteral("/opt/t/tessaline"));
    EXPECT_EQ(getStringValue(Root::LocalMachine, Key, QStringLiteral("bare"), QStringLiteral("d")),
              QStringLiteral("/opt/t/tessaline"));
    EXPECT_EQ(getStringValue(Root::LocalMachine, Key, QStringLiteral("empty"), QStringLiteral("d")), QString());
    EXPECT_EQ(getStringValue(Root::LocalMachine, Key, QStringLiteral("nul"), QStringLiteral("d")), QString());
}

TEST(RegistryLow, OtherTypesAndFailuresReadAsTheAlgorithmSays)
{
    TempConfig config;
    writeRaw(Root::LocalMachine, Key, QStringLiteral("dword"), registry::RegDword, QByteArray("\xfe\xff\xff\xff", 4));
    writeRaw(Root::LocalMachine, Key, QStringLiteral("binary"), 3, QByteArray("abc"));
    writeRaw(Root::LocalMachine, Key, QStringLiteral("long"), registry::RegSz, QByteArray(1025, 'x'));
    EXPECT_EQ(getStringValue(Root::LocalMachine, Key, QStringLiteral("dword"), QStringLiteral("d")),
              QStringLiteral("-2"));
    EXPECT_EQ(getStringValue(Root::LocalMachine, Key, QStringLiteral("binary"), QStringLiteral("d")), QString());
    EXPECT_EQ(getStringValue(Root::LocalMachine, Key, QStringLiteral("long"), QStringLiteral("d")),
              QStringLiteral("d"));
    EXPECT_EQ(getStringValue(Root::LocalMachine, Key, QStringLiteral("missing"), QStringLiteral("d")),
              QStringLiteral("d"));
    EXPECT_EQ(getStringValue(Root::LocalMachine, QStringLiteral("No\\Such\\Key"), QString(), QStringLiteral("d")),
              QStringLiteral("d"));
    EXPECT_EQ(openKey(Root::LocalMachine, QStringLiteral("No\\Such\\Key"), 0, KeyAllAccess), -1);
}

TEST(RegistryLow, SetStringValueCreatesTheKey)
{
    TempConfig config;
    EXPECT_TRUE(setStringValue(Root::ClassesRoot, QStringLiteral(".imf"), QString(), QStringLiteral("Quorvane File")));
    EXPECT_TRUE(setStringValue(Root::ClassesRoot, QStringLiteral(".IMF"), QString(), QStringLiteral("Quorvane File")));
    const long h = openKey(Root::ClassesRoot, QStringLiteral(".imf"), 0, KeyRead);
    ASSERT_NE(h, -1);
    quint32 type = 0;
    QByteArray data;
    ASSERT_EQ(registry::queryValue(h, QString(), type, data, 1024), registry::Success);
    closeKey(h);
    EXPECT_EQ(type, registry::RegSz);
    EXPECT_EQ(data, QByteArray("Quorvane File\0", 14)); // written with its NUL
}

TEST(RegistryLow, SetValueExWritesStringsNumbersAndNothingElse)
{
    TempConfig config;
    createKey(QStringLiteral("Software\\Test"), Root::CurrentUser);
    const long h = openKey(Root::CurrentUser, QStringLiteral("Software\\Test"), 0, KeyAllAccess);
    ASSERT_NE(h, -1);
    EXPECT_EQ(setValueEx(h, QStringLiteral("s"), 1, QStringLiteral("abc")), 0);
    EXPECT_EQ(setValueEx(h, QStringLiteral("n"), 4, 258), 0);
    EXPECT_EQ(setValueEx(h, QStringLiteral("x"), 3, QStringLiteral("abc")), 0);
    quint32 type = 0;
    QByteArray data;
    ASSERT_EQ(registry::queryValue(h, QStringLiteral("n"), type, data, 1024), registry::Success);
    EXPECT_EQ(data, QByteArray("\x02\x01\0\0", 4));
    EXPECT_EQ(registry::queryValue(h, QStringLiteral("x"), type, data, 1024), registry::FileNotFound);
    closeKey(h);
}

TEST(RegistryLow, DWordValuesOfTheCurrentUser)
{
    TempConfig config;
    const QString key = QStringLiteral("Software\\Corex\\CardScan\\Scan");
    EXPECT_EQ(getDWordValueHKCU(key, QStringLiteral("AutoSense"), 7), 7);
    EXPECT_FALSE(setDWordValueHKCU(key, QStringLiteral("AutoSense"), 0)); // the key is never created
    EXPECT_EQ(getDWordValueHKCU(key, QStringLiteral("AutoSense"), 7), 7);

    createKey(key, Root::CurrentUser);
    EXPECT_TRUE(setDWordValueHKCU(key, QStringLiteral("AutoSense"), -5));
    EXPECT_EQ(getDWordValueHKCU(key, QStringLiteral("autosense"), 7), -5);
    writeRaw(Root::CurrentUser, key, QStringLiteral("Text"), registry::RegSz, QByteArray("too long"));
    EXPECT_EQ(getDWordValueHKCU(key, QStringLiteral("Text"), 7), 7);
}
