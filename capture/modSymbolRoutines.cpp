#include "capture/modSymbolRoutines.h"

#include "capture/IImpressionWindow.h"
#include "capture/frmHelper.h"
#include "capture/modCardScan.h"
#include "common/MainHelper.h"
#include "common/MainHelperText.h"
#include "common/modDSMA.h"
#include "common/modRegistryHigh.h"
#include "model/CImpressionDoc.h"
#include "model/modVCard.h"
#include "platform/files/AtomicFile.h"
#include "platform/pdf417/Pdf417.h"
#include "platform/scanner/Twain.h"
#include "platform/ui/Clock.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Screen.h"
#include "platform/vb/VbError.h"
#include "platform/vb/VbNumber.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>

#include <optional>
#include <utility>

namespace modSymbolRoutines {

namespace {

constexpr int CapacityHelpTopic = 1;
constexpr int ScanHelpTopic = 61;
constexpr int FileVersionProperty = 43;
constexpr qint16 CurrentCardVersion = 3;
constexpr long ObjectVariableNotSet = 91;

// The serial capture: the whole capture may take this long; between two looks for an ended
// scan, events run this long.
constexpr qint64 CaptureLimitMs = 5000;
constexpr int CapturePollMs = 10;

// The decoder of several symbols a test installed; empty: the library's.
MultipleSymbolDecoder g_multipleDecoder;

const QString UnableToDecodeHint =
    QStringLiteral("\r\rMake sure to scan the right side of a\rcard imprinted with The Corvel Encoding");

[[noreturn]] void raise(long number)
{
    throw vb::Error::runtime(number, QCoreApplication::applicationName());
}

void removeFile(const QString& strFileName)
{
    if (QFileInfo::exists(strFileName) && !QFile::remove(strFileName))
        raise(vb::err::PathFileAccessError);
}

// The oldest scan the helper form's end-of-scan detection has ended, once there is one; nothing
// when the deadline passes first. One detection decides where each scan ends, so that scans
// made while a box was up are read one by one.
std::optional<QByteArray> receiveScan()
{
    frmHelper& helper = frmHelper::instance();
    const qint64 deadline = ui::clock().msecs() + CaptureLimitMs;
    for (;;) {
        if (std::optional<QByteArray> bytes = helper.takeEndedScan())
            return bytes;
        if (ui::clock().msecs() > deadline)
            return std::nullopt;
        ui::waitEvents(CapturePollMs);
    }
}

// The raw scan, the working bitmap and the other files in the work folder are made again for
// every card: replaced atomically, but not flushed to the disk (a flush costs more than a decode).
void writeRawFile(const QString& strRawFile, const QByteArray& bytes)
{
    removeFile(strRawFile);
    if (!files::writeFile(strRawFile, bytes, files::Durability::WorkFile))
        raise(vb::err::PathFileAccessError);
}

} // namespace

bool isSameFile(const QString& strA, const QString& strB)
{
    const QString a = QFileInfo(strA).canonicalFilePath();
    return !a.isEmpty() && a == QFileInfo(strB).canonicalFilePath();
}

void copyFile(const QString& strSource, const QString& strTarget)
{
    if (!QFileInfo(strSource).isFile())
        raise(vb::err::FileNotFound);
    // Written beside the target and renamed over it, so a failed copy leaves the old file whole.
    QFile source(strSource);
    files::AtomicFile target(strTarget, files::Durability::WorkFile);
    if (!source.open(QIODevice::ReadOnly) || !target.open())
        raise(vb::err::PathFileAccessError);
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(1 << 16);
        if (chunk.isEmpty() && source.error() != QFileDevice::NoError)
            raise(vb::err::PathFileAccessError);
        if (!target.write(chunk))
            raise(vb::err::PathFileAccessError);
    }
    if (!target.commit())
        raise(vb::err::PathFileAccessError);
}

QString getWorkFolder()
{
    const QString strFolder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                              QStringLiteral("/corvel/") + ui::programTitle();
    QDir().mkpath(strFolder);
    return strFolder;
}

QString getTempFileName(const QString& strName)
{
    return getWorkFolder() + u'/' + strName;
}

QString getTempSymbolBitmapName()
{
    return getTempFileName(QStringLiteral("tmpsymbol.bmp"));
}

QString getTempSymbolVCardName()
{
    return getTempFileName(QStringLiteral("tmpsymbol.vcf"));
}

QString getTempMultipleBitmapName()
{
    return getTempFileName(QStringLiteral("temp_multiple.bmp"));
}

QString getTempMultipleVCardName()
{
    return getTempFileName(QStringLiteral("temp_multiple.vcf"));
}

void deleteTempFiles()
{
    QDir folder(getWorkFolder());
    const QStringList names = folder.entryList({QStringLiteral("tmpsymbol.bmp"), QStringLiteral("tmpsymbol.vcf"),
                                                QStringLiteral("SmallBMP*.bmp"), QStringLiteral("SmallBMP*.vcf"),
                                                QStringLiteral("BigBMP.bmp")},
                                               QDir::Files | QDir::Hidden);
    for (const QString& name : names)
        folder.remove(name);
}

bool makeSymbolBitmap(const CImpressionDoc& doc, const QString& strBitmapFile, bool bIncludeXFields, bool bQuiet)
{
    const QString strVCardFile = getTempSymbolVCardName();
    if (!doc.writeFile(strVCardFile, bIncludeXFields, files::Durability::WorkFile))
        return false;
    if (convertFileToSymbol(strVCardFile, strBitmapFile))
        return true;
    if (!bQuiet)
        ui::msgBox(QStringLiteral("Data capacity exceeded. Cannot encode impression.\r"
                                  "Try reducing the amount of data in the impression,\r"
                                  "or not including The Corvel Words in the Corvel Encoding."),
                   ui::Buttons::Ok, ui::Icon::Exclamation, QString(), CapacityHelpTopic);
    return false;
}

bool convertFileToSymbol(const QString& strVCardFile, const QString& strBitmapFile)
{
    QFile::remove(strBitmapFile);
    return pdf417::ConvertFileToSymbolBMP_V2(strVCardFile, strBitmapFile, pdf417::CardSymbol) == pdf417::Done;
}

void computeSymbolPrintSize(double boxW, double boxH, double bmpW, double bmpH, qint16& printW, qint16& printH,
                            qint16& left, qint16& top)
{
    const float scale = float(14.4 / ui::twipsPerPixelX() * 5.0 / 6.0);
    printW = vb::toInt16(float(bmpW) * scale);
    printH = vb::toInt16(float(bmpH) * scale);
    left = vb::toInt16((boxW - printW) / 2.0);
    top = vb::toInt16((boxH - printH) / 2.0);
}

void promptSerialScanIfHeld()
{
    if (frmHelper::instance().isScannerActive())
        modMainHelper::promptSerialScan();
    else
        showScannerPortNeeded();
}

void showScannerPortNeeded()
{
    ui::msgBox(ui::programTitle() + QStringLiteral(" must first acquire the PDF417 scanner port."), ui::Buttons::Ok,
               ui::Icon::Exclamation, QString(), ScanHelpTopic);
}

bool scanCardIntoWindow(QWidget* hWnd, IImpressionWindow& window)
{
    CImpressionDoc doc;
    if (!scanCard(hWnd, doc))
        return false;
    window.readDoc(doc);
    checkCardVersion(window, doc, false);
    window.setCorvelWordsCreated(true);
    if (modRegistryHigh::getAutoUpdate())
        window.exportToPIM();
    window.updateScreen();
    return true;
}

bool scanCard(QWidget* hWnd, CImpressionDoc& doc)
{
    return captureCard(hWnd, doc, [&doc](const QString& strBitmap, const QString& strVCard) {
        return decodeSymbolBitmap(strBitmap, strVCard) == 0 && loadCardFromFile(strVCard, doc);
    });
}

bool captureCard(QWidget* hWnd, CImpressionDoc& doc, const ImageTaker& takeImage)
{
    try {
        const qint32 nScanner = modRegistryHigh::getScanner();
        if (nScanner != ScannerSerial)
            modDSMA::showScanPrompt(modDSMA::CardScanPrompt);
        const QString strBitmap = getTempSymbolBitmapName();
        const QString strVCard = getTempSymbolVCardName();
        if (nScanner == ScannerSerial)
            return captureSerialScan(strBitmap) && decodeRawScan(strBitmap, strVCard) &&
                   loadCardFromFile(strVCard, doc);
        if (modDSMA::wasPromptCancelled() || !acquireCardImage(hWnd, strBitmap))
            return false;
        return takeImage(strBitmap, strVCard);
    } catch (const vb::Error&) {
        return false;
    }
}

bool captureSerialScan(const QString& strRawFile)
{
    try {
        if (const std::optional<QByteArray> bytes = receiveScan()) {
            writeRawFile(strRawFile, *bytes);
            return true;
        }
    } catch (const vb::Error&) {
    }
    ui::msgBox(
        QStringLiteral("Error scanning card.\r\rEnsure that your scanner is\rconnected and properly configured."),
        ui::Buttons::Ok, ui::Icon::Critical, QString(), ScanHelpTopic);
    return false;
}

bool decodeRawScan(const QString& strRawFile, const QString& strVCardFile)
{
    if (pdf417::decodeRawToFile(strRawFile, strVCardFile) == pdf417::Done)
        return true;
    ui::msgBox(QStringLiteral("Unable to Decode.") + UnableToDecodeHint, ui::Buttons::Ok, ui::Icon::Exclamation);
    return false;
}

qint16 decodeSymbolBitmap(const QString& strBitmapFile, const QString& strVCardFile)
{
    ui::doEvents();
    qint16 nCode = pdf417::pdfDecodeBMPSymbolToFileEasy(strBitmapFile, strVCardFile);
    if (nCode == 0)
        return 0;
    nCode = pdf417::pdfDecodeBMPSymbolToFileHard(strBitmapFile, strVCardFile);
    if (nCode == 0)
        return 0;
    ui::msgBox(QStringLiteral("Unable to Decode") + UnableToDecodeHint, ui::Buttons::Ok, ui::Icon::Exclamation);
    return nCode;
}

bool acquireCardImage(QWidget* hWnd, const QString& strBitmapFile)
{
    bool bAcquired = false;
    try {
        removeFile(strBitmapFile);
        if (modRegistryHigh::getScanner() == ScannerTwain) {
            modDSMA::showScanPrompt(modDSMA::TwainPrompt);
            if (modDSMA::wasPromptCancelled())
                return false;
            bAcquired = scanner::TWAIN_AcquireToFilename(hWnd, strBitmapFile) == scanner::TwainDone;
        } else {
            bAcquired = modCardScan::scanCardImage(strBitmapFile);
        }
    } catch (const vb::Error&) {
        bAcquired = false;
    }
    if (!bAcquired)
        ui::msgBox(QStringLiteral("Error acquiring image.\r\rCheck that you input your card(s) using a scanner\r"
                                  "that is connected and properly configured."),
                   ui::Buttons::Ok, ui::Icon::Critical, QString(), ScanHelpTopic);
    return bAcquired;
}

bool loadCardFromFile(const QString& strVCardFile, CImpressionDoc& doc)
{
    const std::unique_ptr<IGlyphon> reader = modVCard::getCardReader(strVCardFile);
    if (!reader) {
        ui::msgBox(QStringLiteral("Invalid impression: The Tilvane Encoding."), ui::Buttons::Ok, ui::Icon::Exclamation);
        return false;
    }
    // A card the reader could not load (it has told the user) is never passed on as whole.
    return reader->loadCard(doc, strVCardFile);
}

int checkCardVersion(IImpressionWindow& window, CImpressionDoc& doc, bool bQuiet)
{
    if (modVCard::getProp(FileVersionProperty).isEmpty())
        doc.setFileVersion(0);
    if (doc.FileVersion() == CurrentCardVersion) {
        window.SetAsOldVersion(false);
        window.SetAsNewerVersion(false);
        return 0;
    }
    if (doc.FileVersion() < CurrentCardVersion) {
        if (!bQuiet)
            ui::msgBox(QStringLiteral("Impression read is from a previous version of Tessaline."), ui::Buttons::Ok,
                       ui::Icon::Information);
        window.SetAsOldVersion(true);
        window.SetAsNewerVersion(false);
        return 1;
    }
    if (!bQuiet)
        ui::msgBox(QStringLiteral("Impression read is from a newer version of Tessaline."), ui::Buttons::Ok,
                   ui::Icon::Information);
    window.SetAsNewerVersion(true);
    window.SetAsOldVersion(false);
    return 2;
}

MultipleSymbolDecoder setMultipleSymbolDecoder(MultipleSymbolDecoder decoder)
{
    return std::exchange(g_multipleDecoder, std::move(decoder));
}

qint16 decodeSymbolMultiple(const QString& strBitmapFile, const QString& strVCardFile, int nIndex, qint16& nCount)
{
    return g_multipleDecoder ? g_multipleDecoder(strBitmapFile, strVCardFile, nIndex, nCount)
                             : pdf417::pdfDecodeBMPSymbolToFileMultiple(strBitmapFile, strVCardFile, nIndex, nCount);
}

void decodeEachSymbol(const QString& strBitmapFile, const QString& strVCardFile, int& nIdentified, int& nDecoded,
                      const std::function<void()>& onSymbol)
{
    const QString strWorkBitmap = getTempMultipleBitmapName();
    // The working bitmap itself may be imported: it is neither copied onto itself nor deleted.
    const bool bOwnCopy = !isSameFile(strBitmapFile, strWorkBitmap);
    // The work files go on every way out, a raised error included; the vCard only once a symbol
    // of this bitmap was decoded into it.
    bool bDecodedHere = false;
    const auto removeWork = qScopeGuard([&] {
        if (bOwnCopy)
            QFile::remove(strWorkBitmap);
        if (bDecodedHere)
            QFile::remove(strVCardFile);
    });
    if (bOwnCopy)
        copyFile(strBitmapFile, strWorkBitmap);

    for (int i = 1;; ++i) {
        qint16 nCount = 0;
        const qint16 rc = decodeSymbolMultiple(strWorkBitmap, strVCardFile, i, nCount);
        nIdentified += nCount;
        if (rc < 1)
            return;
        ++nDecoded;
        bDecodedHere = true;
        onSymbol();
        if (rc != 1)
            return;
    }
}

bool importMultipleFromBitmap(IImpressionWindow*& window, const QString& strBitmapFile, int& nIdentified, int& nDecoded,
                              int& nLoaded, int& nPrevious, int& nNewer)
{
    const QString strWorkVCard = getTempMultipleVCardName();

    // Until an export to the contact manager has been tried, errors go to the caller; from then
    // on a failing step is passed over and the import goes on.
    bool bExportTried = false;
    const auto step = [&](auto&& run) {
        try {
            run();
        } catch (const vb::Error&) {
            if (!bExportTried)
                throw;
        }
    };

    decodeEachSymbol(strBitmapFile, strWorkVCard, nIdentified, nDecoded, [&] {
        // A symbol whose window could not be had is passed over rather than shown in the last one.
        IImpressionWindow* next = nullptr;
        step([&] {
            next = nDecoded == 1 ? window->getImportableImpression() : window->getImpression();
            if (!next)
                raise(ObjectVariableNotSet);
        });
        CImpressionDoc doc;
        bool bLoaded = false;
        if (next) {
            window = next;
            step([&] { bLoaded = loadCardFromFile(strWorkVCard, doc); });
        }
        if (!bLoaded)
            return;
        ++nLoaded;
        step([&] { window->readDoc(doc); });
        step([&] {
            const int nVersion = checkCardVersion(*window, doc, true);
            if (nVersion == 1)
                ++nPrevious;
            else if (nVersion == 2)
                ++nNewer;
        });
        step([&] { window->setCorvelWordsCreated(true); });
        if (modRegistryHigh::getAutoUpdate()) {
            bExportTried = true;
            step([&] { window->exportToPIM(); });
        }
        step([&] { window->updateScreen(); });
        step([&] { window->bringToFront(); });
    });
    return true;
}

} // namespace modSymbolRoutines
