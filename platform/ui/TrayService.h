#pragma once

#include "platform/service/Service.h"

#include <QIcon>
#include <QMetaObject>
#include <QString>

#include <functional>

class QMenu;

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

    // What the icon offers on a context click. Desktops show the menu themselves (an exported
    // menu of a StatusNotifierItem host never comes through the program at all), so `prepare` runs
    // each time the menu is about to show, whoever shows it.
    struct ContextMenu
    {
        QMenu* menu = nullptr;
        std::function<void()> prepare;
    };

    virtual ~TrayService() = default;

    // Whether the desktop has a notification area at all.
    virtual bool isAvailable() = 0;
    // Shows the program's icon with `tip` and `menu`; a second add replaces the first icon. `notify`
    // is called with a Message for each mouse action on it.
    virtual void addIcon(const QIcon& icon, const QString& tip, Notify notify, ContextMenu menu) = 0;
    // Takes the icon and its menu away; nothing happens when none is shown.
    virtual void removeIcon() = 0;
    virtual bool isIconShown() const = 0;
    // Whether a context click on the icon shows its menu without the program's help: its
    // RightButtonUp then only tells of a menu already up.
    virtual bool showsMenu() const = 0;

protected:
    // Runs the menu's prepare step, inside the error boundary, whenever the menu is about to show.
    static QMetaObject::Connection prepareOnShow(const ContextMenu& menu);
};

// By default the desktop's own notification area (QSystemTrayIcon).
extern service::Service<TrayService> trayService;

} // namespace ui
