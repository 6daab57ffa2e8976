// The one-byte encodings, message lines and special codes, both ways.

#include "net/wire/codes.h"
#include "net/wire/encodings.h"
#include "net/wire/line.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::wire;

TEST(WireEncodings, EveryEncodingBothWays)
{
    struct Case {
        const char* name;
        char (*encode)(int);
        int (*decode)(char);
        int value;
        int byte;
    };
    const Case cases[] = {
        { "player 1", PlayerChar, playerValue, 1, 151 },
        { "spectator", PlayerChar, playerValue, 0, 150 },
        { "empty slot", PlayerChar, playerValue, -1, 149 },
        { "level 100", PlayerChar, playerValue, 100, 250 },
        { "option 0", OptionChar, optionValue, 0, 100 },
        { "option 16", OptionChar, optionValue, 16, 116 },
        { "option 155", OptionChar, optionValue, 155, 255 },
        { "colour 0", CellChar, cellValue, 0, 90 },
        { "colour 21", CellChar, cellValue, 21, 111 },
        { "empty cell", CellChar, cellValue, kEmptyCell, 170 },
        { "column 11", CoordChar, coordValue, 11, 161 },
        { "row 21", CoordChar, coordValue, 21, 171 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(byteCode(c.encode(c.value)), c.byte);
        EXPECT_EQ(c.decode(byteChar(c.byte)), c.value);
    }
}

TEST(WireEncodings, EncodersClampToOneByte)
{
    EXPECT_EQ(byteCode(PlayerChar(200)), 255);
    EXPECT_EQ(byteCode(PlayerChar(-500)), 0);
    EXPECT_EQ(byteCode(OptionChar(300)), 255);
}

TEST(WireEncodings, PlayerAtChecksThePayloadLength)
{
    const Bytes payload{ PlayerChar(2), PlayerChar(5) };
    EXPECT_EQ(playerAt(payload, 0), 2);
    EXPECT_EQ(playerAt(payload, 1), 5);
    EXPECT_EQ(playerAt(payload, 2), std::nullopt);
    EXPECT_EQ(playerAt("", 0), std::nullopt);
}

TEST(WireEncodings, SpecialCodesFollowTheSpecialOrder)
{
    const char expected[] = "678=>A@:RBCD9<Ee";
    for (int i = 0; i < kSpecialTypes; ++i) {
        const auto special = static_cast<SpecialType>(i);
        EXPECT_EQ(specialCode(special), expected[i]) << i;
        EXPECT_EQ(specialFromCode(expected[i]), special) << i;
    }
    for (char notSpecial : { 'F', '5', 'G', '\0', '\xff' })
        EXPECT_EQ(specialFromCode(notSpecial), std::nullopt) << notSpecial;
}

TEST(WireLine, CodeAndPayload)
{
    struct Case {
        Bytes line;
        char code;
        Bytes payload;
        bool hasPayload;
    };
    const Case cases[] = {
        { "G", 'G', "", false },
        { "J;", 'J', "", true },
        { "*;\x97hi; there", '*', "\x97hi; there", true },
        { "\xff;\x80\x9d", '\xff', "\x80\x9d", true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const auto message = parseLine(c.line);
        ASSERT_TRUE(message);
        EXPECT_EQ(message->code, c.code);
        EXPECT_EQ(message->payload, c.payload);
        EXPECT_EQ(message->hasPayload, c.hasPayload);
    }
    EXPECT_EQ(parseLine(""), std::nullopt);
}

TEST(WireLine, Building)
{
    EXPECT_EQ(makeLine('G'), "G");
    EXPECT_EQ(makeLine('J', ""), "J;");
    EXPECT_EQ(makeLine('*', "a;b"), "*;a;b");
    EXPECT_EQ(framed("N"), "N\r\n");
}
