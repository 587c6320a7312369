#pragma once

#include "platform/ui/TrayService.h"

#include <QMenu>
#include <QPointer>

namespace testing_support {

// A notification area for tests (offscreen has none): available or not as the test says,
// counting the icons added, and clicks injected on the icon shown. Like the X11 tray, a context
// click pops the icon's menu up at the mouse before it reports the click. While it lives it is
// the tray service.
class FakeTray : public ui::TrayService
{
public:
    explicit FakeTray(bool bAvailable = true);
    ~FakeTray() override;

    bool isAvailable() override { return m_available; }
    void addIcon(const QIcon& icon, const QString& tip, Notify notify, ContextMenu menu) override;
    void removeIcon() override;
    bool isIconShown() const override { return m_shown; }
    bool showsMenu() const override { return m_shown && m_menu; }

    void setAvailable(bool b) { m_available = b; }
    int adds() const { return m_adds; }
    int removes() const { return m_removes; }
    const QString& tip() const { return m_tip; }
    const QIcon& icon() const { return m_icon; }
    // The menu the icon offers, while it is shown.
    QMenu* menu() const { return m_shown ? m_menu.data() : nullptr; }
    // The user acts on the icon (a TrayService::Message); fails the test when none is shown.
    void click(qint32 message);

private:
    service::Service<ui::TrayService>::Override m_installed;
    bool m_available;
    bool m_shown = false;
    int m_adds = 0;
    int m_removes = 0;
    QString m_tip;
    QIcon m_icon;
    Notify m_notify;
    QPointer<QMenu> m_menu;
    QMetaObject::Connection m_prepare;
};

} // namespace testing_support
