// Using the special at hand: the field after each of the sixteen specials, the Holy Shield,
// and the inventory after use and discard.

#include "specialsrig.h"

#include <functional>
#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

TEST(UseSpecial, EachSpecialLeavesTheTargetFieldAsItsRuleSays)
{
    // Player 1 spends the one special of his inventory; the field is the target's. Random
    // numbers are given in the order the rules draw them, and all of them are used.
    struct Case {
        SpecialType special;
        int target;
        std::vector<std::string> before, after; // bottom rows
        std::vector<double> random;
        std::vector<SoundSlot> sounds = {};
        std::function<void(SpecialsRig&)> prepare = nullptr;
        std::function<void(SpecialsRig&)> check = nullptr;
    };
    const int64_t now = 50'000;
    const Case cases[] = {
        { SpecialType::AddLine, 2, { "1...........", "22.222222222" },
            { "1...........", "22.222222222", "012.34501234" },
            { pick(3, 10), pick(0, 6), pick(1, 6), pick(2, 6), pick(3, 6), pick(4, 6), pick(5, 6), pick(0, 6),
                pick(1, 6), pick(2, 6), pick(3, 6), pick(4, 6) } },
        { SpecialType::ClearLine, 2, { "3...........", "444444444.44" }, { "3..........." }, {} },
        { SpecialType::NukeField, 1, { "....aaaa....", "............", "1A2.........", "334455......" },
            { "....aaaa....", "............", "............", "............" }, {}, {}, nullptr,
            [](SpecialsRig& rig) { EXPECT_EQ(rig.host.count("PaintFieldBackground 1"), 1); } },
        // 24 normal blocks: two cells, drawn among the 25 locked blocks (the special first).
        { SpecialType::RandomClear, 2, { "A...........", "111111111111", "222222222222" },
            { "............", "111111111111", "22222222222." }, { pick(0, 25), pick(23, 24) } },
        { SpecialType::SwitchBlocks, 2, { "....2222...." }, { "1111........" }, {}, {},
            [](SpecialsRig& rig) { setField(rig.state(), 1, { "1111........" }); },
            [](SpecialsRig& rig) { EXPECT_EQ(fieldText(rig.state(), 1), fieldText({ "....2222...." })); } },
        { SpecialType::ClearSpecials, 2, { "AB1C........", "P.O.5......." },
            { "0112........", "3.4.5......." },
            { pick(0, 5), pick(1, 5), pick(2, 5), pick(3, 5), pick(4, 5) } },
        { SpecialType::BlockGravity, 2, { "1.2.........", "..3.........", "4...........", ".5.........." },
            { "1.2.........", "453........." }, {}, { SoundSlot::LineClear } },
        // Shake 1 takes row 19; shake 2 draws the empty row 0, then row 21, and puts its "0" back
        // after a taken column; shake 3 takes row 19 again.
        { SpecialType::BlockQuake, 2, { "4...........", "12.3.4......", "5.0.1.2.3..." },
            { ".....4......", "12.3.4......", "012...5....3" },
            { pick(19, 22), pick(11, 12), pick(0, 22), pick(20, 21), pick(6, 12), pick(6, 12), pick(0, 12),
                pick(1, 12), pick(2, 12), pick(11, 12), pick(19, 22), pick(5, 12) },
            {}, nullptr, [](SpecialsRig& rig) { EXPECT_FALSE(rig.state().QuakeActive[2]); } },
        { SpecialType::PushField, 2, { "1.2.3.4.5.0.", ".A..B..a..C." }, { "123450......", "ABC........." },
            {}, { SoundSlot::StartGame } },
        { SpecialType::FlashScreen, 2, { "1..........." }, { "1..........." }, {}, {}, nullptr,
            [now](SpecialsRig& rig) {
                EXPECT_TRUE(rig.state().FlashActive[2]);
                EXPECT_EQ(rig.state().FlashStart[2], now);
                EXPECT_EQ(rig.host.count("ResetFieldPicture 2"), 1);
                EXPECT_EQ(rig.host.count("SendFieldUpdate"), 1);
                EXPECT_EQ(rig.host.calls.back(), "DrawField 2");
            } },
        // The square falls to the floor and locks; the next piece (the straight one) comes in.
        { SpecialType::DropBlock, 2, {},
            rowsAt({ { 0, ".....aaaa..." }, { 20, "55.........." }, { 21, "55.........." } }), { 0.0 },
            { SoundSlot::Drop },
            [](SpecialsRig& rig) {
                rig.place(2, PieceType::Square, 1, 0, 0);
                rig.state().NextPiece[2] = static_cast<int16_t>(PieceType::Lines);
                rig.state().BlockOccurancy.fill(10);
            },
            [](SpecialsRig& rig) { EXPECT_EQ(rig.state().FallingPiece[2].Type, int(PieceType::Lines)); } },
        { SpecialType::GiveLine, 2, { "1..........." }, { "1..........." }, {}, {}, nullptr,
            [](SpecialsRig& rig) {
                EXPECT_EQ(rig.state().NextPiece[2], int(PieceType::Lines));
                EXPECT_EQ(rig.host.calls.back(), "DrawNextPiece 2");
            } },
        { SpecialType::Tremor, 1, { "1..........." }, { "1..........." }, {}, {}, nullptr,
            [now](SpecialsRig& rig) {
                EXPECT_TRUE(rig.state().TremorActive[1]);
                EXPECT_EQ(rig.state().TremorStart[1], now);
            } },
        // The first drawn column is empty; the second is cleared, its falling-piece cell stays.
        { SpecialType::VerticalClear, 2, { "1.....a.....", "1.....2.....", "1.A...2....." },
            { "1.....a.....", "1...........", "1.A........." }, { pick(1, 12), pick(6, 12) } },
        // All eight neighbours count: the first three are thrown (the third after an occupied
        // cell and its own cell were drawn), the rest removed.
        { SpecialType::BlockBomb, 2, { "............", ".123........", ".4O5........", ".012........" },
            { "............", "............", "...........4", "1.....2....." },
            { pick(15, 16), pick(0, 12), pick(15, 16), pick(0, 12), pick(15, 16), pick(6, 12), pick(15, 16),
                pick(1, 12), pick(14, 16), pick(1, 12), pick(14, 16), pick(11, 12) },
            { SoundSlot::Explode, SoundSlot::Explode }, nullptr,
            [](SpecialsRig& rig) {
                EXPECT_EQ(rig.host.bombs, (std::vector<RecordingEngineHost::Bomb>{ { 2, 0, 18, 0 } }));
            } },
        { SpecialType::HolyShield, 2, { "1..........." }, { "1..........." }, {}, { SoundSlot::HolyShield },
            nullptr,
            [now](SpecialsRig& rig) {
                EXPECT_TRUE(rig.state().ShieldActive[2]);
                EXPECT_EQ(rig.state().ShieldStart[2], now);
            } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.special));
        SpecialsRig rig;
        rig.clock.set(now);
        rig.state().Options = { .sounds = true, .bombAnimation = true };
        setField(rig.state(), c.target, rowsOf(c.before));
        if (c.prepare)
            c.prepare(rig);
        rig.give(1, { c.special });
        rig.random.values.assign(c.random.begin(), c.random.end());

        rig.engine.UseSpecial(1, c.target);

        EXPECT_EQ(fieldText(rig.state(), c.target), fieldText(rowsOf(c.after)));
        EXPECT_TRUE(rig.random.values.empty()) << rig.random.values.size() << " random numbers left";
        EXPECT_EQ(rig.host.sounds, c.sounds);
        EXPECT_TRUE(rig.state().lstSpecials[1].empty());
        if (c.check)
            c.check(rig);
    }
}

TEST(UseSpecial, TakesTheLastSpecialAndShowsTheNextOneFirst)
{
    SpecialsRig rig;
    rig.give(1, { SpecialType::AddLine, SpecialType::BlockQuake, SpecialType::BlockBomb });
    EXPECT_EQ(rig.engine.SpecialName(1), "(Block Bomb)");

    rig.engine.UseSpecial(1, 2);

    EXPECT_EQ(rig.state().lstSpecials[1], (std::vector<int16_t>{ 6, 13 }));
    // The inventory is shown before the effect runs (the bomb finds nothing to explode).
    EXPECT_EQ(rig.host.calls,
        (std::vector<std::string>{
            "UpdateSpecialsWindow 1", "label Spec 1 (Block Quake)", "DrawSpecialWindow 1" }));
}

TEST(UseSpecial, HolyShieldRefusesOnlyTheOtherPlayer)
{
    struct Case {
        const char* name;
        int user, target;
        bool spent;
    };
    const Case cases[] = {
        { "the other player is refused", 1, 2, false },
        { "the shielded player uses it on himself", 2, 2, true },
        { "the shielded player uses it on the other", 2, 1, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SpecialsRig rig;
        rig.state().ShieldActive[2] = true;
        rig.give(c.user, { SpecialType::ClearSpecials, SpecialType::NukeField });
        setField(rig.state(), c.target, { "111111111111" });

        rig.engine.UseSpecial(c.user, c.target);

        EXPECT_EQ(rig.state().lstSpecials[c.user].size(), c.spent ? 1u : 2u);
        EXPECT_EQ(
            fieldText(rig.state(), c.target), fieldText(c.spent ? FieldRows{} : FieldRows{ "111111111111" }));
        if (!c.spent) {
            EXPECT_TRUE(rig.host.calls.empty()) << "a refused special is silent";
        }
    }
}

TEST(UseSpecial, DoesNothingOutsideTwoPlayerPlayOrWithoutASpecial)
{
    struct Case {
        const char* name;
        GameMode mode;
        std::vector<int16_t> inventory;
        int user, target;
        std::vector<int16_t> after;
    };
    const Case cases[] = {
        { "one player", GameMode::OnePlayer, { 8 }, 1, 1, { 8 } },
        { "internet play", GameMode::Internet, { 8 }, 1, 1, { 8 } },
        { "empty inventory", GameMode::TwoPlayers, {}, 1, 2, {} },
        { "a target outside 1 and 2", GameMode::TwoPlayers, { 8 }, 1, 3, { 8 } },
        { "Switch Blocks on oneself is spent without effect", GameMode::TwoPlayers, { 10 }, 2, 2, {} },
        { "a code that is no special is spent without effect", GameMode::TwoPlayers, { 6, 40 }, 1, 2, { 6 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SpecialsRig rig(c.mode);
        setField(rig.state(), 1, { "1111........" });
        setField(rig.state(), 2, { "....2222...." });
        rig.state().lstSpecials[c.user] = c.inventory;

        rig.engine.UseSpecial(c.user, c.target);

        EXPECT_EQ(rig.state().lstSpecials[c.user], c.after);
        EXPECT_EQ(fieldText(rig.state(), 1), fieldText({ "1111........" }));
        EXPECT_EQ(fieldText(rig.state(), 2), fieldText({ "....2222...." }));
    }
}

TEST(RefreshSpecialBar, ThrowsAwayTheSpecialAtHand)
{
    SpecialsRig rig;
    rig.give(2, { SpecialType::Tremor, SpecialType::BlockBomb });

    rig.engine.RefreshSpecialBar(2);
    EXPECT_EQ(rig.state().lstSpecials[2], std::vector<int16_t>{ 18 });
    EXPECT_EQ(rig.host.label(LabelId::Spec, 2), "(Tremor)");
    EXPECT_EQ(rig.host.calls,
        (std::vector<std::string>{
            "UpdateSpecialsWindow 2", "DrawSpecialWindow 2", "label Spec 2 (Tremor)" }));

    rig.engine.RefreshSpecialBar(2);
    EXPECT_EQ(rig.host.label(LabelId::Spec, 2), "(None)");
    rig.host.clear();
    rig.engine.RefreshSpecialBar(2);
    EXPECT_TRUE(rig.host.calls.empty()) << "an empty inventory stays as it is";
    EXPECT_FALSE(rig.state().TremorActive[2]) << "a discarded special has no effect";
}
