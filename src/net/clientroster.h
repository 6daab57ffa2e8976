#pragma once
// The client's copy of the server's player table (Players, by the index the server assigned)
// and of the six playing spots (SpotPlayer), this client's own place (MyIndex, MySpot,
// Spectating), and which opponent board shows each spot (SpotBoard). Every index a peer sends
// is looked up through the checked accessors here; an unknown one finds nothing.
//
// The big field (local field 1) shows MySpot while this client plays and spot 1 while it
// spectates; that spot has no board.

#include "common/bytes.h"
#include "engine/types.h"
#include "net/playerinfo.h"
#include "net/wire/encodings.h"

#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace kalvon {

inline constexpr int kNoPlayer = -1;
// The highest player index one PlayerChar carries.
inline constexpr int kMaxPlayerIndex = wire::kMaxPlayerValue;

// Two players are teammates when both have a team and the teams match ignoring case.
bool sameTeam(BytesView a, BytesView b);

class ClientRoster {
public:
    ClientRoster()
    {
        clear();
        clearSpots();
    }

    // --- own place ---
    int MyIndex = 0; // below 1 until the server tells it
    int MySpot = 0; // 0 (or below) while spectating
    bool Spectating = true; // true until this client takes a spot
    bool isPlaying() const { return !Spectating && isSpot(MySpot); }
    bool isMe(int index) const { return MyIndex >= 1 && index == MyIndex; }

    // --- players ---
    // A player record 1..HighestPlayerIndex, or nothing.
    PlayerInfo* player(int index);
    const PlayerInfo* player(int index) const;
    // The record of `index`, the table grown to it when needed; nothing for an index outside
    // 1..kMaxPlayerIndex.
    PlayerInfo* recordFor(int index);
    // The player's name; empty for an unknown index.
    Bytes nameOf(int index) const;
    int HighestPlayerIndex() const { return static_cast<int>(m_players.size()) - 1; }
    // Back to the single empty entry 0.
    void clear();

    // --- spots ---
    static bool isSpot(int spot) { return spot >= 1 && spot <= kPlayingSlots; }
    // The player in a spot, kNoPlayer when it is empty or no spot.
    int spotPlayer(int spot) const;
    void setSpotPlayer(int spot, int index);
    void clearSpots();
    // The spots that hold the player, in order.
    std::vector<int> spotsOf(int index) const;

    // --- boards ---
    // Rebuilds SpotBoard: while playing, spots below MySpot keep their number and spots above
    // it move down one; while spectating, spots 2..6 are boards 1..5. The big-field spot's
    // entry is left as it was.
    void MapSpotsToBoards();
    bool onBigField(int spot) const { return isSpot(spot) && spot == (isPlaying() ? MySpot : 1); }
    // The board (1..5) that shows the spot; nothing for the big-field spot, a spot outside
    // 1..6 or an entry never mapped.
    std::optional<int> boardOf(int spot) const;

    // --- texts ---
    // The big field's label: "3. Ann" while playing in spot 3; "1. Bob" or "1. (Not Playing)" otherwise.
    Bytes bigFieldLabel(BytesView myName) const;
    // The label of every spot shown on a board: "4. (Not Playing)" or "4. Cy".
    std::vector<std::pair<int, Bytes>> boardLabels() const;
    // The player list: one line per spot, with " - team" for a player on a team.
    std::vector<Bytes> playerListLines() const;
    // The spectator list: the names of connected spectators by index.
    std::vector<Bytes> spectatorNames() const;
    // A record the lists show: in use and named. The server sends records of departed players
    // with an empty name; they are neither players nor spectators.
    bool isListed(int index) const;

private:
    Bytes spotText(int spot) const;

    std::vector<PlayerInfo> m_players; // [0] unused
    std::array<int, kPlayingSlots + 1> m_spotPlayer{}; // [1..6]
    std::array<int, kPlayingSlots + 1> m_spotBoard{}; // [1..6], 0 until mapped
};

} // namespace kalvon
