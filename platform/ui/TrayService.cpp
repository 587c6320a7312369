#include "platform/ui/TrayService.h"

#include "platform/ui/ErrorBoundary.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSystemTrayIcon>

namespace ui {

namespace {

class SystemTray : public TrayService
{
public:
    bool isAvailable() override { return QSystemTrayIcon::isSystemTrayAvailable(); }

    void addIcon(const QIcon& icon, const QString& tip, Notify notify) override
    {
        if (!m_icon) {
            // Owned by the application, so that it never outlives it.
            m_icon = new QSystemTrayIcon(qApp);
            QObject::connect(m_icon, &QSystemTrayIcon::activated, m_icon,
                             [this](QSystemTrayIcon::ActivationReason reason) { activated(reason); });
        }
        m_notify = std::move(notify);
        m_icon->setIcon(icon);
        m_icon->setToolTip(tip);
        m_icon->show();
    }

    void removeIcon() override
    {
        m_notify = {};
        delete m_icon;
    }

    bool isIconShown() const override { return m_icon && m_icon->isVisible(); }

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
};

TrayService& systemTray()
{
    static SystemTray tray;
    return tray;
}

} // namespace

constinit service::Service<TrayService> trayService(&systemTray);

} // namespace ui
