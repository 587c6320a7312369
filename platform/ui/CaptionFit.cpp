#include "platform/ui/CaptionFit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTextDocument>
#include <QToolButton>

#include <cmath>

namespace ui {

namespace {

// The space between a button's icon and its text, as the styles draw it.
constexpr int IconTextSpacing = 4;

CaptionFit result(const QString& text, QSize needed, QSize room)
{
    if (needed.width() <= room.width() && needed.height() <= room.height())
        return {};
    return {text, needed, room};
}

QSize mnemonicTextSize(const QWidget* control, const QString& text)
{
    return control->fontMetrics().size(Qt::TextShowMnemonic, text);
}

CaptionFit labelFit(const QLabel* label)
{
    const QString text = label->text();
    if (text.isEmpty())
        return {};
    const int margin = label->margin();
    const QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    const bool rich =
        label->textFormat() == Qt::RichText || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    if (rich) {
        QTextDocument doc;
        doc.setDefaultFont(label->font());
        doc.setDocumentMargin(0);
        doc.setHtml(text);
        if (label->wordWrap())
            doc.setTextWidth(room.width());
        const QSize needed(int(std::ceil(doc.idealWidth())), int(std::ceil(doc.size().height())));
        return result(text, needed, room.size());
    }
    int flags = int(label->alignment());
    if (label->wordWrap())
        flags |= Qt::TextWordWrap;
    if (label->buddy())
        flags |= Qt::TextShowMnemonic;
    return result(text, label->fontMetrics().boundingRect(room, flags, text).size(), room.size());
}

// A push button, check box or option button: its text (and icon) inside the style's contents
// rectangle of the button.
CaptionFit buttonFit(const QAbstractButton* button, QStyle::SubElement contents)
{
    const QString text = button->text();
    if (text.isEmpty())
        return {};
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = text;
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    if (const auto* push = qobject_cast<const QPushButton*>(button)) {
        if (push->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
        if (push->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        if (push->isFlat())
            option.features |= QStyleOptionButton::Flat;
    }
    const QRect room = button->style()->subElementRect(contents, &option, button);
    QSize needed = mnemonicTextSize(button, text);
    if (!option.icon.isNull() && contents == QStyle::SE_PushButtonContents) {
        needed.rwidth() += option.iconSize.width() + IconTextSpacing;
        needed.setHeight(std::max(needed.height(), option.iconSize.height()));
    }
    return result(text, needed, room.size());
}

CaptionFit toolButtonFit(const QToolButton* button)
{
    const QString text = button->text();
    const Qt::ToolButtonStyle style = button->toolButtonStyle();
    const bool hasIcon = !button->icon().isNull();
    if (text.isEmpty() || (hasIcon && style == Qt::ToolButtonIconOnly))
        return {};
    QStyleOptionToolButton option;
    option.initFrom(button);
    option.text = text;
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    option.toolButtonStyle = style;
    option.subControls = QStyle::SC_ToolButton;
    const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
    const QRect room = button->style()
                           ->subControlRect(QStyle::CC_ToolButton, &option, QStyle::SC_ToolButton, button)
                           .adjusted(frame, frame, -frame, -frame);
    QSize needed = mnemonicTextSize(button, text);
    const QSize icon = option.iconSize;
    if (hasIcon && style == Qt::ToolButtonTextUnderIcon)
        needed = QSize(std::max(needed.width(), icon.width()), icon.height() + IconTextSpacing + needed.height());
    else if (hasIcon && style == Qt::ToolButtonTextBesideIcon)
        needed = QSize(icon.width() + IconTextSpacing + needed.width(), std::max(needed.height(), icon.height()));
    return result(text, needed, room.size());
}

// The text of every shown tab inside the part of its tab the style gives the text, and the tab
// inside the bar.
CaptionFit tabBarFit(const QTabBar* bar)
{
    for (int i = 0; i < bar->count(); ++i) {
        if (!bar->isTabVisible(i))
            continue;
        QStyleOptionTab option;
        option.initFrom(bar);
        option.shape = bar->shape();
        option.text = bar->tabText(i);
        option.icon = bar->tabIcon(i);
        option.iconSize = bar->iconSize();
        option.rect = bar->tabRect(i).intersected(bar->rect());
        const QRect room = bar->style()->subElementRect(QStyle::SE_TabBarTabText, &option, bar);
        if (CaptionFit fit = result(option.text, mnemonicTextSize(bar, option.text), room.size()); !fit.fits())
            return fit;
    }
    return {};
}

CaptionFit frameTitleFit(const QGroupBox* box)
{
    const QString title = box->title();
    if (title.isEmpty())
        return {};
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = title;
    option.lineWidth = 1;
    option.textAlignment = box->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (box->isFlat())
        option.features |= QStyleOptionFrame::Flat;
    const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    return result(title, QSize(label.right() + 1, label.bottom() + 1), box->size());
}

} // namespace

CaptionFit captionFit(const QWidget* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return labelFit(label);
    if (const auto* push = qobject_cast<const QPushButton*>(control))
        return buttonFit(push, QStyle::SE_PushButtonContents);
    if (const auto* check = qobject_cast<const QCheckBox*>(control))
        return buttonFit(check, QStyle::SE_CheckBoxContents);
    if (const auto* option = qobject_cast<const QRadioButton*>(control))
        return buttonFit(option, QStyle::SE_RadioButtonContents);
    if (const auto* tool = qobject_cast<const QToolButton*>(control))
        return toolButtonFit(tool);
    if (const auto* bar = qobject_cast<const QTabBar*>(control))
        return tabBarFit(bar);
    if (const auto* box = qobject_cast<const QGroupBox*>(control))
        return frameTitleFit(box);
    return {};
}

void fitCaption(QToolButton* button)
{
    QFont font = button->font();
    while (!captionFit(button).fits() && font.pointSizeF() - 0.5 >= MinimumCaptionPoints) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        button->setFont(font);
    }
}

} // namespace ui
