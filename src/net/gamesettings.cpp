#include "net/gamesettings.h"

#include "common/optiontext.h"
#include "common/vbconv.h"

namespace kalvon {

namespace {

constexpr SettingKind S = SettingKind::Switch;
constexpr SettingKind N = SettingKind::Number;

constexpr std::size_t kRulePositions = 11;

// RoomCreateOptions after ResetRoomOptions, position by position: the eleven rules, the piece
// percentages (lblock, lblock2, lines, sblock, square, tblock, zblock), the special
// percentages in the options string's order, then the six start heights.
constexpr SettingValues kRoomDefaults = { 0, 1, 1, 1, 1, 16, -1, -1, 1, -1, -1, //
    14, 14, 15, 14, 15, 14, 14, //
    13, 13, 12, 2, 6, 3, 6, 2, 2, 6, 9, 3, 5, 5, 7, 3, //
    0, 0, 0, 0, 0, 0 };

int switchValue(bool on)
{
    return on ? -1 : 0;
}

} // namespace

const std::array<GameSetting, kGameSettingCount> kGameSettings = { {
    { "Use Specials", S, 0, 1, 7 },
    { "Classic Mode", S, 0, 1, 8 },
    { "Special Multiplier", S, 0, 1, 11 },
    { "Same level for all players", S, 0, 1, 10 },
    { "Piece Delay", N, 0, 100, 1 },
    { "Starting Level", N, 0, 100, 9 },
    { "Lines needed to raise level", N, 1, 50, 2 },
    { "Levels raised", N, 0, 50, 3 },
    { "Lines needed to make special", N, 0, 50, 4 },
    { "Specials made", N, 0, 50, 5 },
    { "Special Inventory Size", N, 0, 100, 6 },
    { "'Line' Block Occurancy", N, 0, 100, 14 },
    { "'Z' Block Occurancy", N, 0, 100, 18 },
    { "'S' Block Occurancy", N, 0, 100, 15 },
    { "'Square' Block Occurancy", N, 0, 100, 16 },
    { "'T' Block Occurancy", N, 0, 100, 17 },
    { "'L' Block Occurancy", N, 0, 100, 12 },
    { "'Backwards L' Block Occurancy", N, 0, 100, 13 },
    { "'Add Line' Special Occurancy", N, 0, 100, 19 },
    { "'Block Bomb' Special Occurancy", N, 0, 100, 33 },
    { "'Clear Line' Special Occurancy", N, 0, 100, 20 },
    { "'Clear Specials' Special Occurancy", N, 0, 100, 21 },
    { "'Drop Block' Special Occurancy", N, 0, 100, 22 },
    { "'Flash' Special Occurancy", N, 0, 100, 23 },
    { "'Give Line' Special Occurancy", N, 0, 100, 25 },
    { "'Gravity' Special Occurancy", N, 0, 100, 24 },
    { "'Holy Shield' Special Occurancy", N, 0, 100, 34 },
    { "'Nuke' Special Occurancy", N, 0, 100, 26 },
    { "'Push' Special Occurancy", N, 0, 100, 27 },
    { "'Quake' Special Occurancy", N, 0, 100, 28 },
    { "'Random Clear' Special Occurancy", N, 0, 100, 29 },
    { "'Switch Field' Special Occurancy", N, 0, 100, 30 },
    { "'Tremor' Special Occurancy", N, 0, 100, 31 },
    { "'Vertical Clear' Special Occurancy", N, 0, 100, 32 },
} };

const GameSetting* gameSetting(int entry)
{
    if (entry < 0 || entry >= kGameSettingCount)
        return nullptr;
    return &kGameSettings[static_cast<std::size_t>(entry)];
}

std::optional<Bytes> gameSettingName(int entry)
{
    if (const GameSetting* setting = gameSetting(entry))
        return Bytes(setting->name);
    return std::nullopt;
}

SettingValues gameRuleValues(const GameRules& rules, const BlockOccurancy& occurancy)
{
    SettingValues values{};
    const std::array<int, kRulePositions> ruleValues
        = { rules.delay, rules.linelevel, rules.raiselevel, rules.specialline, rules.specialsmade,
              rules.maxspecials, switchValue(rules.specials), switchValue(rules.classic), rules.startlevel,
              switchValue(rules.samelevel), switchValue(rules.linespecial) };
    std::copy(ruleValues.begin(), ruleValues.end(), values.begin());
    for (std::size_t i = 0; i < wire::kOccurancyOrder.size(); ++i)
        values[kRulePositions + i] = occurancy[static_cast<std::size_t>(wire::kOccurancyOrder[i])];
    for (int slot = 1; slot <= kPlayingSlots; ++slot)
        values[kRulePositions + wire::kOccurancyOrder.size() + static_cast<std::size_t>(slot - 1)]
            = rules.startheight[static_cast<std::size_t>(slot)];
    return values;
}

SettingChoice settingChoice(int entry, const SettingValues& values)
{
    const GameSetting* setting = gameSetting(entry);
    if (!setting)
        return {};
    const int value = values[static_cast<std::size_t>(setting->position - 1)];
    if (setting->kind == SettingKind::Switch)
        return { EnabledText(static_cast<int16_t>(value)), { "Enabled", "Disabled" } };
    SettingChoice choice{ vb::formatInt(value), {} };
    for (int offered = setting->low; offered <= setting->high; ++offered)
        choice.offered.push_back(vb::formatInt(offered));
    return choice;
}

std::optional<int> settingValue(int entry, BytesView text)
{
    const GameSetting* setting = gameSetting(entry);
    if (!setting)
        return std::nullopt;
    if (setting->kind == SettingKind::Switch) {
        if (text == "Enabled")
            return 1;
        if (text == "Disabled")
            return 0;
        return std::nullopt;
    }
    const std::optional<int16_t> number = vb::CInt(text);
    if (!number || *number < setting->low || *number > setting->high)
        return std::nullopt;
    return *number;
}

void RoomCreateOptions::ResetRoomOptions()
{
    values = kRoomDefaults;
}

bool RoomCreateOptions::change(int entry, BytesView text)
{
    const std::optional<int> value = settingValue(entry, text);
    if (!value)
        return false;
    const GameSetting& setting = *gameSetting(entry);
    values[static_cast<std::size_t>(setting.position - 1)]
        = setting.kind == SettingKind::Switch ? switchValue(*value != 0) : *value;
    return true;
}

Bytes RoomCreateOptions::EncodeRoomOptions() const
{
    return wire::encodeRoomOptions(values);
}

} // namespace kalvon
