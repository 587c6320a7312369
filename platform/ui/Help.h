#pragma once

// Opening the family help from a window. A failure (no help file, no such topic, no
// browser) is told to the user in a message box, once per request: a browser's opener that
// fails after the call returned is told when it ends.
namespace ui {

bool showHelpTopic(int topic);
bool showHelpContents();

} // namespace ui
