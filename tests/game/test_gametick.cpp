// The game tick on a fake clock: gravity, held keys and their repeat, effect ends, the warning
// pulse, bombs, animations, the caption, the opponents' boards, and the tick running on while
// a step of it waits.

#include "support/enginefakes.h"
#include "support/game/gamerig.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

using K = BoundKeys;

constexpr char kDropSound[] = "sound sound0.wav";
constexpr char kRotateSound[] = "sound sound1.wav";
constexpr int16_t kFlashCode = kFirstSpecialCode + int16_t(SpecialType::FlashScreen);
constexpr int16_t kTremorCode = kFirstSpecialCode + int16_t(SpecialType::Tremor);

// The times (relative to `from`) at which player p's piece moved down, over `ms`.
std::vector<int64_t> fallTimes(GameRig& rig, int p, int64_t ms)
{
    std::vector<int64_t> times;
    const int64_t from = rig.clock.nowMs();
    int row = rig.state().FallingPiece[p].Row;
    for (int64_t i = 0; i < ms; ++i) {
        rig.runFor(1);
        if (rig.state().FallingPiece[p].Row != row) {
            times.push_back(rig.clock.nowMs() - from);
            row = rig.state().FallingPiece[p].Row;
        }
    }
    return times;
}

// The times (relative to `from`) of the logged calls equal to `call`.
struct CallTimes {
    std::vector<int64_t> times;
    CallTimes(GameRig& rig, std::string call)
    {
        const int64_t from = rig.clock.nowMs();
        rig.log.onCall = [&rig, this, call, from](const std::string& c) {
            if (c == call)
                times.push_back(rig.clock.nowMs() - from);
        };
    }
};

} // namespace

TEST(GameTick, GravityStepsOnceTheFallIntervalHasPassed)
{
    struct Case {
        const char* what;
        GameMode mode;
        bool sameLevel;
        int level; // Level(p)
        int activeLevel; // ActiveLevel
        int player;
        int64_t interval;
    };
    const Case cases[] = {
        { "level 1", GameMode::OnePlayer, false, 1, 0, 1, 1000 },
        { "level 50", GameMode::OnePlayer, false, 50, 0, 1, 510 },
        { "level 100", GameMode::OnePlayer, false, 100, 0, 1, 10 },
        { "two players, own level", GameMode::TwoPlayers, false, 91, 1, 2, 100 },
        { "two players, common level", GameMode::TwoPlayers, true, 1, 91, 2, 100 },
        { "internet play follows the active level", GameMode::Internet, false, 1, 81, 1, 200 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameRig rig(c.mode == GameMode::Internet ? GameMode::OnePlayer : c.mode);
        rig.options.gameOptions.sameLevel = c.sameLevel ? 1 : 0;
        rig.startGame();
        EngineState& s = rig.state();
        s.GameMode = c.mode;
        s.Level[c.player] = c.level;
        s.ActiveLevel = c.activeLevel;
        rig.placePiece(c.player, PieceType::Square, 5);
        s.LastFallTime[c.player] = rig.clock.nowMs();
        EXPECT_EQ(fallTimes(rig, c.player, 3 * c.interval + 5),
            (std::vector<int64_t>{ c.interval, 2 * c.interval, 3 * c.interval }));
    }
}

TEST(GameTick, HeldDownRestartsGravityOnlyWhenFasterThanIt)
{
    struct Case {
        int delay;
        int level;
        bool restarts;
    };
    for (const Case& c : { Case{ 100, 1, true }, Case{ 200, 100, false }, Case{ 100, 91, false } }) {
        SCOPED_TRACE(c.delay);
        GameRig rig;
        rig.options.controls.controlSensitivity = int16_t(c.delay);
        rig.startGame();
        EngineState& s = rig.state();
        s.Level[1] = c.level;
        rig.placePiece(1, PieceType::Square, 5);
        const int64_t lastFall = rig.clock.nowMs() - 5;
        s.LastFallTime[1] = lastFall;
        rig.core.keys().held(1, KeyAction::Down) = true;
        rig.core.keys().lastTime(1, KeyAction::Down) = 0;
        const int row = s.FallingPiece[1].Row;

        rig.tick();

        EXPECT_EQ(s.FallingPiece[1].Row, row + 1) << "the down key acted";
        EXPECT_EQ(s.LastFallTime[1], c.restarts ? rig.clock.nowMs() : lastFall);
    }
}

TEST(GameTick, HeldKeysActInTheirOrderWithinOneTick)
{
    // Player 1's L piece against the left wall, free to turn both ways: left is blocked there
    // and right is not, so only left-before-right leaves it one column in; drop lands it, and
    // down then moves the next piece, which only down-after-drop does. With Flash Screen at
    // hand and Tremor next, use-self flashes player 1 and use-other shakes player 2; the
    // other order would do it the other way round.
    GameRig rig(GameMode::TwoPlayers);
    rig.startGame();
    EngineState& s = rig.state();
    rig.placePiece(1, PieceType::LBlock, 5, 3, true);
    rig.placePiece(2, PieceType::Square, 5);
    s.lstSpecials[1] = { kTremorCode, kFlashCode };
    ASSERT_EQ(rig.pieceLeftColumn(1), 0);
    const int next = s.NextPiece[1];
    int columnAtDrop = -1;
    rig.log.onCall = [&](const std::string& call) {
        if (call == kDropSound && columnAtDrop < 0)
            columnAtDrop = rig.pieceLeftColumn(1);
    };
    for (int p : { 1, 2 })
        for (KeyAction action : kRepeatableActions) {
            rig.core.keys().held(p, action) = true;
            rig.core.keys().lastTime(p, action) = 0;
        }

    rig.tick();

    EXPECT_EQ(columnAtDrop, 1);
    const auto& log = rig.log.calls;
    const auto firstRotate = std::find(log.begin(), log.end(), kRotateSound);
    const auto firstDrop = std::find(log.begin(), log.end(), kDropSound);
    EXPECT_EQ(rig.log.count(kRotateSound), 2) << "it turned one way and back";
    EXPECT_LT(firstRotate, firstDrop) << "rotations come before the drop";
    EXPECT_EQ(s.FieldOccupied[1][1][21], kCellOccupied) << "the square landed one column in";
    EXPECT_EQ(s.FieldOccupied[1][0][21], kCellEmpty);
    const int spawnRow = (next == int(PieceType::TBlock) || next == int(PieceType::SBlock)) ? 1 : 0;
    EXPECT_EQ(s.FallingPiece[1].Row, spawnRow + 1) << "down moved the next piece";
    EXPECT_TRUE(s.FlashActive[1] && s.TremorActive[2]);
    EXPECT_FALSE(s.FlashActive[2] || s.TremorActive[1]);
}

TEST(GameTick, SecondPlayersSpecialsAimAtHimselfAndAtTheFirstPlayer)
{
    // Player 2's use-self hits player 2 and use-other player 1 (not the fixed players 1 and 2).
    GameRig rig(GameMode::TwoPlayers);
    rig.startGame();
    EngineState& s = rig.state();
    s.lstSpecials[2] = { kTremorCode, kFlashCode };
    for (KeyAction action : { KeyAction::UseSelf, KeyAction::UseOther }) {
        rig.core.keys().held(2, action) = true;
        rig.core.keys().lastTime(2, action) = 0;
    }
    rig.tick();
    EXPECT_TRUE(s.FlashActive[2] && s.TremorActive[1]);
    EXPECT_FALSE(s.FlashActive[1] || s.TremorActive[2]);
}

TEST(GameTick, HeldKeysRepeatAtTheKeyRepeatDelay)
{
    struct Case {
        const char* what;
        KeyAction action;
        const char* call;
        int delay;
        std::vector<int64_t> times; // after the press, over 320 ms
    };
    const Case cases[] = {
        { "acts on the next tick, then every delay", KeyAction::Rotate, kRotateSound, 100,
            { 10, 110, 210, 310 } },
        { "a short delay", KeyAction::Rotate, kRotateSound, 30,
            { 10, 40, 70, 100, 130, 160, 190, 220, 250, 280, 310 } },
        { "a delay between ticks waits for the next one", KeyAction::Rotate, kRotateSound, 95,
            { 10, 110, 210, 310 } },
        { "hard drop waits 50 ms longer", KeyAction::Drop, kDropSound, 100, { 10, 160, 310 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameRig rig;
        rig.options.controls.controlSensitivity = int16_t(c.delay);
        rig.startGame();
        rig.placePiece(1, PieceType::TBlock, 5, 3);
        rig.core.keyboard().keyReleased(rig.options.controls.binding(1, c.action)); // repeat time 0
        rig.core.keyboard().keyPressed(rig.options.controls.binding(1, c.action));
        CallTimes calls(rig, c.call);
        rig.runFor(320);
        EXPECT_EQ(calls.times, c.times);
    }
}

TEST(GameTick, KeyRepeatAfterStartReleaseAndFocusLoss)
{
    GameRig rig;
    rig.startGame();
    FieldKeyboard& keyboard = rig.core.keyboard();
    CallTimes calls(rig, kRotateSound);

    // A movement key held when the game starts waits one delay.
    rig.placePiece(1, PieceType::TBlock, 8, 3);
    const int column = rig.pieceLeftColumn(1);
    keyboard.keyPressed(K::p1Left);
    rig.runFor(90);
    EXPECT_EQ(rig.pieceLeftColumn(1), column);
    rig.runFor(10);
    EXPECT_EQ(rig.pieceLeftColumn(1), column - 1) << "at the start plus the delay";
    keyboard.keyReleased(K::p1Left);

    // Released and pressed again acts at once; after a focus loss the repeat time stays, so a
    // new press waits out the rest of the delay.
    keyboard.keyPressed(K::p1Rotate);
    rig.runFor(30);
    keyboard.keyReleased(K::p1Rotate);
    keyboard.keyPressed(K::p1Rotate);
    rig.runFor(30);
    keyboard.focusLost();
    keyboard.keyPressed(K::p1Rotate);
    rig.runFor(60);
    rig.runFor(30);
    EXPECT_EQ(calls.times, (std::vector<int64_t>{ 110, 140, 240 }));
}

TEST(GameTick, AKeyTappedBetweenTwoTicksStillActsOnce)
{
    GameRig rig;
    rig.startGame();
    FieldKeyboard& keyboard = rig.core.keyboard();
    rig.placePiece(1, PieceType::TBlock, 8, 3);
    rig.runFor(200); // past the start's repeat wait
    const int column = rig.pieceLeftColumn(1);

    // Pressed and released before the tick sees it: one move, and no more after.
    keyboard.keyPressed(K::p1Left);
    keyboard.keyReleased(K::p1Left);
    rig.runFor(10);
    EXPECT_EQ(rig.pieceLeftColumn(1), column - 1);
    rig.runFor(300);
    EXPECT_EQ(rig.pieceLeftColumn(1), column - 1);

    // A press the tick has acted on is not owed again after its release.
    keyboard.keyPressed(K::p1Left);
    rig.runFor(10);
    keyboard.keyReleased(K::p1Left);
    rig.runFor(300);
    EXPECT_EQ(rig.pieceLeftColumn(1), column - 2);

    // A focus loss drops an owed press.
    keyboard.keyPressed(K::p1Left);
    keyboard.keyReleased(K::p1Left);
    keyboard.focusLost();
    rig.runFor(300);
    EXPECT_EQ(rig.pieceLeftColumn(1), column - 2);
}

TEST(GameTick, TimedEffectsEndAtTheirBoundaries)
{
    GameRig rig(GameMode::TwoPlayers);
    rig.startGame();
    EngineState& s = rig.state();
    const int64_t start = rig.clock.nowMs();
    for (int p : { 1, 2 }) {
        s.TremorActive[p] = s.ShieldActive[p] = s.FlashActive[p] = true;
        s.TremorStart[p] = s.ShieldStart[p] = s.FlashStart[p] = start;
    }
    rig.clock.set(start + 6999);
    rig.tick();
    EXPECT_TRUE(s.TremorActive[1] && s.ShieldActive[1] && s.FlashActive[1]);

    rig.clock.set(start + 7000);
    rig.tick();
    for (int p : { 1, 2 }) {
        EXPECT_FALSE(s.TremorActive[p]) << "Tremor ends at 7000 ms";
        EXPECT_TRUE(s.ShieldActive[p]) << "Holy Shield lasts beyond 7000 ms";
        EXPECT_TRUE(s.FlashActive[p]) << "Flash Screen lasts beyond 7000 ms";
    }
    rig.clock.set(start + 7001);
    rig.tick();
    EXPECT_FALSE(s.ShieldActive[1] || s.FlashActive[1] || s.ShieldActive[2] || s.FlashActive[2]);
}

TEST(GameTick, SecondPlayerOnlyKeepsTimeOutsideTwoPlayerGames)
{
    GameRig rig;
    rig.startGame();
    EngineState& s = rig.state();
    s.TremorActive[2] = true;
    s.TremorStart[2] = 1;
    s.LastFallTime[2] = 0;
    s.Lines[2] = 3;
    rig.tick();
    EXPECT_EQ(s.LastFallTime[2], rig.clock.nowMs()) << "its gravity time is kept";
    EXPECT_EQ(rig.window.linesPerMinute[2], "LPM: 0");
    EXPECT_TRUE(s.TremorActive[2]) << "no effect ends for player 2";
    EXPECT_EQ(rig.log.count("DrawHeightLed 2"), 0);
    EXPECT_EQ(rig.log.count("DrawHeightLed 1"), 1);
}

TEST(GameTick, WarningPulsesWhileTheTopRowsHoldBlocks)
{
    GameRig rig;
    rig.options.graphics.warning = 1;
    rig.startGame();
    EngineState& s = rig.state();
    rig.placePiece(1, PieceType::Square, 8);
    s.FieldOccupied[1][0][3] = kCellOccupied;
    s.FieldColor[1][0][3] = 2;
    rig.log.clear();
    std::vector<int> levels;
    for (int i = 0; i < 27; ++i) {
        rig.runFor(10);
        levels.push_back(s.WarningAlpha[1]);
    }
    std::vector<int> expected;
    for (int v = 10; v <= 250; v += 10)
        expected.push_back(v);
    expected.push_back(240);
    expected.push_back(230);
    EXPECT_EQ(levels, expected);
    EXPECT_EQ(rig.log.count("DrawField 1"), 27) << "every pulse step redraws the field";

    // Nothing pulses with the option off or with the top rows clear.
    rig.options.graphics.warning = 0;
    rig.log.clear();
    rig.runFor(10);
    EXPECT_EQ(s.WarningAlpha[1], 230);
    rig.options.graphics.warning = 1;
    s.FieldOccupied[1][0][3] = kCellEmpty;
    rig.runFor(10);
    EXPECT_EQ(s.WarningAlpha[1], 230);
}

TEST(GameTick, BombShowsEachFrameOneDelayApartThenEnds)
{
    GameRig rig;
    rig.themes.CurrentTheme.bombframecount = 5;
    rig.themes.CurrentTheme.bombdelaybetweenframes = 20;
    rig.startGame();
    BombAnimation& bomb = rig.state().BombAnimations[1][3];
    bomb = { .Active = true, .Frame = 0, .LastTick = rig.clock.nowMs() };
    std::vector<std::pair<int64_t, std::string>> seen;
    const int64_t from = rig.clock.nowMs();
    rig.log.onCall = [&](const std::string& call) {
        if (call.rfind("Bomb", 0) == 0)
            seen.emplace_back(rig.clock.nowMs() - from, call);
    };
    rig.runFor(200);
    const std::vector<std::pair<int64_t, std::string>> expected = {
        { 20, "BombFrame 1 3 1" },
        { 40, "BombFrame 1 3 2" },
        { 60, "BombFrame 1 3 3" },
        { 80, "BombFrame 1 3 4" },
        { 100, "BombFrame 1 3 5" },
        { 120, "BombKill 1 3" },
    };
    EXPECT_EQ(seen, expected);
    EXPECT_FALSE(bomb.Active);
}

TEST(GameTick, CaptionAndLinesPerMinute)
{
    struct Case {
        int64_t elapsed;
        const char* caption;
    };
    const Case cases[] = {
        { 0, "Kalvon v1.91 - Game Time: 0 min 0 sec" },
        { 59'500, "Kalvon v1.91 - Game Time: 1 min 0 sec" },
        { 89'500, "Kalvon v1.91 - Game Time: 1 min 30 sec" },
        { 90'500, "Kalvon v1.91 - Game Time: 1 min 30 sec" },
        { 3'600'000, "Kalvon v1.91 - Game Time: 60 min 0 sec" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(gameTimeCaption(c.elapsed), c.caption) << c.elapsed;
    EXPECT_EQ(linesPerMinuteText(3, 7000), "LPM: 25.71");
    EXPECT_EQ(linesPerMinuteText(1, 120'000), "LPM: 0.5");
    EXPECT_EQ(linesPerMinuteText(5, 0), "LPM: 0");

    // The tick counts paused time out, and leaves the caption alone on the options page.
    GameRig rig;
    rig.startGame();
    EngineState& s = rig.state();
    s.PlayTimeTotal = 60'000;
    s.PlayTimeStart = rig.clock.nowMs() - 1000;
    s.Lines[1] = 61;
    rig.tick();
    EXPECT_EQ(rig.window.caption, "Kalvon v1.91 - Game Time: 1 min 1 sec");
    EXPECT_EQ(rig.window.linesPerMinute[1], "LPM: 60");
    rig.window.screen = Screen::Options;
    const int sets = rig.window.captionSets;
    rig.tick();
    EXPECT_EQ(rig.window.captionSets, sets);
}

TEST(GameTick, ThemeAnimationsStepAndRedrawTheirWindows)
{
    GameRig rig(GameMode::TwoPlayers);
    ThemeRecord& t = rig.themes.CurrentTheme;
    t.themetype = 1;
    t.blkframecount = 3;
    t.blkdelaybetweenframes = 30;
    t.bganimated = true;
    t.bgframecount = 2;
    t.bgdelaybetweenframes = 10;
    t.specialwindowanimated = true;
    t.specialwindowframecount = 4;
    t.specialwindowdelaybetweenframes = 50;
    t.nextblkframecount = 2;
    t.nextblkdelaybetweenframes = 100;
    t.blkcurrentframe = t.bgcurrentframe = t.specialwindowcurrentframe = t.nextblkcurrentframe = 1;
    rig.options.graphics.animateSpecialWindow = rig.options.graphics.animateNextBlock = 1;
    rig.startGame();
    t.blklaststeptime = t.bglaststeptime = t.specialwindowlaststeptime = t.nextblklaststeptime
        = rig.clock.nowMs();

    rig.runFor(90);
    EXPECT_EQ(t.blkcurrentframe, 1) << "blocks step always: 2, 3, then back to 1";
    EXPECT_EQ(t.bgcurrentframe, 1) << "the background steps only with its option on";
    EXPECT_EQ(t.specialwindowcurrentframe, 2);
    EXPECT_EQ(rig.log.count("DrawSpecialWindow 1"), 1);
    EXPECT_EQ(rig.log.count("DrawSpecialWindow 2"), 1);
    EXPECT_EQ(rig.log.count("DrawNextPiece 1"), 0);
    rig.runFor(10);
    EXPECT_EQ(t.nextblkcurrentframe, 2);
    EXPECT_EQ(rig.log.count("DrawNextPiece 1"), 1);
    EXPECT_EQ(rig.log.count("DrawNextPiece 2"), 1);
}

TEST(GameTick, OpponentsBoardsInInternetPlay)
{
    GameRig rig;
    rig.startGame();
    EngineState& s = rig.state();
    s.GameMode = GameMode::Internet;
    FakeInternet& net = rig.internet;
    rig.options.graphics.door = 1;
    net.mySpot = 2;
    net.spotPlayer = { -1, 4, 1, 5, -1, 7, 8 };
    net.spotBoard = { 0, 1, 0, 2, 0, 9, 3 }; // slot 5's board is out of range
    NetDoors& doors = rig.core.netDoors();
    doors[1] = { .Opening = true, .Row = 1, .LastStep = rig.clock.nowMs() - 60 };
    doors[4] = { .Closing = true, .Row = 21, .LastStep = rig.clock.nowMs() - 60 };
    net.effect(2, RemoteEffect::Flash) = { true, rig.clock.nowMs() - 7000 };
    net.effect(3, RemoteEffect::Shield) = { true, rig.clock.nowMs() - 100 };

    rig.tick();
    EXPECT_EQ(doors[1].Row, 0);
    EXPECT_EQ(doors[4].Row, 22);
    EXPECT_FALSE(net.effect(2, RemoteEffect::Flash).active);
    EXPECT_TRUE(net.effect(3, RemoteEffect::Shield).active);
    // The opening door redraws every shown board but the own slot's; the closing door and the
    // ended effect redraw their own; a board number out of range is skipped.
    EXPECT_EQ(rig.log.starting("DrawNetPlayerField"),
        (std::vector<std::string>{ "DrawNetPlayerField 4", "DrawNetPlayerField 1", "DrawNetPlayerField 2",
            "DrawNetPlayerField 3", "DrawNetPlayerField 2" }));
    EXPECT_EQ(rig.log.starting("UpdateNetBoardMarkers"),
        (std::vector<std::string>{ "UpdateNetBoardMarkers 2", "UpdateNetBoardMarkers 3" }));

    // Next tick: the opened door finishes, the closed one too; a spectator skips slot 1's board
    // and its own moves.
    rig.log.clear();
    net.spectating = true;
    rig.core.keys().held(1, KeyAction::Rotate) = true;
    rig.core.keys().lastTime(1, KeyAction::Rotate) = 0;
    rig.placePiece(1, PieceType::TBlock, 5, 3);
    rig.log.clear();
    rig.clock.advance(60);
    rig.tick();
    EXPECT_TRUE(doors[1].Open);
    EXPECT_FALSE(doors[1].Opening);
    EXPECT_FALSE(doors[4].Closing);
    EXPECT_EQ(rig.log.starting("DrawNetPlayerField"),
        (std::vector<std::string>{ "DrawNetPlayerField 4", "DrawNetPlayerField 2", "DrawNetPlayerField 3" }));
    EXPECT_EQ(rig.log.count(kRotateSound), 0);
}

// The tick keeps running while a step inside it waits, nested one level deep at most.
TEST(GameTickWaits, SecondPlayerKeepsFallingWhileTheFirstPlayersExplosionWaits)
{
    GameRig rig(GameMode::TwoPlayers);
    rig.options.graphics.explode = 1;
    rig.options.gameOptions.sameLevel = 0;
    rig.startGame();
    EngineState& s = rig.state();
    s.Level[1] = s.Level[2] = 91; // a row every 100 ms
    // Player 1: a vertical straight piece over a four-row well in column 0.
    rig.placePiece(1, PieceType::Lines, 5, 2);
    rig.core.engine().RotatePiece(1, 1);
    for (int i = 0; i < kFieldColumns; ++i)
        rig.core.engine().MovePieceLeft(1);
    ASSERT_EQ(rig.pieceLeftColumn(1), 0);
    for (int column = 1; column < kFieldColumns; ++column)
        for (int row = 18; row < kFieldRows; ++row) {
            s.FieldOccupied[1][size_t(column)][size_t(row)] = kCellOccupied;
            s.FieldColor[1][size_t(column)][size_t(row)] = 1;
        }
    rig.placePiece(2, PieceType::Square, 5);
    s.LastFallTime[2] = rig.clock.nowMs();
    const int row2 = s.FallingPiece[2].Row;
    int maxDepth = 0;
    int rowsDuringExplosion = -1;
    rig.log.onCall = [&](const std::string& call) {
        maxDepth = std::max(maxDepth, rig.core.ticker().depth());
        if (call == "AnimateLineExplosion 1") {
            const int before = s.FallingPiece[2].Row;
            rig.pump.Wait(500);
            rowsDuringExplosion = s.FallingPiece[2].Row - before;
        }
    };
    rig.core.keyboard().keyReleased(K::p1Drop);
    rig.core.keyboard().keyPressed(K::p1Drop);

    rig.runFor(10);

    EXPECT_EQ(s.Lines[1], 4);
    EXPECT_GE(rowsDuringExplosion, 4) << "player 2's piece fell meanwhile";
    EXPECT_LE(rowsDuringExplosion, 5);
    EXPECT_GT(s.FallingPiece[2].Row, row2);
    EXPECT_EQ(maxDepth, 2);
}

TEST(GameTickWaits, FlashScreenWaitInTheFieldDrawNeitherNestsDeeperNorHalvesTheTicks)
{
    GameRig rig(GameMode::TwoPlayers);
    rig.options.graphics.smoothBlock = 1; // every tick draws the fields
    rig.options.gameOptions.sameLevel = 0;
    rig.startGame();
    EngineState& s = rig.state();
    s.Level[2] = 91;
    rig.placePiece(1, PieceType::Square, 5);
    rig.placePiece(2, PieceType::Square, 5);
    s.FlashActive[1] = true;
    s.FlashStart[1] = rig.clock.nowMs();
    int maxDepth = 0;
    int ticks = 0;
    rig.log.onCall = [&](const std::string& call) {
        maxDepth = std::max(maxDepth, rig.core.ticker().depth());
        if (call == "DrawHeightLed 2")
            ++ticks;
        // The field draw of a flashing field waits 20 ms, letting events run.
        if (call == "DrawField 1" && s.FlashActive[1])
            rig.pump.Wait(20);
    };
    const int row2 = s.FallingPiece[2].Row;
    s.LastFallTime[2] = rig.clock.nowMs();

    rig.runFor(1000);

    EXPECT_EQ(maxDepth, 2);
    EXPECT_GE(ticks, 60) << "a tick every 10 ms would be 100, every 20 ms (halved) 50";
    // A row every 100 ms, each on the first tick after: the waits space those ticks 10 to 20 ms.
    EXPECT_GE(s.FallingPiece[2].Row - row2, 8) << "player 2 kept falling throughout";
}
