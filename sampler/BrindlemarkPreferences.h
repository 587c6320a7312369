#pragma once

#include "common/PreferencesEdition.h"

// The sample-card program's preferences: the contact manager, the layout new sheets start
// with, tool tips, the vCard export and whether The Corvel Words go into the symbol. There is
// no scanner here, so no scanner, port, TWAIN or file-association controls.
class BrindlemarkPreferences : public PreferencesEdition
{
public:
    static const BrindlemarkPreferences& instance();

    QString dialogCaption() const override;
    QList<Step> steps() const override;
    void buildStep(int nIndex, QBoxLayout* layout, Window window) const override;
    QList<Setting> settings() const override;
};
