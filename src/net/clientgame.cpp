// A network game on the client: the requests of the game's start, stop, pause and resume and
// of the own loss, its start with the server's rules and start heights, joining one already
// running, its stop, the level steps the player's lines earn, and game over with the winners
// and the statistics.

#include "common/clock.h"
#include "engine/gameengine.h"
#include "net/clientview.h"
#include "net/internetclient.h"
#include "net/wire/gameoptions.h"
#include "net/wire/toserver.h"

namespace kalvon {

using namespace wire;

void InternetClient::setGameButtons(bool gameRuns)
{
    m_view.setCaption(ClientControl::StartGame, gameRuns ? "Stop Game" : "Start Game");
    m_view.setCaption(ClientControl::PauseGame, "Pause Game");
    m_gameButtonStops = gameRuns;
}

void InternetClient::requestStartGame()
{
    send(toServer::StartGame{});
}

void InternetClient::requestStopGame()
{
    send(toServer::StopGame{});
}

void InternetClient::sendPauseGame()
{
    send(toServer::PauseGame{});
}

void InternetClient::sendResumeGame()
{
    send(toServer::ResumeGame{});
}

void InternetClient::sendPlayerLost()
{
    send(toServer::PlayerLost{});
}

void InternetClient::ClientMsgGameStarted(const toClient::GameStarted& message)
{
    ClearNetBoard(1);
    setGameButtons(true);
    host().drawing().ClearTrails();
    m_stats = GameStats{};
    for (ClientControl control :
        { ClientControl::TeamBox, ClientControl::TeamButton, ClientControl::MenuGameMode })
        m_view.setEnabled(control, false);
    m_view.PlayGameMusic();
    m_view.setEnabled(ClientControl::BlockRatioControls, false);
    // Options of the wrong length keep the rules of the last game.
    if (message.options) {
        const EngineState& s = m_engine.state();
        GameRules rules = s.Rules;
        BlockOccurancy occurancy = s.InetBlockOccurancy;
        ApplyGameOptions(*message.options, rules, occurancy);
        m_engine.setRules(rules, occurancy);
    }
    const bool playing = m_roster.isPlaying();
    m_engine.startGame(now(), playing);
    m_RevengeSlot = m_roster.MySpot;
    const GameRules& rules = m_engine.state().Rules;
    m_view.showActiveLevel(rules.samelevel);

    for (int spot = 1; spot <= kPlayingSlots; ++spot) {
        PlayerInfo* holder = m_roster.player(m_roster.spotPlayer(spot));
        if (!holder)
            continue;
        if (const std::optional<int> board = m_roster.boardOf(spot)) {
            m_view.DrawNetPlayerBackground(*board);
            ClearNetBoard(*board);
        }
        holder->Dead = false;
    }
    for (int board = 1; board <= kInternetFields; ++board) {
        m_boards.clearMarkers(board);
        m_view.DrawNetPlayerField(board);
    }
    if (playing) {
        const int height = rules.startheight[static_cast<std::size_t>(m_roster.MySpot)];
        for (int row = 0; row < height; ++row)
            m_engine.effects().AddLine(1);
    }
    host().drawing().DrawHeightLed(1);
    chat("\r\n*** Server has started game.", true, ChatColour::Server);
    if (m_view.currentScreen() != kFieldScreen)
        m_view.ShowFieldScreen();
    playSound(SoundSlot::StartGame);
    if (m_roster.spotPlayer(1) != kNoPlayer || playing)
        m_engine.FadeInField(1);
    m_view.setEnabled(ClientControl::PauseGame, host().IsHostingServer() || m_roster.MySpot == 1);
    setGameTimer(true);
}

void InternetClient::ClientMsgGameStopped()
{
    m_view.setEnabled(ClientControl::TeamBox, true);
    m_view.setEnabled(ClientControl::TeamButton, true);
    m_view.StopMusic();
    setGameTimer(false);
    chat("\r\n*** Server Stopped Game", true, ChatColour::Server);
    m_engine.FillFieldRandom(1);
    m_engine.FadeOutField(1);
    playSound(SoundSlot::Lose);
    if (m_view.currentScreen() != kChatScreen)
        m_view.ShowChatScreen();
    m_engine.stopGame();
    setGameButtons(false);
    m_view.setEnabled(ClientControl::PauseGame, false);
    m_view.setEnabled(ClientControl::MenuPause, false);
    m_view.setWindowCaption("Kalvon v" + Bytes(kGameVersion));
}

void InternetClient::PrepareClientGame()
{
    setGameButtons(true);
    host().drawing().ClearTrails();
    m_view.setEnabled(ClientControl::MenuGameMode, false);
    m_view.PlayGameMusic();
    m_view.setEnabled(ClientControl::BlockRatioControls, false);
    m_engine.watchRunningGame(now());
    m_view.showActiveLevel(m_engine.state().Rules.samelevel);
    // Servers with rooms answer with the fields; the built-in one sent them after its welcome.
    for (int spot = 1; spot <= kPlayingSlots; ++spot)
        send(toServer::RequestField{ m_roster.spotPlayer(spot) });
    setGameTimer(true);
}

void InternetClient::CheckLevelUp()
{
    if (m_engine.state().Rules.linelevel <= 0)
        return;
    m_engine.stepNetworkLevel();
    // The server echoes the common level to everybody, this client included.
    const EngineState& s = m_engine.state();
    if (s.ActiveLevel < s.Level[1] && s.Rules.samelevel)
        send(toServer::CommonLevel{ s.Level[1] });
}

void InternetClient::ClientMsgGameOver(const toClient::GameOver& message)
{
    // Only a game that runs and is not paused ends here.
    if (!m_gameTimerOn)
        return;
    const bool spectating = m_roster.Spectating;
    for (int spot = 1; spot <= kPlayingSlots; ++spot) {
        const int holder = m_roster.spotPlayer(spot);
        if (holder == kNoPlayer || m_roster.isMe(holder))
            continue;
        const std::optional<int> board = m_roster.boardOf(spot);
        if (board)
            m_view.FillLostFieldRandom(*board);
        if (!spectating || spot == 1)
            m_engine.FillFieldRandom(1);
    }

    bool won = false;
    const auto paint = [&](int index) {
        const PlayerInfo* info = m_roster.player(index);
        if (m_roster.isMe(index)) {
            m_engine.FillFieldPicture(1);
            won = true;
        } else if (info && m_roster.Spectating && info->Slot == 1) {
            m_engine.FillFieldPicture(1);
        } else if (const std::optional<int> board = m_roster.boardOf(info ? info->Slot : 0)) {
            m_view.ResetNetBoard(*board);
        }
    };
    Bytes text;
    for (int winner : message.winners) {
        const PlayerInfo* info = m_roster.player(winner);
        if (!info)
            continue;
        if (!isNoTeam(info->Team)) {
            // A team wins whole: everybody in a spot on that team is painted.
            const Bytes team = info->Team;
            for (int spot = 1; spot <= kPlayingSlots; ++spot) {
                const int holder = m_roster.spotPlayer(spot);
                const PlayerInfo* mate = m_roster.player(holder);
                if (mate && mate->Team == team)
                    paint(holder);
            }
            text = "<T> " + team;
            break;
        }
        if (!text.empty())
            text += ',';
        text += info->Name;
        paint(winner);
    }

    host().StopGameMusic();
    setGameTimer(false);
    m_engine.stopGame();
    chat("\r\n*** Game Over - Winner(s): " + text, true, ChatColour::Server);
    if (!m_roster.Spectating)
        printStatistics(text);
    if (m_view.currentScreen() != kChatScreen)
        m_view.ShowChatScreen();
    m_view.scrollChatToEnd();
    setGameButtons(false);
    m_view.setEnabled(ClientControl::PauseGame, false);
    m_view.setEnabled(ClientControl::TeamBox, true);
    m_view.setEnabled(ClientControl::TeamButton, true);
    playSound(won ? SoundSlot::Win : SoundSlot::Lose);
}

void InternetClient::printStatistics(BytesView winners)
{
    const EngineState& s = m_engine.state();
    StatisticsInput in;
    in.stats = m_stats;
    in.stats.SpecialsGained = s.SpecialsGained;
    in.stats.LinesAddedToAll = s.LinesAddedToAll;
    in.lines = s.Lines[1];
    in.quads = s.FourLineClears[1];
    in.time = gameTimeOf(s.PlayTimeTotal + now() - s.PlayTimeStart);
    in.winners = Bytes(winners);
    in.specials = s.Rules.specials;
    in.onTeam = !isNoTeam(m_MyTeam);
    bool header = true;
    for (const Bytes& line : GameStatisticsLines(in)) {
        chat("\r\n" + line, header, ChatColour::Stat);
        header = false;
    }
}

} // namespace kalvon
