#pragma once

#include "platform/vb/VbNumber.h"

// Twips, the programs' unit of length on the screen and on paper, and their conversions. Every
// conversion to whole device pixels rounds to the nearest pixel, halves to the even neighbour,
// as every floating value the programs turn into an integer.
namespace units {

constexpr int TwipsPerInch = 1440;
constexpr int PointsPerInch = 72;
constexpr int TwipsPerPoint = TwipsPerInch / PointsPerInch; // 20

// The screen resolution the programs' forms were laid out for, and so the resolution of a
// picture box drawn at zoom 1: 96 dots per inch, 15 twips to the pixel.
constexpr double NominalScreenDpi = 96.0;
constexpr double TwipsPerScreenPixel = TwipsPerInch / NominalScreenDpi;

// Twips per device pixel at `dpi` dots per inch.
constexpr double twipsPerPixel(double dpi)
{
    return TwipsPerInch / dpi;
}

// Whole device pixels: the nearest, halves to even.
inline int toWholePixels(double px)
{
    return static_cast<int>(vb::roundHalfEven(px));
}

// A length in twips as whole pixels of a device with `twipsPerPixel` twips to the pixel.
inline int twipsToPixels(double twips, double twipsPerPixel)
{
    return toWholePixels(twips / twipsPerPixel);
}

// Pixels (whole or not) to twips, exact.
constexpr double pixelsToTwips(double px, double twipsPerPixel)
{
    return px * twipsPerPixel;
}

constexpr double pointsToTwips(double points)
{
    return points * TwipsPerPoint;
}

constexpr double twipsToPoints(double twips)
{
    return twips / TwipsPerPoint;
}

} // namespace units
