#pragma once

#include <QList>
#include <QString>

// The contact fields of the impression window as the three contact tabs show them: each
// field's control and label, the frame it sits in and the help topic of the field. The
// fields of each tab are listed in focus order, which is also the document's field order.
namespace ImpressionFieldTable {

// The contact tabs, numbered as the tab control numbers them.
enum Tab
{
    NameTab = 0,
    BusinessTab = 1,
    HomeTab = 2,
};

// The frames of the business and home tabs; None for a field directly on its tab.
enum class Frame
{
    None,
    Location,
    PostBox,
    Telephone,
};

struct Field
{
    QString stem; // the document property, "NamFirst"
    Tab tab;
    Frame frame;
    QString caption;   // of the label "lbl" & stem
    QString labelTip;  // of the label
    bool multiLine;    // a multi-line text box with a vertical scroll bar
    int helpContextID; // 0: none
};

// The 42 fields in document order.
const QList<Field>& fields();

// The caption of a frame: "Location", "Post Box Address", "Telephone".
QString frameCaption(Frame frame);
// The object name of a frame on a tab: "fraBusLocation", "fraHomTelephone".
QString frameName(Tab tab, Frame frame);

// The name of the control that shows a field: "cboNamTitle" for the salutation, "txt" &
// stem for the others.
QString controlName(const Field& field);
QString labelName(const Field& field);

} // namespace ImpressionFieldTable
