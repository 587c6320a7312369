#include "FakeTray.h"

#include <gtest/gtest.h>

namespace testing_support {

FakeTray::FakeTray(bool bAvailable) : m_installed(ui::trayService.replace(*this)), m_available(bAvailable) {}

FakeTray::~FakeTray() = default;

void FakeTray::addIcon(const QIcon& icon, const QString& tip, Notify notify)
{
    EXPECT_TRUE(m_available) << "an icon added to a tray that is not there";
    ++m_adds;
    m_shown = true;
    m_icon = icon;
    m_tip = tip;
    m_notify = std::move(notify);
}

void FakeTray::removeIcon()
{
    ++m_removes;
    m_shown = false;
    m_notify = {};
}

void FakeTray::click(qint32 message)
{
    ASSERT_TRUE(m_shown) << "a click on a tray icon that is not shown";
    if (Notify notify = m_notify)
        notify(message);
}

} // namespace testing_support
