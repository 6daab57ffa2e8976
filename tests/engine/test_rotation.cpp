// Turning the falling piece: the shapes, the turn table both ways, and the refusals.

#include "support/enginefakes.h"

#include <gtest/gtest.h>
#include <set>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

using Offsets = std::vector<std::pair<int, int>>;

// The rules' shape table and direction-1 turn table, written out here on their own so that a
// slip in the engine's copy shows.
struct ShapeRule {
    PieceType type;
    std::vector<Offsets> cells; // per orientation
    std::vector<std::pair<int, int>> shift; // direction 1 from each orientation
};

const std::vector<ShapeRule> kRules = {
    { PieceType::TBlock,
        { { { 0, 0 }, { 1, -1 }, { 1, 0 }, { 2, 0 } }, { { 0, 0 }, { 0, 1 }, { 0, 2 }, { 1, 1 } },
            { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 1, 1 } }, { { 0, 0 }, { 0, 1 }, { 0, 2 }, { -1, 1 } } },
        { { 1, -1 }, { -1, 1 }, { 1, -1 }, { -1, 1 } } },
    { PieceType::Lines,
        { { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 } }, { { 0, 0 }, { 0, 1 }, { 0, 2 }, { 0, 3 } } },
        { { 1, -1 }, { -1, 1 } } },
    { PieceType::ZBlock,
        { { { 0, 0 }, { 1, 0 }, { 1, 1 }, { 2, 1 } }, { { 0, 0 }, { 0, 1 }, { -1, 1 }, { -1, 2 } } },
        { { 1, -1 }, { -1, 1 } } },
    { PieceType::SBlock,
        { { { 0, 0 }, { 1, 0 }, { 1, -1 }, { 2, -1 } }, { { 0, 0 }, { 0, 1 }, { 1, 1 }, { 1, 2 } } },
        { { 1, -2 }, { -1, 2 } } },
    { PieceType::LBlock,
        { { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 0, 1 } }, { { 0, 0 }, { 1, 0 }, { 1, 1 }, { 1, 2 } },
            { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 2, -1 } }, { { 0, 0 }, { 0, 1 }, { 0, 2 }, { 1, 2 } } },
        { { 0, 0 }, { -1, 1 }, { 1, -2 }, { 0, 1 } } },
    { PieceType::LBlock2,
        { { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 2, 1 } }, { { 0, 0 }, { 0, 1 }, { 0, 2 }, { -1, 2 } },
            { { 0, 0 }, { 0, 1 }, { 1, 1 }, { 2, 1 } }, { { 0, 0 }, { 1, 0 }, { 0, 1 }, { 0, 2 } } },
        { { 2, -1 }, { -1, 1 }, { 0, 0 }, { -1, 0 } } },
};

std::set<std::pair<int, int>> occupiedCells(const EngineState& s, int p)
{
    std::set<std::pair<int, int>> cells;
    for (int x = 0; x < kFieldColumns; ++x)
        for (int y = 0; y < kFieldRows; ++y)
            if (s.FieldOccupied[p][x][y] == kCellOccupied)
                cells.insert({ x, y });
    return cells;
}

std::set<std::pair<int, int>> expectedCells(const ShapeRule& rule, int orientation, int column, int row)
{
    std::set<std::pair<int, int>> cells;
    for (auto [dx, dy] : rule.cells[static_cast<size_t>(orientation - 1)])
        cells.insert({ column + dx, row + dy });
    return cells;
}

} // namespace

TEST(RotatePiece, FollowsTheTurnTableBothWays)
{
    for (const ShapeRule& rule : kRules) {
        const int count = static_cast<int>(rule.cells.size());
        for (int from = 1; from <= count; ++from) {
            SCOPED_TRACE(::testing::Message() << "type " << static_cast<int>(rule.type) << " from " << from);
            EngineRig rig;
            rig.state().Options.sounds = true;
            rig.place(1, rule.type, from, 5, 10);
            const auto start = occupiedCells(rig.state(), 1);
            ASSERT_EQ(start, expectedCells(rule, from, 5, 10));

            rig.engine.RotatePiece(1, 1);
            const int to = from % count + 1;
            const auto [dx, dy] = rule.shift[static_cast<size_t>(from - 1)];
            const FallingPieceRecord& piece = rig.state().FallingPiece[1];
            EXPECT_EQ(piece.Orientation, to);
            EXPECT_EQ(piece.Column, 5 + dx);
            EXPECT_EQ(piece.Row, 10 + dy);
            EXPECT_EQ(occupiedCells(rig.state(), 1), expectedCells(rule, to, 5 + dx, 10 + dy));
            // Any direction other than 1 turns back.
            rig.engine.RotatePiece(1, 2);
            EXPECT_EQ(piece.Orientation, from);
            EXPECT_EQ(piece.Column, 5);
            EXPECT_EQ(piece.Row, 10);
            EXPECT_EQ(occupiedCells(rig.state(), 1), start);
            EXPECT_EQ(rig.host.sounds, std::vector<SoundSlot>(2, SoundSlot::Rotate));
        }
    }
}

TEST(RotatePiece, AFullRoundReturnsToTheStartEitherWay)
{
    for (const ShapeRule& rule : kRules) {
        for (int direction : { 1, 2, 7 }) {
            SCOPED_TRACE(
                ::testing::Message() << "type " << static_cast<int>(rule.type) << " direction " << direction);
            EngineRig rig;
            rig.place(1, rule.type, 1, 5, 10);
            const auto start = occupiedCells(rig.state(), 1);
            auto everyTurn = start; // the cells all orientations share
            for (size_t turn = 0; turn < rule.cells.size(); ++turn) {
                rig.engine.RotatePiece(1, direction);
                const auto now = occupiedCells(rig.state(), 1);
                EXPECT_EQ(now.size(), 4u);
                std::erase_if(everyTurn, [&](auto cell) { return !now.contains(cell); });
            }
            EXPECT_EQ(occupiedCells(rig.state(), 1), start);
            if (rule.type == PieceType::TBlock) {
                // The tblock turns about its middle cell.
                EXPECT_EQ(everyTurn, (std::set<std::pair<int, int>>{ { 6, 10 } }));
            }
            EXPECT_EQ(rig.state().FallingPiece[1].Column, 5);
            EXPECT_EQ(rig.state().FallingPiece[1].Row, 10);
        }
    }
}

TEST(RotatePiece, IsRefusedWhereTheTurnLeavesTheFieldOrMeetsABlock)
{
    struct Case {
        const char* name;
        PieceType type;
        int orientation, column, row;
        std::pair<int, int> block; // a locked block, (-1, -1) for none
        bool turns;
        std::vector<int> directions = { 1, 2 };
    };
    const Case cases[] = {
        { "flat line in row 0 cannot stand up", PieceType::Lines, 1, 3, 0, { -1, -1 }, false },
        { "flat line in row 21 cannot stand up", PieceType::Lines, 1, 3, 21, { -1, -1 }, false },
        { "upright line in column 0 cannot lie down", PieceType::Lines, 2, 0, 5, { -1, -1 }, false },
        { "upright line in column 10 cannot lie down", PieceType::Lines, 2, 10, 5, { -1, -1 }, false },
        { "upright line in column 11 cannot lie down", PieceType::Lines, 2, 11, 5, { -1, -1 }, false },
        { "upright line in column 1 lies down", PieceType::Lines, 2, 1, 5, { -1, -1 }, true },
        { "tblock blocked on its one new cell", PieceType::TBlock, 1, 4, 10, { 5, 11 }, false },
        { "tblock beside a block it never covers", PieceType::TBlock, 1, 4, 10, { 4, 11 }, true },
        { "sblock blocked on a new cell", PieceType::SBlock, 1, 4, 10, { 5, 8 }, false },
        { "lblock against the right wall", PieceType::LBlock, 4, 10, 10, { -1, -1 }, false, { 1 } },
        { "lblock turning back from the right wall", PieceType::LBlock, 4, 10, 10, { -1, -1 }, true, { 2 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig;
        rig.state().Options.sounds = true;
        if (c.block.first >= 0) {
            rig.state().FieldOccupied[1][c.block.first][c.block.second] = kCellOccupied;
            rig.state().FieldColor[1][c.block.first][c.block.second] = 1;
        }
        rig.place(1, c.type, c.orientation, c.column, c.row);
        const std::string before = fieldText(rig.state(), 1);
        for (int direction : c.directions) {
            EngineRig turned;
            turned.state() = rig.state();
            turned.engine.RotatePiece(1, direction);
            const bool changed = fieldText(turned.state(), 1) != before;
            EXPECT_EQ(changed, c.turns) << "direction " << direction;
            EXPECT_EQ(turned.state().FallingPiece[1].Orientation != c.orientation, c.turns);
            EXPECT_EQ(turned.host.sounds.size(), c.turns ? 1u : 0u);
        }
    }
}

TEST(RotatePiece, LeavesVacatedCellsWithTheirFallingCode)
{
    EngineRig rig;
    rig.place(1, PieceType::Lines, 1, 3, 10);
    rig.engine.RotatePiece(1, 1); // stands up in column 4, rows 9..12
    EXPECT_EQ(rig.state().FieldOccupied[1][6][10], kCellEmpty);
    EXPECT_EQ(rig.state().FieldColor[1][6][10], 90);
    EXPECT_EQ(fieldText(rig.state(), 1).substr(9 * 13, 4 * 13 - 1),
        "....a.......\n....a.......\n....a.......\n....a.......");
}

TEST(RotatePiece, DoesNothingForTheSquareOrAPlayerWithoutATurn)
{
    auto place = [](PieceType type) {
        return [type](EngineRig& rig, int p) {
            rig.state().Options.sounds = true;
            rig.place(p, type, 1, 4, 10);
        };
    };
    auto turnBothWays = [](GameEngine& engine, int p) {
        engine.RotatePiece(p, 1);
        engine.RotatePiece(p, 2);
    };
    expectRefused({ { "square", GameMode::OnePlayer, 1 } }, place(PieceType::Square), turnBothWays);
    expectRefused(
        {
            { "player 2 alone", GameMode::OnePlayer, 2 },
            { "player 2 in internet play", GameMode::Internet, 2 },
            { "no piece in play", GameMode::OnePlayer, 1, [](EngineState& s) { s.PieceInPlay[1] = false; } },
        },
        place(PieceType::TBlock), turnBothWays);
}
