// The specials inventory of a local player: a stack of special codes, the last one at hand.

#include "engine/gameengine.h"

#include <algorithm>

namespace kalvon {

namespace {
constexpr std::array<BytesView, kSpecialTypes> kSpecialNames = {
    "(Add Line)",
    "(Clear Line)",
    "(Nuke Field)",
    "(Random Clear)",
    "(Switch Blocks)",
    "(Clear Specials)",
    "(Block Gravity)",
    "(Block Quake)",
    "(Push Field)",
    "(Flash Screen)",
    "(Drop Block)",
    "(Give Line)",
    "(Tremor)",
    "(Vertical Clear)",
    "(Block Bomb)",
    "(Holy Shield)",
};
} // namespace

BytesView GameEngine::SpecialName(int p) const
{
    if (!isPlayer(p) || m_state.lstSpecials[p].empty())
        return "(None)";
    const int code = m_state.lstSpecials[p].back();
    if (code < kFirstSpecialCode || code > kLastSpecialCode)
        return "";
    return kSpecialNames[static_cast<size_t>(code - kFirstSpecialCode)];
}

bool GameEngine::inventoryFull(int p) const
{
    const auto size = static_cast<int64_t>(m_state.lstSpecials[p].size());
    return size >= std::max<int64_t>(0, m_state.Rules.maxspecials);
}

void GameEngine::collectSpecial(int p, int16_t code)
{
    if (!isPlayer(p))
        return;
    m_state.lstSpecials[p].push_back(code);
    if (m_state.GameMode == GameMode::Internet)
        ++m_state.SpecialsGained;
    drawing().UpdateSpecialsWindow(p);
    drawing().DrawSpecialWindow(p);
    m_host.setLabel(LabelId::Spec, p, SpecialName(p));
}

void GameEngine::spendSpecialAtHand(int p)
{
    if (!isPlayer(p) || m_state.lstSpecials[p].empty())
        return;
    m_state.lstSpecials[p].pop_back();
    drawing().UpdateSpecialsWindow(p);
    m_host.setLabel(LabelId::Spec, p, SpecialName(p));
    drawing().DrawSpecialWindow(p);
}

} // namespace kalvon
