// The serial scanner port on a pseudo-terminal: taken at start-up, released and requested by
// the panel's buttons, refused while another program holds it, and free again after Exit.
#include "PanelFixture.h"

#include "capture/frmHelper.h"
#include "platform/serial/CommPort.h"
#include "platform/vb/VbError.h"

#include "ChildProcess.h"
#include "PseudoTerminal.h"
#include "QtPrinters.h"
#include "WidgetDriver.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

using testing_support::click;
using testing_support::trigger;

namespace {

class PanelPortTest : public PanelFixture
{
protected:
    PanelPortTest() : m_previousCom1(qgetenv("QV_COM1")) {}
    ~PanelPortTest() override { qputenv("QV_COM1", m_previousCom1); }

    void SetUp() override
    {
        PanelFixture::SetUp();
        qputenv("QV_COM1", QFile::encodeName(m_terminal.slavePath()));
        install(QStringLiteral("Quorvane.exe"));
        setSetting(QStringLiteral("Preferences"), QStringLiteral("Scanner"), QStringLiteral(" 1"));
        setSetting(QStringLiteral("Preferences"), QStringLiteral("PDF COM port"), QStringLiteral(" 0"));
        setSetting(QStringLiteral("Preferences"), QStringLiteral("Show In Systray"), QStringLiteral("0"));
    }

    // The one scan button shown: 2 while the port is held, 3 while it is not.
    int shownScanButton() const
    {
        int shown = -1;
        for (int n = 0; n < 5; ++n) {
            if (!m_panel->cmdScan[n]->isHidden()) {
                EXPECT_EQ(shown, -1) << "two scan buttons shown";
                shown = n;
            }
        }
        return shown;
    }

    QByteArray m_previousCom1;
    testing_support::PseudoTerminal m_terminal;
};

TEST_F(PanelPortTest, ThePanelTakesReleasesAndRequestsThePortAndFreesItAtExit)
{
    start();
    frmHelper& helper = frmHelper::instance();
    ASSERT_TRUE(helper.isScannerActive()) << "taken at start-up";
    EXPECT_EQ(shownScanButton(), 2);
    EXPECT_TRUE(m_panel->mnuPopupSystrayScannerport->menuAction()->isVisible());
    EXPECT_TRUE(m_panel->mnuPopupSystrayScannerportRelease->isEnabled());
    EXPECT_FALSE(m_panel->mnuPopupSystrayScannerportRequest->isEnabled());
    EXPECT_TRUE(m_panel->mnuScan->isEnabled());
    // The menu paths the help pages name for the panel are in its pop-up menu.
    EXPECT_EQ(testing_support::helpMenuPathsMissing(QStringLiteral("Zephlorin"), {m_panel->mnuPopupSystray}, 3),
              QStringList());

    click(m_panel, QStringLiteral("cmdScan(2)"));
    EXPECT_FALSE(helper.isScannerActive());
    EXPECT_EQ(shownScanButton(), 3);
    EXPECT_EQ(m_panel->focusWidget(), m_panel->cmdScan[3]);
    EXPECT_FALSE(m_panel->mnuScan->isEnabled());
    click(m_panel, QStringLiteral("cmdScan(3)"));
    EXPECT_TRUE(helper.isScannerActive());
    EXPECT_EQ(shownScanButton(), 2);
    EXPECT_EQ(m_panel->focusWidget(), m_panel->cmdScan[2]);

    // Another program takes the port meanwhile.
    trigger(m_panel, QStringLiteral("mnuPopupSystrayScannerportRelease"));
    ASSERT_FALSE(helper.isScannerActive());
    testing_support::ChildProcess holder(QStringLiteral("serial_port_holder"), {QStringLiteral("1")});
    ASSERT_TRUE(holder.waitFor(QStringLiteral("open")));
    m_panel->cmdScan[3]->setFocus();
    m_messages.ok();
    click(m_panel, QStringLiteral("cmdScan(3)"));
    EXPECT_TRUE(
        m_messages.last().text.startsWith(QStringLiteral("Another program has already acquired the scanner port.")));
    EXPECT_FALSE(helper.isScannerActive());
    EXPECT_EQ(shownScanButton(), 3);
    EXPECT_EQ(m_panel->focusWidget(), m_panel->cmdScan[3]) << "a refused request keeps the focus";
    EXPECT_TRUE(holder.finish());

    trigger(m_panel, QStringLiteral("mnuPopupSystrayScannerportRequest"));
    ASSERT_TRUE(helper.isScannerActive());
    trigger(m_panel, QStringLiteral("mnuExit"));
    serial::CommPort other;
    other.setCommPort(1);
    EXPECT_NO_THROW(other.setPortOpen(true)) << "the port is free once the panel is gone";
    other.setPortOpen(false);
}

} // namespace
