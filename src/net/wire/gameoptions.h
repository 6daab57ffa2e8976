#pragma once
// The GameOptionsString: the host's rules for a network game as 40 OptionChars. The host
// builds it from a snapshot of its rule controls and its local occurrence percentages;
// every client decodes it into GameRules and the percentages of internet play.

#include "common/bytes.h"
#include "engine/types.h"

#include <array>

namespace kalvon::wire {

inline constexpr std::size_t kGameOptionsLength = 40;

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
};

// Each value is clamped to 0..155, the range one OptionChar can carry.
Bytes BuildGameOptions(const HostRules& host);

// Decodes a GameOptionsString into the rules and the internet percentages. A text that is
// not exactly 40 bytes leaves both unchanged and returns false. Every value is clamped to
// its rule's range (delay, maxspecials, startlevel and percentages 0..100; the line and
// level steps 0..50; start heights 0..18); a switch is on only for the value 1.
bool ApplyGameOptions(BytesView options, GameRules& rules, BlockOccurancy& inetOccurancy);

inline bool IsOne(int value) { return value == 1; }

} // namespace kalvon::wire
