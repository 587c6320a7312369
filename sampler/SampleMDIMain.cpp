#include "sampler/SampleMDIMain.h"

#include "common/MainHelper.h"
#include "common/frmProgIcon.h"
#include "layout/frmLabelLayout.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Screen.h"
#include "sampler/SampleImpression.h"

#include <QAction>
#include <QMenu>

namespace {

constexpr int FrameWidthTwips = 6500;
constexpr int FrameHeightTwips = 8350;

} // namespace

SampleMDIMain::SampleMDIMain(QWidget* parent)
    : frmMDIMain(parent, modMainHelper::FamilyProgram::Brindlemark),
      m_windowClass(modMainHelper::mainWindowClassName(), ui::programTitle())
{
    connect(mnuFileImpressionSample, &QAction::triggered, this,
            [this] { ui::runGuarded([this] { mnuFileImpressionSample_Click(); }); });
    connect(&m_windowClass, &ipc::WindowClass::activateRequested, this, [this] { ui::bringToFront(*this); });
}

SampleMDIMain::~SampleMDIMain() = default;

bool SampleMDIMain::announceWindowClass()
{
    m_windowClass.setTitle(ui::programTitle());
    if (m_windowClass.announce())
        return true;
    qWarning("%s: not announcing the main window: %s", qPrintable(ui::programTitle()),
             qPrintable(m_windowClass.errorString()));
    return false;
}

// --- Initialisation, loading, activation

void SampleMDIMain::MDIForm_Initialize()
{
    // The command-line queue is empty from construction; no list of recent impressions is made.
    resize(ui::twipsToPixelsX(FrameWidthTwips), ui::twipsToPixelsY(FrameHeightTwips));
    setWindowTitle(ui::programTitle());
    modMainHelper::setHelpMenuCaptions(this);
    mnuWindowGotokelvadon->setVisible(false);
    for (QAction* item : mnuFileImportContactMenu)
        item->setEnabled(false);
    mnuFileOpenImpression->setEnabled(false);
    mnuFileNewImpression->setEnabled(false);
    mnuFileImpressionSample->setVisible(true);
    // The Layout submenu stays usable, though its own items are not.
    mnuFileLayout->menuAction()->setEnabled(true);
    mnuFileOpenLayout->setEnabled(false);
    mnuFileNewLayout->setEnabled(false);
    mnuFileScanCard->setEnabled(false);
}

void SampleMDIMain::MDIForm_Load()
{
    setWindowIcon(frmProgIcon::programIcon());
    setWindowTitle(ui::programTitle());
    modMainHelper::applyToolTipPreference(this);
    modMainHelper::setHelpMenuCaptions(this);
    updateGoToMenus();
}

void SampleMDIMain::MDIForm_Activate()
{
    // While exiting, the activation after a save prompt keeps the No to All of that prompt.
    if (!boolExiting)
        boolSaveChangesNoToAll = false;
    mnuFileScannerport->menuAction()->setVisible(false);
}

// --- Windows

IImpressionChild* SampleMDIMain::newImpressionWindow()
{
    return new SampleImpression;
}

void SampleMDIMain::createNewSample()
{
    // Always a new window: an empty one is never reused for the sample.
    auto* frmImp = new SampleImpression;
    ui::show(*frmImp);
    frmImp->createSampleImpression();
}

frmLabelLayout* SampleMDIMain::getEmptyLayout()
{
    if (frmLabelLayout::openLayoutCount() != 1)
        return new frmLabelLayout;
    for (ui::Form* form : ui::forms()) {
        auto* layout = dynamic_cast<frmLabelLayout*>(form);
        if (layout && layout->isEmpty()) {
            ui::bringToFront(*layout);
            return layout;
        }
    }
    return new frmLabelLayout;
}

IImpressionFileWindow* SampleMDIMain::getEmptyImpression()
{
    return dynamic_cast<IImpressionFileWindow*>(frmMDIMain::getEmptyImpression());
}

void SampleMDIMain::openFile(const QString& strFileName)
{
    const QString strLong = GetLongFilename(strFileName);
    if (QStringLiteral(".") + modMainHelper::getFileExtension(strLong) == QStringLiteral(".imf"))
        openImpressionFile(strLong);
    else
        showUnrecognizedFormat(strFileName, strLong);
}

// --- Menu commands

void SampleMDIMain::mnuFileImpressionSample_Click()
{
    createNewSample();
}
