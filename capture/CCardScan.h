#pragma once

#include "capture/IPIMDatabase.h"

#include <QString>

#include <array>

// A CardScan contact database. Its cards have one or two address blocks, which is the only
// difference between the two database classes: the contact's addresses fill the card's
// address blocks in order and every further address goes into the card's notes.
class CCardScan : public IPIMDatabase
{
public:
    // One of the impression's four addresses while a contact is written.
    struct AddressBlock
    {
        bool Done = false; // written, or empty
        QString Heading;
        QString Street;
        QString City;
        QString State;
        QString Zip;
        QString Country;
    };
    using AddressBlocks = std::array<AddressBlock, 4>;

    // Creates a new card and writes the contact into it. Errors are told to the user; the
    // card created so far stays in CardScan.
    void addNewRecord(const CImpressionDoc& doc) override;
    // Reads the card selected in CardScan.
    void getCurrentRecord(CImpressionDoc& doc) override;

    // The work, work post-office, home and home post-office addresses; an empty one is done.
    static AddressBlocks fillAddressBlocks(const CImpressionDoc& doc);
    // The text a block takes in the notes: heading, street, "city state  zip", and the
    // country when there is one, each line ending in CR LF.
    static QString blockNotesText(const AddressBlock& block);

protected:
    // Writes the first pending blocks to the card's `nAddressFields` address blocks and the
    // notes followed by every block left over.
    static void writeAddressBlocks(const CImpressionDoc& doc, int nAddressFields);

private:
    virtual void writeAddresses(const CImpressionDoc& doc) = 0;
};
