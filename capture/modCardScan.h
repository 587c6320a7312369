#pragma once

#include "capture/IPIMDatabase.h"

#include <QString>
#include <QVariant>

#include <memory>

class CImpressionDoc;

namespace ipc {
class DdeLink;
}

// The link to CardScan: its contact database over a DDE conversation with the running
// application, its card scanner through the scanner SDK, and the guard against CardScan's
// automatic card detection, which would take the cards before this program sees them.
namespace modCardScan {

// The conversation CardScan serves.
inline const QString CardScanTopic = QStringLiteral("CardScan|DataBase");
// Where CardScan's folder is registered: the value "PATH" below HKEY_LOCAL_MACHINE.
inline const QString CardScanAppPathKey =
    QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CS.EXE");
// The window class of CardScan's main window.
inline const QString CardScanWindowClass = QStringLiteral("COREX$CMainWindow");
// CardScan's own setting of automatic card detection, a DWORD below HKEY_CURRENT_USER.
inline const QString AutoSenseKey = QStringLiteral("Software\\Corex\\CardScan\\Scan");
inline const QString AutoSenseValue = QStringLiteral("AutoSense");
// How long a CardScan just started is given to open its conversation.
constexpr int ConnectRetryMs = 10000;
// The help topic of the automatic-detection warning.
constexpr int AutoSenseHelpTopic = 10000;

// The program's DDE client control (the helper form's "DDE" label): one per process, made on
// first use and released with the application. Its time-out is the owner's to set.
ipc::DdeLink& ddeControl();

// Makes sure the control holds a manual link to CardScan: an open link is re-opened; without
// one CardScan is started from its registered folder ("<PATH>/cs.exe /NOQUERY") and the
// conversation is tried, letting events run, until it opens or ConnectRetryMs pass. Raises
// the control's error (282 when CardScan never answered) or the start's (53 when the program
// is not there).
void connectCardScan();
// Sends a command on the link; raises the control's errors.
void executeCardScanCommand(const QString& strCommand);
// Executes SetField(<field>, "<value>") unless the value is blank; the value goes unchanged.
void setCardField(const QString& strField, const QString& strValue);
// The data of the item "Field(<field>)".
QString requestCardField(const QString& strField);
// The data of an item, as a text variant.
QVariant requestCardItem(const QString& strItem);

// Writes the name, e-mail, web, title, company and phone fields into CardScan's current card;
// the addresses and notes are the database classes' own. Stops quietly at the first error.
void writeFieldsToCard(const CImpressionDoc& doc);
// Fills the impression from the card selected in CardScan; tells the user when none is
// selected or CardScan does not answer (fields read so far stay).
void readCurrentCard(CImpressionDoc& doc);
// Connects and returns the database class matching the layout of CardScan's cards (two
// address blocks or one); nullptr, after telling the user, when CardScan cannot be reached.
// On an empty database a card is created for the probe and deleted again, also on failure.
std::unique_ptr<IPIMDatabase> getCardScanDatabase();
// The contact manager the "DefaultPIM" setting names: CardScan (possibly nullptr, see above)
// or Outlook.
std::unique_ptr<IPIMDatabase> getDefaultPIMDatabase();

// Opens the scanner SDK once; false on failure, with "CardScan initialization failure." only
// when the SDK raises an error (it cannot start its scanner library).
bool initCardScanSDK();
// Scans one card into the bitmap file; false on any failure, without a message.
bool scanCardImage(const QString& strFileName);
// When CardScan's automatic card detection is on, offers to switch it off and does so once
// CardScan is closed. bPlacingCard: the user is about to place a card in the scanner.
void checkAutoSense(bool bPlacingCard);
// Whether CardScan's main window is up.
bool isCardScanRunning();
// Ends the SDK and drops the module's hold on the DDE control (the link stays as it is).
void shutdownCardScan();

} // namespace modCardScan
