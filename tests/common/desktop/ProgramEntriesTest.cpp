// The family's entries in the desktop's menus, written and removed by qv-register, and the
// command line of an entry for a program in an awkwardly named folder.
#include "common/DesktopEntries.h"
#include "platform/shell/DesktopFiles.h"

#include "TempConfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

struct Outcome
{
    int exitCode = -1;
    QString output;
};

Outcome run(const QString& program, const QStringList& arguments, const QString& dataHome = QString())
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!dataHome.isEmpty())
        env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return {-1, program + QStringLiteral(" did not end")};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAll())};
}

QString qvRegister()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/qv-register");
}

bool hasTool(const char* tool)
{
    return !QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty();
}

// desktop-file-validate's complaints about an entry; empty when it accepts it.
QString complaints(const QString& entry)
{
    const Outcome outcome = run(QStringLiteral("desktop-file-validate"), {entry});
    return outcome.exitCode == 0 && outcome.output.trimmed().isEmpty() ? QString() : entry + u'\n' + outcome.output;
}

QString entryText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(ProgramEntries, QvRegisterWritesValidEntriesForTheFamilyAndRemovesThem)
{
    if (!hasTool("desktop-file-validate"))
        GTEST_SKIP() << "desktop-file-validate is not installed (./run test installs it)";
    testing_support::TempConfig config;
    QTemporaryDir user, machine, machineConfig;
    const QString bin = QCoreApplication::applicationDirPath();

    // For this user, as ./run does for the build tree.
    Outcome outcome = run(qvRegister(), {QStringLiteral("--build-tree"), bin}, user.path());
    ASSERT_EQ(outcome.exitCode, 0) << outcome.output.toStdString();
    for (const QString& program : desktopEntries::programs()) {
        const QString entry = user.filePath(QStringLiteral("applications/") + program + QStringLiteral(".desktop"));
        ASSERT_TRUE(QFileInfo::exists(entry)) << entry.toStdString();
        EXPECT_EQ(complaints(entry), QString());
        const QString text = entryText(entry);
        EXPECT_TRUE(text.contains(QStringLiteral("\nTryExec=") + bin + u'/' + program + u'\n')) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("\nIcon=") + program + u'\n'));
        EXPECT_TRUE(QFileInfo::exists(
            user.filePath(QStringLiteral("icons/hicolor/48x48/apps/") + program + QStringLiteral(".png"))));
    }
    EXPECT_TRUE(entryText(user.filePath(QStringLiteral("applications/quorvane.desktop")))
                    .contains(QStringLiteral("\nExec=") + bin + QStringLiteral("/quorvane %f\n")));

    // For the machine, into the folders given.
    outcome = run(qvRegister(),
                  {QStringLiteral("--install"), bin, QStringLiteral("--config-dir"), machineConfig.path(),
                   QStringLiteral("--data-dir"), machine.path()},
                  user.path());
    ASSERT_EQ(outcome.exitCode, 0) << outcome.output.toStdString();
    EXPECT_TRUE(QFileInfo::exists(machine.filePath(QStringLiteral("applications/zephlorin.desktop"))));
    EXPECT_TRUE(QFileInfo::exists(machineConfig.filePath(QStringLiteral("corvel/registry"))));

    // Removal leaves the other installation alone.
    outcome = run(qvRegister(), {QStringLiteral("--uninstall"), QStringLiteral("--data-dir"), machine.path()});
    ASSERT_EQ(outcome.exitCode, 0) << outcome.output.toStdString();
    EXPECT_TRUE(
        QDir(machine.filePath(QStringLiteral("applications"))).entryList({QStringLiteral("*.desktop")}).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(machine.filePath(QStringLiteral("icons/hicolor/48x48/apps/quorvane.png"))));
    EXPECT_TRUE(QFileInfo::exists(user.filePath(QStringLiteral("applications/brindlemark.desktop"))));
    outcome = run(qvRegister(), {QStringLiteral("--uninstall"), QStringLiteral("--build-tree")}, user.path());
    ASSERT_EQ(outcome.exitCode, 0) << outcome.output.toStdString();
    EXPECT_FALSE(QFileInfo::exists(user.filePath(QStringLiteral("applications/brindlemark.desktop"))));

    EXPECT_EQ(run(qvRegister(), {QStringLiteral("--install"), bin, QStringLiteral("--data-dir")}).exitCode, 2);
}

// A program in a folder whose name holds blanks, quotes, "$" and a backslash: the entry
// is valid and a file manager runs exactly that program with exactly the file.
TEST(ProgramEntries, AnAwkwardProgramPathIsQuotedInTheCommand)
{
    if (!hasTool("desktop-file-validate") || !hasTool("gio"))
        GTEST_SKIP() << "desktop-file-validate or gio is not installed (./run test installs them)";
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("My \"Cards\" $HOME \\ back"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString program = folder + QStringLiteral("/quorvane");
    const QString received = dir.filePath(QStringLiteral("received"));
    {
        QFile script(program);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s|' \"$0\" \"$@\" > \"$QV_RECEIVED\"\n");
    }
    ASSERT_TRUE(QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    shell::DesktopEntry entry = desktopEntries::programEntry(QStringLiteral("quorvane"), program);
    ASSERT_TRUE(shell::writeDesktopEntry(dir.path(), entry));
    const QString path = dir.filePath(QStringLiteral("applications/quorvane.desktop"));
    EXPECT_EQ(complaints(path), QString());

    const QString card = dir.filePath(QStringLiteral("a card; with 'quotes'.imf"));
    QProcess gio;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QV_RECEIVED"), received);
    gio.setProcessEnvironment(env);
    gio.start(QStringLiteral("gio"), {QStringLiteral("launch"), path, card});
    ASSERT_TRUE(gio.waitForFinished(30000));
    ASSERT_EQ(gio.exitCode(), 0) << gio.readAllStandardError().toStdString();
    QString got;
    for (int i = 0; i < 100 && got.isEmpty(); ++i) {
        QThread::msleep(50);
        got = entryText(received);
    }
    EXPECT_EQ(got, program + u'|' + card + u'|');
}

} // namespace
