#include "common/PromptLayout.h"

#include "platform/ui/Controls.h"
#include "platform/ui/Screen.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace {

// Twips.
constexpr int Margin = 240;
constexpr int CheckBoxGap = 240;
constexpr int CheckBoxHeight = 255;
constexpr int ButtonsGap = 720;
constexpr int ButtonWidth = 1215;
constexpr int ButtonHeight = 375;
constexpr int ButtonSpacing = 120;
constexpr int FormHeightBelowMessage = 1680;

} // namespace

void setPromptMessage(QLabel& lblMsg, const QString& strMessage)
{
    lblMsg.setTextFormat(Qt::PlainText);
    lblMsg.setText(QString(strMessage).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n'));
}

void layOutPrompt(QWidget& form, QLabel& lblMsg, QCheckBox* chk, const QList<QPushButton*>& buttons,
                  int messageWidthTwips)
{
    const int count = static_cast<int>(buttons.size());
    const int buttonsWidth = count * ButtonWidth + std::max(0, count - 1) * ButtonSpacing;
    const int formWidth = 2 * Margin + std::max(messageWidthTwips, buttonsWidth);

    lblMsg.setWordWrap(true);
    const int messageWidthPx = ui::twipsToPixelsX(messageWidthTwips);
    int messageHeightPx = lblMsg.heightForWidth(messageWidthPx);
    if (messageHeightPx < 0)
        messageHeightPx = lblMsg.sizeHint().height();
    lblMsg.setGeometry(ui::twipsToPixelsX(Margin), ui::twipsToPixelsY(Margin), messageWidthPx, messageHeightPx);

    const double bottom = Margin + ui::pixelsToTwipsY(messageHeightPx);
    if (chk)
        chk->setGeometry(ui::Twips{Margin, bottom + CheckBoxGap, double(messageWidthTwips), CheckBoxHeight}.toPixels());
    double left = (formWidth - buttonsWidth) / 2.0;
    for (QPushButton* button : buttons) {
        button->setGeometry(ui::Twips{left, bottom + ButtonsGap, ButtonWidth, ButtonHeight}.toPixels());
        left += ButtonWidth + ButtonSpacing;
    }

    const QSize size(ui::twipsToPixelsX(formWidth), ui::twipsToPixelsY(bottom + FormHeightBelowMessage));
    form.setFixedSize(size);
    const QScreen* screen = form.screen() ? form.screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, size.width(), size.height());
    form.move(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2);
}
