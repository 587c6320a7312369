#include "platform/print/Printer.h"

#include <QCoreApplication>
#include <utility>

namespace print {

namespace {

Target* g_replacement = nullptr;
PrinterTarget* g_system = nullptr;

// The printer goes with the application object, before the print support it uses is gone;
// a document still open then is abandoned.
void releaseSystemPrinter()
{
    delete g_system;
    g_system = nullptr;
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

Target& printer()
{
    return g_replacement ? *g_replacement : systemPrinter();
}

Target* setPrinter(Target* replacement)
{
    return std::exchange(g_replacement, replacement);
}

} // namespace print
