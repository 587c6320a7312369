// Impression files as the desktop sees them after the association: their type, by name and by
// contents, the default application, and a double click that opens the file in Quorvane.
#include "common/DesktopEntries.h"
#include "common/MainHelper.h"
#include "common/frmPreferences.h"
#include "common/modRegistryHigh.h"
#include "common/modRegistryLow.h"
#include "platform/ipc/IpcConversation.h"
#include "platform/ipc/IpcRuntimeDir.h"
#include "platform/ui/Form.h"
#include "platform/ui/MessageService.h"

#include "ChildProcess.h"
#include "InstalledEdition.h"
#include "PseudoTerminal.h"
#include "ScriptedMessages.h"
#include "TempConfig.h"
#include "TestPaths.h"
#include "WidgetDriver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/mount.h>
#include <unistd.h>

namespace {

using testing_support::ChildProcess;

const auto* const g_edition = ::testing::AddGlobalTestEnvironment(new testing_support::QuorvaneEdition);

// $XDG_DATA_HOME pointed at a fresh folder for the test's lifetime.
class TempData
{
public:
    TempData() : m_previous(qgetenv("XDG_DATA_HOME")) { qputenv("XDG_DATA_HOME", QFile::encodeName(path())); }
    ~TempData() { qputenv("XDG_DATA_HOME", m_previous); }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
};

// A desktop tool's answer, first line; empty when it failed or is missing.
QString ask(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // No desktop session: xdg-mime takes its generic road, the one of the freedesktop.org files.
    for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
        env.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(env);
    process.start(tool, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return QStringLiteral("<%1 did not end>").arg(tool);
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput()).section(u'\n', 0, 0).trimmed();
}

QString quorvaneProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/quorvane");
}

class FileAssociation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* tool : {"xdg-mime", "mimetype", "update-mime-database", "gio"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                GTEST_SKIP() << tool << " is not installed (./run test installs it)";
        }
        ui::setProgramTitle(QStringLiteral("Quorvane"));
        modMainHelper::isFirstRunOfVersion(); // no wizard in the programs started below
    }

    QString settingsText() const
    {
        QFile file(m_config.path() + QStringLiteral("/corvel/quorvane.conf"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    bool opened(const QString& path) const
    {
        return testing_support::waitUntil([&] { return settingsText().contains(QStringLiteral("MRU0=") + path); });
    }

    // Double-clicks `path` the way a file manager does: the default entry's command run on it.
    void doubleClick(const QString& path) const
    {
        const QString entry = m_data.path() + QStringLiteral("/applications/quorvane.desktop");
        // The program outlives gio: it must not write into a pipe of ours that closes.
        QProcess gio;
        gio.setStandardOutputFile(QProcess::nullDevice());
        gio.setStandardErrorFile(QProcess::nullDevice());
        gio.start(QStringLiteral("gio"), {QStringLiteral("launch"), entry, path});
        ASSERT_TRUE(gio.waitForFinished(30000));
        ASSERT_EQ(gio.exitCode(), 0);
    }

    testing_support::TempConfig m_config;
    TempData m_data;
    QTemporaryDir m_files;
};

TEST_F(FileAssociation, TheDesktopKnowsImpressionsAndOpensThemInQuorvane)
{
    ASSERT_TRUE(modRegistryHigh::registerFileTypes());
    // The registry's values are written as before.
    EXPECT_EQ(
        modRegistryLow::getStringValue(modRegistryLow::Root::ClassesRoot, QStringLiteral(".imf"), QString(), QString()),
        QStringLiteral("Quorvane File"));

    const QString card = m_files.filePath(QStringLiteral("card.imf"));
    ASSERT_TRUE(QFile::copy(testing_support::sourceDir() + QStringLiteral("/data/samples/sample.imf"), card));
    const QString renamed = m_files.filePath(QStringLiteral("card.txt"));
    ASSERT_TRUE(QFile::copy(card, renamed));
    // A vCard of another program is not taken for an impression by its contents.
    const QString contact = m_files.filePath(QStringLiteral("contact.txt"));
    {
        QFile file(contact);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ada Lovelace\r\nN:Lovelace;Ada;;;\r\nEND:VCARD\r\n");
    }
    const QString type = QString::fromLatin1(desktopEntries::ImpressionMimeType);
    const QString xdgMime = QStringLiteral("xdg-mime");
    EXPECT_EQ(ask(xdgMime, {QStringLiteral("query"), QStringLiteral("filetype"), card}), type);
    EXPECT_EQ(ask(xdgMime, {QStringLiteral("query"), QStringLiteral("filetype"), renamed}), type);
    EXPECT_NE(ask(xdgMime, {QStringLiteral("query"), QStringLiteral("filetype"), contact}), type);
    EXPECT_EQ(ask(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), type}),
              QStringLiteral("quorvane.desktop"));

    // The entry starts this program (here the test itself) with the file, and has its icon.
    QFile entry(m_data.path() + QStringLiteral("/applications/quorvane.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    EXPECT_TRUE(
        text.contains(QStringLiteral("\nExec=") + QCoreApplication::applicationFilePath() + QStringLiteral(" %f\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\nMimeType=") + type + QStringLiteral(";\n")));
    EXPECT_TRUE(QFileInfo::exists(m_data.path() + QStringLiteral("/icons/hicolor/64x64/apps/quorvane.png")));
    if (!QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty())
        EXPECT_EQ(ask(QStringLiteral("desktop-file-validate"), {entry.fileName()}), QString());

    if (!QFileInfo::exists(quorvaneProgram()))
        GTEST_SKIP() << "quorvane is not built";
    // The real program behind the entry, as Quorvane's own association writes it.
    ASSERT_TRUE(desktopEntries::associateImpressionFiles(QStringLiteral("quorvane"), quorvaneProgram()));

    // A double click with Quorvane running: the running copy opens it, through the hand-over.
    {
        ChildProcess running(quorvaneProgram(), {});
        ASSERT_TRUE(testing_support::waitUntil([] {
            ipc::Conversation conversation;
            return conversation.open(ipc::Channel::Conversation, QStringLiteral("Quorvane|MDI"));
        }));
        doubleClick(card);
        EXPECT_TRUE(opened(card)) << settingsText().toStdString();
        running.kill();
    }

    // A double click with no copy running starts Quorvane on the file.
    const QString other = m_files.filePath(QStringLiteral("other card.imf"));
    ASSERT_TRUE(QFile::copy(card, other));
    doubleClick(other);
    EXPECT_TRUE(opened(other)) << settingsText().toStdString();
    // The copy the desktop started is the one holding the program's lock; end it.
    QLockFile lock(ipc::RuntimeDir::lockPath(QStringLiteral("Quorvane")).path);
    qint64 pid = 0;
    QString host, application;
    ASSERT_TRUE(lock.getLockInfo(&pid, &host, &application));
    ASSERT_GT(pid, 0);
    ::kill(pid_t(pid), SIGKILL);
}

// A desktop without the cache tools reads the files themselves: their absence is no failure.
TEST_F(FileAssociation, MissingCacheToolsAreNoFailure)
{
    QTemporaryDir emptyPath;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(emptyPath.path()));
    const bool associated = desktopEntries::associateImpressionFiles(QStringLiteral("quorvane"), quorvaneProgram());
    qputenv("PATH", path);
    EXPECT_TRUE(associated);
    EXPECT_TRUE(QFileInfo::exists(m_data.path() + QStringLiteral("/mime/packages/corvel-impression.xml")));
    EXPECT_FALSE(QFileInfo::exists(m_data.path() + QStringLiteral("/mime/mime.cache")));
}

// A data folder the association cannot write into: the same failure as a registry that cannot
// be written, although the registry values were written.
TEST_F(FileAssociation, AReadOnlyDataFolderIsAFailure)
{
    const QString data = m_data.path() + QStringLiteral("/readonly");
    ASSERT_TRUE(QDir().mkpath(data));
    // Root writes into any folder whatever its mode: then an empty file system mounted read-only.
    bool mounted = false;
    if (::geteuid() == 0)
        mounted = ::mount("tmpfs", QFile::encodeName(data).constData(), "tmpfs", MS_RDONLY, "size=16k") == 0;
    else
        ASSERT_EQ(::chmod(QFile::encodeName(data).constData(), 0555), 0);
    if (::geteuid() == 0 && !mounted)
        GTEST_SKIP() << "cannot mount a read-only folder";
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));

    testing_support::ScriptedMessages messages;
    auto* preferences = new frmPreferences(*modMainHelper::programEdition().preferences);
    ui::load(*preferences);
    messages.ok();
    testing_support::click(preferences, QStringLiteral("cmdForceAssociation"));
    ui::unload(*preferences);
    EXPECT_EQ(messages.last().text, QStringLiteral("Impression files could not be associated with Quorvane."));
    EXPECT_EQ(
        modRegistryLow::getStringValue(modRegistryLow::Root::ClassesRoot, QStringLiteral(".imf"), QString(), QString()),
        QStringLiteral("Quorvane File"));
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("/applications/quorvane.desktop")));

    if (mounted)
        ::umount2(QFile::encodeName(data).constData(), MNT_DETACH);
}

} // namespace
