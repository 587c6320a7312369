#include "platform/ui/TrayService.h"

#include "platform/ui/ErrorBoundary.h"

#include <QCoreApplication>
#include <QMenu>
#include <QPointer>
#include <QSystemTrayIcon>

namespace ui {

namespace {

class SystemTray : public TrayService
{
public:
    bool isAvailable() override { return QSystemTrayIcon::isSystemTrayAvailable(); }

    void addIcon(const QIcon& icon, const QString& tip, Notify notify, ContextMenu menu) override
    {
        if (!m_icon) {
            // Owned by the application, so that it never outlives it.
            m_icon = new QSystemTrayIcon(qApp);
            QObject::connect(m_icon, &QSystemTrayIcon::activated, m_icon,
                             [this](QSystemTrayIcon::ActivationReason reason) { activated(reason); });
        }
        m_notify = std::move(notify);
        QObject::disconnect(m_prepare);
        m_prepare = prepareOnShow(menu);
        // Every platform shows it on a context click: the X11 tray pops it up before it reports
        // the click, a StatusNotifierItem host and the other desktops show it on their own.
        m_icon->setContextMenu(menu.menu);
        m_icon->setIcon(icon);
        m_icon->setToolTip(tip);
        m_icon->show();
    }

    void removeIcon() override
    {
        m_notify = {};
        QObject::disconnect(m_prepare);
        delete m_icon;
    }

    bool isIconShown() const override { return m_icon && m_icon->isVisible(); }

    bool showsMenu() const override { return m_icon && m_icon->contextMenu(); }

private:
    void activated(QSystemTrayIcon::ActivationReason reason)
    {
        qint32 message = 0;
        switch (reason) {
        case QSystemTrayIcon::Trigger:
            message = LeftButtonUp;
            break;
        case QSystemTrayIcon::DoubleClick:
            message = LeftButtonDoubleClick;
            break;
        case QSystemTrayIcon::Context:
            message = RightButtonUp;
            break;
        default:
            return;
        }
        // A copy: the handler may remove the icon, and with it the stored handler.
        if (Notify notify = m_notify)
            runGuarded([&] { notify(message); });
    }

    QPointer<QSystemTrayIcon> m_icon;
    Notify m_notify;
    QMetaObject::Connection m_prepare;
};

TrayService& systemTray()
{
    static SystemTray tray;
    return tray;
}

} // namespace

QMetaObject::Connection TrayService::prepareOnShow(const ContextMenu& menu)
{
    if (!menu.menu || !menu.prepare)
        return {};
    return ui::connect(menu.menu, &QMenu::aboutToShow, menu.menu, menu.prepare);
}

constinit service::Service<TrayService> trayService(&systemTray);

} // namespace ui
