// Spending the special at hand in a two-player game, and throwing it away. The special leaves
// the inventory before its effect starts, so it is never spent twice.

#include "engine/gameengine.h"

namespace kalvon {

void GameEngine::UseSpecial(int p, int t)
{
    auto& s = m_state;
    if (s.GameMode != GameMode::TwoPlayers || !isPlayer(p) || !isPlayer(t))
        return;
    const auto& inventory = s.lstSpecials[p];
    if (inventory.empty())
        return;
    // A Holy Shield refuses the other player's specials; the special stays where it was.
    if (s.ShieldActive[t] && t != p)
        return;
    const int code = inventory.back();
    spendSpecialAtHand(p);

    SpecialEffects& effects = *m_effects;
    switch (code - kFirstSpecialCode) {
    case int(SpecialType::AddLine): effects.AddLine(t); break;
    case int(SpecialType::ClearLine): effects.ClearLine(t); break;
    case int(SpecialType::NukeField): effects.NukeField(t); break;
    case int(SpecialType::RandomClear): effects.RandomClear(t); break;
    case int(SpecialType::SwitchBlocks):
        // Used on oneself it is spent without effect.
        if (t != p)
            effects.SwitchBlocks();
        break;
    case int(SpecialType::ClearSpecials): effects.ClearSpecials(t); break;
    case int(SpecialType::BlockGravity):
        playSound(SoundSlot::LineClear);
        effects.BlockGravity(t);
        break;
    case int(SpecialType::BlockQuake): effects.BlockQuake(t); break;
    case int(SpecialType::PushField):
        playSound(SoundSlot::StartGame);
        effects.PushField(t);
        break;
    case int(SpecialType::FlashScreen): effects.FlashScreen(t); break;
    case int(SpecialType::DropBlock): HardDrop(t); break;
    case int(SpecialType::GiveLine): effects.GiveLine(t); break;
    case int(SpecialType::Tremor): effects.StartTremor(t); break;
    case int(SpecialType::VerticalClear): effects.VerticalClear(t); break;
    case int(SpecialType::BlockBomb):
        playSound(SoundSlot::Explode);
        effects.ExplodeBombBlocks(t);
        break;
    case int(SpecialType::HolyShield): effects.HolyShield(t); break;
    default: break; // not a special: spent without effect
    }
}

void GameEngine::RefreshSpecialBar(int p)
{
    if (!isPlayer(p) || m_state.lstSpecials[p].empty())
        return;
    m_state.lstSpecials[p].pop_back();
    drawing().UpdateSpecialsWindow(p);
    drawing().DrawSpecialWindow(p);
    m_host.setLabel(LabelId::Spec, p, SpecialName(p));
}

} // namespace kalvon
