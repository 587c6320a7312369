#pragma once

#include "platform/ui/Form.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

// The font chooser of The Corvel Words: a family box listing the system's scalable font
// families and a size box, both taking free text. The caller loads it, sets the current font
// with setFontName and setFontSize, shows it modally, reads wasCancelPressed and, when it is
// false, getFontName and getFontSize, then unloads it.
class frmFont : public QDialog, public ui::Form
{
    Q_OBJECT

public:
    explicit frmFont(QWidget* parent = nullptr);

    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, ui::UnloadMode mode) override;

    // True unless the dialog was closed with OK.
    bool wasCancelPressed() const;
    // Shows a family, listed or not.
    void setFontName(const QString& strFontName);
    QString getFontName() const;
    // Shows the size rounded to a whole number, halves to even ("6.5" shows 6, "7.5" shows 8).
    void setFontSize(const QString& strFontSize);
    // The number the size box holds, as typed ("9.5"); "0" when it holds none.
    QString getFontSize() const;

    void cmdOK_Click();
    void cmdCancel_Click();

    QLabel* lblFont;
    QComboBox* cboFont;
    QLabel* lblSize;
    QComboBox* cboSize;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

private:
    bool cancelPressed = true;
};
