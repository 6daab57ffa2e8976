#pragma once
// The GameOptionsString: the host's rules for a network game as 40 OptionChars. The host
// builds it from a snapshot of its rule controls and its local occurrence percentages;
// every client decodes it into GameRules and the percentages of internet play.

#include "common/bytes.h"
#include "engine/types.h"

#include <array>
#include <optional>

namespace kalvon::wire {

inline constexpr std::size_t kGameOptionsLength = 40;

// BlockOccurancy entries in the order of positions 12 to 34.
inline constexpr std::array<int, kOccurancyEntries> kOccurancyOrder = {
    // pieces: lblock, lblock2, lines, sblock, square, tblock, zblock
    5,
    6,
    1,
    3,
    4,
    0,
    2,
    // specials by SpecialType: a, c, b, d, f, g, l, n, p, q, r, s, t, v, o, holy shield
    kPieceTypes + 0,
    kPieceTypes + 1,
    kPieceTypes + 5,
    kPieceTypes + 10,
    kPieceTypes + 9,
    kPieceTypes + 6,
    kPieceTypes + 11,
    kPieceTypes + 2,
    kPieceTypes + 8,
    kPieceTypes + 7,
    kPieceTypes + 3,
    kPieceTypes + 4,
    kPieceTypes + 12,
    kPieceTypes + 13,
    kPieceTypes + 14,
    kPieceTypes + 15,
};

// The host's rule controls at one moment: the numbers of the rule fields and the values of
// the four rule check boxes (0 clear, 1 set, 2 grayed), with the local percentages.
struct HostRules {
    int delay = 0;
    int linelevel = 0;
    int raiselevel = 0;
    int specialline = 0;
    int specialsmade = 0;
    int maxspecials = 0;
    int specials = 0;
    int classic = 0;
    int startlevel = 0;
    int samelevel = 0;
    int linespecial = 0;
    std::array<int, kPlayingSlots + 1> startheight{}; // [1..6]
    BlockOccurancy occurancy{};

    bool operator==(const HostRules&) const = default;
};

// Each value is clamped to 0..155, the range one OptionChar can carry.
Bytes BuildGameOptions(const HostRules& host);

// Decodes a GameOptionsString; nothing unless it is exactly 40 bytes. Every value is clamped
// to its rule's range (delay, maxspecials, startlevel and percentages 0..100; the line and
// level steps 0..50; start heights 0..18; the four switches 0..155).
std::optional<HostRules> decodeGameOptions(BytesView options);

// The rules and the internet percentages of decoded options; a switch is on only for the
// value 1.
void ApplyGameOptions(const HostRules& options, GameRules& rules, BlockOccurancy& inetOccurancy);
// Decodes and applies a GameOptionsString. A text that is not exactly 40 bytes leaves both
// unchanged and returns false.
bool ApplyGameOptions(BytesView options, GameRules& rules, BlockOccurancy& inetOccurancy);

// The 40 option values of a room, in the layout of the GameOptionsString, taken as they are
// (a room's switches travel as -1 for on): the room list and the create-room message carry
// them, and the client's room pages give them their meaning.
using RoomOptions = std::array<int, kGameOptionsLength>;
// Each value is clamped to what one OptionChar can carry (-100..155).
Bytes encodeRoomOptions(const RoomOptions& options);
// Nothing unless the text is exactly 40 bytes.
std::optional<RoomOptions> decodeRoomOptions(BytesView text);

inline bool IsOne(int value)
{
    return value == 1;
}

} // namespace kalvon::wire
