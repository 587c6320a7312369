#include "panel/modSymbolRoutines.h"

#include "capture/IPIMDatabase.h"
#include "capture/modCardScan.h"
#include "model/CImpressionDoc.h"
#include "platform/vb/VbError.h"

#include <QFile>

#include <memory>

namespace modSymbolRoutines {

bool scanCardToImpression(QWidget* hWnd, CImpressionDoc& doc)
{
    // The page counts as scanned whatever the import found on it.
    return captureCard(hWnd, doc, [&doc](const QString& strBitmap, const QString&) {
        importMultipleToPIM(doc, strBitmap);
        return true;
    });
}

bool importMultipleToPIM(CImpressionDoc& doc, const QString& strBitmapFile)
{
    // Without a contact manager (the factory has told the user) there is nowhere to put a card:
    // nothing is copied or decoded.
    std::unique_ptr<IPIMDatabase> database;
    try {
        database = modCardScan::getDefaultPIMDatabase();
    } catch (const vb::Error&) {
        return false;
    }
    if (!database)
        return false;

    const QString strVCard = getTempSymbolVCardName();
    const QString strWorkBitmap = getTempMultipleBitmapName();
    // The working bitmap itself may be imported: it is neither copied onto itself nor deleted.
    const bool bOwnCopy = !isSameFile(strBitmapFile, strWorkBitmap);
    if (bOwnCopy) {
        try {
            copyFile(strBitmapFile, strWorkBitmap);
        } catch (const vb::Error&) {
            return false;
        }
    }

    // From here a failing step is passed over, but a symbol the decoder could not give ends the
    // search: going on would load the card of the symbol before again.
    int nDecoded = 0;
    for (int n = 1;; ++n) {
        qint16 nCount = 0;
        qint16 rc = 0;
        try {
            rc = decodeSymbolMultiple(strWorkBitmap, strVCard, n, nCount);
        } catch (const vb::Error&) {
            break;
        }
        if (rc < 1)
            break;
        ++nDecoded;
        // A card of an older version fills only some fields: none may stay from the card before.
        doc.clearAll();
        try {
            if (loadCardFromFile(strVCard, doc))
                database->addNewRecord(doc);
        } catch (const vb::Error&) {
        }
        if (rc != 1)
            break;
    }

    if (bOwnCopy)
        QFile::remove(strWorkBitmap);
    if (nDecoded == 0)
        return false;
    QFile::remove(strVCard);
    return true;
}

} // namespace modSymbolRoutines
