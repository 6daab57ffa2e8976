// Starting a local game, and a whole one-player game played by a fixed seed and a simple
// player, whose end must not change unless the rules do.

#include "support/enginefakes.h"

#include <climits>
#include <functional>
#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

TEST(StartLocalGame, SetsUpEachPlayerAndSpawnsTheFirstDraw)
{
    EngineRig rig(GameMode::TwoPlayers);
    EngineState& s = rig.state();
    s.GameActive = false;
    s.Rules = { .startlevel = 150, .maxspecials = 5 };
    s.BlockOccurancy.fill(10);
    s.lstSpecials[2] = { 6, 7 };
    s.Lines[2] = 40;
    s.PieceInPlay[2] = true; // left over from an earlier game
    s.HardDropping[1] = true;
    setField(s, 2, { "111111111111" });
    const uint32_t generation = s.GameGeneration;
    // Per player: the piece to play, then the next piece (weights 10 each: Int(r x 70) / 10).
    rig.random.add({ 0.0, 0.5, 0.9, 0.2 });

    rig.engine.startGame(123456);

    EXPECT_TRUE(s.GameActive);
    EXPECT_TRUE(s.GameStarted);
    EXPECT_NE(s.GameGeneration, generation);
    EXPECT_EQ(s.PlayTimeStart, 123456);
    EXPECT_EQ(s.ActiveLevel, 100) << "the start level is brought into 0..100";
    EXPECT_FALSE(s.HardDropping[1]);
    for (int p : { 1, 2 }) {
        SCOPED_TRACE(p);
        EXPECT_EQ(s.Level[p], 100);
        EXPECT_DOUBLE_EQ(s.FallSpeed[p], 16.0 / 10);
        EXPECT_EQ(s.Lines[p], 0);
        EXPECT_TRUE(s.lstSpecials[p].empty());
        EXPECT_TRUE(s.PieceInPlay[p]);
        EXPECT_EQ(rig.host.label(LabelId::Spec, p), "(None)");
        EXPECT_EQ(rig.host.label(LabelId::Level, p), "Level: 100");
        EXPECT_EQ(rig.host.label(LabelId::Lines, p), "Lines: 0");
        EXPECT_EQ(rig.host.label(LabelId::Quads, p), "Quads: 0");
    }
    EXPECT_EQ(s.FallingPiece[1].Type, 0);
    EXPECT_EQ(s.NextPiece[1], 3);
    EXPECT_EQ(s.FallingPiece[2].Type, 6);
    EXPECT_EQ(s.NextPiece[2], 1);
    EXPECT_EQ(fieldText(s, 2).substr(21 * 13), "............") << "the field was emptied";
    EXPECT_EQ(rig.host.label(LabelId::Score, 1), "0");
}

TEST(StartLocalGame, PlaysAloneFromLevelOne)
{
    EngineRig rig;
    rig.state().Rules.startlevel = 40;
    rig.state().PieceInPlay[2] = true;
    rig.random.add({ 0.99, 0.0 });
    rig.engine.startGame(0);
    EXPECT_EQ(rig.state().Level[1], 1);
    EXPECT_EQ(rig.state().ActiveLevel, 1);
    EXPECT_FALSE(rig.state().PieceInPlay[2]) << "player 2 of an earlier game is gone";
    EXPECT_EQ(rig.state().FallingPiece[1].Type, 6);
    EXPECT_EQ(rig.host.count("DrawField 2"), 0);
}

TEST(StartGame, InternetPlayStartsPlayerOneAloneByTheServersRules)
{
    struct Case {
        const char* name;
        bool playsHere;
        bool samelevel;
    };
    const Case cases[] = {
        { "playing, own levels", true, false },
        { "playing, common level", true, true },
        { "watching", false, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig(GameMode::Internet);
        EngineState& s = rig.state();
        s.GameActive = false;
        s.GamePaused = true; // the server's pause of the game before
        s.Score = 700;
        s.SpecialLineCount = 3;
        s.SpecialsGained = 4;
        s.LinesAddedToAll = 5;
        s.Rules = { .samelevel = c.samelevel, .startlevel = 7 };
        s.InetBlockOccurancy.fill(10);
        s.Level[2] = 9;
        s.lstSpecials[1] = { 6 };
        setField(s, 1, { "111111111111" });
        const uint32_t generation = s.GameGeneration;
        rig.random.add({ 0.0, 0.5 });

        rig.engine.startGame(5000, c.playsHere);

        EXPECT_NE(s.GameGeneration, generation);
        EXPECT_TRUE(s.GameStarted);
        EXPECT_EQ(s.GameActive, c.playsHere);
        EXPECT_EQ(s.NetPlaying, c.playsHere);
        EXPECT_EQ(s.PlayTimeStart, 5000);
        EXPECT_EQ(s.SpecialsGained + s.LinesAddedToAll, 0) << "the statistics start again";
        EXPECT_TRUE(s.GamePaused && s.Score == 700 && s.SpecialLineCount == 3)
            << "what belongs to local games is left alone";
        EXPECT_EQ(s.Level[1], 7);
        EXPECT_EQ(s.ActiveLevel, 7);
        EXPECT_DOUBLE_EQ(s.FallSpeed[1], 16.0 / 940) << "the smooth fall goes at the start level's pace";
        EXPECT_EQ(rig.host.label(LabelId::Level, 1), "Level: 7");
        EXPECT_EQ(
            rig.host.label(LabelId::ActiveLevel, 1), c.samelevel ? "Active Level: 7" : "Active Level: 0");
        EXPECT_TRUE(s.lstSpecials[1].empty());
        EXPECT_EQ(fieldText(s, 1).substr(21 * 13), "............") << "the field was emptied";
        EXPECT_EQ(s.PieceInPlay[1], c.playsHere);
        EXPECT_EQ(rig.host.count("DrawNextPiece 1"), c.playsHere ? 1 : 0);
        if (c.playsHere) {
            EXPECT_EQ(s.FallingPiece[1].Type, 0);
            EXPECT_EQ(s.FallingPiece[1].Column, kSpawnColumn);
            EXPECT_EQ(s.NextPiece[1], 3);
        }
        EXPECT_EQ(s.Level[2], 9) << "there is no player 2";
        EXPECT_EQ(rig.host.count("ClearHeightLed 1"), 0);
        EXPECT_EQ(rig.host.label(LabelId::Score, 1), "<unset>") << "the score label is left alone";
    }
}

TEST(StartGame, TheFirstPieceIsDrawnWithoutTheTimedEffectsOfTheGameBefore)
{
    for (GameMode mode : { GameMode::OnePlayer, GameMode::Internet }) {
        SCOPED_TRACE(int(mode));
        EngineRig rig(mode);
        EngineState& s = rig.state();
        s.InetBlockOccurancy.fill(10);
        s.ShieldActive[1] = true; // a stopped game ended with the shield up
        s.ShieldStart[1] = s.TremorStart[1] = s.FlashStart[1] = 42;
        std::vector<bool> shieldAtDraw;
        rig.host.onCall = [&](const std::string& call) {
            if (call == "DrawField 1")
                shieldAtDraw.push_back(s.ShieldActive[1]);
        };
        rig.random.add({ 0.0, 0.0 });
        rig.engine.startGame(1000);
        EXPECT_EQ(shieldAtDraw, std::vector<bool>{ false });
        EXPECT_EQ(s.ShieldStart[1] + s.TremorStart[1] + s.FlashStart[1], 0);
    }
}

TEST(StartGame, LocalStartsClearTheHeightLedsFirst)
{
    EngineRig rig(GameMode::TwoPlayers);
    rig.state().BlockOccurancy.fill(10);
    rig.random.add({ 0.0, 0.0, 0.0, 0.0 });
    rig.engine.startGame(0);
    ASSERT_GE(rig.host.calls.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(rig.host.calls.begin(), rig.host.calls.begin() + 2),
        (std::vector<std::string>{ "ClearHeightLed 1", "ClearHeightLed 2" }));
}

TEST(StartGame, WatchingARunningGameKeepsTheFieldAndDoesNotPlay)
{
    EngineRig rig(GameMode::Internet);
    EngineState& s = rig.state();
    s.Rules = { .samelevel = true, .startlevel = 30 };
    s.ActiveLevel = 12;
    s.Level[1] = 12;
    s.Lines[1] = 8;
    setField(s, 1, { "111111111111" });
    const std::string field = fieldText(s, 1);
    const uint32_t generation = s.GameGeneration;

    rig.engine.watchRunningGame(2500);

    EXPECT_TRUE(s.GameStarted);
    EXPECT_FALSE(s.GameActive);
    EXPECT_FALSE(s.NetPlaying);
    EXPECT_EQ(s.GameGeneration, generation);
    EXPECT_EQ(s.PlayTimeStart, 2500);
    EXPECT_EQ(s.Level[1], 0);
    EXPECT_EQ(s.ActiveLevel, 0);
    EXPECT_EQ(s.Lines[1], 0);
    EXPECT_EQ(rig.host.label(LabelId::ActiveLevel, 1), "Active Level: 0");
    EXPECT_EQ(fieldText(s, 1), field) << "the field shows what the server sends";
    EXPECT_EQ(rig.host.count("DrawNextPiece 1"), 0);
}

TEST(GameFlow, RequestsStopsAndPausesSetOnlyTheirFlags)
{
    struct Case {
        const char* name;
        std::function<void(GameEngine&)> operation;
        bool active, started, paused, netPlaying, newGeneration;
        int64_t playTimeTotal, playTimeStart;
    };
    // Before each: a running network game since 1000 that has 300 ms behind it, with this
    // client's pause request out.
    const Case cases[] = {
        { "stop", [](GameEngine& e) { e.stopGame(); }, false, false, false, false, true, 300, 1000 },
        { "stop playing", [](GameEngine& e) { e.stopPlaying(); }, false, true, true, true, false, 300, 1000 },
        { "abandon", [](GameEngine& e) { e.abandonGame(); }, false, true, true, false, true, 300, 1000 },
        { "pause at 4000", [](GameEngine& e) { e.pausePlay(4000); }, false, true, true, true, false, 3300,
            1000 },
        { "resume at 4000", [](GameEngine& e) { e.resumePlay(4000); }, true, true, true, true, false, 300,
            4000 },
        { "request a stop", [](GameEngine& e) { e.requestStop(); }, true, false, false, true, false, 300,
            1000 },
        { "no game started", [](GameEngine& e) { e.clearGameStarted(); }, true, false, true, true, false, 300,
            1000 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig(GameMode::Internet);
        EngineState& s = rig.state();
        s.NetPlaying = true;
        s.GamePaused = true;
        s.PlayTimeStart = 1000;
        s.PlayTimeTotal = 300;
        const uint32_t generation = s.GameGeneration;
        c.operation(rig.engine);
        EXPECT_EQ(s.GameActive, c.active);
        EXPECT_EQ(s.GameStarted, c.started);
        EXPECT_EQ(s.GamePaused, c.paused);
        EXPECT_EQ(s.NetPlaying, c.netPlaying);
        EXPECT_EQ(s.GameGeneration != generation, c.newGeneration);
        EXPECT_EQ(s.PlayTimeTotal, c.playTimeTotal);
        EXPECT_EQ(s.PlayTimeStart, c.playTimeStart);
        EXPECT_TRUE(rig.host.calls.empty());
    }

    EngineRig rig;
    rig.state().GameStarted = false;
    rig.state().GamePaused = true;
    rig.state().SpecialLineCount = 9;
    rig.engine.requestStart();
    EXPECT_TRUE(rig.state().GameStarted);
    EXPECT_FALSE(rig.state().GamePaused);
    EXPECT_EQ(rig.state().SpecialLineCount, 0);
}

namespace {

// A simple player: for every piece it tries each turn and column on a copy of the game and
// takes the one that leaves the lowest, flattest field with the fewest holes.
class GreedyPlayer {
public:
    struct Move {
        int turns = 0;
        int column = 0;
    };

    static void play(GameEngine& engine, Move move)
    {
        engine.MovePieceDown(1);
        for (int i = 0; i < move.turns; ++i)
            engine.RotatePiece(1, 1);
        for (int guard = 0; guard < kFieldColumns && engine.state().FallingPiece[1].Column > move.column;
             ++guard)
            engine.MovePieceLeft(1);
        for (int guard = 0; guard < kFieldColumns && engine.state().FallingPiece[1].Column < move.column;
             ++guard)
            engine.MovePieceRight(1);
        engine.HardDrop(1);
    }

    Move choose(const EngineState& live)
    {
        Move best;
        long bestValue = LONG_MIN;
        for (int turns = 0; turns < 4; ++turns) {
            for (int column = -1; column < kFieldColumns; ++column) {
                RecordingEngineHost host;
                StandardRandom random(1);
                GameEngine trial(host, random, m_clock);
                writableState(trial) = live;
                play(trial, { turns, column });
                const long value = valueOf(trial.state(), live.Lines[1]);
                if (value > bestValue) {
                    bestValue = value;
                    best = { turns, column };
                }
            }
        }
        return best;
    }

private:
    static long valueOf(const EngineState& s, int linesBefore)
    {
        if (!s.GameActive)
            return LONG_MIN + 1;
        long height = 0, holes = 0, bumps = 0;
        int previous = -1;
        for (int x = 0; x < kFieldColumns; ++x) {
            int top = kFieldRows;
            for (int y = kFieldRows - 1; y >= 0; --y)
                if (s.FieldOccupied[1][x][y] == kCellOccupied && s.FieldColor[1][x][y] < kFallingCodeOffset)
                    top = y;
            for (int y = top + 1; y < kFieldRows; ++y)
                holes += s.FieldOccupied[1][x][y] != kCellOccupied;
            const int columnHeight = kFieldRows - top;
            height += columnHeight;
            if (previous >= 0)
                bumps += std::abs(columnHeight - previous);
            previous = columnHeight;
        }
        // It keeps the rightmost column free for straight pieces, to clear four rows at once.
        const long lines = s.Lines[1] - linesBefore;
        return (lines == 4 ? 400 : 10 * lines) - 5 * height - 30 * holes - 3 * bumps - 4 * previous;
    }

    FakeClock m_clock;
};

} // namespace

TEST(WholeGame, OnePlayerGameEndsWhereItAlwaysHas)
{
    RecordingEngineHost host;
    StandardRandom random(20261210);
    FakeClock clock(0);
    GameEngine engine(host, random, clock);
    EngineState& s = writableState(engine);
    s.GameMode = GameMode::OnePlayer;
    s.Options = { .sounds = true, .explode = true, .dropTrail = true };
    engine.startGame(clock.nowMs());
    // The field as the game ends, before the lost game fills it.
    std::string finalField;
    host.onCall = [&](const std::string& call) {
        if (call == "GameTimer off")
            finalField = fieldText(s, 1);
    };

    GreedyPlayer player;
    int pieces = 0;
    while (s.GameActive && pieces < 400) {
        GreedyPlayer::play(engine, player.choose(s));
        ++pieces;
        // The tick lets the new piece fall a row.
        clock.advance(1011);
        engine.gravityStep(1, clock.nowMs());
    }

    // Recorded from this very game; a change in any rule the game touches (shapes, turns,
    // moves, line removal, levels, score, piece draws) moves it.
    EXPECT_EQ(finalField,
        fieldText({ ".....222....", ".......2....", ".......1....", "......111...", "55....2.1...",
            "55..2.2111..", "55..222333..", "55.2255344..", "33.2255441..", "33.2222211..", "33.2222221..",
            "33.22222.4..", "55.22212244.", "55.12211224.", "55.11214422.", "55.12244222.", "5524552211.0",
            "5524422441.0", "222.44133222", "2222221224.0", ".222211222.0", "2.4444311103" }));
    EXPECT_EQ(pieces, 262);
    EXPECT_FALSE(s.GameActive) << "the game ended by a blocked spawn";
    EXPECT_EQ(s.Score, 26410);
    EXPECT_EQ(s.Lines[1], 73);
    EXPECT_EQ(s.Level[1], 63);
    EXPECT_EQ(s.ActiveLevel, 63);
    EXPECT_EQ(s.FourLineClears[1], 1);
    EXPECT_EQ(host.explosions.size(), 1u);
    EXPECT_EQ(host.label(LabelId::Score, 1), "26410");
    EXPECT_EQ(host.label(LabelId::Lines, 1), "Lines: 73");
}
