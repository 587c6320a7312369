#pragma once

#include <QLineEdit>
#include <QString>

// A single-line text box that shows the start of a text put into it: the caret goes to the
// first character, nothing selected, so that a text longer than the box is read from its
// beginning. Text the user types keeps the caret where the typing leaves it.
class SingleLineTextBox : public QLineEdit
{
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

    // Shows `text` from its start, also when it is the text the box holds already.
    void setText(const QString& text);
};
