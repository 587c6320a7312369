#include "common/modRegistryHigh.h"
#include "common/modRegistryLow.h"
#include "platform/settings/Settings.h"
#include "platform/ui/MessageService.h"

#include "QtPrinters.h"
#include "TempConfig.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace modRegistryHigh;
using testing_support::TempConfig;

namespace {

// A fresh store, with the settings of `title`.
class Program : public ::testing::Test
{
protected:
    explicit Program(const QString& title = QStringLiteral("Quorvane")) : m_title(title) {}
    void SetUp() override { ui::setProgramTitle(m_title); }
    void TearDown() override { ui::setProgramTitle(QString()); }

    void store(const QString& section, const QString& key, const QString& value)
    {
        ASSERT_TRUE(settings::saveSetting(m_title, section, key, value));
    }
    QString stored(const QString& section, const QString& key)
    {
        return settings::getSetting(m_title, section, key, QStringLiteral("<missing>"));
    }
    void pref(const QString& key, const QString& value) { store(QStringLiteral("Preferences"), key, value); }

    TempConfig m_config;
    QString m_title;
};

class Brindlemark : public Program
{
protected:
    Brindlemark() : Program(QStringLiteral("Brindlemark")) {}
};

class Zephlorin : public Program
{
protected:
    Zephlorin() : Program(QStringLiteral("Zephlorin")) {}
};

} // namespace

TEST_F(Program, AFreshStoreGivesTheDefaults)
{
    EXPECT_TRUE(getToolTips());
    EXPECT_TRUE(getAutoUpdate());
    EXPECT_TRUE(getSimpleVCard());
    EXPECT_EQ(getScanner(), 2);
    EXPECT_EQ(getDefaultPIM(), 1);
    EXPECT_EQ(getPDFComPort(), 0);
    EXPECT_TRUE(getPromptWanted(0));
    EXPECT_TRUE(getPromptWanted(1));
}

TEST_F(Program, NumbersAreReadRoundedAndClamped)
{
    const QList<std::pair<QString, int>> scanner = {{QStringLiteral(" 2"), 2},
                                                    {QStringLiteral("7"), 2},
                                                    {QStringLiteral("-3"), 0},
                                                    {QStringLiteral("abc"), 0},
                                                    {QStringLiteral("1.5"), 2},
                                                    {QStringLiteral("0.5"), 0},
                                                    {QStringLiteral("1e300"), 2},
                                                    {QStringLiteral(" 1 "), 1},
                                                    // The longest leading decimal number, nothing else.
                                                    {QStringLiteral("1 2"), 1},
                                                    {QStringLiteral("&H1"), 0},
                                                    {QStringLiteral("1 e1"), 1},
                                                    {QStringLiteral("1e1"), 2},
                                                    {QStringLiteral("1E"), 1},
                                                    {QStringLiteral("1D1"), 1},
                                                    {QStringLiteral("+1.4"), 1},
                                                    {QStringLiteral(" .6x"), 1},
                                                    {QStringLiteral("- 1"), 0},
                                                    {QStringLiteral("1e400"), 2},
                                                    {QStringLiteral("\t1"), 1},
                                                    {QStringLiteral("1,9"), 1}};
    for (const auto& [text, value] : scanner) {
        pref(QStringLiteral("Scanner"), text);
        EXPECT_EQ(getScanner(), value) << text.toStdString();
    }
    pref(QStringLiteral("PDF COM port"), QStringLiteral(" 3"));
    EXPECT_EQ(getPDFComPort(), 3);
    pref(QStringLiteral("PDF COM port"), QStringLiteral("4"));
    EXPECT_EQ(getPDFComPort(), 3);
    pref(QStringLiteral("DefaultPIM"), QStringLiteral("0"));
    EXPECT_EQ(getDefaultPIM(), 0);
}

TEST_F(Program, SwitchesReadWithOrWithoutRounding)
{
    pref(QStringLiteral("ToolTips"), QStringLiteral("0.4"));
    EXPECT_TRUE(getToolTips()); // not rounded
    pref(QStringLiteral("Simple vCard"), QStringLiteral("0.4"));
    EXPECT_TRUE(getSimpleVCard());
    for (const auto& [text, value] : QList<std::pair<QString, bool>>{{QStringLiteral("0.4"), false},
                                                                     {QStringLiteral("0.5"), false},
                                                                     {QStringLiteral("0.6"), true},
                                                                     {QStringLiteral("1.5"), true},
                                                                     {QStringLiteral("x"), false}}) {
        pref(QStringLiteral("AutoUpdate"), text);
        EXPECT_EQ(getAutoUpdate(), value) << text.toStdString();
    }
    pref(QStringLiteral("ToolTips"), QStringLiteral("no"));
    EXPECT_FALSE(getToolTips());
    pref(QStringLiteral("ToolTips"), QStringLiteral("&H1")); // not a decimal number
    EXPECT_FALSE(getToolTips());
    pref(QStringLiteral("AutoUpdate"), QStringLiteral("0 .6")); // the number ends at the blank
    EXPECT_FALSE(getAutoUpdate());
}

TEST_F(Program, SettersWriteTheirTextForms)
{
    EXPECT_TRUE(setToolTips(false));
    EXPECT_TRUE(setAutoUpdate(true));
    EXPECT_TRUE(setScanner(0));
    EXPECT_TRUE(setDefaultPIM(-1));
    EXPECT_TRUE(setPDFComPort(3));
    EXPECT_TRUE(setPromptWanted(1, false));
    EXPECT_EQ(stored(QStringLiteral("Preferences"), QStringLiteral("ToolTips")), QStringLiteral("0"));
    EXPECT_EQ(stored(QStringLiteral("Preferences"), QStringLiteral("AutoUpdate")), QStringLiteral("1"));
    EXPECT_EQ(stored(QStringLiteral("Preferences"), QStringLiteral("Scanner")), QStringLiteral(" 0"));
    EXPECT_EQ(stored(QStringLiteral("Preferences"), QStringLiteral("DefaultPIM")), QStringLiteral("-1"));
    EXPECT_EQ(stored(QStringLiteral("Preferences"), QStringLiteral("PDF COM port")), QStringLiteral(" 3"));
    // The prompt kinds are keys without a blank.
    const auto prompts = settings::getAllSettings(m_title, QStringLiteral("Dont show me again"));
    EXPECT_EQ(prompts, (QList<std::pair<QString, QString>>{{QStringLiteral("1"), QStringLiteral("0")}}));
    EXPECT_FALSE(getPromptWanted(1));
    EXPECT_TRUE(getPromptWanted(0));
    EXPECT_FALSE(getToolTips());
    EXPECT_EQ(getScanner(), 0);
}

TEST_F(Program, EachProgramKeepsItsOwnSettings)
{
    setScanner(1);
    ui::setProgramTitle(QStringLiteral("Zephlorin"));
    EXPECT_EQ(getScanner(), 2);
    setScanner(0);
    ui::setProgramTitle(QStringLiteral("Quorvane"));
    EXPECT_EQ(getScanner(), 1);
}

TEST_F(Program, RegisterFileTypesWritesTheAssociation)
{
    ASSERT_TRUE(registerFileTypes());
    using modRegistryLow::Root;
    const QString exe = QCoreApplication::applicationFilePath();
    auto value = [](const QString& key) {
        return modRegistryLow::getStringValue(Root::ClassesRoot, key, QString(), QStringLiteral("<none>"));
    };
    EXPECT_EQ(value(QStringLiteral(".imf")), QStringLiteral("Quorvane File"));
    EXPECT_EQ(value(QStringLiteral("Quorvane File")), QStringLiteral("Quorvane"));
    EXPECT_EQ(value(QStringLiteral("Quorvane File\\shell\\open\\command")), exe + QStringLiteral(" %1"));
    EXPECT_EQ(value(QStringLiteral("Quorvane File\\DefaultIcon")), exe);
}

TEST_F(Program, RegisterFileTypesReportsAFailedWrite)
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    registry::setUserHiveFolder(dir.filePath(QStringLiteral("file/registry")));
    EXPECT_FALSE(registerFileTypes());
    registry::setUserHiveFolder(QString());
    EXPECT_EQ(modRegistryLow::getStringValue(modRegistryLow::Root::ClassesRoot, QStringLiteral(".imf"), QString(),
                                             QStringLiteral("<none>")),
              QStringLiteral("<none>"));
}

TEST_F(Brindlemark, PrintOffsetsArePerPrinterAndLayoutType)
{
    const QString printer = QStringLiteral("HP/Office\\2");
    ASSERT_TRUE(setPrintOffsets(120, -45, printer, 1));
    const QList<std::pair<QString, QString>> expected = {{QStringLiteral("OffsetX  1"), QStringLiteral("120")},
                                                         {QStringLiteral("OffsetY  1"), QStringLiteral("-45")}};
    EXPECT_EQ(settings::getAllSettings(m_title, printer), expected);

    qint32 x = 0, y = 0;
    getPrintOffsets(x, y, printer, 1, 7, 8);
    EXPECT_EQ(x, 120);
    EXPECT_EQ(y, -45);
    getPrintOffsets(x, y, printer, 0, 7, 8); // another layout type: the caller's defaults
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 8);
    getPrintOffsets(x, y, QStringLiteral("hp/office\\2"), 1, 0, 0); // device names match without case
    EXPECT_EQ(x, 120);

    store(printer, QStringLiteral("OffsetX  2"), QStringLiteral("junk"));
    getPrintOffsets(x, y, printer, 2, 5, 6);
    EXPECT_EQ(x, 5);
}

TEST_F(Brindlemark, LayoutDefaultAndEncodeCorvelWords)
{
    EXPECT_EQ(getLayoutDefault(), 1);
    EXPECT_TRUE(getEncodeCorvelWords());
    pref(QStringLiteral("LayoutDefault"), QStringLiteral("5"));
    EXPECT_EQ(getLayoutDefault(), 2);
    setLayoutDefault(0);
    EXPECT_EQ(stored(QStringLiteral("Preferences"), QStringLiteral("LayoutDefault")), QStringLiteral(" 0"));
    setEncodeCorvelWords(false);
    EXPECT_FALSE(getEncodeCorvelWords());
}

TEST_F(Zephlorin, WindowSettings)
{
    EXPECT_EQ(getWindowTop(), 3000);
    EXPECT_EQ(getWindowLeft(), 3000);
    EXPECT_EQ(getWindowCloseState(), 0);
    EXPECT_EQ(getStartWindowState(), 0);
    EXPECT_TRUE(getShowInSystray());

    setWindowLeft(-1200);
    EXPECT_EQ(stored(QStringLiteral("App Info"), QStringLiteral("Window Left")), QStringLiteral("-1200"));
    EXPECT_EQ(getWindowLeft(), -1200); // not clamped
    store(QStringLiteral("App Info"), QStringLiteral("Window Top"), QStringLiteral("1e20"));
    EXPECT_EQ(getWindowTop(), 3000); // beyond 32 bits: the default
    store(QStringLiteral("App Info"), QStringLiteral("Window Close State"), QStringLiteral("9"));
    EXPECT_EQ(getWindowCloseState(), 2);
    setStartWindowState(1);
    EXPECT_EQ(getStartWindowState(), 1);
    pref(QStringLiteral("Show In Systray"), QStringLiteral("0.5"));
    EXPECT_FALSE(getShowInSystray());
}
