// Next pieces and specials: weighted draws over the percentages, and planting specials.

#include "support/enginefakes.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

void setPieces(BlockOccurancy& table, std::array<int16_t, kPieceTypes> pieces)
{
    std::copy(pieces.begin(), pieces.end(), table.begin());
}

void setSpecials(BlockOccurancy& table, int16_t each)
{
    std::fill(table.begin() + kPieceTypes, table.end(), each);
}

} // namespace

TEST(GenerateNextBlock, IsUniformOverSevenTypesAlone)
{
    const std::pair<double, int> cases[]
        = { { 0.0, 0 }, { 0.1428, 0 }, { 0.1429, 1 }, { 0.5, 3 }, { 0.8572, 6 }, { 0.99999, 6 } };
    for (auto [r, type] : cases) {
        EngineRig rig;
        setPieces(rig.state().BlockOccurancy, { 100, 0, 0, 0, 0, 0, 0 }); // not used alone
        rig.random.add({ r });
        EXPECT_EQ(rig.engine.GenerateNextBlock(), type) << r;
    }
}

TEST(GenerateNextBlock, WeighsTheTypesByTheirPercentages)
{
    struct Case {
        const char* name;
        GameMode mode;
        std::array<int16_t, kPieceTypes> pieces;
        double r;
        std::optional<int> type;
    };
    const std::array<int16_t, kPieceTypes> weights = { 10, 0, 30, 0, 0, 0, 60 };
    const Case cases[] = {
        { "first range", GameMode::TwoPlayers, weights, 0.0, 0 },
        { "end of the first range", GameMode::TwoPlayers, weights, 0.099, 0 },
        { "a zero type is skipped", GameMode::TwoPlayers, weights, 0.1, 2 },
        { "end of the middle range", GameMode::TwoPlayers, weights, 0.399, 2 },
        { "last range", GameMode::TwoPlayers, weights, 0.4, 6 },
        { "top of the last range", GameMode::TwoPlayers, weights, 0.9999, 6 },
        { "all zero gives nothing", GameMode::TwoPlayers, { 0, 0, 0, 0, 0, 0, 0 }, 0.7, std::nullopt },
        { "negative counts as zero", GameMode::TwoPlayers, { -50, 10, 0, 0, 0, 0, 0 }, 0.0, 1 },
        { "internet play uses the server's", GameMode::Internet, weights, 0.0, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig(c.mode);
        const std::array<int16_t, kPieceTypes> other = { 0, 0, 0, 0, 100, 0, 0 };
        setPieces(rig.state().BlockOccurancy, c.mode == GameMode::TwoPlayers ? c.pieces : other);
        setPieces(rig.state().InetBlockOccurancy, c.mode == GameMode::Internet ? c.pieces : other);
        rig.random.add({ c.r });
        EXPECT_EQ(rig.engine.GenerateNextBlock(), c.type);
        EXPECT_EQ(rig.random.drawn, 1);
    }
}

TEST(PickSpecial, TestsTheRangesInItsOwnOrder)
{
    // Equal percentages: the sixteen ranges in test order, Clear Specials third.
    const int order[kSpecialTypes] = { 6, 7, 11, 8, 9, 10, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21 };
    for (int k = 0; k < kSpecialTypes; ++k) {
        for (int offset : { 0, 9 }) {
            EngineRig rig(GameMode::TwoPlayers);
            setSpecials(rig.state().BlockOccurancy, 10);
            rig.random.add({ (k * 10 + offset + 0.5) / 160.0 });
            EXPECT_EQ(rig.engine.PickSpecial(), order[k]) << "range " << k << " + " << offset;
        }
    }
}

TEST(PickSpecial, AnswersNothingWithoutPercentagesOrAlone)
{
    EngineRig onlyShield(GameMode::Internet);
    onlyShield.state().InetBlockOccurancy[kOccurancyEntries - 1] = 5;
    onlyShield.random.add({ 0.0, 0.99 });
    EXPECT_EQ(onlyShield.engine.PickSpecial(), 21);
    EXPECT_EQ(onlyShield.engine.PickSpecial(), 21);

    EngineRig none(GameMode::TwoPlayers);
    none.random.add({ 0.3 });
    EXPECT_EQ(none.engine.PickSpecial(), std::nullopt);

    EngineRig alone;
    setSpecials(alone.state().BlockOccurancy, 10);
    EXPECT_EQ(alone.engine.PickSpecial(), std::nullopt);
    EXPECT_EQ(alone.random.drawn, 0);
}

TEST(AddSpecialsFromLines, PlantsOnCandidatesThenLowRowsWithRoom)
{
    struct Case {
        const char* name;
        FieldRows field;
        int16_t specialline, specialsmade;
        int32_t lineCount;
        std::vector<double> draws;
        FieldRows expected;
        int32_t lineCountAfter;
    };
    // With all sixteen percentages at 10, a pick of r gives the special of range Int(r x 16).
    const Case cases[] = {
        { "candidates column by column: normal blocks and Add Line only", { "..A....H.a..", "1.2.....5..." },
            1, 2, 1,
            { 0.3 /* (2,20) of 4 */, 0.99 /* Holy Shield */, 0.99 /* (8,21) of 3 */, 0.0 /* Add Line */ },
            { "..P....H.a..", "1.2.....A..." }, 0 },
        { "candidates used up, then the lowest row with two free cells", { "H.H.H.......", "HHHHHHHHHHH3" },
            1, 3, 1, { 0.0, 0.99, 0.07 /* Clear Line */, 0.13 /* the third range: Clear Specials */ },
            { "HBHFH.......", "HHHHHHHHHHHP" }, 0 },
        { "no row from 21 up to 11 with room: skipped",
            { "HHHHHHHHHHH.", "HHHHHHHHHHH.", "HHHHHHHHHHH.", "HHHHHHHHHHH.", "HHHHHHHHHHH.", "HHHHHHHHHHH.",
                "HHHHHHHHHHH.", "HHHHHHHHHHH.", "HHHHHHHHHHH.", "HHHHHHHHHHH.", "HHHHHHHHHHH." },
            1, 2, 3, {}, {}, 0 },
        { "two batches of three, remainder kept", { "111111......" }, 2, 3, 5,
            { 0.0, 0.0, 0.0, 0.07, 0.0, 0.13, 0.0, 0.2, 0.0, 0.26, 0.0, 0.32 }, { "ABFCDE......" }, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineRig rig(GameMode::TwoPlayers);
        EngineState& s = rig.state();
        s.Rules = { .specialline = c.specialline, .specialsmade = c.specialsmade, .specials = true };
        setSpecials(s.BlockOccurancy, 10);
        s.SpecialLineCount = c.lineCount;
        setField(s, 1, c.field);
        const std::string before = fieldText(s, 1);
        for (double r : c.draws)
            rig.random.add({ r });
        rig.engine.AddSpecialsFromLines(1);
        if (c.expected.empty())
            EXPECT_EQ(fieldText(s, 1), before);
        else
            EXPECT_EQ(fieldText(s, 1), fieldText(c.expected));
        EXPECT_EQ(s.SpecialLineCount, c.lineCountAfter);
        EXPECT_TRUE(rig.random.values.empty()) << "every scripted draw was used";
        EXPECT_TRUE(rig.host.calls.empty()) << "nothing is drawn here";
    }
}

TEST(AddSpecialsFromLines, PlantsNothingWhenTheRulesCannotEarnAny)
{
    struct Case {
        const char* name;
        GameMode mode;
        GameRules rules;
    };
    const Case cases[] = {
        { "lines per batch 0", GameMode::TwoPlayers,
            { .specialline = 0, .specialsmade = 2, .specials = true } },
        { "lines per batch negative", GameMode::TwoPlayers,
            { .specialline = -3, .specialsmade = 2, .specials = true } },
        { "specials per batch 0", GameMode::TwoPlayers,
            { .specialline = 1, .specialsmade = 0, .specials = true } },
        { "specials off", GameMode::TwoPlayers, { .specialline = 1, .specialsmade = 2, .specials = false } },
        { "one player", GameMode::OnePlayer, { .specialline = 1, .specialsmade = 2, .specials = true } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A landing that clears two rows: the counter grows only where it can be spent.
        EngineRig rig(c.mode);
        EngineState& s = rig.state();
        s.Rules = c.rules;
        setSpecials(s.BlockOccurancy, 10);
        s.BlockOccurancy[0] = 10;
        setField(s, 1, { "1...........", "222222222222", "333333333333" });
        rig.random.add({ 0.0 });
        rig.engine.LockPieceAndClearLines(1);
        EXPECT_EQ(s.SpecialLineCount, 0);
        EXPECT_EQ(fieldText(s, 1).substr(2 * 13), fieldText({ "1..........." }).substr(2 * 13));
        EXPECT_EQ(rig.random.drawn, 1) << "only the next piece was drawn";
    }

    EngineRig counting(GameMode::TwoPlayers);
    counting.state().Rules = { .specialline = 10, .specialsmade = 1, .specials = true };
    counting.state().BlockOccurancy[0] = 10;
    setField(counting.state(), 1, { "222222222222", "333333333333" });
    counting.random.add({ 0.0 });
    counting.engine.LockPieceAndClearLines(1);
    EXPECT_EQ(counting.state().SpecialLineCount, 2);
}

TEST(SetNextPiece, TellsTheBot)
{
    EngineRig rig;
    rig.engine.SetNextPiece(1, 4);
    EXPECT_EQ(rig.state().NextPiece[1], 4);
    EXPECT_EQ(rig.host.calls, std::vector<std::string>{ "BotPieceUpdate 1" });
}

TEST(Inventory, NamesTheSpecialAtHand)
{
    const std::pair<std::vector<int16_t>, std::string_view> cases[] = {
        { {}, "(None)" },
        { { 6, 13, 20 }, "(Block Bomb)" },
        { { 6, 13 }, "(Block Quake)" },
        { { 21, 6 }, "(Add Line)" },
        { { 11 }, "(Clear Specials)" },
        { { 21 }, "(Holy Shield)" },
        { { 6, 22 }, "" },
        { { 5 }, "" },
    };
    for (const auto& [inventory, name] : cases) {
        EngineRig rig;
        rig.state().lstSpecials[2] = inventory;
        EXPECT_EQ(rig.engine.SpecialName(2), name);
    }
    EXPECT_EQ(OtherPlayer(1), 2);
    EXPECT_EQ(OtherPlayer(2), 1);
    EXPECT_EQ(OtherPlayer(0), 1);
    EXPECT_EQ(specialTarget(2, false), 2) << "use on self";
    EXPECT_EQ(specialTarget(2, true), 1) << "use on the other";
}

TEST(StandardRandom, RepeatsItsSequenceFromASeed)
{
    StandardRandom a(42), b(7);
    std::vector<double> first;
    for (int i = 0; i < 1000; ++i) {
        first.push_back(a.next());
        ASSERT_GE(first.back(), 0.0);
        ASSERT_LT(first.back(), 1.0);
    }
    b.reseed(42);
    for (double value : first)
        ASSERT_EQ(b.next(), value);
    EXPECT_EQ(randomBelow(b, 0), 0);
}
