// Flash Screen, Tremor and Holy Shield: a flag and a start tick per player, ended by the tick.

#include "engine/specials.h"

namespace kalvon {

void GameSpecials::FlashScreen(int t)
{
    auto& s = state();
    // A running flash is neither restarted nor lengthened.
    if (!isPlayer(t) || s.FlashActive[t])
        return;
    drawing().ResetFieldPicture(t);
    s.FlashStart[t] = m_engine.clock().nowMs();
    s.FlashActive[t] = true;
    host().SendFieldUpdate();
    drawing().DrawField(t);
}

void GameSpecials::StartTremor(int t)
{
    auto& s = state();
    if (!isPlayer(t) || s.TremorActive[t])
        return;
    s.TremorActive[t] = true;
    s.TremorStart[t] = m_engine.clock().nowMs();
}

void GameSpecials::HolyShield(int t)
{
    auto& s = state();
    if (!isPlayer(t))
        return;
    // A second shield starts the time again.
    s.ShieldStart[t] = m_engine.clock().nowMs();
    s.ShieldActive[t] = true;
    playSound(SoundSlot::HolyShield);
}

void GameEngine::endTimedEffects(int p, int64_t now)
{
    auto& s = m_state;
    if (!isPlayer(p))
        return;
    if (now - s.TremorStart[p] >= kTimedSpecialMs)
        s.TremorActive[p] = false;
    if (s.ShieldActive[p] && now - s.ShieldStart[p] > kTimedSpecialMs)
        s.ShieldActive[p] = false;
    if (s.FlashActive[p] && now - s.FlashStart[p] > kTimedSpecialMs)
        s.FlashActive[p] = false;
}

} // namespace kalvon
