#include "common/MainHelperText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace modMainHelper;

namespace {

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

} // namespace

TEST(FileNameParts, SplitAtTheLastSeparatorOrDot)
{
    QString path = QStringLiteral("C:\\a\\b.imf");
    getFileNamePart(path);
    EXPECT_EQ(path, "b.imf");
    path = QStringLiteral("/home/u/x.y/card.vcf");
    getFileNamePart(path);
    EXPECT_EQ(path, "card.vcf");
    path = QStringLiteral("b.imf");
    getFileNamePart(path);
    EXPECT_EQ(path, "b.imf");

    EXPECT_EQ(getFileExtension(QStringLiteral("C:\\x.y\\file")), "y\\file");
    EXPECT_EQ(getFileExtension(QStringLiteral("CARD.IMF")), "imf");
    EXPECT_EQ(getFileExtension(QStringLiteral("noext")), "");
    EXPECT_EQ(stripFileExtension(QStringLiteral("C:\\a\\b.imf")), "C:\\a\\b");
    EXPECT_EQ(stripFileExtension(QStringLiteral("a.b.c")), "a.b");
    EXPECT_EQ(stripFileExtension(QStringLiteral("noext")), "noext");
}

TEST(ReplaceAll, ReplacesLeftToRightWithoutRescanning)
{
    EXPECT_EQ(replaceAll(QStringLiteral("aaa"), QStringLiteral("a"), QStringLiteral("aa")), "aaaaaa");
    EXPECT_EQ(replaceAll(QStringLiteral("aaaa"), QStringLiteral("aa"), QStringLiteral("b")), "bb");
    EXPECT_EQ(replaceAll(QStringLiteral("abcabc"), QStringLiteral("bc"), QString()), "aa");
    EXPECT_EQ(replaceAll(QStringLiteral("ABC"), QStringLiteral("b"), QStringLiteral("x")), "ABC"); // case counts
    EXPECT_EQ(replaceAll(QStringLiteral("abc"), QString(), QStringLiteral("x")), "abc");
    EXPECT_EQ(replaceAll(QString(), QStringLiteral("a"), QStringLiteral("x")), "");
}

TEST(Newlines, PairsBecomeBackslashNAndComeBackAsCrLf)
{
    const QString text = QStringLiteral("a\r\nb\n\rc");
    EXPECT_EQ(encodeNewlines(text), "a\\nb\\nc");
    EXPECT_EQ(decodeNewlines(encodeNewlines(text)), "a\r\nb\r\nc");
    // CR LF pairs are taken first: LF CR LF is an LF then a CR LF pair.
    EXPECT_EQ(encodeNewlines(QStringLiteral("x\n\r\ny")), "x\n\\ny");
    EXPECT_EQ(encodeNewlines(QStringLiteral("lone\rcr lone\nlf")), "lone\rcr lone\nlf");
    EXPECT_EQ(decodeNewlines(QStringLiteral("C:\\new")), "C:\r\new");
}

TEST(InvalidFileNameChars, AreRemoved)
{
    EXPECT_EQ(removeInvalidFileNameChars(QStringLiteral("a/b:c?")), "abc");
    EXPECT_EQ(removeInvalidFileNameChars(QStringLiteral("\\*<>|\"ok")), "ok");
    EXPECT_EQ(removeInvalidFileNameChars(QString()), "");
}

TEST(StripSuffix, CutsAnEndingOfAnyCaseOnlyFromALongerText)
{
    const auto stripped = [](QString text, const QString& suffix) {
        stripSuffix(text, suffix);
        return text;
    };
    EXPECT_EQ(stripped(QStringLiteral("card.IMF"), QStringLiteral(".imf")), "card");
    EXPECT_EQ(stripped(QStringLiteral("/home/u/a.imf.imf"), QStringLiteral(".imf")), "/home/u/a.imf");
    EXPECT_EQ(stripped(QStringLiteral(".imf"), QStringLiteral(".imf")), ".imf");
    EXPECT_EQ(stripped(QStringLiteral("card.vcf"), QStringLiteral(".imf")), "card.vcf");
    EXPECT_EQ(stripped(QStringLiteral("card"), QString()), "card");
}

TEST(FileExists, CountsNormalFilesOnly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    touch(dir.filePath(QStringLiteral("card.imf")));
    touch(dir.filePath(QStringLiteral(".hidden.imf")));
    QDir(dir.path()).mkdir(QStringLiteral("folder.imf"));

    EXPECT_FALSE(fileExists(QString()));
    EXPECT_TRUE(fileExists(dir.filePath(QStringLiteral("card.imf"))));
    EXPECT_FALSE(fileExists(dir.filePath(QStringLiteral("missing.imf"))));
    EXPECT_FALSE(fileExists(dir.filePath(QStringLiteral(".hidden.imf"))));
    EXPECT_FALSE(fileExists(dir.filePath(QStringLiteral("folder.imf"))));
    EXPECT_TRUE(fileExists(dir.filePath(QStringLiteral("*.imf"))));
    EXPECT_TRUE(fileExists(dir.filePath(QStringLiteral("c?rd.*"))));
    EXPECT_FALSE(fileExists(dir.filePath(QStringLiteral("*.bmp"))));
    EXPECT_FALSE(fileExists(dir.filePath(QStringLiteral(".hid*"))));
}

TEST(HelpFile, LiesInTheProgramFolder)
{
    EXPECT_EQ(getHelpFilePath(), QCoreApplication::applicationDirPath() + "/Tessaline.hlp");
}
