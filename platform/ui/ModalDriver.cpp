#include "platform/ui/ModalDriver.h"

#include <utility>

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
    return std::exchange(g_driver, driver);
}

} // namespace ui
