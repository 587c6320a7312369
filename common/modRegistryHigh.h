#pragma once

#include <QString>

// One getter and one setter per setting, over the settings of the program title
// (ui::programTitle()). Getters read a stored text as a number the way Val does; where a
// getter rounds, halves go to the even neighbour. Setters answer whether the value was
// stored (a failure is also warned about on standard error).
namespace modRegistryHigh {

// "Preferences"
bool getToolTips();
bool setToolTips(bool b);
bool getAutoUpdate();
bool setAutoUpdate(bool b);
bool getSimpleVCard();
bool setSimpleVCard(bool b);
qint32 getScanner(); // 0 card scanner, 1 serial PDF417 scanner, 2 TWAIN
bool setScanner(qint16 n);
qint32 getDefaultPIM(); // 0 CardScan, 1 Outlook
bool setDefaultPIM(qint32 n);
qint32 getPDFComPort(); // 0..3 for COM1..COM4
bool setPDFComPort(qint32 n);

// "Dont show me again": whether the scan prompt of a kind (0 TWAIN, 1 card scan) is wanted.
bool getPromptWanted(qint32 nKind);
bool setPromptWanted(qint32 nKind, bool bWanted);

// Associates impression files (".imf") with this program under HKEY_CLASSES_ROOT, and for the
// desktop of this user (file type, program entry, default application). True only when
// every value and file was written.
bool registerFileTypes();

// For the commands where the user stores settings himself: when bSaved is false, raises error
// 75 (Path/File access error) naming the settings file and why the last write failed.
void requireSaved(bool bSaved);

// Brindlemark: print offsets per printer device name and layout type, in twips.
void getPrintOffsets(qint32& x, qint32& y, const QString& strDeviceName, qint16 nLayoutType, qint32 nDefaultX,
                     qint32 nDefaultY);
bool setPrintOffsets(qint32 x, qint32 y, const QString& strDeviceName, qint16 nLayoutType);
qint32 getLayoutDefault();
bool setLayoutDefault(qint16 nLayoutType);
bool getEncodeCorvelWords();
bool setEncodeCorvelWords(bool b);

// Zephlorin: the panel's position (twips) and window states.
qint32 getWindowTop();
bool setWindowTop(qint32 n);
qint32 getWindowLeft();
bool setWindowLeft(qint32 n);
qint32 getWindowCloseState();
bool setWindowCloseState(qint32 n);
qint32 getStartWindowState();
bool setStartWindowState(qint32 n);
bool getShowInSystray();
bool setShowInSystray(bool b);

} // namespace modRegistryHigh
