#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

class CImpressionDoc;
class IImpressionWindow;
class QWidget;

// Turns an impression into a PDF417 symbol bitmap, and scanned cards back into impressions:
// the temporary files, the capture road chosen by the "Scanner" setting (serial hand scanner,
// CardScan scanner, TWAIN scanner), the serial capture, the decoding attempts, the card-version
// check and the import of every symbol found on one bitmap.
//
// The temporary files live in the program's work folder (per user and program, below the
// user's cache folder), since the program folder of an installed program is not writable.
namespace modSymbolRoutines {

// The "Scanner" setting.
constexpr qint32 ScannerCardScan = 0;
constexpr qint32 ScannerSerial = 1;
constexpr qint32 ScannerTwain = 2;

// The work folder "<cache>/corvel/<program title>", made when missing.
QString getWorkFolder();
// A file of that name in the work folder.
QString getTempFileName(const QString& strName);
// "tmpsymbol.bmp": the symbol made by encoding; the raw bytes of a serial scan; a scanned image.
QString getTempSymbolBitmapName();
// "tmpsymbol.vcf": the impression written for encoding; the card decoded from a single scan.
QString getTempSymbolVCardName();
// "temp_multiple.bmp" and "temp_multiple.vcf": the copy of a bitmap searched for several
// symbols, and the card decoded from one of them.
QString getTempMultipleBitmapName();
QString getTempMultipleVCardName();
// Deletes what the program leaves in the work folder when it ends: "tmpsymbol.bmp",
// "tmpsymbol.vcf", "SmallBMP*.bmp", "SmallBMP*.vcf" and "BigBMP.bmp"; missing ones are skipped.
void deleteTempFiles();

// Whether two paths name one existing file (after links and relative parts are resolved).
bool isSameFile(const QString& strA, const QString& strB);

// Copies a file over a work file (replaced atomically, not flushed to the disk); raises 53 when
// the source is missing, 75 when the copy fails.
void copyFile(const QString& strSource, const QString& strTarget);

// Writes the impression (with the font and lines of words when bIncludeXFields) and encodes it
// into a symbol bitmap. When it does not fit, tells the user unless bQuiet. False when no
// bitmap was made.
bool makeSymbolBitmap(const CImpressionDoc& doc, const QString& strBitmapFile, bool bIncludeXFields, bool bQuiet);
// Encodes a vCard file into a symbol bitmap, replacing the bitmap; false when it does not fit.
bool convertFileToSymbol(const QString& strVCardFile, const QString& strBitmapFile);
// Where a symbol bitmap of bmpW x bmpH screen twips is printed in a box of boxW x boxH twips:
// each bitmap pixel becomes 12 twips, centred in the box.
void computeSymbolPrintSize(double boxW, double boxH, double bmpW, double bmpH, qint16& printW, qint16& printH,
                            qint16& left, qint16& top);

// Card > Scan with the serial scanner: the card comes later, by the trigger. While the program
// holds the port, tells the user to press the trigger; otherwise that the port must first be
// acquired (with help on scanning).
void promptSerialScanIfHeld();
// "<program title> must first acquire the PDF417 scanner port.", with help on scanning.
void showScannerPortNeeded();

// Scans a card (scanCard) and shows it in the window: version check, words marked, sent to the
// contact manager when "AutoUpdate" is on, window redrawn. False when no card was loaded.
bool scanCardIntoWindow(QWidget* hWnd, IImpressionWindow& window);
// Captures a card by the chosen scanner, decodes it and loads it into doc. Every failure is
// told to the user where it happens; a cancelled prompt or a raised error gives false silently.
bool scanCard(QWidget* hWnd, CImpressionDoc& doc);
// What a scan does with the card image an image scanner wrote to the temporary symbol bitmap
// (the temporary symbol vCard is free for its use); true when the scan came to something.
using ImageTaker = std::function<bool(const QString& strBitmapFile, const QString& strVCardFile)>;
// The road of scanCard with the image's step left to the caller: after the card-scan prompt
// (image scanners only), the serial scanner's card is decoded and loaded into doc, and an
// image scanner's image goes to takeImage. A cancelled prompt, a failure (told where it
// happens) or a raised error give false.
bool captureCard(QWidget* hWnd, CImpressionDoc& doc, const ImageTaker& takeImage);
// Takes the oldest serial scan the helper form has ended (its bytes stopped for a tick of 0.2 s),
// waiting for one with events running at most 5 s from the start, and writes exactly its bytes
// to strRawFile. On time-out or error tells the user and gives false.
bool captureSerialScan(const QString& strRawFile);
// The vCard carried by a serial scan; false, after telling the user, when there is none.
bool decodeRawScan(const QString& strRawFile, const QString& strVCardFile);
// Decodes the symbol of a scanned image, the quick way then the thorough way: 0 when decoded,
// else the decoder's code after telling the user.
qint16 decodeSymbolBitmap(const QString& strBitmapFile, const QString& strVCardFile);
// Acquires a card image into the bitmap file from the TWAIN scanner (after its prompt) or, for
// any other scanner type, the CardScan scanner. False when the prompt was cancelled (silently)
// or the capture failed (after telling the user).
bool acquireCardImage(QWidget* hWnd, const QString& strBitmapFile);
// Loads a decoded card by the reader of its card version. False, after telling the user, when
// the card is of no known version or could not be loaded.
bool loadCardFromFile(const QString& strVCardFile, CImpressionDoc& doc);
// Checks the version of the card still loaded in the vCard library (a card without a file
// version becomes version 0), marks the window and, unless bQuiet, tells the user about an
// older or newer card. 0 current, 1 older, 2 newer.
int checkCardVersion(IImpressionWindow& window, CImpressionDoc& doc, bool bQuiet);
// Decodes symbol 1, 2, 3 ... of a bitmap, through the working bitmap, into strVCardFile and calls
// onSymbol after each one: stops before a symbol the decoder cannot give (an answer below 1) and
// after the last one (an answer above 1). Adds every answer's count of symbols identified to
// nIdentified and each decoded symbol to nDecoded. The working bitmap (unless it is the bitmap
// given, which is then read in place and kept), and the vCard once a symbol was decoded into it,
// are removed on every way out, a raised error included; errors of the copy, the decoder and
// onSymbol reach the caller.
void decodeEachSymbol(const QString& strBitmapFile, const QString& strVCardFile, int& nIdentified, int& nDecoded,
                      const std::function<void()>& onSymbol);
// Decodes every symbol of a bitmap, in reading order, into impression windows: the first into
// window->getImportableImpression(), each further one into a new window; window ends as the
// last one filled. Adds to the counters: symbols identified, decoded, loaded, and cards of an
// older and a newer version. Errors raised before the first export to the contact manager go
// to the caller; later ones are passed over. True when it ran to its end.
bool importMultipleFromBitmap(IImpressionWindow*& window, const QString& strBitmapFile, int& nIdentified, int& nDecoded,
                              int& nLoaded, int& nPrevious, int& nNewer);

// What importMultipleFromBitmap asks for symbol number nIndex of a bitmap, with the meaning of
// pdf417::pdfDecodeBMPSymbolToFileMultiple, which it is unless a test installs another one.
using MultipleSymbolDecoder =
    std::function<qint16(const QString& strBitmapFile, const QString& strVCardFile, int nIndex, qint16& nCount)>;
// Installs `decoder` (empty: the library's); returns the one installed before.
MultipleSymbolDecoder setMultipleSymbolDecoder(MultipleSymbolDecoder decoder);
// Asks the installed decoder for symbol number nIndex of a bitmap.
qint16 decodeSymbolMultiple(const QString& strBitmapFile, const QString& strVCardFile, int nIndex, qint16& nCount);

} // namespace modSymbolRoutines
