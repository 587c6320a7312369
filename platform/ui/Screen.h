#pragma once

// The screen's measure in twips (1440 to the inch) and the speaker.
namespace ui {

constexpr int TwipsPerInch = 1440;

// Twips per pixel of the primary screen: 15 at 96 dots per inch.
double twipsPerPixelX();
double twipsPerPixelY();

// Twips to whole pixels (nearest, halves to even) and pixels to twips.
int twipsToPixelsX(double twips);
int twipsToPixelsY(double twips);
double pixelsToTwipsX(double px);
double pixelsToTwipsY(double px);

// Sounds the bell; beepCount() tells tests how often it rang.
void beep();
int beepCount();

} // namespace ui
