#pragma once

#include "platform/ui/Form.h"

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;

// The notice that a feature is featured with the full program, Tessaline: the feature's
// name, where to get the program, and a Help button about the feature. Shown through
// modMainHelper::showGetTSNDialog, which sets Label1(0) and cmdHelp's help context.
class frmGetTSN : public QDialog, public ui::Form
{
    Q_OBJECT

public:
    explicit frmGetTSN(QWidget* parent = nullptr);

    void Form_Load() override;

    void cmdClose_Click();
    void cmdHelp_Click();
    void Label3_Click();

    // Label1(0) the feature (bold), (2) "is featured with ...", (1) "Get your copy at",
    // (3) the slogan.
    std::array<QLabel*, 4> Label1{};
    QLabel* Label3;
    QPushButton* cmdHelp;
    QPushButton* cmdClose;
};
