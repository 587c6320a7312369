#pragma once

#include "common/ICommitPreferences.h"
#include "common/IImpressionFileWindow.h"
#include "common/IImpressionMRUDisplay.h"
#include "common/MainHelper.h"
#include "platform/ui/Form.h"
#include "platform/ui/MdiChild.h"
#include "reader/IImpressionChild.h"
#include "reader/SingleLineTextBox.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class CImpressionDoc;
class CMostRecentlyUsed;
class CStoredToolTips;
class IPIMDatabase;
class LockableComboBox;
class MultiLineTextBox;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolBar;

namespace print {
class PictureBox;
}

// The impression window: one impression in the main window, shown read-only on four tabs
// ("&Name", "&Business", "Ho&me", "&Image"). It keeps the contact in its controls and copies it
// to and from a CImpressionDoc for every open, save, scan, import and export.
//
// Many may be open at once. Two counters are shared by all of them: the loaded windows, and
// the running number of untitled windows, which is never reused.
//
// The sample-card program shows the same window in an edition of its own; the procedures it
// replaces are virtual: the load step, the caption, the query-unload, the Change handlers of
// the formatted name, the e-mail address and the company, the recently-used step of Save As,
// and the lines of The Corvel Words and their preview.
class frmImpression : public QWidget,
                      public ui::Form,
                      public ui::MdiChild,
                      public IImpressionChild,
                      public IImpressionFileWindow,
                      public IImpressionMRUDisplay,
                      public ICommitPreferences
{
    Q_OBJECT

public:
    // The current impression file version, and the version the messages quote.
    static constexpr qint16 CurrentFileVersion = 3;
    static QString versionText();
    // The tab "&Image", where the lines of The Corvel Words and the preview are.
    static constexpr int ImageTabIndex = 3;
    // The window's own size in twips: the main window's area at the main window's own size (6500
    // x 8350 twips less its menu bar), less the child window's borders and title bar, so that the
    // first window opens whole, with no scroll bar.
    static constexpr int FormWidth = 6375;
    static constexpr int FormHeight = 7665;

    explicit frmImpression(QWidget* parent = nullptr);
    ~frmImpression() override;

    // The loaded impression windows (the frame's count), and the untitled numbers given out so far.
    static qint16 openImpressionCount();
    static qint16 untitledImpressionCount();

    // --- Document lifecycle
    QString getFileName() const override { return m_strFileName; }
    // Untitled, unchanged, with blank name fields, company and title, and the only impression
    // window loaded. Addresses, telephones and the lines of The Corvel Words do not count.
    bool isEmpty() override;
    bool isDirty() const override { return m_isDirty; }
    // Opens a file into this window. A file already shown by a window is brought forward
    // instead, and this window closes.
    void openImpression(const QString& strFileName) override;
    // Copies the document into the controls (field by field, in alphabetical order of the
    // property names); every changed field marks the window changed.
    void readDoc(const CImpressionDoc& doc) override;
    // Copies the controls into the document, in the same order. Always true.
    bool writeDoc(CImpressionDoc& doc) const override;

    bool getIsOldVersion() const override { return m_bOld; }
    void SetAsOldVersion(bool m_bOld) override;
    void SetAsNewerVersion(bool m_bNewer) override;
    bool getIsNewerVersion() const { return m_bNewer; }
    bool getCorvelWordsCreated() const { return m_bCorvelWordsCreated; }
    void setCorvelWordsCreated(bool bCreated) override;
    // The contact's short name: the formatted name, else salutation, first, middle and last
    // name with ", " and the suffix.
    QString getShortName() const;

    // Saves to the window's file (Save As while untitled). True when the file was written.
    bool saveImpression();
    // Asks for a file and saves to it. True when the file was written.
    bool saveImpressionAs();
    // The window's file name without its extension, else a name made from the last name (or
    // the formatted name) without the characters a file name cannot hold.
    QString suggestFileName() const;

    // --- Window and main-window links
    void bringToFront() override;
    IImpressionWindow* getImportableImpression() override;
    IImpressionWindow* getImpression() override;
    void commitPreferences() override;

    // --- Commands of the window's menus and toolbar, its imports, exports and scanning
    // Redraws the preview when the Image tab shows.
    void updateScreen() override;
    // Adds the shown contact to the default contact manager; its own errors are ignored.
    void exportToPIM() override;
    // Decodes every symbol of the bitmap into impression windows, this one first, and tells
    // the counts. nMode 1 after a scan (a blank page gets a hint), 3 for a bitmap file.
    void importBitmapMultiple(const QString& strFileName, qint16 nMode) override;
    void scanImpression() override;
    // Import by index into getImportableImpression: 0 vCard file, 1 CardScan, 2 Outlook, 3 bitmap.
    void importContact(qint16 nIndex) override;
    void importContactFromVCard();
    // Reads one vCard file into this window; "Unable to import " and the path when it cannot.
    void importContactFromVCardFile(const QString& strFileName);
    void importContactFromBitmap();
    void postProcessImport();
    void updateImpressionMRUDisplay() override;
    // No layout list is ever attached to an impression window, so there is nothing to show.
    void updateLayoutMRUDisplay() {}

    // --- Menu, toolbar and combo handlers
    virtual void Toolbar1_ButtonClick(const QString& key);
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileClose_Click();
    void mnuFileImportContact_Click(int nIndex);
    void mnuFileExportVCard_Click();
    void mnuFileExportToCardscan_Click();
    void mnuFileExportToOutlook_Click();
    void mnuFileExportBitmap_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileMRU_Click(int nIndex);
    void mnuFileExit_Click();
    void mnuCard_Click();
    virtual void mnuCardScan_Click();
    void mnuCardScannerownershipRequest_Click();
    void mnuCardScannerownershipRelease_Click();
    void mnuCardToPIM_Click();
    void mnuCardImportFrom_Click(int nIndex);
    void mnuCardExportTo_Click(int nIndex);
    void cboScanner_Click();
    void cboDefaultPIM_Click();
    // Layout > Quick 'n Easy: nothing in this program, where the item is disabled.
    virtual void mnuLayoutQuickNEasy_Click() {}

    // A toolbar button by its key, a menu item (or a menu's own action) by its name; nullptr
    // when there is none.
    QAction* toolbarButton(const QString& key) const;
    QAction* menuItem(const QString& name) const;

    // --- Events
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_QueryUnload(bool& cancel, ui::UnloadMode mode) override;
    void Form_Unload(bool& cancel) override;

    // --- Controls
    QTabWidget* SSTab1 = nullptr;
    LockableComboBox* cboNamTitle = nullptr;
    // The lines of The Corvel Words; each shows the start of a line put into it.
    std::array<SingleLineTextBox*, 3> txtLabTop{};
    std::array<SingleLineTextBox*, 3> txtLabBottom{};
    QLineEdit* txtStoreFontInfoHere = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QComboBox* cboScanner = nullptr;
    QComboBox* cboDefaultPIM = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    print::PictureBox* picPreview = nullptr;
    // The buttons of the Image tab: element 0 captioned, element 1 with a picture.
    using ButtonArray = std::array<QPushButton*, 2>;
    ButtonArray cmdUseDefaultsFirst{};
    ButtonArray cmdUseDefaultsLast{};
    ButtonArray cmdFont{};
    ButtonArray cmdFontDefault{};
    ButtonArray cmdMakeBMP{};
    ButtonArray cmdUpdate{};

    // The control that shows field slot nSlot (0 to 41) of the document: cboNamTitle, or the
    // text box "txt" & property name, multi-line for the notes and the two streets.
    QWidget* fieldControl(int nSlot) const { return m_fieldControls[nSlot]; }
    QString fieldText(int nSlot) const;
    // Every text box of the window, the contact fields first in document order, then the lines
    // of The Corvel Words and the font store.
    const QList<QWidget*>& textBoxes() const { return m_textBoxes; }

protected:
    // The caption for the file (untitled while it is ""); stores it as the window's file name.
    virtual void setWindowCaption(const QString& strFileName);
    // Gives a window being loaded its untitled number, once.
    void countWindow();

    // Change handlers that the sample-card program replaces; they mark the window changed.
    virtual void txtNamFormattedName_Change();
    virtual void txtNamEmail_Change();
    virtual void txtBusCompany_Change();
    // The recently-used step of Save As: the file goes to the top of the list and every window
    // shows the list again.
    virtual void addSavedAsToRecentlyUsed(const QString& strFileName);

    // The lines of The Corvel Words, and their preview on the Image tab.
    virtual void setDefaultFirstLines();
    virtual void setDefaultLastLines();
    // The words data file that setDefaultLastLines reads: "tsncw.dat" in the program folder.
    virtual QString wordsDataFile() const;
    virtual bool drawPreview();
    // The tab control's Click, with the tab shown before.
    virtual void SSTab1_Click(int PreviousTab);

    // The buttons of the Image tab, each with the full-program notice in this program.
    virtual void cmdUseDefaultsFirst_Click(int Index);
    virtual void cmdUseDefaultsLast_Click(int Index);
    virtual void cmdFont_Click(int Index);
    virtual void cmdFontDefault_Click(int Index);
    virtual void cmdMakeBMP_Click(int Index);
    virtual void cmdUpdate_Click(int Index);

    // How the window is made: the toolbar with its buttons in order and the combos on their
    // placeholders, and the menus (made into the window's menu holder).
    virtual void buildToolbar();
    virtual void buildMenus();
    // The program the window belongs to: its Go To item is hidden and does nothing.
    virtual modMainHelper::FamilyProgram ownProgram() const { return modMainHelper::FamilyProgram::Quorvane; }
    // The window's setup at load that belongs to its menus and toolbar: the Go To items and
    // the launch button, the toolbar placeholders, and the buttons and items not offered.
    virtual void updateLaunchButtons();
    virtual void prepareMenusAndToolbar();
    virtual void applyScannerType();
    // The scan buttons of an image scanner (CardScan 0, TWAIN 2): the one of that scanner.
    virtual void showImageScannerButtons(qint32 nScanner);
    virtual void showSerialPortHeld();
    virtual void showSerialPortReleased();
    virtual void exportBitmap();
    virtual void Form_Resize();
    // The card scan of Card > Scan and of the scan buttons.
    virtual void scanCard();
    // Takes the serial port for the program (a port this program holds already stays held);
    // true when it is held afterwards.
    bool requestSerialPort();
    // Copies the window into a new document and hands it to the link's addNewRecord.
    void exportToDatabase(IPIMDatabase* database);
    // Fills the target window from a contact manager's current record.
    void importFromDatabase(frmImpression& target, IPIMDatabase* database);

    bool isAlreadyOpen(const QString& strFileName);
    bool loadImpressionFile(const QString& strFileName);
    void clearImpression();
    bool confirmFormatConversion();
    // The question before saving an impression of a newer version; true for OK.
    bool confirmNewerVersionSave();
    void lockAllFields();
    void scrollAllFieldsToStart();
    // Adds the file to the impression recently-used list and shows the list in every window.
    virtual void addToRecentlyUsed(const QString& strFileName);
    // The caret of a text box at its start, nothing selected, its start shown.
    static void caretToStart(QWidget* textBox);
    static QString textOf(const QWidget* control);
    static void setTextOf(QWidget* control, const QString& text);

    void setFontStore(const QString& strName, int nSize);
    QString fontStoreName() const;
    int fontStoreSize() const;

    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    QString m_strFileName;
    qint16 m_untitledNumber = 0;
    bool m_isDirty = false;
    bool m_bOld = false;
    bool m_bNewer = false;
    bool m_bCorvelWordsCreated = false;
    CMostRecentlyUsed* m_impressionMRU = nullptr;
    // The toolbar placeholders the two combos cover.
    QWidget* m_scannerPlaceholder = nullptr;
    QWidget* m_defaultPIMPlaceholder = nullptr;
    std::unique_ptr<CStoredToolTips> m_toolTips;

    // The steps of the load that a program's edition of this window does its own way.
    virtual void setLoadColoursAndTips();
    virtual void lockFieldsOnLoad() { lockAllFields(); }
    // Attaches the frame's list of recently used impressions and shows it in the File menu.
    virtual void attachRecentlyUsed();

private:
    void buildTabs();
    QWidget* makeFieldControl(int nSlot, QWidget* parent);
    void buildImageTab(QWidget* page);
    void fieldChanged(int nSlot);
    void textBox_LostFocus(QWidget* textBox);
    void showSerialPortState(bool bHeld);

    std::array<QWidget*, 42> m_fieldControls{};
    QList<QWidget*> m_textBoxes;
    int m_currentTab = 0;

    static qint16 s_untitledImpressionCount;
};
