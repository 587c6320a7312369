#pragma once

#include "layout/ILayoutMainWindow.h"
#include "platform/ipc/WindowClass.h"
#include "reader/frmMDIMain.h"

class frmLabelLayout;

// The main window of the sample-card program: frmMDIMain in an edition of its own. It holds
// sample impression windows (SampleImpression) and layout windows (frmLabelLayout); it has no
// card scanner, no list of recently used impressions and no import. Files reach it only as
// impression files (".imf"). It announces its window class, so that a second start of the
// program finds it and brings it to the front instead of running beside it.
class SampleMDIMain : public frmMDIMain, public ILayoutMainWindow
{
    Q_OBJECT

public:
    explicit SampleMDIMain(QWidget* parent = nullptr);
    ~SampleMDIMain() override;

    // Starts announcing the frame's window class under the program title; false (and a
    // warning) when another program announces it already.
    bool announceWindowClass();

    // A new impression window, shown, holding the sample impression.
    void createNewSample();
    // The one empty layout window when exactly one is loaded (brought to the front), else a
    // new one, neither loaded nor shown.
    frmLabelLayout* getEmptyLayout();
    // The window a layout opens an impression file in.
    IImpressionFileWindow* getEmptyImpression() override;

    // Opens impression files; any other file is refused with a message.
    void openFile(const QString& strFileName) override;
    // A card read by the serial scanner goes nowhere in this program.
    void serialScanComplete() override {}
    // Nor a Scan Card command: the item stays disabled whatever port the impression windows hold.
    void showScanCardState(bool) override {}

    void MDIForm_Initialize() override;
    void MDIForm_Load() override;
    void MDIForm_Activate() override;

    void mnuFileImpressionSample_Click();

protected:
    IImpressionChild* newImpressionWindow() override;
    // No contact-manager link stays open in this program.
    void shutdownContactLinks() override {}

private:
    ipc::WindowClass m_windowClass;
};
