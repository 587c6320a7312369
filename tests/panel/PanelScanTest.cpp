// Cards scanned, imported and dropped on the panel go straight into the contact manager: the
// serial scanner on a pseudo-terminal, the image scanners through a fake image source, real
// symbols, the contact store in a temporary folder and CardScan as a process of its own.
#include "PanelFixture.h"

#include "PseudoTerminal.h"
#include "RunningCardScan.h"
#include "ScriptedDialogs.h"
#include "TemporaryContactStore.h"
#include "Vobject.h"
#include "WidgetDriver.h"
#include "tests/platform/pdf417/CardScans.h"

#include "capture/frmHelper.h"
#include "capture/modCardScan.h"
#include "capture/modSymbolRoutines.h"
#include "common/modRegistryHigh.h"
#include "platform/ipc/DdeLink.h"
#include "platform/scanner/FakeImageSource.h"
#include "platform/serial/CommPort.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Timer.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QMimeData>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

using modSymbolRoutines::ScannerCardScan;
using modSymbolRoutines::ScannerSerial;
using modSymbolRoutines::ScannerTwain;
using testing_support::readWithVobject;

namespace {

// A full card with a home block, and a card of the first generation (no vCard version), which
// fills fifteen fields only.
QByteArray homeCard()
{
    QByteArray card = cardscans::fullImpression(3);
    card.replace("X-QUORVANE-FILEVERSION", "ADR;TYPE=HOME:;;12 Elm Street;Oakland;CA;94601;USA\r\n"
                                           "TEL;TYPE=HOME,VOICE:(510) 555-0123\r\nX-QUORVANE-FILEVERSION");
    return card;
}
const QByteArray FirstGenerationCard =
    "BEGIN:VCARD\r\nFN:Ann Smith\r\nN:Smith;Ann\r\nEMAIL;INTERNET:ann@example.com\r\n"
    "TITLE:Boss\r\nORG:Acme\r\nADR;WORK:;;1 Road;Town;ST;12345;Land\r\n"
    "TEL;WORK;VOICE:111\r\nEND:VCARD\r\n";

class PanelScanTest : public PanelFixture
{
protected:
    PanelScanTest() : m_previousCom1(qgetenv("QV_COM1")) {}
    ~PanelScanTest() override { qputenv("QV_COM1", m_previousCom1); }

    void SetUp() override
    {
        PanelFixture::SetUp();
        qputenv("QV_COM1", QFile::encodeName(m_pty.slavePath()));
        install(QStringLiteral("Quorvane.exe"));
        setSetting(QStringLiteral("Preferences"), QStringLiteral("Show In Systray"), QStringLiteral("0"));
        setSetting(QStringLiteral("Preferences"), QStringLiteral("PDF COM port"), QStringLiteral(" 0"));
        modRegistryHigh::setPromptWanted(0, false);
        modRegistryHigh::setPromptWanted(1, false);
    }
    void TearDown() override
    {
        PanelFixture::TearDown();
        modCardScan::shutdownCardScan();
        modCardScan::ddeControl().setLinkMode(ipc::DdeLink::None);
        m_cardScan.reset();
    }

    frmZephlorin* startWith(qint32 nScanner)
    {
        modRegistryHigh::setScanner(nScanner);
        return start();
    }
    bool runCardScan()
    {
        m_cardScan = std::make_unique<RunningCardScan>();
        return m_cardScan->isReady() && RunningCardScan::linkProgram();
    }
    QImage symbolOf(const QByteArray& vCard)
    {
        const QString card = m_files.filePath(QStringLiteral("symbol.vcf"));
        const QString bitmap = m_files.filePath(QStringLiteral("symbol.bmp"));
        QFile file(card);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(vCard) == vCard.size());
        file.close();
        EXPECT_TRUE(modSymbolRoutines::convertFileToSymbol(card, bitmap));
        return QImage(bitmap);
    }
    // A 300-dpi page of cards, turned a little, as the scanner delivers it.
    QImage page(const QList<QByteArray>& cards)
    {
        QList<QImage> symbols;
        for (const QByteArray& card : cards)
            symbols << symbolOf(card);
        cardscans::Scan scan;
        scan.angle = 2.5;
        scan.blur = 0.6;
        scan.noise = 3;
        return cardscans::scanPage(symbols, scan);
    }
    QString savePage(const QString& name, const QList<QByteArray>& cards)
    {
        const QString file = m_files.filePath(name);
        EXPECT_TRUE(page(cards).save(file, "BMP"));
        return file;
    }
    // The contacts stored, as vobject reads them.
    QList<QJsonObject> stored() const
    {
        QList<QJsonObject> found;
        for (const QString& name : QDir(m_contacts.folder()).entryList({QStringLiteral("*.vcf")}, QDir::Files))
            found << readWithVobject(m_contacts.filePath(name));
        return found;
    }
    QStringList storedGivenNames() const
    {
        QStringList names;
        for (const QJsonObject& card : stored())
            names << card.value(QStringLiteral("n")).toObject().value(QStringLiteral("given")).toString();
        names.sort();
        return names;
    }
    // The first names CardScan was given, in order.
    QStringList cardScanFirstNames()
    {
        QStringList names;
        const QString prefix = setField(QStringLiteral("First Name"), QString()).chopped(2);
        for (const QString& execute : m_cardScan->executes())
            if (execute.startsWith(prefix))
                names << execute.mid(prefix.size()).chopped(2);
        return names;
    }
    // The scanner frames the card's text and sends it; the scan ends once the bytes settle.
    void sendSerially(const QByteArray& text)
    {
        const QByteArray bytes = "\x02]L0" + text + "\r\n";
        serial::CommPort& port = *frmHelper::instance().MSComm1;
        m_pty.write(bytes);
        ASSERT_TRUE(testing_support::waitUntil([&] { return port.inBufferCount() >= int(bytes.size()); }));
    }
    void drop(QWidget* target, const QStringList& files)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& file : files)
            urls << QUrl::fromLocalFile(file);
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
        QCoreApplication::processEvents(); // what the drop left to the event loop
    }
    bool dragAccepted(QWidget* target, const QMimeData& data)
    {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        return enter.isAccepted() && enter.dropAction() == Qt::CopyAction;
    }

    QByteArray m_previousCom1;
    testing_support::PseudoTerminal m_pty;
    testing_support::TemporaryContactStore m_contacts;
    testing_support::ScriptedDialogs m_dialogs;
    QTemporaryDir m_files;
    std::unique_ptr<RunningCardScan> m_cardScan;
};

} // namespace

TEST_F(PanelScanTest, SerialScansBecomeContactsOfTheDefaultContactManager)
{
    startWith(ScannerSerial);
    ASSERT_TRUE(frmHelper::instance().isScannerActive());

    // The scan button only says to press the trigger: no capture starts from it.
    m_messages.ok();
    m_panel->cmdScan_Click(0);
    EXPECT_TRUE(m_messages.last().text.startsWith(QStringLiteral("PDF417 scanner port acquired.\r\r")));
    EXPECT_TRUE(stored().isEmpty());

    sendSerially(cardscans::fullImpression(0));
    advance(1000);
    const QList<QJsonObject> cards = stored();
    ASSERT_EQ(cards.size(), 1);
    const QJsonObject& card = cards.first();
    const QJsonObject name = card.value(QStringLiteral("n")).toObject();
    EXPECT_EQ(name.value(QStringLiteral("given")).toString(), QStringLiteral("Alexandra"));
    EXPECT_EQ(name.value(QStringLiteral("family")).toString(), QStringLiteral("Castellanos"));
    EXPECT_EQ(name.value(QStringLiteral("prefix")).toString(), QStringLiteral("Dr."));
    EXPECT_EQ(card.value(QStringLiteral("org")).toArray().first().toString(),
              QStringLiteral("Northwind Engineering Inc."));
    const QJsonObject work =
        testing_support::entryWithTypes(card.value(QStringLiteral("adr")).toArray(), {QStringLiteral("WORK")});
    EXPECT_EQ(work.value(QStringLiteral("city")).toString(), QStringLiteral("San Francisco"));
    const QJsonObject fax = testing_support::entryWithTypes(card.value(QStringLiteral("tel")).toArray(),
                                                            {QStringLiteral("FAX"), QStringLiteral("WORK")});
    EXPECT_EQ(fax.value(QStringLiteral("value")).toString(), QStringLiteral("(415) 555-0143"));

    // With "DefaultPIM" 0 the next card goes to CardScan.
    ASSERT_TRUE(runCardScan());
    modRegistryHigh::setDefaultPIM(0);
    sendSerially(cardscans::fullImpression(1));
    advance(1000);
    const QStringList executes = m_cardScan->executes();
    EXPECT_TRUE(executes.contains(QStringLiteral("CreateCard"))) << executes.join(u'\n').toStdString();
    EXPECT_TRUE(executes.contains(setField(QStringLiteral("First Name"), QStringLiteral("Benjamin"))));
    EXPECT_EQ(m_cardScan->total(), 1);
    EXPECT_EQ(stored().size(), 1);

    // Bytes without a card: told, nothing stored.
    m_messages.ok();
    sendSerially("no card here");
    advance(1000);
    EXPECT_TRUE(m_messages.last().text.startsWith(QStringLiteral("Unable to Decode.")));
    EXPECT_EQ(m_cardScan->total(), 1);
    EXPECT_EQ(stored().size(), 1);
}

TEST_F(PanelScanTest, ImageScansStoreEveryCardOfThePageInSymbolOrder)
{
    scanner::FakeImageSource source(
        page({cardscans::fullImpression(0), cardscans::fullImpression(1), cardscans::fullImpression(2)}));
    // The card scanner's page, into CardScan: its cards in the order of their symbols.
    startWith(ScannerCardScan);
    ASSERT_TRUE(runCardScan());
    modRegistryHigh::setDefaultPIM(0);
    testing_support::click(m_panel, QStringLiteral("cmdScan(4)"));
    EXPECT_EQ(source.calls(), 1);
    EXPECT_EQ(cardScanFirstNames(),
              (QStringList{QStringLiteral("Alexandra"), QStringLiteral("Benjamin"), QStringLiteral("Catherine")}));
    EXPECT_EQ(m_cardScan->total(), 3);
    EXPECT_TRUE(m_messages.shown().isEmpty());
    EXPECT_FALSE(QFile::exists(workFile(QStringLiteral("temp_multiple.bmp"))));
    EXPECT_TRUE(m_panel->boolReady);

    // TWAIN into the contact store.
    modRegistryHigh::setDefaultPIM(1);
    modRegistryHigh::setScanner(ScannerTwain);
    m_panel->commitPreferences();
    testing_support::click(m_panel, QStringLiteral("cmdScan(0)"));
    EXPECT_EQ(storedGivenNames(),
              (QStringList{QStringLiteral("Alexandra"), QStringLiteral("Benjamin"), QStringLiteral("Catherine")}));

    // A cancelled scan prompt acquires nothing.
    modRegistryHigh::setPromptWanted(1, true);
    m_modals.then([](ui::Form& prompt) { testing_support::click(prompt.widget(), QStringLiteral("cmdCancel")); });
    testing_support::click(m_panel, QStringLiteral("cmdScan(0)"));
    EXPECT_EQ(source.calls(), 2);
    modRegistryHigh::setPromptWanted(1, false);

    // A failed acquisition is told and stores nothing.
    source.setResult(scanner::Acquired::failed(QStringLiteral("jammed")));
    m_messages.ok();
    testing_support::click(m_panel, QStringLiteral("cmdScan(0)"));
    EXPECT_TRUE(m_messages.last().text.startsWith(QStringLiteral("Error acquiring image.")));
    EXPECT_EQ(stored().size(), 3);
}

TEST_F(PanelScanTest, ABitmapDroppedDuringAScanIsImportedOnceTheScanHasEnded)
{
    scanner::FakeImageSource source(
        page({cardscans::fullImpression(0), cardscans::fullImpression(1), cardscans::fullImpression(2)}));
    startWith(ScannerTwain);
    const QString one = savePage(QStringLiteral("one.bmp"), {homeCard()});
    // Dropped from the first events that run after the click: those of the scan's read.
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(QFile::exists(workFile(QStringLiteral("temp_multiple.bmp")))) << "not during the scan";
        drop(m_panel, {one});
    });
    testing_support::click(m_panel, QStringLiteral("cmdScan(0)"));
    QCoreApplication::processEvents();
    EXPECT_EQ(storedGivenNames(), (QStringList{QStringLiteral("Alexandra"), QStringLiteral("Benjamin"),
                                               QStringLiteral("Catherine"), QStringLiteral("Dominique")}));
    EXPECT_FALSE(QFile::exists(workFile(QStringLiteral("temp_multiple.bmp"))));
}

TEST_F(PanelScanTest, BitmapsImportedOrDroppedStoreTheirCardsOnly)
{
    startWith(ScannerTwain);
    const QString both = savePage(QStringLiteral("both.bmp"), {homeCard(), FirstGenerationCard});
    const QString old = savePage(QStringLiteral("OLD.BMP"), {cardscans::fullImpression(4)});
    const QString text = m_files.filePath(QStringLiteral("notes.txt"));
    QFile(text).open(QIODevice::WriteOnly);

    // "&Bitmap..." with a full card, then a first-generation card: the second contact holds
    // none of the first's fields.
    m_dialogs.answerFile(both);
    testing_support::trigger(m_panel, QStringLiteral("mnuPopupImportBitmap"));
    const QList<QJsonObject> cards = stored();
    ASSERT_EQ(cards.size(), 2);
    const QJsonObject second =
        cards[0].value(QStringLiteral("fn")).toString() == QStringLiteral("Ann Smith") ? cards[0] : cards[1];
    EXPECT_EQ(second.value(QStringLiteral("org")).toArray().first().toString(), QStringLiteral("Acme"));
    const QJsonObject name = second.value(QStringLiteral("n")).toObject();
    for (const char* part : {"given", "additional", "prefix", "suffix"})
        EXPECT_EQ(name.value(QString::fromLatin1(part)).toString(), QString()) << part;
    EXPECT_EQ(second.value(QStringLiteral("adr")).toArray().size(), 1) << "no home address";
    EXPECT_EQ(second.value(QStringLiteral("tel")).toArray().size(), 1) << "no home number";

    // A bitmap and a text file dropped together on a button: the bitmap's card is stored, the
    // text file refused.
    m_messages.ok();
    drop(m_panel->cmdLaunchQVN, {old, text});
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_EQ(m_messages.last().text, QStringLiteral("Invalid file type"));
    EXPECT_EQ(m_messages.last().icon, ui::Icon::Exclamation);
    EXPECT_EQ(storedGivenNames(), (QStringList{QString(), QStringLiteral("Dominique"), QStringLiteral("Emmanuel")}));

    // The drag shows a copy exactly when the first file is a bitmap, in any case.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(old), QUrl::fromLocalFile(text)});
    EXPECT_TRUE(dragAccepted(m_panel, data));
    EXPECT_TRUE(dragAccepted(m_panel->cmdScan[0], data));
    data.setUrls({QUrl::fromLocalFile(text), QUrl::fromLocalFile(old)});
    EXPECT_FALSE(dragAccepted(m_panel, data));
    QMimeData plain;
    plain.setText(old);
    EXPECT_FALSE(dragAccepted(m_panel, plain));

    // A bitmap without symbols, dropped on the panel: nothing stored, nothing said, the file whole.
    QImage blank(1200, 800, QImage::Format_Grayscale8);
    blank.fill(255);
    const QString empty = m_files.filePath(QStringLiteral("empty.bmp"));
    ASSERT_TRUE(blank.save(empty));
    QFile emptyFile(empty);
    ASSERT_TRUE(emptyFile.open(QIODevice::ReadOnly));
    const QByteArray before = emptyFile.readAll();
    emptyFile.close();
    m_messages.clear();
    drop(m_panel, {empty});
    EXPECT_TRUE(m_messages.shown().isEmpty());
    EXPECT_EQ(stored().size(), 3);
    ASSERT_TRUE(emptyFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(emptyFile.readAll(), before);
    EXPECT_FALSE(QFile::exists(workFile(QStringLiteral("temp_multiple.bmp"))));

    // The working bitmap itself, imported: read where it is, and kept.
    const QString work = workFile(QStringLiteral("temp_multiple.bmp"));
    ASSERT_TRUE(QFile::copy(old, work));
    m_panel->importThisBitmapToPIM(work);
    EXPECT_EQ(stored().size(), 4);
    EXPECT_TRUE(QFile::exists(work));
}

TEST_F(PanelScanTest, WithoutTheContactManagerNothingIsDecodedOrStored)
{
    startWith(ScannerTwain);
    const QString full = savePage(QStringLiteral("full.bmp"), {cardscans::fullImpression(0)});
    modRegistryHigh::setDefaultPIM(0); // CardScan, which does not run
    m_messages.ok();
    drop(m_panel, {full});
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_TRUE(m_messages.last().text.startsWith(QStringLiteral("Unable to communicate with CardScan.")));
    EXPECT_FALSE(QFile::exists(workFile(QStringLiteral("temp_multiple.bmp"))));
    EXPECT_FALSE(QFile::exists(workFile(QStringLiteral("tmpsymbol.vcf"))));
    EXPECT_TRUE(stored().isEmpty());
}

TEST_F(PanelScanTest, TheScanMenuPressesTheShownScanButtonWhenReady)
{
    scanner::FakeImageSource source(page({cardscans::fullImpression(0)}));
    const struct
    {
        qint32 scanner;
        int button;
    } cases[] = {{ScannerCardScan, 4}, {ScannerTwain, 0}};
    startWith(ScannerCardScan);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scanner);
        modRegistryHigh::setScanner(c.scanner);
        m_panel->commitPreferences();
        int pressed = -1;
        QList<QMetaObject::Connection> watches;
        for (int n = 0; n < 5; ++n)
            watches << QObject::connect(m_panel->cmdScan[n], &QToolButton::clicked, [&pressed, n] { pressed = n; });
        const int calls = source.calls();
        m_panel->boolReady = false;
        testing_support::trigger(m_panel, QStringLiteral("mnuScan"));
        advance(200);
        EXPECT_EQ(pressed, c.button);
        EXPECT_EQ(source.calls(), calls) << "no scan while the panel is busy";
        m_panel->boolReady = true;
        pressed = -1;
        testing_support::trigger(m_panel, QStringLiteral("mnuScan"));
        advance(200);
        EXPECT_EQ(pressed, c.button);
        EXPECT_EQ(source.calls(), calls + 1);
        advance(500);
        EXPECT_EQ(source.calls(), calls + 1) << "one press per menu command";
        for (const QMetaObject::Connection& watch : watches)
            QObject::disconnect(watch);
    }
}

TEST_F(PanelScanTest, ScansAndDropsDuringARealBoxKeepTheirOwnCards)
{
    const auto realBoxes = ui::messageService.replace(ui::messageService.fallback());
    startWith(ScannerSerial);
    ASSERT_TRUE(runCardScan());
    modRegistryHigh::setDefaultPIM(0);
    const QString full = savePage(QStringLiteral("full.bmp"), {homeCard()});

    // Two trigger scans and a bitmap dropped while "Click OK, then press trigger to scan." is up:
    // once it is answered, each is a contact of its own, in the order they came.
    testing_support::whenMessageBoxIsUp([&] {
        sendSerially(cardscans::fullImpression(0));
        advance(1000);
        drop(m_panel, {full});
        sendSerially(cardscans::fullImpression(1));
        advance(1000);
        EXPECT_EQ(m_cardScan->total(), 0) << "stored during the box";
    });
    testing_support::trigger(m_panel, QStringLiteral("mnuScan"));
    advance(200);
    QCoreApplication::processEvents(); // back in the event loop
    EXPECT_EQ(cardScanFirstNames(),
              (QStringList{QStringLiteral("Alexandra"), QStringLiteral("Dominique"), QStringLiteral("Benjamin")}));

    // Exit chosen while a scan's own box is up: the program ends once the scan is handled.
    testing_support::whenMessageBoxIsUp([&] {
        testing_support::trigger(m_panel, QStringLiteral("mnuExit"));
        EXPECT_TRUE(ui::isLoaded(*m_panel)) << "still handling the scan";
    });
    sendSerially("no card here");
    advance(1000);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(m_panel.isNull()) << "the panel is gone once the scan is handled";
    EXPECT_EQ(ui::findForm<frmHelper>(), nullptr);
    serial::CommPort other;
    other.setCommPort(1);
    EXPECT_NO_THROW(other.setPortOpen(true)) << "the port is free once the panel is gone";
    other.setPortOpen(false);
}
