#pragma once

#include "common/MainHelper.h"
#include "platform/ui/Menus.h"

class QWidget;

namespace ui {
class Form;
}

// The menus that the windows of the family's programs carry alike: the Window menu with an
// item to start each family program, and the Help menu.
namespace modMainHelper {

// Where a window's Help menu differs from the others'.
struct HelpMenuEdition
{
    QKeySequence contentsKey = {}; // the shortcut of "&Contents and Index..."
    QString wizardCaption = QStringLiteral("&Wizard...");
    QString separatorName = QStringLiteral("mnuHelpDash1");
    QString aboutCaption = QStringLiteral("&About App");
};

// "&Window" with "Go To &Kelvadon", "Go To &Tessaline", "Go To &Brindlemark", "Go To &Zephlorin"
// and "Go To &Quorvane" (mnuWindowGotokelvadon and so on, help context 200), each starting its
// program; the item of the running program `self` has no command.
QList<ui::MenuEntry> windowMenuRows(FamilyProgram self);
// "&Help": "&Contents and Index..." (8), "&Getting Started" (10004), "&Preferences" (1) with
// "&All-at-once..." and the wizard for `form`, a separator and the about box (9).
QList<ui::MenuEntry> helpMenuRows(ui::Form* form, const HelpMenuEdition& edition = {});
// Hides the Go To item of the running program and enables each item when its program is
// installed, in the order Zephlorin, Brindlemark, Kelvadon, Tessaline, Quorvane.
void updateGoToMenus(QWidget* form, FamilyProgram self);
// Shows the about box modally, then unloads it.
void showAboutBox();

} // namespace modMainHelper
