// The main window: its menus, where files and cards go, the scanner port, help and Go To.
#include "FrameFixture.h"

#include "capture/frmHelper.h"
#include "capture/modSymbolRoutines.h"
#include "common/modRegistryHigh.h"
#include "common/modRegistryLow.h"
#include "platform/serial/CommPort.h"
#include "platform/shell/Desktop.h"
#include "platform/shell/HelpEngine.h"
#include "platform/ui/MdiChild.h"

#include "PseudoTerminal.h"
#include "QtPrinters.h"
#include "TestPaths.h"
#include "WidgetDriver.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>

namespace {

using Log = QStringList;

QStringList visibleItems(QMenu* menu)
{
    QStringList items;
    for (QAction* a : menu->actions())
        if (a->isVisible())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return items;
}

class FrameTest : public FrameFixture
{
protected:
    TestImpressionWindow* only()
    {
        const auto windows = TestImpressionWindow::loaded();
        EXPECT_EQ(windows.size(), 1);
        return windows.value(0);
    }
};

TEST_F(FrameTest, MenusAsTheFrameShowsThemWithNoWindow)
{
    EXPECT_EQ(m_frame->windowTitle(), QStringLiteral("Quorvane"));
    QStringList bar;
    for (QAction* a : m_frame->menuBar()->actions())
        bar << a->text();
    EXPECT_EQ(bar, (QStringList{QStringLiteral("&File"), QStringLiteral("&Window"), QStringLiteral("&Help")}));
    EXPECT_EQ(
        visibleItems(m_frame->mnuFile),
        (QStringList{QStringLiteral("&Impression"), QStringLiteral("&Layout"), QStringLiteral("-"),
                     QStringLiteral("&Scan Card"), QStringLiteral("-"), QStringLiteral("I&mport"), QStringLiteral("-"),
                     QStringLiteral("P&references"), QStringLiteral("-"), QStringLiteral("E&xit")}))
        << "Scanner Port hidden with the TWAIN scanner";
    EXPECT_TRUE(m_frame->mnuFileScanCard->isEnabled());
    EXPECT_EQ(m_frame->mnuFileScanCard->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
    EXPECT_EQ(visibleItems(m_frame->mnuFileImpression),
              (QStringList{QStringLiteral("&New"), QStringLiteral("&Open...")}));
    EXPECT_EQ(m_frame->mnuFileNewImpression->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(m_frame->mnuFileOpenImpression->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_FALSE(m_frame->mnuFileLayout->menuAction()->isEnabled());
    EXPECT_EQ(visibleItems(m_frame->mnuFileImport),
              (QStringList{QStringLiteral("&vCard..."), QStringLiteral("From &CardScan"),
                           QStringLiteral("From &Outlook"), QStringLiteral("&Bitmap...")}));
    for (int n = 0; n < 3; ++n)
        EXPECT_FALSE(m_frame->mnuFileImportContactMenu[n]->isEnabled());
    EXPECT_TRUE(m_frame->mnuFileImportContactMenu[3]->isEnabled());
    EXPECT_EQ(m_frame->mnuHelpAbout->text(), QStringLiteral("About Quorvane..."));
    EXPECT_EQ(m_frame->mnuHelpContents->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(visibleItems(m_frame->mnuHelp),
              (QStringList{QStringLiteral("&Contents and Index..."), QStringLiteral("&Getting Started"),
                           QStringLiteral("&Preferences"), QStringLiteral("-"), QStringLiteral("About Quorvane...")}));
}

TEST_F(FrameTest, EveryHelpContextOfTheMenusHasATopicAndF1OpensTheHighlightedOne)
{
    const QString map = testing_support::sourceDir() + QStringLiteral("/data/Tessaline.hlp");
    shell::HelpEngine engine(map);
    QList<QAction*> items = m_frame->findChildren<QAction*>();
    int checked = 0;
    for (QAction* item : items) {
        const int context = item->property("HelpContextID").toInt();
        if (context == 0)
            continue;
        QString why;
        EXPECT_FALSE(engine.pageOf(context, why).isEmpty()) << item->objectName().toStdString() << " " << context;
        ++checked;
    }
    EXPECT_GT(checked, 40);

    m_frame->mnuFile->popup(QPoint(0, 0));
    m_frame->mnuFile->setActiveAction(m_frame->mnuFileExit);
    QTest::keyClick(m_frame->mnuFile, Qt::Key_F1);
    m_frame->mnuFile->close();
    EXPECT_EQ(m_help.topics(), QList<int>{12});
}

TEST_F(FrameTest, F1WithoutABrowserSaysWhereTheHelpPageIs)
{
    shell::HelpEngine engine(testing_support::sourceDir() + QStringLiteral("/data/Tessaline.hlp"));
    const auto help = shell::helpService.replace(engine);
    const auto desktop = shell::desktop.replace(shell::desktop.fallback());
    QString why;
    const QString told = QStringLiteral("No web browser could be started to show the help page %1.")
                             .arg(engine.pageOf(std::nullopt, why).toLocalFile());
    // No opener at all; then one that fails, which is known only when it has ended.
    QDir().mkpath(path(QStringLiteral("bin")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/bin/false"), path(QStringLiteral("bin/xdg-open"))));
    const QByteArray searched = qgetenv("PATH");
    for (const QString& folder : {QString(), path(QStringLiteral("bin"))}) {
        qputenv("PATH", QFile::encodeName(folder));
        m_messages.ok();
        QTest::keyClick(m_frame, Qt::Key_F1);
        EXPECT_TRUE(QTest::qWaitFor([&] { return m_messages.shown().size() == (folder.isEmpty() ? 1 : 2); }, 20000));
    }
    qputenv("PATH", searched);
    EXPECT_EQ(m_messages.texts(), (QStringList{told, told})) << "once per attempt";
}

TEST_F(FrameTest, RecentlyUsedImpressionsShowInTheFileMenu)
{
    m_frame->getImpressionMRU().addMostRecent(makeFile(QStringLiteral("one.imf")));
    m_frame->getImpressionMRU().addMostRecent(makeFile(QStringLiteral("two.imf")));
    m_frame->getImpressionMRU().addMostRecent(makeFile(QStringLiteral("three.imf")));
    m_frame->updateAllImpressionMRU();
    const QStringList items = visibleItems(m_frame->mnuFileImpression);
    ASSERT_EQ(items.size(), 6);
    EXPECT_EQ(items[2], QStringLiteral("-"));
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(items[3 + n],
                  QStringLiteral("&%1 %2").arg(n + 1).arg(m_frame->getImpressionMRU().getMRUDisplayName(n)));
    EXPECT_TRUE(items[3].endsWith(QStringLiteral("three.imf")));
    for (int n = 3; n < 9; ++n)
        EXPECT_FALSE(m_frame->mnuImpMRU[n]->isVisible());

    // An item opens its file, the path as stored (not through the extension test).
    m_frame->openNewImpressionWindow();
    testing_support::trigger(m_frame, QStringLiteral("mnuImpMRU(1)"));
    EXPECT_EQ(TestImpressionWindow::log(),
              Log{QStringLiteral("Untitled1.imf: open ") + path(QStringLiteral("two.imf"))});
}

TEST_F(FrameTest, OpeningAFileGoesByItsExtension)
{
    m_frame->openNewImpressionWindow();
    const QString upper = makeFile(QStringLiteral("dir/CARD.IMF"));
    m_frame->openFile(upper);
    EXPECT_EQ(TestImpressionWindow::log(), Log{QStringLiteral("Untitled1.imf: open ") + upper});

    const QString bitmap = makeFile(QStringLiteral("dir/sheet.bmp"));
    m_frame->openFile(bitmap);
    EXPECT_EQ(TestImpressionWindow::log().last(), QStringLiteral("Untitled2.imf: import %1 mode 3").arg(bitmap));

    const QString text = makeFile(QStringLiteral("dir/notes.txt"));
    makeFile(QStringLiteral("dir/a.imf"));
    m_messages.ok(3);
    m_frame->openFile(text);
    m_frame->openFile(path(QStringLiteral("dir/missing/a.imf")));
    m_frame->openFile(path(QStringLiteral("dir/*.imf")));
    EXPECT_EQ(m_messages.texts(),
              (QStringList{text + QStringLiteral("\r is not in a recognizable format."),
                           path(QStringLiteral("dir/missing/a.imf\r is not in a recognizable format.")),
                           path(QStringLiteral("dir/*.imf\r is not in a recognizable format."))}));
    EXPECT_EQ(m_messages.last().icon, ui::Icon::Information);
    EXPECT_EQ(TestImpressionWindow::log().size(), 2);

    EXPECT_EQ(m_frame->GetLongFilename(upper), upper);
    EXPECT_EQ(m_frame->GetLongFilename(path(QStringLiteral("dir/../dir/a.imf"))),
              path(QStringLiteral("dir/../dir/a.imf")));
    EXPECT_EQ(m_frame->GetLongFilename(path(QStringLiteral("dir/?.imf"))), QString());
}

TEST_F(FrameTest, TheOneEmptyWindowIsReusedOtherwiseANewOneOpens)
{
    const QString a = makeFile(QStringLiteral("a.imf"));
    const QString b = makeFile(QStringLiteral("b.imf"));
    const QString c = makeFile(QStringLiteral("c.imf"));

    // A drop, a recently-used item and a hand-over each fill the one empty window.
    m_frame->openNewImpressionWindow();
    drop(a);
    EXPECT_EQ(TestImpressionWindow::log().last(), QStringLiteral("Untitled1.imf: open ") + a);
    ui::unload(*only());
    m_frame->openNewImpressionWindow();
    m_frame->getImpressionMRU().addMostRecent(b);
    m_frame->updateImpressionMRUDisplay();
    testing_support::trigger(m_frame, QStringLiteral("mnuImpMRU(0)"));
    EXPECT_EQ(TestImpressionWindow::log().last(), QStringLiteral("Untitled2.imf: open ") + b);
    ui::unload(*only());
    m_frame->openNewImpressionWindow();
    EXPECT_TRUE(handOver(c));
    tick();
    EXPECT_EQ(TestImpressionWindow::log().last(), QStringLiteral("Untitled3.imf: open ") + c);
    EXPECT_EQ(TestImpressionWindow::loaded().size(), 1);

    // With two windows, one of them empty, a new one.
    m_frame->openNewImpressionWindow();
    drop(a);
    EXPECT_EQ(TestImpressionWindow::log().last(), QStringLiteral("Untitled5.imf: open ") + a);
    EXPECT_EQ(frmMDIMain::openImpressionCount(), 3);

    // Open... always makes a new window, even when the only one is empty.
    for (TestImpressionWindow* w : TestImpressionWindow::loaded())
        ui::unload(*w);
    m_frame->openNewImpressionWindow();
    m_dialogs.answerFile(b);
    testing_support::trigger(m_frame, QStringLiteral("mnuFileOpenImpression"));
    EXPECT_EQ(TestImpressionWindow::log().last(), QStringLiteral("Untitled7.imf: open ") + b);
    EXPECT_EQ(frmMDIMain::openImpressionCount(), 2);
    m_dialogs.cancel();
    testing_support::trigger(m_frame, QStringLiteral("mnuFileOpenImpression"));
    EXPECT_EQ(frmMDIMain::openImpressionCount(), 2);
}

TEST_F(FrameTest, ImportAndScanGoToTheTopmostWindowOrANewShownOne)
{
    // No window: a new one, shown and counted, takes the import.
    testing_support::trigger(m_frame, QStringLiteral("mnuFileImportContactMenu(3)"));
    EXPECT_EQ(TestImpressionWindow::log(), Log{QStringLiteral("Untitled1.imf: import contact 3")});
    TestImpressionWindow* first = only();
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(m_frame->topmostImpressionWindow(), first);

    // An untitled topmost window takes it itself; one that shows a file hands it to a new one.
    testing_support::trigger(m_frame, QStringLiteral("mnuFileImportContactMenu(3)"));
    EXPECT_EQ(TestImpressionWindow::log().last(), QStringLiteral("Untitled1.imf: import contact 3"));
    first->openImpression(makeFile(QStringLiteral("shown.imf")));
    testing_support::trigger(m_frame, QStringLiteral("mnuFileImportContactMenu(3)"));
    EXPECT_EQ(TestImpressionWindow::log().last(), QStringLiteral("Untitled2.imf: import contact 3"));

    // The topmost window unloaded: no longer topmost, whatever its deactivation did.
    ui::unload(*TestImpressionWindow::loaded().last());
    ui::unload(*TestImpressionWindow::loaded().last());
    EXPECT_EQ(m_frame->topmostImpressionWindow(), nullptr);

    // Scan Card with an image scanner: a new window scans.
    testing_support::trigger(m_frame, QStringLiteral("mnuFileScanCard"));
    EXPECT_EQ(TestImpressionWindow::log().last(), QStringLiteral("Untitled3.imf: scan"));
}

TEST_F(FrameTest, GoToItemsFollowTheInstalledPrograms)
{
    ui::unload(*m_frame);
    const QString zephlorin = makeFile(QStringLiteral("bin/zephlorin"));
    ASSERT_TRUE(modRegistryLow::setStringValue(
        modRegistryLow::Root::LocalMachine,
        QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Zephlorin.exe"), QString(),
        zephlorin));
    m_frame = new frmMDIMain;
    ui::show(*m_frame);
    EXPECT_FALSE(m_frame->mnuWindowGotokelvadon->isVisible());
    EXPECT_FALSE(m_frame->mnuWindowGotoquorvane->isVisible());
    EXPECT_TRUE(m_frame->mnuWindowGototessaline->isVisible());
    EXPECT_FALSE(m_frame->mnuWindowGototessaline->isEnabled());
    EXPECT_TRUE(m_frame->mnuWindowGotobrindlemark->isVisible());
    EXPECT_FALSE(m_frame->mnuWindowGotobrindlemark->isEnabled());
    EXPECT_TRUE(m_frame->mnuWindowGotozephlorin->isEnabled());
    testing_support::trigger(m_frame, QStringLiteral("mnuWindowGotozephlorin"));
    ASSERT_EQ(m_desktop.starts().size(), 1);
    EXPECT_EQ(m_desktop.starts().first().program, zephlorin);
    EXPECT_EQ(m_desktop.starts().first().arguments, QStringList{QStringLiteral("/show")});
}

class SerialPortTest : public FrameFixture
{
protected:
    void SetUp() override
    {
        qputenv("QV_COM1", m_pty.slavePath().toLocal8Bit());
        modRegistryHigh::setScanner(modSymbolRoutines::ScannerSerial);
        FrameFixture::SetUp();
    }
    void TearDown() override
    {
        FrameFixture::TearDown();
        qunsetenv("QV_COM1");
    }
    QString state()
    {
        return QStringLiteral("scan %1 request %2 release %3")
            .arg(m_frame->mnuFileScanCard->isEnabled())
            .arg(m_frame->mnuFileScannerportRequest->isEnabled())
            .arg(m_frame->mnuFileScannerportRelease->isEnabled());
    }

    testing_support::PseudoTerminal m_pty;
};

TEST_F(SerialPortTest, RequestAndReleaseShowThePortsState)
{
    EXPECT_TRUE(m_frame->mnuFileScannerport->menuAction()->isVisible());
    EXPECT_EQ(state(), QStringLiteral("scan 0 request 1 release 0"));
    testing_support::trigger(m_frame, QStringLiteral("mnuFileScannerportRequest"));
    EXPECT_EQ(state(), QStringLiteral("scan 1 request 0 release 1"));
    EXPECT_TRUE(frmHelper::instance().MSComm1->portOpen());

    // Asked again while held (the menus are only set on activation): it stays held, silently.
    m_frame->requestScannerPort();
    EXPECT_EQ(state(), QStringLiteral("scan 1 request 0 release 1"));
    EXPECT_TRUE(frmHelper::instance().MSComm1->portOpen());
    EXPECT_TRUE(m_messages.shown().isEmpty());

    // Scan Card with the serial scanner only prompts for the trigger.
    m_messages.ok();
    testing_support::trigger(m_frame, QStringLiteral("mnuFileScanCard"));
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_TRUE(m_messages.last().text.startsWith(QStringLiteral("PDF417 scanner port acquired.")));
    EXPECT_TRUE(TestImpressionWindow::log().isEmpty());

    testing_support::trigger(m_frame, QStringLiteral("mnuFileScannerportRelease"));
    EXPECT_EQ(state(), QStringLiteral("scan 0 request 1 release 0"));
    EXPECT_FALSE(frmHelper::instance().MSComm1->portOpen());
}

TEST_F(SerialPortTest, AFailedRequestLeavesThePortReleased)
{
    qputenv("QV_COM1", path(QStringLiteral("no-such-device")).toLocal8Bit());
    m_messages.ok();
    m_frame->requestScannerPort();
    EXPECT_EQ(m_messages.shown().size(), 1);
    EXPECT_EQ(state(), QStringLiteral("scan 0 request 1 release 0"));
}

} // namespace
