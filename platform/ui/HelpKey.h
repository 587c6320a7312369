#pragma once

// F1 in the program's windows, as the programs' help binding has it:
// - while a menu is open, or the menu bar is being worked with the keyboard, F1 opens the help
//   context of the highlighted item (nothing when it has none), and never triggers the F1
//   shortcut of a menu item;
// - elsewhere, unless a menu item's F1 shortcut is live and takes the key, F1 opens the help
//   context of the focused control, else of the nearest control around it that has one, else
//   of its form; with none at all, the help contents.
// Only the windows of the program's forms take part; dialogs of the system keep their own F1.
namespace ui {

// Installs the F1 handling for the application; once is enough, later calls do nothing.
void installHelpKey();

} // namespace ui
