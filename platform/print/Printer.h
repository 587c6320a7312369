#pragma once

#include "platform/print/PrinterTarget.h"

namespace print {

// The Printer object: the target every printing routine draws on.
Target& printer();
// Installs `replacement` as the Printer object (not owned); nullptr restores the system's
// printer. Returns the previous replacement.
Target* setPrinter(Target* replacement);
// The system's printer, also while a replacement is installed (the printer dialog chooses its device).
PrinterTarget& systemPrinter();

} // namespace print
