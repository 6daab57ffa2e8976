#pragma once
// The 34 game settings of internet play as the rule-vote panel and the room-creation panel list
// them: name, kind, the values offered and the setting's character in the 40-character options
// string. A rule vote names its rule by the position in this table, so the order is part of
// the protocol. Both panels read their record in the layout of the options string
// (`SettingValues`: a switch holds -1 when on and 0 when off); the room to be created keeps
// its options in that layout (`RoomCreateOptions`), so they are encoded as they stand.
//
// A value chosen for an entry is taken only when it lies in the entry's range: nothing out of
// range ever reaches an encoder.

#include "common/bytes.h"
#include "engine/types.h"
#include "net/wire/gameoptions.h"

#include <array>
#include <optional>
#include <vector>

namespace kalvon {

inline constexpr int kGameSettingCount = 34;

enum class SettingKind { Switch, Number };

struct GameSetting {
    const char* name;
    SettingKind kind;
    int low; // the values offered, low to high; a switch offers "Enabled" and "Disabled"
    int high;
    int position; // the character of the options string, 1..34
};

extern const std::array<GameSetting, kGameSettingCount> kGameSettings;

// The entry at a position 0..33; nothing for any other position.
const GameSetting* gameSetting(int entry);
std::optional<Bytes> gameSettingName(int entry);

// The values of the options string's 40 positions ([0] is position 1).
using SettingValues = wire::RoomOptions;

// The rules of the current game (and the percentages of internet play) in that layout.
SettingValues gameRuleValues(const GameRules& rules, const BlockOccurancy& occurancy);

// What a panel shows for its selected entry: the value text ("Enabled"/"Disabled" or the
// number) and the values offered, in order; the first offered is the one preselected. Empty
// for no entry.
struct SettingChoice {
    Bytes current;
    std::vector<Bytes> offered;
    bool operator==(const SettingChoice&) const = default;
};
SettingChoice settingChoice(int entry, const SettingValues& values);

// The value a chosen text stands for, as a rule vote sends it: 1 for "Enabled" and 0 for
// "Disabled" (a switch takes nothing else), a number for a number entry. Nothing when the
// entry is unknown, the text is no value of the entry, or the value lies outside its range.
std::optional<int> settingValue(int entry, BytesView text);

// The options of the room about to be created, in the layout of the options string.
struct RoomCreateOptions {
    SettingValues values{};

    // ResetRoomOptions: the defaults every opening of the room-creation panel starts from.
    void ResetRoomOptions();
    // The "Change" button: the entry takes the chosen text (a switch -1 for a value other than
    // 0). False, and nothing changes, when settingValue refuses the text.
    bool change(int entry, BytesView text);
    // EncodeRoomOptions: the 40 option characters of the create-room message.
    Bytes EncodeRoomOptions() const;
};

} // namespace kalvon
