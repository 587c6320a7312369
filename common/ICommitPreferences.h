#pragma once

// Offered by every form that applies the preferences when they change; the preferences
// dialogs call it on all loaded forms (ui::callOnForms<ICommitPreferences>).
class ICommitPreferences
{
public:
    virtual ~ICommitPreferences() = default;
    virtual void commitPreferences() = 0;
};
