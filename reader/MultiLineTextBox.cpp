#include "reader/MultiLineTextBox.h"

#include <QScrollBar>
#include <QTextCursor>

MultiLineTextBox::MultiLineTextBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_setting)
            m_exact = false;
    });
}

QString MultiLineTextBox::text() const
{
    if (m_exact)
        return m_text;
    // The document separates its lines with LF alone.
    QString typed = toPlainText();
    typed.replace(u'\n', QStringLiteral("\r\n"));
    return typed;
}

void MultiLineTextBox::setText(const QString& text)
{
    if (m_exact && text == m_text)
        return;
    m_text = text;
    m_exact = true;
    m_setting = true;
    // Each kind of line break shows as one break; the exact text is kept apart.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    setPlainText(shown);
    m_setting = false;
}

void MultiLineTextBox::setLocked(bool locked)
{
    setReadOnly(locked);
    if (locked)
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void MultiLineTextBox::caretToStart()
{
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
    ensureCursorVisible();
    horizontalScrollBar()->setValue(0);
}
