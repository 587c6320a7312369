#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class CPreferencesForm;
class QBoxLayout;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;

// A program's preferences as its two preference windows show them: the wizard, one panel
// per step, and the all-at-once dialog, which shows the same controls on one page (one
// group per step). The windows' behaviour is shared (CPreferencesForm); an edition says
// which controls there are, their wording, and which setting each one shows.
class PreferencesEdition
{
public:
    enum class Window
    {
        Wizard,
        Dialog,
    };

    // One setting shown by a check box (value 1 ticked, 0 not) or a combo box (the list
    // index), read and written through the settings getters and setters; write answers
    // whether the value was stored.
    struct Setting
    {
        QString control;
        std::function<qint32()> read;
        std::function<bool(qint32)> write;
        bool zeroFirstInWizard = false; // the wizard sets the list index 0 before the value
    };

    struct Step
    {
        QString name;  // "PIM": repeated beside every panel of the wizard
        QString title; // the wizard panel's title
    };

    virtual ~PreferencesEdition() = default;

    // The all-at-once dialog's caption, "Quorvane Preferences".
    virtual QString dialogCaption() const = 0;
    virtual QList<Step> steps() const = 0;
    // Adds the controls of step nIndex to `layout`, worded for `window`.
    virtual void buildStep(int nIndex, QBoxLayout* layout, Window window) const = 0;
    // The settings, in the order they are loaded and saved.
    virtual QList<Setting> settings() const = 0;
    // Wires behaviour of this edition's own controls, once they exist.
    virtual void connectControls(CPreferencesForm& form) const {}
    // Runs once the settings are in the controls: setting a control from code runs none of
    // its rules, which this applies to the loaded values.
    virtual void preferencesLoaded(CPreferencesForm& form) const {}

    // Control makers for buildStep: each control gets its documented name and tool tip.
    static QCheckBox* addCheckBox(QBoxLayout* layout, const QString& name, const QString& caption,
                                  const QString& tip = QString());
    // A label and a combo box side by side; the list starts with no item chosen. The label
    // is named after the combo box: cboScanner's label is lblScanner.
    static QComboBox* addComboBox(QBoxLayout* layout, const QString& labelCaption, const QString& name,
                                  const QStringList& items, const QString& tip, const QString& labelTip);
    static QPushButton* addButton(QBoxLayout* layout, const QString& name, const QString& caption,
                                  const QString& tip = QString());
    // A frame; its controls go into the returned frame's layout.
    static QGroupBox* addFrame(QBoxLayout* layout, const QString& name, const QString& caption);
    // The scanning step the programs share: the scanner, the prompt, the serial port frame
    // fraComm and the TWAIN frame fraTWAIN with its source button.
    static void addScanningStep(QBoxLayout* layout, Window window);

    // The steps, controls and settings the programs share.
    static Step pimStep();
    static Step scanningStep();
    static Step customizeStep();
    static Step outputStep();
    // cboDefaultPIM and its label, both with `tip`.
    static void addDefaultPimBox(QBoxLayout* layout, const QString& tip);
    static void addToolTipsBox(QBoxLayout* layout);
    static void addComplexVCardBox(QBoxLayout* layout);
    static Setting defaultPimSetting();
    static Setting toolTipsSetting();
    // Ticked for the extended fields: the setting itself says the opposite.
    static Setting complexVCardSetting();
    // The two settings of the scanning step's combos.
    static Setting scannerSetting();
    static Setting comPortSetting();

    // A check box's setting through a Boolean getter and setter.
    static Setting checkSetting(const QString& control, bool (*get)(), bool (*set)(bool));
    // A check box that shows whether the scan prompt of `kind` is wanted.
    static Setting promptSetting(const QString& control, qint32 kind);
};
