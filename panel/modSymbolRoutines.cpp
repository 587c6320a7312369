#include "panel/modSymbolRoutines.h"

#include "capture/IPIMDatabase.h"
#include "capture/modCardScan.h"
#include "model/CImpressionDoc.h"
#include "platform/vb/VbError.h"

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

    // A failing step is passed over, but an error of the copy or the decoder ends the search:
    // going on would load the card of the symbol before again.
    const QString strVCard = getTempSymbolVCardName();
    int nIdentified = 0;
    int nDecoded = 0;
    try {
        decodeEachSymbol(strBitmapFile, strVCard, nIdentified, nDecoded, [&] {
            // A card of an older version fills only some fields: none may stay from the card before.
            doc.clearAll();
            try {
                if (loadCardFromFile(strVCard, doc))
                    database->addNewRecord(doc);
            } catch (const vb::Error&) {
            }
        });
    } catch (const vb::Error&) {
    }
    return nDecoded > 0;
}

} // namespace modSymbolRoutines
