// The edges of the rearranging specials and the block bomb: which rows Switch Blocks clears,
// how far Block Gravity lets blocks fall, when Block Quake finds no row, the bomb's neighbours
// and animation, and the random placement's last draw.

#include "specialsrig.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

void setRows(EngineState& s, int p, const std::vector<std::string>& rows)
{
    setField(s, p, rowsOf(rows));
}

std::string textOf(const std::vector<std::string>& rows)
{
    return fieldText(rowsOf(rows));
}

} // namespace

TEST(SwitchBlocks, ClearsTheTopSevenRowsAndTradesTheRest)
{
    SpecialsRig rig;
    setRows(rig.state(), 1,
        rowsAt(
            { { 5, "1..........." }, { 6, "1..........." }, { 7, ".1.........." }, { 10, "..aa........" } }));
    setRows(rig.state(), 2, rowsAt({ { 0, "...2........" }, { 7, "....2......." }, { 21, "22222222222." } }));

    rig.specials.SwitchBlocks();

    EXPECT_EQ(fieldText(rig.state(), 1), textOf(rowsAt({ { 7, "....2......." }, { 21, "22222222222." } })));
    EXPECT_EQ(fieldText(rig.state(), 2), textOf(rowsAt({ { 7, ".1.........." } })))
        << "blocks of rows 0 to 6 and falling-piece cells are gone";
    EXPECT_FALSE(rig.state().SwitchBusy);
}

TEST(BlockGravity, LetsBlocksFallIntoTheHolesBelow)
{
    struct Case {
        const char* name;
        std::vector<std::string> before, after;
        int pieceRow = -1; // a square's reference row in the field, when there is one
        int pieceRowAfter = -1;
    };
    std::vector<std::string> fullColumn(kFieldRows, "1...........");
    fullColumn[20] = "1....3......";
    std::vector<std::string> fullColumnAfter(kFieldRows, "1...........");
    fullColumnAfter[0] = "............";
    fullColumnAfter[21] = "1....3......";
    const Case cases[] = {
        { "blocks far apart end at the bottom", rowsAt({ { 3, "..4........." }, { 10, "..5........." } }),
            rowsAt({ { 20, "..4........." }, { 21, "..5........." } }) },
        // The bottom row fills and goes without counting; the piece moves down with the field.
        { "a full bottom row is removed",
            rowsAt({ { 19, "..2........." }, { 20, "1..........." }, { 21, ".11111111111" } }),
            rowsAt({ { 21, "..2........." } }), 10, 11 },
        // Row 0 is cleared in every column after each fall: a full column loses its top block.
        { "a fall clears row 0", fullColumn, fullColumnAfter },
        { "falling-piece cells stay where they are", rowsAt({ { 5, "......a....." } }),
            rowsAt({ { 5, "......a....." } }) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SpecialsRig rig;
        setRows(rig.state(), 2, c.before);
        if (c.pieceRow >= 0)
            rig.place(2, PieceType::Square, 1, 8, c.pieceRow);

        rig.specials.BlockGravity(2);

        std::string field = fieldText(rig.state(), 2);
        if (c.pieceRow >= 0) {
            EXPECT_EQ(rig.state().FallingPiece[2].Row, c.pieceRowAfter);
            EXPECT_EQ(field.substr(static_cast<size_t>(c.pieceRowAfter) * 13 + 8, 2), "ff");
            for (char& cell : field)
                if (cell == 'f')
                    cell = '.';
        }
        EXPECT_EQ(field, textOf(c.after));
        EXPECT_EQ(rig.state().Lines[2], 0);
    }
}

TEST(BlockGravity, DoesNothingWhileTheGameIsNotRunning)
{
    SpecialsRig rig;
    rig.state().GameActive = false;
    setField(rig.state(), 1, { "1...........", "............" });
    rig.specials.BlockGravity(1);
    EXPECT_EQ(fieldText(rig.state(), 1), fieldText({ "1...........", "............" }));
}

TEST(BlockQuake, LeavesTheFieldWhenNoShakeIsPossible)
{
    struct Case {
        const char* name;
        bool active;
        std::vector<std::string_view> field;
        int draws;
    };
    const Case cases[] = {
        { "nine normal blocks and specials", true, { "ABCDE.......", "111111111..." }, 0 },
        // Ten blocks, all in rows that hold piece cells: every row is tried once per shake.
        { "no row without piece cells", true, { "..........ff", "1111111111ff" }, 3 * kFieldRows },
        { "a stopped game", false, { "111111111111" }, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SpecialsRig rig;
        rig.state().GameActive = c.active;
        setField(rig.state(), 1, c.field);
        rig.addZeros(3 * kFieldRows);

        rig.specials.BlockQuake(1);

        EXPECT_EQ(fieldText(rig.state(), 1), fieldText(c.field));
        EXPECT_EQ(rig.random.drawn, c.draws);
        EXPECT_FALSE(rig.state().QuakeActive[1]);
    }
}

TEST(BlockQuake, PutsEveryBlockOfAFullRowBack)
{
    SpecialsRig rig;
    setField(rig.state(), 1, { "012345012345" });
    // Each shake takes row 21 apart and puts its blocks back from the left, after a few taken
    // columns were drawn.
    for (int shake = 0; shake < 3; ++shake) {
        rig.random.add({ pick(21, 22), pick(0, 12) });
        for (int x = 1; x < kFieldColumns; ++x)
            rig.random.add({ pick(x - 1, 12), pick(x, 12) });
    }
    rig.specials.BlockQuake(1);
    EXPECT_EQ(fieldText(rig.state(), 1), fieldText({ "012345012345" }));
    EXPECT_TRUE(rig.random.values.empty());
}

TEST(BlockBomb, AnimationStartsOnAnEvenCellUpToTwoCellsAboveAndLeft)
{
    // Bomb at (c, r): the 4 x 4 animation starts at (c - 1.5, r - 1.5), halves to even.
    const int starts[kFieldRows]
        = { -2, 0, 0, 2, 2, 4, 4, 6, 6, 8, 8, 10, 10, 12, 12, 14, 14, 16, 16, 18, 18, 20 };
    for (int column = 0; column < kFieldColumns; ++column) {
        for (int row : { 0, 9, 10, 21 }) {
            SCOPED_TRACE(::testing::Message() << "column " << column << " row " << row);
            SpecialsRig rig;
            rig.state().Options.bombAnimation = true;
            rig.state().FieldOccupied[1][column][row] = kCellOccupied;
            rig.state().FieldColor[1][column][row] = 20;
            rig.specials.ExplodeBombBlocks(1);
            EXPECT_EQ(rig.host.bombs,
                (std::vector<RecordingEngineHost::Bomb>{ { 1, starts[column], starts[row], 0 } }));
            const BombAnimation& slot = rig.state().BombAnimations[1][0];
            EXPECT_TRUE(slot.Active);
            EXPECT_EQ(slot.Column, starts[column]);
            EXPECT_EQ(slot.Row, starts[row]);
            EXPECT_EQ(rig.state().FieldOccupied[1][column][row], kCellEmpty) << "the bomb is gone";
        }
    }
}

TEST(BlockBomb, ThrowsThreeNeighboursAndLeavesOtherBombsForTheirTurn)
{
    struct Case {
        const char* name;
        bool animation;
        std::vector<std::string_view> before, after;
        std::vector<double> random;
        int explosions, animations;
    };
    const Case cases[] = {
        // Five neighbours count (the bomb below does not): 1, 2 and 4 are thrown to the right
        // end of row 21, 0 and 5 are removed; the second bomb then finds nothing.
        { "five neighbours and a bomb", true, { "12..........", "4O5.........", "O0.........." },
            { "............", "............", ".........421" },
            { pick(15, 16), pick(11, 12), pick(15, 16), pick(10, 12), pick(15, 16), pick(9, 12) }, 2, 2 },
        { "the same without the animation", false, { "12..........", "4O5.........", "O0.........." },
            { "............", "............", ".........421" },
            { pick(15, 16), pick(11, 12), pick(15, 16), pick(10, 12), pick(15, 16), pick(9, 12) }, 2, 0 },
        // In the corner only three neighbours are on the field.
        { "a bomb in the corner", true, { "..........12", "..........3O" },
            { "............", "123........." },
            { pick(15, 16), pick(0, 12), pick(15, 16), pick(1, 12), pick(15, 16), pick(2, 12) }, 1, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SpecialsRig rig;
        rig.state().Options = { .sounds = true, .bombAnimation = c.animation };
        setField(rig.state(), 2, c.before);
        rig.random.values.assign(c.random.begin(), c.random.end());

        rig.specials.ExplodeBombBlocks(2);

        EXPECT_EQ(fieldText(rig.state(), 2), fieldText(c.after));
        EXPECT_TRUE(rig.random.values.empty());
        EXPECT_EQ(static_cast<int>(rig.host.bombs.size()), c.animations);
        EXPECT_EQ(
            rig.host.sounds, std::vector<SoundSlot>(static_cast<size_t>(c.explosions), SoundSlot::Explode));
    }
}

TEST(BlockBomb, AnEleventhAnimationOfAFieldIsSkipped)
{
    SpecialsRig rig;
    rig.state().Options.bombAnimation = true;
    auto& slots = rig.state().BombAnimations[1];
    for (BombAnimation& slot : slots)
        slot.Active = true;
    rig.specials.StartBombAnimation(1, 3.5, 3.5);
    EXPECT_TRUE(rig.host.bombs.empty());

    slots[4].Active = false;
    rig.specials.StartBombAnimation(1, 3.5, 3.5);
    EXPECT_EQ(rig.host.bombs, (std::vector<RecordingEngineHost::Bomb>{ { 1, 4, 4, 4 } }))
        << "the first free slot";
}

TEST(PlaceBlockAtRandom, TheLastDrawIsTakenOnlyWhenItIsFree)
{
    struct Case {
        const char* name;
        std::vector<std::string_view> field;
        std::vector<std::string_view> after;
    };
    // Every draw names cell (0, 21), which is also the cell to avoid.
    const Case cases[] = {
        { "an occupied last draw drops the block", { "1..........." }, { "1..........." } },
        { "the avoided cell is taken on the last draw", {}, { "3..........." } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SpecialsRig rig;
        setField(rig.state(), 1, c.field);
        for (int i = 0; i < 50; ++i)
            rig.random.add({ pick(15, 16), pick(0, 12) });

        rig.specials.PlaceBlockAtRandom(1, 3, 0, 21);

        EXPECT_EQ(fieldText(rig.state(), 1), fieldText(c.after));
        EXPECT_TRUE(rig.random.values.empty()) << "all fifty draws were made";
    }
}
