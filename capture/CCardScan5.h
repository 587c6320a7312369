#pragma once

#include "capture/CCardScan.h"

// A CardScan database whose cards have two address blocks, the second under field names
// that begin "2nd ".
class CCardScan5 : public CCardScan
{
private:
    void writeAddresses(const CImpressionDoc& doc) override;
};
