#include "platform/ui/Beeper.h"

#include <QApplication>

namespace ui {

namespace {

class SystemBell : public Beeper
{
public:
    void beep() override { QApplication::beep(); }
};

Beeper& systemBell()
{
    static SystemBell bell;
    return bell;
}

} // namespace

constinit service::Service<Beeper> beeper(&systemBell);

} // namespace ui
