// The game-options string: built from the host's rules, decoded with range checks.

#include "net/wire/gameoptions.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::wire;

namespace {

// The host setting whose string is known byte for byte.
HostRules knownHost()
{
    HostRules host;
    host.delay = 0;
    host.linelevel = 1;
    host.raiselevel = 1;
    host.specialline = 1;
    host.specialsmade = 1;
    host.maxspecials = 16;
    host.specials = 1;
    host.classic = 1;
    host.startlevel = 0;
    host.samelevel = 1;
    host.linespecial = 1;
    host.occurancy = { 14, 15, 14, 14, 15, 14, 14, // tblock lines zblock sblock square lblock lblock2
        13, 13, 2, 9, 3, 11, 3, 9, 2, 6, 2, 6, 5, 5, 7, 3 }; // a c n r s b g q p f d l t v o hs
    return host;
}

Bytes codes(std::initializer_list<int> values)
{
    Bytes text;
    for (int v : values)
        text += byteChar(v);
    return text;
}

} // namespace

TEST(GameOptions, KnownHostSettingByteExact)
{
    const Bytes expected = codes({ 100, 101, 101, 101, 101, 116, 101, 101, 100, 101, 101, 114, 114, 115, 114,
        115, 114, 114, 113, 113, 111, 102, 106, 103, 106, 102, 102, 109, 109, 103, 105, 105, 107, 103, 100,
        100, 100, 100, 100, 100 });
    EXPECT_EQ(BuildGameOptions(knownHost()), expected);
}

TEST(GameOptions, DecodingGivesBackWhatWasBuilt)
{
    HostRules host = knownHost();
    host.delay = 37;
    host.startlevel = 12;
    host.classic = 0;
    host.startheight = { 0, 1, 2, 5, 0, 17, 18 };
    GameRules rules;
    BlockOccurancy inet{};
    ASSERT_TRUE(ApplyGameOptions(BuildGameOptions(host), rules, inet));
    EXPECT_EQ(rules.delay, 37);
    EXPECT_EQ(rules.linelevel, 1);
    EXPECT_EQ(rules.raiselevel, 1);
    EXPECT_EQ(rules.specialline, 1);
    EXPECT_EQ(rules.specialsmade, 1);
    EXPECT_EQ(rules.maxspecials, 16);
    EXPECT_TRUE(rules.specials);
    EXPECT_FALSE(rules.classic);
    EXPECT_EQ(rules.startlevel, 12);
    EXPECT_TRUE(rules.samelevel);
    EXPECT_TRUE(rules.linespecial);
    for (int slot = 1; slot <= kPlayingSlots; ++slot)
        EXPECT_EQ(rules.startheight[slot], host.startheight[slot]) << slot;
    EXPECT_EQ(inet, host.occurancy);
}

TEST(GameOptions, BuildingClampsToOneByte)
{
    HostRules host;
    host.delay = 500;
    host.linelevel = -3;
    host.occurancy[0] = 200;
    host.classic = 2; // a grayed check box travels as 2
    const Bytes text = BuildGameOptions(host);
    ASSERT_EQ(text.size(), kGameOptionsLength);
    EXPECT_EQ(byteCode(text[0]), 255);
    EXPECT_EQ(byteCode(text[1]), 100);
    EXPECT_EQ(byteCode(text[7]), 102);
    EXPECT_EQ(byteCode(text[16]), 255); // tblock at position 17
}

TEST(GameOptions, DecodingClampsEachValueToItsRange)
{
    // Every position at its largest byte, then at its smallest.
    GameRules rules;
    BlockOccurancy inet{};
    ASSERT_TRUE(ApplyGameOptions(Bytes(40, '\xff'), rules, inet));
    EXPECT_EQ(rules.delay, 100);
    EXPECT_EQ(rules.linelevel, 50);
    EXPECT_EQ(rules.raiselevel, 50);
    EXPECT_EQ(rules.specialline, 50);
    EXPECT_EQ(rules.specialsmade, 50);
    EXPECT_EQ(rules.maxspecials, 100);
    EXPECT_EQ(rules.startlevel, 100);
    EXPECT_FALSE(rules.specials); // 155 is not 1
    EXPECT_EQ(rules.startheight[1], 18);
    EXPECT_EQ(rules.startheight[6], 18);
    for (int16_t percent : inet)
        EXPECT_EQ(percent, 100);

    ASSERT_TRUE(ApplyGameOptions(Bytes(40, '\0'), rules, inet));
    EXPECT_EQ(rules.linelevel, 0);
    EXPECT_EQ(rules.startlevel, 0);
    EXPECT_EQ(rules.startheight[3], 0);
    EXPECT_EQ(inet[5], 0);
}

TEST(GameOptions, WrongLengthKeepsThePreviousRules)
{
    GameRules rules;
    BlockOccurancy inet{};
    ASSERT_TRUE(ApplyGameOptions(BuildGameOptions(knownHost()), rules, inet));
    const GameRules before = rules;
    const BlockOccurancy inetBefore = inet;
    for (std::size_t length : { 0u, 1u, 39u, 41u }) {
        EXPECT_FALSE(ApplyGameOptions(Bytes(length, 'x'), rules, inet)) << length;
        EXPECT_EQ(rules.maxspecials, before.maxspecials);
        EXPECT_EQ(rules.specials, before.specials);
        EXPECT_EQ(inet, inetBefore);
    }
}

TEST(GameOptions, DecodedOptionsKeepTheSwitchValuesAndOnlyOneSwitchesOn)
{
    HostRules host = knownHost();
    host.classic = 2; // a grayed check box
    host.startheight = { 0, 1, 2, 5, 0, 17, 18 };
    const std::optional<HostRules> decoded = decodeGameOptions(BuildGameOptions(host));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, host);

    GameRules rules;
    BlockOccurancy inet{};
    ApplyGameOptions(*decoded, rules, inet);
    EXPECT_FALSE(rules.classic);
    EXPECT_TRUE(rules.samelevel);
    EXPECT_EQ(rules.startheight[6], 18);
    EXPECT_EQ(inet, host.occurancy);
    EXPECT_EQ(decodeGameOptions(Bytes(39, 'd')), std::nullopt);
}
