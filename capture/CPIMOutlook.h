#pragma once

#include "capture/IPIMDatabase.h"

// The contact-manager link over the "Outlook.Application" automation model. It keeps no
// state: each operation creates its own objects and releases them before it returns.
class CPIMOutlook : public IPIMDatabase
{
public:
    // Opens a new contact form, fills it from the impression, saves and closes it.
    void addNewRecord(const CImpressionDoc& doc) override;
    // Reads the contact open in front into the impression. The extended addresses and
    // the home post-office block are not touched; nothing is saved in the store.
    void getCurrentRecord(CImpressionDoc& doc) override;
};
