#pragma once

#include "capture/IImpressionWindow.h"

#include <QString>
#include <QtGlobal>

// What the main window (frmMDIMain) needs of an impression window (frmImpression), beyond
// what the scan and import routines need of it (IImpressionWindow).
//
// The impression window is an MDI child form: a QWidget, then ui::Form, then ui::MdiChild,
// then this interface. The main window makes new ones through the factory installed with
// frmMDIMain::setImpressionWindowFactory (not loaded, not shown) and shows them with
// ui::show, which puts them into the frame. The frame counts the loaded impression windows
// itself (frmMDIMain::openImpressionCount), so a window that is never loaded is never counted.
//
// IImpressionWindow::getImportableImpression and getImpression return windows that offer this
// interface too; getImpression's new window is made with frmMDIMain::openNewImpressionWindow.
class IImpressionChild : public IImpressionWindow
{
public:
    // The file the window shows; "" while it is untitled.
    virtual QString getFileName() const = 0;
    // Untitled, unchanged, with blank name fields, company and title, and the only impression
    // window loaded.
    virtual bool isEmpty() = 0;
    // Changed since it was loaded, opened, saved or cleared.
    virtual bool isDirty() const = 0;
    // Opens an impression file into this window (with the already-open and version checks).
    virtual void openImpression(const QString& strFileName) = 0;
    // Decodes every symbol of a bitmap into impression windows, this one first, and reports
    // the counts. nMode: 1 after a scan, 3 for a bitmap file imported, opened or dropped.
    virtual void importBitmapMultiple(const QString& strFileName, qint16 nMode) = 0;
    // Card > Scan on this window.
    virtual void scanImpression() = 0;
    // The import of File > Import with that index into this window, then the redraw after an
    // import: 0 vCard file, 1 CardScan's current card, 2 Outlook's, 3 bitmap file.
    virtual void importContact(qint16 nIndex) = 0;
};
