#include "layout/frmFont.h"

#include "layout/modFonts.h"
#include "platform/ui/Controls.h"
#include "platform/vb/VbNumber.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

const QStringList DesignSizes = {
    QStringLiteral("4"),  QStringLiteral("5"),  QStringLiteral("6"),  QStringLiteral("7"),  QStringLiteral("8"),
    QStringLiteral("9"),  QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12"), QStringLiteral("14"),
    QStringLiteral("16"), QStringLiteral("18"), QStringLiteral("20"),
};

// The dialog's size in twips.
constexpr int FormWidth = 4620;
constexpr int FormHeight = 1560;

QComboBox* editableCombo(QWidget* parent, const ui::ControlDef& def)
{
    auto* combo = ui::makeControl<QComboBox>(parent, def);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

} // namespace

frmFont::frmFont(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Font"));
    setFixedSize(ui::Twips{0, 0, FormWidth, FormHeight}.toPixels().size());
    lblFont =
        ui::makeControl<QLabel>(this, {QStringLiteral("lblFont"), QStringLiteral("F&ont:"), {120, 120, 2880, 255}});
    cboFont = editableCombo(this, {QStringLiteral("cboFont"), {}, {120, 375, 2880, 315}});
    lblFont->setBuddy(cboFont);
    lblSize =
        ui::makeControl<QLabel>(this, {QStringLiteral("lblSize"), QStringLiteral("&Size:"), {3120, 120, 1380, 255}});
    cboSize = editableCombo(this, {QStringLiteral("cboSize"), {}, {3120, 375, 1380, 315}});
    cboSize->addItems(DesignSizes);
    lblSize->setBuddy(cboSize);
    cmdOK = ui::makeControl<QPushButton>(this, {QStringLiteral("cmdOK"), QStringLiteral("OK"), {1800, 960, 1260, 375}},
                                         [this] { cmdOK_Click(); });
    cmdOK->setDefault(true);
    cmdCancel = ui::makeControl<QPushButton>(
        this, {QStringLiteral("cmdCancel"), QStringLiteral("Cancel"), {3240, 960, 1260, 375}},
        [this] { cmdCancel_Click(); });
}

void frmFont::Form_Load()
{
    modFonts::fillFontList(*cboFont);
    cancelPressed = true;
}

// The close box cancels; the dialog stays loaded for the caller to read and unload.
void frmFont::Form_QueryUnload(bool& cancel, ui::UnloadMode mode)
{
    if (mode != ui::UnloadMode::CloseBox)
        return;
    cancel = true;
    cmdCancel_Click();
}

bool frmFont::wasCancelPressed() const
{
    return cancelPressed;
}

void frmFont::setFontName(const QString& strFontName)
{
    cboFont->setEditText(strFontName);
}

QString frmFont::getFontName() const
{
    return cboFont->currentText();
}

void frmFont::setFontSize(const QString& strFontSize)
{
    cboSize->setEditText(QString::number(vb::toInt16(vb::val(strFontSize))));
}

QString frmFont::getFontSize() const
{
    return vb::cstr(vb::val(cboSize->currentText()));
}

void frmFont::cmdOK_Click()
{
    cancelPressed = false;
    hide();
}

void frmFont::cmdCancel_Click()
{
    cancelPressed = true;
    hide();
}
