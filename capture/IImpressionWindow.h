#pragma once

class CImpressionDoc;

// What the scan and import routines need of an impression window.
class IImpressionWindow
{
public:
    virtual ~IImpressionWindow() = default;

    // Shows the document's contact and words in the window's fields.
    virtual void readDoc(const CImpressionDoc& doc) = 0;
    // Marks the window's card as made by an older, or a newer, version of the family.
    virtual void SetAsOldVersion(bool b) = 0;
    virtual void SetAsNewerVersion(bool b) = 0;
    // Marks the lines of The Corvel Words as present.
    virtual void setCorvelWordsCreated(bool b) = 0;
    // Sends the contact to the default contact manager.
    virtual void exportToPIM() = 0;
    // Redraws the window (its symbol preview included).
    virtual void updateScreen() = 0;
    // The window an import goes into: the topmost impression window, cleared, when it is
    // untitled, otherwise a new one.
    virtual IImpressionWindow* getImportableImpression() = 0;
    // A new impression window.
    virtual IImpressionWindow* getImpression() = 0;
    virtual void bringToFront() = 0;
};
