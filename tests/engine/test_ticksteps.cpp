// What the game tick asks of the rules: gravity with the smooth fall and the held down key, the
// warning pulse, the bomb frames, and the door and bomb flags the drawing keeps in the state.

#include "engine/levels.h"
#include "support/enginefakes.h"

#include <gtest/gtest.h>
#include <vector>

using namespace kalvon;
using namespace kalvon::testing;

TEST(TickSteps, GravityAndTheSmoothFall)
{
    struct Case {
        const char* name;
        int level; // interval (101 - level) x 10 ms
        bool piece;
        int64_t lastFall, now;
        SmoothFall smooth; // fallInterval is filled in
        bool redraw;
        int offset;
        int64_t lastFallAfter;
        bool moved;
    };
    const Case cases[] = {
        { "gravity due", 1, true, 1000, 2000, { .enabled = true }, true, 0, 2000, true },
        { "gravity due without a piece", 1, false, 1000, 2000, { .enabled = true }, false, 0, 2000, false },
        { "not due, smooth fall off", 1, true, 1000, 1500, {}, false, 3, 1000, false },
        { "not due: the offset of the gravity wait", 1, true, 1000, 1500, { .enabled = true }, false, 8, 1000,
            false },
        { "down held and faster than gravity: gravity follows the key", 1, true, 1000, 1500,
            { .enabled = true, .downHeld = true, .downLastFired = 1475, .repeatDelay = 100 }, false, 4, 1250,
            false },
        { "down held but slower than gravity", 91, true, 1450, 1500,
            { .enabled = true, .downHeld = true, .downLastFired = 1425, .repeatDelay = 150 }, false, 8, 1450,
            false },
        { "the offset stops at a row", 1, true, 1000, 1500,
            { .enabled = true, .downHeld = true, .downLastFired = 500, .repeatDelay = 100 }, false, 16, 500,
            false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig;
        EngineState& s = rig.state();
        s.Level[1] = c.level;
        s.FallSpeed[1] = FallSpeedFor(c.level);
        s.LastFallTime[1] = c.lastFall;
        s.SmoothOffset[1] = 3;
        if (c.piece)
            rig.place(1, PieceType::Square, 1, 4, 5);
        SmoothFall smooth = c.smooth;
        smooth.fallInterval = rig.engine.fallInterval(1);

        EXPECT_EQ(rig.engine.fallStep(1, c.now, smooth), c.redraw);
        EXPECT_EQ(s.SmoothOffset[1], c.offset);
        EXPECT_EQ(s.LastFallTime[1], c.lastFallAfter);
        EXPECT_EQ(c.piece && s.FallingPiece[1].Row == 6, c.moved);
    }
}

TEST(TickSteps, HeldDownKeyRestartsGravityOnlyWhenFasterThanIt)
{
    struct Case {
        int repeatDelay, interval;
        bool restarts;
    };
    for (const Case& c : { Case{ 100, 1000, true }, Case{ 1000, 1000, false }, Case{ 200, 100, false } }) {
        SCOPED_TRACE(c.repeatDelay);
        EngineRig rig;
        rig.state().LastFallTime[1] = 50;
        rig.engine.heldDownRestart(1, 700, c.repeatDelay, c.interval);
        EXPECT_EQ(rig.state().LastFallTime[1], c.restarts ? 700 : 50);
    }
}

TEST(TickSteps, WarningPulsesUpAndDownBetweenZeroAnd250)
{
    EngineRig rig;
    const EngineState& s = rig.state();
    std::vector<int> levels;
    for (int i = 0; i < 52; ++i) {
        rig.engine.pulseWarning(1);
        levels.push_back(s.WarningAlpha[1]);
    }
    EXPECT_EQ(levels[24], 250);
    EXPECT_EQ(levels[25], 240) << "the top turns the pulse";
    EXPECT_EQ(levels[49], 0);
    EXPECT_EQ(levels[50], 10) << "zero turns it again";
    EXPECT_EQ(levels[51], 20);
    EXPECT_EQ(s.WarningAlpha[2], 0) << "each player pulses on his own";
}

TEST(TickSteps, BombsStepTheirFramesOnceTheDelayHasPassed)
{
    EngineRig rig;
    EngineState& s = rig.state();
    auto& bombs = s.BombAnimations[3]; // the preview field's bombs step alike
    bombs[1] = { .Active = true, .Frame = 2, .LastTick = 100 };
    bombs[2] = { .Active = true, .Frame = 5, .LastTick = 100 };
    bombs[3] = { .Active = true, .Frame = 1, .LastTick = 115 };
    bombs[4] = { .Active = false, .Frame = 1, .LastTick = 0 };

    rig.engine.stepBombs(3, 120, 20, 5);

    EXPECT_EQ(rig.host.calls, (std::vector<std::string>{ "BombFrame 3 1 3", "BombKill 3 2" }));
    EXPECT_TRUE(bombs[1].Active);
    EXPECT_EQ(bombs[1].LastTick, 120);
    EXPECT_FALSE(bombs[2].Active) << "one past its last frame it ends";
    EXPECT_EQ(bombs[3].Frame, 1) << "its delay has not passed";
    EXPECT_FALSE(bombs[4].Active);
}

TEST(DrawingFlags, DoorsOpenAndCloseOnlyFromTheOtherState)
{
    struct Case {
        const char* name;
        bool open, closing, opening;
        bool closeBegins, openBegins;
    };
    const Case cases[] = {
        { "open", true, false, false, true, false },
        { "closed", false, false, false, false, true },
        { "closing", true, true, false, false, false },
        { "opening", false, false, true, false, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (bool closing : { true, false }) {
            EngineRig rig;
            EngineState& s = rig.state();
            s.FieldDoorOpen[3] = c.open;
            s.FieldDoorClosing[3] = c.closing;
            s.FieldDoorOpening[3] = c.opening;
            if (closing) {
                EXPECT_EQ(rig.engine.beginDoorClose(3), c.closeBegins);
                EXPECT_EQ(s.FieldDoorClosing[3], c.closing || c.closeBegins);
                if (c.closeBegins) {
                    rig.engine.doorClosed(3);
                    EXPECT_FALSE(s.FieldDoorOpen[3] || s.FieldDoorClosing[3]);
                }
            } else {
                EXPECT_EQ(rig.engine.beginDoorOpen(3), c.openBegins);
                EXPECT_EQ(s.FieldDoorOpening[3], c.opening || c.openBegins);
                if (c.openBegins) {
                    rig.engine.doorOpened(3);
                    EXPECT_TRUE(s.FieldDoorOpen[3]);
                    EXPECT_FALSE(s.FieldDoorOpening[3]);
                }
            }
        }
    }
    EngineRig rig;
    rig.state().FieldDoorOpen[1] = true;
    EXPECT_FALSE(rig.engine.beginDoorClose(0) || rig.engine.beginDoorClose(4) || rig.engine.beginDoorOpen(4));
}

TEST(DrawingFlags, ABombSlotStartsAtFrameZero)
{
    EngineRig rig;
    const EngineState& s = rig.state();
    rig.engine.startBombSlot(3, 1, 4, -2);
    const BombAnimation& bomb = s.BombAnimations[3][1];
    EXPECT_TRUE(bomb.Active);
    EXPECT_EQ(bomb.Frame, 0);
    EXPECT_EQ(bomb.Column, 4);
    EXPECT_EQ(bomb.Row, -2);
    for (int slot : { -1, kBombSlots })
        rig.engine.startBombSlot(3, slot, 0, 0);
    int active = 0;
    for (const BombAnimation& b : s.BombAnimations[3])
        active += b.Active;
    EXPECT_EQ(active, 1) << "slots outside 0..9 are refused";
}
