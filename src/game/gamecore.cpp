#include "game/gamecore.h"

namespace kalvon {

namespace {
constexpr int kTickIntervalMs = 10;
}

GameCore::GameCore(const GameServices& s, uint64_t seed)
    : m_random(seed)
    , m_sounds(s.soundEffects, s.themes, s.options, s.programFolder)
    // The bot and the session are made after the engine; the host only keeps references.
    , m_host({ m_sounds, s.window, m_bot, s.internet, s.pump, s.music, m_session })
    , m_engine(m_host, m_random, s.clock)
    , m_specials(m_engine)
    , m_bot(s.programFolder, m_engine.state(), m_keys)
    , m_tick({ m_engine, s.options, s.themes, m_keys, m_bot, s.window, s.internet, m_netDoors, s.music,
          s.clock })
    , m_ticker(s.clock, kTickIntervalMs, [this] { m_tick.runTick(); })
    , m_session({ m_engine, s.options, s.themes, m_keys, m_ticker, s.window, s.internet, s.music, m_sounds,
          s.dialogs, s.clock })
    , m_keyboard({ s.options, m_engine, m_keys, m_session, s.window, s.internet })
{
    m_engine.setEffects(m_specials);
    m_engine.setHighScores(s.highScores);
}

} // namespace kalvon
