#include "FakeTray.h"

#include <QCursor>

#include <gtest/gtest.h>

namespace testing_support {

FakeTray::FakeTray(bool bAvailable) : m_installed(ui::trayService.replace(*this)), m_available(bAvailable) {}

FakeTray::~FakeTray()
{
    QObject::disconnect(m_prepare);
}

void FakeTray::addIcon(const QIcon& icon, const QString& tip, Notify notify, ContextMenu menu)
{
    EXPECT_TRUE(m_available) << "an icon added to a tray that is not there";
    ++m_adds;
    m_shown = true;
    m_icon = icon;
    m_tip = tip;
    m_notify = std::move(notify);
    QObject::disconnect(m_prepare);
    m_prepare = prepareOnShow(menu);
    m_menu = menu.menu;
}

void FakeTray::removeIcon()
{
    ++m_removes;
    m_shown = false;
    m_notify = {};
    QObject::disconnect(m_prepare);
    m_menu = nullptr;
}

void FakeTray::click(qint32 message)
{
    ASSERT_TRUE(m_shown) << "a click on a tray icon that is not shown";
    if (message == RightButtonUp && m_menu)
        m_menu->popup(QCursor::pos());
    if (Notify notify = m_notify)
        notify(message);
}

} // namespace testing_support
