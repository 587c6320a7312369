#pragma once

#include "common/modRegistryLow.h"
#include "platform/ui/Form.h"

#include <QDialog>

class QLabel;
class QPushButton;

// Help > About: the program's title, version and legal notice, the credits, the maker's
// web address, and a button that starts the system information program found through the
// registry. What differs between the programs comes from the program's edition.
class frmAbout : public QDialog, public ui::Form
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

    void cmdHelp_Click();
    void cmdSysInfo_Click();
    void cmdOK_Click();
    void Form_Load() override;
    // Starts the system information program, or says that there is none.
    void StartSysInfo();
    // Reads one registry value as text; false (text emptied) when it cannot be read.
    static bool GetKeyValue(modRegistryLow::Root root, const QString& keyName, const QString& valueName, QString& text);
    // The link label's click (Label3, or LabelWebURL in the panel's edition).
    void Label3_Click();

    static constexpr qint32 HelpContextID = 10002;

    QLabel* Image1;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* lblDisclaimer;
    QLabel* lblLink;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
    QPushButton* cmdHelp;

protected:
    void reject() override; // Escape
};
