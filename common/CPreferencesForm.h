#pragma once

#include "common/PreferencesEdition.h"
#include "platform/ui/Form.h"

#include <QDialog>

// What the preferences wizard and the all-at-once dialog share: CancelPressed, loading the
// settings into the controls when the form loads and storing them on Done or OK, the
// tool tips, Help, the scanner frames, the TWAIN source and the file association buttons.
// Nothing is stored before Done or OK.
class CPreferencesForm : public QDialog, public ui::Form
{
    Q_OBJECT

public:
    using Window = PreferencesEdition::Window;

    // True after the user cancelled.
    bool CancelPressed() const { return m_bCancelPressed; }
    const PreferencesEdition& edition() const { return m_edition; }

    void Form_Load() override;

    void cmdHelp_Click();
    void cmdSelectTWAINSource_Click();
    void cmdForceAssociation_Click();
    // Shows the TWAIN frame for the TWAIN scanner and the serial port frame for the
    // PDF417 scanner.
    void cboScanner_Click();

    // The help topic of both preference windows.
    static constexpr qint32 HelpContextID = 10001;

protected:
    CPreferencesForm(const PreferencesEdition& edition, Window window, QWidget* parent);

    // Wires the shared controls and the edition's own; call once all controls exist.
    void connectControls();
    void setCancelPressed(bool b) { m_bCancelPressed = b; }
    void savePreferences();

private:
    void loadPreferences();

    const PreferencesEdition& m_edition;
    Window m_window;
    bool m_bCancelPressed = false;
};
