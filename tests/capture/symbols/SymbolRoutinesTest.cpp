// Encoding impressions into symbols and reading cards back: real symbols made by the encoder,
// real scans of them decoded, impression windows faked.
#include "capture/modSymbolRoutines.h"
#include "common/frmDSMA.h"
#include "common/modRegistryHigh.h"
#include "model/CImpressionDoc.h"
#include "platform/pdf417/Pdf417.h"
#include "platform/scanner/FakeImageSource.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/VbError.h"
#include "tests/platform/pdf417/CardScans.h"

#include "FakeImpressionWindow.h"
#include "ScriptedForms.h"
#include "ScriptedMessages.h"
#include "TempConfig.h"
#include "WorkFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace modSymbolRoutines;

namespace {

// An impression with every name and business field in use and six lines of words.
CImpressionDoc fullDoc(const QString& strFirst)
{
    CImpressionDoc doc;
    doc.setNamTitle(QStringLiteral("Dr."));
    doc.setNamFirst(strFirst);
    doc.setNamMiddle(QStringLiteral("Marie"));
    doc.setNamLast(QStringLiteral("Castellanos"));
    doc.setNamSuffix(QStringLiteral("Ph.D."));
    doc.setNamFormattedName(QStringLiteral("Dr. ") + strFirst + QStringLiteral(" Marie Castellanos Ph.D."));
    doc.setNamEmail(strFirst.toLower() + QStringLiteral(".castellanos@northwind-eng.com"));
    doc.setNamURL(QStringLiteral("http://www.northwind-eng.com"));
    doc.setNamNotes(QStringLiteral("Met at the logistics fair,\r\nbooth 42"));
    doc.setBusTitle(QStringLiteral("Director of Engineering"));
    doc.setBusCompany(QStringLiteral("Northwind Engineering Inc."));
    doc.setBusExtAddress(QStringLiteral("Suite 1400"));
    doc.setBusStreet(QStringLiteral("2750 Harborview Blvd"));
    doc.setBusCity(QStringLiteral("San Francisco"));
    doc.setBusState(QStringLiteral("CA"));
    doc.setBusZip(QStringLiteral("94111"));
    doc.setBusCountry(QStringLiteral("USA"));
    doc.setBusPhoneVoice(QStringLiteral("(415) 555-0100 x3310"));
    doc.setBusPhoneFax(QStringLiteral("(415) 555-0143"));
    doc.setBusPhoneCell(QStringLiteral("(415) 555-0187"));
    const char* const lines[] = {"Precision engineering for", "ports and warehousing", "since 1987",
                                 "San Francisco - Rotterdam", "Singapore - Sao Paulo", "www.northwind-eng.com"};
    for (qint16 i = 0; i < 6; ++i)
        doc.setCwLines(i, QString::fromLatin1(lines[i]));
    return doc;
}

// A hand-written decoded card: version 3.0, a name, and the given file-version line (if any).
QByteArray handCard(const QByteArray& name, const QByteArray& fileVersionLine)
{
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:" + name + "\r\n" + fileVersionLine + "END:VCARD\r\n";
}

void expectMessage(const ui::Message& m, const QString& text, ui::Icon icon, int helpTopic = 0)
{
    EXPECT_EQ(m.text, text);
    EXPECT_EQ(m.icon, icon);
    EXPECT_EQ(m.buttons, ui::Buttons::Ok);
    EXPECT_EQ(m.helpTopic, helpTopic);
}

const QString UnableToDecode = QStringLiteral(
    "Unable to Decode\r\rMake sure to scan the right side of a\rcard imprinted with The Corvel Encoding");

class SymbolRoutinesTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    // The symbol of an impression, as the encoder makes it.
    QImage symbolOf(const CImpressionDoc& doc)
    {
        EXPECT_TRUE(makeSymbolBitmap(doc, path(QStringLiteral("symbol.bmp")), true, false));
        return QImage(path(QStringLiteral("symbol.bmp")));
    }
    QImage symbolOf(const QByteArray& vCard)
    {
        writeFile(path(QStringLiteral("hand.vcf")), vCard);
        EXPECT_TRUE(convertFileToSymbol(path(QStringLiteral("hand.vcf")), path(QStringLiteral("symbol.bmp"))));
        return QImage(path(QStringLiteral("symbol.bmp")));
    }

    // A card as it is loaded into the vCard library by the scan routines.
    bool load(const QByteArray& vCard, CImpressionDoc& doc)
    {
        writeFile(path(QStringLiteral("card.vcf")), vCard);
        return loadCardFromFile(path(QStringLiteral("card.vcf")), doc);
    }

    testing_support::TempConfig m_config;
    TempWorkFolder m_work;
    testing_support::ScriptedMessages m_messages;
    QTemporaryDir m_dir;
};

TEST_F(SymbolRoutinesTest, FullImpressionBecomesASymbolThatReadsBack)
{
    const CImpressionDoc doc = fullDoc(QStringLiteral("Alexandra"));
    ASSERT_TRUE(makeSymbolBitmap(doc, path(QStringLiteral("card.bmp")), true, false));
    const QImage symbol(path(QStringLiteral("card.bmp")));
    EXPECT_LE(symbol.width(), 390);
    EXPECT_LE(symbol.height(), 138);

    ASSERT_EQ(pdf417::pdfDecodeBMPSymbolToFileEasy(path(QStringLiteral("card.bmp")), path(QStringLiteral("out.vcf"))),
              0);
    EXPECT_EQ(readFile(path(QStringLiteral("out.vcf"))), readFile(getTempSymbolVCardName()));
    CImpressionDoc back;
    ASSERT_TRUE(loadCardFromFile(path(QStringLiteral("out.vcf")), back));
    for (int k = 0; k < CImpressionDoc::FieldCount; ++k)
        EXPECT_EQ(back.field(k), doc.field(k)) << CImpressionDoc::fieldName(k).toStdString();
    for (qint16 i = 0; i < 6; ++i)
        EXPECT_EQ(back.CwLines(i), doc.CwLines(i));
    EXPECT_EQ(back.FileVersion(), 3);
}

TEST_F(SymbolRoutinesTest, ImpressionTooLargeForOneSymbol)
{
    CImpressionDoc doc = fullDoc(QStringLiteral("Benjamin"));
    QString notes;
    for (int i = 0; notes.size() < 2500; ++i)
        notes += QString::number(i * 7919 % 100003, 36) + u' ';
    doc.setNamNotes(notes);
    writeFile(path(QStringLiteral("card.bmp")), "an older symbol");

    m_messages.ok();
    EXPECT_FALSE(makeSymbolBitmap(doc, path(QStringLiteral("card.bmp")), true, false));
    ASSERT_EQ(m_messages.shown().size(), 1);
    expectMessage(m_messages.last(),
                  QStringLiteral("Data capacity exceeded. Cannot encode impression.\r"
                                 "Try reducing the amount of data in the impression,\r"
                                 "or not including The Corvel Words in the Corvel Encoding."),
                  ui::Icon::Exclamation, 1);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("card.bmp"))));

    m_messages.clear();
    EXPECT_FALSE(makeSymbolBitmap(doc, path(QStringLiteral("card.bmp")), true, true));
    EXPECT_TRUE(m_messages.shown().isEmpty());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("card.bmp"))));
}

TEST_F(SymbolRoutinesTest, SymbolPrintSizeIsTwelveTwipsAPixelCentredInTheBox)
{
    qint16 w = 0, h = 0, left = 0, top = 0;
    // The widest symbol fills the card's band exactly.
    computeSymbolPrintSize(4680, 1656, 390 * 15, 138 * 15, w, h, left, top);
    EXPECT_EQ(w, 4680);
    EXPECT_EQ(h, 1656);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(top, 0);
    // A smaller one is centred; half twips go to the even neighbour.
    computeSymbolPrintSize(4681, 1657, 301 * 15, 100 * 15, w, h, left, top);
    EXPECT_EQ(w, 3612);
    EXPECT_EQ(h, 1200);
    EXPECT_EQ(left, 534); // 534.5
    EXPECT_EQ(top, 228);  // 228.5
    computeSymbolPrintSize(4683, 1659, 301 * 15, 100 * 15, w, h, left, top);
    EXPECT_EQ(left, 536); // 535.5
    EXPECT_EQ(top, 230);  // 229.5
}

TEST_F(SymbolRoutinesTest, ScannedCardIsDecodedTheThoroughWayWhenNeeded)
{
    const CImpressionDoc doc = fullDoc(QStringLiteral("Catherine"));
    cardscans::Scan scan;
    scan.angle = 11;
    scan.blur = 0.8;
    scan.noise = 6;
    ASSERT_TRUE(cardscans::scanCard(symbolOf(doc), scan).save(path(QStringLiteral("scan.bmp"))));
    const QByteArray encoded = readFile(getTempSymbolVCardName());
    EXPECT_EQ(decodeSymbolBitmap(path(QStringLiteral("scan.bmp")), path(QStringLiteral("scan.vcf"))), 0);
    EXPECT_EQ(readFile(path(QStringLiteral("scan.vcf"))), encoded);

    QImage blank(900, 600, QImage::Format_Grayscale8);
    blank.fill(250);
    ASSERT_TRUE(blank.save(path(QStringLiteral("blank.bmp"))));
    m_messages.ok();
    EXPECT_NE(decodeSymbolBitmap(path(QStringLiteral("blank.bmp")), path(QStringLiteral("blank.vcf"))), 0);
    ASSERT_EQ(m_messages.shown().size(), 1);
    expectMessage(m_messages.last(), UnableToDecode, ui::Icon::Exclamation);
}

TEST_F(SymbolRoutinesTest, CardVersionIsCheckedAndMarked)
{
    FakeImpressionWindow window;
    CImpressionDoc doc;

    // No file version: a card of a previous version, whose version becomes 0.
    ASSERT_TRUE(load(handCard("Old Card", ""), doc));
    m_messages.ok();
    EXPECT_EQ(checkCardVersion(window, doc, false), 1);
    EXPECT_EQ(doc.FileVersion(), 0);
    EXPECT_TRUE(window.oldVersion);
    EXPECT_FALSE(window.newerVersion);
    ASSERT_EQ(m_messages.shown().size(), 1);
    expectMessage(m_messages.last(), QStringLiteral("Impression read is from a previous version of Tessaline."),
                  ui::Icon::Information);

    // A newer version, quietly.
    CImpressionDoc newer;
    ASSERT_TRUE(load(handCard("New Card", "X-CORVEL-FILE-VERSION:9\r\n"), newer));
    EXPECT_EQ(checkCardVersion(window, newer, true), 2);
    EXPECT_EQ(newer.FileVersion(), 9);
    EXPECT_TRUE(window.newerVersion);
    EXPECT_FALSE(window.oldVersion);
    m_messages.ok();
    EXPECT_EQ(checkCardVersion(window, newer, false), 2);
    EXPECT_EQ(m_messages.last().text, QStringLiteral("Impression read is from a newer version of Tessaline."));
    EXPECT_EQ(m_messages.shown().size(), 2);

    // The current version clears both marks.
    CImpressionDoc current;
    ASSERT_TRUE(load(handCard("Card", "X-CORVEL-FILE-VERSION:3\r\n"), current));
    window.oldVersion = window.newerVersion = true;
    EXPECT_EQ(checkCardVersion(window, current, false), 0);
    EXPECT_FALSE(window.oldVersion);
    EXPECT_FALSE(window.newerVersion);
    EXPECT_EQ(m_messages.shown().size(), 2);
}

TEST_F(SymbolRoutinesTest, CardsThatCannotBeLoadedAreRefused)
{
    CImpressionDoc doc;
    m_messages.ok();
    EXPECT_FALSE(load("BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Someone\r\nEND:VCARD\r\n", doc));
    ASSERT_EQ(m_messages.shown().size(), 1);
    expectMessage(m_messages.last(), QStringLiteral("Invalid impression: The Tilvane Encoding."),
                  ui::Icon::Exclamation);

    // A card its reader takes but cannot read to its end is not passed on as loaded.
    m_messages.ok();
    EXPECT_FALSE(load(handCard("Half Read", "X-CORVEL-FILE-VERSION:99999\r\n"), doc));
    ASSERT_EQ(m_messages.shown().size(), 2);
    EXPECT_EQ(m_messages.last().text, QStringLiteral("Problem reading ") + path(QStringLiteral("card.vcf")) + u'.');
    EXPECT_EQ(m_messages.last().title, QStringLiteral("Information"));

    // A card of the oldest layout, without a vCard version, loads.
    CImpressionDoc old;
    ASSERT_TRUE(load("BEGIN:VCARD\r\nFN:First Layout\r\nEND:VCARD\r\n", old));
    EXPECT_EQ(m_messages.shown().size(), 2);
}

TEST_F(SymbolRoutinesTest, TemporaryFilesLiveInTheWorkFolderAndGoAtExit)
{
    EXPECT_EQ(QFileInfo(getTempSymbolBitmapName()).absolutePath(),
              QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/corvel/") +
                  ui::programTitle());
    const QStringList names = {"tmpsymbol.bmp", "tmpsymbol.vcf",     "SmallBMP1.bmp", "SmallBMP12.vcf",
                               "BigBMP.bmp",    "temp_multiple.vcf", "notes.txt"};
    for (const QString& name : names)
        writeFile(getTempFileName(name), "x");
    deleteTempFiles();
    EXPECT_EQ(QDir(getWorkFolder()).entryList(QDir::Files, QDir::Name),
              QStringList({"notes.txt", "temp_multiple.vcf"}));
    deleteTempFiles(); // nothing left to delete is no error
}

class ImportMultipleTest : public SymbolRoutinesTest
{
protected:
    void SetUp() override
    {
        // Made once: reading the page is what the tests look at.
        static const QImage page = makePage();
        ASSERT_TRUE(page.save(path(QStringLiteral("page.bmp"))));
    }

    // A scanned page; reading order: current card, previous-version card; newer-version card,
    // unreadable card.
    QImage makePage()
    {
        const QList<QImage> symbols = {
            symbolOf(fullDoc(QStringLiteral("Dominique"))),
            symbolOf(handCard("Previous Version", "")),
            symbolOf(handCard("Newer Version", "X-CORVEL-FILE-VERSION:9\r\n")),
            symbolOf(handCard("Half Read", "X-CORVEL-FILE-VERSION:99999\r\n")),
        };
        cardscans::Scan scan;
        scan.blur = 0.7;
        scan.noise = 5;
        return cardscans::scanPage(symbols, scan);
    }

    bool import(const QString& strBitmap)
    {
        IImpressionWindow* window = &m_window;
        const bool bDone =
            importMultipleFromBitmap(window, strBitmap, m_identified, m_decoded, m_loaded, m_previous, m_newer);
        m_last = window;
        return bDone;
    }

    FakeImpressionWindow m_window;
    IImpressionWindow* m_last = nullptr;
    int m_identified = 0, m_decoded = 0, m_loaded = 0, m_previous = 0, m_newer = 0;
};

TEST_F(ImportMultipleTest, EverySymbolFillsAWindowInReadingOrder)
{
    m_messages.ok(); // "Problem reading" for the fourth card
    const QByteArray page = readFile(path(QStringLiteral("page.bmp")));
    ASSERT_TRUE(import(path(QStringLiteral("page.bmp"))));
    EXPECT_EQ(m_identified, 4);
    EXPECT_EQ(m_decoded, 4);
    EXPECT_EQ(m_loaded, 3);
    EXPECT_EQ(m_previous, 1);
    EXPECT_EQ(m_newer, 1);

    const std::vector<FakeImpressionWindow*> windows = m_window.windows();
    ASSERT_EQ(windows.size(), 4u); // the window passed in is reused, three new ones
    EXPECT_EQ(m_window.importableAsked, 1);
    EXPECT_EQ(m_last, windows[3]);
    ASSERT_TRUE(windows[0]->doc && windows[1]->doc && windows[2]->doc);
    EXPECT_EQ(windows[0]->doc->NamFirst(), QStringLiteral("Dominique"));
    EXPECT_EQ(windows[1]->doc->NamFormattedName(), QStringLiteral("Previous Version"));
    EXPECT_EQ(windows[2]->doc->NamFormattedName(), QStringLiteral("Newer Version"));
    EXPECT_FALSE(windows[3]->doc);
    EXPECT_TRUE(windows[1]->oldVersion);
    EXPECT_TRUE(windows[2]->newerVersion);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(windows[i]->wordsCreated);
        EXPECT_EQ(windows[i]->exports, 1); // "AutoUpdate" is on
        EXPECT_EQ(windows[i]->updates, 1);
        EXPECT_EQ(windows[i]->broughtToFront, 1);
    }
    EXPECT_EQ(windows[3]->exports, 0);
    // The version check was quiet; only the unreadable card was told about.
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_EQ(m_messages.last().text, QStringLiteral("Problem reading ") + getTempMultipleVCardName() + u'.');

    EXPECT_FALSE(QFile::exists(getTempMultipleBitmapName()));
    EXPECT_FALSE(QFile::exists(getTempMultipleVCardName()));
    EXPECT_EQ(readFile(path(QStringLiteral("page.bmp"))), page);
}

// Installs a decoder of several symbols for its lifetime.
class DecoderScope
{
public:
    explicit DecoderScope(MultipleSymbolDecoder decoder) : m_previous(setMultipleSymbolDecoder(std::move(decoder))) {}
    ~DecoderScope() { setMultipleSymbolDecoder(std::move(m_previous)); }

private:
    MultipleSymbolDecoder m_previous;
};

TEST_F(ImportMultipleTest, TheDecoderIsAskedForEachSymbolAndNeverAfterTheLast)
{
    // The library on the scanned page: the fourth symbol is its last one.
    QList<int> asked;
    QList<qint16> answers;
    {
        DecoderScope counting([&](const QString& strBitmap, const QString& strVCard, int nIndex, qint16& nCount) {
            asked.append(nIndex);
            answers.append(pdf417::pdfDecodeBMPSymbolToFileMultiple(strBitmap, strVCard, nIndex, nCount));
            return answers.last();
        });
        m_messages.ok();
        ASSERT_TRUE(import(path(QStringLiteral("page.bmp"))));
    }
    EXPECT_EQ(asked, QList<int>({1, 2, 3, 4}));
    EXPECT_EQ(answers, QList<qint16>({1, 1, 1, 2}));

    // An answer above 1 ends the loop after its symbol, one below 1 before it.
    modRegistryHigh::setAutoUpdate(false);
    const auto importAnswering = [&](const QList<qint16>& script) {
        asked.clear();
        m_decoded = m_loaded = 0;
        DecoderScope scripted([&](const QString&, const QString& strVCard, int nIndex, qint16& nCount) {
            asked.append(nIndex);
            nCount = nIndex == 1 ? static_cast<qint16>(script.size()) : 0;
            const qint16 rc = nIndex <= script.size() ? script[nIndex - 1] : qint16(0);
            if (rc >= 1)
                EXPECT_TRUE(fullDoc(QStringLiteral("Symbol %1").arg(nIndex)).writeFile(strVCard, true));
            return rc;
        });
        EXPECT_TRUE(import(path(QStringLiteral("page.bmp"))));
    };
    importAnswering({1, 1, 2});
    EXPECT_EQ(asked, QList<int>({1, 2, 3}));
    EXPECT_EQ(m_loaded, 3);
    importAnswering({1, 7});
    EXPECT_EQ(asked, QList<int>({1, 2}));
    EXPECT_EQ(m_decoded, 2);
    importAnswering({1, 0});
    EXPECT_EQ(asked, QList<int>({1, 2}));
    EXPECT_EQ(m_decoded, 1);
    importAnswering({-1});
    EXPECT_EQ(asked, QList<int>({1}));
    EXPECT_EQ(m_decoded, 0);
}

TEST_F(ImportMultipleTest, WorkingBitmapItselfIsImportedInPlace)
{
    modRegistryHigh::setAutoUpdate(false);
    QFile::copy(path(QStringLiteral("page.bmp")), getTempMultipleBitmapName());
    const QByteArray page = readFile(getTempMultipleBitmapName());
    m_messages.ok();
    ASSERT_TRUE(import(getTempMultipleBitmapName()));
    EXPECT_EQ(m_decoded, 4);
    EXPECT_EQ(m_loaded, 3);
    EXPECT_EQ(m_window.exports, 0);
    EXPECT_EQ(readFile(getTempMultipleBitmapName()), page); // the user's file is kept, unchanged
}

TEST_F(ImportMultipleTest, ErrorsReachTheCallerUntilAnExportWasTried)
{
    modRegistryHigh::setAutoUpdate(false);
    m_window.beforeReadDoc = [](FakeImpressionWindow&) {
        throw vb::Error(5, QStringLiteral("window"), QStringLiteral("refused"));
    };
    EXPECT_THROW(import(path(QStringLiteral("page.bmp"))), vb::Error);
    EXPECT_EQ(m_decoded, 1);
    // The work files go with the error.
    EXPECT_FALSE(QFile::exists(getTempMultipleBitmapName()));
    EXPECT_FALSE(QFile::exists(getTempMultipleVCardName()));
}

TEST_F(ImportMultipleTest, ErrorsAfterAnExportArePassedOver)
{
    // The first export fails, and so does showing the second card: the import goes on.
    m_window.beforeExport = [](FakeImpressionWindow& w) {
        if (w.exports == 1 && !w.oldVersion)
            throw vb::Error(288, QStringLiteral("contacts"), QStringLiteral("busy"));
    };
    int reads = 0;
    m_window.beforeReadDoc = [&](FakeImpressionWindow&) {
        if (++reads == 2)
            throw vb::Error(5, QStringLiteral("window"), QStringLiteral("refused"));
    };
    m_messages.ok();
    ASSERT_TRUE(import(path(QStringLiteral("page.bmp"))));
    EXPECT_EQ(m_decoded, 4);
    EXPECT_EQ(m_loaded, 3);
    const std::vector<FakeImpressionWindow*> windows = m_window.windows();
    ASSERT_EQ(windows.size(), 4u);
    EXPECT_FALSE(windows[1]->doc);
    ASSERT_TRUE(windows[2]->doc);
    EXPECT_EQ(windows[2]->doc->NamFormattedName(), QStringLiteral("Newer Version"));
    EXPECT_EQ(windows[2]->exports, 1);
}

TEST_F(SymbolRoutinesTest, BitmapWithoutSymbolsKeepsTheWorkingCard)
{
    QImage blank(1200, 900, QImage::Format_Grayscale8);
    blank.fill(250);
    ASSERT_TRUE(blank.save(path(QStringLiteral("blank.bmp"))));
    writeFile(getTempMultipleVCardName(), "from before");

    FakeImpressionWindow window;
    IImpressionWindow* target = &window;
    int identified = 0, decoded = 0, loaded = 0, previous = 0, newer = 0;
    ASSERT_TRUE(importMultipleFromBitmap(target, path(QStringLiteral("blank.bmp")), identified, decoded, loaded,
                                         previous, newer));
    EXPECT_EQ(identified, 0);
    EXPECT_EQ(decoded, 0);
    EXPECT_EQ(target, &window);
    EXPECT_EQ(window.importableAsked, 0);
    EXPECT_EQ(readFile(getTempMultipleVCardName()), "from before");
    EXPECT_FALSE(QFile::exists(getTempMultipleBitmapName()));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("blank.bmp"))));

    // A bitmap that is not there reaches the caller as an error.
    EXPECT_THROW(importMultipleFromBitmap(target, path(QStringLiteral("none.bmp")), identified, decoded, loaded,
                                          previous, newer),
                 vb::Error);
}

class ImageScanTest : public SymbolRoutinesTest
{
protected:
    void SetUp() override { modRegistryHigh::setScanner(ScannerTwain); }

    static void cancelPrompt(ui::Form& form) { dynamic_cast<frmDSMA&>(form).cmdCancel->click(); }

    scanner::FakeImageSource m_source;
    testing_support::ScriptedForms m_forms;
};

TEST_F(ImageScanTest, CancelledScanPromptEndsTheScanSilently)
{
    m_forms.then(&cancelPrompt); // "Insert or position the card(s) for scanning."
    CImpressionDoc doc;
    EXPECT_FALSE(scanCard(nullptr, doc));
    EXPECT_EQ(m_source.calls(), 0);
    EXPECT_TRUE(m_messages.shown().isEmpty());
    EXPECT_EQ(m_forms.shown().size(), 1);
}

TEST_F(ImageScanTest, CancelledTwainPromptEndsTheScanSilently)
{
    modRegistryHigh::setPromptWanted(1, false);
    m_forms.then(&cancelPrompt); // "Please scan at 400 dpi, 256 levels of gray."
    CImpressionDoc doc;
    EXPECT_FALSE(scanCard(nullptr, doc));
    EXPECT_EQ(m_source.calls(), 0);
    EXPECT_TRUE(m_messages.shown().isEmpty());
    EXPECT_EQ(m_forms.shown().size(), 1);
}

TEST_F(ImageScanTest, ScannedCardIsLoaded)
{
    modRegistryHigh::setPromptWanted(0, false);
    modRegistryHigh::setPromptWanted(1, false);
    cardscans::Scan scan;
    scan.angle = -6;
    scan.blur = 0.6;
    scan.noise = 4;
    m_source.setImage(cardscans::scanCard(symbolOf(fullDoc(QStringLiteral("Emmanuel"))), scan));

    CImpressionDoc doc;
    ASSERT_TRUE(scanCard(nullptr, doc));
    EXPECT_EQ(m_source.calls(), 1);
    EXPECT_EQ(doc.NamFirst(), QStringLiteral("Emmanuel"));
    EXPECT_EQ(doc.CwLines(5), QStringLiteral("www.northwind-eng.com"));

    // A scanner failure and a picture without a card are told to the user.
    m_source.setResult(scanner::Acquired::failed(QStringLiteral("no scanner")));
    m_messages.ok();
    EXPECT_FALSE(scanCard(nullptr, doc));
    ASSERT_EQ(m_messages.shown().size(), 1);
    expectMessage(m_messages.last(),
                  QStringLiteral("Error acquiring image.\r\rCheck that you input your card(s) using a scanner\r"
                                 "that is connected and properly configured."),
                  ui::Icon::Critical, 61);
    EXPECT_FALSE(QFile::exists(getTempSymbolBitmapName())); // the card before is not decoded again

    QImage blank(1100, 700, QImage::Format_Grayscale8);
    blank.fill(240);
    m_source.setImage(blank);
    m_messages.ok();
    EXPECT_FALSE(scanCard(nullptr, doc));
    EXPECT_EQ(m_messages.last().text, UnableToDecode);
}

} // namespace
