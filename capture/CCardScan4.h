#pragma once

#include "capture/CCardScan.h"

// A CardScan database whose cards have one address block.
class CCardScan4 : public CCardScan
{
private:
    void writeAddresses(const CImpressionDoc& doc) override;
};
