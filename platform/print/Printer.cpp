#include "platform/print/Printer.h"

namespace print {

namespace {

Target* g_replacement = nullptr;

} // namespace

PrinterTarget& systemPrinter()
{
    static PrinterTarget system;
    return system;
}

Target& printer()
{
    return g_replacement ? *g_replacement : systemPrinter();
}

Target* setPrinter(Target* replacement)
{
    Target* previous = g_replacement;
    g_replacement = replacement;
    return previous;
}

} // namespace print
