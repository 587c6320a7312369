#pragma once

#include "common/PreferencesEdition.h"

// The launcher panel's preferences: the contact manager, the scanner with its serial port and
// TWAIN settings, tool tips, and the tray icon with the state a fresh panel starts in.
class ZephlorinPreferences : public PreferencesEdition
{
public:
    static const ZephlorinPreferences& instance();

    QString dialogCaption() const override;
    QList<Step> steps() const override;
    void buildStep(int nIndex, QBoxLayout* layout, Window window) const override;
    QList<Setting> settings() const override;
    void connectControls(CPreferencesForm& form) const override;
    void preferencesLoaded(CPreferencesForm& form) const override;

    // Without the tray icon the start state is greyed at "Restored": a panel without an icon
    // always starts on the screen.
    static void chkShowInSystray_Click(CPreferencesForm& form);
};
