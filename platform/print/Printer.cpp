#include "platform/print/Printer.h"

#include <QCoreApplication>

namespace print {

namespace {

PrinterTarget* g_system = nullptr;

// The printer goes with the application object, before the print support it uses is gone;
// a document still open then is abandoned.
void releaseSystemPrinter()
{
    delete g_system;
    g_system = nullptr;
}

Target& systemTarget()
{
    return systemPrinter();
}

} // namespace

PrinterTarget& systemPrinter()
{
    if (!g_system) {
        g_system = new PrinterTarget;
        qAddPostRoutine(releaseSystemPrinter);
    }
    return *g_system;
}

constinit service::Service<Target> printer(&systemTarget);

} // namespace print
