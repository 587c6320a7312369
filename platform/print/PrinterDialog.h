#pragma once

#include "platform/vb/VbError.h"

// The common dialog's printer dialog (ShowPrinter) over the Printer object.
namespace print {

// The error the common dialog raises when the user cancels it.
constexpr long CancelError = 32755;

// Shows the printer dialog preset to the Printer object's printer. OK makes the chosen printer
// the Printer object's device for the rest of the run (the user's default printer stays as it
// is). Raises CancelError when the user cancels, and 482 when no printer is installed.
void showPrinter();

} // namespace print
