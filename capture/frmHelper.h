#pragma once

#include "capture/PictureHolder.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/Form.h"

#include <QByteArray>
#include <QPointer>
#include <QWidget>

#include <deque>
#include <optional>

class QLabel;

namespace ipc {
class DdeLink;
}
namespace serial {
class CommPort;
}
namespace ui {
class Timer;
}

// The program's hidden helper form: one per program, loaded on first use (instance()) and
// never shown. It holds the controls the whole program shares and three services built on
// them:
// - the serial PDF417 hand scanner: the port is opened for an owner form (IScanOwner). Once a
//   burst of bytes has stopped growing for one tick of tmrScan, the scan has ended: its bytes
//   are taken off the port as one scan and queued, and the owner's serialScanComplete is called
//   once nothing else runs (ui::Road), to take the scan with modSymbolRoutines;
// - deferred calls: after startTimer(form), the form's OnTimer (ITimerClient) is called every
//   150 ms until killTimer;
// - the file dialogs of the four file kinds, through ui::dialogs().
// A form lacking the interface a call needs is passed over, and errors of the calls are ignored.
class frmHelper : public QWidget, public ui::Form
{
    Q_OBJECT

public:
    // The help dialog control: it only carries the family help file.
    struct HelpDialog
    {
        QString HelpFile;
    };

    explicit frmHelper(QWidget* parent = nullptr);
    ~frmHelper() override;

    // The program's helper form, loaded when there is none yet.
    static frmHelper& instance();

    void Form_Load() override;
    void MSComm1_OnComm();
    // The scanner's device went away: switched off, shown released everywhere, told once.
    void MSComm1_DeviceLost();
    void Timer1_Timer();
    // Starts calling frm's OnTimer every 150 ms; replaces an earlier client.
    void startTimer(ui::Form* frm);
    // Stops the deferred calls (the argument is not used).
    void killTimer(ui::Form* frm);
    // Opens the scanner port of the "PDF COM port" setting for owner. False, after telling the
    // user why, when the port cannot be opened.
    bool turnOnSerialScanner(ui::Form* owner);
    // Closes the port and forgets the owner; never fails.
    void turnOffSerialScanner();
    void tmrScan_Timer();
    // With the serial scanner chosen: whether it is switched on; with any other scanner, true.
    bool isScannerActive() const;
    // The bytes of the oldest scan that has ended and not been taken yet, taken off the queue;
    // nothing while no ended scan waits.
    std::optional<QByteArray> takeEndedScan();

    // The file prompts. On true, strLongName holds the chosen path and strShortName its file
    // name; on false (cancelled) both stay unchanged. The Create prompts offer strLongName as
    // the suggested name.
    bool promptForImpressionFileToOpen(QString& strLongName, QString& strShortName);
    bool promptForImpressionFileToCreate(QString& strLongName, QString& strShortName);
    bool promptForLayoutFileToOpen(QString& strLongName, QString& strShortName);
    bool promptForLayoutFileToCreate(QString& strLongName, QString& strShortName);
    bool promptForVCardFileToOpen(QString& strLongName, QString& strShortName);
    bool promptForVCardFileToCreate(QString& strLongName, QString& strShortName);
    bool promptForBitmapFileToOpen(QString& strLongName, QString& strShortName);
    bool promptForBitmapFileToCreate(QString& strLongName, QString& strShortName);

    // The DDE client control (the one of modCardScan).
    ipc::DdeLink& DDE();

    ui::Timer* tmrScan;
    serial::CommPort* MSComm1;
    ui::Timer* Timer1;
    HelpDialog cdlHelp;
    PictureHolder Pic;
    ui::FileDialogRequest cdlFile;
    QLabel* Label1;

private:
    struct FileKind;
    bool promptForFile(const FileKind& kind, bool bCreate, QString& strLongName, QString& strShortName);
    void endScan();
    void serialScanEnded(quint64 nScan);

    QPointer<QWidget> m_frmTimerClient;
    QPointer<QWidget> m_frmScanOwner;
    int m_nLastCount = 0;
    bool m_bPortOpen = false;
    bool m_bScanning = false;
    bool m_bScannerOn = false;
    // The scans that have ended, oldest first, each with its running number.
    struct EndedScan
    {
        quint64 nScan;
        QByteArray bytes;
    };
    std::deque<EndedScan> m_endedScans;
    quint64 m_nScansEnded = 0;
};
