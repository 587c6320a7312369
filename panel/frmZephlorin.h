#pragma once

// Zephlorin's panel: a strip of square buttons that starts the installed family programs and
// scans cards straight into the default contact manager, with a popup menu for the rest. It
// can live in the notification area. A second start hands its command line over to the
// running panel, which queues it and handles "/show".

#include "capture/IScanOwner.h"
#include "capture/ITimerClient.h"
#include "capture/modDDE.h"
#include "common/CStoredToolTips.h"
#include "common/ICommitPreferences.h"
#include "platform/ui/Form.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <array>
#include <memory>

class CaptionStrip;
class CImpressionDoc;
class CPreferencesForm;
class QAbstractButton;
class QAction;
class QActionGroup;
class QMimeData;
class QMenu;
class QToolButton;
class SubclassFilter;

namespace icons {
enum class PanelPicture;
}
namespace ipc {
class Server;
}
namespace ui {
class Timer;
}

class frmZephlorin : public QWidget, public ui::Form, public ICommitPreferences, public ITimerClient, public IScanOwner
{
    Q_OBJECT

public:
    // The panel's square buttons, in twips.
    static constexpr double ButtonTwips = 852;
    // The caption strip above the buttons, in twips.
    static constexpr double CaptionTwips = 255;
    // What the panel adds to the width of its buttons, in twips.
    static constexpr double BorderTwips = 70;
    // The longest command line a second start may hand over, in UTF-8 bytes.
    static constexpr qsizetype MaxCommandLineBytes = modDDE::MaxCommandLineBytes;

    // bPrevInstance: another copy of the program runs already (its start-up hands over and ends).
    explicit frmZephlorin(bool bPrevInstance = false, QWidget* parent = nullptr);
    ~frmZephlorin() override;

    // --- Operations offered to the other windows
    void OnTimer(ui::Timer& timer) override;
    void commitPreferences() override;
    // Adds the card as a new record of the default contact manager; without one (the user has
    // been told) nothing happens.
    void exportToPIM(const CImpressionDoc& doc);
    // The command line upper-cased and split at runs of blanks and tabs: element 0 empty, the
    // arguments from element 1, at most MaxArgs of them.
    QStringList GetCommandLine(int MaxArgs = 10) const;
    // The caption strip's events while it is hooked, before the strip sees them: a right press on
    // it is swallowed and the release pops up the panel's menu (true: the event stops here); every
    // other event goes on to the strip unchanged (false).
    bool WindowProc(QObject* hWnd, QEvent* uMsg);
    void serialScanComplete() override;
    void importContactFromBitmap();
    // Adds every card of the bitmap to the contact manager, under the busy cursor; nothing is
    // reported, whatever the result.
    void importThisBitmapToPIM(const QString& strFile);
    // Handles the newest queued command line, if any.
    void processCommandLines();
    // "/show" anywhere, in any case, brings the panel onto the screen; anything else is dropped.
    void processCommandLine(const QString& cmd);

    // True while the panel is idle: cleared while a launch, a scan or a modal dialog started
    // from the panel runs.
    bool boolReady = false;
    // The handed-over command lines, last in first out; the last slot is always the empty spare.
    QStringList strCommandLines;
    // Whether the tray icon is added.
    bool varTrayIconShown = false;

    // The start-up ended the program (a second instance, or no family program to start): the
    // panel is not shown and its unload does nothing.
    bool hasEnded() const { return m_bEnded; }
    // Whether the panel serves the hand-over conversation "Zephlorin|MDI".
    bool isServingCommandLines() const;
    // Its place and size in twips (Left, Top, Width, Height).
    double Left() const;
    double Top() const;
    double Width() const { return m_widthTwips; }
    double Height() const { return ButtonTwips + CaptionTwips; }

    // --- Events
    // The execute of a second start: "cmdline=<command line>" is queued and accepted.
    void Form_LinkExecute(const QString& CmdStr, bool& Cancel);
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, ui::UnloadMode mode) override;
    void Form_Unload(bool& cancel) override;
    // Files dragged over or dropped on the panel or any of its buttons.
    void Form_OLEDragOver(const QMimeData* data, Qt::DropAction& effect);
    void Form_OLEDragDrop(const QMimeData* data);
    // A mouse action on the tray icon (ui::TrayService::Message).
    void trayIcon_Notify(qint32 message);
    void tmrCommand_Timer();

    void cmdLaunchTSN_Click();
    void cmdLaunchBMK_Click();
    void cmdLaunchQVN_Click();
    void cmdLaunchKLV_Click();
    void cmdScan_Click(int Index);

    void mnuPopupSystrayMinimize_Click();
    void mnuPopupSystrayRestore_Click();
    void mnuScan_Click();
    void mnuPopupSystrayScannerportRequest_Click();
    void mnuPopupSystrayScannerportRelease_Click();
    void mnuPopupImportBitmap_Click();
    void mnuPopupSystrayPreferencesAllatonce_Click();
    void mnuPopupSystrayPreferencesWizard_Click();
    void mnuStartTSN_Click();
    void mnuStartBMK_Click();
    void mnuStartQVN_Click();
    void mnuStartKLV_Click();
    void mnuPopupHelpZephlorin_Click();
    void mnuHelpContentsandindex_Click();
    void mnuHelpGettingstarted_Click();
    void mnuHelpAbout_Click();
    void mnuExit_Click();

    // --- Controls
    CaptionStrip* caption;
    QToolButton* cmdLaunchTSN;
    QToolButton* cmdLaunchBMK;
    std::array<QToolButton*, 5> cmdScan;
    QToolButton* cmdLaunchQVN;
    QToolButton* cmdLaunchKLV;
    ui::Timer* tmrCommand;

    // --- Menus
    QMenu* mnuPopup;
    QMenu* mnuPopupSystray;
    QAction* mnuPopupSystrayMinimize;
    QAction* mnuPopupSystrayRestore;
    QAction* mnuScan;
    QMenu* mnuPopupSystrayScannerport;
    QAction* mnuPopupSystrayScannerportRequest;
    QAction* mnuPopupSystrayScannerportRelease;
    QMenu* mnuPopupImport;
    QAction* mnuPopupImportBitmap;
    QMenu* mnuPopupSystrayPreferences;
    QAction* mnuPopupSystrayPreferencesAllatonce;
    QAction* mnuPopupSystrayPreferencesWizard;
    QMenu* mnuHepGoto;
    QAction* mnuStartTSN;
    QAction* mnuStartBMK;
    QAction* mnuStartQVN;
    QAction* mnuStartKLV;
    QMenu* mnuPopupSystrayHelp;
    QAction* mnuPopupHelpZephlorin;
    QAction* mnuHelpContentsandindex;
    QAction* mnuHelpGettingstarted;
    QAction* mnuHelpAbout;
    QAction* mnuExit;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    QToolButton* makeButton(const QString& name, int index, const QString& caption, const QString& tip,
                            icons::PanelPicture picture);

    bool isTessalineInstalled() const;
    bool isQuorvaneInstalled() const;
    bool isBrindlemarkInstalled() const;
    bool isKelvadonInstalled() const;
    void arrangePanel();
    void showInstalledPrograms();
    void sizePanelToButtons();
    void positionPanel();
    void restorePanel();
    void showButtonMenu();
    void showTrayMenu();
    void prepareTrayMenu();
    void hookWindow();
    void unhookWindow();
    void pushCommandLine(const QString& s);
    QString popCommandLine();
    void endProgram();
    void startServing();
    void launch(void (*launcher)());
    void showPreferencesForm(CPreferencesForm* form);

    void showSerialScannerState();
    void showImageScannerState();
    void requestSerialPort();
    void releaseSerialPort();
    void addTrayIcon();
    void removeTrayIcon();
    // Marks a scan or an import as running for its lifetime; an unload asked for meanwhile
    // happens once the last one has returned.
    class Command;
    // Lets the panel or a button take files dragged over or dropped on it.
    void acceptFileDrops(QWidget* widget);

    // Places a control at a place in twips, each edge converted to pixels once.
    static void placeTwips(QWidget* control, double left, double top, double width, double height);
    void applyPosition();

    bool m_bPrevInstance;
    bool m_bEnded = false;
    double m_leftTwips = 0;
    double m_topTwips = 0;
    double m_widthTwips = 0;
    int m_nCommandsRunning = 0;
    bool m_bUnloadPending = false;
    CStoredToolTips m_toolTips{false};
    std::unique_ptr<ipc::Server> m_server;
    // The popup menu as the tray icon offers it: the very items of mnuPopupSystray, in a menu of
    // its own so that preparing it for the tray leaves the buttons' and the caption's menu alone.
    QMenu* m_trayMenu = nullptr;
    // Every item of the tray menu, to show them all disabled while the panel is busy without
    // losing their own Enabled states.
    QActionGroup* m_trayMenuItems = nullptr;
    // The caption strip's hook while the window is subclassed; null when not hooked.
    QPointer<SubclassFilter> m_windowHook;
};
