#include "platform/settings/Settings.h"
#include "platform/settings/SettingsDocument.h"

#include "FileSizeLimit.h"
#include "QtPrinters.h"
#include "TempConfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>

#include <gtest/gtest.h>

using namespace settings;
using testing_support::TempConfig;

namespace {

const QString App = QStringLiteral("Brindlemark");

// Collects the warnings written while it lives.
class CapturedWarnings
{
public:
    CapturedWarnings() : m_previous(qInstallMessageHandler(&CapturedWarnings::handle)) { s_text.clear(); }
    ~CapturedWarnings() { qInstallMessageHandler(m_previous); }
    QString text() const { return s_text; }

private:
    static void handle(QtMsgType, const QMessageLogContext&, const QString& msg) { s_text += msg + u'\n'; }
    static inline QString s_text;
    QtMessageHandler m_previous;
};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    ASSERT_TRUE(f.commit());
}

QProcess* startWriter(const QStringList& args)
{
    auto* p = new QProcess;
    p->start(QCoreApplication::applicationDirPath() + QStringLiteral("/settings_writer"), args);
    return p;
}

void finish(QProcess* p)
{
    EXPECT_TRUE(p->waitForFinished(60000));
    EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    delete p;
}

} // namespace

TEST(SettingsStore, MissingValuesGiveTheDefault)
{
    TempConfig config;
    EXPECT_EQ(getSetting(App, QStringLiteral("Preferences"), QStringLiteral("ToolTips"), QStringLiteral("1")),
              QStringLiteral("1"));
    EXPECT_TRUE(getSetting(App, QStringLiteral("Preferences"), QStringLiteral("ToolTips")).isEmpty());
    EXPECT_TRUE(getAllSettings(App, QStringLiteral("MRUImpression")).isEmpty());
    EXPECT_FALSE(QFile::exists(settingsFilePath(App))); // reading never makes a file
}

TEST(SettingsStore, UnusualNamesAndValuesRoundTripExactly)
{
    TempConfig config;
    const QString printer = QStringLiteral("HP/Office\\2");
    const QList<std::pair<QString, QString>> cases = {
        {QStringLiteral("OffsetX  1"), QStringLiteral("120")},
        {QStringLiteral("Scanner"), QStringLiteral(" 2")},
        {QStringLiteral("trailing "), QStringLiteral("value ")},
        {QStringLiteral("a=b"), QStringLiteral("c=d")},
        {QStringLiteral("[x]"), QStringLiteral("[y]")},
        {QStringLiteral("#not a comment"), QStringLiteral(";neither")},
        {QStringLiteral("back\\slash"), QStringLiteral("C:\\dir\\n.imf")},
        {QStringLiteral("lines"), QStringLiteral("one\r\ntwo\nthree\rfour\tfive")},
        {QStringLiteral("nul"), QString(QChar(0)) + QStringLiteral("x") + QChar(0x7F)},
        {QStringLiteral("Grüße ✓"), QStringLiteral("Ünïcødé 😀")},
        {QStringLiteral("lone"), QString(QChar(0xD800)) + QStringLiteral("x")},
        {QString(), QStringLiteral("empty key")},
        {QStringLiteral("empty value"), QString()},
    };
    for (const auto& [key, value] : cases)
        ASSERT_TRUE(saveSetting(App, printer, key, value));

    // Read back through a fresh parse of the file, as another process would.
    const auto parsed = SettingsDocument::parse(readAll(settingsFilePath(App)));
    ASSERT_TRUE(parsed.ok) << parsed.reason.toStdString();
    for (const auto& [key, value] : cases) {
        EXPECT_EQ(parsed.document.value(printer, key), value) << key.toStdString();
        EXPECT_EQ(getSetting(App, printer, key, QStringLiteral("default")), value);
    }
    EXPECT_EQ(getAllSettings(App, printer), cases);
}

TEST(SettingsStore, NamesMatchWithoutCaseAndKeepTheirFirstFormAndOrder)
{
    TempConfig config;
    saveSetting(App, QStringLiteral("Preferences"), QStringLiteral("ToolTips"), QStringLiteral("1"));
    saveSetting(App, QStringLiteral("Preferences"), QStringLiteral("Scanner"), QStringLiteral(" 1"));
    saveSetting(App, QStringLiteral("PREFERENCES"), QStringLiteral("tooltips"), QStringLiteral("0"));
    saveSetting(App, QStringLiteral("preferences"), QStringLiteral("AutoUpdate"), QStringLiteral("1"));

    EXPECT_EQ(getSetting(App, QStringLiteral("pReFeReNcEs"), QStringLiteral("TOOLTIPS")), QStringLiteral("0"));
    const QList<std::pair<QString, QString>> expected = {{QStringLiteral("ToolTips"), QStringLiteral("0")},
                                                         {QStringLiteral("Scanner"), QStringLiteral(" 1")},
                                                         {QStringLiteral("AutoUpdate"), QStringLiteral("1")}};
    EXPECT_EQ(getAllSettings(App, QStringLiteral("Preferences")), expected);
    // Application names match without case too: one file per program.
    EXPECT_EQ(getSetting(QStringLiteral("BRINDLEMARK"), QStringLiteral("Preferences"), QStringLiteral("Scanner")),
              QStringLiteral(" 1"));
    // Programs do not share settings.
    EXPECT_TRUE(
        getSetting(QStringLiteral("Quorvane"), QStringLiteral("Preferences"), QStringLiteral("Scanner")).isEmpty());
}

TEST(SettingsStore, DeletingRemovesKeysAndSections)
{
    TempConfig config;
    saveSetting(App, QStringLiteral("S"), QStringLiteral("a"), QStringLiteral("1"));
    saveSetting(App, QStringLiteral("S"), QStringLiteral("b"), QStringLiteral("2"));
    EXPECT_TRUE(deleteSetting(App, QStringLiteral("s"), QStringLiteral("A")));
    EXPECT_FALSE(deleteSetting(App, QStringLiteral("S"), QStringLiteral("a")));
    EXPECT_EQ(getAllSettings(App, QStringLiteral("S")),
              (QList<std::pair<QString, QString>>{{QStringLiteral("b"), QStringLiteral("2")}}));
    EXPECT_TRUE(deleteSetting(App, QStringLiteral("S")));
    EXPECT_TRUE(getAllSettings(App, QStringLiteral("S")).isEmpty());
    EXPECT_FALSE(deleteSetting(App, QStringLiteral("S")));
}

TEST(SettingsStore, ValuesWrittenByAnotherProcessAreRead)
{
    TempConfig config;
    saveSetting(App, QStringLiteral("Preferences"), QStringLiteral("Scanner"), QStringLiteral(" 2"));
    EXPECT_EQ(getSetting(App, QStringLiteral("Preferences"), QStringLiteral("Scanner")), QStringLiteral(" 2"));

    finish(startWriter({App, QStringLiteral("preferences"), QStringLiteral("SCANNER"), QStringLiteral(" 0")}));
    EXPECT_EQ(getSetting(App, QStringLiteral("Preferences"), QStringLiteral("Scanner")), QStringLiteral(" 0"));

    // Our next write keeps what the other process wrote.
    finish(startWriter({App, QStringLiteral("HP/Office\\2"), QStringLiteral("OffsetX  1"), QStringLiteral("-45")}));
    saveSetting(App, QStringLiteral("Preferences"), QStringLiteral("ToolTips"), QStringLiteral("0"));
    EXPECT_EQ(getSetting(App, QStringLiteral("HP/Office\\2"), QStringLiteral("OffsetX  1")), QStringLiteral("-45"));
}

TEST(SettingsStore, ProcessesWritingAtOnceLoseNothing)
{
    TempConfig config;
    constexpr int Count = 25;
    QProcess* first = startWriter(
        {App, QStringLiteral("Shared"), QStringLiteral("first"), QStringLiteral("--count"), QString::number(Count)});
    QProcess* second = startWriter(
        {App, QStringLiteral("Shared"), QStringLiteral("second"), QStringLiteral("--count"), QString::number(Count)});
    for (int i = 0; i < Count; ++i)
        ASSERT_TRUE(
            saveSetting(App, QStringLiteral("Shared"), QStringLiteral("own") + QString::number(i), QString::number(i)));
    finish(first);
    finish(second);
    EXPECT_EQ(getAllSettings(App, QStringLiteral("Shared")).size(), 3 * Count);
    for (const char* prefix : {"first", "second", "own"})
        for (int i = 0; i < Count; ++i)
            EXPECT_EQ(getSetting(App, QStringLiteral("Shared"), QString::fromLatin1(prefix) + QString::number(i)),
                      QString::number(i));
}

TEST(SettingsStore, EveryDamagedFileReadsAsDefaultsWithAWarningAndIsKept)
{
    TempConfig config;
    const QString path = settingsFilePath(App);
    const QByteArray damaged = "[Preferences]\nScanner= 1\nthis line has no equals sign\n";
    writeFile(path, damaged);

    CapturedWarnings warnings;
    EXPECT_EQ(getSetting(App, QStringLiteral("Preferences"), QStringLiteral("Scanner"), QStringLiteral("d")),
              QStringLiteral("d"));
    EXPECT_TRUE(warnings.text().contains(path)) << warnings.text().toStdString();
    EXPECT_TRUE(warnings.text().contains(QStringLiteral("line 3"))) << warnings.text().toStdString();
    EXPECT_EQ(readAll(path), damaged); // reading changed nothing

    // The first write keeps the damaged file beside the new one.
    ASSERT_TRUE(saveSetting(App, QStringLiteral("Preferences"), QStringLiteral("ToolTips"), QStringLiteral("0")));
    EXPECT_EQ(readAll(path + QStringLiteral(".damaged-1")), damaged);
    EXPECT_EQ(getSetting(App, QStringLiteral("Preferences"), QStringLiteral("ToolTips")), QStringLiteral("0"));
    EXPECT_TRUE(getSetting(App, QStringLiteral("Preferences"), QStringLiteral("Scanner")).isEmpty());

    // Damaged a second time: its copy goes beside the first one, which stays.
    const QByteArray again = "[Preferences\nToolTips=1\n";
    writeFile(path, again);
    ASSERT_TRUE(saveSetting(App, QStringLiteral("Preferences"), QStringLiteral("Scanner"), QStringLiteral(" 2")));
    EXPECT_EQ(readAll(path + QStringLiteral(".damaged-1")), damaged);
    EXPECT_EQ(readAll(path + QStringLiteral(".damaged-2")), again);
    EXPECT_TRUE(warnings.text().contains(path + QStringLiteral(".damaged-2"))) << warnings.text().toStdString();
    EXPECT_EQ(getSetting(App, QStringLiteral("Preferences"), QStringLiteral("Scanner")), QStringLiteral(" 2"));
    QStringList files = QDir(configFolder()).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    EXPECT_EQ(files, (QStringList{"brindlemark.conf", "brindlemark.conf.damaged-1", "brindlemark.conf.damaged-2"}));
}

TEST(SettingsStore, AWriteThatFailsSaysWhyAndKeepsTheFile)
{
    TempConfig config;
    const QString path = settingsFilePath(App);
    ASSERT_TRUE(saveSetting(App, QStringLiteral("Preferences"), QStringLiteral("Scanner"), QStringLiteral(" 1")));
    const QByteArray saved = readAll(path);
    CapturedWarnings warnings;
    {
        // A disk that takes no more of this file.
        testing_support::FileSizeLimit limit(1024);
        EXPECT_FALSE(saveSetting(App, QStringLiteral("Preferences"), QStringLiteral("Note"), QString(4096, u'x')));
    }
    EXPECT_EQ(readAll(path), saved);
    EXPECT_TRUE(warnings.text().contains(QString::fromLocal8Bit(strerror(EFBIG)))) << warnings.text().toStdString();
    EXPECT_FALSE(warnings.text().contains(QStringLiteral("locked"))) << warnings.text().toStdString();
    EXPECT_EQ(getSetting(App, QStringLiteral("Preferences"), QStringLiteral("Note"), QStringLiteral("d")),
              QStringLiteral("d"));
}

TEST(SettingsStore, BadTextFormsAreDamage)
{
    for (const QByteArray& bytes : {QByteArray("key=value before any section\n"), QByteArray("[open section\n"),
                                    QByteArray("[S]\nk=bad escape \\q\n"), QByteArray("[S]\nk=cut \\x4\n"),
                                    QByteArray("[S]\nk=\xff\xfe not UTF-8\n")}) {
        const auto parsed = SettingsDocument::parse(bytes);
        EXPECT_FALSE(parsed.ok) << bytes.toStdString();
        EXPECT_TRUE(parsed.document.sections().isEmpty());
    }
    // Comments, blank lines and CR LF line ends are fine.
    const auto parsed = SettingsDocument::parse("# c\r\n\r\n; c\r\n[S]\r\nk= v\r\n");
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.document.value(QStringLiteral("s"), QStringLiteral("K")), QStringLiteral(" v"));
}

TEST(SettingsStore, AFileThatCannotBeReadIsNeverReplaced)
{
    TempConfig config;
    const QString path = settingsFilePath(App);
    ASSERT_TRUE(QDir().mkpath(path)); // a folder where the file should be: unreadable as a file
    CapturedWarnings warnings;
    EXPECT_EQ(getSetting(App, QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_FALSE(saveSetting(App, QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v")));
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_TRUE(warnings.text().contains(QStringLiteral("not saved"))) << warnings.text().toStdString();
}

TEST(SettingsStore, WritesLeaveNoTemporaryFilesBehind)
{
    TempConfig config;
    for (int i = 0; i < 5; ++i)
        saveSetting(App, QStringLiteral("S"), QStringLiteral("k"), QString::number(i));
    const QStringList files = QDir(configFolder()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(files, QStringList{QFileInfo(settingsFilePath(App)).fileName()});
}
