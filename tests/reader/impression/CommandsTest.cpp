// The impression window's toolbar and menus, the scanner state, the combos, the recently-used
// entries, and the scan, import and export roads.
#include "ImpressionFixture.h"

#include "PseudoTerminal.h"
#include "RunningCardScan.h"
#include "TemporaryContactStore.h"
#include "Vobject.h"
#include "WidgetDriver.h"
#include "tests/platform/pdf417/CardScans.h"

#include "capture/frmHelper.h"
#include "capture/modCardScan.h"
#include "capture/modSymbolRoutines.h"
#include "common/CMostRecentlyUsed.h"
#include "common/MainHelper.h"
#include "common/modRegistryHigh.h"
#include "common/modRegistryLow.h"
#include "platform/contacts/ContactStore.h"
#include "platform/ipc/DdeLink.h"
#include "platform/pdf417/Pdf417.h"
#include "platform/print/PictureBox.h"
#include "platform/scanner/FakeImageSource.h"
#include "platform/serial/CommPort.h"
#include "platform/ui/HelpContext.h"
#include "platform/ui/MessageService.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QMimeData>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

using modSymbolRoutines::ScannerCardScan;
using modSymbolRoutines::ScannerSerial;
using modSymbolRoutines::ScannerTwain;

namespace {

// Counts the preference broadcasts each window receives.
class CountingWindow : public frmImpression
{
public:
    int commits = 0;
    void commitPreferences() override
    {
        ++commits;
        frmImpression::commitPreferences();
    }
};

class CommandsTest : public ImpressionFixture
{
protected:
    void SetUp() override
    {
        qputenv("QV_COM1", m_pty.slavePath().toLocal8Bit());
        ImpressionFixture::SetUp();
        frmMDIMain::setImpressionWindowFactory([] { return new CountingWindow; });
        modRegistryHigh::setPromptWanted(0, false);
        modRegistryHigh::setPromptWanted(1, false);
    }
    void TearDown() override
    {
        modSymbolRoutines::setMultipleSymbolDecoder({});
        modCardScan::shutdownCardScan();
        modCardScan::ddeControl().setLinkMode(ipc::DdeLink::None);
        m_cardScan.reset();
        ImpressionFixture::TearDown();
        qunsetenv("QV_COM1");
    }

    static QStringList shownKeys(const frmImpression* w)
    {
        QStringList keys;
        for (QAction* a : w->Toolbar1->actions())
            if (a->isVisible() && !a->data().toString().isEmpty())
                keys << a->data().toString();
        return keys;
    }
    // The scan buttons shown, Card > Scan and the frame's Scan Card, and the Scanner Port menu.
    QString scannerState(const frmImpression* w)
    {
        QStringList shown;
        for (const char* key : {"Scan", "NoScan", "CardScan", "ReleasePDF", "RequestPDF"})
            if (w->toolbarButton(QString::fromLatin1(key))->isVisible())
                shown << QString::fromLatin1(key);
        return shown.join(u'+') + QStringLiteral(" scan %1 frame %2 port %3")
                                      .arg(w->menuItem(QStringLiteral("mnuCardScan"))->isEnabled())
                                      .arg(m_frame->mnuFileScanCard->isEnabled())
                                      .arg(w->menuItem(QStringLiteral("mnuCardScannerport"))->isVisible());
    }
    QString savePage(const QString& name, const QList<QImage>& symbols, int dpi = 300)
    {
        cardscans::Scan scan;
        scan.dpi = dpi;
        scan.blur = 0.6;
        scan.noise = 4;
        const QString file = path(name);
        EXPECT_TRUE(cardscans::scanPage(symbols, scan).save(file));
        return file;
    }
    QStringList firstNames()
    {
        QStringList names;
        for (frmImpression* w : windows())
            names << w->fieldText(CImpressionDoc::slotNamFirst);
        return names;
    }

    // Starts CardScan (its stand-in, a process of its own) and opens the program's link to it.
    bool runCardScan()
    {
        m_cardScan = std::make_unique<RunningCardScan>();
        return m_cardScan->isReady() && RunningCardScan::linkProgram();
    }
    // Frames an impression file as the serial scanner sends it, and lets the scan finish.
    void scanSerially(const QString& card)
    {
        QFile file(card);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = "\x02]L0" + file.readAll() + "\r\n";
        serial::CommPort& port = *frmHelper::instance().MSComm1;
        m_pty.write(bytes);
        ASSERT_TRUE(testing_support::waitUntil([&] { return port.inBufferCount() >= int(bytes.size()); }));
        m_clock.advance(1000);
    }

    testing_support::PseudoTerminal m_pty;
    std::unique_ptr<RunningCardScan> m_cardScan;
};

} // namespace

TEST_F(CommandsTest, ToolbarAndMenusAtLoad)
{
    frmImpression* w = newWindow();
    QStringList keys;
    for (QAction* a : w->Toolbar1->actions())
        keys << a->data().toString();
    EXPECT_EQ(keys.join(u','),
              QStringLiteral("MakeMatchLeftOfTabs,Scan,NoScan,ReleasePDF,RequestPDF,CardScan,ScannerSep1,Scanner,"
                             "ScannerSep2,ScannerSep3,ScannerSep4,FromPIM,NoFromPIM,,DefaultPIM,,ToPim,NoToPIM,,,,"
                             "QuickLayout,NoQuickLayout,StartBrindlemark,NoStartBrindlemark,Preferences"));
    // TWAIN is the scanner of fresh settings; Brindlemark is not registered.
    EXPECT_EQ(shownKeys(w).join(u','),
              QStringLiteral("MakeMatchLeftOfTabs,Scan,ScannerSep1,Scanner,ScannerSep2,ScannerSep3,ScannerSep4,"
                             "NoFromPIM,DefaultPIM,ToPim,NoQuickLayout,NoStartBrindlemark,Preferences"));
    EXPECT_EQ(w->toolbarButton(QStringLiteral("ReleasePDF"))->toolTip(),
              QStringLiteral("Release PDF417 scanner port. (Use trigger to scan)"));
    EXPECT_TRUE(w->toolbarButton(QStringLiteral("Scanner"))->toolTip().isEmpty());
    EXPECT_EQ(w->cboScanner->currentText(), QStringLiteral("TWAIN"));
    EXPECT_EQ(w->cboDefaultPIM->currentText(), QStringLiteral("Outlook"));
    // The combos lie over their placeholders.
    const QRect scanner = w->Toolbar1->widgetForAction(w->toolbarButton(QStringLiteral("Scanner")))->geometry();
    EXPECT_EQ(w->cboScanner->geometry().left(), scanner.left());
    EXPECT_EQ(w->cboScanner->width(), scanner.width());

    QStringList disabled;
    for (QAction* a : w->findChildren<QAction*>())
        if (a->objectName().startsWith(QLatin1String("mnu")) && a->isVisible() && !a->isEnabled())
            disabled << a->objectName();
    disabled.sort();
    EXPECT_EQ(disabled.join(u','),
              QStringLiteral("mnuCardExportTo(3),mnuCardFromPIM,mnuCardImportFrom(0),mnuCardImportFrom(1),"
                             "mnuCardImportFrom(2),mnuFileExportBitmap,mnuFileImportContact(0),"
                             "mnuFileImportContact(1),mnuFileImportContact(2),mnuFileLayout,mnuFileSave,"
                             "mnuFileSaveAs,mnuLayoutNew,mnuLayoutOpen,mnuLayoutQuickNEasy,mnuWindowGotobrindlemark,"
                             "mnuWindowGototessaline,mnuWindowGotozephlorin"));
    QAction* scan = w->menuItem(QStringLiteral("mnuCardScan"));
    EXPECT_EQ(scan->text(), QStringLiteral("&Scan"));
    EXPECT_EQ(scan->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
    EXPECT_EQ(ui::helpContext(scan), 61);
    EXPECT_EQ(ui::helpContext(w->menuItem(QStringLiteral("mnuFileImportContact(3)"))), 53);
    EXPECT_EQ(w->menuItem(QStringLiteral("mnuHelpAbout"))->text(), QStringLiteral("About Quorvane..."));
    EXPECT_FALSE(w->menuItem(QStringLiteral("mnuWindowGotoquorvane"))->isVisible());
    EXPECT_FALSE(w->menuItem(QStringLiteral("mnuWindowGotokelvadon"))->isVisible());

    // The recently-used items: never more than nine, the digit as access key.
    for (int n = 0; n < 12; ++n)
        m_frame->getImpressionMRU().addMostRecent(makeFile(QStringLiteral("mru%1.imf").arg(n)));
    m_frame->updateAllImpressionMRU();
    int shown = 0;
    for (int n = 0; n < 9; ++n)
        shown += w->menuItem(QStringLiteral("mnuFileMRU(%1)").arg(n))->isVisible() ? 1 : 0;
    EXPECT_EQ(shown, 9);
    EXPECT_TRUE(w->menuItem(QStringLiteral("mnuFileMRU(0)"))->text().startsWith(QStringLiteral("&1 ")));
    EXPECT_TRUE(w->menuItem(QStringLiteral("mnuFileDash5"))->isVisible());
    EXPECT_FALSE(w->findChild<QAction*>(QStringLiteral("mnuFileMRU(9)")));
}

TEST_F(CommandsTest, ScannerStatesFollowTheSettingAndThePort)
{
    auto* w = static_cast<CountingWindow*>(newWindow());
    EXPECT_EQ(scannerState(w), QStringLiteral("Scan scan 1 frame 1 port 0"));
    modRegistryHigh::setScanner(ScannerCardScan);
    w->commitPreferences();
    EXPECT_EQ(scannerState(w), QStringLiteral("CardScan scan 1 frame 1 port 0"));
    EXPECT_EQ(w->cboScanner->currentIndex(), ScannerCardScan);

    modRegistryHigh::setScanner(ScannerSerial);
    w->commitPreferences();
    EXPECT_EQ(scannerState(w), QStringLiteral("RequestPDF scan 0 frame 0 port 1"));

    // The toolbar's request takes the port and every window shows it.
    auto* other = static_cast<CountingWindow*>(newWindow());
    const int before = other->commits;
    w->Toolbar1_ButtonClick(QStringLiteral("RequestPDF"));
    EXPECT_TRUE(frmHelper::instance().MSComm1->portOpen());
    EXPECT_EQ(scannerState(w), QStringLiteral("ReleasePDF scan 1 frame 1 port 1"));
    EXPECT_EQ(scannerState(other), QStringLiteral("ReleasePDF scan 1 frame 1 port 1"));
    EXPECT_EQ(other->commits, before + 1);

    // A stale Request of a window that still shows the port released keeps the port held.
    w->menuItem(QStringLiteral("mnuCardScannerownershipRequest"))->trigger();
    EXPECT_TRUE(frmHelper::instance().MSComm1->portOpen());
    EXPECT_EQ(scannerState(w), QStringLiteral("ReleasePDF scan 1 frame 1 port 1"));
    w->mnuCard_Click();
    EXPECT_FALSE(w->menuItem(QStringLiteral("mnuCardScannerownershipRequest"))->isEnabled());
    EXPECT_TRUE(w->menuItem(QStringLiteral("mnuCardScannerownershipRelease"))->isEnabled());

    // Card > Scan while the port is held asks for the trigger.
    m_messages.ok();
    w->mnuCardScan_Click();
    EXPECT_TRUE(m_messages.last().text.startsWith(QStringLiteral("PDF417 scanner port acquired.")));

    // The menu's release changes this window only; the toolbar's changes every window.
    w->menuItem(QStringLiteral("mnuCardScannerownershipRelease"))->trigger();
    EXPECT_FALSE(frmHelper::instance().MSComm1->portOpen());
    EXPECT_EQ(scannerState(w), QStringLiteral("RequestPDF scan 0 frame 0 port 1"));
    EXPECT_EQ(scannerState(other), QStringLiteral("ReleasePDF scan 1 frame 0 port 1"));

    // Released: Card > Scan, the frame's Scan Card and the stale "NoScan" say the port is needed.
    m_messages.ok(3);
    w->mnuCardScan_Click();
    m_frame->mnuFileScanCard_Click();
    w->Toolbar1_ButtonClick(QStringLiteral("NoScan"));
    ASSERT_EQ(m_messages.shown().size(), 4);
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(m_messages.shown()[i].text, QStringLiteral("Quorvane must first acquire the PDF417 scanner port."));
        EXPECT_EQ(m_messages.shown()[i].icon, ui::Icon::Exclamation);
        EXPECT_EQ(m_messages.shown()[i].helpTopic, 61);
    }

    // An image scanner releases a held port.
    w->Toolbar1_ButtonClick(QStringLiteral("RequestPDF"));
    ASSERT_TRUE(frmHelper::instance().MSComm1->portOpen());
    modRegistryHigh::setScanner(ScannerTwain);
    w->commitPreferences();
    EXPECT_FALSE(frmHelper::instance().MSComm1->portOpen());
    EXPECT_EQ(scannerState(w), QStringLiteral("Scan scan 1 frame 1 port 0"));
}

TEST_F(CommandsTest, ACombosChoiceReachesEveryWindowOnce)
{
    auto* one = static_cast<CountingWindow*>(newWindow());
    auto* two = static_cast<CountingWindow*>(newWindow());
    const int oneBefore = one->commits;
    const int twoBefore = two->commits;

    // Set from the settings (no focus): stored, never broadcast.
    one->cboDefaultPIM->setCurrentIndex(0);
    EXPECT_EQ(modRegistryHigh::getDefaultPIM(), 0);
    EXPECT_EQ(one->commits, oneBefore);

    // Chosen by the user in the focused combo: every window once, and no echo.
    QApplication::setActiveWindow(m_frame);
    one->bringToFront();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame));
    one->cboScanner->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), one->cboScanner);
    one->cboScanner->setCurrentIndex(ScannerCardScan);
    EXPECT_EQ(modRegistryHigh::getScanner(), ScannerCardScan);
    EXPECT_EQ(one->commits, oneBefore + 1);
    EXPECT_EQ(two->commits, twoBefore + 1);
    EXPECT_EQ(two->cboScanner->currentIndex(), ScannerCardScan);
    EXPECT_EQ(two->cboDefaultPIM->currentIndex(), 0);
    EXPECT_TRUE(two->toolbarButton(QStringLiteral("CardScan"))->isVisible());
}

TEST_F(CommandsTest, ImageScanFillsTheWindowAndCleansUp)
{
    scanner::FakeImageSource source;
    cardscans::Scan scan;
    scan.angle = 8;
    scan.blur = 0.6;
    scan.noise = 4;
    source.setImage(cardscans::scanCard(symbolOf(cardDocument(QStringLiteral("Turned"))), scan));

    frmImpression* w = newWindow();
    w->SSTab1->setCurrentIndex(3);
    w->Toolbar1_ButtonClick(QStringLiteral("Scan"));
    EXPECT_EQ(source.calls(), 1);
    EXPECT_TRUE(m_messages.shown().isEmpty());
    EXPECT_EQ(differences(docOf(*w), cardDocument(QStringLiteral("Turned"))), QStringList());
    EXPECT_FALSE(QFile::exists(workFile(QStringLiteral("tmpsymbol.bmp"))));
    w->updateScreen();
    CImpressionDoc shown;
    ASSERT_TRUE(decodePicture(QImage(workFile(QStringLiteral("tmpsymbol.bmp"))), shown));
    EXPECT_EQ(shown.NamFirst(), QStringLiteral("Turned"));

    // A blank page by the card scanner: the count and the hint.
    modRegistryHigh::setScanner(ScannerCardScan);
    QImage blank(1100, 700, QImage::Format_Grayscale8);
    blank.fill(255);
    source.setImage(blank);
    m_messages.ok();
    w->mnuCardScan_Click();
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_EQ(m_messages.last().text, QStringLiteral("Read 0 of 0 bar codes identified.\r\rMake sure to scan the "
                                                     "correct side of a card imprinted with The Corvel Encoding."));
    EXPECT_EQ(m_messages.last().icon, ui::Icon::Information);
    EXPECT_FALSE(QFile::exists(workFile(QStringLiteral("tmpsymbol.bmp"))));

    // The same picture imported from a file: the count only, and the file stays.
    const QString file = path(QStringLiteral("blank.bmp"));
    ASSERT_TRUE(blank.save(file));
    m_dialogs.answerFile(file);
    m_messages.ok();
    w->mnuFileImportContact_Click(3);
    EXPECT_EQ(m_messages.last().text, QStringLiteral("Read 0 of 0 bar codes identified.\r"));
    EXPECT_TRUE(QFile::exists(file));
}

TEST_F(CommandsTest, TenCardPageFillsTenWindowsInReadingOrder)
{
    QList<QImage> symbols;
    for (int i = 0; i < 10; ++i)
        symbols << symbolOf(cardDocument(QStringLiteral("Card%1").arg(i < 6 ? i : 5)));
    const QString page = savePage(QStringLiteral("page.bmp"), symbols);
    QStringList expected;
    for (int i = 0; i < 10; ++i)
        expected << QStringLiteral("Card%1").arg(i < 6 ? i : 5);
    const QString summary = QStringLiteral("Read 10 of 10 bar codes identified.\r");

    // By Import > Bitmap: the untitled window is reused.
    frmImpression* first = newWindow();
    m_dialogs.answerFile(page);
    m_messages.ok();
    first->mnuCardImportFrom_Click(3);
    EXPECT_EQ(m_messages.last().text, summary);
    EXPECT_EQ(firstNames(), expected);
    EXPECT_EQ(windows().first(), first);

    // Dropped on the tab control of a window that shows a file: ten new windows.
    for (frmImpression* w : windows())
        ui::unload(*w);
    settle();
    frmImpression* shown = newWindow();
    shown->openImpression(writeImpression(QStringLiteral("kept.imf"), cardDocument(QStringLiteral("Kept"))));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(page)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(shown->SSTab1, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    m_messages.ok();
    QCoreApplication::sendEvent(shown->SSTab1, &drop);
    EXPECT_EQ(firstNames(), QStringList{QStringLiteral("Kept")}) << "read inside the drop";
    QCoreApplication::processEvents();
    EXPECT_EQ(m_messages.last().text, summary);
    EXPECT_EQ(firstNames(), QStringList{QStringLiteral("Kept")} + expected);

    // Handed over by a second start: the untitled window is reused again.
    for (frmImpression* w : windows())
        ui::unload(*w);
    settle();
    frmImpression* untitled = newWindow();
    m_messages.clear();
    m_messages.ok();
    ASSERT_TRUE(handOver(page));
    tick();
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_EQ(m_messages.last().text, summary);
    EXPECT_EQ(firstNames(), expected);
    EXPECT_EQ(windows().first(), untitled);
}

TEST_F(CommandsTest, AHandOverOrASerialScanDuringAReadWaitsUntilTheImportHasEnded)
{
    const QStringList names{QStringLiteral("Ann"), QStringLiteral("Bea"), QStringLiteral("Cai")};
    QList<QImage> symbols;
    for (const QString& name : names)
        symbols << symbolOf(cardDocument(name));
    const QString page = savePage(QStringLiteral("page.bmp"), symbols, 600);
    const QString one = savePage(QStringLiteral("one.bmp"), {symbolOf(cardDocument(QStringLiteral("Dov")))});
    const QStringList summary{QStringLiteral("Read 3 of 3 bar codes identified.\r")};
    // Runs `step` from the first events that run once the symbol reader is asked for a page.
    const auto duringTheRead = [this](std::function<void()> step) {
        modSymbolRoutines::setMultipleSymbolDecoder(
            [this, step, bArmed = true](const QString& bmp, const QString& vcf, int n, qint16& count) mutable {
                if (std::exchange(bArmed, false))
                    QTimer::singleShot(0, [this, step] {
                        EXPECT_TRUE(QFile::exists(workFile(QStringLiteral("temp_multiple.bmp"))));
                        step();
                    });
                return pdf417::pdfDecodeBMPSymbolToFileMultiple(bmp, vcf, n, count);
            });
    };

    // The page dropped on the frame with its one empty window; the bitmap handed over meanwhile
    // opens in a window of its own once the page's windows are filled.
    newWindow();
    m_messages.ok();
    duringTheRead([this, one] {
        ASSERT_TRUE(handOver(one));
        tick(3);
    });
    drop(page);
    tick();
    EXPECT_EQ(firstNames(), names + QStringList{QStringLiteral("Dov")});
    EXPECT_EQ(m_messages.texts(), summary) << "one card read of one is not summed up";

    // A serial scan that ends during Import > Bitmap is read once the import has ended, into the
    // window a scan takes: the topmost, untitled one.
    for (frmImpression* w : windows())
        ui::unload(*w);
    settle();
    modRegistryHigh::setScanner(ScannerSerial);
    m_frame->requestScannerPort();
    frmImpression* first = newWindow();
    const QString card = writeImpression(QStringLiteral("per.imf"), cardDocument(QStringLiteral("Per")));
    m_dialogs.answerFile(page);
    m_messages.clear();
    m_messages.ok();
    duringTheRead([this, card] { scanSerially(card); });
    testing_support::trigger(first, QStringLiteral("mnuCardImportFrom(3)"));
    QCoreApplication::processEvents(); // back in the event loop
    EXPECT_EQ(firstNames(), names.first(2) + QStringList{QStringLiteral("Per")});
    EXPECT_EQ(m_messages.texts(), summary);
}

TEST_F(CommandsTest, SummaryCountsAndErrors)
{
    // A decoder that hands out the cards of a list, the last one ending the page.
    QList<QByteArray> cards;
    int identified = 0;
    modSymbolRoutines::setMultipleSymbolDecoder(
        [&](const QString&, const QString& strVCardFile, int nIndex, qint16& nCount) -> qint16 {
            nCount = qint16(nIndex == 1 ? identified : 0);
            if (nIndex > cards.size())
                return 0;
            if (cards[nIndex - 1] == "raise")
                throw vb::Error(5, QStringLiteral("decoder"), QStringLiteral("Invalid procedure call"));
            QFile file(strVCardFile);
            file.open(QIODevice::WriteOnly);
            file.write(cards[nIndex - 1]);
            return nIndex < cards.size() ? 1 : 2;
        });
    auto card = [](const char* name, const char* version) {
        return QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:") + name + "\r\n" +
               (version ? QByteArray("X-CORVEL-FILE-VERSION:") + version + "\r\n" : QByteArray()) + "END:VCARD\r\n";
    };
    const QString bitmap = makeFile(QStringLiteral("any.bmp"));
    frmImpression* w = newWindow();
    auto run = [&](QList<QByteArray> list, int nIdentified) {
        cards = std::move(list);
        identified = nIdentified;
        m_messages.clear();
        m_messages.ok();
        w->importBitmapMultiple(bitmap, 3);
        return m_messages.shown().isEmpty() ? QString() : m_messages.last().text;
    };

    EXPECT_EQ(run({card("A", "3"), card("B", "3")}, 3),
              QStringLiteral("Read 2 of 2 bar codes decoded, of 3 identified.\r"));
    EXPECT_EQ(run({card("A", "2")}, 1), QStringLiteral("\rImpression read is from a previous version of Tessaline.\r"));
    EXPECT_EQ(run({card("A", "2"), card("B", "3")}, 2),
              QStringLiteral("Read 2 of 2 bar codes identified.\r\rOne impression is from a previous version of "
                             "Tessaline.\r"));
    EXPECT_EQ(
        run({card("A", "9"), card("B", "9")}, 2),
        QStringLiteral("Read 2 of 2 bar codes identified.\r\r2 impressions are from a newer version of Tessaline."));

    // An error inside the import: the general report, the filled windows stay, no summary.
    for (frmImpression* other : windows())
        if (other != w)
            ui::unload(*other);
    settle();
    cards = {card("Filled", "3"), "raise"};
    identified = 2;
    m_messages.clear();
    m_messages.ok();
    w->importBitmapMultiple(bitmap, 3);
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_TRUE(m_messages.last().text.contains(QStringLiteral(" 5 was generated by decoder")))
        << m_messages.last().text.toStdString();
    EXPECT_EQ(w->fieldText(CImpressionDoc::slotNamFormattedName), QStringLiteral("Filled"));
    EXPECT_FALSE(QFile::exists(workFile(QStringLiteral("temp_multiple.bmp"))));
    EXPECT_FALSE(QApplication::overrideCursor());
}

TEST_F(CommandsTest, VCardImportAndExport)
{
    testing_support::TemporaryContactStore contacts;
    frmImpression* w = newWindow();
    const CImpressionDoc card = cardDocument(QStringLiteral("Export"));
    w->readDoc(card);

    // "Simple vCard" on: the contact only; off: also the version, the font and the words.
    modRegistryHigh::setSimpleVCard(true);
    m_dialogs.answerFile(path(QStringLiteral("simple.vcf")));
    m_messages.ok();
    w->mnuFileExportVCard_Click();
    EXPECT_EQ(m_messages.last().text, QStringLiteral("simple.vcf created"));
    modRegistryHigh::setSimpleVCard(false);
    m_dialogs.answerFile(path(QStringLiteral("full.vcf")));
    m_messages.ok();
    w->mnuCardExportTo_Click(0);
    EXPECT_EQ(m_messages.last().text, QStringLiteral("full.vcf created"));
    for (const char* name : {"simple.vcf", "full.vcf"}) {
        const QJsonObject read = testing_support::readWithVobject(path(QString::fromLatin1(name)));
        EXPECT_EQ(read.value(QStringLiteral("email")).toString(), QStringLiteral("export@northwind-eng.com"));
    }
    QFile simple(path(QStringLiteral("simple.vcf")));
    QFile full(path(QStringLiteral("full.vcf")));
    ASSERT_TRUE(simple.open(QIODevice::ReadOnly) && full.open(QIODevice::ReadOnly));
    EXPECT_FALSE(simple.readAll().contains("X-CORVEL"));
    EXPECT_TRUE(full.readAll().contains("X-CORVEL-WORDS-6:Export line 6"));

    // A target that cannot be written (a folder of that name).
    const QString locked = path(QStringLiteral("locked.vcf"));
    QDir().mkpath(locked);
    m_dialogs.answerFile(locked);
    m_messages.ok();
    w->mnuFileExportVCard_Click();
    EXPECT_EQ(m_messages.last().text,
              QStringLiteral("Unable to save \r\n") + locked + QStringLiteral("\r\n\r\nCheck if file is read only."));
    EXPECT_EQ(m_messages.last().icon, ui::Icon::Exclamation);

    // To Outlook, and to the default contact manager (Outlook in fresh settings).
    w->mnuFileExportToOutlook_Click();
    w->Toolbar1_ButtonClick(QStringLiteral("ToPim"));
    const QStringList stored = QDir(contacts.folder()).entryList({QStringLiteral("*.vcf")}, QDir::Files);
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(testing_support::readWithVobject(contacts.filePath(stored.first()))
                  .value(QStringLiteral("org"))
                  .toArray()
                  .first()
                  .toString(),
              QStringLiteral("Northwind Engineering Inc."));

    // An import into a window that shows a file opens a new window; the file is unchanged.
    const QString imf = writeImpression(QStringLiteral("shown.imf"), cardDocument(QStringLiteral("Shown")));
    w->openImpression(imf);
    QFile original(imf);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();
    m_dialogs.answerFile(path(QStringLiteral("full.vcf")));
    w->importContact(0);
    ASSERT_EQ(windows().size(), 2);
    frmImpression* imported = windows().last();
    EXPECT_EQ(differences(docOf(*imported), card), QStringList());
    EXPECT_TRUE(imported->getCorvelWordsCreated());
    EXPECT_EQ(w->fieldText(CImpressionDoc::slotNamFirst), QStringLiteral("Shown"));
    original.seek(0);
    EXPECT_EQ(original.readAll(), bytes);

    // A plain vCard into the untitled window: cleared, no words of its own, default last lines.
    m_dialogs.answerFile(path(QStringLiteral("simple.vcf")));
    imported->mnuFileImportContact_Click(0);
    EXPECT_EQ(windows().size(), 2);
    EXPECT_FALSE(imported->getCorvelWordsCreated());
    EXPECT_TRUE(imported->txtLabTop[0]->text().isEmpty());
    EXPECT_TRUE(imported->txtLabBottom[2]->text().startsWith(QStringLiteral("Download Quorvane")));

    // A cancelled prompt leaves the untitled window cleared; a damaged file is refused.
    m_dialogs.cancel();
    imported->importContact(0);
    EXPECT_TRUE(imported->fieldText(CImpressionDoc::slotNamFirst).isEmpty());
    const QString damaged = makeFile(QStringLiteral("damaged.vcf"), "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:x");
    m_dialogs.answerFile(damaged);
    m_messages.ok();
    imported->importContact(0);
    EXPECT_EQ(m_messages.last().text, QStringLiteral("Unable to import ") + damaged);
    EXPECT_EQ(m_messages.last().icon, ui::Icon::Exclamation);
    EXPECT_EQ(windows().size(), 2);
}

TEST_F(CommandsTest, SerialScanFillsTheUntitledTopmostWindow)
{
    testing_support::TemporaryContactStore contacts;
    modRegistryHigh::setScanner(ScannerSerial);
    modRegistryHigh::setAutoUpdate(true);
    frmImpression* w = newWindow();
    w->readDoc(cardDocument(QStringLiteral("Before")));
    // The Image tab shows: its preview must not replace the card whose version is checked.
    w->setCorvelWordsCreated(true);
    w->SSTab1->setCurrentIndex(3);
    w->Toolbar1_ButtonClick(QStringLiteral("RequestPDF"));
    ASSERT_TRUE(frmHelper::instance().isScannerActive());

    // A card of file version 2, as the scanner frames it.
    m_messages.ok(); // the previous-version message
    scanSerially(writeImpression(QStringLiteral("card.vcf"), cardDocument(QStringLiteral("Serial")), 2));

    ASSERT_EQ(windows().size(), 1);
    EXPECT_EQ(w->fieldText(CImpressionDoc::slotNamFirst), QStringLiteral("Serial"));
    EXPECT_EQ(w->txtLabBottom[2]->text(), QStringLiteral("Serial line 6"));
    EXPECT_TRUE(w->getIsOldVersion());
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_TRUE(m_messages.last().text.contains(QStringLiteral("previous version")))
        << m_messages.last().text.toStdString();
    // "AutoUpdate" sent it to the default contact manager, Outlook.
    EXPECT_EQ(QDir(contacts.folder()).entryList({QStringLiteral("*.vcf")}, QDir::Files).size(), 1);

    // With "DefaultPIM" 0 the next card goes to CardScan instead, and Outlook gets nothing.
    ASSERT_TRUE(runCardScan());
    modRegistryHigh::setDefaultPIM(0);
    scanSerially(writeImpression(QStringLiteral("second.vcf"), cardDocument(QStringLiteral("Second"))));
    ASSERT_EQ(windows().size(), 1);
    EXPECT_EQ(w->fieldText(CImpressionDoc::slotNamFirst), QStringLiteral("Second"));
    EXPECT_FALSE(w->getIsOldVersion());
    EXPECT_EQ(m_messages.shown().size(), 1);
    const QStringList executes = m_cardScan->executes();
    EXPECT_TRUE(executes.contains(setField(QStringLiteral("First Name"), QStringLiteral("Second"))))
        << executes.join(u'\n').toStdString();
    EXPECT_TRUE(executes.contains(setField(QStringLiteral("Email"), QStringLiteral("second@northwind-eng.com"))));
    EXPECT_EQ(m_cardScan->total(), 1);
    EXPECT_EQ(QDir(contacts.folder()).entryList({QStringLiteral("*.vcf")}, QDir::Files).size(), 1);

    // Two trigger scans while Card > Scan's own (real) box is up: once it is answered, each is
    // read into the window and sent on, in order, so the second stays in the window.
    const auto realBoxes = ui::messageService.replace(ui::messageService.fallback());
    testing_support::whenMessageBoxIsUp([&] {
        scanSerially(writeImpression(QStringLiteral("ann.vcf"), cardDocument(QStringLiteral("Ann"))));
        scanSerially(writeImpression(QStringLiteral("bea.vcf"), cardDocument(QStringLiteral("Bea"))));
        EXPECT_EQ(w->fieldText(CImpressionDoc::slotNamFirst), QStringLiteral("Second")) << "read during the box";
    });
    testing_support::trigger(w, QStringLiteral("mnuCardScan"));
    QCoreApplication::processEvents(); // back in the event loop
    EXPECT_EQ(m_cardScan->total(), 3);
    EXPECT_EQ(w->fieldText(CImpressionDoc::slotNamFirst), QStringLiteral("Bea")) << "the last one read";
    EXPECT_EQ(windows().size(), 1);
}

TEST_F(CommandsTest, ContactManagersTakeAndGiveTheContact)
{
    testing_support::TemporaryContactStore contacts;
    ASSERT_TRUE(runCardScan());
    frmImpression* w = newWindow();
    w->readDoc(cardDocument(QStringLiteral("Sent")));

    // To CardScan: a new card in its database with the contact's fields.
    w->mnuCardExportTo_Click(1);
    const QStringList executes = m_cardScan->executes();
    EXPECT_TRUE(executes.contains(QStringLiteral("CreateCard"))) << executes.join(u'\n').toStdString();
    EXPECT_TRUE(executes.contains(setField(QStringLiteral("First Name"), QStringLiteral("Sent"))));
    EXPECT_TRUE(executes.contains(setField(QStringLiteral("Company"), QStringLiteral("Northwind Engineering Inc."))));
    EXPECT_EQ(m_cardScan->total(), 1);
    // To Outlook through the same menu: one contact in the store, read back by vobject.
    w->mnuCardExportTo_Click(2);
    const QStringList stored = QDir(contacts.folder()).entryList({QStringLiteral("*.vcf")}, QDir::Files);
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(
        testing_support::readWithVobject(contacts.filePath(stored.first())).value(QStringLiteral("email")).toString(),
        QStringLiteral("sent@northwind-eng.com"));
    EXPECT_TRUE(m_messages.shown().isEmpty());

    // From CardScan: the selected card replaces the untitled window's contact, with the default lines.
    m_cardScan->addCard({{QStringLiteral("First Name"), QStringLiteral("Grace")},
                         {QStringLiteral("Last Name"), QStringLiteral("Hopper")},
                         {QStringLiteral("Company"), QStringLiteral("Navy")}});
    ASSERT_TRUE(m_cardScan->control("select 1", QStringLiteral("selected")));
    w->mnuCardImportFrom_Click(1);
    ASSERT_EQ(windows().size(), 1);
    EXPECT_EQ(w->fieldText(CImpressionDoc::slotNamFirst), QStringLiteral("Grace"));
    EXPECT_EQ(w->fieldText(CImpressionDoc::slotBusCompany), QStringLiteral("Navy"));
    EXPECT_TRUE(w->fieldText(CImpressionDoc::slotNamEmail).isEmpty());
    EXPECT_TRUE(w->txtLabBottom[2]->text().startsWith(QStringLiteral("Download Quorvane")));

    // From Outlook into a window that shows a file: the contact in front opens in a new window.
    contacts::ContactCard front = contacts::ContactStore::open(contacts.folder())->newItem();
    front.setValue(contacts::Field::FirstName, QStringLiteral("Olive"));
    front.setValue(contacts::Field::CompanyName, QStringLiteral("Olive Press"));
    ASSERT_TRUE(contacts::ContactStore::open(contacts.folder())->save(front));
    ASSERT_TRUE(contacts::ContactStore::open(contacts.folder())->setFrontId(front.id()));
    w->openImpression(writeImpression(QStringLiteral("shown.imf"), cardDocument(QStringLiteral("Shown"))));
    w->mnuFileImportContact_Click(2);
    ASSERT_EQ(windows().size(), 2);
    frmImpression* imported = windows().last();
    EXPECT_EQ(imported->fieldText(CImpressionDoc::slotNamFirst), QStringLiteral("Olive"));
    EXPECT_EQ(imported->fieldText(CImpressionDoc::slotBusCompany), QStringLiteral("Olive Press"));
    EXPECT_EQ(w->fieldText(CImpressionDoc::slotNamFirst), QStringLiteral("Shown"));
    EXPECT_TRUE(m_messages.shown().isEmpty());

    // Nothing selected in CardScan: the user is told, and no window is added.
    ASSERT_TRUE(m_cardScan->control("select -1", QStringLiteral("selected")));
    m_messages.ok();
    imported->importContact(1);
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_TRUE(m_messages.last().text.startsWith(QStringLiteral("No contact is selected in the CardScan database.")));
    EXPECT_EQ(windows().size(), 2);
}

TEST_F(CommandsTest, CtrlAInTheTabControlIsCardScan)
{
    modRegistryHigh::setScanner(ScannerSerial);
    frmImpression* w = newWindow();
    QApplication::setActiveWindow(m_frame);
    w->bringToFront();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame));
    w->mnuCardScannerownershipRequest_Click();
    w->SSTab1->tabBar()->setFocus();
    m_messages.ok();
    QTest::keyClick(w->SSTab1->tabBar(), Qt::Key_A, Qt::ControlModifier);
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_TRUE(m_messages.last().text.startsWith(QStringLiteral("PDF417 scanner port acquired.")));
}

TEST_F(CommandsTest, SampleCardScanReadsAsTheSampleImpression)
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/samples/");
    frmImpression* w = newWindow();
    w->importBitmapMultiple(folder + QStringLiteral("sample-card.bmp"), 3);
    EXPECT_TRUE(m_messages.shown().isEmpty());
    // The card printed from the sample impression: its symbol holds the contact and the six lines.
    CImpressionDoc sample;
    ASSERT_TRUE(sample.readFile(folder + QStringLiteral("sample.imf")));
    EXPECT_EQ(differences(docOf(*w), sample), QStringList());
}

TEST_F(CommandsTest, GoToAndTheBrindlemarkButtonFollowWhatIsRegistered)
{
    frmImpression* without = newWindow();
    without->Toolbar1_ButtonClick(QStringLiteral("NoStartBrindlemark"));
    EXPECT_EQ(m_help.topics(), QList<int>{10008});

    const QString exe = makeFile(QStringLiteral("bin/brindlemark"));
    ASSERT_TRUE(modRegistryLow::setStringValue(
        modRegistryLow::Root::LocalMachine,
        QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths") +
            modMainHelper::familyProgram(modMainHelper::FamilyProgram::Brindlemark).exeKey,
        QString(), exe));
    frmImpression* with = newWindow();
    EXPECT_TRUE(with->toolbarButton(QStringLiteral("StartBrindlemark"))->isVisible());
    EXPECT_FALSE(with->toolbarButton(QStringLiteral("NoStartBrindlemark"))->isVisible());
    EXPECT_TRUE(with->menuItem(QStringLiteral("mnuWindowGotobrindlemark"))->isEnabled());
    EXPECT_FALSE(with->menuItem(QStringLiteral("mnuWindowGotozephlorin"))->isEnabled());
    // Set once at load: the first window keeps what it showed.
    EXPECT_TRUE(without->toolbarButton(QStringLiteral("NoStartBrindlemark"))->isVisible());
    with->Toolbar1_ButtonClick(QStringLiteral("StartBrindlemark"));
    ASSERT_EQ(m_desktop.starts().size(), 1);
    EXPECT_EQ(m_desktop.starts().first().program, exe);
}
