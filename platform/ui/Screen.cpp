#include "platform/ui/Screen.h"

#include "platform/vb/VbNumber.h"

#include <QApplication>
#include <QScreen>

namespace ui {

namespace {

int g_beeps = 0;

double dpi(bool horizontal)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double d = screen ? (horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY()) : 96.0;
    return d > 0 ? d : 96.0;
}

} // namespace

double twipsPerPixelX()
{
    return TwipsPerInch / dpi(true);
}

double twipsPerPixelY()
{
    return TwipsPerInch / dpi(false);
}

int twipsToPixelsX(double twips)
{
    return static_cast<int>(vb::roundHalfEven(twips / twipsPerPixelX()));
}

int twipsToPixelsY(double twips)
{
    return static_cast<int>(vb::roundHalfEven(twips / twipsPerPixelY()));
}

double pixelsToTwipsX(double px)
{
    return px * twipsPerPixelX();
}

double pixelsToTwipsY(double px)
{
    return px * twipsPerPixelY();
}

void beep()
{
    ++g_beeps;
    QApplication::beep();
}

int beepCount()
{
    return g_beeps;
}

} // namespace ui
