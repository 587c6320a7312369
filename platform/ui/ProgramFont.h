#pragma once

#include <QFont>

// The one font of the programs' windows. Their forms are laid out in twips for a small system
// font of about 13 pixels a line at 96 dots per inch; a face with Arial's metrics at 8 points
// ("Liberation Sans", which fonts-liberation installs) holds their captions where the desktop's
// usual 9 or 10 point sans serif, a quarter wider, cuts them.
namespace ui {

constexpr double ProgramFontPoints = 8;

QFont programFont();
// Makes programFont() the application's font: each program once, right after creating its
// application object, and before any window is made.
void useProgramFont();

} // namespace ui
