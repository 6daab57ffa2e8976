// Flash Screen, Tremor and Holy Shield: a flag and a start tick per player, ended by the tick.

#include "engine/specials.h"

namespace kalvon {

void GameSpecials::FlashScreen(int t)
{
    auto& s = state();
    // A running flash is neither restarted nor lengthened.
    if (!isPlayer(t) || s.FlashActive[t])
        return;
    host().ResetFieldPicture(t);
    s.FlashStart[t] = m_engine.clock().nowMs();
    s.FlashActive[t] = true;
    host().SendFieldUpdate();
    host().DrawField(t);
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

void endTimedSpecials(EngineState& state, int p, int64_t now)
{
    if (p != 1 && p != 2)
        return;
    if (now - state.TremorStart[p] >= kTimedSpecialMs)
        state.TremorActive[p] = false;
    if (state.ShieldActive[p] && now - state.ShieldStart[p] > kTimedSpecialMs)
        state.ShieldActive[p] = false;
    if (state.FlashActive[p] && now - state.FlashStart[p] > kTimedSpecialMs)
        state.FlashActive[p] = false;
}

} // namespace kalvon
