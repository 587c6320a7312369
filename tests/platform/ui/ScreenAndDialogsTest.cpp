#include "platform/ui/BusyCursor.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ToolTips.h"

#include "QtPrinters.h"

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include <gtest/gtest.h>

TEST(Screen, FifteenTwipsAPixelAtNinetySixDotsAnInch)
{
    ASSERT_EQ(QGuiApplication::primaryScreen()->logicalDotsPerInchX(), 96);
    EXPECT_EQ(ui::twipsPerPixelX(), 15);
    EXPECT_EQ(ui::twipsPerPixelY(), 15);
    EXPECT_EQ(ui::twipsToPixelsX(1440), 96);
    EXPECT_EQ(ui::twipsToPixelsY(4680), 312);
    EXPECT_EQ(ui::twipsToPixelsX(22.5), 2); // 1.5 px: halves go to the even neighbour
    EXPECT_EQ(ui::twipsToPixelsX(37.5), 2); // 2.5 px
    EXPECT_EQ(ui::pixelsToTwipsX(96), 1440);
}

TEST(BusyCursor, ComesBackOnEveryPath)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        ui::BusyCursor busy;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    try {
        ui::BusyCursor busy;
        throw std::runtime_error("failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(FileDialogs, FiltersAreTurnedIntoQtForm)
{
    EXPECT_EQ(ui::qtFileFilter(QStringLiteral("Tessaline Impression (*.imf)|*.imf|All files (*.*)|*.*")),
              QStringLiteral("Tessaline Impression (*.imf);;All files (*.*)"));
    EXPECT_EQ(ui::qtFileFilter(QStringLiteral("Bitmaps|*.bmp;*.dib")), QStringLiteral("Bitmaps (*.bmp *.dib)"));
    EXPECT_EQ(ui::qtFileFilter(QString()), QString());
}

TEST(ToolTips, AnEmptiedToolbarButtonShowsNoTip)
{
    QWidget form;
    auto* edit = new QLineEdit(&form);
    edit->setObjectName(QStringLiteral("txtNamFirst"));
    auto* bar = new QToolBar(&form);
    bar->setObjectName(QStringLiteral("Toolbar1"));
    QAction* open = bar->addAction(QStringLiteral("Open"));
    bar->addSeparator();
    QAction* scan = bar->addAction(QStringLiteral("Scan"));
    scan->setToolTip(QStringLiteral("Scan a card"));

    EXPECT_EQ(ui::toolTipControls(&form), (QList<QObject*>{edit, bar, open, scan}));
    EXPECT_EQ(ui::toolTipControls(&form, false), (QList<QObject*>{edit, bar}));

    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(scan));
    ASSERT_TRUE(button);
    form.show();
    auto hover = [button] {
        QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(button, &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };

    // Emptied, the button would fall back to its text ("Scan") as the tip; it shows none.
    ui::setToolTipOf(scan, QString());
    EXPECT_EQ(ui::toolTipOf(scan), QString());
    EXPECT_EQ(hover(), QString());

    ui::setToolTipOf(scan, QStringLiteral("Scan a card"));
    EXPECT_EQ(ui::toolTipOf(scan), QStringLiteral("Scan a card"));
    EXPECT_EQ(hover(), QStringLiteral("Scan a card"));
    QToolTip::hideText();
}
