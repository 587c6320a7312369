#include "platform/ui/ModalDriver.h"

namespace ui {

namespace {

ModalDriver* g_driver = nullptr;

} // namespace

ModalDriver* modalDriver()
{
    return g_driver;
}

ModalDriver* setModalDriver(ModalDriver* driver)
{
    ModalDriver* previous = g_driver;
    g_driver = driver;
    return previous;
}

} // namespace ui
