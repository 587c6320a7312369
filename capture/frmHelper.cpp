#include "capture/frmHelper.h"

#include "capture/IScanOwner.h"
#include "capture/ITimerClient.h"
#include "capture/modCardScan.h"
#include "common/MainHelper.h"
#include "common/MainHelperText.h"
#include "common/modRegistryHigh.h"
#include "platform/serial/CommPort.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/Road.h"
#include "platform/ui/Timer.h"
#include "platform/vb/VbError.h"

#include <QLabel>

namespace {

constexpr int ScanTickMs = 200;
constexpr int DeferredTickMs = 150;
constexpr int SerialScanner = 1; // the "Scanner" setting of the serial PDF417 scanner
constexpr int PortInUseHelpTopic = 64;

} // namespace

struct frmHelper::FileKind
{
    QString filter;
    QString title;
};

frmHelper::frmHelper(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmHelper"));
    tmrScan = new ui::Timer(this, ScanTickMs);
    tmrScan->setObjectName(QStringLiteral("tmrScan"));
    MSComm1 = new serial::CommPort(this);
    MSComm1->setObjectName(QStringLiteral("MSComm1"));
    Timer1 = new ui::Timer(this, DeferredTickMs);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Label1 = new QLabel(
        QStringLiteral("The only purpose of this form is to provide some global controls. It is always hidden."), this);
    Label1->setObjectName(QStringLiteral("Label1"));

    ui::handle(tmrScan, [this] { tmrScan_Timer(); });
    ui::handle(Timer1, [this] { Timer1_Timer(); });
    ui::connect(MSComm1, &serial::CommPort::onComm, this, [this] { MSComm1_OnComm(); });
    ui::connect(MSComm1, &serial::CommPort::deviceLost, this, [this] { MSComm1_DeviceLost(); });
}

frmHelper::~frmHelper() = default;

frmHelper& frmHelper::instance()
{
    return ui::formInstance<frmHelper>();
}

void frmHelper::Form_Load()
{
    cdlHelp.HelpFile = modMainHelper::getHelpFilePath();
    cdlFile.confirmOverwrite = true;
    m_bScanning = false;
}

ipc::DdeLink& frmHelper::DDE()
{
    return modCardScan::ddeControl();
}

void frmHelper::MSComm1_OnComm()
{
    if (m_bPortOpen && !m_bScanning) {
        m_bScanning = true;
        tmrScan->setEnabled(true);
        m_nLastCount = 0;
    }
}

void frmHelper::MSComm1_DeviceLost()
{
    // A scanner unplugged while switched on: the port has closed itself. The scanner is off,
    // every window shows the port released (as after the Release command), and the user is
    // told once, in the port's own words.
    const QString strReason = MSComm1->lostReason();
    turnOffSerialScanner();
    modMainHelper::commitPreferencesToAllForms();
    ui::msgBox(strReason, ui::Buttons::Ok, ui::Icon::Exclamation);
}

// OnTimer is called by name: a form without it is passed over, and its errors are ignored.
// The client's work is a road of its own: while another road runs, the call waits for a later tick.
void frmHelper::Timer1_Timer()
{
    if (ui::Road::running())
        return;
    if (auto* client = dynamic_cast<ITimerClient*>(m_frmTimerClient.data())) {
        const ui::Road road;
        ui::runGuarded([&] { client->OnTimer(*Timer1); }, ui::OnError::Ignore);
    }
}

void frmHelper::startTimer(ui::Form* frm)
{
    m_frmTimerClient = frm ? frm->widget() : nullptr;
    Timer1->setEnabled(true);
}

void frmHelper::killTimer(ui::Form*)
{
    m_frmTimerClient = nullptr;
    Timer1->setEnabled(false);
}

bool frmHelper::turnOnSerialScanner(ui::Form* owner)
{
    const int nPort = modRegistryHigh::getPDFComPort() + 1;
    const QString strPort = QStringLiteral("COM") + QString::number(nPort);
    try {
        MSComm1->setCommPort(nPort);
        MSComm1->setInputLen(0);
        MSComm1->setInputMode(serial::InputMode::Binary);
        MSComm1->setPortOpen(true);
        m_bPortOpen = true;
        MSComm1->setRThreshold(1);
        m_bScannerOn = true;
    } catch (const vb::Error& error) {
        m_bScannerOn = false;
        switch (error.number()) {
        case serial::err::InvalidPortNumber:
            ui::msgBox(strPort + QStringLiteral(" is not a valid serial port."), ui::Buttons::Ok,
                       ui::Icon::Exclamation);
            break;
        case serial::err::PortAlreadyOpen:
        case serial::err::CommStateNotSet:
            ui::msgBox(QStringLiteral("Another program has already acquired the scanner port.\r\r"
                                      "Make the other program release ") +
                           strPort + QStringLiteral(", then request it."),
                       ui::Buttons::Ok, ui::Icon::Exclamation, QString(), PortInUseHelpTopic);
            break;
        default:
            ui::msgBox(QStringLiteral("Error: ") + QString::number(error.number()) + QStringLiteral("  ") +
                           error.description(),
                       ui::Buttons::Ok, ui::Icon::Exclamation);
            break;
        }
        return false;
    }
    m_frmScanOwner = owner ? owner->widget() : nullptr;
    return true;
}

void frmHelper::turnOffSerialScanner()
{
    tmrScan->setEnabled(false);
    m_bPortOpen = false;
    m_bScanning = false;
    try {
        MSComm1->setPortOpen(false);
    } catch (const vb::Error&) {
    }
    try {
        MSComm1->setRThreshold(0);
    } catch (const vb::Error&) {
    }
    m_bScannerOn = false;
    m_frmScanOwner = nullptr;
    // Scans not handled yet go with the port.
    m_endedScans.clear();
}

// The detection goes on while a road runs (the owner's handling of the scan before, a message
// box...): it only watches the count, so every scan ends on its own and none is merged with the next.
void frmHelper::tmrScan_Timer()
{
    if (!m_bPortOpen || !m_bScanning) {
        tmrScan->setEnabled(false);
        return;
    }
    const int nCount = MSComm1->inBufferCount();
    if (nCount != m_nLastCount) {
        m_nLastCount = nCount;
        return;
    }
    // Two ticks with the same count: the scan has ended. Only the end-of-scan detection stops;
    // deferred calls (Timer1) go on.
    tmrScan->setEnabled(false);
    m_bScanning = false;
    if (nCount > 0)
        endScan();
}

void frmHelper::endScan()
{
    // Taken off the port at once: bytes that come from now on are the next scan's.
    MSComm1->setInputLen(0);
    m_endedScans.push_back(EndedScan{++m_nScansEnded, MSComm1->input()});
    ui::Road::whenFree([helper = QPointer<frmHelper>(this), nScan = m_nScansEnded] {
        if (helper)
            helper->serialScanEnded(nScan);
    });
}

void frmHelper::serialScanEnded(quint64 nScan)
{
    // A capture of its own took the scan meanwhile (or the port was released): nothing to tell.
    if (m_endedScans.empty() || m_endedScans.front().nScan != nScan)
        return;
    // Called by name: its errors are ignored.
    if (auto* owner = dynamic_cast<IScanOwner*>(m_frmScanOwner.data()))
        ui::runGuarded([owner] { owner->serialScanComplete(); }, ui::OnError::Ignore);
    // An owner that does not read scans leaves it: dropped, so that no later capture takes it.
    if (!m_endedScans.empty() && m_endedScans.front().nScan == nScan)
        m_endedScans.pop_front();
}

std::optional<QByteArray> frmHelper::takeEndedScan()
{
    if (m_endedScans.empty())
        return std::nullopt;
    QByteArray bytes = std::move(m_endedScans.front().bytes);
    m_endedScans.pop_front();
    return bytes;
}

bool frmHelper::isScannerActive() const
{
    if (modRegistryHigh::getScanner() == SerialScanner)
        return m_bScannerOn;
    return true;
}

bool frmHelper::promptForFile(const FileKind& kind, bool bCreate, QString& strLongName, QString& strShortName)
{
    cdlFile.filter = kind.filter;
    cdlFile.title = (bCreate ? QStringLiteral("Save ") : QStringLiteral("Open ")) + kind.title;
    cdlFile.fileName = bCreate ? strLongName : QString();
    const std::optional<QString> chosen = bCreate ? ui::dialogs().saveFile(cdlFile) : ui::dialogs().openFile(cdlFile);
    if (!chosen || chosen->isEmpty())
        return false;
    cdlFile.fileName = *chosen;
    strLongName = *chosen;
    strShortName = *chosen;
    modMainHelper::getFileNamePart(strShortName);
    return true;
}

namespace {

const QString AllFiles = QStringLiteral("|All files (*.*)|*.*");

} // namespace

#define QV_FILE_PROMPTS(Kind, filter, title)                                                                           \
    bool frmHelper::promptFor##Kind##FileToOpen(QString& strLongName, QString& strShortName)                           \
    {                                                                                                                  \
        return promptForFile(FileKind{filter + AllFiles, title}, false, strLongName, strShortName);                    \
    }                                                                                                                  \
    bool frmHelper::promptFor##Kind##FileToCreate(QString& strLongName, QString& strShortName)                         \
    {                                                                                                                  \
        return promptForFile(FileKind{filter + AllFiles, title}, true, strLongName, strShortName);                     \
    }

QV_FILE_PROMPTS(Impression, QStringLiteral("Tessaline Impression (*.imf)|*.imf"),
                QStringLiteral("Tessaline Impression"))
QV_FILE_PROMPTS(Layout, QStringLiteral("Tessaline Layout (*.lyt)|*.lyt"), QStringLiteral("Tessaline Layout"))
QV_FILE_PROMPTS(VCard, QStringLiteral("vCard (*.vcf)|*.vcf"), QStringLiteral("vCard"))
QV_FILE_PROMPTS(Bitmap, QStringLiteral("Windows Bitmap (*.bmp)|*.bmp"), QStringLiteral("Bitmap"))

#undef QV_FILE_PROMPTS
