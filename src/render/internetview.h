#pragma once
// What the renderer reads of internet play: the other players' five boards with their effect
// markers, and what decides the team name over the local field. Internet play (the client)
// fills it; until it exists everything stays empty, and a game that is not in internet mode
// never reads the team part.

#include "common/bytes.h"
#include "engine/state.h"

#include <array>
#include <vector>

namespace kalvon {

struct InternetView {
    // Boards 1..5 (element 0 unused), coded like the local fields.
    std::array<FieldArray, kInternetFields + 1> InetFieldOccupied{};
    std::array<FieldArray, kInternetFields + 1> InetFieldColor{};
    // The effects running on each board's player, shown as marker cells in its top row.
    std::array<bool, kInternetFields + 1> NetFlashActive{};
    std::array<bool, kInternetFields + 1> NetTremorActive{};
    std::array<bool, kInternetFields + 1> NetShieldActive{};

    // This client watches instead of playing.
    bool Spectating = false;
    // This client's team; empty or a lone carriage return means none.
    Bytes MyTeam;
    // The player index in playing slot 1 (SpotPlayer(1)); -1 when the slot is empty.
    int SpotPlayerOne = -1;
    // The team of each player, by player index (Players(i).Team).
    std::vector<Bytes> PlayerTeams;
};

} // namespace kalvon
