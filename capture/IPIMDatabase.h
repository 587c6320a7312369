#pragma once

class CImpressionDoc;

// A link to the user's contact manager. Both operations report every failure to the
// user themselves and return normally; a caller that wants to know whether an import
// changed anything compares the impression before and after.
class IPIMDatabase
{
public:
    virtual ~IPIMDatabase() = default;

    // Writes the impression as a new record of the contact manager.
    virtual void addNewRecord(const CImpressionDoc& doc) = 0;
    // Fills the impression from the contact manager's current record.
    virtual void getCurrentRecord(CImpressionDoc& doc) = 0;
};
