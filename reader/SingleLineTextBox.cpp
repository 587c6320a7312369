#include "reader/SingleLineTextBox.h"

void SingleLineTextBox::setText(const QString& text)
{
    QLineEdit::setText(text);
    setCursorPosition(0);
}
