#pragma once

#include "platform/ui/Form.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

// The scan prompt window (see modDSMA): a message, "Don't prompt me again", OK, Cancel
// and Help.
class frmDSMA : public QDialog, public ui::Form
{
    Q_OBJECT

public:
    explicit frmDSMA(QWidget* parent = nullptr);

    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, ui::UnloadMode mode) override;

    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    // Sets the message and lays the window out around it.
    void setMessage(const QString& strMessage);
    void lblMsg_Change();

    QLabel* lblMsg;
    QCheckBox* chkNotAgain;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;

protected:
    void reject() override; // Escape
};
