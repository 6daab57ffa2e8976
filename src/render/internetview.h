#pragma once
// What the renderer reads of internet play: the other players' five boards with their effect
// markers, and what decides the team name over the local field. Internet play (the client)
// fills it; until it exists everything stays empty, and a game that is not in internet mode
// never reads the team part.

#include "common/bytes.h"
#include "engine/opponentboards.h"

#include <array>
#include <vector>

namespace kalvon {

struct InternetView {
    explicit InternetView(const OpponentBoards& opponentBoards)
        : boards(opponentBoards)
    {
    }

    // Boards 1..5 with their effect markers, as internet play keeps them.
    const OpponentBoards& boards;

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
