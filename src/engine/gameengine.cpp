#include "engine/gameengine.h"

#include <charconv>
#include <cstring>

namespace kalvon {

int OtherPlayer(int p)
{
    return p == 1 ? 2 : 1;
}

GameEngine::GameEngine(EngineHost& host, EngineRandom& random, const Clock& clock)
    : m_host(host)
    , m_random(random)
    , m_clock(clock)
{
    // The lists keep their room, so play does not allocate.
    m_state.SpecialCandidates.reserve(kFieldCells);
    for (auto& inventory : m_state.lstSpecials)
        inventory.reserve(16);
}

void GameEngine::setGameMode(GameMode mode)
{
    m_state.GameMode = mode;
}

void GameEngine::setOptions(const EngineOptions& options)
{
    m_state.Options = options;
}

void GameEngine::setBlockOccurancy(const BlockOccurancy& occurancy)
{
    m_state.BlockOccurancy = occurancy;
}

void GameEngine::setRules(const GameRules& rules, const BlockOccurancy& inetOccurancy)
{
    m_state.Rules = rules;
    m_state.InetBlockOccurancy = inetOccurancy;
}

bool GameEngine::playerActs(int p) const
{
    return p == 1 || (p == 2 && m_state.GameMode == GameMode::TwoPlayers);
}

void GameEngine::playSound(SoundSlot slot)
{
    if (m_state.Options.sounds)
        m_host.playSound(slot);
}

void GameEngine::setCountLabel(LabelId label, int p, BytesView caption, int64_t value)
{
    char text[48];
    std::memcpy(text, caption.data(), caption.size());
    const auto end = std::to_chars(text + caption.size(), text + sizeof text, value).ptr;
    m_host.setLabel(label, p, BytesView(text, static_cast<size_t>(end - text)));
}

void GameEngine::showActiveLevel()
{
    for (int p = 1; p <= kLocalPlayers; ++p)
        setCountLabel(LabelId::ActiveLevel, p, "Active Level: ", m_state.ActiveLevel);
}

} // namespace kalvon
