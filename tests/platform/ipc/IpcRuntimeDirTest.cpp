#include "platform/ipc/IpcRuntimeDir.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace ipc;

namespace {

// Points an environment variable ($XDG_RUNTIME_DIR by default) elsewhere for one test.
class RuntimeDirOverride
{
public:
    explicit RuntimeDirOverride(const QString& folder, const char* variable = "XDG_RUNTIME_DIR")
        : m_variable(variable), m_saved(qgetenv(variable))
    {
        qputenv(variable, QFile::encodeName(folder));
    }
    ~RuntimeDirOverride() { qputenv(m_variable, m_saved); }

private:
    const char* m_variable;
    QByteArray m_saved;
};

mode_t modeOf(const QString& path)
{
    struct stat info = {};
    ::lstat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 0777;
}

} // namespace

TEST(IpcRuntimeDir, CreatesAPrivateFolderAndRefusesOneOthersCanReach)
{
    QTemporaryDir runtime;
    RuntimeDirOverride override(runtime.path());
    const QString folder = runtime.path() + QStringLiteral("/corvel");

    const PathResult created = RuntimeDir::path();
    ASSERT_TRUE(created) << qPrintable(created.error);
    EXPECT_EQ(created.path, folder);
    EXPECT_EQ(modeOf(folder), 0700u);

    ::chmod(QFile::encodeName(folder).constData(), 0750);
    EXPECT_FALSE(RuntimeDir::path());
    EXPECT_FALSE(RuntimeDir::socketPath(Channel::Conversation, QStringLiteral("Quorvane|MDI")));
    EXPECT_FALSE(RuntimeDir::lockPath(QStringLiteral("Quorvane")));
    EXPECT_EQ(modeOf(folder), 0750u); // refused, not silently changed

    // A link to a private folder is not the folder.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    ASSERT_TRUE(QDir().mkpath(runtime.path() + QStringLiteral("/elsewhere")));
    ::chmod(QFile::encodeName(runtime.path() + QStringLiteral("/elsewhere")).constData(), 0700);
    ASSERT_TRUE(QFile::link(runtime.path() + QStringLiteral("/elsewhere"), folder));
    EXPECT_FALSE(RuntimeDir::path());

    if (::geteuid() == 0) {
        // Owned by someone else, even with the right mode.
        ASSERT_TRUE(QFile::remove(folder));
        ASSERT_TRUE(RuntimeDir::path());
        ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), 65534, 65534), 0);
        const PathResult foreign = RuntimeDir::path();
        EXPECT_FALSE(foreign);
        EXPECT_TRUE(foreign.error.contains(QStringLiteral("another user")));
    }
}

TEST(IpcRuntimeDir, SocketPathsFitTheSystemLimitAndNeverShareAFile)
{
    const QString longName = QString(300, u'n') + QStringLiteral("|MDI");
    const QStringList names = {QStringLiteral("Quorvane|MDI"),
                               QStringLiteral("Quorvane_MDI"),
                               QStringLiteral("Quorvane%7cMDI"),
                               QStringLiteral("Quorvane.MDI"),
                               QStringLiteral("Quorvane|MDI.lock"),
                               QStringLiteral("Zephlorin|MDI"),
                               longName,
                               longName + u'x',
                               QStringLiteral("\u00c9t\u00e9|\u00c9t\u00e9")};
    QSet<QString> paths;
    for (const QString& name : names) {
        const PathResult socket = RuntimeDir::socketPath(Channel::Conversation, name);
        ASSERT_TRUE(socket) << qPrintable(socket.error);
        EXPECT_LE(QFile::encodeName(socket.path).size(), RuntimeDir::MaxSocketPathBytes) << qPrintable(name);
        paths.insert(socket.path);
    }
    EXPECT_EQ(paths.size(), names.size());

    // Names are matched without case; a window class never meets a conversation of its name.
    EXPECT_EQ(RuntimeDir::socketPath(Channel::Conversation, QStringLiteral("quorvane|mdi")).path,
              RuntimeDir::socketPath(Channel::Conversation, QStringLiteral("QUORVANE|MDI")).path);
    EXPECT_NE(RuntimeDir::socketPath(Channel::Conversation, QStringLiteral("X")).path,
              RuntimeDir::socketPath(Channel::WindowClass, QStringLiteral("X")).path);

    // A runtime folder too deep for socket paths gives way to a per-user folder in the temporary
    // folder, and one too deep there to /tmp (not tried here: it is shared by every test run).
    QTemporaryDir runtime;
    const QString deep = runtime.path() + u'/' + QString(90, u'd');
    ASSERT_TRUE(QDir().mkpath(deep));
    RuntimeDirOverride override(deep);
    QTemporaryDir temporary;
    RuntimeDirOverride temporaryOverride(temporary.path(), "TMPDIR");
    const PathResult fallback = RuntimeDir::socketPath(Channel::Conversation, longName);
    ASSERT_TRUE(fallback) << qPrintable(fallback.error);
    EXPECT_TRUE(fallback.path.startsWith(temporary.path() + QStringLiteral("/corvel-%1/").arg(::geteuid())))
        << qPrintable(fallback.path);
    EXPECT_EQ(modeOf(temporary.path() + QStringLiteral("/corvel-%1").arg(::geteuid())), 0700u);
    EXPECT_LE(QFile::encodeName(fallback.path).size(), RuntimeDir::MaxSocketPathBytes);
}

TEST(IpcRuntimeDir, EachTestExecutableHasFoldersOfItsOwn)
{
    // The sockets and lock files of a test stay in its own folder of the build tree, never in
    // one that other test runs (or the user's programs) share.
    const QString own = qEnvironmentVariable("QV_BINARY_DIR") + QStringLiteral("/testhome/test_platform_ipc/");
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("QV_BINARY_DIR"));
    EXPECT_TRUE(qEnvironmentVariable("XDG_RUNTIME_DIR").startsWith(own));
    const PathResult folder = RuntimeDir::path();
    ASSERT_TRUE(folder) << qPrintable(folder.error);
    EXPECT_TRUE(folder.path.startsWith(own)) << qPrintable(folder.path);
}
