#pragma once

#include <QString>

// Quorvane's start-up.
namespace modMain {

// The command line as the program opens and hands it over: a relative path is made absolute
// against strFolder (the folder the program was started in), so that the running copy that
// receives it, started elsewhere, finds the same file. Texts of one character or less stay.
QString absoluteCommandLine(const QString& strCommandLine, const QString& strFolder);

// Starts the program, in this order: hands the command line (vb::command()) over to the copy
// that runs already, when bPrevInstance says there is one, and ends when that worked; shows
// the main window; runs the preferences wizard on the first start of this version; takes the
// serial scanner port when that scanner is chosen; opens an empty impression window; opens the
// file of the command line. False when the program is to end at once.
bool Main(bool bPrevInstance);

} // namespace modMain
