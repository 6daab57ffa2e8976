// Starting a game in every mode, stopping, pausing and losing it, and the gravity of the tick.

#include "common/vbconv.h"
#include "engine/gameengine.h"
#include "engine/levels.h"

#include <algorithm>

namespace kalvon {

void GameEngine::requestStart()
{
    auto& s = m_state;
    s.GameStarted = true;
    s.GamePaused = false;
    s.SpecialLineCount = 0;
}

void GameEngine::requestStop()
{
    m_state.GameStarted = false;
    m_state.GamePaused = false;
}

void GameEngine::clearGameStarted()
{
    m_state.GameStarted = false;
}

void GameEngine::startGame(int64_t now, bool playsHere)
{
    auto& s = m_state;
    const bool internet = s.GameMode == GameMode::Internet;
    const int players = s.GameMode == GameMode::TwoPlayers ? 2 : 1;
    if (!internet) {
        for (int p = 1; p <= players; ++p)
            drawing().ClearHeightLed(p);
    }
    ++s.GameGeneration;
    s.GameStarted = true;
    s.PlayTimeStart = now;
    s.PlayTimeTotal = 0;
    s.SpecialsGained = 0;
    s.LinesAddedToAll = 0;
    if (internet) {
        s.NetPlaying = playsHere;
    } else {
        // The pause, the special lines and the score of a local game before do not carry over.
        s.GamePaused = false;
        s.SpecialLineCount = 0;
        s.Score = 0;
        m_host.setLabel(LabelId::Score, 1, "0");
        // Nor does a player 2 of an earlier two-player game.
        for (int p = 1; p <= kLocalPlayers; ++p) {
            s.PieceInPlay[p] = false;
            s.PieceLanding[p] = false;
            s.HardDropping[p] = false;
        }
    }
    s.GameActive = !internet || playsHere;
    const int startLevel = s.GameMode == GameMode::OnePlayer ? 1 : clampLevel(s.Rules.startlevel);
    s.ActiveLevel = startLevel;
    // Internet play shows the active level only when all players share it.
    const int activeLevelShown = internet && !s.Rules.samelevel ? 0 : startLevel;
    for (int p = 1; p <= players; ++p) {
        resetPlayer(p, startLevel, activeLevelShown);
        RedrawField(p);
        if (s.GameActive)
            dealFirstPieces(p);
    }
}

void GameEngine::watchRunningGame(int64_t now)
{
    auto& s = m_state;
    s.PlayTimeTotal = 0;
    s.PlayTimeStart = now;
    s.GameStarted = true;
    s.ActiveLevel = 0;
    resetPlayer(1, 0, 0);
    s.GameActive = false;
    s.NetPlaying = false;
}

void GameEngine::resetPlayer(int p, int level, int activeLevelShown)
{
    auto& s = m_state;
    m_host.setLabel(LabelId::Spec, p, "(None)");
    s.lstSpecials[p].clear();
    s.lstSpecials[p].reserve(static_cast<size_t>(std::max<int16_t>(s.Rules.maxspecials, 0)));
    drawing().UpdateSpecialsWindow(p);
    drawing().DrawSpecialWindow(p);
    s.Level[p] = level;
    s.LastFallTime[p] = 0;
    s.FourLineClears[p] = 0;
    s.Lines[p] = 0;
    s.FallSpeed[p] = FallSpeedFor(level);
    s.GameOverShown[p] = false;
    s.PieceInPlay[p] = false;
    s.PieceLanding[p] = false;
    // The first piece is drawn without the effects of a game before.
    s.ShieldActive[p] = false;
    s.ShieldStart[p] = 0;
    s.TremorStart[p] = 0;
    s.FlashStart[p] = 0;
    setCountLabel(LabelId::Level, p, "Level: ", level);
    setCountLabel(LabelId::ActiveLevel, p, "Active Level: ", activeLevelShown);
    setCountLabel(LabelId::Lines, p, "Lines: ", 0);
    setCountLabel(LabelId::Quads, p, "Quads: ", 0);
}

void GameEngine::dealFirstPieces(int p)
{
    auto& s = m_state;
    // The first draw is the piece to play, the second the next piece shown.
    const int piece = GenerateNextBlock().value_or(0);
    s.NextPiece[p] = static_cast<int16_t>(piece);
    SetNextPiece(p, GenerateNextBlock().value_or(0));
    drawing().DrawNextPiece(p);
    SpawnPiece(p, piece, kSpawnColumn, 0);
}

void GameEngine::stopGame()
{
    auto& s = m_state;
    ++s.GameGeneration;
    s.GameActive = false;
    s.GameStarted = false;
    s.GamePaused = false;
    s.NetPlaying = false;
}

void GameEngine::stopPlaying()
{
    m_state.GameActive = false;
}

void GameEngine::abandonGame()
{
    auto& s = m_state;
    ++s.GameGeneration;
    s.GameActive = false;
    s.NetPlaying = false;
}

void GameEngine::pausePlay(int64_t now)
{
    auto& s = m_state;
    s.PlayTimeTotal += now - s.PlayTimeStart;
    s.GameActive = false;
}

void GameEngine::resumePlay(int64_t now)
{
    m_state.PlayTimeStart = now;
    m_state.GameActive = true;
}

void GameEngine::hideGameOverPicture(int p)
{
    if (isPlayer(p))
        m_state.GameOverShown[p] = false;
}

void GameEngine::forgetNextPiece(int p)
{
    if (isField(p))
        m_state.NextPiece[p] = kNoNextPiece;
}

void GameEngine::PlayerLost(int p)
{
    auto& s = m_state;
    if (!isPlayer(p))
        return;
    ++s.GameGeneration;
    drawing().ClearTrails();
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
        m_host.sendPlayerLost();
        FadeOutField(1);
        FillFieldRandom(1);
        drawing().DrawHeightLed(1);
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
    drawing().DrawHeightLed(p);
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
