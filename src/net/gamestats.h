#pragma once
// The statistics of one network game: the nine counters (GameStats), the game time in
// minutes and seconds, the per-minute values and the lines printed at game over.
//
// The engine counts SpecialsGained and LinesAddedToAll in its own state while it plays; the
// client copies them into this record when it prints the statistics.

#include "common/bytes.h"

#include <cstdint>
#include <vector>

namespace kalvon {

struct GameStats {
    int SpecialsGained = 0;
    int SpecialsUsed = 0;
    int GoodSpecialsUsed = 0;
    int BadSpecialsUsed = 0;
    int SpecialsOnTeammates = 0;
    int SpecialsReceived = 0;
    int TeamSpecialsReceived = 0;
    int SpecialsOnSelf = 0;
    int LinesAddedToAll = 0;
};

// GameMinutes and GameSeconds of a play time: the seconds rounded half to even, the minutes
// the seconds / 60 rounded the same way, the seconds less 60 per minute, borrowing a minute
// when that goes below zero (89.5 s is 1 min 30 sec; 100 s is 1 min 40 sec).
struct GameTime {
    int64_t minutes = 0;
    int64_t seconds = 0;
};
GameTime gameTimeOf(int64_t elapsedMs);

// n per minute of the game time, rounded half to even to two places and written in its
// shortest form ("12.5", "3", "6.67"); "0" for a game time of zero.
Bytes FormatPerMinute(int64_t n, GameTime time);

struct StatisticsInput {
    GameStats stats;
    int lines = 0;
    int quads = 0;
    GameTime time;
    Bytes winners; // the winners text of the game-over line
    bool specials = false; // the game had specials
    bool onTeam = false; // this client has a team
};

// The statistics block, one entry per chat line: the header "---- Game Statisitics ----",
// then game time, winners, lines, quads and lines added to all, and with specials the
// specials counters (the teammate ones only on a team) and their per-minute values.
std::vector<Bytes> GameStatisticsLines(const StatisticsInput& input);

} // namespace kalvon
