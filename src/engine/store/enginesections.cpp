// The game's own sections: [General], [Sound], [Game Options], [Block Occurancy], [Controls].

#include "common/vbconv.h"
#include "engine/store/settingssections.h"

#include <algorithm>
#include <utility>

namespace kalvon {

namespace {

// "" and "[Default]" (the text an empty theme box is saved as) name the default theme.
bool namesDefaultTheme(BytesView theme)
{
    return theme.empty() || equalsNoCase(theme, "[Default]");
}

Bytes slotKey(int slot, BytesView name)
{
    return "p" + vb::formatInt(slot) + Bytes(name);
}

// [Game Options] in the order written and read: the boxes, the six start heights, the texts.
constexpr std::pair<const char*, CheckValue GameOptionSettings::*> kRuleBoxes[] = {
    { "classic", &GameOptionSettings::classic },
    { "linespecial", &GameOptionSettings::lineSpecial },
    { "specials", &GameOptionSettings::specials },
    { "samelevel", &GameOptionSettings::sameLevel },
};
constexpr std::pair<const char*, Bytes GameOptionSettings::*> kRuleTexts[] = {
    { "maxspecials", &GameOptionSettings::maxSpecials },
    { "delay", &GameOptionSettings::delay },
    { "startlevel", &GameOptionSettings::startLevel },
    { "linelevel", &GameOptionSettings::lineLevel },
    { "raiselevel", &GameOptionSettings::raiseLevel },
    { "specialline", &GameOptionSettings::specialLine },
    { "specialsmade", &GameOptionSettings::specialsMade },
};

struct PercentageKey {
    const char* key;
    int index; // into BlockOccurancy
};

// In the order written and read.
constexpr PercentageKey kPercentageKeys[kOccurancyEntries] = {
    { "tblock", 0 },
    { "lines", 1 },
    { "lblock", 5 },
    { "lblock2", 6 },
    { "sblock", 3 },
    { "zblock", 2 },
    { "square", 4 },
    { "aspecial", 7 },
    { "cspecial", 8 },
    { "bspecial", 12 },
    { "gspecial", 13 },
    { "nspecial", 9 },
    { "qspecial", 14 },
    { "rspecial", 10 },
    { "sspecial", 11 },
    { "pspecial", 15 },
    { "fspecial", 16 },
    { "dspecial", 17 },
    { "lspecial", 18 },
    { "tspecial", 19 },
    { "vspecial", 20 },
    { "ospecial", 21 },
    { "holyshield", 22 },
};

struct BindingKey {
    const char* key;
    KeyAction action;
    // For these a stored value whose number is 0 means "not set" too; for the movement keys
    // only a missing key does.
    bool zeroMeansNotSet;
};

// Per player, with the prefix "p" and the player number.
constexpr BindingKey kPlayerKeys[] = {
    { "rotate", KeyAction::Rotate, false },
    { "rotate2", KeyAction::Rotate2, false },
    { "left", KeyAction::Left, false },
    { "right", KeyAction::Right, false },
    { "drop", KeyAction::Drop, false },
    { "down", KeyAction::Down, false },
    { "useself", KeyAction::UseSelf, true },
    { "useother", KeyAction::UseOther, true },
    { "discard", KeyAction::Discard, true },
};

// Player 1's row, without a prefix.
constexpr BindingKey kInternetKeys[] = {
    { "Italk", KeyAction::Italk, true },
    { "Italkteam", KeyAction::Italkteam, true },
    { "Irevenge", KeyAction::Irevenge, true },
    { "Ispec1", KeyAction::Ispec1, true },
    { "Ispec2", KeyAction::Ispec2, true },
    { "Ispec3", KeyAction::Ispec3, true },
    { "Ispec4", KeyAction::Ispec4, true },
    { "Ispec5", KeyAction::Ispec5, true },
    { "Ispec6", KeyAction::Ispec6, true },
};

constexpr char kControlsComment[] = "//Number is key ascii number, 9999 for not set.";

void readBinding(SectionReader& in, BytesView key, bool zeroMeansNotSet, int16_t& target)
{
    const std::optional<Bytes> text = in.value(key, vb::formatInt(kKeyNotSet));
    if (!text)
        return;
    if (zeroMeansNotSet && vb::Val(*text) == 0) {
        target = kKeyNotSet;
        return;
    }
    const std::optional<int16_t> code = vb::CInt(*text);
    if (!code)
        return in.refuse();
    // A value that rounds to 0 ("0.4") is no key either: saved as 0, it reads back so.
    target = zeroMeansNotSet && *code == 0 ? kKeyNotSet : *code;
}

} // namespace

void LoadGeneralOptions(const IniDocument& file, GeneralSettings& general)
{
    const GeneralSettings defaults;
    SectionReader in(file, "General", SectionReader::OnBadValue::SkipKey);
    if (const std::optional<Bytes> text = in.value("gamemode", "3")) {
        // A mode the game does not have counts as missing.
        if (const std::optional<int16_t> mode = vb::CInt(*text))
            general.gameMode = *mode >= 1 && *mode <= 3 ? static_cast<GameMode>(*mode) : defaults.gameMode;
    }
    if (const std::optional<Bytes> theme = in.value("theme", defaults.theme))
        general.theme = namesDefaultTheme(*theme) ? defaults.theme : *theme;
    in.readCheckBox("stayontop", defaults.stayOnTop, general.stayOnTop);
    in.readCheckBox("taskbaricon", defaults.taskbarIcon, general.taskbarIcon);
}

void SaveGeneralOptions(SettingsWriter& out, const GeneralSettings& general)
{
    out.line("[General]");
    out.key("gamemode", static_cast<int16_t>(general.gameMode));
    out.key("theme", general.theme.empty() ? "[Default]" : general.theme);
    out.key("stayontop", general.stayOnTop);
    out.key("taskbaricon", general.taskbarIcon);
}

void LoadSoundOptions(const IniDocument& file, SoundSettings& sound)
{
    const SoundSettings defaults;
    SectionReader in(file, "Sound");
    in.readCheckBox("sounds", defaults.sounds, sound.sounds);
    in.readCheckBox("usethememusic", defaults.useThemeMusic, sound.useThemeMusic);
    in.readCheckBox("playmusic", defaults.playMusic, sound.playMusic);
    in.readText("lastmusic", defaults.lastMusic, sound.lastMusic);
}

void SaveSoundOptions(SettingsWriter& out, const SoundSettings& sound)
{
    out.section("Sound");
    out.key("sounds", sound.sounds);
    out.key("usethememusic", sound.useThemeMusic);
    out.key("playmusic", sound.playMusic);
    out.key("lastmusic", sound.lastMusic);
}

void LoadGameOptions(const IniDocument& file, GameOptionSettings& gameOptions)
{
    const GameOptionSettings defaults;
    SectionReader in(file, "Game Options");
    for (const auto& [key, box] : kRuleBoxes)
        in.readCheckBox(key, defaults.*box, gameOptions.*box);
    for (int slot = 1; slot <= kPlayingSlots; ++slot)
        in.readText(
            slotKey(slot, "startheight"), defaults.startHeight[slot - 1], gameOptions.startHeight[slot - 1]);
    for (const auto& [key, text] : kRuleTexts)
        in.readText(key, defaults.*text, gameOptions.*text);
}

void SaveGameOptions(SettingsWriter& out, const GameOptionSettings& gameOptions)
{
    out.section("Game Options");
    for (const auto& [key, box] : kRuleBoxes)
        out.key(key, gameOptions.*box);
    for (int slot = 1; slot <= kPlayingSlots; ++slot)
        out.key(slotKey(slot, "startheight"), gameOptions.startHeight[slot - 1]);
    for (const auto& [key, text] : kRuleTexts)
        out.key(key, gameOptions.*text);
}

void LoadBlockOccurancy(const IniDocument& file, BlockOccurancy& percentages)
{
    SectionReader in(file, "Block Occurancy");
    for (const PercentageKey& entry : kPercentageKeys) {
        int16_t percentage = 0;
        in.readInt16(entry.key, kDefaultBlockOccurancy[entry.index], percentage);
        if (in.stopped())
            return;
        // Held to a percentage, so that no sum of the table and no one-byte encoding of it
        // can overflow.
        percentages[entry.index] = std::clamp<int16_t>(percentage, 0, 100);
    }
}

void SaveBlockOccurancy(SettingsWriter& out, const BlockOccurancy& percentages)
{
    out.section("Block Occurancy");
    for (const PercentageKey& entry : kPercentageKeys)
        out.key(entry.key, percentages[entry.index]);
}

void LoadControls(const IniDocument& file, ControlSettings& controls)
{
    const ControlSettings defaults;
    SectionReader in(file, "Controls");
    // The key-repeat scroll bar refuses values outside 1..200.
    in.readInt16("controlsensitivity", defaults.controlSensitivity, controls.controlSensitivity, 1, 200);
    for (int player = 1; player <= 2; ++player) {
        for (const BindingKey& key : kPlayerKeys)
            readBinding(
                in, slotKey(player, key.key), key.zeroMeansNotSet, controls.binding(player, key.action));
    }
    for (const BindingKey& key : kInternetKeys)
        readBinding(in, key.key, key.zeroMeansNotSet, controls.binding(1, key.action));
}

void SaveControls(SettingsWriter& out, const ControlSettings& controls)
{
    out.section("Controls");
    out.key("controlsensitivity", controls.controlSensitivity);
    out.line(kControlsComment);
    for (int player = 1; player <= 2; ++player) {
        for (const BindingKey& key : kPlayerKeys)
            out.key(slotKey(player, key.key), controls.binding(player, key.action));
    }
    for (const BindingKey& key : kInternetKeys)
        out.key(key.key, controls.binding(1, key.action));
}

} // namespace kalvon
