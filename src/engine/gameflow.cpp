// The engine's part of starting, stopping and losing a game, and the gravity of the game tick.

#include "common/vbconv.h"
#include "engine/gameengine.h"
#include "engine/levels.h"

#include <algorithm>

namespace kalvon {

void GameEngine::startLocalGame(int64_t now)
{
    auto& s = m_state;
    if (s.GameMode != GameMode::OnePlayer && s.GameMode != GameMode::TwoPlayers)
        return;
    const bool twoPlayers = s.GameMode == GameMode::TwoPlayers;
    ++s.GameGeneration;
    s.GameStarted = true;
    s.GamePaused = false;
    s.SpecialLineCount = 0;
    s.PlayTimeStart = now;
    s.PlayTimeTotal = 0;
    s.Score = 0;
    m_host.setLabel(LabelId::Score, 1, "0");
    s.GameActive = true;
    // Nothing of a game before (a player 2 of an earlier two-player game included) carries over.
    for (int p = 1; p <= kLocalPlayers; ++p) {
        s.PieceInPlay[p] = false;
        s.PieceLanding[p] = false;
        s.HardDropping[p] = false;
    }
    const int startLevel = twoPlayers ? clampLevel(s.Rules.startlevel) : 1;
    s.ActiveLevel = startLevel;
    for (int p = 1; p <= (twoPlayers ? 2 : 1); ++p) {
        m_host.setLabel(LabelId::Spec, p, "(None)");
        s.lstSpecials[p].clear();
        s.lstSpecials[p].reserve(static_cast<size_t>(std::max<int16_t>(s.Rules.maxspecials, 0)));
        m_host.UpdateSpecialsWindow(p);
        m_host.DrawSpecialWindow(p);
        s.Level[p] = startLevel;
        setCountLabel(LabelId::Level, p, "Level: ", startLevel);
        s.LastFallTime[p] = 0;
        s.FourLineClears[p] = 0;
        s.Lines[p] = 0;
        s.FallSpeed[p] = FallSpeedFor(startLevel);
        setCountLabel(LabelId::ActiveLevel, p, "Active Level: ", startLevel);
        setCountLabel(LabelId::Lines, p, "Lines: ", 0);
        setCountLabel(LabelId::Quads, p, "Quads: ", 0);
        s.GameOverShown[p] = false;
        RedrawField(p);
        // The first draw is the piece to play, the second the next piece shown.
        const int piece = GenerateNextBlock().value_or(0);
        s.NextPiece[p] = static_cast<int16_t>(piece);
        SetNextPiece(p, GenerateNextBlock().value_or(0));
        m_host.DrawNextPiece(p);
        SpawnPiece(p, piece, 5, 0);
        s.TremorStart[p] = 0;
        s.FlashStart[p] = 0;
        s.ShieldActive[p] = false;
        s.ShieldStart[p] = 0;
    }
}

void GameEngine::stopGame()
{
    auto& s = m_state;
    ++s.GameGeneration;
    s.GameActive = false;
    s.GameStarted = false;
    s.GamePaused = false;
}

void GameEngine::PlayerLost(int p)
{
    auto& s = m_state;
    if (!isPlayer(p))
        return;
    ++s.GameGeneration;
    m_host.ClearTrails();
    s.ShieldActive[p] = false;
    s.GameActive = false;
    for (int q = 1; q <= kLocalPlayers; ++q) {
        s.PieceInPlay[q] = false;
        s.PieceLanding[q] = false;
    }
    if (s.GameMode == GameMode::Internet) {
        // The server decides the game; the timer keeps running for the others' fields.
        m_host.MarkMyPlayerDead();
        s.NetPlaying = false;
        m_host.SendToServer("G");
        FadeOutField(1);
        FillFieldRandom(1);
        m_host.DrawHeightLed(1);
        playSound(SoundSlot::Lose);
        return;
    }
    s.GameStarted = false;
    s.GamePaused = false;
    m_host.SetGameTimer(false);
    m_host.StopGameMusic();
    FadeOutField(p);
    FillFieldRandom(p);
    playSound(SoundSlot::Lose);
    if (s.GameMode == GameMode::OnePlayer) {
        if (m_highScores)
            m_highScores->CheckHighScore(s.Score);
    } else {
        FillFieldPicture(OtherPlayer(p));
    }
    m_host.DrawHeightLed(p);
    m_host.LocalGameEnded();
}

bool GameEngine::gravityStep(int p, int64_t now)
{
    auto& s = m_state;
    if (!isPlayer(p) || now - s.LastFallTime[p] < FallIntervalMs(gravityLevel(p)))
        return false;
    s.LastFallTime[p] = now;
    if (s.PieceInPlay[p])
        MovePieceDown(p);
    return true;
}

} // namespace kalvon
