#pragma once

class QComboBox;

// The font families the font chooser offers.
namespace modFonts {

// Empties the combo box and lists every smoothly scalable font family of the system once,
// in the font database's order. Bitmap-only families and the system's private families
// (names starting with ".") are left out.
void fillFontList(QComboBox& combo);

} // namespace modFonts
