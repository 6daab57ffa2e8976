#pragma once
// The soak's computer player. For each new piece it picks the placement that clears most rows
// and leaves the fewest holes (now and then one at random), turns and moves the piece there
// and drops it, giving up and dropping when the piece won't get there. Its answer is a key mask, as the bot
// plug-in gives, applied to a player's held keys through the same path (ApplyBotKeys). Now and then it also
// uses the special at hand on a spot of its choice.

#include "engine/state.h"

#include <cstdint>

namespace kalvon::testing {

class SoakBot {
public:
    explicit SoakBot(uint32_t seed)
        : m_random(seed)
    {
    }

    // The keys player 1 holds for the next tick.
    int16_t think(const EngineState& s);
    // A spot 1..6 to use the special at hand on this tick, or 0.
    int specialTarget(const EngineState& s);

private:
    uint32_t next(uint32_t range);
    void choose(const EngineState& s);

    uint32_t m_random;
    bool m_hadPiece = false;
    bool m_dropped = false;
    FallingPieceRecord m_last{};
    int m_column = 0;
    int m_orientation = 1;
    int m_moves = 0;
};

} // namespace kalvon::testing
