#pragma once

#include "platform/ui/ErrorBoundary.h"

#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>

class QAbstractButton;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QRadioButton;
class QTabWidget;
class QTextEdit;

namespace ui {
class Timer;
}

// Controls made from a table, and the events handlers are wired to.
//
//     cmdOK = ui::makeControl<QPushButton>(this, {"cmdOK", "OK", {4245, 2040, 1260, 345}}, [this] { cmdOK_Click(); });
//     for (int i = 0; i < 3; ++i)                          // the control array cmdFont(0) to cmdFont(2)
//         ui::makeControl<QPushButton>(this, {"cmdFont", captions[i], {120, 120 + i * 400, 1215, 375}}, i,
//                                      [this](int index) { cmdFont_Click(index); });
//
// Every handler runs inside the error boundary (ErrorBoundary.h).
namespace ui {

// A place on a form in twips from its top-left corner: left, top, width, height.
struct Twips
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    bool isNull() const { return left == 0 && top == 0 && width == 0 && height == 0; }
    // In pixels of the screen (ui::twipsToPixelsX/Y: nearest, halves to even).
    QRect toPixels() const;
};

// The name of element `index` of the control array `name`: "cmdFont(0)".
QString arrayName(const QString& name, int index);

// What a control is made from; names and texts are the documented ones. Written as a row,
// {name, caption, place, toolTip, helpContext}, trailing parts left out when not needed.
struct ControlDef
{
    ControlDef(QString name, QString caption = {}, Twips place = {}, QString toolTip = {}, qint32 helpContext = 0)
        : name(std::move(name)), caption(std::move(caption)), place(place), toolTip(std::move(toolTip)),
          helpContext(helpContext)
    {
    }

    QString name;           // its objectName ("cmdOK"); for an element of a control array the array's name
    QString caption;        // a button's or check box's caption with its access key ("&Help"), a label's or
                            // text box's text, a frame's title
    Twips place;            // position and size; all zero leaves them to a layout
    QString toolTip;        // empty: none
    qint32 helpContext = 0; // the topic F1 opens on it; 0: that of its form
};

// Gives `control` the name, caption, place, tool tip and help context of `def`.
void applyDef(QWidget* control, const ControlDef& def);
// Sets the text a control shows: setText, a frame's title, a text box's plain text.
void setCaption(QWidget* control, const QString& caption);

// Runs `handler` (inside the boundary) on the control's own event, the one its handler is named
// after: a button's Click; a check box's Click, when its value changes, also by code; an option
// button's Click, when it becomes selected; a combo box's Click, when another item is selected,
// also by code; a text box's Change, when its text changes, also by code; a link label's Click;
// a tab control's Click, when another tab is selected; a menu item's Click; a menu's Click, when
// it opens; a timer's Timer event. The connection ends with the control.
QMetaObject::Connection handle(QAbstractButton* button, std::function<void()> handler,
                               OnError onError = OnError::Report);
QMetaObject::Connection handle(QCheckBox* check, std::function<void()> handler, OnError onError = OnError::Report);
QMetaObject::Connection handle(QRadioButton* option, std::function<void()> handler, OnError onError = OnError::Report);
QMetaObject::Connection handle(QComboBox* combo, std::function<void()> handler, OnError onError = OnError::Report);
QMetaObject::Connection handle(QLineEdit* text, std::function<void()> handler, OnError onError = OnError::Report);
QMetaObject::Connection handle(QTextEdit* text, std::function<void()> handler, OnError onError = OnError::Report);
QMetaObject::Connection handle(QPlainTextEdit* text, std::function<void()> handler, OnError onError = OnError::Report);
QMetaObject::Connection handle(QLabel* link, std::function<void()> handler, OnError onError = OnError::Report);
QMetaObject::Connection handle(QTabWidget* tabs, std::function<void()> handler, OnError onError = OnError::Report);
QMetaObject::Connection handle(QAction* item, std::function<void()> handler, OnError onError = OnError::Report);
QMetaObject::Connection handle(QMenu* menu, std::function<void()> handler, OnError onError = OnError::Report);
QMetaObject::Connection handle(Timer* timer, std::function<void()> handler, OnError onError = OnError::Report);

// Makes a control of type W (QPushButton, QLabel, QCheckBox...) on `parent` from `def`.
template <class W> W* makeControl(QWidget* parent, const ControlDef& def)
{
    auto* control = new W(parent);
    applyDef(control, def);
    return control;
}

// The same, with `handler` run on the control's own event (see handle()).
template <class W>
W* makeControl(QWidget* parent, const ControlDef& def, std::function<void()> handler, OnError onError = OnError::Report)
{
    W* control = makeControl<W>(parent, def);
    handle(control, std::move(handler), onError);
    return control;
}

// Element `index` of the control array def.name, named arrayName(def.name, index).
template <class W> W* makeControl(QWidget* parent, const ControlDef& def, int index)
{
    ControlDef element = def;
    element.name = arrayName(def.name, index);
    return makeControl<W>(parent, element);
}

// The same, with `handler` given the element's index on its own event.
template <class W>
W* makeControl(QWidget* parent, const ControlDef& def, int index, std::function<void(int)> handler,
               OnError onError = OnError::Report)
{
    W* control = makeControl<W>(parent, def, index);
    handle(
        control, [handler = std::move(handler), index] { handler(index); }, onError);
    return control;
}

} // namespace ui
