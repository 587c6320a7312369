// The impression window's commands: its toolbar and menus, the two scanner and contact-manager
// combos, scanning, import and export, and the recently-used entries.

#include "reader/frmImpression.h"

#include "capture/CPIMOutlook.h"
#include "capture/frmHelper.h"
#include "capture/modCardScan.h"
#include "capture/modSymbolRoutines.h"
#include "common/CMostRecentlyUsed.h"
#include "common/CStoredToolTips.h"
#include "common/FamilyMenus.h"
#include "common/MainHelper.h"
#include "common/modRegistryHigh.h"
#include "icons/ButtonIcons.h"
#include "model/CImpressionDoc.h"
#include "model/CVCFFileV1.h"
#include "model/modImpressionFile.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FileDrops.h"
#include "platform/ui/HelpContext.h"
#include "platform/ui/MdiFrame.h"
#include "platform/ui/Menus.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ToolTips.h"
#include "platform/vb/VbError.h"
#include "platform/vb/VbNumber.h"
#include "reader/frmMDIMain.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int MruSlots = 9;
constexpr int ImportBitmap = 3;
constexpr int ExportBitmap = 3;
constexpr qint32 ImportHelp = 62;
constexpr qint32 ImportBitmapHelp = 53;
constexpr qint32 ExportHelp = 63;
constexpr qint32 ExportBitmapHelp = 67;
constexpr qint32 NoStartBrindlemarkTopic = 10008;
constexpr qint32 FromPIMHelp = 65;
constexpr qint32 ToPIMHelp = 66;
constexpr qint32 QuickLayoutHelp = 71;
// The widths of the two combos; their placeholders take the same.
constexpr int ComboWidthTwips = 1335;
// The empty space at the left end of the toolbar.
constexpr int LeftSpaceTwips = 120;
// The toolbar's pictures, small enough that the whole toolbar fits the window at its own size.
constexpr int ToolbarIconPixels = 16;
// importBitmapMultiple after a scan: a page without symbols gets a hint.
constexpr qint16 ScanMode = 1;
constexpr qint16 BitmapFileMode = 3;

const QString CR = QStringLiteral("\r");

const QString ScanTip = QStringLiteral("Scan digital business card");
const QString FromPIMTip = QStringLiteral("Get contact information from default PIM");
const QString ToPIMTip = QStringLiteral("Send contact information to default PIM");
const QString QuickLayoutTip = QStringLiteral("Quick 'n Easy Layout");
const QString BrindlemarkTip = QStringLiteral("Go To Brindlemark");

QString number(int n)
{
    return QString::number(n);
}

} // namespace

// --- Building the toolbar and the menus

void frmImpression::buildToolbar()
{
    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setIconSize(QSize(ToolbarIconPixels, ToolbarIconPixels));
    ui::acceptFileDrops(Toolbar1, modMainHelper::dragOverFilesOnControl, modMainHelper::dropFilesOnControl);
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, Toolbar1);

    auto button = [this](const QString& key, const QString& tip) {
        QAction* action = Toolbar1->addAction(icons::toolbarIcon(key), key);
        action->setObjectName(key);
        action->setData(key);
        ui::setToolTipOf(action, tip);
        ui::handle(action, [this, key] { Toolbar1_ButtonClick(key); });
    };
    auto placeholder = [this](const QString& key, int widthTwips) {
        auto* space = new QWidget(Toolbar1);
        space->setFixedWidth(ui::twipsToPixelsX(widthTwips));
        QAction* action = Toolbar1->addWidget(space);
        action->setObjectName(key);
        action->setData(key);
        space->installEventFilter(this);
        return space;
    };
    auto separator = [this](const QString& key = QString()) {
        QAction* action = Toolbar1->addSeparator();
        if (!key.isEmpty()) {
            action->setObjectName(key);
            action->setData(key);
        }
    };

    placeholder(QStringLiteral("MakeMatchLeftOfTabs"), LeftSpaceTwips);
    button(QStringLiteral("Scan"), ScanTip);
    button(QStringLiteral("NoScan"), ScanTip);
    button(QStringLiteral("ReleasePDF"), QStringLiteral("Release PDF417 scanner port. (Use trigger to scan)"));
    button(QStringLiteral("RequestPDF"), QStringLiteral("Request PDF417 scanner port"));
    button(QStringLiteral("CardScan"), ScanTip);
    separator(QStringLiteral("ScannerSep1"));
    m_scannerPlaceholder = placeholder(QStringLiteral("Scanner"), ComboWidthTwips);
    separator(QStringLiteral("ScannerSep2"));
    separator(QStringLiteral("ScannerSep3"));
    separator(QStringLiteral("ScannerSep4"));
    button(QStringLiteral("FromPIM"), FromPIMTip);
    button(QStringLiteral("NoFromPIM"), FromPIMTip);
    separator();
    m_defaultPIMPlaceholder = placeholder(QStringLiteral("DefaultPIM"), ComboWidthTwips);
    separator();
    button(QStringLiteral("ToPim"), ToPIMTip);
    button(QStringLiteral("NoToPIM"), ToPIMTip);
    separator();
    separator();
    separator();
    button(QStringLiteral("QuickLayout"), QuickLayoutTip);
    button(QStringLiteral("NoQuickLayout"), QuickLayoutTip);
    button(QStringLiteral("StartBrindlemark"), BrindlemarkTip);
    button(QStringLiteral("NoStartBrindlemark"), BrindlemarkTip);
    button(QStringLiteral("Preferences"), QStringLiteral("Preferences Wizard"));

    // The combos lie over their placeholders (Form_Resize puts them there).
    cboScanner =
        ui::makeControl<QComboBox>(Toolbar1, {QStringLiteral("cboScanner"), {}, {}, QStringLiteral("Scan using")});
    cboScanner->addItems({QStringLiteral("CardScan"), QStringLiteral("PDF417"), QStringLiteral("TWAIN")});
    cboDefaultPIM =
        ui::makeControl<QComboBox>(Toolbar1, {QStringLiteral("cboDefaultPIM"), {}, {}, QStringLiteral("Default PIM")});
    cboDefaultPIM->addItems({QStringLiteral("CardScan"), QStringLiteral("Outlook")});
    for (QComboBox* combo : {cboScanner, cboDefaultPIM}) {
        combo->setFixedWidth(ui::twipsToPixelsX(ComboWidthTwips));
        combo->setCurrentIndex(-1);
    }
    ui::handle(cboScanner, [this] { cboScanner_Click(); });
    ui::handle(cboDefaultPIM, [this] { cboDefaultPIM_Click(); });
}

void frmImpression::buildMenus()
{
    using ui::MenuEntry;
    const ui::MenuState hidden{.visible = false};
    const QKeySequence none;
    auto key = [](const char* text) { return QKeySequence(QString::fromLatin1(text)); };
    const QString importCaptions[] = {QStringLiteral("&vCard..."), QStringLiteral("From &CardScan"),
                                      QStringLiteral("From &Outlook"), QStringLiteral("&Bitmap...")};
    const QString exportCaptions[] = {QStringLiteral("&vCard..."), QStringLiteral("To &CardScan"),
                                      QStringLiteral("To &Outlook"), QStringLiteral("&Bitmap...")};

    QList<MenuEntry> table = {
        {0, QStringLiteral("mnuFile"), QStringLiteral("&File")},
        {1, QStringLiteral("mnuFileNew"), QStringLiteral("&New Impression"), key("Ctrl+N"), 3,
         [this] { mnuFileNew_Click(); }},
        {1, QStringLiteral("mnuFileOpen"), QStringLiteral("&Open Impression..."), key("Ctrl+O"), 5,
         [this] { mnuFileOpen_Click(); }},
        {1, QStringLiteral("mnuFileClose"), QStringLiteral("&Close Impression"), none, 51,
         [this] { mnuFileClose_Click(); }},
        {1, QStringLiteral("mnuFileDash1"), QStringLiteral("-")},
        {1, QStringLiteral("mnuFileLayout"), QStringLiteral("&Layout"), none, 1100},
        {2, QStringLiteral("mnuNewLayout"), QStringLiteral("&New Layout"), none, 4},
        {2, QStringLiteral("mnuLoadLayout"), QStringLiteral("Open La&yout..."), none, 6},
        {2, QStringLiteral("mnuFileLayoutDash1"), QStringLiteral("-"), none, 0, {}, hidden},
    };
    for (int n = 0; n < MruSlots; ++n)
        table.append({2, ui::arrayName(QStringLiteral("mnuLytMRU_"), n), QString(), none, 6, {}, hidden});
    table += {
        {1, QStringLiteral("mnuFileDash2"), QStringLiteral("-")},
        {1, QStringLiteral("mnuFileImport"), QStringLiteral("I&mport"), none, ImportHelp},
    };
    for (int n = 0; n <= ImportBitmap; ++n)
        table.append({2, ui::arrayName(QStringLiteral("mnuFileImportContact"), n), importCaptions[n], none,
                      n == ImportBitmap ? ImportBitmapHelp : ImportHelp, [this, n] { mnuFileImportContact_Click(n); }});
    table += {
        {1, QStringLiteral("mnuFileExport"), QStringLiteral("&Export"), none, ExportHelp},
        {2, QStringLiteral("mnuFileExportVCard"), QStringLiteral("&vCard..."), none, ExportHelp,
         [this] { mnuFileExportVCard_Click(); }},
        {2, QStringLiteral("mnuFileExportToCardscan"), QStringLiteral("To &CardScan"), none, ExportHelp,
         [this] { mnuFileExportToCardscan_Click(); }},
        {2, QStringLiteral("mnuFileExportToOutlook"), QStringLiteral("To &Outlook"), none, ExportHelp,
         [this] { mnuFileExportToOutlook_Click(); }},
        {2, QStringLiteral("mnuFileExportBitmap"), QStringLiteral("&Bitmap..."), none, ExportBitmapHelp,
         [this] { mnuFileExportBitmap_Click(); }},
        {1, QStringLiteral("mnuFileDash3"), QStringLiteral("-")},
        {1, QStringLiteral("mnuFileSave"), QStringLiteral("&Save Impression"), key("Ctrl+S"), 54,
         [this] { mnuFileSave_Click(); }},
        {1, QStringLiteral("mnuFileSaveAs"), QStringLiteral("Save Impression &As..."), none, 54,
         [this] { mnuFileSaveAs_Click(); }},
        {1, QStringLiteral("mnuFileDash4"), QStringLiteral("-")},
        {1, QStringLiteral("mnuFilePreferences"), QStringLiteral("P&references"), none, 1},
        {2, QStringLiteral("mnuFilePreferencesAllatonce"), QStringLiteral("&All-at-once..."), none, 1,
         [this] { modMainHelper::showPreferencesAllAtOnce(this); }},
        {2, QStringLiteral("mnuFilePreferencesWizard"), QStringLiteral("&Wizard..."), none, 1,
         [this] { modMainHelper::showPreferencesWizard(this); }},
        {1, QStringLiteral("mnuFileDash5"), QStringLiteral("-"), none, 0, {}, hidden},
    };
    for (int n = 0; n < MruSlots; ++n)
        table.append({1, ui::arrayName(QStringLiteral("mnuFileMRU"), n), QString(), none, 5,
                      [this, n] { mnuFileMRU_Click(n); }, hidden});
    table += {
        {1, QStringLiteral("mnuFileDash6"), QStringLiteral("-")},
        {1, QStringLiteral("mnuFileExit"), QStringLiteral("E&xit"), none, 12, [this] { mnuFileExit_Click(); }},

        {0, QStringLiteral("mnuCard"), QStringLiteral("&Card"), none, 0, [this] { mnuCard_Click(); }},
        {1, QStringLiteral("mnuCardScan"), QStringLiteral("&Scan"), key("Ctrl+A"), 61, [this] { mnuCardScan_Click(); }},
        {1, QStringLiteral("mnuCardScannerport"), QStringLiteral("Scanner &Port"), none, 64},
        {2, QStringLiteral("mnuCardScannerownershipRequest"), QStringLiteral("Re&quest"), none, 64,
         [this] { mnuCardScannerownershipRequest_Click(); }},
        {2, QStringLiteral("mnuCardScannerownershipRelease"), QStringLiteral("Re&lease"), none, 64,
         [this] { mnuCardScannerownershipRelease_Click(); }},
        {1, QStringLiteral("mnuCardDash1"), QStringLiteral("-")},
        {1, QStringLiteral("mnuCardFromPIM"), QStringLiteral("Get &From Default PIM"), none, FromPIMHelp},
        {1, QStringLiteral("mnuCardToPIM"), QStringLiteral("Send &To Default PIM"), none, ToPIMHelp,
         [this] { mnuCardToPIM_Click(); }},
        {1, QStringLiteral("mnuCardDash2"), QStringLiteral("-")},
        {1, QStringLiteral("mnuCardImport"), QStringLiteral("I&mport"), none, ImportHelp},
    };
    for (int n = 0; n <= ImportBitmap; ++n)
        table.append({2, ui::arrayName(QStringLiteral("mnuCardImportFrom"), n), importCaptions[n], none,
                      n == ImportBitmap ? ImportBitmapHelp : ImportHelp, [this, n] { mnuCardImportFrom_Click(n); }});
    table.append({1, QStringLiteral("mnuCardExport"), QStringLiteral("&Export"), none, ExportHelp});
    for (int n = 0; n <= ExportBitmap; ++n)
        table.append({2, ui::arrayName(QStringLiteral("mnuCardExportTo"), n), exportCaptions[n], none,
                      n == ExportBitmap ? ExportBitmapHelp : ExportHelp, [this, n] { mnuCardExportTo_Click(n); }});
    table += {
        {0, QStringLiteral("mnuLayout"), QStringLiteral("&Layout")},
        {1, QStringLiteral("mnuLayoutNew"), QStringLiteral("&New"), key("Ctrl+L"), 4},
        {1, QStringLiteral("mnuLayoutOpen"), QStringLiteral("&Open..."), none, 6},
        {1, QStringLiteral("mnuLayoutQuickNEasy"), QStringLiteral("&Quick 'n Easy (Current impression)"), key("Ctrl+Q"),
         QuickLayoutHelp, [this] { mnuLayoutQuickNEasy_Click(); }},
        {1, QStringLiteral("mnuLayoutDash2"), QStringLiteral("-"), none, 0, {}, hidden},
    };
    for (int n = 0; n < MruSlots; ++n)
        table.append({1, ui::arrayName(QStringLiteral("mnuLytMRU"), n), QString(), none, 6, {}, hidden});
    table += modMainHelper::windowMenuRows(ownProgram());
    table += modMainHelper::helpMenuRows(this);
    ui::makeMenuBar(this, table);
    ui::MdiFrame::setWindowListMenu(findChild<QMenu*>(QStringLiteral("mnuWindow")));
}

QAction* frmImpression::toolbarButton(const QString& key) const
{
    if (!Toolbar1)
        return nullptr;
    for (QAction* action : Toolbar1->actions())
        if (action->data().toString() == key)
            return action;
    return nullptr;
}

QAction* frmImpression::menuItem(const QString& name) const
{
    if (auto* menu = findChild<QMenu*>(name))
        return menu->menuAction();
    return findChild<QAction*>(name);
}

// --- Load steps that belong to the menus and the toolbar

void frmImpression::prepareMenusAndToolbar()
{
    // The placeholders take the widths of the combos that cover them.
    m_scannerPlaceholder->setFixedWidth(cboScanner->width());
    m_defaultPIMPlaceholder->setFixedWidth(cboDefaultPIM->width());
    toolbarButton(QStringLiteral("NoToPIM"))->setVisible(false);
    toolbarButton(QStringLiteral("CardScan"))->setVisible(false);
    for (const char* name : {"mnuFileSave", "mnuFileSaveAs", "mnuFileLayout", "mnuCardFromPIM", "mnuCardExportTo(3)",
                             "mnuFileExportBitmap"})
        menuItem(QString::fromLatin1(name))->setEnabled(false);
    for (int n = 0; n < ImportBitmap; ++n) {
        menuItem(ui::arrayName(QStringLiteral("mnuCardImportFrom"), n))->setEnabled(false);
        menuItem(ui::arrayName(QStringLiteral("mnuFileImportContact"), n))->setEnabled(false);
    }
    for (const char* name : {"mnuLayoutNew", "mnuLayoutOpen", "mnuLayoutQuickNEasy"})
        menuItem(QString::fromLatin1(name))->setEnabled(false);
    toolbarButton(QStringLiteral("FromPIM"))->setVisible(false);
    toolbarButton(QStringLiteral("QuickLayout"))->setVisible(false);
}

void frmImpression::updateLaunchButtons()
{
    modMainHelper::updateGoToMenus(this, ownProgram());
    const bool hasBrindlemark = !modMainHelper::getBrindlemarkPath().isEmpty();
    toolbarButton(QStringLiteral("StartBrindlemark"))->setVisible(hasBrindlemark);
    toolbarButton(QStringLiteral("NoStartBrindlemark"))->setVisible(!hasBrindlemark);
}

void frmImpression::Form_Resize()
{
    if (!Toolbar1)
        return;
    // Both combos at one top, centred on the "Scanner" placeholder's height.
    const QRect scanner = m_scannerPlaceholder->geometry();
    const QRect pim = m_defaultPIMPlaceholder->geometry();
    const int top = vb::toInt32((scanner.height() - cboScanner->height()) / 2.0) + scanner.top();
    cboScanner->setGeometry(scanner.left(), top, scanner.width(), cboScanner->height());
    cboDefaultPIM->setGeometry(pim.left(), top, pim.width(), cboDefaultPIM->height());
    cboScanner->raise();
    cboDefaultPIM->raise();
}

// --- Scanner state of the toolbar and the menus

void frmImpression::showSerialPortReleased()
{
    showSerialPortState(false);
}

void frmImpression::showSerialPortHeld()
{
    showSerialPortState(true);
}

void frmImpression::showSerialPortState(bool bHeld)
{
    for (const char* key : {"Scan", "NoScan", "CardScan"})
        toolbarButton(QString::fromLatin1(key))->setVisible(false);
    toolbarButton(QStringLiteral("ReleasePDF"))->setVisible(bHeld);
    toolbarButton(QStringLiteral("RequestPDF"))->setVisible(!bHeld);
    // Scanning waits for the trigger of a held port.
    menuItem(QStringLiteral("mnuCardScan"))->setEnabled(bHeld);
    if (auto* main = ui::findForm<frmMDIMain>())
        main->showScanCardState(bHeld);
}

void frmImpression::applyScannerType()
{
    frmHelper& helper = frmHelper::instance();
    const qint32 nScanner = modRegistryHigh::getScanner();
    QAction* scannerPort = menuItem(QStringLiteral("mnuCardScannerport"));
    if (nScanner == modSymbolRoutines::ScannerSerial) {
        scannerPort->setVisible(true);
        if (helper.isScannerActive())
            showSerialPortHeld();
        else
            showSerialPortReleased();
        return;
    }
    if (helper.isScannerActive())
        helper.turnOffSerialScanner();
    showImageScannerButtons(nScanner);
    menuItem(QStringLiteral("mnuCardScan"))->setEnabled(true);
    scannerPort->setVisible(false);
}

void frmImpression::showImageScannerButtons(qint32 nScanner)
{
    const bool twain = nScanner == modSymbolRoutines::ScannerTwain;
    toolbarButton(QStringLiteral("Scan"))->setVisible(twain);
    toolbarButton(QStringLiteral("CardScan"))->setVisible(!twain);
    for (const char* key : {"NoScan", "ReleasePDF", "RequestPDF"})
        toolbarButton(QString::fromLatin1(key))->setVisible(false);
}

void frmImpression::commitPreferences()
{
    if (!m_toolTips)
        return;
    if (modRegistryHigh::getToolTips())
        m_toolTips->RestoreAllToolTips();
    else
        m_toolTips->ClearAllToolTips();
    if (modRegistryHigh::getScanner() == modSymbolRoutines::ScannerSerial) {
        if (frmHelper::instance().isScannerActive())
            showSerialPortHeld();
        else
            showSerialPortReleased();
    }
    cboDefaultPIM->setCurrentIndex(modRegistryHigh::getDefaultPIM());
    cboScanner->setCurrentIndex(modRegistryHigh::getScanner());
    applyScannerType();
}

// --- The combos

void frmImpression::cboScanner_Click()
{
    if (cboScanner->currentIndex() < 0)
        return;
    modRegistryHigh::setScanner(qint16(cboScanner->currentIndex()));
    // Only a choice of the user goes to every window; a value set from the settings does not.
    if (QApplication::focusWidget() == cboScanner)
        modMainHelper::commitPreferencesToAllForms();
}

void frmImpression::cboDefaultPIM_Click()
{
    if (cboDefaultPIM->currentIndex() < 0)
        return;
    modRegistryHigh::setDefaultPIM(cboDefaultPIM->currentIndex());
    if (QApplication::focusWidget() == cboDefaultPIM)
        modMainHelper::commitPreferencesToAllForms();
}

// --- Toolbar

void frmImpression::Toolbar1_ButtonClick(const QString& key)
{
    if (key == QStringLiteral("Scan") || key == QStringLiteral("CardScan")) {
        mnuCardScan_Click();
    } else if (key == QStringLiteral("NoScan")) {
        modSymbolRoutines::showScannerPortNeeded();
    } else if (key == QStringLiteral("ReleasePDF")) {
        mnuCardScannerownershipRelease_Click();
        modMainHelper::commitPreferencesToAllForms();
    } else if (key == QStringLiteral("RequestPDF")) {
        if (requestSerialPort()) {
            showSerialPortHeld();
            modMainHelper::commitPreferencesToAllForms();
        } else {
            showSerialPortReleased();
        }
    } else if (key == QStringLiteral("FromPIM") || key == QStringLiteral("NoFromPIM")) {
        modMainHelper::showGetTSNDialog(FromPIMHelp, QStringLiteral("Get From Default PIM"));
    } else if (key == QStringLiteral("ToPim")) {
        exportToPIM();
    } else if (key == QStringLiteral("NoToPIM")) {
        modMainHelper::showGetTSNDialog(ToPIMHelp, QStringLiteral("Send To Default PIM"));
    } else if (key == QStringLiteral("QuickLayout") || key == QStringLiteral("NoQuickLayout")) {
        modMainHelper::showGetTSNDialog(QuickLayoutHelp, QStringLiteral("Quick 'n Easy Layout"));
    } else if (key == QStringLiteral("StartBrindlemark")) {
        modMainHelper::launchBrindlemark();
    } else if (key == QStringLiteral("NoStartBrindlemark")) {
        modMainHelper::showHelpTopic(NoStartBrindlemarkTopic);
    } else if (key == QStringLiteral("Preferences")) {
        modMainHelper::showPreferencesWizard(this);
    }
}

// --- Serial scanner port

bool frmImpression::requestSerialPort()
{
    frmHelper& helper = frmHelper::instance();
    // The port this program holds already stays held: opening it again would fail as in use.
    if (helper.isScannerActive())
        return true;
    if (helper.turnOnSerialScanner(&frmMDIMain::instance()))
        return true;
    helper.turnOffSerialScanner();
    return false;
}

void frmImpression::mnuCard_Click()
{
    const bool held = frmHelper::instance().isScannerActive();
    menuItem(QStringLiteral("mnuCardScannerownershipRequest"))->setEnabled(!held);
    menuItem(QStringLiteral("mnuCardScannerownershipRelease"))->setEnabled(held);
}

void frmImpression::mnuCardScannerownershipRequest_Click()
{
    if (requestSerialPort())
        showSerialPortHeld();
    else
        showSerialPortReleased();
}

void frmImpression::mnuCardScannerownershipRelease_Click()
{
    frmHelper::instance().turnOffSerialScanner();
    showSerialPortReleased();
}

// --- Scanning

void frmImpression::scanImpression()
{
    scanCard();
}

void frmImpression::mnuCardScan_Click()
{
    scanCard();
}

void frmImpression::scanCard()
{
    const QString strBitmap = modSymbolRoutines::getTempSymbolBitmapName();
    if (modRegistryHigh::getScanner() == modSymbolRoutines::ScannerSerial) {
        // The card comes later, by the trigger, through the main window.
        modSymbolRoutines::promptSerialScanIfHeld();
        return;
    }
    if (!modSymbolRoutines::acquireCardImage(&frmMDIMain::instance(), strBitmap))
        return;
    // The scanned image goes, whatever the import makes of it.
    struct RemoveScan
    {
        QString path;
        ~RemoveScan() { QFile::remove(path); }
    } removeScan{strBitmap};
    importBitmapMultiple(strBitmap, ScanMode);
}

void frmImpression::importBitmapMultiple(const QString& strFileName, qint16 nMode)
{
    int nIdentified = 0;
    int nDecoded = 0;
    int nRead = 0;
    int nPrevious = 0;
    int nNewer = 0;
    IImpressionWindow* window = this;
    bool bFailed = false;
    {
        ui::BusyCursor busy;
        try {
            modSymbolRoutines::importMultipleFromBitmap(window, strFileName, nIdentified, nDecoded, nRead, nPrevious,
                                                        nNewer);
        } catch (const vb::Error& error) {
            // The windows filled so far keep their cards.
            bFailed = true;
            ui::reportError(error);
        }
        updateScreen();
        scrollAllFieldsToStart();
    }
    updateScreen();
    if (auto* last = dynamic_cast<frmImpression*>(window); last && last != this)
        last->postProcessImport();
    if (bFailed)
        return;

    QString strMessage;
    if (nRead != nIdentified) {
        strMessage = QStringLiteral("Read ") + number(nRead) + QStringLiteral(" of ") + number(nDecoded) +
                     QStringLiteral(" bar codes decoded, of ") + number(nIdentified) + QStringLiteral(" identified.") +
                     CR;
    } else if (nRead != 1) {
        strMessage = QStringLiteral("Read ") + number(nRead) + QStringLiteral(" of ") + number(nIdentified) +
                     QStringLiteral(" bar codes identified.") + CR;
        if (nIdentified < 1 && nMode == ScanMode)
            strMessage += CR + QStringLiteral("Make sure to scan the correct side of a card imprinted with The Corvel "
                                              "Encoding.");
    }
    if (nPrevious == 1)
        strMessage += CR +
                      (nRead != 1 ? QStringLiteral("One impression is from a previous version of Tessaline.")
                                  : QStringLiteral("Impression read is from a previous version of Tessaline.")) +
                      CR;
    else if (nPrevious > 1)
        strMessage +=
            CR + number(nPrevious) + QStringLiteral(" impressions are from a previous version of Tessaline.") + CR;
    if (nNewer == 1)
        strMessage += CR + (nRead != 1 ? QStringLiteral("One impression is from a newer version of Tessaline.")
                                       : QStringLiteral("Impression read is from a newer version of Tessaline."));
    else if (nNewer > 1)
        strMessage += CR + number(nNewer) + QStringLiteral(" impressions are from a newer version of Tessaline.");
    if (!strMessage.isEmpty())
        ui::msgBox(strMessage, ui::Buttons::Ok, ui::Icon::Information);
}

// --- Imports

void frmImpression::mnuFileImportContact_Click(int nIndex)
{
    importContact(qint16(nIndex));
}

void frmImpression::mnuCardImportFrom_Click(int nIndex)
{
    importContact(qint16(nIndex));
}

void frmImpression::importContact(qint16 nIndex)
{
    auto* target = dynamic_cast<frmImpression*>(getImportableImpression());
    if (!target)
        return;
    switch (nIndex) {
    case 0:
        target->importContactFromVCard();
        break;
    case 1:
        importFromDatabase(*target, modCardScan::getCardScanDatabase().get());
        break;
    case 2: {
        CPIMOutlook outlook;
        importFromDatabase(*target, &outlook);
        break;
    }
    case ImportBitmap:
        target->importContactFromBitmap();
        break;
    default:
        break;
    }
    target->postProcessImport();
}

void frmImpression::importFromDatabase(frmImpression& target, IPIMDatabase* database)
{
    // Without a link (it has told the user why) nothing is imported.
    if (!database)
        return;
    CImpressionDoc doc;
    database->getCurrentRecord(doc);
    target.readDoc(doc);
    target.setDefaultFirstLines();
    target.setDefaultLastLines();
}

void frmImpression::importContactFromVCard()
{
    QString strLongName;
    QString strShortName;
    if (frmHelper::instance().promptForVCardFileToOpen(strLongName, strShortName))
        importContactFromVCardFile(strLongName);
}

void frmImpression::importContactFromVCardFile(const QString& strFileName)
{
    CImpressionDoc doc;
    doc.setFileVersion(0);
    if (!modImpressionFile::readVCardIntoImpression(doc, strFileName)) {
        ui::msgBox(QStringLiteral("Unable to import ") + strFileName, ui::Buttons::Ok, ui::Icon::Exclamation);
        return;
    }
    readDoc(doc);
    if (doc.FileVersion() == 0) {
        // A plain vCard brings no words: the last lines are the defaults, the first are
        // composed when the Image tab is shown.
        setCorvelWordsCreated(false);
        setDefaultLastLines();
    } else {
        setCorvelWordsCreated(true);
    }
}

void frmImpression::importContactFromBitmap()
{
    QString strLongName;
    QString strShortName;
    if (frmHelper::instance().promptForBitmapFileToOpen(strLongName, strShortName))
        importBitmapMultiple(strLongName, BitmapFileMode);
}

void frmImpression::postProcessImport()
{
    updateScreen();
    scrollAllFieldsToStart();
}

void frmImpression::updateScreen()
{
    if (SSTab1->currentIndex() == ImageTabIndex)
        drawPreview();
}

// --- Exports

void frmImpression::mnuFileExportVCard_Click()
{
    QString strLongName = suggestFileName();
    QString strShortName;
    if (!frmHelper::instance().promptForVCardFileToCreate(strLongName, strShortName))
        return;
    const bool bSimple = modRegistryHigh::getSimpleVCard();
    CImpressionDoc doc;
    writeDoc(doc);
    CVCFFileV1 file;
    if (file.writeFile(doc, strLongName, !bSimple))
        ui::msgBox(strShortName + QStringLiteral(" created"), ui::Buttons::Ok, ui::Icon::Information);
    else
        ui::msgBox(QStringLiteral("Unable to save \r\n") + strLongName +
                       QStringLiteral("\r\n\r\nCheck if file is read only."),
                   ui::Buttons::Ok, ui::Icon::Exclamation);
}

void frmImpression::exportToDatabase(IPIMDatabase* database)
{
    // Without a link (it has told the user why) nothing is exported.
    if (!database)
        return;
    CImpressionDoc doc;
    writeDoc(doc);
    database->addNewRecord(doc);
}

void frmImpression::mnuFileExportToCardscan_Click()
{
    exportToDatabase(modCardScan::getCardScanDatabase().get());
}

void frmImpression::mnuFileExportToOutlook_Click()
{
    CPIMOutlook outlook;
    exportToDatabase(&outlook);
}

void frmImpression::mnuFileExportBitmap_Click()
{
    exportBitmap();
}

void frmImpression::exportBitmap() {}

void frmImpression::mnuCardExportTo_Click(int nIndex)
{
    switch (nIndex) {
    case 0:
        mnuFileExportVCard_Click();
        break;
    case 1:
        mnuFileExportToCardscan_Click();
        break;
    case 2:
        mnuFileExportToOutlook_Click();
        break;
    default:
        exportBitmap();
        break;
    }
}

void frmImpression::mnuCardToPIM_Click()
{
    exportToPIM();
}

void frmImpression::exportToPIM()
{
    try {
        exportToDatabase(modCardScan::getDefaultPIMDatabase().get());
    } catch (const vb::Error&) {
    }
}

// --- File menu

void frmImpression::mnuFileNew_Click()
{
    getImpression();
}

void frmImpression::mnuFileOpen_Click()
{
    QString strLongName;
    QString strShortName;
    if (!frmHelper::instance().promptForImpressionFileToOpen(strLongName, strShortName))
        return;
    frmMDIMain& main = frmMDIMain::instance();
    IImpressionChild* frmImp = main.getEmptyImpression();
    if (auto* form = dynamic_cast<ui::Form*>(frmImp))
        ui::show(*form);
    frmImp->openImpression(strLongName);
}

void frmImpression::mnuFileClose_Click()
{
    ui::unload(*this);
}

void frmImpression::mnuFileSave_Click()
{
    saveImpression();
}

void frmImpression::mnuFileSaveAs_Click()
{
    saveImpressionAs();
}

void frmImpression::mnuFileExit_Click()
{
    frmMDIMain& main = frmMDIMain::instance();
    main.boolExiting = true;
    ui::unload(main);
}

// --- Recently used

void frmImpression::mnuFileMRU_Click(int nIndex)
{
    if (!m_impressionMRU)
        return;
    const QString strFileName = m_impressionMRU->getMRUFileName(qint16(nIndex));
    IImpressionChild* target = this;
    if (!isEmpty())
        target = dynamic_cast<IImpressionChild*>(getImpression());
    if (target)
        target->openImpression(strFileName);
}

void frmImpression::updateImpressionMRUDisplay()
{
    if (!m_impressionMRU)
        return;
    QString strName = m_impressionMRU->getMRUDisplayName(0);
    if (!strName.isEmpty())
        menuItem(QStringLiteral("mnuFileDash5"))->setVisible(true);
    for (int n = 0; n < MruSlots && !strName.isEmpty(); ++n) {
        QAction* item = menuItem(ui::arrayName(QStringLiteral("mnuFileMRU"), n));
        item->setText(QStringLiteral("&") + number(n + 1) + QStringLiteral(" ") + strName);
        item->setVisible(true);
        strName = m_impressionMRU->getMRUDisplayName(qint16(n + 1));
    }
}
