// What the 10 ms game tick asks of the rules for each player: the landing test the smooth fall
// is drawn by, the held down key, gravity with the smooth fall, and the top-row warning's pulse.

#include "common/vbconv.h"
#include "engine/gameengine.h"
#include "engine/levels.h"

#include <algorithm>

namespace kalvon {

namespace {

constexpr int kRowPixels = 16;
constexpr int kWarningStep = 10;
constexpr int kWarningTop = 250;

int32_t smoothPixels(double value)
{
    return static_cast<int32_t>(std::clamp(vb::roundHalfEven(value), 0.0, double(kRowPixels)));
}

} // namespace

int GameEngine::fallInterval(int p) const
{
    return FallIntervalMs(gravityLevel(p));
}

void GameEngine::updateResting(int p)
{
    if (isPlayer(p))
        m_state.PieceResting[p] = IsPieceBlockedBelow(p);
}

void GameEngine::heldDownRestart(int p, int64_t now, int repeatDelay, int fallInterval)
{
    if (isPlayer(p) && repeatDelay < fallInterval)
        m_state.LastFallTime[p] = now;
}

bool GameEngine::fallStep(int p, int64_t now, const SmoothFall& smooth)
{
    auto& s = m_state;
    if (!isPlayer(p))
        return false;
    const bool falling = s.PieceInPlay[p];
    if (gravityStep(p, now)) {
        s.SmoothOffset[p] = 0;
        return falling;
    }
    if (!smooth.enabled)
        return false;
    if (!smooth.downHeld) {
        s.SmoothOffset[p] = smoothPixels(double(now - s.LastFallTime[p]) * s.FallSpeed[p]);
        return false;
    }
    s.SmoothOffset[p] = smoothPixels(double(now - smooth.downLastFired) / smooth.repeatDelay * kRowPixels);
    // Gravity's own offset then continues from where the key's offset stands.
    if (smooth.repeatDelay < smooth.fallInterval && s.FallSpeed[p] > 0)
        s.LastFallTime[p] = now - static_cast<int64_t>(vb::roundHalfEven(s.SmoothOffset[p] / s.FallSpeed[p]));
    return false;
}

void GameEngine::pulseWarning(int p)
{
    if (!isPlayer(p))
        return;
    int32_t& level = m_state.WarningAlpha[p];
    bool& falling = m_state.WarningFalling[p];
    if (!falling) {
        level = std::min(level + kWarningStep, kWarningTop);
        if (level >= kWarningTop)
            falling = true;
    } else {
        level = std::max(level - kWarningStep, 0);
        if (level <= 0)
            falling = false;
    }
}

} // namespace kalvon
