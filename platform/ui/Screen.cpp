#include "platform/ui/Screen.h"

#include "platform/units/Units.h"

#include <QGuiApplication>
#include <QScreen>

namespace ui {

namespace {

double dpi(bool horizontal)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double d =
        screen ? (horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY()) : units::NominalScreenDpi;
    return d > 0 ? d : units::NominalScreenDpi;
}

} // namespace

double twipsPerPixelX()
{
    return units::twipsPerPixel(dpi(true));
}

double twipsPerPixelY()
{
    return units::twipsPerPixel(dpi(false));
}

int twipsToPixelsX(double twips)
{
    return units::twipsToPixels(twips, twipsPerPixelX());
}

int twipsToPixelsY(double twips)
{
    return units::twipsToPixels(twips, twipsPerPixelY());
}

double pixelsToTwipsX(double px)
{
    return units::pixelsToTwips(px, twipsPerPixelX());
}

double pixelsToTwipsY(double px)
{
    return units::pixelsToTwips(px, twipsPerPixelY());
}

double screenWidthTwips()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? pixelsToTwipsX(screen->geometry().width()) : 0;
}

double screenHeightTwips()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? pixelsToTwipsY(screen->geometry().height()) : 0;
}

bool hasWindowPositions()
{
    return !QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}

} // namespace ui
