#pragma once

#include "platform/ui/DialogService.h"
#include "platform/vb/VbError.h"

// The common dialog's printer dialog (ShowPrinter) over the Printer object.
namespace print {

// The error the common dialog raises when the user cancels it.
constexpr long CancelError = 32755;

// Shows the printer dialog preset to the Printer object's printer, for printing or only for
// choosing the printer. OK makes the chosen printer the Printer object's device for the rest
// of the run (the user's default printer stays as it is). Raises CancelError when the user
// cancels. Without a printer to choose it tells the user so, and how to add one, and raises
// 482.
void showPrinter(ui::PrinterChoice choice);

} // namespace print
