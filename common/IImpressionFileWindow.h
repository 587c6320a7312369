#pragma once

#include <QString>

class CImpressionDoc;

// What the layout window and the page printing need of an impression window: the file it
// shows and its current content. Implemented by the impression window (frmImpression), which
// is a ui::Form: callers show it and bring it to the front through the forms runtime.
// modMainHelper::findImpressionWindow finds one among the loaded forms.
class IImpressionFileWindow
{
public:
    virtual ~IImpressionFileWindow() = default;

    // The full path of the window's impression file; empty while untitled.
    virtual QString getFileName() const = 0;
    // Copies the window's current content (saved or not) into doc; false when it failed.
    virtual bool writeDoc(CImpressionDoc& doc) const = 0;
    // True when the window's impression came from a file of an earlier file version.
    virtual bool getIsOldVersion() const = 0;
    // Opens an impression file into the window; the window tells the user about a failure.
    virtual void openImpression(const QString& strFileName) = 0;
};
