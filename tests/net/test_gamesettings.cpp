// The game settings list: what each entry shows and offers, which chosen values it takes, the
// rules of the running game read through it, and the options of a room to be created.

#include "net/gamesettings.h"

#include <gtest/gtest.h>

using namespace kalvon;

namespace {

// The character codes of the create-room options right after ResetRoomOptions.
const std::initializer_list<int> kRoomDefaultCodes = { 100, 101, 101, 101, 101, 116, 99, 99, 101, 99, 99, //
    114, 114, 115, 114, 115, 114, 114, //
    113, 113, 112, 102, 106, 103, 106, 102, 102, 106, 109, 103, 105, 105, 107, 103, //
    100, 100, 100, 100, 100, 100 };

Bytes codes(std::initializer_list<int> values)
{
    Bytes text;
    for (int code : values)
        text += static_cast<char>(code);
    return text;
}

RoomCreateOptions defaults()
{
    RoomCreateOptions options;
    options.ResetRoomOptions();
    return options;
}

} // namespace

TEST(GameSettingsTest, EachEntryShowsItsValueAndOffersItsRangeWithTheFirstValueFirst)
{
    struct Case {
        int entry;
        const char* current;
        std::size_t offered;
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        { 0, "Enabled", 2, "Enabled", "Disabled" }, // Use Specials
        { 4, "0", 101, "0", "100" }, // Piece Delay
        { 6, "1", 50, "1", "50" }, // Lines needed to raise level: no 0
        { 7, "1", 51, "0", "50" }, // Levels raised, third in the options string
        { 10, "16", 101, "0", "100" }, // Special Inventory Size
        { 11, "15", 101, "0", "100" }, // 'Line' Block Occurancy, no "%"
        { 19, "7", 101, "0", "100" }, // 'Block Bomb' Special Occurancy
        { 33, "5", 101, "0", "100" }, // 'Vertical Clear' Special Occurancy, the last entry
    };
    const RoomCreateOptions options = defaults();
    for (const Case& c : cases) {
        const SettingChoice choice = settingChoice(c.entry, options.values);
        EXPECT_EQ(choice.current, c.current) << c.entry;
        ASSERT_EQ(choice.offered.size(), c.offered) << c.entry;
        EXPECT_EQ(choice.offered.front(), c.first) << c.entry;
        EXPECT_EQ(choice.offered.back(), c.last) << c.entry;
    }
    // A switch that is off still offers "Enabled" first; no entry shows nothing.
    RoomCreateOptions off = options;
    ASSERT_TRUE(off.change(0, "Disabled"));
    EXPECT_EQ(settingChoice(0, off.values), (SettingChoice{ "Disabled", { "Enabled", "Disabled" } }));
    EXPECT_EQ(settingChoice(-1, options.values), SettingChoice{});
    EXPECT_EQ(settingChoice(34, options.values), SettingChoice{});
    EXPECT_EQ(gameSettingName(0), Bytes("Use Specials"));
    EXPECT_EQ(gameSettingName(33), Bytes("'Vertical Clear' Special Occurancy"));
}

TEST(GameSettingsTest, AChosenValueOutsideItsEntrysRangeIsRefused)
{
    struct Case {
        int entry;
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {
        { 0, "Enabled", 1 },
        { 0, "Disabled", 0 },
        { 0, "1", std::nullopt }, // a switch takes its two texts only
        { 6, "0", std::nullopt },
        { 6, "1", 1 },
        { 6, "50", 50 },
        { 6, "51", std::nullopt },
        { 7, "0", 0 },
        { 4, "100", 100 },
        { 4, "101", std::nullopt },
        { 4, "-1", std::nullopt },
        { 4, "300", std::nullopt }, // would be no option character at all
        { 4, "abc", std::nullopt },
        { 4, "", std::nullopt },
        { 34, "1", std::nullopt },
        { -1, "1", std::nullopt },
    };
    for (const Case& c : cases)
        EXPECT_EQ(settingValue(c.entry, c.text), c.value) << c.entry << " " << c.text;
}

TEST(GameSettingsTest, RoomOptionsEncodeTheDefaultsAndTheChangesMade)
{
    RoomCreateOptions options;
    EXPECT_EQ(options.EncodeRoomOptions(), Bytes(40, 'd')); // all zero before the first opening
    options = defaults();
    EXPECT_EQ(options.EncodeRoomOptions(), codes(kRoomDefaultCodes));

    struct Case {
        int entry;
        const char* text;
        std::size_t position; // 1..40
        int code;
    };
    const Case cases[] = {
        { 7, "5", 3, 105 }, // Levels raised
        { 0, "Disabled", 7, 100 }, // Use Specials: a switch off is 100, on 99
        { 0, "Enabled", 7, 99 }, { 27, "40", 26, 140 }, // 'Nuke' Special Occurancy
        { 16, "0", 12, 100 }, // 'L' Block Occurancy
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(options.change(c.entry, c.text)) << c.entry;
        EXPECT_EQ(static_cast<unsigned char>(options.EncodeRoomOptions()[c.position - 1]), c.code) << c.entry;
    }
    // A refused value leaves every option as it was.
    const Bytes before = options.EncodeRoomOptions();
    EXPECT_FALSE(options.change(6, "0"));
    EXPECT_FALSE(options.change(4, "101"));
    EXPECT_FALSE(options.change(40, "1"));
    EXPECT_EQ(options.EncodeRoomOptions(), before);
    // Reset brings back the defaults.
    options.ResetRoomOptions();
    EXPECT_EQ(options.EncodeRoomOptions(), codes(kRoomDefaultCodes));
}

TEST(GameSettingsTest, TheRulesOfTheGameShowThroughTheList)
{
    GameRules rules;
    rules.classic = true;
    rules.raiselevel = 5;
    rules.linelevel = 7;
    rules.startheight[2] = 4;
    BlockOccurancy occurancy{};
    occurancy[1] = 22; // lines
    occurancy[kPieceTypes + 14] = 9; // Block Bomb
    occurancy[kPieceTypes + 15] = 11; // Holy Shield
    const SettingValues values = gameRuleValues(rules, occurancy);
    struct Case {
        int entry;
        const char* current;
    };
    const Case cases[] = { { 0, "Disabled" }, { 1, "Enabled" }, { 6, "7" }, { 7, "5" }, { 11, "22" },
        { 12, "0" }, { 19, "9" }, { 26, "11" } };
    for (const Case& c : cases)
        EXPECT_EQ(settingChoice(c.entry, values).current, c.current) << c.entry;
    EXPECT_EQ(values[35], 4); // start height of slot 2, which no entry shows
}
