// The rule for work that would start a road while another runs: ticks find Road::running() while
// any road runs, marked or not, and deferred work starts from the top-level event loop, in order,
// once nothing runs.
#include "platform/ui/Road.h"
#include "platform/vb/EventWait.h"
#include "platform/vb/VbError.h"

#include "ScriptedMessages.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using ui::Road;

namespace {

QString g_ran;

// Deferred work that notes its letter when it runs.
void defer(char letter)
{
    Road::whenFree([letter] { g_ran += QLatin1Char(letter); });
}

using During = std::function<void()>;

// Runs `during` from the event loop that `exec` runs, then leaves it with `leave`.
void inLoop(const During& during, const std::function<void()>& exec, const std::function<void()>& leave)
{
    QTimer::singleShot(0, [&] {
        during();
        leave();
    });
    exec();
}

} // namespace

TEST(Road, DeferredWorkRunsFromTheEventLoopInOrderPastWorkThatRaises)
{
    testing_support::ScriptedMessages messages;
    const vb::Error error = vb::Error::runtime(vb::err::FileNotFound, QStringLiteral("Test"));
    g_ran.clear();
    defer('a');
    Road::whenFree([error] {
        g_ran += u'b';
        defer('d'); // behind the work deferred before
        throw error;
    });
    defer('c');
    EXPECT_TRUE(g_ran.isEmpty()) << "never inside the caller";
    messages.ok();
    QCoreApplication::processEvents();
    EXPECT_EQ(g_ran, QStringLiteral("abcd"));
    EXPECT_EQ(messages.texts(), QStringList{error.report()});
}

// Every kind of road, none but the first marked by its caller: while it runs, a tick finds the
// program running and deferred work waits until it has ended. The loop Road::exec runs is none.
TEST(Road, EveryNestedLoopAndHandRunWaitIsARoad)
{
    const struct
    {
        const char* road;
        std::function<void(const During&)> run;
        bool bRoad = true;
    } roads[] = {
        {"a marked road in a marked road",
         [](const During& during) {
             const Road outer;
             {
                 const Road inner;
                 during();
             }
             QCoreApplication::processEvents();
             EXPECT_TRUE(g_ran.isEmpty()) << "ran once the inner road ended, inside the outer one";
         }},
        {"a wait outside any road",
         [](const During& during) {
             const vb::EventWait waiting;
             during();
         }},
        {"a modal dialog",
         [](const During& during) {
             QDialog dialog;
             inLoop(
                 during, [&] { dialog.exec(); }, [&] { dialog.accept(); });
         }},
        {"an event loop of its own, as a drag runs on X11",
         [](const During& during) {
             QEventLoop loop;
             inLoop(
                 during, [&] { loop.exec(); }, [&] { loop.quit(); });
         }},
        {"the top-level loop", [](const During& during) { inLoop(during, Road::exec, QCoreApplication::quit); }, false},
    };
    for (const auto& r : roads) {
        SCOPED_TRACE(r.road);
        g_ran.clear();
        bool bRunning = !r.bRoad;
        r.run([&] {
            bRunning = Road::running();
            defer('w');
            QCoreApplication::processEvents();
            EXPECT_EQ(g_ran.isEmpty(), r.bRoad);
        });
        EXPECT_EQ(bRunning, r.bRoad);
        EXPECT_FALSE(Road::running());
        QCoreApplication::processEvents();
        EXPECT_EQ(g_ran, QStringLiteral("w"));
    }
}
