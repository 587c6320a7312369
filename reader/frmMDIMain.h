#pragma once

// Quorvane's main window: the MDI frame around the impression windows.
//
// What the impression window (frmImpression, an MDI child offering IImpressionChild) must
// offer the frame: getFileName, isEmpty, isDirty, openImpression, importBitmapMultiple,
// scanImpression, importContact (IImpressionChild), getImportableImpression, getImpression,
// bringToFront and the rest of IImpressionWindow, and updateImpressionMRUDisplay
// (IImpressionMRUDisplay). It calls, on the frame: setTopmostImpressionWindow (itself when
// activated, nullptr when deactivated), getImpressionMRU and updateAllImpressionMRU (after
// opening and saving), boolSaveChangesNoToAll (cleared at load), boolExiting,
// getEmptyImpression, openNewImpressionWindow, openImpressionCount, CloseDirtyImpression.

#include "capture/IScanOwner.h"
#include "capture/ITimerClient.h"
#include "capture/modDDE.h"
#include "common/CMostRecentlyUsed.h"
#include "common/IImpressionMRUDisplay.h"
#include "common/IMainWindow.h"
#include "common/MainHelper.h"
#include "platform/ui/MdiFrame.h"

#include <QPointer>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

class IImpressionChild;
class QAction;
class QMenu;

namespace ipc {
class Server;
}

class frmMDIMain : public ui::MdiFrame,
                   public IMainWindow,
                   public ITimerClient,
                   public IScanOwner,
                   public IImpressionMRUDisplay
{
    Q_OBJECT

public:
    // Makes a new impression window, neither loaded nor shown.
    using ImpressionWindowFactory = std::function<IImpressionChild*()>;

    // The longest command line a second start may hand over, in UTF-8 bytes.
    static constexpr qsizetype MaxCommandLineBytes = modDDE::MaxCommandLineBytes;

    // `self` is the program the frame belongs to: its own Go To item is hidden and does nothing.
    explicit frmMDIMain(QWidget* parent = nullptr,
                        modMainHelper::FamilyProgram self = modMainHelper::FamilyProgram::Quorvane);
    ~frmMDIMain() override;

    // The program's main window: the loaded one, else a new one, loaded now.
    static frmMDIMain& instance();
    // How the frame makes impression windows; the program installs it at start-up.
    static void setImpressionWindowFactory(ImpressionWindowFactory factory);
    // The number of loaded impression windows.
    static qint16 openImpressionCount();

    // --- Offered to the other windows
    // Set at the start of the exit sequence; cleared again when a window cancels the exit.
    bool boolExiting = false;
    // Set when the user chose "No to All" while the windows close at exit; every activation
    // of the frame outside the exit, and every newly loaded impression window, clears it.
    bool boolSaveChangesNoToAll = false;

    CMostRecentlyUsed& getImpressionMRU();
    // Calls updateImpressionMRUDisplay / updateLayoutMRUDisplay on every loaded form.
    void updateAllImpressionMRU();
    void updateAllLayoutMRU();
    // Shows the recently-used impressions in the frame's File menu.
    void updateImpressionMRUDisplay() override;
    // Opens an impression (".imf") or imports a bitmap (".bmp"), chosen by the extension;
    // other files are refused with a message. Raises the errors of GetLongFilename.
    void openFile(const QString& strFileName) override;
    // Opens the text as a file path when it is longer than one character.
    void processCommandLine(const QString& strCommandLine);
    // The path itself when every component of it exists (wildcards are not expanded), else "".
    // Raises 52 for a path the file system refuses (a NUL character, a name too long).
    QString GetLongFilename(const QString& strShortName);
    // Opens the newest handed-over command line, if any; an error is reported and the rest of
    // the queue stays.
    void processCommandLines();
    // The deferred-call tick: stops the timer once the queue is empty; opens one entry when
    // no modal window of ours is up and no road of ours waits (isNotActiveWindow).
    void OnTimer(ui::Timer& timer) override;
    // The window a file opens in: the one empty window when exactly one impression window is
    // loaded (brought to the front), else a new one, not loaded yet.
    IImpressionChild* getEmptyImpression();
    // The active impression window; nullptr when none is.
    void setTopmostImpressionWindow(IImpressionChild* frmImp);
    // The window an import or a serial scan goes into: the topmost window's own choice (itself,
    // cleared, when untitled; else a new one), or a new window, shown, when none is topmost.
    IImpressionChild* getImportableImpression();
    // A serial scan has arrived: it goes into getImportableImpression.
    void serialScanComplete() override;
    // Makes a new impression window and shows it.
    IImpressionChild* openNewImpressionWindow();
    // The save prompt for a changed window: 6 Yes, 7 No, 2 Cancel. While exiting with two or
    // more changed windows it offers No to All, after which it answers No without asking.
    qint16 CloseDirtyImpression(IImpressionChild& frmImp);

    // The active impression window, if it is still loaded.
    IImpressionChild* topmostImpressionWindow() const;
    // The entries handed over and not yet opened, oldest first.
    QStringList queuedCommandLines() const { return m_commandLines; }
    // Whether the frame serves the hand-over conversation "<product>|MDI".
    bool isServingCommandLines() const;

    // --- Events
    // The execute of a second start: "cmdline=<command line>" is queued and accepted; anything
    // else leaves Cancel true (rejected).
    void MDIForm_LinkExecute(const QString& CmdStr, bool& Cancel);
    virtual void MDIForm_Initialize();
    virtual void MDIForm_Load();
    void Form_Load() override;
    void MDIForm_Activate() override;
    void Form_QueryUnload(bool& cancel, ui::UnloadMode mode) override;
    void Form_UnloadCancelled() override;
    // The exit sequence.
    void Form_Unload(bool& cancel) override;
    void MDIForm_OLEDragOver(const QMimeData* data, Qt::DropAction& effect) override;
    void MDIForm_OLEDragDrop(const QMimeData* data) override;

    // --- Menu commands
    void mnuFileNewImpression_Click();
    void mnuFileOpenImpression_Click();
    void mnuImpMRU_Click(int nIndex);
    void mnuFileScanCard_Click();
    void mnuFileScannerportRequest_Click();
    void mnuFileScannerportRelease_Click();
    void mnuFileImportContactMenu_Click(int nIndex);
    void mnuFilePreferencesAllatonce_Click();
    void mnuFilePreferencesWizard_Click();
    void mnuFileExit_Click();

    // Takes the serial scanner port for the frame (a port already held stays held, silently);
    // on failure the port is released.
    void requestScannerPort();
    void releaseScannerPort();
    // Hides the frame's own Go To item and enables each other one when its program is installed.
    void updateGoToMenus();
    // File > Scan Card follows the serial port an impression window shows held or released.
    virtual void showScanCardState(bool bHeld) { mnuFileScanCard->setEnabled(bHeld); }

    // --- Menus
    QMenu* mnuFile;
    QMenu* mnuFileImpression;
    QAction* mnuFileImpressionSample;
    QAction* mnuFileNewImpression;
    QAction* mnuFileOpenImpression;
    QAction* mnuFileImpressionDash;
    std::array<QAction*, 9> mnuImpMRU;
    QMenu* mnuFileLayout;
    QAction* mnuFileNewLayout;
    QAction* mnuFileOpenLayout;
    QAction* mnuFileScanCard;
    QMenu* mnuFileScannerport;
    QAction* mnuFileScannerportRequest;
    QAction* mnuFileScannerportRelease;
    QMenu* mnuFileImport;
    std::array<QAction*, 4> mnuFileImportContactMenu;
    QAction* mnuFileExit;
    QAction* mnuWindowGotokelvadon;
    QAction* mnuWindowGototessaline;
    QAction* mnuWindowGotobrindlemark;
    QAction* mnuWindowGotozephlorin;
    QAction* mnuWindowGotoquorvane;
    QMenu* mnuHelp;
    QAction* mnuHelpContents;
    QAction* mnuHelpAbout;

protected:
    // Where the editions of the frame differ.
    // A new impression window, neither loaded nor shown.
    virtual IImpressionChild* newImpressionWindow();
    // Closes the links to contact managers at exit.
    virtual void shutdownContactLinks();
    // Gets a window from getEmptyImpression, shows it and opens the file in it.
    void openImpressionFile(const QString& strFileName);
    // Tells that the file is not in a recognizable format, by its long name, or, when the path
    // does not exist (no long name), by the path as given, made absolute.
    static void showUnrecognizedFormat(const QString& strFileName, const QString& strLong);

private:
    void buildMenus();
    QMenu* menu(const QString& strName) const;
    QAction* item(const QString& strName) const;
    void pushCommandLine(const QString& strCommandLine);
    QString popCommandLine();
    bool isNotActiveWindow() const;
    void importBitmapFile(const QString& strFileName);
    void showImpressionWindow(IImpressionChild& frmImp);
    void showSerialPortHeld();
    void showSerialPortReleased();
    void startServing();

    const modMainHelper::FamilyProgram m_self;
    QStringList m_commandLines; // last in, first out
    CMostRecentlyUsed m_impressionMRU;
    QPointer<QWidget> m_topmost;
    std::unique_ptr<ipc::Server> m_server;
};
