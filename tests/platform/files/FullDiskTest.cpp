// Every writer of the programs on a disk that takes no more bytes: a file-size limit on a
// child process (any user), and a tmpfs filled to the last byte (root). Each save must
// report failure, and the file it meant to replace must stay byte for byte as it was.
#include "ChildProcess.h"
#include "FileSizeLimit.h"
#include "SmallTmpfs.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QStringList Writers = {"impression", "export", "settings", "registry", "contact", "symbol"};

// A file-size limit the large versions of every file exceed.
constexpr rlim_t LimitBytes = 4096;

struct Outcome
{
    QString target;
    bool saved = false;
    QStringList messages;
};

Outcome runWriter(const QString& kind, const QString& folder, bool large, std::function<void()> limit = {})
{
    testing_support::ChildProcess child(QStringLiteral("save_child"),
                                        {kind, folder, large ? QStringLiteral("large") : QStringLiteral("small")},
                                        std::move(limit));
    Outcome outcome;
    EXPECT_TRUE(child.waitFor(QStringLiteral("done"))) << kind.toStdString();
    for (const QString& line : child.lines()) {
        if (line.startsWith(QLatin1String("target ")))
            outcome.target = line.mid(7);
        else if (line == u"saved")
            outcome.saved = true;
        else if (line.startsWith(QLatin1String("message ")))
            outcome.messages += line.mid(8);
    }
    EXPECT_TRUE(child.finish()) << kind.toStdString();
    return outcome;
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Every file below `folder`, with its bytes.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!path.endsWith(QLatin1String("/filler")))
            files.insert(path, contents(path));
    }
    return files;
}

// The vCards the symbol writer encodes: the large one makes a symbol bitmap of several
// kilobytes.
void writeSymbolSources(const QString& folder)
{
    QByteArray large = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ada Lovelace\r\nNOTE:";
    large += QByteArray(900, 'x');
    large += "\r\nEND:VCARD\r\n";
    for (const auto& [name, data] :
         {std::pair{"small.vcf", QByteArray("BEGIN:VCARD\r\nFN:A\r\nEND:VCARD\r\n")}, std::pair{"large.vcf", large}}) {
        QFile f(QDir(folder).filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
}

// Writes the small version of every file, takes the room away, then lets every writer try
// the large version.
void expectEveryWriterFailsWholly(const QString& folder, const std::function<void()>& takeRoom,
                                  const std::function<void()>& limitChild)
{
    writeSymbolSources(folder);
    QMap<QString, QString> targets;
    for (const QString& kind : Writers) {
        const Outcome first = runWriter(kind, folder, false);
        ASSERT_TRUE(first.saved) << kind.toStdString() << ": " << first.messages.join('\n').toStdString();
        ASSERT_TRUE(first.messages.isEmpty()) << first.messages.join('\n').toStdString();
        targets.insert(kind, first.target);
    }
    if (takeRoom)
        takeRoom();
    const QMap<QString, QByteArray> before = snapshot(folder);
    for (const QString& kind : Writers) {
        const Outcome second = runWriter(kind, folder, true, limitChild);
        EXPECT_FALSE(second.saved) << kind.toStdString();
        EXPECT_EQ(second.target, targets.value(kind));
        EXPECT_EQ(contents(second.target), before.value(second.target)) << kind.toStdString();
        if (kind == u"impression") {
            // The save-failure message of the impression file.
            ASSERT_EQ(second.messages.size(), 1);
            EXPECT_TRUE(second.messages.first().startsWith(QStringLiteral("Unable to save  ") + second.target));
        } else if (kind == u"contact") {
            ASSERT_EQ(second.messages.size(), 1);
            EXPECT_TRUE(second.messages.first().contains(QStringLiteral("cannot be written")));
        } else {
            EXPECT_TRUE(second.messages.isEmpty()) << kind.toStdString();
        }
    }
    // Nothing changed and nothing was left behind: no temporary file, no cut copy.
    EXPECT_EQ(snapshot(folder), before);
}

} // namespace

TEST(FullDisk, EveryWriterUnderAFileSizeLimitFailsAndKeepsThePreviousFile)
{
    QTemporaryDir dir;
    expectEveryWriterFailsWholly(dir.path(), {}, [] { testing_support::FileSizeLimit::applyInChild(LimitBytes); });
}

TEST(FullDisk, EveryWriterOnAFullFileSystemFailsAndKeepsThePreviousFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a small file system needs root";
    testing_support::SmallTmpfs disk(1024);
    if (!disk)
        GTEST_SKIP() << "no tmpfs could be mounted: " << disk.error().toStdString();
    expectEveryWriterFailsWholly(disk.path(), [&] { ASSERT_TRUE(disk.fill()); }, {});
}
