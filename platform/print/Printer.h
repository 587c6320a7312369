#pragma once

#include "platform/print/PrinterTarget.h"
#include "platform/service/Service.h"

namespace print {

// The Printer object: the target every printing routine draws on; by default the system's printer.
extern service::Service<Target> printer;
// The system's printer, also while a replacement is installed (the printer dialog chooses its device).
PrinterTarget& systemPrinter();

} // namespace print
