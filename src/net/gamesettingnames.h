#pragma once
// The names of the 34 game settings in the order of the settings lists (the room-creation list
// and the rule-vote list). A rule vote names its rule by the position here.

#include "common/bytes.h"

#include <array>
#include <optional>

namespace kalvon {

inline constexpr int kGameSettingCount = 34;

extern const std::array<const char*, kGameSettingCount> kGameSettingNames;

// The name at a position 0..33; nothing for any other position.
std::optional<Bytes> gameSettingName(int position);

} // namespace kalvon
