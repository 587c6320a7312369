#include "platform/ui/Clock.h"
#include "platform/ui/Timer.h"

#include "FakeClock.h"
#include "QtPrinters.h"

#include <QTest>

#include <gtest/gtest.h>

using testing_support::FakeClock;

TEST(FakeClockTimers, FireAtTheirIntervalsInTimeOrder)
{
    FakeClock clock(1000);
    ui::Timer scan(nullptr, 200);
    ui::Timer deferred(nullptr, 150);
    QList<std::pair<QString, qint64>> ticks;
    QObject::connect(&scan, &ui::Timer::tick, [&] { ticks.append({QStringLiteral("scan"), clock.msecs()}); });
    QObject::connect(&deferred, &ui::Timer::tick, [&] { ticks.append({QStringLiteral("deferred"), clock.msecs()}); });

    clock.advance(1000);
    EXPECT_TRUE(ticks.isEmpty()); // all off until started
    scan.setEnabled(true);
    deferred.setEnabled(true);
    clock.advance(450);
    const QList<std::pair<QString, qint64>> expected = {{QStringLiteral("deferred"), 2150},
                                                        {QStringLiteral("scan"), 2200},
                                                        {QStringLiteral("deferred"), 2300},
                                                        {QStringLiteral("scan"), 2400},
                                                        {QStringLiteral("deferred"), 2450}};
    EXPECT_EQ(ticks, expected);
    EXPECT_EQ(clock.msecs(), 2450);
}

TEST(FakeClockTimers, EnablingOrANewIntervalRestartsTheCount)
{
    FakeClock clock;
    ui::Timer t(nullptr, 100);
    int ticks = 0;
    QObject::connect(&t, &ui::Timer::tick, [&] { ++ticks; });
    t.setEnabled(true);
    clock.advance(90);
    t.setEnabled(true); // restarts
    clock.advance(90);
    EXPECT_EQ(ticks, 0);
    clock.advance(10);
    EXPECT_EQ(ticks, 1);
    t.setInterval(0); // an interval of 0 stops it
    clock.advance(1000);
    EXPECT_EQ(ticks, 1);
    t.setInterval(50);
    clock.advance(100);
    EXPECT_EQ(ticks, 3);
    t.setEnabled(false);
    clock.advance(1000);
    EXPECT_EQ(ticks, 3);
}

TEST(FakeClockTimers, AHandlerMayStopItsTimerOrDestroyIt)
{
    FakeClock clock;
    ui::Timer stopping(nullptr, 100);
    int stops = 0;
    QObject::connect(&stopping, &ui::Timer::tick, [&] {
        ++stops;
        stopping.setEnabled(false);
    });
    stopping.setEnabled(true);
    auto* doomed = new ui::Timer(nullptr, 100);
    QObject::connect(doomed, &ui::Timer::tick, [doomed] { delete doomed; });
    doomed->setEnabled(true);
    clock.advance(1000);
    EXPECT_EQ(stops, 1);
}

// The serial capture's rule: wait until no new byte came for 0.2 s, at most 5 s.
TEST(FakeClockTimers, AWaitLoopWithDoEventsRunsWithoutRealTime)
{
    FakeClock clock;
    int bytes = 0;
    for (qint64 t = 0; t <= 1000; t += 100) // bytes keep arriving for one second
        clock.at(t, [&] { ++bytes; });

    const double deadline = clock.seconds() + 5;
    double quietUntil = 0;
    int lastCount = -1;
    bool settled = false;
    while (!settled && clock.seconds() <= deadline) {
        ui::doEvents();
        if (bytes != lastCount) {
            lastCount = bytes;
            quietUntil = clock.seconds() + 0.2;
        } else if (clock.seconds() > quietUntil) {
            settled = true;
        }
    }
    EXPECT_TRUE(settled);
    EXPECT_EQ(bytes, 11);
    EXPECT_GT(clock.msecs(), 1200);
    EXPECT_LE(clock.msecs(), 1220);

    // With no end of data, the 5 s deadline ends the wait.
    ui::Timer flood(nullptr, 50);
    QObject::connect(&flood, &ui::Timer::tick, [&] { ++bytes; });
    flood.setEnabled(true);
    const qint64 start = clock.msecs();
    while (clock.msecs() - start <= 5000)
        ui::waitEvents(10);
    EXPECT_GE(bytes, 100);
}

TEST(FakeClockTimers, ATickDoesNotStartAgainWhileItsHandlerWaits)
{
    FakeClock clock;
    ui::Timer t(nullptr, 200);
    int entered = 0;
    int depth = 0;
    int maxDepth = 0;
    QObject::connect(&t, &ui::Timer::tick, [&] {
        ++entered;
        maxDepth = std::max(maxDepth, ++depth);
        const qint64 until = clock.msecs() + 1000;
        while (clock.msecs() < until)
            ui::doEvents();
        --depth;
    });
    t.setEnabled(true);
    clock.advance(2000);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_GE(entered, 2);
}

TEST(RealClockTimers, TickOnTheEventLoop)
{
    ASSERT_FALSE(ui::clock().schedulesTimers());
    const qint64 start = ui::clock().msecs();
    ui::Timer t(nullptr, 5);
    int ticks = 0;
    QObject::connect(&t, &ui::Timer::tick, [&] { ++ticks; });
    t.setEnabled(true);
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= 2, 10000);
    t.setEnabled(false);
    EXPECT_GE(ui::clock().msecs() - start, 5);
}
