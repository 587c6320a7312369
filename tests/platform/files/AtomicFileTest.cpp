#include "platform/files/AtomicFile.h"
#include "platform/files/FileLock.h"

#include "FileSizeLimit.h"
#include "SecondUser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList entries(const QString& dir)
{
    QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.sort();
    return names;
}

// Makes a file look as if it was last written `seconds` ago.
void age(const QString& path, int seconds)
{
    const timespec times[2] = {{time(nullptr) - seconds, 0}, {time(nullptr) - seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW), 0);
}

TEST(AtomicFile, ReplacesWholeKeepsPermissionsAndLeavesNothingBehind)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("card.imf");
    ASSERT_TRUE(files::writeFile(path, "first"));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);

    ASSERT_TRUE(files::writeFile(path, "second, longer", files::Durability::WorkFile));
    EXPECT_EQ(contents(path), "second, longer");
    struct stat st
    {
    };
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

TEST(AtomicFile, RefusesReadOnlyTargetsFoldersDevicesAndMissingFolders)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("locked.vcf");
    ASSERT_TRUE(files::writeFile(path, "kept"));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    // Marked read-only: refused for root too.
    const files::WriteResult locked = files::writeFile(path, "lost");
    EXPECT_FALSE(locked);
    EXPECT_TRUE(locked.isReadOnly());
    EXPECT_EQ(locked.error(), "it is read-only");
    EXPECT_EQ(contents(path), "kept");

    const files::WriteResult folder = files::writeFile(dir.path(), "x");
    EXPECT_FALSE(folder);
    EXPECT_FALSE(folder.isReadOnly());
    EXPECT_FALSE(files::writeFile(dir.filePath("no/such/folder/f"), "x"));

    // A pipe (or a device such as /dev/null) would be replaced by a plain file.
    const QString fifo = dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(files::writeFile(fifo, "x"));
    struct stat st
    {
    };
    ASSERT_EQ(::lstat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(entries(dir.path()), (QStringList{"locked.vcf", "pipe"}));
}

TEST(AtomicFile, WritesPastAFileSizeLimitFailAndKeepThePreviousFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("symbol.bmp");
    const QByteArray previous(3000, 'p');
    ASSERT_TRUE(files::writeFile(path, previous));
    const QByteArray large(8000, 'n');
    {
        testing_support::FileSizeLimit limit(4096);

        const files::WriteResult whole = files::writeFile(path, large);
        EXPECT_FALSE(whole);
        EXPECT_EQ(whole.error(), QString::fromLocal8Bit(strerror(EFBIG)));

        // Writers that stream into device() and do not look at what each write returned: the
        // first failed write fails the commit.
        files::AtomicFile image(path);
        ASSERT_TRUE(image.open());
        QImage picture(400, 400, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        picture.save(image.device(), "BMP");
        EXPECT_FALSE(image.commit());

        files::AtomicFile pdf(path);
        ASSERT_TRUE(pdf.open());
        {
            QPdfWriter writer(pdf.device());
            writer.setTitle(QString(5000, u'x'));
            QPainter painter(&writer);
            painter.drawText(100, 100, QString(5000, u'y'));
        }
        EXPECT_FALSE(pdf.commit());
    }
    EXPECT_EQ(contents(path), previous);
    EXPECT_EQ(entries(dir.path()), QStringList{"symbol.bmp"});
}

TEST(AtomicFile, FollowsOwnLinksButNotThoseOfAnotherUser)
{
    QTemporaryDir dir;
    const QString real = dir.filePath("real.imf");
    const QString link = dir.filePath("link.imf");
    ASSERT_TRUE(files::writeFile(real, "old"));
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_TRUE(files::writeFile(link, "new"));
    EXPECT_EQ(contents(real), "new");
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), real);

    // The same link as if another user had planted it: the save is refused, the file the
    // link points at stays as it was, and so does the link.
    const QString planted = dir.filePath("planted.vcf");
    ASSERT_TRUE(QFile::link(real, planted));
    const auto previous = files::setLinkOwnerOverride([&](const QString& path) -> std::optional<uid_t> {
        if (path == planted)
            return ::geteuid() + 4242;
        return std::nullopt;
    });
    const files::WriteResult refused = files::writeFile(planted, "stolen");
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.error(), "the link " + planted + " belongs to another user and is not followed");
    EXPECT_EQ(contents(real), "new");
    EXPECT_EQ(QFileInfo(planted).symLinkTarget(), real);

    // One link on the way that another user owns is enough to refuse.
    const QString chained = dir.filePath("chained.vcf");
    ASSERT_TRUE(QFile::link(planted, chained));
    EXPECT_FALSE(files::writeFile(chained, "stolen"));
    EXPECT_EQ(contents(real), "new");

    // Root's links are followed, as the system's own protection does.
    files::setLinkOwnerOverride([&](const QString& path) -> std::optional<uid_t> {
        if (path == planted)
            return 0;
        return std::nullopt;
    });
    EXPECT_TRUE(files::writeFile(chained, "root's"));
    EXPECT_EQ(contents(real), "root's");
    files::setLinkOwnerOverride(previous);
}

TEST(AtomicFile, SharedStickyFolderWithAnotherUsersLink)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to create a second user";
    testing_support::SecondUser other;
    if (!other)
        GTEST_SKIP() << "no second user could be created: " << other.error().toStdString();

    // A folder like /tmp: writable by everyone, sticky. The other user plants a link to a
    // file of ours where our save goes.
    QTemporaryDir dir;
    const QString shared = dir.filePath("shared");
    ASSERT_TRUE(QDir().mkdir(shared));
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 01777), 0);
    const QString ours = dir.filePath("home-card.imf");
    ASSERT_TRUE(files::writeFile(ours, "our own card"));
    const QString link = shared + QStringLiteral("/export.vcf");
    ASSERT_TRUE(QFile::link(ours, link));
    ASSERT_EQ(::lchown(QFile::encodeName(link).constData(), other.uid(), other.gid()), 0);

    EXPECT_FALSE(files::writeFile(link, "BEGIN:VCARD\r\nEND:VCARD\r\n"));
    EXPECT_EQ(contents(ours), "our own card");
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), ours);
    EXPECT_EQ(entries(shared), QStringList{"export.vcf"});
}

TEST(AtomicFile, TemporariesOfKilledSavesAreRemovedByTheNextSave)
{
    QTemporaryDir dir;
    const auto make = [&](const char* name, int ageSeconds) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("partial");
        file.close();
        age(path, ageSeconds);
        return path;
    };
    make(".contact-1.vcf.~HQBijt", 120);                          // ours, killed two minutes ago
    make(".other.imf.~ab12CD", 3600);                             // ours, of another file in the folder
    make(".contact-2.vcf.~Fresh1", 10);                           // ours, a save that may still run
    make("notes.~abcdef", 3600);                                  // not our naming: no leading dot
    make(".contact-3.vcf.~toolong", 3600);                        // not our naming: seven letters
    const QString running = make(".contact-4.vcf.~Alive1", 3600); // ours, its save still holds it
    const int fd = ::open(QFile::encodeName(running).constData(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    // A link named like ours is not followed or removed.
    const QString victim = make("victim", 3600);
    ASSERT_TRUE(QFile::link(victim, dir.filePath(".link.vcf.~Linked")));

    ASSERT_TRUE(files::writeFile(dir.filePath("contact-5.vcf"), "saved"));
    ::close(fd);
    EXPECT_EQ(entries(dir.path()),
              (QStringList{".contact-2.vcf.~Fresh1", ".contact-3.vcf.~toolong", ".contact-4.vcf.~Alive1",
                           ".link.vcf.~Linked", "contact-5.vcf", "notes.~abcdef", "victim"}));
}

TEST(FileLock, OneHolderAtATimeAndTheCauseOfAFailure)
{
    QTemporaryDir dir;
    files::FileLock first(dir.path());
    ASSERT_TRUE(first.tryLock(0));
    files::FileLock second(dir.path());
    EXPECT_FALSE(second.tryLock(50));
    EXPECT_TRUE(second.heldElsewhere());
    first.unlock();
    EXPECT_TRUE(second.tryLock(0));
    EXPECT_TRUE(entries(dir.path()).isEmpty()) << "taking a lock leaves nothing behind";

    files::FileLock missing(dir.filePath("no/folder"));
    EXPECT_FALSE(missing.tryLock(0));
    EXPECT_FALSE(missing.heldElsewhere());
    EXPECT_EQ(missing.error(), QString::fromLocal8Bit(strerror(ENOENT)));
}

} // namespace
