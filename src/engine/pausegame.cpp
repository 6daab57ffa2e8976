// Pausing and resuming. A local game stops its timer and music and keeps the time actually
// played; in internet play the server pauses everybody, so only the request goes out.

#include "engine/gameengine.h"

namespace kalvon {

void GameEngine::PauseGame()
{
    auto& s = m_state;
    if (s.GameMode == GameMode::Internet) {
        m_host.SetPauseCaption("Unpause Game");
        if (m_host.IsHostingServer())
            m_host.ServerMsgPause(-1);
        else
            m_host.sendPauseGame();
        s.GamePaused = true;
        return;
    }
    // Only a running game pauses: a second pause would count the first one as play time.
    if (!s.GameActive || s.GamePaused)
        return;
    pausePlay(m_clock.nowMs());
    m_host.SetGameTimer(false);
    m_host.PauseMusic();
    s.GamePaused = true;
}

void GameEngine::ResumeGame()
{
    auto& s = m_state;
    if (s.GameMode == GameMode::Internet) {
        s.GamePaused = false;
        m_host.SetPauseCaption("Pause Game");
        if (m_host.IsHostingServer())
            m_host.ServerMsgResume(-1);
        else
            m_host.sendResumeGame();
        m_host.FocusField();
        return;
    }
    // Only a paused game resumes: restarting the clock of a running one would lose its time.
    if (!s.GamePaused)
        return;
    s.GamePaused = false;
    resumePlay(m_clock.nowMs());
    m_host.ResumeMusic();
    m_host.SetGameTimer(true);
    m_host.FocusField();
}

int64_t GameEngine::playedTime(int64_t now) const
{
    const auto& s = m_state;
    if (!s.GameActive || s.GamePaused)
        return s.PlayTimeTotal;
    return s.PlayTimeTotal + (now - s.PlayTimeStart);
}

} // namespace kalvon
