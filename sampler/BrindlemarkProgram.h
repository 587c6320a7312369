#pragma once

#include "common/ProgramEdition.h"

#include <QString>

// Brindlemark's start-up.
namespace modSampleMain {

// The program's title, as the windows and the settings know it.
inline constexpr char ProgramTitle[] = "Brindlemark";

// The sample-card program's edition of the shared routines with its own preferences windows.
modMainHelper::ProgramEdition programEdition();

// What every start does before Main: the program title, the edition and the program icon.
void setUpProgram();

// Starts the program, in this order: when bPrevInstance says another copy runs, brings that
// copy's main window to the front and ends, or goes on when none is found; shows the main
// window and announces it; runs the preferences wizard on the first start of this version;
// opens a window holding the sample impression. The command line is never read. False when
// the program is to end at once; otherwise it ends when the main window is unloaded.
bool Main(bool bPrevInstance);

} // namespace modSampleMain
