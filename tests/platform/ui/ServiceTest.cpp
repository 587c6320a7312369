#include "platform/service/Service.h"
#include "platform/shell/HelpService.h"
#include "platform/ui/Beeper.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/CursorService.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <optional>

namespace {

struct Greeter
{
    virtual ~Greeter() = default;
    virtual int id() const = 0;
};

struct NumberedGreeter : Greeter
{
    explicit NumberedGreeter(int n) : n(n) {}
    int id() const override { return n; }
    int n;
};

Greeter& realGreeter()
{
    static NumberedGreeter real(0);
    return real;
}

constinit service::Service<Greeter> greeter(&realGreeter);

} // namespace

TEST(Service, OverridesComeBackInAnyOrder)
{
    NumberedGreeter one(1), two(2), three(3);
    EXPECT_EQ(greeter().id(), 0);
    EXPECT_EQ(greeter.replacement(), nullptr);
    {
        auto first = greeter.replace(one);
        EXPECT_EQ(greeter().id(), 1);
        {
            auto second = greeter.replace(two);
            EXPECT_EQ(greeter().id(), 2);
        }
        EXPECT_EQ(greeter().id(), 1);
    }
    EXPECT_EQ(greeter().id(), 0);

    // An earlier override ending first: the later one stays in force, and its end restores
    // what was there before both.
    std::optional<service::Service<Greeter>::Override> first(greeter.replace(one));
    std::optional<service::Service<Greeter>::Override> second(greeter.replace(two));
    first.reset();
    EXPECT_EQ(greeter().id(), 2);
    auto third = greeter.replace(three);
    second.reset();
    EXPECT_EQ(greeter().id(), 3);
    third.end();
    EXPECT_EQ(greeter().id(), 0);

    // A moved override still ends once.
    std::optional<service::Service<Greeter>::Override> moved;
    {
        auto original = greeter.replace(one);
        moved.emplace(std::move(original));
    }
    EXPECT_EQ(greeter().id(), 1);
    moved.reset();
    EXPECT_EQ(greeter().id(), 0);

    // set() installs for good and says what it displaced; the fallback stays reachable.
    EXPECT_EQ(greeter.set(&two), nullptr);
    EXPECT_EQ(greeter.set(nullptr), &two);
    EXPECT_EQ(greeter.fallback().id(), 0);
}

namespace {

class CountingCursor : public ui::CursorService
{
public:
    void showBusy() override { ++depth; }
    void restore() override { --depth; }
    int depth = 0;
};

class CountingBeeper : public ui::Beeper
{
public:
    void beep() override { ++beeps; }
    int beeps = 0;
};

} // namespace

TEST(Service, TheBusyCursorAndTheBeepGoThroughTheirServices)
{
    CountingCursor cursor;
    {
        auto installed = ui::cursorService.replace(cursor);
        ui::BusyCursor outer;
        {
            ui::BusyCursor inner;
            EXPECT_EQ(cursor.depth, 2);
        }
        EXPECT_EQ(cursor.depth, 1);
    }
    EXPECT_EQ(cursor.depth, 0);

    CountingBeeper beeper;
    auto installed = ui::beeper.replace(beeper);
    ui::beep();
    EXPECT_EQ(beeper.beeps, 1);
}

TEST(Service, TestsFailOnAnUnscriptedBeepOrHelp)
{
    EXPECT_NONFATAL_FAILURE(ui::beep(), "unscripted use of the beep");
    EXPECT_NONFATAL_FAILURE(shell::helpService().showTopic(64), "unscripted use of help: topic 64");
}
