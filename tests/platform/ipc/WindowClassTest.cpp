#include "platform/ipc/WindowClass.h"

#include "PeerProcess.h"

#include <gtest/gtest.h>

using namespace ipc;

TEST(WindowClass, AnotherProcessFindsTheClassAndBringsItsWindowForward)
{
    const QString cardScan = QStringLiteral("COREX$CMainWindow");
    EXPECT_FALSE(WindowClass::isPresent(cardScan));
    {
        PeerProcess peer({QStringLiteral("window"), cardScan, QStringLiteral("CardScan")});
        ASSERT_TRUE(peer.waitFor(QStringLiteral("ready")));
        EXPECT_TRUE(WindowClass::isPresent(cardScan));
        EXPECT_TRUE(WindowClass::isPresent(QStringLiteral("corex$cmainwindow"), QStringLiteral("CARDSCAN")));
        EXPECT_FALSE(WindowClass::isPresent(cardScan, QStringLiteral("Another title")));
        EXPECT_FALSE(WindowClass::isPresent(cardScan, QStringLiteral("")));
        EXPECT_FALSE(WindowClass::isPresent(QStringLiteral("COREX$COtherWindow")));

        EXPECT_FALSE(WindowClass::activate(cardScan, QStringLiteral("Another title")));
        EXPECT_TRUE(WindowClass::activate(cardScan, QStringLiteral("CardScan")));
        EXPECT_TRUE(peer.waitFor(QStringLiteral("activated")));

        WindowClass rival(cardScan);
        EXPECT_FALSE(rival.announce()); // the class is taken while its program runs
        ASSERT_TRUE(peer.finish());
    }
    EXPECT_FALSE(WindowClass::isPresent(cardScan));

    // The class is free again; a program also finds its own announcement.
    WindowClass own(cardScan, QStringLiteral("Quorvane"));
    int activations = 0;
    QObject::connect(&own, &WindowClass::activateRequested, [&] { ++activations; });
    ASSERT_TRUE(own.announce()) << qPrintable(own.errorString());
    EXPECT_TRUE(WindowClass::isPresent(cardScan, QStringLiteral("quorvane")));
    EXPECT_TRUE(WindowClass::activate(cardScan));
    EXPECT_EQ(activations, 1);
    own.withdraw();
    EXPECT_FALSE(WindowClass::isPresent(cardScan));
}
