// The opponent boards' doors: what each door procedure does from each state, and the tick's
// steps on the fake clock (a row when more than 50 ms have passed, 23 steps a movement).

#include "engine/boarddoors.h"
#include "support/fakeclock.h"

#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::FakeClock;

constexpr NetDoor kClosed{};
constexpr NetDoor kOpen{ .Open = true, .Row = 0 };
constexpr NetDoor kOpening{ .Opening = true, .Row = 11, .LastStep = 900 };
constexpr NetDoor kClosing{ .Closing = true, .Row = 11, .LastStep = 900 };

bool same(const NetDoor& a, const NetDoor& b)
{
    return a.Open == b.Open && a.Opening == b.Opening && a.Closing == b.Closing && a.Row == b.Row
        && a.LastStep == b.LastStep;
}

std::string show(const NetDoor& d)
{
    return std::string(d.Open ? "open " : "") + (d.Opening ? "opening " : "") + (d.Closing ? "closing " : "")
        + "row " + std::to_string(d.Row) + " at " + std::to_string(d.LastStep);
}

TEST(BoardDoors, ProceduresFromEveryState)
{
    const FakeClock clock(5000);
    enum class Op { Lost, Taken, InUse, Free, Finish };
    struct Case {
        const char* what;
        NetDoor before;
        Op op;
        bool doorsOn;
        bool gameActive;
        NetDoor after;
        bool closingStarted = false;
    };
    const Case cases[] = {
        // It counts as open until the last step shuts it.
        { "an open door closes during a game", kOpen, Op::Lost, true, true,
            { .Open = true, .Closing = true, .Row = 0, .LastStep = 5000 }, true },
        { "an open door shuts at once without a game", kOpen, Op::Lost, true, false, { .Row = 22 } },
        { "with doors off it only stops being open", kOpen, Op::Lost, false, true, { .Row = 0 } },
        { "an opening door is left alone", kOpening, Op::Lost, true, true, kOpening },
        { "a closing door is left alone", kClosing, Op::Lost, true, true, kClosing },
        { "a closed door is left alone", kClosed, Op::Lost, true, true, kClosed },
        { "a taken slot opens from closed", kClosed, Op::Taken, true, true, { .Opening = true, .Row = 22 } },
        { "even a closing door opens from closed", kClosing, Op::Taken, true, true,
            { .Opening = true, .Row = 22 } },
        { "with doors off a taken slot is open", kClosed, Op::Taken, false, true,
            { .Open = true, .Row = 22 } },
        { "in use opens at once", kClosing, Op::InUse, true, true,
            { .Open = true, .Row = 0, .LastStep = 900 } },
        { "free shuts at once", kOpening, Op::Free, true, true, { .Row = 22, .LastStep = 900 } },
        { "finishing ends a closing door", kClosing, Op::Finish, true, true, { .Row = 22, .LastStep = 900 } },
        { "finishing leaves an opening door", kOpening, Op::Finish, true, true, kOpening },
    };
    for (const Case& c : cases) {
        NetDoor door = c.before;
        bool started = false;
        switch (c.op) {
        case Op::Lost: started = StartLostFieldAnimation(door, c.doorsOn, c.gameActive, clock.nowMs()); break;
        case Op::Taken: ResetLostFieldAnimation(door, c.doorsOn); break;
        case Op::InUse: setDoorOpen(door, true); break;
        case Op::Free: setDoorOpen(door, false); break;
        case Op::Finish: finishLostFieldAnimation(door); break;
        }
        EXPECT_TRUE(same(door, c.after)) << c.what << ": " << show(door);
        EXPECT_EQ(started, c.closingStarted) << c.what;
    }
}

TEST(BoardDoors, OpeningAndClosingTakeTwentyThreeStepsOfMoreThanFiftyMilliseconds)
{
    FakeClock clock(1000);
    NetDoors doors{};
    ResetLostFieldAnimation(doors[2], true);
    // The first step comes on the next tick; the door is drawn while it moves.
    int steps = 0;
    std::vector<int16_t> rows;
    while (!doors[2].Open) {
        const DoorSteps moved = stepDoors(doors, clock.nowMs());
        ASSERT_TRUE(moved.openingMoved);
        EXPECT_TRUE(moved.closingMoved.empty());
        ++steps;
        rows.push_back(doors[2].Row);
        // Exactly 50 ms later nothing moves; 51 ms later it does.
        clock.advance(50);
        EXPECT_FALSE(stepDoors(doors, clock.nowMs()).openingMoved);
        clock.advance(1);
        ASSERT_LE(steps, 30);
    }
    EXPECT_EQ(steps, 23);
    EXPECT_EQ(rows.front(), 21);
    EXPECT_EQ(rows[21], 0);
    EXPECT_TRUE(same(doors[2], { .Open = true, .Row = 0, .LastStep = doors[2].LastStep }));

    ASSERT_TRUE(StartLostFieldAnimation(doors[2], true, true, clock.nowMs()));
    steps = 0;
    while (!doors[2].isClosed()) {
        clock.advance(51);
        const DoorSteps moved = stepDoors(doors, clock.nowMs());
        EXPECT_EQ(moved.closingMoved, std::vector<int>{ 2 });
        EXPECT_FALSE(moved.openingMoved);
        ++steps;
        ASSERT_LE(steps, 30);
    }
    EXPECT_EQ(steps, 23);
    EXPECT_EQ(doors[2].Row, kNetDoorClosedRow);
    // Two opening doors out of step: the one that moved is drawn even when the later board's
    // door is not due yet.
    doors[1] = NetDoor{ .Opening = true, .Row = 10, .LastStep = clock.nowMs() - 60 };
    doors[4] = NetDoor{ .Opening = true, .Row = 10, .LastStep = clock.nowMs() - 10 };
    EXPECT_TRUE(stepDoors(doors, clock.nowMs()).openingMoved);
    EXPECT_EQ(doors[1].Row, 9);
    EXPECT_EQ(doors[4].Row, 10);
    doors[1] = doors[4] = NetDoor{};
    // Doors that do not move are not stepped.
    clock.advance(1000);
    const DoorSteps none = stepDoors(doors, clock.nowMs());
    EXPECT_TRUE(none.closingMoved.empty());
    EXPECT_FALSE(none.openingMoved);
}

} // namespace
} // namespace kalvon
