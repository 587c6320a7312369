#include "panel/frmZephlorin.h"

#include "capture/IPIMDatabase.h"
#include "capture/frmHelper.h"
#include "capture/modCardScan.h"
#include "capture/modDDE.h"
#include "common/FamilyMenus.h"
#include "common/MainHelper.h"
#include "common/MainHelperText.h"
#include "common/ProgramEdition.h"
#include "common/frmConfigWizard.h"
#include "common/frmPreferences.h"
#include "common/modRegistryHigh.h"
#include "icons/PanelPictures.h"
#include "model/CImpressionDoc.h"
#include "panel/CaptionStrip.h"
#include "panel/SubclassFilter.h"
#include "panel/modSymbolRoutines.h"
#include "platform/ipc/IpcServer.h"
#include "platform/ui/Beeper.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/CaptionFit.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ErrorBoundary.h"
#include "platform/ui/FileDrops.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Menus.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Road.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Timer.h"
#include "platform/ui/TrayService.h"
#include "platform/vb/Command.h"
#include "platform/vb/VbNumber.h"

#include <QActionGroup>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QRegularExpression>
#include <QToolButton>

namespace {

// The help topics of the Help submenu.
constexpr qint32 GettingStartedTopic = 10004;
constexpr qint32 PanelTopic = 10009;
// The interval of the command-line queue, in milliseconds.
constexpr int CommandIntervalMs = 100;
// "Start Window State" and "Window Close State".
constexpr qint32 StartMinimized = 0;
constexpr qint32 StartAsLastClosed = 2;
constexpr qint32 ClosedHidden = 1;

const QString ButtonTip = QStringLiteral(" Right click: options and actions.");
const QString ScanTip = QStringLiteral("Left click: Scan card.") + ButtonTip;

// Clears the panel's ready flag for its lifetime: the panel is busy with a command of its own.
class Busy
{
public:
    explicit Busy(bool& bReady) : m_bReady(bReady) { m_bReady = false; }
    ~Busy() { m_bReady = true; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    bool& m_bReady;
};

bool tagIsOne(const QWidget* control)
{
    return vb::val(control->property("Tag").toString()) == 1;
}

void hideControl(QWidget* control)
{
    control->setVisible(false);
    control->setProperty("Tag", QStringLiteral("0"));
}

// Whether a file is a bitmap by its extension, in any case.
bool isBitmapFile(const QString& strFile)
{
    return u'.' + modMainHelper::getFileExtension(strFile) == QStringLiteral(".bmp");
}

} // namespace

class frmZephlorin::Command
{
public:
    explicit Command(frmZephlorin& panel) : m_panel(panel) { ++m_panel.m_nCommandsRunning; }
    ~Command()
    {
        if (--m_panel.m_nCommandsRunning > 0 || !m_panel.m_bUnloadPending)
            return;
        // Unloaded from the event loop, once the handler that ran the command has returned too.
        m_panel.m_bUnloadPending = false;
        frmZephlorin* panel = &m_panel;
        ui::later(panel, [panel] { ui::unload(*panel); });
    }
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

private:
    frmZephlorin& m_panel;
};

frmZephlorin::frmZephlorin(bool bPrevInstance, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), m_bPrevInstance(bPrevInstance)
{
    setObjectName(QStringLiteral("frmZephlorin"));
    setWindowTitle(ui::programTitle());
    setWindowIcon(icons::zephlorinIcon());
    acceptFileDrops(this);
    // F1 on a highlighted item of the popup menu opens its topic.
    ui::installHelpKey();
    buildControls();
    buildMenus();
    m_widthTwips = 5 * ButtonTwips + BorderTwips;
    setFixedSize(ui::twipsToPixelsX(m_widthTwips), ui::twipsToPixelsY(Height()));
}

frmZephlorin::~frmZephlorin() = default;

// --- Start-up

void frmZephlorin::Form_Load()
{
    strCommandLines = QStringList{QString()};
    mnuStartKLV->setVisible(false);
    if (m_bPrevInstance) {
        // The running copy gets the command line; whatever came of it, this copy ends.
        modDDE::forwardToRunningInstance();
        endProgram();
        return;
    }
    boolReady = true;
    m_toolTips.SetOwner(this);
    hookWindow();

    bool bStartHidden = false;
    if (!GetCommandLine().contains(QStringLiteral("/SHOW")) && modRegistryHigh::getShowInSystray() &&
        ui::trayService().isAvailable()) {
        const qint32 nStartState = modRegistryHigh::getStartWindowState();
        bStartHidden = nStartState == StartMinimized ||
                       (nStartState == StartAsLastClosed && modRegistryHigh::getWindowCloseState() == ClosedHidden);
    }
    arrangePanel();
    if (m_bEnded)
        return;
    positionPanel();
    commitPreferences();
    if (!bStartHidden)
        ui::show(*this);
    startServing();
    if (modRegistryHigh::getScanner() == modSymbolRoutines::ScannerSerial) {
        requestSerialPort();
        showSerialScannerState();
    }
    ui::doEvents();
    if (modMainHelper::isFirstRunOfVersion()) {
        const Busy busy(boolReady);
        showPreferencesForm(new frmConfigWizard(*modMainHelper::programEdition().preferences, this));
    }
}

void frmZephlorin::endProgram()
{
    m_bEnded = true;
}

void frmZephlorin::startServing()
{
    m_server =
        modDDE::serveMainWindow([this](const QString& CmdStr, bool& Cancel) { Form_LinkExecute(CmdStr, Cancel); });
}

bool frmZephlorin::isServingCommandLines() const
{
    return m_server && m_server->isListening();
}

bool frmZephlorin::isTessalineInstalled() const
{
    return !modMainHelper::getTessalinePath().isEmpty();
}

bool frmZephlorin::isQuorvaneInstalled() const
{
    return !modMainHelper::getQuorvanePath().isEmpty();
}

bool frmZephlorin::isBrindlemarkInstalled() const
{
    return !modMainHelper::getBrindlemarkPath().isEmpty();
}

bool frmZephlorin::isKelvadonInstalled() const
{
    return !modMainHelper::getKelvadonPath().isEmpty();
}

void frmZephlorin::arrangePanel()
{
    showInstalledPrograms();
    if (vb::val(cmdScan[0]->property("Tag").toString()) == 0) {
        ui::msgBox(QStringLiteral("Neither Tessaline, nor Quorvane were found\r\rPlease re-install."), ui::Buttons::Ok,
                   ui::Icon::Critical);
        endProgram();
        return;
    }
    sizePanelToButtons();
}

void frmZephlorin::showInstalledPrograms()
{
    const bool T = isTessalineInstalled();
    const bool Q = isQuorvaneInstalled();
    const bool B = isBrindlemarkInstalled();
    const bool K = isKelvadonInstalled();
    if (!T)
        hideControl(cmdLaunchTSN);
    // The Brindlemark button only stands in for a missing Tessaline.
    if (T || !B)
        hideControl(cmdLaunchBMK);
    if (!T && !Q) {
        hideControl(cmdScan[0]);
        hideControl(cmdScan[4]);
        mnuScan->setVisible(false);
    }
    if (!Q)
        hideControl(cmdLaunchQVN);
    if (!K)
        hideControl(cmdLaunchKLV);
    mnuStartTSN->setEnabled(T);
    mnuStartBMK->setEnabled(B);
    mnuStartQVN->setEnabled(Q);
    mnuStartKLV->setEnabled(K);
}

void frmZephlorin::sizePanelToButtons()
{
    double x = 0;
    auto place = [&x](QWidget* button) {
        placeTwips(button, x, CaptionTwips, ButtonTwips, ButtonTwips);
        x += vb::roundHalfEven(ButtonTwips);
    };
    if (tagIsOne(cmdLaunchTSN))
        place(cmdLaunchTSN);
    if (tagIsOne(cmdLaunchBMK))
        place(cmdLaunchBMK);
    if (tagIsOne(cmdScan[0])) {
        const double left = x;
        for (QToolButton* member : cmdScan) {
            x = left;
            place(member);
        }
    }
    if (tagIsOne(cmdLaunchQVN))
        place(cmdLaunchQVN);
    if (tagIsOne(cmdLaunchKLV))
        place(cmdLaunchKLV);
    m_widthTwips = x + BorderTwips;
    setFixedSize(ui::twipsToPixelsX(m_widthTwips), ui::twipsToPixelsY(Height()));
    placeTwips(caption, 0, 0, m_widthTwips, CaptionTwips);
}

void frmZephlorin::placeTwips(QWidget* control, double left, double top, double width, double height)
{
    const int x = ui::twipsToPixelsX(left);
    const int y = ui::twipsToPixelsY(top);
    control->setGeometry(x, y, ui::twipsToPixelsX(left + width) - x, ui::twipsToPixelsY(top + height) - y);
}

// The stored place, kept on the screen.
void frmZephlorin::positionPanel()
{
    if (!ui::hasWindowPositions())
        return;
    m_topTwips = modRegistryHigh::getWindowTop();
    m_leftTwips = modRegistryHigh::getWindowLeft();
    const double screenWidth = ui::screenWidthTwips();
    const double screenHeight = ui::screenHeightTwips();
    if (m_leftTwips + Width() > screenWidth)
        m_leftTwips = screenWidth - Width();
    if (m_topTwips + Height() > screenHeight)
        m_topTwips = screenHeight - Height();
    if (m_leftTwips < 0)
        m_leftTwips = 0;
    if (m_topTwips < 0)
        m_topTwips = 0;
    applyPosition();
}

void frmZephlorin::applyPosition()
{
    move(ui::twipsToPixelsX(m_leftTwips), ui::twipsToPixelsY(m_topTwips));
}

double frmZephlorin::Left() const
{
    return m_leftTwips;
}

double frmZephlorin::Top() const
{
    return m_topTwips;
}

void frmZephlorin::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // Moved by the user or the window manager: the place in twips follows, while a place set
    // in twips keeps its exact value.
    if (pos().x() != ui::twipsToPixelsX(m_leftTwips))
        m_leftTwips = ui::pixelsToTwipsX(pos().x());
    if (pos().y() != ui::twipsToPixelsY(m_topTwips))
        m_topTwips = ui::pixelsToTwipsY(pos().y());
}

// --- Preferences

void frmZephlorin::commitPreferences()
{
    if (modRegistryHigh::getScanner() == modSymbolRoutines::ScannerSerial) {
        showSerialScannerState();
    } else {
        releaseSerialPort();
        showImageScannerState();
    }
    if (modRegistryHigh::getToolTips())
        m_toolTips.RestoreAllToolTips();
    else
        m_toolTips.ClearAllToolTips();
    // Without a notification area the panel keeps to the screen, whatever the setting says.
    if (!modRegistryHigh::getShowInSystray() || !ui::trayService().isAvailable()) {
        removeTrayIcon();
        mnuPopupSystrayMinimize->setEnabled(false);
        restorePanel();
    } else if (!varTrayIconShown) {
        addTrayIcon();
        mnuPopupSystrayMinimize->setEnabled(true);
    }
}

void frmZephlorin::showPreferencesForm(CPreferencesForm* form)
{
    QPointer<CPreferencesForm> alive = form;
    ui::showModal(*form);
    if (alive && !alive->CancelPressed())
        commitPreferences();
    if (alive && ui::isLoaded(*alive))
        ui::unload(*alive);
}

void frmZephlorin::mnuPopupSystrayPreferencesAllatonce_Click()
{
    const Busy busy(boolReady);
    auto* dialog = new frmPreferences(*modMainHelper::programEdition().preferences, this);
    ui::load(*dialog);
    ui::bringToFront(*dialog);
    showPreferencesForm(dialog);
}

void frmZephlorin::mnuPopupSystrayPreferencesWizard_Click()
{
    const Busy busy(boolReady);
    showPreferencesForm(new frmConfigWizard(*modMainHelper::programEdition().preferences, this));
}

// --- Tray and popup menus

void frmZephlorin::addTrayIcon()
{
    ui::trayService().addIcon(windowIcon(), ui::programTitle(), [this](qint32 message) { trayIcon_Notify(message); },
                              {m_trayMenu, [this] { prepareTrayMenu(); }});
    varTrayIconShown = true;
}

void frmZephlorin::removeTrayIcon()
{
    ui::trayService().removeIcon();
    varTrayIconShown = false;
}

void frmZephlorin::trayIcon_Notify(qint32 message)
{
    using Tray = ui::TrayService;
    if (message != Tray::LeftButtonUp && message != Tray::LeftButtonDoubleClick && message != Tray::RightButtonUp)
        return;
    // The notification area has shown the menu itself, prepared on its way up (the beep of a busy
    // panel included): a second one would stand in front of it.
    if (message == Tray::RightButtonUp && ui::trayService().showsMenu())
        return;
    if (!boolReady) {
        ui::beep();
        return;
    }
    if (message == Tray::RightButtonUp)
        showTrayMenu();
    else
        restorePanel();
}

void frmZephlorin::restorePanel()
{
    show();
    ui::bringToFront(*this);
}

void frmZephlorin::showButtonMenu()
{
    mnuPopupSystrayRestore->setVisible(false);
    mnuPopupSystrayMinimize->setVisible(true);
    mnuPopupSystray->popup(QCursor::pos());
}

// For a tray that leaves its menu to the program. A popup needs no foreground window and
// leaves a hidden panel hidden.
void frmZephlorin::showTrayMenu()
{
    m_trayMenu->popup(QCursor::pos());
}

// Runs whenever the tray menu is about to show, whoever shows it.
void frmZephlorin::prepareTrayMenu()
{
    mnuPopupSystrayRestore->setVisible(isHidden());
    mnuPopupSystrayMinimize->setVisible(!isHidden());
    // A busy panel shows what the menu holds, but nothing can be chosen; each item's own state
    // comes back when the menu closes.
    m_trayMenuItems->setEnabled(boolReady);
    if (!boolReady)
        ui::beep();
}

bool frmZephlorin::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
        ui::runGuarded([this] { showButtonMenu(); });
    return QWidget::eventFilter(watched, event);
}

void frmZephlorin::hookWindow()
{
    if (!m_windowHook)
        m_windowHook = new SubclassFilter(*this, *caption);
}

void frmZephlorin::unhookWindow()
{
    if (!m_windowHook)
        return;
    caption->removeEventFilter(m_windowHook);
    // Later: the hook may be the caller, deep in an event of the strip.
    m_windowHook->deleteLater();
    m_windowHook = nullptr;
}

bool frmZephlorin::WindowProc(QObject* hWnd, QEvent* uMsg)
{
    if (hWnd != caption || (uMsg->type() != QEvent::MouseButtonPress && uMsg->type() != QEvent::MouseButtonRelease) ||
        static_cast<QMouseEvent*>(uMsg)->button() != Qt::RightButton)
        return false;
    // The press goes no further: neither the strip nor the window manager acts on it.
    if (uMsg->type() == QEvent::MouseButtonRelease)
        ui::runGuarded([this] { showButtonMenu(); });
    return true;
}

void frmZephlorin::mnuPopupSystrayMinimize_Click()
{
    hide();
}

void frmZephlorin::mnuPopupSystrayRestore_Click()
{
    restorePanel();
}

// --- The command-line queue

QStringList frmZephlorin::GetCommandLine(int MaxArgs) const
{
    static const QRegularExpression separators(QStringLiteral("[ \t]+"));
    const QStringList arguments = vb::command().toUpper().split(separators, Qt::SkipEmptyParts);
    return QStringList{QString()} + arguments.mid(0, qMax(0, MaxArgs));
}

void frmZephlorin::Form_LinkExecute(const QString& CmdStr, bool& Cancel)
{
    const std::optional<QString> strValue = modDDE::commandLineOf(CmdStr);
    if (!strValue)
        return;
    pushCommandLine(*strValue);
    tmrCommand->setEnabled(true);
    Cancel = false;
}

void frmZephlorin::pushCommandLine(const QString& s)
{
    strCommandLines.last() = s;
    strCommandLines.append(QString());
}

QString frmZephlorin::popCommandLine()
{
    const QString s = strCommandLines.at(strCommandLines.size() - 2);
    strCommandLines.removeLast();
    strCommandLines.last().clear();
    return s;
}

void frmZephlorin::tmrCommand_Timer()
{
    if (strCommandLines.size() - 1 < 1) {
        tmrCommand->setEnabled(false);
        return;
    }
    // While a road runs the entry waits for a later tick.
    if (boolReady && !ui::Road::running())
        processCommandLines();
}

void frmZephlorin::processCommandLines()
{
    if (strCommandLines.size() - 1 < 1)
        return;
    processCommandLine(popCommandLine());
}

void frmZephlorin::processCommandLine(const QString& cmd)
{
    if (!cmd.contains(QStringLiteral("/SHOW"), Qt::CaseInsensitive))
        return;
    if (isMinimized())
        showNormal();
    restorePanel();
}

// --- Launching and help

void frmZephlorin::launch(void (*launcher)())
{
    if (!boolReady)
        return;
    const Busy busy(boolReady);
    launcher();
}

void frmZephlorin::cmdLaunchTSN_Click()
{
    launch(modMainHelper::launchTessaline);
}

void frmZephlorin::cmdLaunchBMK_Click()
{
    launch(modMainHelper::launchBrindlemark);
}

void frmZephlorin::cmdLaunchQVN_Click()
{
    launch(modMainHelper::launchQuorvane);
}

void frmZephlorin::cmdLaunchKLV_Click()
{
    launch(modMainHelper::launchKelvadon);
}

void frmZephlorin::mnuStartTSN_Click()
{
    modMainHelper::launchTessaline();
}

void frmZephlorin::mnuStartBMK_Click()
{
    modMainHelper::launchBrindlemark();
}

void frmZephlorin::mnuStartQVN_Click()
{
    modMainHelper::launchQuorvane();
}

void frmZephlorin::mnuStartKLV_Click()
{
    modMainHelper::launchKelvadon();
}

void frmZephlorin::mnuPopupHelpZephlorin_Click()
{
    modMainHelper::showHelpTopic(PanelTopic);
}

void frmZephlorin::mnuHelpContentsandindex_Click()
{
    modMainHelper::showHelpContents();
}

void frmZephlorin::mnuHelpGettingstarted_Click()
{
    modMainHelper::showHelpTopic(GettingStartedTopic);
}

void frmZephlorin::mnuHelpAbout_Click()
{
    const Busy busy(boolReady);
    modMainHelper::showAboutBox();
}

// --- Scanning and the scanner port

void frmZephlorin::cmdScan_Click(int Index)
{
    if (!boolReady)
        return;
    const Busy busy(boolReady);
    switch (Index) {
    case 0:
    case 4:
        if (modRegistryHigh::getScanner() == modSymbolRoutines::ScannerSerial) {
            ui::msgBox(QStringLiteral("PDF417 scanner port acquired.\r\rClick OK, then press trigger to scan."),
                       ui::Buttons::Ok, ui::Icon::Information);
        } else {
            // Each card of the page is added to the contact manager on the way.
            const Command command(*this);
            const ui::BusyCursor busyCursor;
            CImpressionDoc doc;
            modSymbolRoutines::scanCardToImpression(this, doc);
        }
        ui::bringToFront(*this);
        break;
    case 2:
        releaseSerialPort();
        showSerialScannerState();
        if (cmdScan[2]->isHidden())
            cmdScan[3]->setFocus();
        break;
    case 3:
        requestSerialPort();
        showSerialScannerState();
        if (cmdScan[3]->isHidden())
            cmdScan[2]->setFocus();
        break;
    default:
        break;
    }
}

void frmZephlorin::mnuScan_Click()
{
    frmHelper::instance().startTimer(this);
}

void frmZephlorin::OnTimer(ui::Timer&)
{
    frmHelper::instance().killTimer(this);
    const int nIndex = modRegistryHigh::getScanner() == modSymbolRoutines::ScannerCardScan ? 4 : 0;
    cmdScan[nIndex]->click();
}

void frmZephlorin::mnuPopupSystrayScannerportRequest_Click()
{
    requestSerialPort();
    showSerialScannerState();
}

void frmZephlorin::mnuPopupSystrayScannerportRelease_Click()
{
    releaseSerialPort();
    showSerialScannerState();
}

void frmZephlorin::requestSerialPort()
{
    frmHelper& helper = frmHelper::instance();
    // Opening the port again while we hold it would fail as "in use" and then close it.
    if (helper.isScannerActive())
        return;
    if (!helper.turnOnSerialScanner(this))
        helper.turnOffSerialScanner();
}

void frmZephlorin::releaseSerialPort()
{
    frmHelper::instance().turnOffSerialScanner();
}

void frmZephlorin::showSerialScannerState()
{
    mnuPopupSystrayScannerport->menuAction()->setVisible(true);
    const bool bHeld = frmHelper::instance().isScannerActive();
    for (int n = 0; n < int(cmdScan.size()); ++n)
        cmdScan[n]->setVisible((n == 2 && bHeld) || (n == 3 && !bHeld));
    mnuScan->setEnabled(bHeld);
    mnuPopupSystrayScannerportRelease->setEnabled(bHeld);
    mnuPopupSystrayScannerportRequest->setEnabled(!bHeld);
}

void frmZephlorin::showImageScannerState()
{
    mnuPopupSystrayScannerport->menuAction()->setVisible(false);
    const bool bCardScan = modRegistryHigh::getScanner() == modSymbolRoutines::ScannerCardScan;
    for (int n = 0; n < int(cmdScan.size()); ++n)
        cmdScan[n]->setVisible((n == 0 && !bCardScan) || (n == 4 && bCardScan));
    mnuScan->setEnabled(true);
}

// Each command fills a card of its own: the serial capture and the contact manager's link let
// events run, so another scan or a drop may start before this one has stored its card.
void frmZephlorin::serialScanComplete()
{
    const Command command(*this);
    CImpressionDoc doc;
    if (modSymbolRoutines::scanCardToImpression(this, doc))
        exportToPIM(doc);
}

void frmZephlorin::exportToPIM(const CImpressionDoc& doc)
{
    if (const std::unique_ptr<IPIMDatabase> database = modCardScan::getDefaultPIMDatabase())
        database->addNewRecord(doc);
}

void frmZephlorin::importContactFromBitmap()
{
    QString strLongName;
    QString strShortName;
    if (frmHelper::instance().promptForBitmapFileToOpen(strLongName, strShortName))
        importThisBitmapToPIM(strLongName);
}

void frmZephlorin::importThisBitmapToPIM(const QString& strFile)
{
    const Command command(*this);
    const ui::BusyCursor busyCursor;
    CImpressionDoc doc;
    modSymbolRoutines::importMultipleToPIM(doc, strFile);
}

// --- Dropped files

void frmZephlorin::Form_OLEDragOver(const QMimeData* data, Qt::DropAction& effect)
{
    const QStringList files = modMainHelper::droppedFiles(data);
    effect = !files.isEmpty() && isBitmapFile(files.first()) ? Qt::CopyAction : Qt::IgnoreAction;
}

// The drop is answered at once; the files are imported from the event loop afterwards, once no
// road (a scan, a capture, another import) runs.
void frmZephlorin::Form_OLEDragDrop(const QMimeData* data)
{
    const QStringList files = modMainHelper::droppedFiles(data);
    if (files.isEmpty())
        return;
    ui::Road::whenFree([panel = QPointer<frmZephlorin>(this), files] {
        for (const QString& file : files) {
            if (!panel) // the panel was closed meanwhile
                return;
            if (isBitmapFile(file))
                panel->importThisBitmapToPIM(file);
            else
                ui::msgBox(QStringLiteral("Invalid file type"), ui::Buttons::Ok, ui::Icon::Exclamation);
        }
    });
}

void frmZephlorin::acceptFileDrops(QWidget* widget)
{
    ui::acceptFileDrops(
        widget, [this](const QMimeData* data, Qt::DropAction& effect) { Form_OLEDragOver(data, effect); },
        [this](const QMimeData* data) { Form_OLEDragDrop(data); });
}

void frmZephlorin::mnuPopupImportBitmap_Click()
{
    importContactFromBitmap();
}

// --- Closing

void frmZephlorin::mnuExit_Click()
{
    ui::unload(*this);
}

void frmZephlorin::Form_QueryUnload(bool& cancel, ui::UnloadMode mode)
{
    // In tray mode the close box only takes the panel off the screen.
    if (mode == ui::UnloadMode::CloseBox && varTrayIconShown) {
        hide();
        cancel = true;
        return;
    }
    // A scan or an import runs (the menus and the close box do not wait for it): the panel is
    // unloaded once it has returned, so that it never returns into a panel that is gone.
    if (m_nCommandsRunning > 0) {
        m_bUnloadPending = true;
        cancel = true;
    }
}

void frmZephlorin::Form_Unload(bool&)
{
    unhookWindow();
    // A start-up that ended the program leaves everything as it found it: a second copy shares
    // the running one's settings and work folder.
    if (m_bEnded)
        return;
    m_server.reset();
    tmrCommand->setEnabled(false);
    if (ui::hasWindowPositions()) {
        modRegistryHigh::setWindowLeft(vb::toInt32(Left()));
        modRegistryHigh::setWindowTop(vb::toInt32(Top()));
    }
    modRegistryHigh::setWindowCloseState(isVisible() ? 0 : ClosedHidden);
    // The port is free at once, and no scan reaches a panel on its way out.
    if (auto* helper = ui::findForm<frmHelper>())
        helper->turnOffSerialScanner();
    for (ui::Form* form : ui::forms())
        if (form != this && !dynamic_cast<frmZephlorin*>(form))
            ui::unload(*form);
    removeTrayIcon();
    modSymbolRoutines::deleteTempFiles();
}

// --- Controls and menus

QToolButton* frmZephlorin::makeButton(const QString& name, int index, const QString& caption, const QString& tip,
                                      icons::PanelPicture picture)
{
    QToolButton* button = index < 0 ? ui::makeControl<QToolButton>(this, {name, caption, {}, tip})
                                    : ui::makeControl<QToolButton>(this, {name, caption, {}, tip}, index);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIcon(icons::panelPicture(picture));
    button->setIconSize(QSize(32, 32));
    button->setFocusPolicy(Qt::StrongFocus);
    button->setProperty("Tag", QStringLiteral("1"));
    // A button takes drops as the panel does.
    acceptFileDrops(button);
    button->installEventFilter(this);
    placeTwips(button, 0, CaptionTwips, ButtonTwips, ButtonTwips);
    // "Brindlemark" is wider than the square button in the programs' font.
    ui::fitCaption(button);
    return button;
}

void frmZephlorin::buildControls()
{
    using icons::PanelPicture;
    caption = new CaptionStrip(this);
    auto launchTip = [](const QString& program) {
        return QStringLiteral("Left click: Go To ") + program + u'.' + ButtonTip;
    };
    cmdLaunchTSN = makeButton(QStringLiteral("cmdLaunchTSN"), -1, QStringLiteral("Tessaline"),
                              launchTip(QStringLiteral("Tessaline")), PanelPicture::Tessaline);
    ui::handle(cmdLaunchTSN, [this] { cmdLaunchTSN_Click(); });
    cmdLaunchBMK = makeButton(QStringLiteral("cmdLaunchBMK"), -1, QStringLiteral("Brindlemark"),
                              launchTip(QStringLiteral("Brindlemark")), PanelPicture::Brindlemark);
    ui::handle(cmdLaunchBMK, [this] { cmdLaunchBMK_Click(); });
    const struct
    {
        QString caption;
        QString tip;
        PanelPicture picture;
    } scanMembers[] = {
        {QStringLiteral("Scan"), ScanTip, PanelPicture::Scan},
        {QStringLiteral("Scan"), ScanTip, PanelPicture::Scan},
        {QStringLiteral("Release"),
         QStringLiteral("Left click: Release scanner port. (Use trigger to scan.)") + ButtonTip, PanelPicture::Release},
        {QStringLiteral("Request"), QStringLiteral("Left click: Request scanner port.") + ButtonTip,
         PanelPicture::Request},
        {QStringLiteral("Scan"), ScanTip, PanelPicture::Scan},
    };
    for (int n = 0; n < int(cmdScan.size()); ++n) {
        cmdScan[n] = makeButton(QStringLiteral("cmdScan"), n, scanMembers[n].caption, scanMembers[n].tip,
                                scanMembers[n].picture);
        ui::handle(cmdScan[n], [this, n] { cmdScan_Click(n); });
    }
    cmdLaunchQVN = makeButton(QStringLiteral("cmdLaunchQVN"), -1, QStringLiteral("Quorvane"),
                              launchTip(QStringLiteral("Quorvane")), PanelPicture::Quorvane);
    ui::handle(cmdLaunchQVN, [this] { cmdLaunchQVN_Click(); });
    cmdLaunchKLV = makeButton(QStringLiteral("cmdLaunchKLV"), -1, QStringLiteral("Kelvadon"),
                              launchTip(QStringLiteral("Kelvadon")), PanelPicture::Kelvadon);
    ui::handle(cmdLaunchKLV, [this] { cmdLaunchKLV_Click(); });

    tmrCommand = new ui::Timer(this, CommandIntervalMs);
    tmrCommand->setObjectName(QStringLiteral("tmrCommand"));
    ui::handle(tmrCommand, [this] { tmrCommand_Timer(); });
}

void frmZephlorin::buildMenus()
{
    using ui::MenuEntry;
    const QKeySequence none;
    const QList<MenuEntry> table = {
        {0, QStringLiteral("mnuPopup"), QStringLiteral("Popup Menu")},
        {1, QStringLiteral("mnuPopupSystray"), QStringLiteral("Systray")},
        {2, QStringLiteral("mnuPopupSystrayMinimize"), QStringLiteral("Shrink to system tray"), none, 0,
         [this] { mnuPopupSystrayMinimize_Click(); }},
        {2, QStringLiteral("mnuPopupSystrayRestore"), QStringLiteral("Restore"), none, 0,
         [this] { mnuPopupSystrayRestore_Click(); }},
        {2, QStringLiteral("mnuPopupDash1"), QStringLiteral("-")},
        {2, QStringLiteral("mnuScan"), QStringLiteral("&Scan"), none, 61, [this] { mnuScan_Click(); }},
        {2, QStringLiteral("mnuPopupSystrayScannerport"), QStringLiteral("Scanner Port")},
        {3, QStringLiteral("mnuPopupSystrayScannerportRequest"), QStringLiteral("Request"), none, 64,
         [this] { mnuPopupSystrayScannerportRequest_Click(); }},
        {3, QStringLiteral("mnuPopupSystrayScannerportRelease"), QStringLiteral("Release"), none, 64,
         [this] { mnuPopupSystrayScannerportRelease_Click(); }},
        {2, QStringLiteral("mnuPopupDash2"), QStringLiteral("-")},
        {2, QStringLiteral("mnuPopupImport"), QStringLiteral("I&mport"), none, 53},
        {3, QStringLiteral("mnuPopupImportBitmap"), QStringLiteral("&Bitmap..."), none, 53,
         [this] { mnuPopupImportBitmap_Click(); }},
        {2, QStringLiteral("mnuPopupDash3"), QStringLiteral("-")},
        {2, QStringLiteral("mnuPopupSystrayPreferences"), QStringLiteral("P&references"), none, 1},
        {3, QStringLiteral("mnuPopupSystrayPreferencesAllatonce"), QStringLiteral("&All-at-once..."), none, 1,
         [this] { mnuPopupSystrayPreferencesAllatonce_Click(); }},
        {3, QStringLiteral("mnuPopupSystrayPreferencesWizard"), QStringLiteral("&Wizard..."), none, 1,
         [this] { mnuPopupSystrayPreferencesWizard_Click(); }},
        {2, QStringLiteral("mnuHepGoto"), QStringLiteral("&Go To"), none, 200},
        {3, QStringLiteral("mnuStartTSN"), QStringLiteral("&Tessaline"), none, 200, [this] { mnuStartTSN_Click(); }},
        {3, QStringLiteral("mnuStartBMK"), QStringLiteral("&Brindlemark"), none, 200, [this] { mnuStartBMK_Click(); }},
        {3, QStringLiteral("mnuStartQVN"), QStringLiteral("&Quorvane"), none, 200, [this] { mnuStartQVN_Click(); }},
        {3, QStringLiteral("mnuStartKLV"), QStringLiteral("&Kelvadon"), none, 200, [this] { mnuStartKLV_Click(); }},
        {2, QStringLiteral("mnuPopupSystrayHelp"), QStringLiteral("&Help"), none, PanelTopic},
        {3, QStringLiteral("mnuPopupHelpZephlorin"), QStringLiteral("&Zephlorin"), none, PanelTopic,
         [this] { mnuPopupHelpZephlorin_Click(); }},
        {3, QStringLiteral("mnuHelpContentsandindex"), QStringLiteral("&Contents and Index..."), none, 8,
         [this] { mnuHelpContentsandindex_Click(); }},
        {3, QStringLiteral("mnuHelpGettingstarted"), QStringLiteral("&Getting Started"), none, GettingStartedTopic,
         [this] { mnuHelpGettingstarted_Click(); }},
        {3, QStringLiteral("mnuHelpDash1"), QStringLiteral("-")},
        {3, QStringLiteral("mnuHelpAbout"), QStringLiteral("&About Zephlorin..."), none, 9,
         [this] { mnuHelpAbout_Click(); }},
        {2, QStringLiteral("mnuPopupDash4"), QStringLiteral("-")},
        {2, QStringLiteral("mnuExit"), QStringLiteral("Exit"), none, 12, [this] { mnuExit_Click(); }},
    };
    // The menu bar itself is never shown: its one menu pops up from the buttons and the tray.
    ui::makeMenuBar(this, table)->hide();

    auto menu = [this](const char* name) { return findChild<QMenu*>(QString::fromLatin1(name)); };
    auto item = [this](const char* name) { return findChild<QAction*>(QString::fromLatin1(name)); };
    mnuPopup = menu("mnuPopup");
    mnuPopupSystray = menu("mnuPopupSystray");
    mnuPopupSystrayMinimize = item("mnuPopupSystrayMinimize");
    mnuPopupSystrayRestore = item("mnuPopupSystrayRestore");
    mnuScan = item("mnuScan");
    mnuPopupSystrayScannerport = menu("mnuPopupSystrayScannerport");
    mnuPopupSystrayScannerportRequest = item("mnuPopupSystrayScannerportRequest");
    mnuPopupSystrayScannerportRelease = item("mnuPopupSystrayScannerportRelease");
    mnuPopupImport = menu("mnuPopupImport");
    mnuPopupImportBitmap = item("mnuPopupImportBitmap");
    mnuPopupSystrayPreferences = menu("mnuPopupSystrayPreferences");
    mnuPopupSystrayPreferencesAllatonce = item("mnuPopupSystrayPreferencesAllatonce");
    mnuPopupSystrayPreferencesWizard = item("mnuPopupSystrayPreferencesWizard");
    mnuHepGoto = menu("mnuHepGoto");
    mnuStartTSN = item("mnuStartTSN");
    mnuStartBMK = item("mnuStartBMK");
    mnuStartQVN = item("mnuStartQVN");
    mnuStartKLV = item("mnuStartKLV");
    mnuPopupSystrayHelp = menu("mnuPopupSystrayHelp");
    mnuPopupHelpZephlorin = item("mnuPopupHelpZephlorin");
    mnuHelpContentsandindex = item("mnuHelpContentsandindex");
    mnuHelpGettingstarted = item("mnuHelpGettingstarted");
    mnuHelpAbout = item("mnuHelpAbout");
    mnuExit = item("mnuExit");

    m_trayMenu = new QMenu(this);
    m_trayMenu->addActions(mnuPopupSystray->actions());
    m_trayMenuItems = new QActionGroup(this);
    m_trayMenuItems->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (QAction* action : mnuPopupSystray->actions())
        m_trayMenuItems->addAction(action);
    ui::connect(m_trayMenu, &QMenu::aboutToHide, this, [this] {
        m_trayMenuItems->setEnabled(true);
        // Qt reports a hidden item as disabled: the items hidden for a hidden panel show again,
        // as the buttons' and the caption's menu shows them, with their own states.
        mnuPopupSystrayRestore->setVisible(false);
        mnuPopupSystrayMinimize->setVisible(true);
    });
}
