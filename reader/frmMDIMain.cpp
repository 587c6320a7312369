#include "reader/frmMDIMain.h"

#include "capture/frmHelper.h"
#include "capture/modCardScan.h"
#include "capture/modDDE.h"
#include "capture/modSymbolRoutines.h"
#include "common/ILayoutMRUDisplay.h"
#include "common/MainHelper.h"
#include "common/modRegistryHigh.h"
#include "common/frmAbout.h"
#include "common/frmNoToAll.h"
#include "platform/ipc/IpcServer.h"
#include "platform/ui/Clock.h"
#include "platform/ui/MdiChild.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Screen.h"
#include "platform/vb/EventWait.h"
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
// The help topic of File > Getting Started.
constexpr qint32 GettingStartedTopic = 10004;
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

frmMDIMain::frmMDIMain(QWidget* parent) : ui::MdiFrame(parent)
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
    setWindowIcon(QApplication::windowIcon());
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
    m_server = std::make_unique<ipc::Server>(ipc::Channel::Conversation, modDDE::mainWindowTopic());
    m_server->setExecuteHandler([this](const QString& strCommand) {
        bool Cancel = true;
        try {
            MDIForm_LinkExecute(strCommand, Cancel);
        } catch (const vb::Error& error) {
            ui::reportError(error);
        }
        return Cancel ? ipc::Status::Rejected : ipc::Status::Accepted;
    });
    if (!m_server->listen()) {
        // Another copy serves the name (its hand-over failed): this one runs on its own.
        qWarning("%s: not serving %s: %s", qPrintable(ui::programTitle()), qPrintable(m_server->name()),
                 qPrintable(m_server->errorString()));
        m_server.reset();
    }
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
    const qsizetype equals = CmdStr.indexOf(u'=');
    if (equals < 0)
        return;
    const QString strKey = CmdStr.left(equals).toLower();
    const QString strValue = CmdStr.mid(equals + 1);
    if (strKey != QStringLiteral("cmdline") || strValue.toUtf8().size() > MaxCommandLineBytes)
        return;
    pushCommandLine(strValue);
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
    // A modal window of ours is up, or a road of ours waits with events running: the entry
    // waits until the frame is back to itself.
    return QApplication::activeModalWidget() != nullptr || vb::EventWait::depth() > 0;
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
    try {
        processCommandLine(strCommandLine);
    } catch (const vb::Error& error) {
        ui::reportError(error);
    }
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
        ui::msgBox(strLong + QStringLiteral("\r is not in a recognizable format."), ui::Buttons::Ok,
                   ui::Icon::Information);
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
    mnuWindowGotoquorvane->setVisible(false);
    mnuWindowGotozephlorin->setEnabled(!modMainHelper::getZephlorinPath().isEmpty());
    mnuWindowGotobrindlemark->setEnabled(!modMainHelper::getBrindlemarkPath().isEmpty());
    mnuWindowGotokelvadon->setEnabled(!modMainHelper::getKelvadonPath().isEmpty());
    mnuWindowGototessaline->setEnabled(!modMainHelper::getTessalinePath().isEmpty());
    mnuWindowGotoquorvane->setEnabled(!modMainHelper::getQuorvanePath().isEmpty());
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
        modMainHelper::promptSerialScan();
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

void frmMDIMain::mnuWindowGotokelvadon_Click()
{
    modMainHelper::launchKelvadon();
}

void frmMDIMain::mnuWindowGototessaline_Click()
{
    modMainHelper::launchTessaline();
}

void frmMDIMain::mnuWindowGotobrindlemark_Click()
{
    modMainHelper::launchBrindlemark();
}

void frmMDIMain::mnuWindowGotozephlorin_Click()
{
    modMainHelper::launchZephlorin();
}

void frmMDIMain::mnuHelpContents_Click()
{
    modMainHelper::showHelpContents();
}

void frmMDIMain::mnuHelpGettingstarted_Click()
{
    modMainHelper::showHelpTopic(GettingStartedTopic);
}

void frmMDIMain::mnuHelpAbout_Click()
{
    QPointer<frmAbout> about = new frmAbout;
    ui::showModal(*about);
    if (about && ui::isLoaded(*about))
        ui::unload(*about);
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

namespace {

QMenu* menuIn(QWidget* owner, const QString& name, const QString& caption, qint32 helpContext = 0)
{
    auto* menu = new QMenu(caption, owner);
    menu->setObjectName(name);
    modMainHelper::setHelpContextID(menu->menuAction(), helpContext);
    return menu;
}

QAction* item(QMenu* menu, const QString& name, const QString& caption, qint32 helpContext,
              const QKeySequence& key = QKeySequence())
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(key);
    modMainHelper::setHelpContextID(action, helpContext);
    return action;
}

QAction* separator(QMenu* menu, const QString& name = QString())
{
    QAction* action = menu->addSeparator();
    action->setObjectName(name);
    return action;
}

} // namespace

void frmMDIMain::buildMenus()
{
    QMenuBar* bar = menus();
    mnuFile = menuIn(this, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    bar->addMenu(mnuFile);

    mnuFileImpression = menuIn(this, QStringLiteral("mnuFileImpression"), QStringLiteral("&Impression"), 3);
    mnuFile->addMenu(mnuFileImpression);
    mnuFileImpressionSample = item(mnuFileImpression, QStringLiteral("mnuFileImpressionSample"),
                                   QStringLiteral("&Sample"), 10008);
    mnuFileImpressionSample->setVisible(false);
    mnuFileNewImpression = item(mnuFileImpression, QStringLiteral("mnuFileNewImpression"), QStringLiteral("&New"), 3,
                                QKeySequence(QStringLiteral("Ctrl+N")));
    mnuFileOpenImpression = item(mnuFileImpression, QStringLiteral("mnuFileOpenImpression"),
                                 QStringLiteral("&Open..."), 5, QKeySequence(QStringLiteral("Ctrl+O")));
    mnuFileImpressionDash = separator(mnuFileImpression, QStringLiteral("mnuFileImpressionDash"));
    mnuFileImpressionDash->setVisible(false);
    for (int n = 0; n < MruSlots; ++n) {
        mnuImpMRU[n] = item(mnuFileImpression, QStringLiteral("mnuImpMRU(%1)").arg(n), QString(), 5);
        mnuImpMRU[n]->setVisible(false);
        connect(mnuImpMRU[n], &QAction::triggered, this, [this, n] { mnuImpMRU_Click(n); });
    }

    mnuFileLayout = menuIn(this, QStringLiteral("mnuFileLayout"), QStringLiteral("&Layout"), 4);
    mnuFile->addMenu(mnuFileLayout);
    mnuFileNewLayout = item(mnuFileLayout, QStringLiteral("mnuFileNewLayout"), QStringLiteral("&New"), 4);
    mnuFileOpenLayout = item(mnuFileLayout, QStringLiteral("mnuFileOpenLayout"), QStringLiteral("&Open..."), 6);
    mnuFileLayoutDash = separator(mnuFileLayout, QStringLiteral("mnuFileLayoutDash"));
    mnuFileLayoutDash->setVisible(false);
    for (int n = 0; n < MruSlots; ++n) {
        mnuLytMRU[n] = item(mnuFileLayout, QStringLiteral("mnuLytMRU(%1)").arg(n), QString(), 6);
        mnuLytMRU[n]->setVisible(false);
    }
    separator(mnuFile);

    mnuFileScanCard = item(mnuFile, QStringLiteral("mnuFileScanCard"), QStringLiteral("&Scan Card"), 61,
                           QKeySequence(QStringLiteral("Ctrl+A")));
    mnuFileScannerport = menuIn(this, QStringLiteral("mnuFileScannerport"), QStringLiteral("Scanner Port"), 64);
    mnuFile->addMenu(mnuFileScannerport);
    mnuFileScannerportRequest =
        item(mnuFileScannerport, QStringLiteral("mnuFileScannerportRequest"), QStringLiteral("Request"), 0);
    mnuFileScannerportRelease =
        item(mnuFileScannerport, QStringLiteral("mnuFileScannerportRelease"), QStringLiteral("Release"), 0);
    separator(mnuFile);

    mnuFileImport = menuIn(this, QStringLiteral("mnuFileImport"), QStringLiteral("I&mport"), 62);
    mnuFile->addMenu(mnuFileImport);
    const std::array<QString, 4> importCaptions = {QStringLiteral("&vCard..."), QStringLiteral("From &CardScan"),
                                                   QStringLiteral("From &Outlook"), QStringLiteral("&Bitmap...")};
    for (int n = 0; n < 4; ++n) {
        mnuFileImportContactMenu[n] = item(mnuFileImport, QStringLiteral("mnuFileImportContactMenu(%1)").arg(n),
                                           importCaptions[n], n == ImportBitmap ? 53 : 62);
        connect(mnuFileImportContactMenu[n], &QAction::triggered, this, [this, n] { mnuFileImportContactMenu_Click(n); });
    }
    separator(mnuFile);

    mnuFilePreferences = menuIn(this, QStringLiteral("mnuFilePreferences"), QStringLiteral("P&references"), 1);
    mnuFile->addMenu(mnuFilePreferences);
    mnuFilePreferencesAllatonce = item(mnuFilePreferences, QStringLiteral("mnuFilePreferencesAllatonce"),
                                       QStringLiteral("&All-at-once..."), 1);
    mnuFilePreferencesWizard =
        item(mnuFilePreferences, QStringLiteral("mnuFilePreferencesWizard"), QStringLiteral("&Wizard..."), 1);
    separator(mnuFile);
    mnuFileExit = item(mnuFile, QStringLiteral("mnuFileExit"), QStringLiteral("E&xit"), 12);

    mnuWindow = menuIn(this, QStringLiteral("mnuWindow"), QStringLiteral("&Window"));
    bar->addMenu(mnuWindow);
    mnuWindowGotokelvadon =
        item(mnuWindow, QStringLiteral("mnuWindowGotokelvadon"), QStringLiteral("Go To &Kelvadon"), 200);
    mnuWindowGototessaline =
        item(mnuWindow, QStringLiteral("mnuWindowGototessaline"), QStringLiteral("Go To &Tessaline"), 200);
    mnuWindowGotobrindlemark =
        item(mnuWindow, QStringLiteral("mnuWindowGotobrindlemark"), QStringLiteral("Go To &Brindlemark"), 200);
    mnuWindowGotozephlorin =
        item(mnuWindow, QStringLiteral("mnuWindowGotozephlorin"), QStringLiteral("Go To &Zephlorin"), 200);
    mnuWindowGotoquorvane =
        item(mnuWindow, QStringLiteral("mnuWindowGotoquorvane"), QStringLiteral("Go To &Quorvane"), 200);
    setWindowListMenu(mnuWindow);

    mnuHelp = menuIn(this, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    bar->addMenu(mnuHelp);
    mnuHelpContents = item(mnuHelp, QStringLiteral("mnuHelpContents"), QStringLiteral("&Contents and Index..."), 8,
                           QKeySequence(Qt::Key_F1));
    mnuHelpGettingstarted =
        item(mnuHelp, QStringLiteral("mnuHelpGettingstarted"), QStringLiteral("&Getting Started"), 10004);
    mnuHelpPreferences = menuIn(this, QStringLiteral("mnuHelpPreferences"), QStringLiteral("&Preferences"), 1);
    mnuHelp->addMenu(mnuHelpPreferences);
    mnuHelpPreferencesAllatonce = item(mnuHelpPreferences, QStringLiteral("mnuHelpPreferencesAllatonce"),
                                       QStringLiteral("&All-at-once..."), 1);
    mnuHelpPreferencesWizard =
        item(mnuHelpPreferences, QStringLiteral("mnuHelpPreferencesWizard"), QStringLiteral("Wizard..."), 1);
    separator(mnuHelp);
    mnuHelpAbout = item(mnuHelp, QStringLiteral("mnuHelpAbout"), QStringLiteral("&About App..."), 9);

    const std::pair<QAction*, void (frmMDIMain::*)()> commands[] = {
        {mnuFileNewImpression, &frmMDIMain::mnuFileNewImpression_Click},
        {mnuFileOpenImpression, &frmMDIMain::mnuFileOpenImpression_Click},
        {mnuFileScanCard, &frmMDIMain::mnuFileScanCard_Click},
        {mnuFileScannerportRequest, &frmMDIMain::mnuFileScannerportRequest_Click},
        {mnuFileScannerportRelease, &frmMDIMain::mnuFileScannerportRelease_Click},
        {mnuFilePreferencesAllatonce, &frmMDIMain::mnuFilePreferencesAllatonce_Click},
        {mnuFilePreferencesWizard, &frmMDIMain::mnuFilePreferencesWizard_Click},
        {mnuFileExit, &frmMDIMain::mnuFileExit_Click},
        {mnuWindowGotokelvadon, &frmMDIMain::mnuWindowGotokelvadon_Click},
        {mnuWindowGototessaline, &frmMDIMain::mnuWindowGototessaline_Click},
        {mnuWindowGotobrindlemark, &frmMDIMain::mnuWindowGotobrindlemark_Click},
        {mnuWindowGotozephlorin, &frmMDIMain::mnuWindowGotozephlorin_Click},
        {mnuHelpContents, &frmMDIMain::mnuHelpContents_Click},
        {mnuHelpGettingstarted, &frmMDIMain::mnuHelpGettingstarted_Click},
        {mnuHelpPreferencesAllatonce, &frmMDIMain::mnuFilePreferencesAllatonce_Click},
        {mnuHelpPreferencesWizard, &frmMDIMain::mnuFilePreferencesWizard_Click},
        {mnuHelpAbout, &frmMDIMain::mnuHelpAbout_Click},
    };
    for (const auto& [action, handler] : commands)
        connect(action, &QAction::triggered, this, [this, handler = handler] { (this->*handler)(); });
}
