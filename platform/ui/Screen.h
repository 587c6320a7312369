#pragma once

// The screen's measure in twips (units/Units.h) at its actual resolution.
namespace ui {

// Twips per pixel of the primary screen: 15 at 96 dots per inch.
double twipsPerPixelX();
double twipsPerPixelY();

// Twips to whole pixels (nearest, halves to even) and pixels to twips.
int twipsToPixelsX(double twips);
int twipsToPixelsY(double twips);
double pixelsToTwipsX(double px);
double pixelsToTwipsY(double px);

} // namespace ui
