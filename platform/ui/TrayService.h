#pragma once

#include "platform/service/Service.h"

#include <QIcon>
#include <QString>

#include <functional>

namespace ui {

// The notification area of the desktop: one icon per program with its tip. The icon's mouse
// notifications reach the program as the window messages the programs know.
class TrayService
{
public:
    // What the user did on the icon.
    enum Message : qint32
    {
        LeftButtonUp = 514,
        LeftButtonDoubleClick = 515,
        RightButtonUp = 517,
    };
    using Notify = std::function<void(qint32 message)>;

    virtual ~TrayService() = default;

    // Whether the desktop has a notification area at all.
    virtual bool isAvailable() = 0;
    // Shows the program's icon with `tip`; a second add replaces the first icon. `notify` is
    // called with a Message for each mouse action on it.
    virtual void addIcon(const QIcon& icon, const QString& tip, Notify notify) = 0;
    // Takes the icon away; nothing happens when none is shown.
    virtual void removeIcon() = 0;
    virtual bool isIconShown() const = 0;
};

// By default the desktop's own notification area (QSystemTrayIcon).
extern service::Service<TrayService> trayService;

} // namespace ui
