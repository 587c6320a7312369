#pragma once

#include "common/CPreferencesForm.h"

#include <QList>

class CWizardEngine;
class QFrame;
class QPushButton;

// The preferences wizard: one panel per step of the edition (fraGroup(0), fraGroup(1)...),
// driven by the wizard engine; Done is usable on every panel.
class frmConfigWizard : public CPreferencesForm
{
    Q_OBJECT

public:
    explicit frmConfigWizard(const PreferencesEdition& edition, QWidget* parent = nullptr);
    ~frmConfigWizard() override;

    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, ui::UnloadMode mode) override;
    void Form_Unload(bool& cancel) override;

    void cmdFinish_Click();
    void cmdCancel_Click();

    // The panel number the wizard shows, from 1; 0 before the form loads.
    qint32 currentPanel() const;

    QList<QFrame*> fraGroup;
    QPushButton* cmdHelp;
    QPushButton* cmdCancel;
    QPushButton* cmdFinish;
    QPushButton* cmdPrev;
    QPushButton* cmdNext;

protected:
    void reject() override; // Escape

private:
    QFrame* makePanel(int nIndex);
    bool userConfirmsCancel();

    CWizardEngine* m_oWiz = nullptr;
};
