#include "layout/frmFont.h"

#include "layout/modFonts.h"
#include "platform/vb/VbNumber.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

const QStringList DesignSizes = {
    QStringLiteral("4"),  QStringLiteral("5"),  QStringLiteral("6"),  QStringLiteral("7"),  QStringLiteral("8"),
    QStringLiteral("9"),  QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12"), QStringLiteral("14"),
    QStringLiteral("16"), QStringLiteral("18"), QStringLiteral("20"),
};

QComboBox* editableCombo(const QString& name, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

} // namespace

frmFont::frmFont(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Font"));
    cboFont = editableCombo(QStringLiteral("cboFont"), this);
    cboFont->setMinimumContentsLength(24);
    lblFont = new QLabel(QStringLiteral("F&ont:"), this);
    lblFont->setObjectName(QStringLiteral("lblFont"));
    lblFont->setBuddy(cboFont);
    cboSize = editableCombo(QStringLiteral("cboSize"), this);
    cboSize->addItems(DesignSizes);
    lblSize = new QLabel(QStringLiteral("&Size:"), this);
    lblSize->setObjectName(QStringLiteral("lblSize"));
    lblSize->setBuddy(cboSize);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblFont, 0, 0);
    grid->addWidget(lblSize, 0, 1);
    grid->addWidget(cboFont, 1, 0);
    grid->addWidget(cboSize, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    grid->addLayout(buttons, 2, 0, 1, 2);
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
