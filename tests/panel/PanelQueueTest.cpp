// The command lines a second start hands over, and the panel's own command line.
#include "PanelFixture.h"

#include "common/frmAbout.h"
#include "platform/ui/Timer.h"
#include "platform/vb/Command.h"

#include "WidgetDriver.h"

#include <QLabel>

using testing_support::click;
using testing_support::control;
using testing_support::trigger;

namespace {

class PanelQueueTest : public PanelFixture
{
protected:
    void SetUp() override
    {
        PanelFixture::SetUp();
        install(QStringLiteral("Quorvane.exe"));
    }
    // The queued entries without the spare slot, oldest first.
    QStringList queued() const { return m_panel->strCommandLines.mid(0, m_panel->strCommandLines.size() - 1); }
};

TEST_F(PanelQueueTest, AShowHandedOverIsAcceptedAndShowsTheHiddenPanelAtTheNextTick)
{
    start();
    ASSERT_FALSE(m_panel->isVisible());
    EXPECT_EQ(m_panel->strCommandLines, QStringList{QString()}) << "one spare slot";
    EXPECT_FALSE(execute(QStringLiteral("cmdline /show"))) << "no \"=\": not accepted";
    EXPECT_FALSE(execute(QStringLiteral("open=/show")));
    EXPECT_FALSE(m_panel->tmrCommand->isEnabled());
    EXPECT_TRUE(execute(QStringLiteral("CMDLINE=/show")));
    EXPECT_EQ(m_panel->strCommandLines, (QStringList{QStringLiteral("/show"), QString()}));
    EXPECT_FALSE(m_panel->isVisible()) << "the handler itself shows nothing";
    advance(100);
    EXPECT_TRUE(m_panel->isVisible());
    EXPECT_TRUE(m_panel->tmrCommand->isEnabled());
    advance(100);
    EXPECT_FALSE(m_panel->tmrCommand->isEnabled()) << "the first tick on an empty queue stops the timer";
    EXPECT_TRUE(execute(QStringLiteral("cmdline=") + QString(frmZephlorin::MaxCommandLineBytes, u'x')));
    EXPECT_FALSE(execute(QStringLiteral("cmdline=") + QString(frmZephlorin::MaxCommandLineBytes + 1, u'x')));
}

TEST_F(PanelQueueTest, EntriesWaitWhileTheAboutBoxIsOpenThenGoOnePerTickNewestFirst)
{
    start();
    ASSERT_FALSE(m_panel->isVisible());
    m_modals.then([this](ui::Form& form) {
        auto& about = dynamic_cast<frmAbout&>(form);
        EXPECT_EQ(about.windowTitle(), QStringLiteral("About Zephlorin"));
        EXPECT_EQ(about.lblTitle->text(), QStringLiteral("Zephlorin "));
        EXPECT_TRUE(
            control<QLabel>(&about, QStringLiteral("Label4"))->text().startsWith(QStringLiteral("Contributors: ")));
        EXPECT_EQ(control<QLabel>(&about, QStringLiteral("Label1"))->text(),
                  QStringLiteral("Create and read digital business cards with the Tessaline family."));
        EXPECT_FALSE(about.Image1->pixmap().isNull());
        control<QLabel>(&about, QStringLiteral("LabelWebURL"));
        EXPECT_FALSE(m_panel->boolReady);
        EXPECT_TRUE(execute(QStringLiteral("cmdline=first")));
        EXPECT_TRUE(execute(QStringLiteral("cmdline=second")));
        EXPECT_TRUE(execute(QStringLiteral("cmdline=/SHOW")));
        advance(500);
        EXPECT_EQ(queued(), (QStringList{QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("/SHOW")}));
        EXPECT_FALSE(m_panel->isVisible());
        click(&about, QStringLiteral("cmdOK"));
    });
    trigger(m_panel, QStringLiteral("mnuHelpAbout"));
    EXPECT_TRUE(m_panel->boolReady);
    advance(100);
    EXPECT_TRUE(m_panel->isVisible()) << "the newest entry first";
    EXPECT_EQ(queued(), (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
    advance(100);
    EXPECT_EQ(queued(), QStringList{QStringLiteral("first")});
    advance(100);
    EXPECT_TRUE(queued().isEmpty());
}

TEST_F(PanelQueueTest, TheCommandLineIsSplitAtBlanksAndTabsUpperCased)
{
    start();
    vb::setCommand(QStringLiteral("  /show\tfile.bmp \t x"));
    EXPECT_EQ(m_panel->GetCommandLine(),
              (QStringList{QString(), QStringLiteral("/SHOW"), QStringLiteral("FILE.BMP"), QStringLiteral("X")}));
    EXPECT_EQ(m_panel->GetCommandLine(2),
              (QStringList{QString(), QStringLiteral("/SHOW"), QStringLiteral("FILE.BMP")}));
    vb::setCommand(QStringLiteral("a b c d e f g h i j k l"));
    EXPECT_EQ(m_panel->GetCommandLine().size(), 11) << "ten arguments by default";
    vb::setCommand(QString());
    EXPECT_EQ(m_panel->GetCommandLine(), QStringList{QString()});
    vb::setCommand(QStringLiteral(" \t "));
    EXPECT_EQ(m_panel->GetCommandLine(), QStringList{QString()});
}

} // namespace
