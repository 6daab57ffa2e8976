#pragma once
// One network player as the server keeps it (Clients, by socket index) and the client keeps it
// (Players, by the index the server assigned).

#include "common/bytes.h"
#include "net/wire/names.h"

namespace kalvon {

struct PlayerInfo {
    Bytes Name;
    Bytes Team = Bytes(wire::kNoTeam); // kNoTeam (or empty) for no team
    int index = -1; // the server's index of this player; -1 once it left
    int Slot = 0; // 0 spectator, 1..6 playing slot
    bool Spectator = false;
    bool Connected = false; // logged in (server) / the record is in use (client)
    bool Dead = false;
    bool HasVoted = false;
};

} // namespace kalvon
