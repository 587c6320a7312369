#include "platform/ui/Controls.h"

#include "platform/ui/HelpContext.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Timer.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>

namespace ui {

QRect Twips::toPixels() const
{
    return QRect(twipsToPixelsX(left), twipsToPixelsY(top), twipsToPixelsX(width), twipsToPixelsY(height));
}

QString arrayName(const QString& name, int index)
{
    return name + u'(' + QString::number(index) + u')';
}

void setCaption(QWidget* control, const QString& caption)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(caption);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(caption);
    else if (auto* line = qobject_cast<QLineEdit*>(control))
        line->setText(caption);
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        frame->setTitle(caption);
    else if (auto* text = qobject_cast<QTextEdit*>(control))
        text->setPlainText(caption);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(control))
        plain->setPlainText(caption);
    else if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->isEditable())
        combo->setEditText(caption);
    else if (control->isWindow())
        control->setWindowTitle(caption);
}

void applyDef(QWidget* control, const ControlDef& def)
{
    control->setObjectName(def.name);
    if (!def.caption.isEmpty())
        setCaption(control, def.caption);
    if (!def.place.isNull())
        control->setGeometry(def.place.toPixels());
    if (!def.toolTip.isEmpty())
        control->setToolTip(def.toolTip);
    if (def.helpContext != 0)
        setHelpContext(control, def.helpContext);
}

QMetaObject::Connection handle(QAbstractButton* button, std::function<void()> handler, OnError onError)
{
    return connect(button, &QAbstractButton::clicked, button, std::move(handler), onError);
}

QMetaObject::Connection handle(QCheckBox* check, std::function<void()> handler, OnError onError)
{
    return connect(check, &QCheckBox::stateChanged, check, std::move(handler), onError);
}

QMetaObject::Connection handle(QRadioButton* option, std::function<void()> handler, OnError onError)
{
    return connect(
        option, &QRadioButton::toggled, option,
        [handler = std::move(handler)](bool checked) {
            if (checked)
                handler();
        },
        onError);
}

QMetaObject::Connection handle(QComboBox* combo, std::function<void()> handler, OnError onError)
{
    return connect(combo, &QComboBox::currentIndexChanged, combo, std::move(handler), onError);
}

QMetaObject::Connection handle(QLineEdit* text, std::function<void()> handler, OnError onError)
{
    return connect(text, &QLineEdit::textChanged, text, std::move(handler), onError);
}

QMetaObject::Connection handle(QTextEdit* text, std::function<void()> handler, OnError onError)
{
    return connect(text, &QTextEdit::textChanged, text, std::move(handler), onError);
}

QMetaObject::Connection handle(QPlainTextEdit* text, std::function<void()> handler, OnError onError)
{
    return connect(text, &QPlainTextEdit::textChanged, text, std::move(handler), onError);
}

QMetaObject::Connection handle(QLabel* link, std::function<void()> handler, OnError onError)
{
    return connect(link, &QLabel::linkActivated, link, std::move(handler), onError);
}

QMetaObject::Connection handle(QTabWidget* tabs, std::function<void()> handler, OnError onError)
{
    return connect(tabs, &QTabWidget::currentChanged, tabs, std::move(handler), onError);
}

QMetaObject::Connection handle(QAction* item, std::function<void()> handler, OnError onError)
{
    return connect(item, &QAction::triggered, item, std::move(handler), onError);
}

QMetaObject::Connection handle(QMenu* menu, std::function<void()> handler, OnError onError)
{
    return connect(menu, &QMenu::aboutToShow, menu, std::move(handler), onError);
}

QMetaObject::Connection handle(Timer* timer, std::function<void()> handler, OnError onError)
{
    return connect(timer, &Timer::tick, timer, std::move(handler), onError);
}

} // namespace ui
