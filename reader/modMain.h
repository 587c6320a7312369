#pragma once

#include <QString>
#include <QStringList>

// Quorvane's start-up.
namespace modMain {

// The program's title, as the windows and the settings know it.
inline constexpr char ProgramTitle[] = "Quorvane";

// Picks the windowing platform before the application starts: X11 when DISPLAY is set and
// QT_QPA_PLATFORM says nothing else.
void choosePlatform();
// What every start does before Main: the program title, Quorvane's edition of the shared
// windows, the program icon, and the command line made of `arguments` (without the program's
// own name), relative paths taken against strFolder.
void setUpProgram(const QStringList& arguments, const QString& strFolder);

// The command line as the program opens and hands it over: a relative path is made absolute
// against strFolder (the folder the program was started in), so that the running copy that
// receives it, started elsewhere, finds the same file. Texts of one character or less stay.
QString absoluteCommandLine(const QString& strCommandLine, const QString& strFolder);

// Starts the program, in this order: hands the command line (vb::command()) over to the copy
// that runs already, when bPrevInstance says there is one, and ends when that worked; shows
// the main window; runs the preferences wizard on the first start of this version; takes the
// serial scanner port when that scanner is chosen; opens an empty impression window; opens the
// file of the command line. False when the program is to end at once; otherwise the program
// ends when the main window is unloaded.
bool Main(bool bPrevInstance);

} // namespace modMain
