// A network game on the client: its start with the server's rules and start heights, joining
// one already running, its stop, the level steps the player's lines earn, and game over with
// the winners and the statistics.

#include "common/clock.h"
#include "common/vbconv.h"
#include "engine/gameengine.h"
#include "engine/levels.h"
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

void InternetClient::resetLocalPlayer()
{
    EngineState& s = m_engine.stateForNetClient();
    host().setLabel(LabelId::Spec, 1, "(None)");
    s.lstSpecials[1].clear();
    host().drawing().UpdateSpecialsWindow(1);
    host().drawing().DrawSpecialWindow(1);
    s.ActiveLevel = 0;
    s.Level[1] = 0;
    s.LastFallTime[1] = 0;
    s.FourLineClears[1] = 0;
    s.Lines[1] = 0;
    s.FallSpeed[1] = FallSpeedFor(0);
    s.GameOverShown[1] = false;
    s.PieceInPlay[1] = false;
    s.PieceLanding[1] = false;
    s.ShieldActive[1] = false;
    s.ShieldStart[1] = 0;
    s.TremorStart[1] = 0;
    s.FlashStart[1] = 0;
    setCountLabel(LabelId::Level, "Level: ", 0);
    setCountLabel(LabelId::ActiveLevel, "Active Level: ", 0);
    setCountLabel(LabelId::Lines, "Lines: ", 0);
    setCountLabel(LabelId::Quads, "Quads: ", 0);
}

void InternetClient::ClientMsgGameStarted(const toClient::GameStarted& message)
{
    EngineState& s = m_engine.stateForNetClient();
    ++s.GameGeneration;
    ClearNetBoard(1);
    setGameButtons(true);
    host().drawing().ClearTrails();
    s.PlayTimeTotal = 0;
    m_stats = GameStats{};
    s.SpecialsGained = 0;
    s.LinesAddedToAll = 0;
    s.PlayTimeStart = now();
    for (ClientControl control :
        { ClientControl::TeamBox, ClientControl::TeamButton, ClientControl::MenuGameMode })
        m_view.setEnabled(control, false);
    s.GameStarted = true;
    m_view.PlayGameMusic();
    m_view.setEnabled(ClientControl::BlockRatioControls, false);
    resetLocalPlayer();
    m_engine.RedrawField(1);
    // Options of the wrong length keep the rules of the last game.
    if (message.options)
        ApplyGameOptions(*message.options, s.Rules, s.InetBlockOccurancy);
    m_RevengeSlot = m_roster.MySpot;

    const bool playing = m_roster.isPlaying();
    if (playing) {
        const int piece = m_engine.GenerateNextBlock().value_or(0);
        s.NextPiece[1] = static_cast<int16_t>(piece);
        m_engine.SetNextPiece(1, m_engine.GenerateNextBlock().value_or(0));
        host().drawing().DrawNextPiece(1);
        m_engine.SpawnPiece(1, piece, kSpawnColumn, 0);
    }
    s.GameActive = playing;
    s.NetPlaying = playing;

    s.Level[1] = clampLevel(s.Rules.startlevel);
    s.ActiveLevel = s.Level[1];
    setCountLabel(LabelId::Level, "Level: ", s.Level[1]);
    m_view.showActiveLevel(s.Rules.samelevel);
    if (s.Rules.samelevel)
        setCountLabel(LabelId::ActiveLevel, "Active Level: ", s.Level[1]);

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
        const int height = s.Rules.startheight[static_cast<std::size_t>(m_roster.MySpot)];
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
    m_engine.stateForNetClient().NetPlaying = false;
    setGameButtons(false);
    m_view.setEnabled(ClientControl::PauseGame, false);
    m_view.setEnabled(ClientControl::MenuPause, false);
    m_view.setWindowCaption("Kalvon v" + Bytes(kGameVersion));
}

void InternetClient::PrepareClientGame()
{
    EngineState& s = m_engine.stateForNetClient();
    setGameButtons(true);
    host().drawing().ClearTrails();
    s.PlayTimeTotal = 0;
    s.PlayTimeStart = now();
    m_view.setEnabled(ClientControl::MenuGameMode, false);
    s.GameStarted = true;
    m_view.PlayGameMusic();
    m_view.setEnabled(ClientControl::BlockRatioControls, false);
    resetLocalPlayer();
    s.GameActive = false;
    s.NetPlaying = false;
    m_view.showActiveLevel(s.Rules.samelevel);
    if (s.Rules.samelevel)
        setCountLabel(LabelId::ActiveLevel, "Active Level: ", s.ActiveLevel);
    // Servers with rooms answer with the fields; the built-in one sent them after its welcome.
    for (int spot = 1; spot <= kPlayingSlots; ++spot)
        send(toServer::RequestField{ m_roster.spotPlayer(spot) });
    setGameTimer(true);
}

void InternetClient::CheckLevelUp()
{
    EngineState& s = m_engine.stateForNetClient();
    const GameRules& rules = s.Rules;
    if (rules.linelevel <= 0)
        return;
    while (s.LevelLineCount >= rules.linelevel) {
        s.LevelLineCount -= rules.linelevel;
        s.Level[1] = clampLevel(int64_t(s.Level[1]) + rules.raiselevel);
        setCountLabel(LabelId::Level, "Level: ", s.Level[1]);
    }
    if (s.ActiveLevel < s.Level[1] && rules.samelevel)
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
    m_engine.stateForNetClient().NetPlaying = false;
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
