#pragma once

#include "common/CPreferencesForm.h"

class QPushButton;

// The all-at-once preferences dialog: every control of the edition on one page, a group
// per step; OK stores them, Cancel and the close box store nothing.
class frmPreferences : public CPreferencesForm
{
    Q_OBJECT

public:
    explicit frmPreferences(const PreferencesEdition& edition, QWidget* parent = nullptr);

    void Form_QueryUnload(bool& cancel, ui::UnloadMode mode) override;

    void cmdOK_Click();
    void cmdCancel_Click();

    QPushButton* cmdHelp;
    QPushButton* cmdCancel;
    QPushButton* cmdOK;

protected:
    void reject() override; // Escape
};
