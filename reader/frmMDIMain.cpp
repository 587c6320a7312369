#include "reader/frmMDIMain.h"

#include "capture/frmHelper.h"
#include "capture/modCardScan.h"
#include "capture/modDDE.h"
#include "capture/modSymbolRoutines.h"
#include "common/FamilyMenus.h"
#include "common/ILayoutMRUDisplay.h"
#include "common/MainHelper.h"
#include "common/frmNoToAll.h"
#include "common/frmProgIcon.h"
#include "common/modRegistryHigh.h"
#include "platform/ipc/IpcServer.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ErrorBoundary.h"
#include "platform/ui/MdiChild.h"
#include "platform/ui/Menus.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Screen.h"
#include "platform/vcard/VCardLibrary.h"
#include "reader/IImpressionChild.h"

#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include <cerrno>
#include <sys/stat.h>

namespace {

// The frame's size when it is made.
constexpr int FrameWidthTwips = 6500;
constexpr int FrameHeightTwips = 8350;
constexpr int MruSlots = 9;
// The mode of importBitmapMultiple for a bitmap file opened or dropped.
constexpr qint16 BitmapFileMode = 3;
constexpr int ImportBitmap = 3;

frmMDIMain::ImpressionWindowFactory& factory()
{
    static frmMDIMain::ImpressionWindowFactory make;
    return make;
}

ui::Form* formOf(IImpressionChild* frmImp)
{
    return dynamic_cast<ui::Form*>(frmImp);
}

} // namespace

frmMDIMain::frmMDIMain(QWidget* parent, modMainHelper::FamilyProgram self) : ui::MdiFrame(parent), m_self(self)
{
    setObjectName(QStringLiteral("frmMDIMain"));
    buildMenus();
}

frmMDIMain::~frmMDIMain() = default;

frmMDIMain& frmMDIMain::instance()
{
    return ui::formInstance<frmMDIMain>();
}

void frmMDIMain::setImpressionWindowFactory(ImpressionWindowFactory make)
{
    factory() = std::move(make);
}

qint16 frmMDIMain::openImpressionCount()
{
    qint16 n = 0;
    for (ui::Form* form : ui::forms())
        if (dynamic_cast<IImpressionChild*>(form))
            ++n;
    return n;
}

// --- Initialisation, loading, activation

void frmMDIMain::MDIForm_Initialize()
{
    m_commandLines.clear();
    m_impressionMRU.configure(QStringLiteral("Impression"));
    mnuFileLayout->menuAction()->setEnabled(false);
    resize(ui::twipsToPixelsX(FrameWidthTwips), ui::twipsToPixelsY(FrameHeightTwips));
    setWindowTitle(ui::programTitle());
    modMainHelper::setHelpMenuCaptions(this);
    mnuWindowGotokelvadon->setVisible(false);
    for (int n = 0; n < ImportBitmap; ++n)
        mnuFileImportContactMenu[n]->setEnabled(false);
}

void frmMDIMain::MDIForm_Load()
{
    setWindowIcon(frmProgIcon::programIcon());
    setWindowTitle(ui::programTitle());
    modMainHelper::applyToolTipPreference(this);
    updateImpressionMRUDisplay();
    updateGoToMenus();
}

void frmMDIMain::Form_Load()
{
    MDIForm_Initialize();
    MDIForm_Load();
    startServing();
}

void frmMDIMain::startServing()
{
    m_server =
        modDDE::serveMainWindow([this](const QString& CmdStr, bool& Cancel) { MDIForm_LinkExecute(CmdStr, Cancel); });
}

bool frmMDIMain::isServingCommandLines() const
{
    return m_server && m_server->isListening();
}

void frmMDIMain::MDIForm_Activate()
{
    // While exiting, the activation after a save prompt keeps the No to All of that prompt.
    if (!boolExiting)
        boolSaveChangesNoToAll = false;
    if (modRegistryHigh::getScanner() == modSymbolRoutines::ScannerSerial) {
        mnuFileScannerport->menuAction()->setVisible(true);
        if (frmHelper::instance().isScannerActive())
            showSerialPortHeld();
        else
            showSerialPortReleased();
    } else {
        mnuFileScannerport->menuAction()->setVisible(false);
        mnuFileScanCard->setEnabled(true);
    }
}

void frmMDIMain::showSerialPortHeld()
{
    mnuFileScanCard->setEnabled(true);
    mnuFileScannerportRelease->setEnabled(true);
    mnuFileScannerportRequest->setEnabled(false);
}

void frmMDIMain::showSerialPortReleased()
{
    mnuFileScanCard->setEnabled(false);
    mnuFileScannerportRelease->setEnabled(false);
    mnuFileScannerportRequest->setEnabled(true);
}

// --- The hand-over queue

void frmMDIMain::MDIForm_LinkExecute(const QString& CmdStr, bool& Cancel)
{
    const std::optional<QString> strValue = modDDE::commandLineOf(CmdStr);
    if (!strValue)
        return;
    pushCommandLine(*strValue);
    frmHelper::instance().startTimer(this);
    if (isMinimized())
        showNormal();
    if (auto* child = dynamic_cast<ui::Form*>(activeChild()))
        ui::bringToFront(*child);
    else
        ui::bringToFront(*this);
    Cancel = false;
}

void frmMDIMain::pushCommandLine(const QString& strCommandLine)
{
    m_commandLines.append(strCommandLine);
}

QString frmMDIMain::popCommandLine()
{
    return m_commandLines.takeLast();
}

bool frmMDIMain::isNotActiveWindow() const
{
    // A modal window of ours is up: the entry waits until the frame is back to itself. (While a
    // road runs the helper form does not call OnTimer at all.)
    return QApplication::activeModalWidget() != nullptr;
}

void frmMDIMain::OnTimer(ui::Timer&)
{
    if (m_commandLines.isEmpty()) {
        frmHelper::instance().killTimer(this);
        return;
    }
    if (!isNotActiveWindow())
        processCommandLines();
}

void frmMDIMain::processCommandLines()
{
    if (m_commandLines.isEmpty())
        return;
    // Taken off the queue first: an entry that fails is reported once, and the rest go on.
    const QString strCommandLine = popCommandLine();
    ui::runGuarded([&] { processCommandLine(strCommandLine); });
}

void frmMDIMain::processCommandLine(const QString& strCommandLine)
{
    if (strCommandLine.size() > 1)
        openFile(strCommandLine);
}

void frmMDIMain::openFile(const QString& strFileName)
{
    const QString strLong = GetLongFilename(strFileName);
    const QString strExt = QStringLiteral(".") + modMainHelper::getFileExtension(strLong);
    if (strExt == QStringLiteral(".imf"))
        openImpressionFile(strLong);
    else if (strExt == QStringLiteral(".bmp"))
        importBitmapFile(strLong);
    else
        showUnrecognizedFormat(strFileName, strLong);
}

void frmMDIMain::showUnrecognizedFormat(const QString& strFileName, const QString& strLong)
{
    const QString strName = strLong.isEmpty() ? QFileInfo(strFileName).absoluteFilePath() : strLong;
    ui::msgBox(strName + QStringLiteral("\r is not in a recognizable format."), ui::Buttons::Ok, ui::Icon::Information);
}

QString frmMDIMain::GetLongFilename(const QString& strShortName)
{
    if (strShortName.contains(QChar(0)))
        throw vb::Error::runtime(52, ui::programTitle());
    const QByteArray path = QFile::encodeName(strShortName);
    if (path.isEmpty())
        return QString();
    // Every leading part up to a "/" (and the whole path) must name something that exists.
    for (qsizetype end = 1; end <= path.size(); ++end) {
        if (end < path.size() && path.at(end) != '/')
            continue;
        struct stat info;
        if (::lstat(path.left(end).constData(), &info) == 0)
            continue;
        if (errno == ENAMETOOLONG)
            throw vb::Error::runtime(52, ui::programTitle());
        return QString();
    }
    return strShortName;
}

void frmMDIMain::openImpressionFile(const QString& strFileName)
{
    IImpressionChild* frmImp = getEmptyImpression();
    showImpressionWindow(*frmImp);
    frmImp->openImpression(strFileName);
}

void frmMDIMain::importBitmapFile(const QString& strFileName)
{
    IImpressionChild* frmImp = getEmptyImpression();
    showImpressionWindow(*frmImp);
    frmImp->importBitmapMultiple(strFileName, BitmapFileMode);
}

// --- Impression windows

IImpressionChild* frmMDIMain::newImpressionWindow()
{
    if (!factory())
        throw vb::Error(91, ui::programTitle(), QStringLiteral("No impression window can be made"));
    return factory()();
}

void frmMDIMain::showImpressionWindow(IImpressionChild& frmImp)
{
    if (ui::Form* form = formOf(&frmImp))
        ui::show(*form);
}

IImpressionChild* frmMDIMain::openNewImpressionWindow()
{
    IImpressionChild* frmImp = newImpressionWindow();
    showImpressionWindow(*frmImp);
    return frmImp;
}

IImpressionChild* frmMDIMain::getEmptyImpression()
{
    if (openImpressionCount() != 1)
        return newImpressionWindow();
    for (ui::Form* form : ui::forms()) {
        auto* frmImp = dynamic_cast<IImpressionChild*>(form);
        if (frmImp && frmImp->isEmpty()) {
            ui::bringToFront(*form);
            return frmImp;
        }
    }
    return newImpressionWindow();
}

void frmMDIMain::setTopmostImpressionWindow(IImpressionChild* frmImp)
{
    ui::Form* form = formOf(frmImp);
    m_topmost = form ? form->widget() : nullptr;
}

IImpressionChild* frmMDIMain::topmostImpressionWindow() const
{
    // A window that was unloaded is no longer topmost, whatever its last deactivation did.
    for (ui::Form* form : ui::forms())
        if (m_topmost && form->widget() == m_topmost)
            return dynamic_cast<IImpressionChild*>(form);
    return nullptr;
}

IImpressionChild* frmMDIMain::getImportableImpression()
{
    IImpressionChild* topmost = topmostImpressionWindow();
    if (!topmost)
        return openNewImpressionWindow();
    return dynamic_cast<IImpressionChild*>(topmost->getImportableImpression());
}

void frmMDIMain::serialScanComplete()
{
    if (IImpressionChild* target = getImportableImpression())
        modSymbolRoutines::scanCardIntoWindow(this, *target);
}

qint16 frmMDIMain::CloseDirtyImpression(IImpressionChild& frmImp)
{
    const ui::Form* form = formOf(&frmImp);
    const QString strMessage =
        QStringLiteral("Save changes to ") + (form ? form->widget()->windowTitle() : QString()) + QStringLiteral("?");
    auto askPlainly = [&strMessage] {
        return qint16(ui::msgBox(strMessage, ui::Buttons::YesNoCancel, ui::Icon::Exclamation));
    };
    if (!boolExiting)
        return askPlainly();
    int nDirty = 0;
    for (ui::Form* f : ui::forms())
        if (auto* other = dynamic_cast<IImpressionChild*>(f); other && other->isDirty())
            ++nDirty;
    if (nDirty < 2)
        return askPlainly();
    if (boolSaveChangesNoToAll)
        return qint16(ui::Answer::No);
    frmNoToAll& prompt = ui::formInstance<frmNoToAll>();
    prompt.setMessage(strMessage);
    ui::showModal(prompt);
    if (!ui::isLoaded(prompt))
        return qint16(ui::Answer::Cancel);
    if (prompt.boolNoToAll)
        boolSaveChangesNoToAll = true;
    return prompt.intResponse;
}

// --- Recently used impressions and Go To

CMostRecentlyUsed& frmMDIMain::getImpressionMRU()
{
    return m_impressionMRU;
}

void frmMDIMain::updateAllImpressionMRU()
{
    ui::callOnForms<IImpressionMRUDisplay>([](IImpressionMRUDisplay& form) { form.updateImpressionMRUDisplay(); });
}

void frmMDIMain::updateAllLayoutMRU()
{
    ui::callOnForms<ILayoutMRUDisplay>([](ILayoutMRUDisplay& form) { form.updateLayoutMRUDisplay(); });
}

void frmMDIMain::updateImpressionMRUDisplay()
{
    QString strName = m_impressionMRU.getMRUDisplayName(0);
    if (!strName.isEmpty())
        mnuFileImpressionDash->setVisible(true);
    for (int n = 0; n < MruSlots && !strName.isEmpty(); ++n) {
        mnuImpMRU[n]->setText(QStringLiteral("&") + QString::number(n + 1) + QStringLiteral(" ") + strName);
        mnuImpMRU[n]->setVisible(true);
        strName = m_impressionMRU.getMRUDisplayName(qint16(n + 1));
    }
}

void frmMDIMain::updateGoToMenus()
{
    modMainHelper::updateGoToMenus(this, m_self);
}

// --- Menu commands

void frmMDIMain::mnuFileNewImpression_Click()
{
    openNewImpressionWindow();
}

void frmMDIMain::mnuFileOpenImpression_Click()
{
    QString strLongName;
    QString strShortName;
    if (!frmHelper::instance().promptForImpressionFileToOpen(strLongName, strShortName))
        return;
    // Always a new window, even when the only one is empty.
    IImpressionChild* frmImp = openNewImpressionWindow();
    ui::doEvents();
    frmImp->openImpression(strLongName);
}

void frmMDIMain::mnuImpMRU_Click(int nIndex)
{
    openImpressionFile(m_impressionMRU.getMRUFileName(qint16(nIndex)));
}

void frmMDIMain::mnuFileScanCard_Click()
{
    if (modRegistryHigh::getScanner() == modSymbolRoutines::ScannerSerial) {
        // The card comes later, through serialScanComplete.
        modSymbolRoutines::promptSerialScanIfHeld();
        return;
    }
    IImpressionChild* frmImp = openNewImpressionWindow();
    ui::doEvents();
    frmImp->scanImpression();
}

void frmMDIMain::requestScannerPort()
{
    frmHelper& helper = frmHelper::instance();
    // Opening the port again while we hold it would fail as "in use" and then close it.
    if (!helper.isScannerActive() && !helper.turnOnSerialScanner(this)) {
        releaseScannerPort();
        return;
    }
    showSerialPortHeld();
}

void frmMDIMain::releaseScannerPort()
{
    frmHelper::instance().turnOffSerialScanner();
    showSerialPortReleased();
}

void frmMDIMain::mnuFileScannerportRequest_Click()
{
    requestScannerPort();
}

void frmMDIMain::mnuFileScannerportRelease_Click()
{
    releaseScannerPort();
}

void frmMDIMain::mnuFileImportContactMenu_Click(int nIndex)
{
    if (IImpressionChild* target = getImportableImpression())
        target->importContact(qint16(nIndex));
}

void frmMDIMain::mnuFilePreferencesAllatonce_Click()
{
    modMainHelper::showPreferencesAllAtOnce(this);
}

void frmMDIMain::mnuFilePreferencesWizard_Click()
{
    modMainHelper::showPreferencesWizard(this);
}

void frmMDIMain::mnuFileExit_Click()
{
    ui::unload(*this);
}

// --- Drops

void frmMDIMain::MDIForm_OLEDragOver(const QMimeData* data, Qt::DropAction& effect)
{
    modMainHelper::dragOverFiles(data, effect);
}

void frmMDIMain::MDIForm_OLEDragDrop(const QMimeData* data)
{
    modMainHelper::dropFiles(data);
}

// --- Exit

void frmMDIMain::Form_QueryUnload(bool&, ui::UnloadMode)
{
    // Set before the windows are asked, so that their prompts know the program is ending.
    boolExiting = true;
}

void frmMDIMain::Form_UnloadCancelled()
{
    boolExiting = false;
    boolSaveChangesNoToAll = false;
}

void frmMDIMain::Form_Unload(bool&)
{
    // Every window agreed to go: a second start from now on runs on its own instead of
    // handing over a command line that would be dropped.
    m_server.reset();
    for (ui::Form* form : ui::forms())
        if (dynamic_cast<IImpressionChild*>(form))
            ui::unload(*form);
    for (ui::Form* form : ui::forms())
        if (form != this)
            ui::unload(*form);
    vcard::ReleasevCard();
    shutdownContactLinks();
    modSymbolRoutines::deleteTempFiles();
}

void frmMDIMain::shutdownContactLinks()
{
    modCardScan::shutdownCardScan();
}

// --- Menus

void frmMDIMain::buildMenus()
{
    using ui::MenuEntry;
    const ui::MenuState hidden{.visible = false};
    const ui::MenuState disabled{.enabled = false};
    const QKeySequence none;
    QList<MenuEntry> table = {
        {0, QStringLiteral("mnuFile"), QStringLiteral("&File")},
        {1, QStringLiteral("mnuFileImpression"), QStringLiteral("&Impression"), none, 3},
        {2, QStringLiteral("mnuFileImpressionSample"), QStringLiteral("&Sample"), none, 10008, {}, hidden},
        {2, QStringLiteral("mnuFileNewImpression"), QStringLiteral("&New"), QKeySequence(QStringLiteral("Ctrl+N")), 3,
         [this] { mnuFileNewImpression_Click(); }},
        {2, QStringLiteral("mnuFileOpenImpression"), QStringLiteral("&Open..."), QKeySequence(QStringLiteral("Ctrl+O")),
         5, [this] { mnuFileOpenImpression_Click(); }},
        {2, QStringLiteral("mnuFileImpressionDash"), QStringLiteral("-"), none, 0, {}, hidden},
    };
    for (int n = 0; n < MruSlots; ++n)
        table.append({2, ui::arrayName(QStringLiteral("mnuImpMRU"), n), QString(), none, 5,
                      [this, n] { mnuImpMRU_Click(n); }, hidden});
    table += {
        {1, QStringLiteral("mnuFileLayout"), QStringLiteral("&Layout"), none, 4, {}, disabled},
        {2, QStringLiteral("mnuFileNewLayout"), QStringLiteral("&New"), none, 4},
        {2, QStringLiteral("mnuFileOpenLayout"), QStringLiteral("&Open..."), none, 6},
        {2, QStringLiteral("mnuFileLayoutDash"), QStringLiteral("-"), none, 0, {}, hidden},
    };
    for (int n = 0; n < MruSlots; ++n)
        table.append({2, ui::arrayName(QStringLiteral("mnuLytMRU"), n), QString(), none, 6, {}, hidden});
    table += {
        {1, QStringLiteral("mnuFileDash1"), QStringLiteral("-")},
        {1, QStringLiteral("mnuFileScanCard"), QStringLiteral("&Scan Card"), QKeySequence(QStringLiteral("Ctrl+A")), 61,
         [this] { mnuFileScanCard_Click(); }},
        {1, QStringLiteral("mnuFileScannerport"), QStringLiteral("Scanner Port"), none, 64},
        {2, QStringLiteral("mnuFileScannerportRequest"), QStringLiteral("Request"), none, 0,
         [this] { mnuFileScannerportRequest_Click(); }},
        {2, QStringLiteral("mnuFileScannerportRelease"), QStringLiteral("Release"), none, 0,
         [this] { mnuFileScannerportRelease_Click(); }},
        {1, QStringLiteral("mnuFileDash2"), QStringLiteral("-")},
        {1, QStringLiteral("mnuFileImport"), QStringLiteral("I&mport"), none, 62},
    };
    const QString importCaptions[] = {QStringLiteral("&vCard..."), QStringLiteral("From &CardScan"),
                                      QStringLiteral("From &Outlook"), QStringLiteral("&Bitmap...")};
    for (int n = 0; n <= ImportBitmap; ++n)
        table.append({2, ui::arrayName(QStringLiteral("mnuFileImportContactMenu"), n), importCaptions[n], none,
                      n == ImportBitmap ? 53 : 62, [this, n] { mnuFileImportContactMenu_Click(n); }});
    table += {
        {1, QStringLiteral("mnuFileDash3"), QStringLiteral("-")},
        {1, QStringLiteral("mnuFilePreferences"), QStringLiteral("P&references"), none, 1},
        {2, QStringLiteral("mnuFilePreferencesAllatonce"), QStringLiteral("&All-at-once..."), none, 1,
         [this] { mnuFilePreferencesAllatonce_Click(); }},
        {2, QStringLiteral("mnuFilePreferencesWizard"), QStringLiteral("&Wizard..."), none, 1,
         [this] { mnuFilePreferencesWizard_Click(); }},
        {1, QStringLiteral("mnuFileDash4"), QStringLiteral("-")},
        {1, QStringLiteral("mnuFileExit"), QStringLiteral("E&xit"), none, 12, [this] { mnuFileExit_Click(); }},
    };
    table += modMainHelper::windowMenuRows(m_self);
    table += modMainHelper::helpMenuRows(this, {.contentsKey = QKeySequence(Qt::Key_F1),
                                                .wizardCaption = QStringLiteral("Wizard..."),
                                                .aboutCaption = QStringLiteral("&About App...")});
    ui::makeMenuBar(this, table);
    setWindowListMenu(menu(QStringLiteral("mnuWindow")));

    mnuFile = menu(QStringLiteral("mnuFile"));
    mnuFileImpression = menu(QStringLiteral("mnuFileImpression"));
    mnuFileImpressionSample = item(QStringLiteral("mnuFileImpressionSample"));
    mnuFileNewImpression = item(QStringLiteral("mnuFileNewImpression"));
    mnuFileOpenImpression = item(QStringLiteral("mnuFileOpenImpression"));
    mnuFileImpressionDash = item(QStringLiteral("mnuFileImpressionDash"));
    for (int n = 0; n < MruSlots; ++n) {
        mnuImpMRU[n] = item(ui::arrayName(QStringLiteral("mnuImpMRU"), n));
    }
    mnuFileLayout = menu(QStringLiteral("mnuFileLayout"));
    mnuFileNewLayout = item(QStringLiteral("mnuFileNewLayout"));
    mnuFileOpenLayout = item(QStringLiteral("mnuFileOpenLayout"));
    mnuFileScanCard = item(QStringLiteral("mnuFileScanCard"));
    mnuFileScannerport = menu(QStringLiteral("mnuFileScannerport"));
    mnuFileScannerportRequest = item(QStringLiteral("mnuFileScannerportRequest"));
    mnuFileScannerportRelease = item(QStringLiteral("mnuFileScannerportRelease"));
    mnuFileImport = menu(QStringLiteral("mnuFileImport"));
    for (int n = 0; n <= ImportBitmap; ++n)
        mnuFileImportContactMenu[n] = item(ui::arrayName(QStringLiteral("mnuFileImportContactMenu"), n));
    mnuFileExit = item(QStringLiteral("mnuFileExit"));
    mnuWindowGotokelvadon = item(QStringLiteral("mnuWindowGotokelvadon"));
    mnuWindowGototessaline = item(QStringLiteral("mnuWindowGototessaline"));
    mnuWindowGotobrindlemark = item(QStringLiteral("mnuWindowGotobrindlemark"));
    mnuWindowGotozephlorin = item(QStringLiteral("mnuWindowGotozephlorin"));
    mnuWindowGotoquorvane = item(QStringLiteral("mnuWindowGotoquorvane"));
    mnuHelp = menu(QStringLiteral("mnuHelp"));
    mnuHelpContents = item(QStringLiteral("mnuHelpContents"));
    mnuHelpAbout = item(QStringLiteral("mnuHelpAbout"));
}

QMenu* frmMDIMain::menu(const QString& strName) const
{
    return findChild<QMenu*>(strName);
}

QAction* frmMDIMain::item(const QString& strName) const
{
    return findChild<QAction*>(strName);
}
