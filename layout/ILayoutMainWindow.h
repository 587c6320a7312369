#pragma once

class IImpressionFileWindow;

// What the layout window needs of the program's main window: an impression window to open a
// file in. Implemented by the sample-card program's main window (frmMDIMain), a ui::Form;
// the layout window finds it among the loaded forms and unloads it through the forms runtime
// for File > Exit.
class ILayoutMainWindow
{
public:
    virtual ~ILayoutMainWindow() = default;

    // The one empty impression window when it may be reused, else a new one; not shown yet.
    virtual IImpressionFileWindow* getEmptyImpression() = 0;
};
