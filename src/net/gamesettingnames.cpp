#include "net/gamesettingnames.h"

namespace kalvon {

const std::array<const char*, kGameSettingCount> kGameSettingNames = {
    "Use Specials",
    "Classic Mode",
    "Special Multiplier",
    "Same level for all players",
    "Piece Delay",
    "Starting Level",
    "Lines needed to raise level",
    "Levels raised",
    "Lines needed to make special",
    "Specials made",
    "Special Inventory Size",
    "'Line' Block Occurancy",
    "'Z' Block Occurancy",
    "'S' Block Occurancy",
    "'Square' Block Occurancy",
    "'T' Block Occurancy",
    "'L' Block Occurancy",
    "'Backwards L' Block Occurancy",
    "'Add Line' Special Occurancy",
    "'Block Bomb' Special Occurancy",
    "'Clear Line' Special Occurancy",
    "'Clear Specials' Special Occurancy",
    "'Drop Block' Special Occurancy",
    "'Flash' Special Occurancy",
    "'Give Line' Special Occurancy",
    "'Gravity' Special Occurancy",
    "'Holy Shield' Special Occurancy",
    "'Nuke' Special Occurancy",
    "'Push' Special Occurancy",
    "'Quake' Special Occurancy",
    "'Random Clear' Special Occurancy",
    "'Switch Field' Special Occurancy",
    "'Tremor' Special Occurancy",
    "'Vertical Clear' Special Occurancy",
};

std::optional<Bytes> gameSettingName(int position)
{
    if (position < 0 || position >= kGameSettingCount)
        return std::nullopt;
    return Bytes(kGameSettingNames[static_cast<std::size_t>(position)]);
}

} // namespace kalvon
