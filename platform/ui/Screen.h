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

// The primary screen's size in twips (Screen.Width, Screen.Height); 0 without a screen.
double screenWidthTwips();
double screenHeightTwips();
// Whether the window system lets a program place its windows and read their places back
// (not so under Wayland).
bool hasWindowPositions();

} // namespace ui
