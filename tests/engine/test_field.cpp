// The field: the cell test, spawning a piece, emptying a field, and the row queries.

#include "support/enginefakes.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

std::string topTwoRows(const EngineState& s, int p)
{
    return fieldText(s, p).substr(0, 2 * kFieldColumns + 1);
}

struct SpawnCase {
    PieceType type;
    int referenceRow;
    const char* row0;
    const char* row1;
};

// Every caller spawns at column 5, row 0; tblock and sblock sit one row lower.
const SpawnCase kSpawns[] = {
    { PieceType::TBlock, 1, "......b.....", ".....bbb...." },
    { PieceType::Lines, 0, ".....aaaa...", "............" },
    { PieceType::ZBlock, 0, ".....cc.....", "......cc...." },
    { PieceType::SBlock, 1, "......ee....", ".....ee....." },
    { PieceType::Square, 0, ".....ff.....", ".....ff....." },
    { PieceType::LBlock, 0, ".....ddd....", ".....d......" },
    { PieceType::LBlock2, 0, ".....ccc....", ".......c...." },
};

} // namespace

TEST(SpawnPiece, PutsEachTypeIntoTheTopRows)
{
    for (const SpawnCase& c : kSpawns) {
        SCOPED_TRACE(static_cast<int>(c.type));
        EngineRig rig;
        rig.engine.SpawnPiece(1, static_cast<int>(c.type), 5, 0);
        EXPECT_EQ(topTwoRows(rig.state(), 1), std::string(c.row0) + "\n" + c.row1);
        const FallingPieceRecord& piece = rig.state().FallingPiece[1];
        EXPECT_EQ(piece.Type, static_cast<int>(c.type));
        EXPECT_EQ(piece.Orientation, 1);
        EXPECT_EQ(piece.Column, 5);
        EXPECT_EQ(piece.Row, c.referenceRow);
        EXPECT_TRUE(rig.state().PieceInPlay[1]);
        EXPECT_EQ(rig.host.calls, std::vector<std::string>{ "DrawField 1" });
    }
}

TEST(SpawnPiece, AnyBlockedSpawnCellEndsTheGameAndChangesNothing)
{
    for (const SpawnCase& c : kSpawns) {
        const std::string rows = std::string(c.row0) + c.row1;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i] == '.')
                continue;
            SCOPED_TRACE(::testing::Message() << "type " << static_cast<int>(c.type) << " cell " << i);
            EngineRig rig;
            const int x = static_cast<int>(i % kFieldColumns);
            const int y = static_cast<int>(i / kFieldColumns);
            rig.state().FieldOccupied[1][x][y] = kCellOccupied;
            rig.state().FieldColor[1][x][y] = 3;
            const std::string before = fieldText(rig.state(), 1);
            // The lost game fills the field behind its closed doors; it is looked at before.
            rig.state().Options.doors = true;
            rig.random.values.assign(kFieldCells, 0.0);
            std::string atLoss;
            rig.host.onCall = [&](const std::string& call) {
                if (call == "GameTimer off")
                    atLoss = fieldText(rig.state(), 1);
            };

            rig.engine.SpawnPiece(1, static_cast<int>(c.type), 5, 0);

            EXPECT_EQ(atLoss, before);
            EXPECT_FALSE(rig.state().PieceInPlay[1]);
            EXPECT_FALSE(rig.state().GameActive) << "the player has lost";
            EXPECT_EQ(rig.host.count("DrawField 1"), 0);
        }
    }
}

TEST(SpawnPiece, IsRefusedWithoutLosingWhenThePlayerCannotTakeAPiece)
{
    expectRefused(
        {
            { "player 2 alone", GameMode::OnePlayer, 2 },
            { "player 2 in internet play", GameMode::Internet, 2 },
            { "piece still in play", GameMode::OnePlayer, 1,
                [](EngineState& s) { s.PieceInPlay[1] = true; } },
            { "landing in progress", GameMode::OnePlayer, 1,
                [](EngineState& s) { s.PieceLanding[1] = true; } },
            { "fields being switched", GameMode::TwoPlayers, 2, [](EngineState& s) { s.SwitchBusy = true; } },
        },
        [](EngineRig& rig, int p) { setField(rig.state(), p, { "55555555555." }); },
        [](GameEngine& engine, int p) { engine.SpawnPiece(p, static_cast<int>(PieceType::Square), 5, 0); });
}

TEST(IsCellOccupied, CountsOnlyMinusOneAndEverythingOffTheField)
{
    EngineRig rig;
    rig.state().FieldOccupied[1][3][4] = kCellOccupied;
    rig.state().FieldOccupied[1][4][4] = 1; // only -1 means occupied
    rig.state().FieldOccupied[3][0][0] = kCellOccupied;
    struct Case {
        int p, column, row;
        bool occupied;
    };
    const Case cases[] = {
        { 1, 3, 4, true },
        { 1, 4, 4, false },
        { 1, 5, 4, false },
        { 3, 0, 0, true },
        { 1, -1, 0, true },
        { 1, 12, 0, true },
        { 1, 0, -1, true },
        { 1, 0, 22, true },
        { 0, 5, 5, true },
        { 4, 5, 5, true },
        { 1, 0, 0, false },
        { 1, 11, 21, false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(rig.engine.IsCellOccupied(c.p, c.column, c.row), c.occupied)
            << "player " << c.p << " cell (" << c.column << ", " << c.row << ")";
}

TEST(RedrawField, EmptiesTheFieldKeepingItsCodes)
{
    EngineRig rig;
    setField(rig.state(), 1, { "..3...A.....", "012345ABCDEF" });
    setField(rig.state(), 2, { "111111111111" });
    rig.engine.RedrawField(1);
    EXPECT_EQ(fieldText(rig.state(), 1), fieldText({}));
    EXPECT_EQ(rig.state().FieldColor[1][6][20], 6);
    EXPECT_EQ(rig.state().FieldColor[1][11][21], 11);
    EXPECT_EQ(fieldText(rig.state(), 2), fieldText({ "111111111111" })) << "other fields stay";
    EXPECT_EQ(rig.host.calls,
        (std::vector<std::string>{ "ResetSentField", "ResetTrailLastDrawTime 1", "PaintFieldBackground 1" }));

    rig.host.clear();
    rig.engine.RedrawField(2);
    EXPECT_EQ(rig.host.count("ResetSentField"), 0) << "only field 1 is reported to the server";
}

TEST(FieldRows, CountCellsAndSeeBlocksInTheTopFourRows)
{
    EngineRig rig;
    setField(rig.state(), 1, { "1.1.1.1.1.1.", "5555555555.5" });
    EXPECT_EQ(rig.engine.CountRowCells(1, 21), 11);
    EXPECT_EQ(rig.engine.CountRowCells(1, 20), 6);
    EXPECT_EQ(rig.engine.CountRowCells(1, 0), 0);

    struct Case {
        const char* name;
        int row;
        int16_t color;
        bool warns;
    };
    const Case cases[] = {
        { "locked block in row 3", 3, 2, true },
        { "special block in row 0", 0, 20, true },
        { "locked block in row 4", 4, 2, false },
        { "falling piece in row 0", 0, 93, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig top;
        top.state().FieldOccupied[1][7][c.row] = kCellOccupied;
        top.state().FieldColor[1][7][c.row] = c.color;
        EXPECT_EQ(top.engine.HasBlocksInTopRows(1), c.warns);
    }
}
