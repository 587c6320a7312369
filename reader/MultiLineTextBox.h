#pragma once

#include <QPlainTextEdit>
#include <QString>

// A multi-line text box with a vertical scroll bar that gives back its text exactly as it
// was set: line breaks of any kind (CR LF, LF CR, lone CR or LF) come back unchanged, which
// a plain text edit would turn into its own paragraph breaks. Text the user types in is
// given back with CR LF between the lines, as the programs write line breaks.
class MultiLineTextBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit MultiLineTextBox(QWidget* parent = nullptr);

    QString text() const;
    // Shows `text`; the change signal fires only when the text differs.
    void setText(const QString& text);

    // Locked: the text can be selected, copied and scrolled, not changed.
    void setLocked(bool locked);
    bool isLocked() const { return isReadOnly(); }

    // The caret at the start, nothing selected, the start scrolled into view.
    void caretToStart();

private:
    QString m_text;
    bool m_exact = true; // m_text is what the box holds (no typing since the last setText)
    bool m_setting = false;
};
