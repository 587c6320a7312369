#include "capture/CCardScan4.h"

void CCardScan4::writeAddresses(const CImpressionDoc& doc)
{
    writeAddressBlocks(doc, 1);
}
