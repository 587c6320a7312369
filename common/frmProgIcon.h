#pragma once

#include "platform/ui/Form.h"

#include <QIcon>
#include <QWidget>

// The hidden form whose only use is to hold the program icon: the main window, the about box,
// the preferences windows and the notices take their icon from it. It is loaded on first use
// and never shown; its icon is the one the program gave the application at start-up until the
// program sets another (setWindowIcon on the form).
class frmProgIcon : public QWidget, public ui::Form
{
    Q_OBJECT

public:
    explicit frmProgIcon(QWidget* parent = nullptr);

    // The program's loaded icon form, loaded when there is none yet.
    static frmProgIcon& instance();
    // Its icon.
    static QIcon programIcon();
};
