#pragma once
// Names, teams and the version as the wire carries them.

#include "common/bytes.h"

namespace kalvon::wire {

// The version the game writes in its hello, and the lowest the server accepts.
inline constexpr BytesView kGameVersion = "1.91";
inline constexpr double kMinClientVersion = 1.9;

// The team text of a player without a team, and the password text of a room without one.
inline constexpr BytesView kNoTeam = "\r";
inline constexpr BytesView kNoPassword = "\r";
// The team as it goes on the wire: an empty team becomes kNoTeam.
Bytes teamOnWire(BytesView team);
// True for kNoTeam and the empty text.
bool isNoTeam(BytesView team);

// A name the server accepts: not empty, and no TAB, ",", ";" or byte below 32 (a TAB would
// break every roster line that carries it).
bool isAcceptableName(BytesView name);

} // namespace kalvon::wire
