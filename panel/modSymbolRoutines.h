#pragma once

// The panel's own scanning steps: a card scanned or a bitmap imported goes straight into the
// default contact manager, never into a window. The shared capture and decoding steps are
// capture/modSymbolRoutines.h, in the same namespace.
#include "capture/modSymbolRoutines.h"

class CImpressionDoc;
class QWidget;

namespace modSymbolRoutines {

// Scans a card by the chosen scanner. The serial scanner's card is decoded and loaded into doc:
// true when it loaded. An image scanner's page goes through importMultipleToPIM, each card on it
// a new contact: true once the image was acquired, whatever it held. A cancelled prompt, a
// failure (told where it happens) or a raised error give false.
bool scanCardToImpression(QWidget* hWnd, CImpressionDoc& doc);

// Adds every symbol of a bitmap, in reading order, as a new record of the default contact
// manager, loading each into doc (cleared first). False when the contact manager cannot be
// had (nothing is decoded then), the bitmap cannot be copied to the working bitmap, or no
// symbol was decoded. A symbol that does not load is passed over; nothing is summed up.
bool importMultipleToPIM(CImpressionDoc& doc, const QString& strBitmapFile);

} // namespace modSymbolRoutines
