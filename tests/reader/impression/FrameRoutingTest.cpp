// The main window with real impression windows: which window an opened file, a handed-over
// command line or a serial scan goes into, and how the layout side finds a window by its file.
#include "ImpressionFixture.h"

#include "capture/frmHelper.h"
#include "capture/modSymbolRoutines.h"
#include "common/IImpressionFileWindow.h"
#include "common/MainHelper.h"
#include "common/modRegistryHigh.h"

#include "PseudoTerminal.h"
#include "WidgetDriver.h"

#include <QMenuBar>

namespace {

CImpressionDoc card(const QString& strName)
{
    CImpressionDoc doc;
    doc.setNamFormattedName(strName);
    return doc;
}

class FrameRoutingTest : public ImpressionFixture
{
protected:
    // The only impression window loaded.
    frmImpression* only()
    {
        const QList<frmImpression*> loaded = windows();
        EXPECT_EQ(loaded.size(), 1);
        return loaded.value(0);
    }
    // Unloads every impression window and starts again with one empty one.
    frmImpression* restart()
    {
        for (frmImpression* w : windows())
            ui::unload(*w);
        settle();
        return newWindow();
    }
};

TEST_F(FrameRoutingTest, TheOneEmptyWindowTakesADropARecentItemAndAHandOverOpenMakesANewOne)
{
    const QString a = writeImpression(QStringLiteral("a.imf"), card(QStringLiteral("Ada")));
    const QString b = writeImpression(QStringLiteral("b.imf"), card(QStringLiteral("Bo")));
    const QString c = writeImpression(QStringLiteral("c.imf"), card(QStringLiteral("Cy")));

    frmImpression* empty = newWindow();
    drop(a);
    EXPECT_EQ(only(), empty);
    EXPECT_EQ(empty->getFileName(), a);

    empty = restart();
    m_frame->getImpressionMRU().addMostRecent(b);
    m_frame->updateImpressionMRUDisplay();
    testing_support::trigger(m_frame, QStringLiteral("mnuImpMRU(0)"));
    EXPECT_EQ(only(), empty);
    EXPECT_EQ(empty->getFileName(), b);

    empty = restart();
    ASSERT_TRUE(handOver(c));
    tick();
    EXPECT_EQ(only(), empty);
    EXPECT_EQ(empty->getFileName(), c);
    EXPECT_EQ(docOf(*empty).NamFormattedName(), QStringLiteral("Cy"));

    // Two windows, one of them empty: the file gets a window of its own.
    frmImpression* second = newWindow();
    drop(a);
    ASSERT_EQ(windows().size(), 3);
    EXPECT_TRUE(second->getFileName().isEmpty());
    EXPECT_EQ(windows().last()->getFileName(), a);

    // Open... makes a new window even when the only one is empty.
    empty = restart();
    m_dialogs.answerFile(b);
    testing_support::trigger(m_frame, QStringLiteral("mnuFileOpenImpression"));
    ASSERT_EQ(windows().size(), 2);
    EXPECT_TRUE(empty->getFileName().isEmpty());
    EXPECT_EQ(windows().last()->getFileName(), b);
    EXPECT_EQ(frmImpression::openImpressionCount(), 2);
    EXPECT_EQ(frmMDIMain::openImpressionCount(), 2);
}

TEST_F(FrameRoutingTest, TheLayoutSideFindsAWindowByItsFileAndReadsItsUnsavedContent)
{
    const QString a = writeImpression(QStringLiteral("a.imf"), card(QStringLiteral("Ada")));
    frmImpression* window = newWindow();
    window->openImpression(a);
    IImpressionFileWindow* found = modMainHelper::findImpressionWindow(path(QStringLiteral("./a.imf")));
    ASSERT_EQ(found, static_cast<IImpressionFileWindow*>(window));
    EXPECT_EQ(found->getFileName(), a);
    EXPECT_FALSE(found->getIsOldVersion());

    control<QLineEdit>(window, QStringLiteral("txtNamFormattedName"))->setText(QStringLiteral("Ada Changed"));
    CImpressionDoc doc;
    ASSERT_TRUE(found->writeDoc(doc));
    EXPECT_EQ(doc.NamFormattedName(), QStringLiteral("Ada Changed"));
    EXPECT_EQ(modMainHelper::findImpressionWindow(path(QStringLiteral("A.imf"))), nullptr);
}

// A serial scanner on a pseudo-terminal, its port taken by the frame.
class FrameSerialScanTest : public FrameRoutingTest
{
protected:
    void SetUp() override
    {
        qputenv("QV_COM1", m_pty.slavePath().toLocal8Bit());
        modRegistryHigh::setScanner(modSymbolRoutines::ScannerSerial);
        FrameRoutingTest::SetUp();
        m_frame->requestScannerPort();
        ASSERT_TRUE(frmHelper::instance().isScannerActive());
    }
    void TearDown() override
    {
        FrameRoutingTest::TearDown();
        qunsetenv("QV_COM1");
    }
    void scan(const QString& strName)
    {
        sendToPort(m_pty, serialCardScan(strName));
        m_clock.advance(1000);
    }

    testing_support::PseudoTerminal m_pty;
};

TEST_F(FrameSerialScanTest, AScanWithNoWindowShowsOneCountedWindowAndAClosedTopmostOneIsNeverUsed)
{
    scan(QStringLiteral("Per Olund"));
    frmImpression* first = only();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(frmImpression::openImpressionCount(), 1);
    EXPECT_EQ(docOf(*first).NamFormattedName(), QStringLiteral("Per Olund"));

    // The topmost window goes; the next card opens a window of its own.
    ui::unload(*first);
    settle();
    EXPECT_EQ(m_frame->topmostImpressionWindow(), nullptr);
    scan(QStringLiteral("Rhea Castellan"));
    frmImpression* next = only();
    ASSERT_TRUE(next);
    EXPECT_EQ(docOf(*next).NamFormattedName(), QStringLiteral("Rhea Castellan"));
    EXPECT_EQ(frmImpression::openImpressionCount(), 1);
    EXPECT_TRUE(m_messages.shown().isEmpty());
}

TEST_F(FrameSerialScanTest, EveryMenuPathTheHelpPagesNameIsInTheFrameOrAnImpressionWindow)
{
    const QList<const QWidget*> menus{m_frame->menus(), newWindow()->menus()};
    EXPECT_EQ(testing_support::helpMenuPathsMissing(QStringLiteral("Quorvane"), menus, 21), QStringList());
}

} // namespace
