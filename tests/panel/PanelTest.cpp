// The panel's start-up, buttons, place on the screen, tray mode and closing.
#include "PanelFixture.h"

#include "common/ProgramEdition.h"
#include "common/frmAbout.h"
#include "common/frmConfigWizard.h"
#include "common/frmPreferences.h"
#include "panel/CaptionStrip.h"
#include "platform/shell/Desktop.h"
#include "platform/ui/Beeper.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Timer.h"

#include "WholeCaptions.h"
#include "WidgetDriver.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QToolButton>
#include <QtTest/QTest>

using testing_support::click;
using testing_support::control;
using testing_support::trigger;

namespace {

class PanelTest : public PanelFixture
{
protected:
    bool shown(const QString& name) const { return !control<QWidget>(m_panel, name)->isHidden(); }
};

// Hands every event of a widget to a function before the widget sees it.
class EventSpy : public QObject
{
public:
    EventSpy(QObject* watched, std::function<void(QObject*, QEvent*)> spy) : m_spy(std::move(spy))
    {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        m_spy(watched, event);
        return false;
    }

private:
    std::function<void(QObject*, QEvent*)> m_spy;
};

// Counts the beeps instead of sounding them.
class CountedBeeps : public ui::Beeper
{
public:
    void beep() override { ++count; }
    int count = 0;

private:
    service::Service<ui::Beeper>::Override m_installed = ui::beeper.replace(*this);
};

TEST_F(PanelTest, TheButtonsFollowTheInstalledPrograms)
{
    install(QStringLiteral("Quorvane.exe"));
    setSetting(QStringLiteral("Preferences"), QStringLiteral("Show In Systray"), QStringLiteral("0"));
    start();
    ASSERT_FALSE(m_panel->hasEnded());
    EXPECT_TRUE(m_panel->isVisible());
    EXPECT_TRUE(shown(QStringLiteral("cmdLaunchQVN")));
    EXPECT_FALSE(shown(QStringLiteral("cmdLaunchTSN")));
    EXPECT_FALSE(shown(QStringLiteral("cmdLaunchBMK")));
    EXPECT_FALSE(shown(QStringLiteral("cmdLaunchKLV")));
    // The default scanner is TWAIN: its scan button.
    EXPECT_TRUE(shown(QStringLiteral("cmdScan(0)")));
    EXPECT_EQ(m_panel->Width(), 1774);
    EXPECT_EQ(m_panel->width(), ui::twipsToPixelsX(1774));
    EXPECT_EQ(m_panel->cmdLaunchQVN->geometry().left(), ui::twipsToPixelsX(852));
    EXPECT_EQ(m_panel->cmdScan[0]->property("Tag").toString(), QStringLiteral("1"));
    EXPECT_EQ(m_panel->cmdLaunchTSN->property("Tag").toString(), QStringLiteral("0"));
    EXPECT_EQ(m_panel->cmdLaunchQVN->toolTip(),
              QStringLiteral("Left click: Go To Quorvane. Right click: options and actions."));
    EXPECT_TRUE(m_panel->mnuStartQVN->isEnabled());
    EXPECT_FALSE(m_panel->mnuStartTSN->isEnabled());
    EXPECT_FALSE(m_panel->mnuStartKLV->isVisible());
    EXPECT_TRUE(m_panel->isServingCommandLines());
    ui::unload(*m_panel);

    install(QStringLiteral("Tessaline.exe"));
    const QString brindlemark = install(QStringLiteral("Brindlemark.exe"));
    start();
    EXPECT_TRUE(shown(QStringLiteral("cmdLaunchTSN")));
    EXPECT_FALSE(shown(QStringLiteral("cmdLaunchBMK"))) << "Tessaline stands in for Brindlemark";
    EXPECT_TRUE(m_panel->mnuStartBMK->isEnabled());
    EXPECT_EQ(m_panel->Width(), 3 * 852 + 70);
    trigger(m_panel, QStringLiteral("mnuStartBMK"));
    ASSERT_EQ(m_desktop.starts().size(), 1);
    EXPECT_EQ(m_desktop.starts().at(0).program, brindlemark);
}

TEST_F(PanelTest, EveryFormShowsItsCaptionsWhole)
{
    for (const char* program : {"Quorvane.exe", "Brindlemark.exe", "Kelvadon.exe"})
        install(QString::fromLatin1(program));
    setSetting(QStringLiteral("Preferences"), QStringLiteral("Show In Systray"), QStringLiteral("0"));
    start();
    ASSERT_TRUE(shown(QStringLiteral("cmdLaunchBMK")) && shown(QStringLiteral("cmdLaunchKLV")));
    const PreferencesEdition& preferences = *modMainHelper::programEdition().preferences;
    const QStringList cut = testing_support::notShownWhole(
        {m_panel, new frmAbout, new frmPreferences(preferences), new frmConfigWizard(preferences)});
    EXPECT_TRUE(cut.isEmpty()) << cut.join(u'\n').toStdString();
}

TEST_F(PanelTest, WithoutTessalineOrQuorvaneTheProgramEndsBeforeShowingOrWritingAnything)
{
    install(QStringLiteral("Brindlemark.exe"));
    install(QStringLiteral("Kelvadon.exe"));
    setSetting(QStringLiteral("App Info"), QStringLiteral("Window Left"), QStringLiteral(" 400"));
    const QByteArray before = settingsFile();
    m_messages.ok();
    start();
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_EQ(m_messages.last().text,
              QStringLiteral("Neither Tessaline, nor Quorvane were found\r\rPlease re-install."));
    EXPECT_EQ(m_messages.last().icon, ui::Icon::Critical);
    EXPECT_TRUE(m_panel->hasEnded());
    EXPECT_FALSE(m_panel->isVisible());
    EXPECT_FALSE(m_panel->isServingCommandLines());
    EXPECT_EQ(m_tray.adds(), 0);
    QFile leftOver(workFile(QStringLiteral("tmpsymbol.bmp")));
    ASSERT_TRUE(leftOver.open(QIODevice::WriteOnly));
    leftOver.close();
    ui::unload(*m_panel);
    EXPECT_EQ(settingsFile(), before);
    EXPECT_TRUE(QFile::exists(leftOver.fileName())) << "the work folder may be a running copy's";
}

TEST_F(PanelTest, StartUpHidesThePanelOnlyInTrayModeAndNeverAgainstShow)
{
    install(QStringLiteral("Quorvane.exe"));
    struct Case
    {
        const char* systray;
        const char* startState;
        const char* closeState;
        const char* commandLine;
        bool hidden;
    };
    const Case cases[] = {
        {"1", " 0", " 0", "", true},  {"1", " 1", " 0", "", false},      {"1", " 2", " 1", "", true},
        {"1", " 2", " 0", "", false}, {"1", " 0", " 0", "/Show", false}, {"1", " 2", " 1", "x /sHoW", false},
        {"0", " 0", " 1", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.systray) + c.startState + c.closeState + " '" + c.commandLine + "'");
        setSetting(QStringLiteral("Preferences"), QStringLiteral("Show In Systray"), QString::fromLatin1(c.systray));
        setSetting(QStringLiteral("Preferences"), QStringLiteral("Start Window State"),
                   QString::fromLatin1(c.startState));
        setSetting(QStringLiteral("App Info"), QStringLiteral("Window Close State"), QString::fromLatin1(c.closeState));
        start(QString::fromLatin1(c.commandLine));
        EXPECT_EQ(m_panel->isVisible(), !c.hidden);
        EXPECT_EQ(m_panel->varTrayIconShown, c.systray[0] == '1');
        EXPECT_EQ(m_panel->mnuPopupSystrayMinimize->isEnabled(), c.systray[0] == '1');
        ui::unload(*m_panel);
        EXPECT_EQ(setting(QStringLiteral("App Info"), QStringLiteral("Window Close State")),
                  c.hidden ? QStringLiteral(" 1") : QStringLiteral(" 0"));
    }
    EXPECT_FALSE(m_tray.isIconShown()) << "the unload takes the icon away";

    // No notification area: the panel shows and closes as without tray mode, the setting stays.
    m_tray.setAvailable(false);
    setSetting(QStringLiteral("Preferences"), QStringLiteral("Show In Systray"), QStringLiteral("1"));
    setSetting(QStringLiteral("Preferences"), QStringLiteral("Start Window State"), QStringLiteral(" 0"));
    const int adds = m_tray.adds();
    start();
    EXPECT_TRUE(m_panel->isVisible());
    EXPECT_FALSE(m_panel->mnuPopupSystrayMinimize->isEnabled());
    EXPECT_EQ(m_tray.adds(), adds);
    m_panel->close();
    EXPECT_FALSE(m_panel && ui::isLoaded(*m_panel)) << "the close box unloads";
    EXPECT_EQ(setting(QStringLiteral("Preferences"), QStringLiteral("Show In Systray")), QStringLiteral("1"));
}

TEST_F(PanelTest, TheStoredPlaceIsKeptOnTheScreenAndStoredAtExit)
{
    install(QStringLiteral("Quorvane.exe"));
    setSetting(QStringLiteral("Preferences"), QStringLiteral("Show In Systray"), QStringLiteral("1"));
    setSetting(QStringLiteral("Preferences"), QStringLiteral("Start Window State"), QStringLiteral(" 1"));
    setSetting(QStringLiteral("App Info"), QStringLiteral("Window Left"), QStringLiteral(" 999999"));
    setSetting(QStringLiteral("App Info"), QStringLiteral("Window Top"), QStringLiteral("-500"));
    start();
    const double expectedLeft = ui::screenWidthTwips() - 1774;
    EXPECT_EQ(m_panel->Left(), expectedLeft);
    EXPECT_EQ(m_panel->Top(), 0);
    EXPECT_EQ(m_panel->pos(), QPoint(ui::twipsToPixelsX(expectedLeft), 0));
    trigger(m_panel, QStringLiteral("mnuExit"));
    EXPECT_FALSE(m_panel && ui::isLoaded(*m_panel));
    EXPECT_EQ(setting(QStringLiteral("App Info"), QStringLiteral("Window Left")),
              QStringLiteral(" ") + QString::number(qRound(expectedLeft)));
    EXPECT_EQ(setting(QStringLiteral("App Info"), QStringLiteral("Window Top")), QStringLiteral(" 0"));
    EXPECT_EQ(setting(QStringLiteral("App Info"), QStringLiteral("Window Close State")), QStringLiteral(" 0"));

    // Below the bottom edge, then moved by the user.
    setSetting(QStringLiteral("App Info"), QStringLiteral("Window Top"), QStringLiteral(" 999999"));
    setSetting(QStringLiteral("App Info"), QStringLiteral("Window Left"), QStringLiteral(" 1500"));
    start();
    EXPECT_EQ(m_panel->Top(), ui::screenHeightTwips() - m_panel->Height());
    EXPECT_EQ(m_panel->Left(), 1500);
    m_panel->move(20, 30);
    ui::unload(*m_panel);
    EXPECT_EQ(setting(QStringLiteral("App Info"), QStringLiteral("Window Left")),
              QStringLiteral(" ") + QString::number(qRound(ui::pixelsToTwipsX(20))));
    EXPECT_EQ(setting(QStringLiteral("App Info"), QStringLiteral("Window Top")),
              QStringLiteral(" ") + QString::number(qRound(ui::pixelsToTwipsY(30))));
}

TEST_F(PanelTest, LaunchButtonsStartTheRegisteredProgramOnlyWhenThePanelIsReady)
{
    const QString quorvane = install(QStringLiteral("Quorvane.exe"));
    start();
    click(m_panel, QStringLiteral("cmdLaunchQVN"));
    ASSERT_EQ(m_desktop.starts().size(), 1);
    EXPECT_EQ(m_desktop.starts().at(0).program, quorvane);
    EXPECT_TRUE(m_panel->boolReady);

    m_panel->boolReady = false;
    click(m_panel, QStringLiteral("cmdLaunchQVN"));
    EXPECT_EQ(m_desktop.starts().size(), 1) << "a busy panel ignores the button";
    trigger(m_panel, QStringLiteral("mnuStartQVN"));
    EXPECT_EQ(m_desktop.starts().size(), 2) << "Go To does not look at the panel";
    m_panel->boolReady = true;

    // Gone since start-up: the launcher finds no path.
    ASSERT_TRUE(QFile::remove(quorvane));
    m_desktop.nextStart(shell::StartResult{shell::StartStatus::InvalidArgument, 0, QString()});
    m_messages.ok();
    click(m_panel, QStringLiteral("cmdLaunchQVN"));
    EXPECT_TRUE(m_messages.last().text.startsWith(QStringLiteral("Inconsistent state: Quorvane not found.\r\r")));
    EXPECT_TRUE(m_panel->boolReady);
}

TEST_F(PanelTest, TrayModeAddsOneIconAndItsClicksRestoreThePanel)
{
    install(QStringLiteral("Quorvane.exe"));
    start();
    ASSERT_FALSE(m_panel->isVisible()) << "tray mode, start state Minimized";
    EXPECT_EQ(m_tray.adds(), 1);
    EXPECT_EQ(m_tray.tip(), QStringLiteral("Zephlorin"));
    EXPECT_FALSE(m_tray.icon().isNull());
    m_panel->commitPreferences();
    EXPECT_EQ(m_tray.adds(), 1) << "one icon at most";

    // A context click: the tray shows the panel's own menu items, prepared for a hidden panel,
    // once, and the panel stays hidden.
    QMenu* menu = m_tray.menu();
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->actions(), m_panel->mnuPopupSystray->actions());
    QAction* restore = m_panel->mnuPopupSystrayRestore;
    QAction* minimize = m_panel->mnuPopupSystrayMinimize;
    auto itemStates = [menu] {
        QList<bool> states;
        for (QAction* item : menu->actions())
            states.append(item->isEnabled());
        return states;
    };
    int menusShown = 0;
    QObject::connect(menu, &QMenu::aboutToShow, menu, [&menusShown] { ++menusShown; });
    m_tray.click(ui::TrayService::RightButtonUp);
    EXPECT_EQ(menusShown, 1) << "one menu for one click";
    ASSERT_TRUE(menu->isVisible());
    EXPECT_TRUE(restore->isVisible());
    EXPECT_FALSE(minimize->isVisible());
    EXPECT_FALSE(m_panel->isVisible());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(restore).center());
    EXPECT_FALSE(menu->isVisible());
    EXPECT_TRUE(m_panel->isVisible());
    // Tray mode survives the item the menu hid: the close box hides.
    m_panel->close();
    ASSERT_TRUE(m_panel && ui::isLoaded(*m_panel));
    EXPECT_FALSE(m_panel->isVisible());
    m_tray.click(ui::TrayService::LeftButtonDoubleClick);
    EXPECT_TRUE(m_panel->isVisible());
    m_tray.click(ui::TrayService::RightButtonUp);
    EXPECT_FALSE(restore->isVisible());
    EXPECT_TRUE(minimize->isVisible());
    menu->hide();

    // While the About box is up: no restore, one beep per click, a menu of disabled items.
    const QList<bool> ownStates = itemStates();
    CountedBeeps beeps;
    m_panel->hide();
    m_modals.then([&](ui::Form& about) {
        m_tray.click(ui::TrayService::LeftButtonDoubleClick);
        EXPECT_EQ(beeps.count, 1);
        EXPECT_FALSE(m_panel->isVisible());
        m_tray.click(ui::TrayService::RightButtonUp);
        EXPECT_EQ(beeps.count, 2);
        EXPECT_TRUE(menu->isVisible());
        EXPECT_EQ(itemStates(), QList<bool>(ownStates.size(), false));
        menu->hide();
        click(about.widget(), QStringLiteral("cmdOK"));
    });
    trigger(m_panel, QStringLiteral("mnuHelpAbout"));
    EXPECT_EQ(itemStates(), ownStates);
    EXPECT_FALSE(m_panel->isVisible());
    m_tray.click(ui::TrayService::LeftButtonUp);
    EXPECT_TRUE(m_panel->isVisible());

    // Exit always ends.
    m_panel->hide();
    QDir work(QFileInfo(workFile(QStringLiteral("x"))).path());
    for (const char* name : {"tmpsymbol.bmp", "tmpsymbol.vcf", "SmallBMP1.bmp", "SmallBMP2.vcf", "BigBMP.bmp"}) {
        QFile file(work.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QFile keep(work.filePath(QStringLiteral("other.bmp")));
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    trigger(m_panel, QStringLiteral("mnuExit"));
    EXPECT_FALSE(m_panel && ui::isLoaded(*m_panel));
    EXPECT_FALSE(m_tray.isIconShown());
    EXPECT_EQ(work.entryList(QDir::Files), QStringList{QStringLiteral("other.bmp")});
    EXPECT_EQ(setting(QStringLiteral("App Info"), QStringLiteral("Window Close State")), QStringLiteral(" 1"));
}

TEST_F(PanelTest, TheCaptionStripsRightButtonPopsUpThePanelMenuUntilTheUnload)
{
    install(QStringLiteral("Quorvane.exe"));
    m_panel = new frmZephlorin;
    QWidget* strip = m_panel->caption;
    // Watching the strip from before the hook: what the hook lets through reaches it.
    QList<Qt::MouseButton> pressesOnStrip;
    EventSpy spy(strip, [&pressesOnStrip](QObject*, QEvent* event) {
        if (event->type() == QEvent::MouseButtonPress)
            pressesOnStrip.append(static_cast<QMouseEvent*>(event)->button());
    });
    ui::load(*m_panel);
    m_tray.click(ui::TrayService::LeftButtonUp);
    QMenu* menu = m_panel->mnuPopupSystray;
    const QPoint inside(strip->width() / 3, strip->height() / 2);
    QTest::mousePress(strip, Qt::RightButton, {}, inside);
    EXPECT_FALSE(menu->isVisible()) << "the release opens it";
    QTest::mouseRelease(strip, Qt::RightButton, {}, inside);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_TRUE(m_panel->mnuPopupSystrayMinimize->isVisible());
    EXPECT_TRUE(m_panel->mnuPopupSystrayMinimize->isEnabled()) << "tray mode";
    EXPECT_FALSE(m_panel->mnuPopupSystrayRestore->isVisible());
    menu->hide();
    QTest::mouseClick(strip, Qt::LeftButton, {}, inside);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(pressesOnStrip, QList<Qt::MouseButton>{Qt::LeftButton}) << "the right press is swallowed";

    // Drags with the pointer on the screen: each moves the panel by the pointer's own motion.
    auto drag = [strip](Qt::MouseButton button, QPoint from, QPoint motion) {
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseButtonRelease}) {
            const QPoint at = type == QEvent::MouseButtonPress ? from : from + motion;
            QMouseEvent event(type, strip->mapFromGlobal(at), at, type == QEvent::MouseMove ? Qt::NoButton : button,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : button, {});
            QCoreApplication::sendEvent(strip, &event);
        }
    };
    const QPoint start = m_panel->pos();
    const QPoint grip = strip->mapToGlobal(inside);
    drag(Qt::LeftButton, grip, {40, 30});
    EXPECT_EQ(m_panel->pos(), start + QPoint(40, 30));
    drag(Qt::LeftButton, grip + QPoint(60, 70), {-15, 5});
    EXPECT_EQ(m_panel->pos(), start + QPoint(25, 35)) << "from this press, not the previous one";
    drag(Qt::RightButton, grip, {50, 50});
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(m_panel->pos(), start + QPoint(25, 35)) << "a right press never moves it";
    menu->hide();

    ui::unload(*m_panel);
    ASSERT_TRUE(m_panel) << "deleted later";
    QTest::mouseClick(strip, Qt::RightButton, {}, inside);
    EXPECT_FALSE(menu->isVisible()) << "unhooked";
    EXPECT_EQ(pressesOnStrip.size(), 4);
}

} // namespace

namespace {

TEST_F(PanelTest, ARightClickOnAButtonPopsUpTheMenuWhoseItemsTellTheirHelpTopics)
{
    install(QStringLiteral("Quorvane.exe"));
    setSetting(QStringLiteral("Preferences"), QStringLiteral("Show In Systray"), QStringLiteral("0"));
    start();
    QTest::mouseClick(m_panel->cmdLaunchQVN, Qt::RightButton);
    QMenu* menu = m_panel->mnuPopupSystray;
    ASSERT_TRUE(menu->isVisible());
    EXPECT_FALSE(m_panel->mnuPopupSystrayRestore->isVisible());
    EXPECT_TRUE(m_panel->mnuPopupSystrayMinimize->isVisible());
    EXPECT_FALSE(m_panel->mnuPopupSystrayMinimize->isEnabled()) << "no tray mode";
    QStringList captions;
    for (QAction* action : menu->actions())
        captions.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Shrink to system tray"), QStringLiteral("Restore"),
                                     QStringLiteral("-"), QStringLiteral("&Scan"), QStringLiteral("Scanner Port"),
                                     QStringLiteral("-"), QStringLiteral("I&mport"), QStringLiteral("-"),
                                     QStringLiteral("P&references"), QStringLiteral("&Go To"), QStringLiteral("&Help"),
                                     QStringLiteral("-"), QStringLiteral("Exit")}));
    menu->setActiveAction(m_panel->mnuScan);
    QTest::keyClick(menu, Qt::Key_F1);
    menu->setActiveAction(m_panel->mnuExit);
    QTest::keyClick(menu, Qt::Key_F1);
    menu->close();
    QMenu* help = m_panel->mnuPopupSystrayHelp;
    help->popup(QPoint(0, 0));
    for (QAction* item : {m_panel->mnuPopupHelpZephlorin, m_panel->mnuHelpGettingstarted, m_panel->mnuHelpAbout}) {
        help->setActiveAction(item);
        QTest::keyClick(help, Qt::Key_F1);
    }
    help->close();
    EXPECT_EQ(m_help.topics(), (QList<int>{61, 12, 10009, 10004, 9}));
    EXPECT_EQ(m_panel->mnuPopupHelpZephlorin->text(), QStringLiteral("&Zephlorin"));

    trigger(m_panel, QStringLiteral("mnuPopupHelpZephlorin"));
    trigger(m_panel, QStringLiteral("mnuHelpContentsandindex"));
    EXPECT_EQ(m_help.topics().mid(5), (QList<int>{10009, 0}));
}

} // namespace
