#pragma once

#include <QList>

class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;

// Puts a message into a prompt's label; CR and CR LF start new lines, as in message boxes.
void setPromptMessage(QLabel& lblMsg, const QString& strMessage);

// Lays out a small prompt window after its message was set: the message at the top,
// wrapped to `messageWidthTwips` and as tall as its text; the check box (may be null)
// 240 twips below it; the buttons side by side, in order, 720 twips below it; the window
// 1680 twips taller than the message's bottom, and centred on the screen.
void layOutPrompt(QWidget& form, QLabel& lblMsg, QCheckBox* chk, const QList<QPushButton*>& buttons,
                  int messageWidthTwips);
