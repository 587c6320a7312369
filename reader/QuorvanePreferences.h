#pragma once

#include "common/PreferencesEdition.h"

// The card-reading program's preferences: the contact manager and automatic transfer, the
// scanner with its serial port and TWAIN settings, tool tips and the file association, and
// the vCard export.
class QuorvanePreferences : public PreferencesEdition
{
public:
    static const QuorvanePreferences& instance();

    QString dialogCaption() const override;
    QList<Step> steps() const override;
    void buildStep(int nIndex, QBoxLayout* layout, Window window) const override;
    QList<Setting> settings() const override;
};
