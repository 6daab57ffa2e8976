// Starting a local game, and a whole one-player game played by a fixed seed and a simple
// player, whose end must not change unless the rules do.

#include "support/enginefakes.h"

#include <gtest/gtest.h>

#include <climits>

using namespace kalvon;
using namespace kalvon::testing;

TEST(StartLocalGame, SetsUpEachPlayerAndSpawnsTheFirstDraw)
{
    EngineRig rig(GameMode::TwoPlayers);
    EngineState& s = rig.state();
    s.GameActive = false;
    s.Rules = {.startlevel = 150, .maxspecials = 5};
    s.BlockOccurancy.fill(10);
    s.lstSpecials[2] = {6, 7};
    s.Lines[2] = 40;
    s.PieceInPlay[2] = true; // left over from an earlier game
    s.HardDropping[1] = true;
    setField(s, 2, {"111111111111"});
    const uint32_t generation = s.GameGeneration;
    // Per player: the piece to play, then the next piece (weights 10 each: Int(r x 70) / 10).
    rig.random.add({0.0, 0.5, 0.9, 0.2});

    rig.engine.startLocalGame(123456);

    EXPECT_TRUE(s.GameActive);
    EXPECT_TRUE(s.GameStarted);
    EXPECT_NE(s.GameGeneration, generation);
    EXPECT_EQ(s.PlayTimeStart, 123456);
    EXPECT_EQ(s.ActiveLevel, 100) << "the start level is brought into 0..100";
    EXPECT_FALSE(s.HardDropping[1]);
    for (int p : {1, 2}) {
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
    rig.random.add({0.99, 0.0});
    rig.engine.startLocalGame(0);
    EXPECT_EQ(rig.state().Level[1], 1);
    EXPECT_EQ(rig.state().ActiveLevel, 1);
    EXPECT_FALSE(rig.state().PieceInPlay[2]) << "player 2 of an earlier game is gone";
    EXPECT_EQ(rig.state().FallingPiece[1].Type, 6);
    EXPECT_EQ(rig.host.count("DrawField 2"), 0);
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
        for (int guard = 0; guard < kFieldColumns && engine.state().FallingPiece[1].Column > move.column; ++guard)
            engine.MovePieceLeft(1);
        for (int guard = 0; guard < kFieldColumns && engine.state().FallingPiece[1].Column < move.column; ++guard)
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
                trial.state() = live;
                play(trial, {turns, column});
                const long value = valueOf(trial.state(), live.Lines[1]);
                if (value > bestValue) {
                    bestValue = value;
                    best = {turns, column};
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
    EngineState& s = engine.state();
    s.GameMode = GameMode::OnePlayer;
    s.Options = {.sounds = true, .explode = true, .dropTrail = true};
    engine.startLocalGame(clock.nowMs());
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
              fieldText({".....222....", ".......2....", ".......1....", "......111...", "55....2.1...",
                         "55..2.2111..", "55..222333..", "55.2255344..", "33.2255441..", "33.2222211..",
                         "33.2222221..", "33.22222.4..", "55.22212244.", "55.12211224.", "55.11214422.",
                         "55.12244222.", "5524552211.0", "5524422441.0", "222.44133222", "2222221224.0",
                         ".222211222.0", "2.4444311103"}));
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
