// The edges of the field specials: where the falling piece goes, when nothing happens, and
// how far the random draws go.

#include "specialsrig.h"

#include <functional>
#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

// The rows of the falling piece's cells.
std::vector<int> pieceRows(const EngineState& s, int p)
{
    std::vector<int> rows;
    for (int y = 0; y < kFieldRows; ++y)
        for (int x = 0; x < kFieldColumns; ++x)
            if (s.FieldOccupied[p][x][y] == kCellOccupied && s.FieldColor[p][x][y] >= kFallingCodeOffset)
                rows.push_back(y);
    return rows;
}

} // namespace

TEST(AddLine, PullsAPieceOutOfTheTopTwoRowsFirst)
{
    SpecialsRig rig;
    rig.place(2, PieceType::Lines, 1, 3, 0);
    rig.state().FieldOccupied[2][7][0] = kCellOccupied; // a block in the top row, lost
    rig.addZeros(12);

    rig.specials.AddLine(2);

    // Pulled down to row 2, then up with the field: it keeps its place relative to the blocks.
    EXPECT_EQ(rig.state().FallingPiece[2].Row, 1);
    EXPECT_EQ(pieceRows(rig.state(), 2), (std::vector<int>{ 1, 1, 1, 1 }));
    EXPECT_EQ(rig.state().FieldOccupied[2][7][0], kCellEmpty);
    EXPECT_EQ(fieldText(rig.state(), 2).substr(21 * 13), ".00000000000");
}

TEST(AddLine, TheHoleIsInColumnsZeroToNine)
{
    const std::pair<double, int> cases[] = { { 0.0, 0 }, { pick(4, 10), 4 }, { 0.9999, 9 } };
    for (auto [r, hole] : cases) {
        SCOPED_TRACE(hole);
        SpecialsRig rig;
        rig.random.add({ r });
        rig.addZeros(11);
        rig.specials.AddLine(1);
        std::string expected(kFieldColumns, '0');
        expected[static_cast<size_t>(hole)] = '.';
        EXPECT_EQ(fieldText(rig.state(), 1).substr(21 * 13), expected);
        EXPECT_EQ(rig.state().FieldColor[1][hole][21], 0) << "the hole's code is 0";
    }
}

TEST(AddLine, DoesNothingWhileTheGameIsNotRunning)
{
    SpecialsRig rig;
    rig.state().GameActive = false;
    rig.state().GamePaused = true;
    setField(rig.state(), 1, { "1..........." });
    rig.specials.AddLine(1);
    EXPECT_EQ(fieldText(rig.state(), 1), fieldText({ "1..........." }));
    EXPECT_EQ(rig.random.drawn, 0);
}

TEST(ClearLine, RemovesTheBottomRowAndMovesThePieceAlong)
{
    struct Case {
        const char* name;
        GameMode mode;
        bool paused;
        PieceType type;
        int column, row;
        std::vector<std::string_view> before, after; // the locked blocks; the piece is added
        int pieceRow; // afterwards
    };
    const Case cases[] = {
        { "a piece in the middle moves down with the field", GameMode::TwoPlayers, false, PieceType::Square,
            5, 10, { "3...........", "444444444.44" }, { "3..........." }, 11 },
        // The square lands first (no row fills), the next piece comes in at the top and moves
        // down with the rest: nothing leaves the field.
        { "a piece resting on the floor lands first", GameMode::TwoPlayers, false, PieceType::Square, 0, 20,
            { "..11111111.." }, { "55.........." }, 1 },
        { "a resting piece that cannot land now keeps the line", GameMode::TwoPlayers, true,
            PieceType::Square, 0, 20, { "..11111111.." }, { "ff..........", "ff11111111.." }, 20 },
        { "one-player play has no Clear Line", GameMode::OnePlayer, false, PieceType::Square, 5, 10,
            { "3...........", "444444444.44" }, { "3...........", "444444444.44" }, 10 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SpecialsRig rig(c.mode);
        const int t = 1;
        rig.state().GameActive = !c.paused;
        rig.state().GamePaused = c.paused;
        rig.state().NextPiece[t] = static_cast<int16_t>(PieceType::Lines);
        rig.state().BlockOccurancy.fill(10);
        rig.random.add({ 0.0 }); // the piece after the next, when the piece lands
        setField(rig.state(), t, c.before);
        rig.place(t, c.type, 1, c.column, c.row);

        rig.specials.ClearLine(t);

        EXPECT_EQ(rig.state().FallingPiece[t].Row, c.pieceRow);
        std::string field = fieldText(rig.state(), t);
        for (char& cell : field)
            if (cell >= 'a' && cell <= 'f' && !c.paused)
                cell = '.'; // the piece is checked by its row
        EXPECT_EQ(field, fieldText(c.after));
    }
}

TEST(RandomClear, ClearsOneCellPerFifteenNormalBlocksAndOneMore)
{
    struct Case {
        const char* name;
        bool active;
        std::vector<std::string_view> before, after;
        int draws;
    };
    const Case cases[] = {
        { "15 normal blocks and specials: nothing", true, { "ABC111......", "222222222222" },
            { "ABC111......", "222222222222" }, 0 },
        { "16 normal blocks: two cells", true, { "1111........", "222222222222" },
            { "..11........", "222222222222" }, 2 },
        { "30 normal blocks: three cells", true, { "111111......", "222222222222", "333333333333" },
            { "...111......", "222222222222", "333333333333" }, 3 },
        { "a stopped game: nothing", false, { "1111........", "222222222222" },
            { "1111........", "222222222222" }, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SpecialsRig rig;
        rig.state().GameActive = c.active;
        setField(rig.state(), 2, c.before);
        rig.addZeros(5);
        rig.specials.RandomClear(2);
        EXPECT_EQ(fieldText(rig.state(), 2), fieldText(c.after));
        EXPECT_EQ(rig.random.drawn, c.draws);
    }
}

TEST(RandomClear, ReachesTheLastCellOfTheField)
{
    SpecialsRig rig;
    setField(rig.state(), 1, { "1111........", "222222222222" });
    rig.random.add({ 0.9999, 0.9999 });
    rig.specials.RandomClear(1);
    EXPECT_EQ(fieldText(rig.state(), 1), fieldText({ "1111........", "2222222222.." }));
}

TEST(VerticalClear, GivesUpOnItsFiftiethDraw)
{
    struct Case {
        const char* name;
        std::vector<std::string_view> field;
        double lastDraw;
    };
    const Case cases[] = {
        { "an empty field", {}, 0.0 },
        { "only falling-piece cells", { "aaaa........" }, 0.0 },
        { "a block found only by the 50th draw", { "...........1" }, pick(11, 12) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SpecialsRig rig;
        setField(rig.state(), 2, c.field);
        rig.addZeros(49);
        rig.random.add({ c.lastDraw });
        rig.specials.VerticalClear(2);
        EXPECT_EQ(fieldText(rig.state(), 2), fieldText(c.field));
        EXPECT_EQ(rig.random.drawn, 50);
        EXPECT_EQ(rig.host.count("DrawField 2"), 0);
    }
}

TEST(ClearSpecials, GivesColoursUpToFourAndLeavesOtherCells)
{
    SpecialsRig rig;
    setField(rig.state(), 1, { "A5a.........", "P....O......" });
    rig.random.add({ 0.9999, 0.9999, 0.0 });
    rig.specials.ClearSpecials(1);
    EXPECT_EQ(fieldText(rig.state(), 1), fieldText({ "45a.........", "4....0......" }));
}

TEST(FieldCounts, CountLockedBlocksAndNormalBlocks)
{
    SpecialsRig rig;
    setField(rig.state(), 1, { "a...........", "aA3.........", "aa45........" });
    EXPECT_EQ(rig.specials.CountFieldBlocks(1), 3) << "normal blocks only";
    EXPECT_EQ(rig.specials.CountRowBlocks(1, 20), 2) << "specials count, piece cells do not";
    EXPECT_EQ(rig.specials.CountColumnBlocks(1, 0), 0);
    EXPECT_EQ(rig.specials.CountColumnBlocks(1, 1), 1);
    EXPECT_EQ(rig.specials.CountColumnBlocks(1, 12), 0) << "off the field";
}
