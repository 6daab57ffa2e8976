#pragma once
// Payloads with a layout of their own: the hello, the welcome, a roster record and the
// winner list. Each builder makes what a well-behaved peer sends; each parser refuses what
// does not fit the layout and leaves range checks of the indices to the caller.

#include "common/bytes.h"
#include "engine/types.h"

#include <array>
#include <optional>
#include <vector>

namespace kalvon::wire {

// The version the game writes in its hello, and the lowest the server accepts.
inline constexpr BytesView kGameVersion = "1.91";
inline constexpr double kMinClientVersion = 1.9;

// The team text of a player without a team.
inline constexpr BytesView kNoTeam = "\r";
// The team as it goes on the wire: an empty team becomes kNoTeam.
Bytes teamOnWire(BytesView team);
// True for kNoTeam and the empty text.
bool isNoTeam(BytesView team);

// The hello's payload: team TAB name CR version.
struct Hello {
    Bytes team;
    Bytes name;
    Bytes version;
};
Bytes buildHello(BytesView team, BytesView name, BytesView version = kGameVersion);
// Splits at the first TAB, then at the first CR after it; nothing when either is missing.
std::optional<Hello> parseHello(BytesView payload);

// A name the server accepts: not empty, and no TAB, ",", ";" or byte below 32 (a TAB would
// break every roster line that carries it).
bool isAcceptableName(BytesView name);

// The welcome: own index, the holder of each slot, whether a game runs. The built-in server
// writes a "," after the index ("-"); the room welcome of outside servers has none ("t").
struct Welcome {
    int index = 0;
    std::array<int, kPlayingSlots + 1> slotHolders{}; // [1..6]: holder, -1 when free
    bool gameRunning = false;
};
Bytes buildWelcome(const Welcome& welcome);
// Nothing when the payload is shorter than the layout; a missing running byte means no game.
std::optional<Welcome> parseWelcome(BytesView payload, bool withComma);

// A roster record ("Q", "\\", "j"): PlayerChar(index), name, TAB, team.
struct PlayerRecord {
    int index = 0;
    Bytes name;
    Bytes team;
};
Bytes buildPlayerRecord(int index, BytesView name, BytesView team);
// Nothing for an empty payload; without a TAB the rest is the name and the team is empty.
std::optional<PlayerRecord> parsePlayerRecord(BytesView payload);

// PlayerChars joined by ","; empty for no winner.
Bytes buildWinnerList(const std::vector<int>& winners);
// The winners; an element that is not exactly one byte is skipped.
std::vector<int> parseWinnerList(BytesView list);

} // namespace kalvon::wire
