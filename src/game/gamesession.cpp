#include "game/gamesession.h"

#include "common/clock.h"
#include "common/dialogs.h"
#include "common/music/gamemusic.h"
#include "engine/gameengine.h"
#include "game/gameoptions.h"
#include "game/gametick.h"
#include "game/gamewindow.h"
#include "game/heldkeys.h"
#include "game/internetplay.h"
#include "game/soundplayer.h"
#include "platform/gameticker.h"
#include "render/themerecord.h"

namespace kalvon {

namespace {

// Markers 5 and 6 are second hot areas of items 0 and 1.
int fileItemOf(int marker)
{
    if (marker == 5)
        return 0;
    if (marker == 6)
        return 1;
    return marker;
}

MusicOptions musicOptions(const Options& options)
{
    return { options.sound.playMusic, options.sound.useThemeMusic };
}

} // namespace

GameSession::GameSession(const GameSessionParts& parts)
    : m(parts)
{
}

void GameSession::StartGame()
{
    m.engine.drawing().ClearTrails();
    setFileItemEnabled(FileItem::GameMode, false);
    setFileItemEnabled(FileItem::PauseResume, true);
    m.engine.requestStart();
    m.window.showFileMenu(false);
    if (m.engine.state().GameMode == GameMode::Internet)
        startInternetGame();
    else
        startLocalGame();
}

void GameSession::startInternetGame()
{
    int players = 0;
    for (int slot = 1; slot <= kPlayingSlots; ++slot)
        if (m.internet.SpotPlayer(slot) > -1)
            ++players;
    if (players == 0) {
        m.window.ClearTopmost();
        m.dialogs.messageBox("No players available, can't start game!", "Error", MessageIcon::Critical);
        m.window.ApplyStayOnTop();
        return;
    }
    m.window.setPauseButtonEnabled(true);
    m.window.setStartButtonCaption("Stop Game");
    // The game itself starts when the server's start message arrives.
    if (m.internet.IsHostingServer())
        m.internet.ServerStartGame(-1);
    else if (m.internet.Connected())
        m.internet.requestStartGame();
}

void GameSession::startLocalGame()
{
    const EngineState& s = m.engine.state();
    const bool twoPlayers = s.GameMode == GameMode::TwoPlayers;
    const int players = twoPlayers ? 2 : 1;
    if (twoPlayers) {
        m.window.showActiveLevels(m.options.gameOptions.sameLevel != 0);
        // A two-player game plays by the rules of the server page, as a hosted one would.
        GameRules rules = s.Rules;
        BlockOccurancy inetOccurancy = s.InetBlockOccurancy;
        if (wire::ApplyGameOptions(wire::BuildGameOptions(hostRulesFrom(m.options)), rules, inetOccurancy))
            m.engine.setRules(rules, inetOccurancy);
    }
    m.engine.setOptions(engineOptionsFrom(m.options));
    m.engine.setBlockOccurancy(m.options.blockOccurancy);
    m.window.setBlockRatioFramesEnabled(false);
    m.engine.startGame(m.clock.nowMs());
    // A key already held at the start waits one delay before it acts.
    for (int p = 1; p <= players; ++p)
        for (KeyAction action : kMovementActions)
            m.keys.lastTime(p, action) = m.clock.nowMs();

    m.sounds.play(SoundSlot::StartGame);
    m.engine.FadeInField(1);
    if (twoPlayers)
        m.engine.FadeInField(2);
    // The music box's text goes in as a copy: the theme's music only stands in for it here.
    Bytes music = m.options.sound.lastMusic;
    PlayGameMusic(m.music, musicOptions(m.options), m.themes.ThemeMusic, music);
    setGameTimer(true);
    m.window.FocusField();
}

void GameSession::StopGame()
{
    m.engine.drawing().ClearTrails();
    m.engine.requestStop();
    setFileItemEnabled(FileItem::PauseResume, false);
    m.window.setPauseButtonEnabled(false);
    m.window.showFileMenu(false);
    setFileItemEnabled(FileItem::GameMode, true);
    if (m.engine.state().GameMode == GameMode::Internet) {
        // The server's stop message resets the rest.
        if (m.internet.Connected())
            m.internet.requestStopGame();
        else
            m.internet.ServerStopGame();
        return;
    }
    m.window.setCaption(kProgramCaption);
    m.window.setBlockRatioFramesEnabled(true);
    m.engine.stopGame();
    setGameTimer(false);
    // Both fields close and fill, the hidden second one of a one-player game too.
    m.engine.FadeOutField(1);
    m.engine.FadeOutField(2);
    m.engine.FillFieldRandom(1);
    m.engine.FillFieldRandom(2);
    StopGameMusic(m.music);
    m.sounds.play(SoundSlot::Lose);
}

void GameSession::setGameTimer(bool enabled)
{
    if (enabled)
        m.ticker.start();
    else
        m.ticker.stop();
}

bool GameSession::gameTimerEnabled() const
{
    return m.ticker.isActive();
}

bool GameSession::fileItemEnabled(int marker) const
{
    const int item = fileItemOf(marker);
    return item >= 0 && item < int(m_fileItems.size()) && m_fileItems[size_t(item)];
}

void GameSession::setFileItemEnabled(FileItem item, bool enabled)
{
    m_fileItems[size_t(item)] = enabled;
}

void GameSession::fileMenuItemClicked(int marker)
{
    // A disabled item takes no clicks.
    if (!fileItemEnabled(marker))
        return;
    m.sounds.play(SoundSlot::Click);
    const EngineState& s = m.engine.state();
    switch (FileItem(fileItemOf(marker))) {
    case FileItem::StartStop:
        if (s.GameStarted)
            StopGame();
        else
            StartGame();
        break;
    case FileItem::PauseResume:
        if (s.GamePaused)
            m.engine.ResumeGame();
        else
            m.engine.PauseGame();
        break;
    case FileItem::HighScores: m.window.showHighScores(); break;
    case FileItem::Exit: m.window.closeWindow(); break;
    case FileItem::GameMode: break;
    }
    m.window.showGameModeMenu(fileItemOf(marker) == int(FileItem::GameMode));
}

void GameSession::fileMenuItemHovered(int marker)
{
    if (!fileItemEnabled(marker))
        return;
    m_fileMenuHover = fileItemOf(marker);
    if (m_fileMenuHover == int(FileItem::GameMode)) {
        m_gameModeMenuHover = -1;
        m.window.DrawGameModeMenu(m_gameModeMenuHover);
        m.window.showGameModeMenu(true);
    } else {
        m.window.showGameModeMenu(false);
    }
    m.window.DrawFileMenu(m_fileMenuHover);
}

void GameSession::gameModeChosen(int index)
{
    if (index < 0 || index > 2)
        return;
    const auto mode = GameMode(index + 1);
    m.engine.setGameMode(mode);
    m.sounds.play(SoundSlot::Click);
    m.window.layOutFieldsPage(mode);
    if (mode == GameMode::Internet) {
        if (!m.internet.IsHostingServer())
            setFileItemEnabled(FileItem::StartStop, false);
    } else {
        setFileItemEnabled(FileItem::StartStop, true);
    }
    m.engine.FadeOutField(2);
    m.engine.FadeOutField(1);
    m.engine.hideGameOverPicture(1);
    m.engine.hideGameOverPicture(2);
}

void GameSession::gameModeItemHovered(int index)
{
    m_fileMenuHover = -1;
    m_gameModeMenuHover = index;
    m.window.DrawGameModeMenu(m_gameModeMenuHover);
    m.window.DrawFileMenu(m_fileMenuHover);
}

void GameSession::localGameEnded()
{
    setFileItemEnabled(FileItem::PauseResume, false);
    m.window.showFileMenu(false);
    setFileItemEnabled(FileItem::GameMode, true);
    m.window.setBlockRatioFramesEnabled(true);
}

} // namespace kalvon
