// Moving the falling piece sideways and down, the hard drop, the landing test and the shadow.

#include "support/enginefakes.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

TEST(SidewaysMove, MovesWholeOrNotAtAll)
{
    enum Side { Left, Right };
    struct Case {
        const char* name;
        PieceType type;
        int orientation, column, row;
        std::vector<std::string_view> field; // the bottom rows; the piece is added to them
        Side side;
        int expectedColumn;
    };
    const Case cases[] = {
        { "flat line at the left wall", PieceType::Lines, 1, 0, 21, {}, Left, 0 },
        { "flat line at the right wall", PieceType::Lines, 1, 8, 21, {}, Right, 8 },
        { "square against a block on its left", PieceType::Square, 1, 3, 20,
            { "..1.........", "............" }, Left, 3 },
        { "square against a block on its right", PieceType::Square, 1, 3, 20,
            { "............", ".....1......" }, Right, 3 },
        { "upright line blocked at its foot only", PieceType::Lines, 2, 4, 18,
            { "............", "............", "............", "...1........" }, Left, 4 },
        { "square moves left", PieceType::Square, 1, 3, 20, {}, Left, 2 },
        { "tblock moves right under an overhang it does not touch", PieceType::TBlock, 1, 3, 21,
            { "......1.....", "............" }, Right, 4 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig;
        std::vector<std::string_view> rows = c.field;
        EngineState& s = rig.state();
        setField(s, 1, {});
        for (size_t i = 0; i < rows.size(); ++i)
            for (int x = 0; x < kFieldColumns; ++x)
                if (rows[i][static_cast<size_t>(x)] != '.') {
                    const int y = kFieldRows - static_cast<int>(rows.size()) + static_cast<int>(i);
                    s.FieldOccupied[1][x][y] = kCellOccupied;
                    s.FieldColor[1][x][y] = 1;
                }
        rig.place(1, c.type, c.orientation, c.column, c.row);
        const std::string before = fieldText(s, 1);
        if (c.side == Left)
            rig.engine.MovePieceLeft(1);
        else
            rig.engine.MovePieceRight(1);
        EXPECT_EQ(s.FallingPiece[1].Column, c.expectedColumn);
        if (c.expectedColumn == c.column)
            EXPECT_EQ(fieldText(s, 1), before);
        else
            EXPECT_NE(fieldText(s, 1), before);
    }
}

TEST(SidewaysMove, LeavesTheVacatedCellsTheirFallingCode)
{
    EngineRig rig;
    rig.place(1, PieceType::Square, 1, 3, 20);
    rig.engine.MovePieceRight(1);
    EXPECT_EQ(fieldText(rig.state(), 1), fieldText({ "....ff......", "....ff......" }));
    EXPECT_EQ(rig.state().FieldColor[1][3][20], 95);
    EXPECT_EQ(rig.state().FieldColor[1][3][21], 95);
}

TEST(SidewaysMove, IsOnlyForAPlayerWithAPieceInPlay)
{
    EngineRig alone;
    alone.place(2, PieceType::Square, 1, 3, 10);
    alone.engine.MovePieceLeft(2);
    alone.engine.MovePieceRight(2);
    EXPECT_EQ(alone.state().FallingPiece[2].Column, 3) << "player 2 does not play alone";

    EngineRig landed;
    landed.place(1, PieceType::Square, 1, 3, 10);
    landed.state().PieceInPlay[1] = false;
    landed.engine.MovePieceLeft(1);
    EXPECT_EQ(landed.state().FallingPiece[1].Column, 3);
}

TEST(MovePieceDown, MovesOneRowMarkingAllFourCells)
{
    EngineRig rig;
    rig.place(1, PieceType::ZBlock, 1, 4, 10);
    EXPECT_TRUE(rig.engine.MovePieceDown(1));
    EXPECT_EQ(rig.state().FallingPiece[1].Row, 11);
    EXPECT_FALSE(rig.state().PieceLanding[1]);
    EXPECT_EQ(
        fieldText(rig.state(), 1).substr(10 * 13, 3 * 13 - 1), "............\n....cc......\n.....cc.....");
    EXPECT_TRUE(rig.host.calls.empty()) << "the tick redraws";

    // Switch Blocks empties the piece's cells but keeps the piece; the next row down shows it whole.
    for (int x = 0; x < kFieldColumns; ++x)
        rig.state().FieldOccupied[1][x][11] = rig.state().FieldOccupied[1][x][12] = kCellEmpty;
    rig.engine.MovePieceDown(1);
    EXPECT_EQ(
        fieldText(rig.state(), 1).substr(11 * 13, 3 * 13 - 1), "............\n....cc......\n.....cc.....");
}

TEST(MovePieceDown, LandsABlockedPieceInItsLockedColour)
{
    // zblock and lblock2 share the falling code 92; both lock as colour 2.
    for (PieceType type : { PieceType::ZBlock, PieceType::LBlock2, PieceType::Square }) {
        SCOPED_TRACE(static_cast<int>(type));
        EngineRig rig;
        rig.random.add({ 0.0 }); // the next piece drawn by the landing
        rig.place(1, type, 1, 4, 20);
        EXPECT_TRUE(rig.engine.MovePieceDown(1));
        const char locked = type == PieceType::Square ? '5' : '2';
        int lockedCells = 0;
        for (char c : fieldText(rig.state(), 1).substr(20 * 13))
            lockedCells += c == locked;
        EXPECT_EQ(lockedCells, 4);
        EXPECT_EQ(rig.host.label(LabelId::Lines, 1), "Lines: 0") << "the line clear ran";
        EXPECT_TRUE(rig.state().PieceInPlay[1]) << "the next piece is in play";
        EXPECT_FALSE(rig.state().PieceLanding[1]);
    }
}

TEST(MovePieceDown, DoesNothingWhenThePieceMayNotMove)
{
    expectRefused(
        {
            { "no piece in play (between landing and spawn)", GameMode::OnePlayer, 1,
                [](EngineState& s) { s.PieceInPlay[1] = false; } },
            { "game paused", GameMode::OnePlayer, 1, [](EngineState& s) { s.GameActive = false; } },
            { "fields being switched", GameMode::TwoPlayers, 1, [](EngineState& s) { s.SwitchBusy = true; } },
            { "player 2 alone", GameMode::OnePlayer, 2 },
            { "player 2 in internet play", GameMode::Internet, 2 },
        },
        // Resting on the floor: a move would land it.
        [](EngineRig& rig, int p) { rig.place(p, PieceType::Square, 1, 4, 20); },
        [](GameEngine& engine, int p) { EXPECT_FALSE(engine.MovePieceDown(p)); });
}

TEST(HardDrop, DropsToTheBottomWithSoundTrailAndPoints)
{
    EngineRig rig;
    rig.state().Options = { .sounds = true, .dropTrail = true };
    rig.random.add({ 0.0 });
    rig.place(1, PieceType::Lines, 2, 3, 2);
    rig.engine.HardDrop(1);
    EXPECT_EQ(
        fieldText(rig.state(), 1).substr(18 * 13), "...0........\n...0........\n...0........\n...0........");
    EXPECT_EQ(rig.host.sounds.front(), SoundSlot::Drop);
    EXPECT_EQ(rig.host.trails, (std::vector<RecordingEngineHost::Trail>{ { 1, 3, 2, 1, 2, 18 } }));
    EXPECT_EQ(rig.state().Score, 20);
    EXPECT_EQ(rig.host.label(LabelId::Score, 1), "20");
    EXPECT_FALSE(rig.state().HardDropping[1]);
}

TEST(HardDrop, OfARestingPieceLocksAtOnce)
{
    EngineRig rig;
    rig.state().Options.dropTrail = true;
    rig.random.add({ 0.0 });
    rig.place(1, PieceType::Square, 1, 0, 20);
    rig.engine.HardDrop(1);
    EXPECT_EQ(rig.host.trails, (std::vector<RecordingEngineHost::Trail>{ { 1, 0, 20, 4, 1, 20 } }));
    EXPECT_EQ(rig.state().Score, 20);
    EXPECT_EQ(fieldText(rig.state(), 1).substr(20 * 13), "55..........\n55..........");
}

TEST(HardDrop, EarnsPointsOnlyForPlayerOneAlone)
{
    EngineRig rig(GameMode::TwoPlayers);
    rig.random.add({ 0.0, 0.0 });
    rig.state().BlockOccurancy.fill(10);
    rig.place(1, PieceType::Square, 1, 0, 0);
    rig.place(2, PieceType::Square, 1, 0, 0);
    rig.engine.HardDrop(1);
    rig.engine.HardDrop(2);
    EXPECT_EQ(rig.state().Score, 0);
    EXPECT_EQ(rig.host.label(LabelId::Score, 1), "<unset>");
    EXPECT_EQ(rig.state().FieldColor[2][0][21], 5) << "player 2 dropped too";
}

TEST(HardDrop, ReturnsAtOnceWhenThePieceCannotFall)
{
    expectRefused(
        {
            { "player 2 alone", GameMode::OnePlayer, 2 },
            { "game paused", GameMode::OnePlayer, 1, [](EngineState& s) { s.GameActive = false; } },
            { "fields being switched", GameMode::TwoPlayers, 1, [](EngineState& s) { s.SwitchBusy = true; } },
            { "drop already running", GameMode::OnePlayer, 1,
                [](EngineState& s) { s.HardDropping[1] = true; } },
            { "no piece in play", GameMode::OnePlayer, 1, [](EngineState& s) { s.PieceInPlay[1] = false; } },
        },
        [](EngineRig& rig, int p) {
            rig.state().Options = { .sounds = true, .dropTrail = true };
            rig.place(p, PieceType::Square, 1, 4, 5);
        },
        [](GameEngine& engine, int p) { engine.HardDrop(p); });
}

TEST(LandingTest, AnswersWhetherAnyColumnRestsOnSomething)
{
    struct Case {
        const char* name;
        PieceType type;
        int orientation, column, row;
        std::pair<int, int> block;
        bool resting;
        GameMode mode = GameMode::OnePlayer;
        int player = 1;
        bool active = true;
    };
    const Case cases[] = {
        { "flat line in row 21", PieceType::Lines, 1, 2, 21, { -1, -1 }, true },
        { "flat line in row 20 over an empty row", PieceType::Lines, 1, 2, 20, { -1, -1 }, false },
        { "one column on a block, the others over holes", PieceType::Lines, 1, 2, 15, { 5, 16 }, true },
        { "block beside the piece", PieceType::Lines, 1, 2, 15, { 6, 16 }, false },
        { "sblock's raised column on a block", PieceType::SBlock, 1, 4, 10, { 6, 10 }, true },
        { "paused game", PieceType::Lines, 1, 2, 21, { -1, -1 }, false, GameMode::OnePlayer, 1, false },
        { "player 2 alone", PieceType::Lines, 1, 2, 21, { -1, -1 }, false, GameMode::OnePlayer, 2 },
        { "player 2 of two", PieceType::Lines, 1, 2, 21, { -1, -1 }, true, GameMode::TwoPlayers, 2 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig(c.mode);
        rig.state().GameActive = c.active;
        if (c.block.first >= 0)
            rig.state().FieldOccupied[c.player][c.block.first][c.block.second] = kCellOccupied;
        rig.place(c.player, c.type, c.orientation, c.column, c.row);
        EXPECT_EQ(rig.engine.IsPieceBlockedBelow(c.player), c.resting);
    }
}

TEST(Shadow, FallsPerColumnOntoTheFirstBlockBelow)
{
    using Shadows = std::vector<RecordingEngineHost::Shadow>;
    struct Case {
        const char* name;
        PieceType type;
        int orientation, column, row;
        std::vector<std::pair<int, int>> blocks;
        Shadows expected;
    };
    const Case cases[] = {
        { "flat line in an empty field", PieceType::Lines, 1, 5, 0, {},
            { { 1, 5, 22 }, { 1, 6, 22 }, { 1, 7, 22 }, { 1, 8, 22 } } },
        { "one column over a block", PieceType::Lines, 1, 5, 0, { { 6, 12 } },
            { { 1, 5, 22 }, { 1, 6, 12 }, { 1, 7, 22 }, { 1, 8, 22 } } },
        { "column already in row 21 has no landing row", PieceType::Lines, 2, 3, 18, {}, { { 1, 3, 0 } } },
        { "sblock searches its raised column from its own lowest cell", PieceType::SBlock, 1, 4, 10,
            { { 6, 10 }, { 4, 15 } }, { { 1, 4, 15 }, { 1, 5, 22 }, { 1, 6, 10 } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig;
        rig.state().Options.shadows = true;
        for (auto [x, y] : c.blocks)
            rig.state().FieldOccupied[1][x][y] = kCellOccupied;
        rig.place(1, c.type, c.orientation, c.column, c.row);
        rig.engine.DrawPieceShadow(1);
        EXPECT_EQ(rig.host.shadows, c.expected);
    }
}

TEST(Shadow, IsDrawnOnlyWithTheOptionAndNotDuringADrop)
{
    EngineRig rig;
    rig.place(1, PieceType::Square, 1, 4, 4);
    rig.engine.DrawPieceShadow(1);
    EXPECT_TRUE(rig.host.shadows.empty());
    rig.state().Options.shadows = true;
    rig.state().HardDropping[1] = true;
    rig.engine.DrawPieceShadow(1);
    EXPECT_TRUE(rig.host.shadows.empty());
    EXPECT_EQ(rig.engine.GetLandingRow(1, 4, 21), std::nullopt);
    EXPECT_EQ(rig.engine.GetLandingRow(1, 4, 5), 22);
}
