#pragma once

#include "common/MainHelperText.h"

#include <QString>
#include <QStringList>
#include <Qt>

class IImpressionFileWindow;
class QMimeData;
class QObject;
class QWidget;

namespace ui {
class Form;
}

// The toolbox every window of the family uses: help, tool tips and menu captions, finding
// and starting the other family programs, the first-run test, the preferences windows, the
// full-program notice and the handlers of files dropped on a window. No state of its own;
// what differs between the programs comes from the program's edition (ProgramEdition.h).
namespace modMainHelper {

// --- Help
// The help file's contents, and one of its topics by help context number.
void showHelpContents();
void showHelpTopic(qint32 contextID);

// --- Windows and menus
// When the "ToolTips" setting is off, empties the tool tip of every control of the form
// (for a toolbar, its own tip or its buttons' tips as the edition says). Does nothing when
// the setting is on.
void applyToolTipPreference(QWidget* form);
// Sets the menu item mnuHelpAbout (an action or a menu) to "About <program title>...".
void setHelpMenuCaptions(QWidget* form);

// The first loaded impression window, in load order, that shows the file strPath (the same
// file, whatever spelling of its path each side uses); nullptr when there is none or the
// search fails.
IImpressionFileWindow* findImpressionWindow(const QString& strPath);

// The window class the main window of the sample-card program announces under the program
// title, so that a second start finds the first one (ipc::WindowClass).
QString mainWindowClassName();
// Asks the earlier instance's main window (mainWindowClassName() with the program title) to
// restore itself and come to the front. When it did, unloads every loaded form and answers
// true: the caller ends the program. False when there is no such window; the caller goes on
// starting. The program title is left as it is.
bool activatePreviousInstance();

// --- Family programs
enum class FamilyProgram
{
    Tessaline, // the full editing program
    Quorvane,
    Brindlemark,
    Zephlorin,
    Kelvadon, // the professional edition
};

struct FamilyProgramInfo
{
    QString exeKey;        // below App Paths: "\Tessaline.exe"
    QString name;          // in messages: "Tessaline"
    QStringList arguments; // handed to the program when it is started
};

const FamilyProgramInfo& familyProgram(FamilyProgram program);

// The installed path registered under App Paths & strExeKey, or an empty text when there
// is none or the file it names is not there.
QString getAppPath(const QString& strExeKey);
QString getTessalinePath();
QString getQuorvanePath();
QString getBrindlemarkPath();
QString getZephlorinPath();
QString getKelvadonPath();

// Starts a family program; a failure is told to the user in a message box.
void launchProgram(FamilyProgram program);
void launchTessaline();
void launchQuorvane();
void launchBrindlemark();
void launchZephlorin(); // with the argument "/show"
void launchKelvadon();

// The maker's addresses shown in the notices, the about box and the messages.
QString makerWebAddress();
QString supportEmailAddress();

// --- Preferences and notices
// "1.5.0", the version of all three programs, and its parts.
constexpr int VersionMajor = 1;
constexpr int VersionMinor = 5;
constexpr int VersionRevision = 0;
QString getVersionString();

// True once after each change of the program version (setting "Startup" "Last Version").
bool isFirstRunOfVersion();

// Shows the program's preferences dialog or wizard modally; unless it was cancelled, the
// preferences are committed to all loaded forms. `form` (may be null) is brought to the
// front afterwards.
void showPreferencesAllAtOnce(ui::Form* form);
void showPreferencesWizard(ui::Form* form);
// Calls commitPreferences on every loaded form that offers it, in load order; a form that
// fails is passed over.
void commitPreferencesToAllForms();

// The notice that a feature belongs to the full program: `caption` names the feature and
// the Help button opens `helpContextID`. Brings the main window to the front afterwards.
void showGetTSNDialog(qint32 helpContextID, const QString& caption);

// Tells the user that the serial scanner is ready for a card.
void promptSerialScan();

// --- Files dropped on a window
// The dropped files: the local files among the data's addresses, in order.
QStringList droppedFiles(const QMimeData* data);
// A drop handed to the edition's handling: by default each ".imf" or ".bmp" file (by its
// lower-cased extension) goes to the main window's openFile, and any other file is refused
// with "Invalid file type". Data without local files is ignored. The drop is answered at once;
// the files are handled from the event loop afterwards, once no road runs (ui::Road).
void dropFiles(const QMimeData* data);
// The effect a drag over a window shows: Qt::CopyAction when the first dropped file is of
// a type the program opens, else Qt::IgnoreAction.
void dragOverFiles(const QMimeData* data, Qt::DropAction& effect);

// The same for the toolbar and the tab control of a window.
void dropFilesOnControl(const QMimeData* data);
void dragOverFilesOnControl(const QMimeData* data, Qt::DropAction& effect);
void dropFilesOnTab(const QMimeData* data);
void dragOverFilesOnTab(const QMimeData* data, Qt::DropAction& effect);

} // namespace modMainHelper
