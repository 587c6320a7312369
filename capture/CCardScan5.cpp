#include "capture/CCardScan5.h"

void CCardScan5::writeAddresses(const CImpressionDoc& doc)
{
    writeAddressBlocks(doc, 2);
}
