#include "platform/registry/Registry.h"
#include "platform/registry/Hive.h"

#include "QtPrinters.h"
#include "TempConfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace registry;
using testing_support::TempConfig;

namespace {

const QString AppPaths = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths");

// Reads a value the way the programs do: open for reading, query into a buffer.
long query(Root root, const QString& key, const QString& name, quint32& type, QByteArray& data, qsizetype buffer = 1024)
{
    Handle h = 0;
    long rc = openKey(root, key, KeyRead, h);
    if (rc != Success)
        return rc;
    rc = queryValue(h, name, type, data, buffer);
    closeKey(h);
    return rc;
}

long write(Root root, const QString& key, const QString& name, quint32 type, const QByteArray& data)
{
    Handle h = 0;
    long rc = createKey(root, key, KeyAllAccess, h);
    if (rc != Success)
        return rc;
    rc = setValue(h, name, type, data);
    closeKey(h);
    return rc;
}

// Installation hives in a folder of $XDG_CONFIG_DIRS for its lifetime.
class SystemHives
{
public:
    SystemHives() : m_previous(qgetenv("XDG_CONFIG_DIRS"))
    {
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_dir.path()));
    }
    ~SystemHives() { qputenv("XDG_CONFIG_DIRS", m_previous); }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
};

// Makes the user's hives impossible to write (their folder would lie below a file).
class UnwritableUserHives
{
public:
    UnwritableUserHives()
    {
        QFile blocker(m_dir.filePath(QStringLiteral("file")));
        blocker.open(QIODevice::WriteOnly);
        setUserHiveFolder(m_dir.filePath(QStringLiteral("file/registry")));
    }
    ~UnwritableUserHives() { setUserHiveFolder(QString()); }

private:
    QTemporaryDir m_dir;
};

int runRegister(const QStringList& args)
{
    QProcess p;
    p.start(QCoreApplication::applicationDirPath() + QStringLiteral("/qv-register"), args);
    EXPECT_TRUE(p.waitForFinished(30000));
    return p.exitCode();
}

} // namespace

TEST(Registry, ValuesKeepTheirTypeAndBytes)
{
    TempConfig config;
    const QString key = QStringLiteral("Software\\Corex\\CardScan\\Scan");
    QByteArray dword(4, '\0');
    qToLittleEndian<qint32>(-2, dword.data());
    ASSERT_EQ(write(Root::CurrentUser, key, QStringLiteral("AutoSense"), RegDword, dword), Success);
    ASSERT_EQ(write(Root::CurrentUser, key, QStringLiteral("WithNul"), RegSz, QByteArray("C:\\x y\0", 7)), Success);
    ASSERT_EQ(write(Root::CurrentUser, key, QStringLiteral("WithoutNul"), RegSz, QByteArray("C:\\x y")), Success);
    ASSERT_EQ(write(Root::CurrentUser, key, QStringLiteral("Odd"), 3, QByteArray("\x01\xff", 2)), Success);
    ASSERT_EQ(write(Root::CurrentUser, key, QStringLiteral("Latin1"), RegSz, QByteArray("caf\xe9")), Success);

    quint32 type = 0;
    QByteArray data;
    ASSERT_EQ(query(Root::CurrentUser, key, QStringLiteral("autosense"), type, data), Success);
    EXPECT_EQ(type, RegDword);
    EXPECT_EQ(data, dword);
    ASSERT_EQ(query(Root::CurrentUser, key.toUpper(), QStringLiteral("WithNul"), type, data), Success);
    EXPECT_EQ(data, QByteArray("C:\\x y\0", 7));
    ASSERT_EQ(query(Root::CurrentUser, key, QStringLiteral("WithoutNul"), type, data), Success);
    EXPECT_EQ(data, QByteArray("C:\\x y"));
    ASSERT_EQ(query(Root::CurrentUser, key, QStringLiteral("Odd"), type, data), Success);
    EXPECT_EQ(type, 3u);
    EXPECT_EQ(data, QByteArray("\x01\xff", 2));
    ASSERT_EQ(query(Root::CurrentUser, key, QStringLiteral("Latin1"), type, data), Success);
    EXPECT_EQ(data, QByteArray("caf\xe9"));
    EXPECT_EQ(query(Root::CurrentUser, key, QStringLiteral("Missing"), type, data), FileNotFound);
    // Each root is its own hive.
    EXPECT_EQ(query(Root::LocalMachine, key, QStringLiteral("AutoSense"), type, data), FileNotFound);
}

TEST(Registry, KeysExistWithTheirParentsAndMatchWithoutCase)
{
    TempConfig config;
    Handle h = 0;
    EXPECT_EQ(openKey(Root::ClassesRoot, QStringLiteral(".imf"), KeyRead, h), FileNotFound);
    ASSERT_EQ(createKey(Root::ClassesRoot, QStringLiteral("Quorvane File\\shell\\open\\command"), KeyAllAccess, h),
              Success);
    closeKey(h);
    for (const char* path : {"Quorvane File", "quorvane file\\SHELL", "Quorvane File\\shell\\open\\command\\"}) {
        ASSERT_EQ(openKey(Root::ClassesRoot, QString::fromLatin1(path), KeyRead, h), Success) << path;
        EXPECT_EQ(closeKey(h), Success);
        EXPECT_EQ(closeKey(h), InvalidHandle);
    }
    EXPECT_EQ(openKey(Root::ClassesRoot, QStringLiteral("Quorvane"), KeyRead, h), FileNotFound);
}

TEST(Registry, LongValuesDoNotFitTheCallersBuffer)
{
    TempConfig config;
    const QString key = QStringLiteral("Software\\Test");
    ASSERT_EQ(write(Root::CurrentUser, key, QStringLiteral("Fits"), RegSz, QByteArray(1024, 'a')), Success);
    ASSERT_EQ(write(Root::CurrentUser, key, QStringLiteral("Long"), RegSz, QByteArray(1025, 'a')), Success);
    quint32 type = 0;
    QByteArray data;
    EXPECT_EQ(query(Root::CurrentUser, key, QStringLiteral("Fits"), type, data), Success);
    EXPECT_EQ(data.size(), 1024);
    EXPECT_EQ(query(Root::CurrentUser, key, QStringLiteral("Long"), type, data), MoreData);
    EXPECT_TRUE(data.isEmpty());
}

TEST(Registry, AccessIsCheckedPerHandle)
{
    TempConfig config;
    Handle h = 0;
    ASSERT_EQ(createKey(Root::CurrentUser, QStringLiteral("Software\\Test"), KeyAllAccess, h), Success);
    closeKey(h);
    ASSERT_EQ(openKey(Root::CurrentUser, QStringLiteral("Software\\Test"), KeyRead, h), Success);
    EXPECT_EQ(setValue(h, QStringLiteral("v"), RegSz, "x"), AccessDenied);
    closeKey(h);
    ASSERT_EQ(openKey(Root::CurrentUser, QStringLiteral("Software\\Test"), KeySetValue, h), Success);
    quint32 type = 0;
    QByteArray data;
    EXPECT_EQ(queryValue(h, QStringLiteral("v"), type, data, 10), AccessDenied);
    closeKey(h);
    EXPECT_EQ(setValue(h, QStringLiteral("v"), RegSz, "x"), InvalidHandle);
}

TEST(Registry, ReadingNeedsNoRightToWrite)
{
    TempConfig config;
    SystemHives system;
    // An installation wrote the App Paths; this user cannot write any hive.
    ASSERT_EQ(runRegister({QStringLiteral("--install"), QCoreApplication::applicationDirPath(),
                           QStringLiteral("--config-dir"), system.path()}),
              0);
    UnwritableUserHives unwritable;

    const QString key = AppPaths + QStringLiteral("\\Quorvane.exe");
    quint32 type = 0;
    QByteArray data;
    ASSERT_EQ(query(Root::LocalMachine, key, QString(), type, data), Success);
    EXPECT_EQ(data, (QCoreApplication::applicationDirPath() + QStringLiteral("/quorvane")).toUtf8() + '\0');

    Handle h = 0;
    EXPECT_EQ(openKey(Root::LocalMachine, key, KeyAllAccess, h), AccessDenied);
    EXPECT_EQ(createKey(Root::LocalMachine, QStringLiteral("Software\\New"), KeyAllAccess, h), AccessDenied);
}

TEST(Registry, TheUsersHiveComesBeforeTheInstallation)
{
    TempConfig config;
    SystemHives system;
    ASSERT_EQ(runRegister({QStringLiteral("--install"), system.path(), QStringLiteral("--config-dir"), system.path()}),
              0);
    const QString key = AppPaths + QStringLiteral("\\Brindlemark.exe");
    quint32 type = 0;
    QByteArray data;
    ASSERT_EQ(query(Root::LocalMachine, key, QString(), type, data), Success);
    EXPECT_EQ(data, (system.path() + QStringLiteral("/brindlemark")).toUtf8() + '\0');

    const QString bin = QCoreApplication::applicationDirPath();
    ASSERT_EQ(runRegister({QStringLiteral("--build-tree"), bin}), 0);
    ASSERT_EQ(query(Root::LocalMachine, key, QString(), type, data), Success);
    EXPECT_EQ(data, (bin + QStringLiteral("/brindlemark")).toUtf8() + '\0');
}

TEST(Registry, TheRegisterToolRefusesBadArguments)
{
    TempConfig config;
    EXPECT_EQ(runRegister({}), 2);
    EXPECT_EQ(runRegister({QStringLiteral("--build-tree")}), 2);
    EXPECT_EQ(runRegister({QStringLiteral("--build-tree"), QStringLiteral("/no/such/folder")}), 1);
    EXPECT_FALSE(QFile::exists(userHivePath(Root::LocalMachine)));
}

TEST(Registry, ADamagedValueReadsAsMissing)
{
    TempConfig config;
    const QString path = userHivePath(Root::CurrentUser);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Software\\\\Test]\ngood=dword:0000002a\nbad=dword:12\nworse=text\n");
    ASSERT_TRUE(f.commit());

    quint32 type = 0;
    QByteArray data;
    EXPECT_EQ(query(Root::CurrentUser, QStringLiteral("Software\\Test"), QStringLiteral("good"), type, data), Success);
    EXPECT_EQ(data, QByteArray("\x2a\0\0\0", 4));
    EXPECT_EQ(query(Root::CurrentUser, QStringLiteral("Software\\Test"), QStringLiteral("bad"), type, data),
              FileNotFound);
    EXPECT_EQ(query(Root::CurrentUser, QStringLiteral("Software\\Test"), QStringLiteral("worse"), type, data),
              FileNotFound);
}

TEST(RegistryValue, TextFormsRoundTrip)
{
    const QList<RegistryValue> values = {
        {RegSz, QByteArray("plain")},
        {RegSz, QByteArray("nul\0", 4)},
        {RegSz, QByteArray()},
        {RegSz, QByteArray("\xff\xfe", 2)},
        {RegDword, QByteArray(4, '\x7f')},
        {RegDword, QByteArray(3, '\1')},
        {7, QByteArray("\0\1\2", 3)},
        {0, QByteArray()},
    };
    for (const RegistryValue& v : values) {
        const QString text = v.toText();
        EXPECT_EQ(RegistryValue::fromText(text), v) << text.toStdString();
    }
    EXPECT_EQ((RegistryValue{RegDword, QByteArray("\x2a\0\0\0", 4)}.toText()), QStringLiteral("dword:0000002a"));
    for (const char* bad : {"", "sz", "dword:xyz", "dword:1234567", "hex(1)", "hex(x):00", "hex(1):0", "hex(1):zz"})
        EXPECT_FALSE(RegistryValue::fromText(QString::fromLatin1(bad))) << bad;
}
