#pragma once

#include <QString>

// Offered by the program's main window, so that the shared routines can hand it files
// dropped on any window. The shared routines find it among the loaded forms
// (ui::findForm<IMainWindow>()) and bring it to the front as a form.
class IMainWindow
{
public:
    virtual ~IMainWindow() = default;
    // Opens an impression file or imports a bitmap, chosen by the file's extension.
    virtual void openFile(const QString& strFileName) = 0;
};
