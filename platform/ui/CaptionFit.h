#pragma once

#include <QSize>
#include <QString>

class QToolButton;
class QWidget;

// Whether the caption a control shows is drawn whole: every character inside the rectangle the
// control draws its text in, in the control's own font, neither cut at an edge nor elided.
// Captions are the texts of labels, buttons, check boxes, option buttons, tool buttons, the
// tabs of a tab bar and the titles of frames; other controls have none and always fit.
namespace ui {

struct CaptionFit
{
    QString text; // the caption that does not fit (for a tab bar, the first such tab's)
    QSize needed; // what the text takes
    QSize room;   // what the control gives it
    bool fits() const { return text.isNull(); }
};

CaptionFit captionFit(const QWidget* control);

// Makes a tool button's caption that does not fit drawn whole, in a smaller size of the button's
// font down to MinimumCaptionPoints. A caption that fits keeps its font.
void fitCaption(QToolButton* button);

constexpr double MinimumCaptionPoints = 6.5;

} // namespace ui
