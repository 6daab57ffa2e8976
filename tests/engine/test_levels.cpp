// Levels after each landing, the shared level of two-player games, fall interval and speed, and
// the tick's gravity.

#include "engine/levels.h"
#include "support/enginefakes.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

TEST(UpdateLevel, FollowsTheLinesOfEachMode)
{
    struct Case {
        const char* name;
        GameMode mode;
        int16_t linelevel, raiselevel;
        int lines;
        int level; // expected
        int activeLevel; // expected
    };
    // Every game here started at level 5, active level 5.
    const Case cases[] = {
        { "alone, 10 lines keep the start", GameMode::OnePlayer, 0, 0, 10, 5, 5 },
        { "alone, 11 lines", GameMode::OnePlayer, 0, 0, 11, 1, 5 },
        { "alone, 12 lines", GameMode::OnePlayer, 0, 0, 12, 2, 5 },
        { "alone, 109 lines", GameMode::OnePlayer, 0, 0, 109, 99, 99 },
        { "alone, 110 lines", GameMode::OnePlayer, 0, 0, 110, 100, 100 },
        { "alone, 500 lines", GameMode::OnePlayer, 0, 0, 500, 100, 100 },
        { "two, 1.5 rounds to 2", GameMode::TwoPlayers, 10, 1, 25, 2, 5 },
        { "two, 2.5 rounds to 2", GameMode::TwoPlayers, 10, 1, 35, 2, 5 },
        { "two, 3.5 rounds to 4", GameMode::TwoPlayers, 10, 1, 45, 4, 5 },
        { "two, 6 levels", GameMode::TwoPlayers, 10, 3, 30, 6, 6 },
        { "two, no levels per step", GameMode::TwoPlayers, 10, 0, 30, 0, 5 },
        { "two, no lines per level", GameMode::TwoPlayers, 0, 1, 60, 5, 5 },
        { "two, no lines per level at 110", GameMode::TwoPlayers, 0, 1, 120, 5, 5 },
        { "two, negative lines per level", GameMode::TwoPlayers, -4, 1, 60, 5, 5 },
        { "two, above 100 is 100", GameMode::TwoPlayers, 1, 50, 20, 100, 100 },
        { "two, below 0 is 0", GameMode::TwoPlayers, 1, -3, 20, 0, 5 },
        { "two, 110 lines", GameMode::TwoPlayers, 10, 1, 110, 100, 100 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig(c.mode);
        EngineState& s = rig.state();
        s.Rules.linelevel = c.linelevel;
        s.Rules.raiselevel = c.raiselevel;
        s.Level[1] = 5;
        s.ActiveLevel = 5;
        s.FallSpeed[1] = FallSpeedFor(5);
        s.Lines[1] = c.lines;
        rig.engine.UpdateLevel(1);
        EXPECT_EQ(s.Level[1], c.level);
        EXPECT_EQ(s.ActiveLevel, c.activeLevel);
        EXPECT_DOUBLE_EQ(s.FallSpeed[1], FallSpeedFor(c.level));
        const bool changed = c.level != 5 || c.activeLevel == 100;
        EXPECT_EQ(
            rig.host.label(LabelId::Level, 1), changed ? "Level: " + std::to_string(c.level) : "<unset>");
        EXPECT_EQ(rig.host.label(LabelId::ActiveLevel, 2),
            c.activeLevel != 5 ? "Active Level: " + std::to_string(c.activeLevel) : "<unset>");
    }
}

TEST(UpdateLevel, SharedLevelMovesBothPlayersAtTheHighestLevel)
{
    for (bool samelevel : { true, false }) {
        SCOPED_TRACE(samelevel);
        EngineRig rig(GameMode::TwoPlayers);
        EngineState& s = rig.state();
        s.Rules = { .linelevel = 10, .raiselevel = 1, .samelevel = samelevel };
        s.Level = { 0, 1, 1 };
        s.ActiveLevel = 1;
        s.Lines[1] = 50; // level 4
        rig.engine.UpdateLevel(1);
        s.Lines[2] = 30; // level 2
        rig.engine.UpdateLevel(2);
        EXPECT_EQ(s.ActiveLevel, 4);
        EXPECT_EQ(rig.host.label(LabelId::ActiveLevel, 1), "Active Level: 4");
        EXPECT_EQ(rig.host.label(LabelId::ActiveLevel, 2), "Active Level: 4");
        EXPECT_DOUBLE_EQ(s.FallSpeed[1], FallSpeedFor(4));
        EXPECT_DOUBLE_EQ(s.FallSpeed[2], FallSpeedFor(samelevel ? 4 : 2));
        EXPECT_EQ(rig.engine.gravityLevel(2), samelevel ? 4 : 2);
    }
}

TEST(FallSpeed, FollowsTheLevelWithinZeroToHundred)
{
    struct Case {
        int level;
        int intervalMs;
    };
    const Case cases[]
        = { { -5, 1010 }, { 0, 1010 }, { 1, 1000 }, { 50, 510 }, { 100, 10 }, { 101, 10 }, { 32767, 10 } };
    for (const Case& c : cases) {
        EXPECT_EQ(FallIntervalMs(c.level), c.intervalMs) << c.level;
        EXPECT_DOUBLE_EQ(FallSpeedFor(c.level), 16.0 / c.intervalMs) << c.level;
    }
}

TEST(Gravity, StepsOnceTheIntervalHasPassed)
{
    EngineRig rig;
    EngineState& s = rig.state();
    s.Level[1] = 1; // 1000 ms
    s.LastFallTime[1] = 5000;
    rig.place(1, PieceType::Square, 1, 4, 18);

    EXPECT_FALSE(rig.engine.gravityStep(1, 5999)); // a millisecond short: not yet
    EXPECT_EQ(s.FallingPiece[1].Row, 18);
    EXPECT_EQ(s.LastFallTime[1], 5000);

    EXPECT_TRUE(rig.engine.gravityStep(1, 6000)); // exactly the interval
    EXPECT_EQ(s.FallingPiece[1].Row, 19);
    EXPECT_EQ(s.LastFallTime[1], 6000);

    // With no piece in play the wait still restarts, and nothing moves.
    s.PieceInPlay[1] = false;
    EXPECT_TRUE(rig.engine.gravityStep(1, 7000));
    EXPECT_EQ(s.FallingPiece[1].Row, 19);
    EXPECT_EQ(s.LastFallTime[1], 7000);
    EXPECT_FALSE(rig.engine.gravityStep(3, 9000)); // not a player
}

TEST(Gravity, FollowsTheCommonLevelWhereThereIsOne)
{
    struct Case {
        const char* name;
        GameMode mode;
        bool samelevel;
        int expected;
    };
    const Case cases[] = {
        { "alone", GameMode::OnePlayer, true, 30 },
        { "two apart", GameMode::TwoPlayers, false, 30 },
        { "two together", GameMode::TwoPlayers, true, 90 },
        { "internet", GameMode::Internet, false, 90 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig(c.mode);
        rig.state().Rules.samelevel = c.samelevel;
        rig.state().Level[1] = 30;
        rig.state().ActiveLevel = 90;
        EXPECT_EQ(rig.engine.gravityLevel(1), c.expected);
    }
}
