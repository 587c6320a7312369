#include "platform/files/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

TEST(AtomicFile, ReplacesWholeKeepsPermissionsAndLeavesNothingBehind)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("card.imf");
    ASSERT_TRUE(files::writeFile(path, "first"));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);

    ASSERT_TRUE(files::writeFile(path, "second, longer", files::Durability::WorkFile));
    EXPECT_EQ(contents(path), "second, longer");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(entries(dir.path()), QStringList{"card.imf"});

    // A save abandoned half way (an error, an early return) changes nothing.
    {
        files::AtomicFile file(path);
        ASSERT_TRUE(file.open());
        ASSERT_TRUE(file.write("half"));
    }
    EXPECT_EQ(contents(path), "second, longer");
    EXPECT_EQ(entries(dir.path()), QStringList{"card.imf"});
}

TEST(AtomicFile, RefusesReadOnlyTargetsFoldersAndMissingFolders)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("locked.vcf");
    ASSERT_TRUE(files::writeFile(path, "kept"));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    if (::geteuid() != 0) { // root may write read-only files
        const files::WriteResult locked = files::writeFile(path, "lost");
        EXPECT_FALSE(locked);
        EXPECT_FALSE(locked.error().isEmpty());
        EXPECT_EQ(contents(path), "kept");
    }

    EXPECT_FALSE(files::writeFile(dir.path(), "x"));
    EXPECT_FALSE(files::writeFile(dir.filePath("no/such/folder/f"), "x"));
    EXPECT_EQ(entries(dir.path()), QStringList{"locked.vcf"});
}

TEST(AtomicFile, FollowsOwnLinksToTheirTarget)
{
    QTemporaryDir dir;
    const QString real = dir.filePath("real.imf");
    const QString link = dir.filePath("link.imf");
    ASSERT_TRUE(files::writeFile(real, "old"));
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_TRUE(files::writeFile(link, "new"));
    EXPECT_EQ(contents(real), "new");
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), real);
}

} // namespace
