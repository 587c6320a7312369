#include "common/IImpressionFileWindow.h"
#include "common/MainHelper.h"
#include "common/ProgramEdition.h"
#include "platform/ui/Form.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/VbError.h"
#include "reader/QuorvaneEdition.h"

#include "ChildProcess.h"
#include "QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

using namespace modMainHelper;

namespace {

// An impression window that shows one file.
class FileWindow : public QWidget, public ui::Form, public IImpressionFileWindow
{
public:
    explicit FileWindow(QString fileName, bool fails = false) : m_fileName(std::move(fileName)), m_fails(fails) {}
    QString getFileName() const override
    {
        if (m_fails)
            throw vb::Error(91, QStringLiteral("frmImpression"), QStringLiteral("Object variable not set"));
        return m_fileName;
    }
    bool writeDoc(CImpressionDoc&) const override { return true; }
    bool getIsOldVersion() const override { return false; }
    void openImpression(const QString&) override {}

private:
    QString m_fileName;
    bool m_fails;
};

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

class TitleScope
{
public:
    explicit TitleScope(const QString& title) : m_previous(ui::programTitle()) { ui::setProgramTitle(title); }
    ~TitleScope() { ui::setProgramTitle(m_previous); }

private:
    QString m_previous;
};

} // namespace

TEST(FindImpressionWindow, FindsTheWindowOfTheSameFileWhateverTheSpellingButNotAnotherCase)
{
    QTemporaryDir dir;
    const QString lower = dir.filePath(QStringLiteral("a.imf"));
    const QString upper = dir.filePath(QStringLiteral("A.imf"));
    touch(lower);
    touch(upper);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    ASSERT_TRUE(QFile::link(lower, dir.filePath(QStringLiteral("link.imf"))));

    auto* untitled = new FileWindow(QString());
    auto* first = new FileWindow(lower);
    auto* second = new FileWindow(dir.path() + QStringLiteral("/sub/../a.imf"));
    auto* gone = new FileWindow(dir.filePath(QStringLiteral("gone.imf")));
    for (ui::Form* f : QList<ui::Form*>{untitled, first, second, gone})
        ui::load(*f);

    EXPECT_EQ(findImpressionWindow(dir.path() + QStringLiteral("/sub/../a.imf")), first); // the first in load order
    EXPECT_EQ(findImpressionWindow(dir.filePath(QStringLiteral("link.imf"))), first);
    EXPECT_EQ(findImpressionWindow(upper), nullptr);
    EXPECT_EQ(findImpressionWindow(dir.filePath(QStringLiteral("GONE.imf"))), nullptr);
    EXPECT_EQ(findImpressionWindow(dir.path() + QStringLiteral("//gone.imf")), gone); // a file no longer there
    EXPECT_EQ(findImpressionWindow(QString()), nullptr);

    // A window that fails to tell its file ends the search with nothing.
    auto* failing = new FileWindow(upper, true);
    ui::load(*failing);
    EXPECT_EQ(findImpressionWindow(upper), nullptr);
    for (ui::Form* f : QList<ui::Form*>{untitled, first, second, gone, failing})
        ui::unload(*f);
}

TEST(ActivatePreviousInstance, AsksTheRunningInstanceByClassAndTitleAndKeepsTheTitle)
{
    TitleScope title(QStringLiteral("Brindlemark"));

    // No earlier instance: the start goes on, nothing is unloaded.
    QPointer<FileWindow> window = new FileWindow(QString());
    ui::load(*window);
    EXPECT_FALSE(activatePreviousInstance());
    EXPECT_EQ(ui::programTitle(), QStringLiteral("Brindlemark"));
    EXPECT_TRUE(ui::isLoaded(*window));

    // Another program's main window under the same class is not ours.
    {
        testing_support::ChildProcess other(
            QStringLiteral("ipc_test_peer"),
            {QStringLiteral("window"), mainWindowClassName(), QStringLiteral("Quorvane")});
        ASSERT_TRUE(other.waitFor(QStringLiteral("ready")));
        EXPECT_FALSE(activatePreviousInstance());
        EXPECT_TRUE(other.finish());
        EXPECT_FALSE(other.lines().contains(QStringLiteral("activated")));
    }

    testing_support::ChildProcess first(
        QStringLiteral("ipc_test_peer"),
        {QStringLiteral("window"), mainWindowClassName(), QStringLiteral("Brindlemark")});
    ASSERT_TRUE(first.waitFor(QStringLiteral("ready")));
    EXPECT_TRUE(activatePreviousInstance());
    EXPECT_TRUE(first.waitFor(QStringLiteral("activated")));
    EXPECT_EQ(ui::programTitle(), QStringLiteral("Brindlemark"));
    EXPECT_TRUE(ui::forms().isEmpty()); // this instance's forms are gone
    EXPECT_TRUE(first.finish());
}

TEST(SampleCardEdition, DropsShowTheNoticeToolbarButtonsLoseTheirTipsAndBadgesNameTheWords)
{
    const ProgramEdition edition = brindlemarkEdition();
    EXPECT_EQ(edition.drops, DropHandling::FullProgramNotice);
    EXPECT_EQ(edition.toolbarTips, ToolbarTips::Buttons);
    EXPECT_EQ(edition.symbolBadges.wordsIncluded, QStringLiteral("TSN-Corvel-Words-Included.bmp"));
    EXPECT_EQ(edition.symbolBadges.wordsExcluded, QStringLiteral("TSN-Corvel-Words-Excluded.bmp"));
    EXPECT_EQ(edition.about.labels, quorvaneEdition().about.labels);
    EXPECT_EQ(edition.about.linkLabel, quorvaneEdition().about.linkLabel);
}
