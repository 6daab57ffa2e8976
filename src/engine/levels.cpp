// Levels: the level step after each landing of a local game, and level to fall speed.

#include "engine/levels.h"

#include "common/vbconv.h"
#include "engine/gameengine.h"

#include <algorithm>

namespace kalvon {

int clampLevel(int64_t level)
{
    return static_cast<int>(std::clamp<int64_t>(level, kMinLevel, kMaxLevel));
}

int FallIntervalMs(int level)
{
    return (101 - clampLevel(level)) * 10;
}

double FallSpeedFor(int level)
{
    return 16.0 / FallIntervalMs(level);
}

int GameEngine::gravityLevel(int p) const
{
    const auto& s = m_state;
    const bool shared
        = s.GameMode == GameMode::Internet || (s.GameMode == GameMode::TwoPlayers && s.Rules.samelevel);
    return shared ? s.ActiveLevel : s.Level[isPlayer(p) ? p : 1];
}

void GameEngine::UpdateLevel(int p)
{
    auto& s = m_state;
    if (!isPlayer(p))
        return;
    const int lines = s.Lines[p];
    if (lines <= 10)
        return;
    const bool onePlayer = s.GameMode == GameMode::OnePlayer;
    // A lines-per-level rule of 0 (or below) means the level never rises.
    if (!onePlayer && s.Rules.linelevel <= 0)
        return;
    if (lines >= 110) {
        s.Level[p] = kMaxLevel;
        setCountLabel(LabelId::Level, p, "Level: ", s.Level[p]);
        s.ActiveLevel = kMaxLevel;
        showActiveLevel();
    } else {
        if (onePlayer) {
            s.Level[p] = lines - 10;
        } else {
            const double steps = double(lines - 10) / s.Rules.linelevel * s.Rules.raiselevel;
            s.Level[p] = clampLevel(static_cast<int64_t>(vb::roundHalfEven(steps)));
        }
        setCountLabel(LabelId::Level, p, "Level: ", s.Level[p]);
        if (s.Level[p] > s.ActiveLevel) {
            s.ActiveLevel = s.Level[p];
            showActiveLevel();
        }
    }
    const bool shared = s.GameMode == GameMode::TwoPlayers && s.Rules.samelevel;
    s.FallSpeed[p] = FallSpeedFor(shared ? s.ActiveLevel : s.Level[p]);
    if (shared)
        s.FallSpeed[OtherPlayer(p)] = s.FallSpeed[p];
}

} // namespace kalvon
