#pragma once

#include <QtGlobal>

// The scan prompt: before a card image is captured, asks the user to get the card or the
// scanner ready. Each kind of prompt can be switched off by its "Don't prompt me again"
// box, kept in the settings (section "Dont show me again", key = the kind).
namespace modDSMA {

constexpr qint32 TwainPrompt = 0;    // "Please scan at 400 dpi, 256 levels of gray."
constexpr qint32 CardScanPrompt = 1; // "Insert or position the card(s) for scanning."

// Shows the prompt of that kind modally, unless it is switched off (then at once, and not
// cancelled). OK keeps the box's answer for next time; Cancel or the close box cancel the
// scan and keep the setting unchanged.
void showScanPrompt(qint32 nKind);
// True when the last showScanPrompt was cancelled.
bool wasPromptCancelled();

// Set by the prompt window: its Cancel button, and its close box.
void setPromptCancelled();
void setPromptClosedByUser();

} // namespace modDSMA
