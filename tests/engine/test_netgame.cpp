// What internet play changes in the local game: the common level, the level steps of the lines
// counted, the cells written from the wire, the swapped field, and the special sent away.

#include "specialsrig.h"

#include <gtest/gtest.h>
#include <vector>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

// Every cell of a field in fixture form as writes, column by column as the wire gives them.
std::vector<CellWrite> wholeField(const std::vector<std::string>& rows)
{
    EngineRig scratch;
    setField(scratch.state(), 1, rowsOf(rows));
    std::vector<CellWrite> cells;
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows; ++y) {
            const EngineState& s = scratch.state();
            const bool occupied = s.FieldOccupied[1][size_t(x)][size_t(y)] != kCellEmpty;
            cells.push_back({ x, y,
                occupied ? std::optional<int16_t>(s.FieldColor[1][size_t(x)][size_t(y)]) : std::nullopt });
        }
    }
    return cells;
}

} // namespace

TEST(InternetLevels, CommonLevelNeverGoesDownAndStaysInRange)
{
    struct Case {
        int active, received;
        int activeAfter;
        const char* label; // "" when left alone
    };
    const Case cases[] = {
        { 10, 9, 10, "" },
        { 10, 10, 10, "Active Level: 10" },
        { 10, 40, 40, "Active Level: 40" },
        { 10, 150, 100, "Active Level: 100" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.received);
        EngineRig rig(GameMode::Internet);
        EngineState& s = rig.state();
        s.ActiveLevel = c.active;
        s.FallSpeed[1] = 0.5;
        rig.engine.setCommonLevel(c.received);
        EXPECT_EQ(s.ActiveLevel, c.activeAfter);
        if (*c.label) {
            EXPECT_DOUBLE_EQ(s.FallSpeed[1], 16.0 / ((101 - c.activeAfter) * 10));
            EXPECT_EQ(rig.host.label(LabelId::ActiveLevel, 1), c.label);
        } else {
            EXPECT_DOUBLE_EQ(s.FallSpeed[1], 0.5);
            EXPECT_TRUE(rig.host.labels.empty());
        }
        EXPECT_TRUE(rig.host.labels.count({ LabelId::ActiveLevel, 2 }) == 0) << "only player 1 plays here";
    }
}

TEST(InternetLevels, EveryLineLevelLinesRaiseTheLevel)
{
    struct Case {
        const char* name;
        int linelevel, raiselevel, counted, level;
        int levelAfter, countedAfter;
    };
    const Case cases[] = {
        { "below one step", 5, 2, 4, 3, 3, 4 },
        { "two steps, the rest kept", 5, 2, 11, 3, 7, 1 },
        { "capped at 100", 1, 40, 3, 50, 100, 0 },
        { "no steps with a rule of 0", 0, 2, 30, 3, 3, 30 },
        { "no steps with a negative rule", -4, 2, 30, 3, 3, 30 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig(GameMode::Internet);
        EngineState& s = rig.state();
        s.Rules.linelevel = int16_t(c.linelevel);
        s.Rules.raiselevel = int16_t(c.raiselevel);
        s.LevelLineCount = c.counted;
        s.Level[1] = c.level;
        rig.engine.stepNetworkLevel();
        EXPECT_EQ(s.Level[1], c.levelAfter);
        EXPECT_EQ(s.LevelLineCount, c.countedAfter);
        const std::string label
            = c.levelAfter != c.level ? "Level: " + std::to_string(c.levelAfter) : "<unset>";
        EXPECT_EQ(rig.host.label(LabelId::Level, 1), label);
    }
}

TEST(InternetFields, CellsFromTheWireAreWrittenAndDrawn)
{
    EngineRig rig(GameMode::Internet);
    EngineState& s = rig.state();
    setField(s, 1, { "..........22", "111111111111" });
    const std::vector<CellWrite> cells = {
        { 0, 20, int16_t(4) }, // filled
        { 10, 20, std::nullopt }, // emptied
        { 3, 21, int16_t(kFirstSpecialCode + 2) }, // recoloured
        { 12, 21, int16_t(1) }, // off the field: skipped
        { 0, -1, int16_t(1) },
    };
    rig.engine.writeFieldCells(1, cells);
    EXPECT_EQ(fieldText(s, 1), fieldText({ "4..........2", "111C11111111" }));
    EXPECT_EQ(rig.host.calls, (std::vector<std::string>{ "UpdateFieldBlocks 1", "DrawField 1" }));
}

TEST(InternetFields, SwappedFieldKeepsTheFallingPieceAndTheTopRowsFree)
{
    EngineRig rig(GameMode::Internet);
    EngineState& s = rig.state();
    setField(s, 1, rowsOf(rowsAt({ { 3, "2..........." }, { 21, "111111111111" } })));
    rig.place(1, PieceType::Square, 1, 4, 5);
    const std::vector<CellWrite> swapped = wholeField(rowsAt(
        { { 0, "333333333333" }, { 6, "444444444444" }, { 7, "5..........." }, { 21, "..........22" } }));

    rig.engine.receiveSwappedField(1, swapped);

    EngineRig expected(GameMode::Internet);
    setField(expected.state(), 1, rowsOf(rowsAt({ { 7, "5..........." }, { 21, "..........22" } })));
    expected.place(1, PieceType::Square, 1, 4, 5);
    EXPECT_EQ(fieldText(s, 1), fieldText(expected.state(), 1));
    EXPECT_EQ(rig.host.calls,
        (std::vector<std::string>{ "DrawHeightLed 1", "UpdateFieldBlocks 1", "DrawField 1" }));
}

TEST(InternetSpecials, TheSpecialSentAwayLeavesTheInventory)
{
    SpecialsRig rig(GameMode::Internet);
    rig.give(1, { SpecialType::AddLine, SpecialType::FlashScreen });
    rig.engine.spendSpecialAtHand(1);
    EXPECT_EQ(rig.state().lstSpecials[1], (std::vector<int16_t>{ kFirstSpecialCode }));
    EXPECT_EQ(rig.host.calls,
        (std::vector<std::string>{
            "UpdateSpecialsWindow 1", "label Spec 1 (Add Line)", "DrawSpecialWindow 1" }));
    EXPECT_TRUE(rig.effects.calls.empty()) << "nothing takes effect here";

    rig.engine.spendSpecialAtHand(1);
    rig.host.clear();
    rig.engine.spendSpecialAtHand(1);
    EXPECT_TRUE(rig.host.calls.empty()) << "an empty inventory has nothing to spend";
}
