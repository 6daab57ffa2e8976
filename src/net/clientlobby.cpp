// Joining a server (the welcome, the room welcome, the index reply), the roster records and
// their leaving, spot changes, chat received, lost players, and the lobby's labels, lists and
// game buttons rebuilt from the tables.

#include "common/vbconv.h"
#include "engine/gameengine.h"
#include "net/clientview.h"
#include "net/internetclient.h"
#include "net/peeraddress.h"
#include "net/usertext.h"
#include "net/wire/toserver.h"

#include <QTcpSocket>

namespace kalvon {

using namespace wire;

void InternetClient::ClientMsgIndex(const toClient::YourIndex& message)
{
    if (message.index < 1) {
        send(toServer::RequestIndex{});
        return;
    }
    m_roster.MyIndex = message.index;
}

void InternetClient::ClientMsgConnected(const toClient::Welcome& message)
{
    if (m_socket) {
        chat("\r\n*** Connected to server(" + dottedAddress(m_socket->peerAddress()) + ":"
                + vb::formatInt(m_socket->peerPort()) + ").",
            false, ChatColour::Server);
    }
    takeWelcome(message.player, message.holders, message.gameRunning);
    // "Start Vote" waits for the in-room notice of servers with rooms: the built-in server
    // would take a rule vote for a kick vote.
    m_view.setEnabled(ClientControl::RoomBrowser, true);
    m_view.setEnabled(ClientControl::MenuRoomBrowser, true);
    finishWelcome();
    if (m_view.currentScreen() != kChatScreen)
        m_view.ShowChatScreen();
}

void InternetClient::ClientMsgJoined(const toClient::WelcomeRoom& message)
{
    takeWelcome(message.player, message.holders, message.gameRunning);
    if (!message.gameRunning) {
        // A game of the room left behind ends here.
        m_view.StopMusic();
        setGameTimer(false);
        m_engine.stopPlaying();
        m_engine.FadeOutField(1);
        setGameButtons(false);
        m_view.setEnabled(ClientControl::PauseGame, false);
        m_engine.stopGame();
        m_view.setEnabled(ClientControl::MenuPause, false);
    }
    finishWelcome();
}

void InternetClient::takeWelcome(int index, const toClient::SlotHolders& holders, bool gameRunning)
{
    m_roster.MyIndex = index;
    m_roster.MySpot = -1;
    m_roster.Spectating = true;
    if (PlayerInfo* me = m_roster.recordFor(index)) {
        me->Spectator = true;
        me->Connected = true;
        me->Name = m_MyName;
        me->Team = m_MyTeam;
    }
    m_roster.MapSpotsToBoards();
    for (int spot = 1; spot <= kPlayingSlots; ++spot) {
        const int holder = holders[static_cast<std::size_t>(spot)];
        m_roster.setSpotPlayer(spot, holder >= 1 ? holder : kNoPlayer);
        if (holder < 1)
            continue;
        if (PlayerInfo* info = m_roster.player(holder)) {
            info->Connected = true;
            info->Spectator = false;
            info->Slot = spot;
        }
        if (spot == 1)
            m_engine.FadeInField(1);
        else if (const std::optional<int> board = m_roster.boardOf(spot))
            m_view.ResetLostFieldAnimation(*board);
    }
    if (gameRunning) {
        PrepareClientGame();
        chat("\r\n*** There is currently a game in progress.", true, ChatColour::Server);
        return;
    }
    m_view.setEnabled(ClientControl::JoinGame, true);
    m_view.setEnabled(ClientControl::TeamButton, true);
    m_view.setEnabled(ClientControl::Spectate, false);
}

void InternetClient::finishWelcome()
{
    for (ClientControl control :
        { ClientControl::MenuSpec, ClientControl::MenuSpectate, ClientControl::MenuJoinGame })
        m_view.setEnabled(control, true);
    RefreshPlayerList();
    RefreshSpotLabels();
    send(toServer::RequestSettings{});
}

void InternetClient::ClientMsgPlayerRecord(int index, BytesView name, BytesView team, BytesView announcement)
{
    PlayerInfo* info = m_roster.recordFor(index);
    if (!info)
        return;
    info->Name = Bytes(name);
    info->Team = Bytes(team);
    // A record without a name is a place a player left: it stays free.
    info->Connected = !name.empty();
    info->Spectator = true;
    RefreshPlayerList();
    if (announcement.empty() || name.empty())
        return;
    chat("\r\n" + Bytes(name), true, ChatColour::Player);
    chat(announcement, false, ChatColour::Normal);
    printTeamLine(name, team, ChatColour::Team);
}

void InternetClient::ClientMsgPlayerLeaves(int index, bool leftRoom)
{
    PlayerInfo* info = m_roster.player(index);
    if (!info)
        return;
    if (!m_roster.isMe(index)) {
        chat("\r\n" + info->Name, true, ChatColour::Player);
        chat(leftRoom ? " has left the room." : " has disconnected.", false, ChatColour::Normal);
    }
    int heldSpot = 0;
    for (int spot : m_roster.spotsOf(index)) {
        m_roster.setSpotPlayer(spot, kNoPlayer);
        if (m_roster.Spectating && spot == 1)
            m_engine.hideGameOverPicture(1);
        else if (const std::optional<int> board = m_roster.boardOf(spot))
            m_boards.NetBoardWon[*board] = false;
        heldSpot = spot;
    }
    info->Name.clear();
    info->Team.clear();
    info->Connected = false;
    RefreshPlayerList();
    RefreshSpotLabels();
    if (heldSpot == 0)
        return;
    if (m_roster.Spectating && heldSpot == 1) {
        if (m_engine.state().GameActive) {
            m_engine.RedrawField(1);
            m_engine.FadeOutField(1);
        }
    } else if (const std::optional<int> board = m_roster.boardOf(heldSpot)) {
        m_view.StartLostFieldAnimation(*board);
        ClearNetBoard(*board);
        if (!leftRoom && m_roster.isPlaying())
            m_view.finishLostFieldAnimation(*board);
    }
}

void InternetClient::ClientMsgSpotChange(const toClient::SpotChanged& message)
{
    if (!m_roster.player(message.player))
        return;
    if (message.slot == 0)
        spotToSpectators(message.player);
    else
        spotTaken(message.player, message.slot);
}

void InternetClient::spotToSpectators(int index)
{
    const bool me = m_roster.isMe(index);
    if (me) {
        m_view.setEnabled(ClientControl::JoinGame, true);
        m_view.setEnabled(ClientControl::Spectate, false);
        m_roster.Spectating = true;
        m_roster.MySpot = 0;
        if (m_engine.state().GameActive) {
            m_engine.PlayerLost(1);
            m_engine.stopPlaying();
        }
    }
    m_roster.MapSpotsToBoards();
    for (int spot : m_roster.spotsOf(index)) {
        m_roster.setSpotPlayer(spot, kNoPlayer);
        if (const std::optional<int> board = m_roster.boardOf(spot); board && !me)
            m_view.StartLostFieldAnimation(*board);
    }
    if (me) {
        for (int spot = 2; spot <= kPlayingSlots; ++spot) {
            if (const std::optional<int> board = m_roster.boardOf(spot))
                m_view.setBoardInUse(*board, m_roster.spotPlayer(spot) != kNoPlayer);
        }
    }
    // The player may be gone after the lost game's animation let other messages in.
    PlayerInfo* info = m_roster.player(index);
    if (!info)
        return;
    info->Spectator = true;
    info->Slot = 0;
    // Another player's move leaves this client's own game buttons as they are.
    if (me)
        UpdateGameButtons(false);
    RefreshSpotLabels();
    RefreshPlayerList();
    m_roster.MapSpotsToBoards();
    chat("\r\n" + info->Name, true, ChatColour::Player);
    chat(" is now ", false, ChatColour::Player);
    chat("Spectating", true, ChatColour::Player);
}

void InternetClient::spotTaken(int index, int spot)
{
    const bool me = m_roster.isMe(index);
    m_roster.MapSpotsToBoards();
    for (int held : m_roster.spotsOf(index)) {
        if (const std::optional<int> board = m_roster.boardOf(held); board && !me)
            m_view.StartLostFieldAnimation(*board);
        m_roster.setSpotPlayer(held, kNoPlayer);
    }
    if (me) {
        m_view.setEnabled(ClientControl::JoinGame, false);
        m_view.setEnabled(ClientControl::Spectate, true);
        m_roster.MySpot = spot;
        m_roster.Spectating = false;
        if (m_engine.state().GameActive) {
            m_engine.PlayerLost(1);
            m_engine.stopPlaying();
        }
        UpdateGameButtons(host().IsHostingServer() || m_IsAdmin || spot == 1);
        m_roster.MapSpotsToBoards();
        for (int other = 1; other <= kPlayingSlots; ++other) {
            const std::optional<int> board = m_roster.boardOf(other);
            if (!board)
                continue;
            if (m_roster.spotPlayer(other) == kNoPlayer)
                m_view.setBoardInUse(*board, false);
            else
                m_view.ResetLostFieldAnimation(*board);
        }
    }
    m_roster.MapSpotsToBoards();
    PlayerInfo* info = m_roster.player(index);
    if (!info)
        return;
    // A player who takes a spot during a game sits it out.
    if (m_engine.state().GameActive) {
        info->Dead = true;
        if (const std::optional<int> board = m_roster.boardOf(spot))
            m_view.FillLostFieldRandom(*board);
    }
    if (m_roster.isPlaying() && !me) {
        if (const std::optional<int> board = m_roster.boardOf(spot))
            m_view.ResetLostFieldAnimation(*board);
    }
    m_roster.setSpotPlayer(spot, index);
    info->Spectator = false;
    info->Slot = spot;
    RefreshSpotLabels();
    RefreshPlayerList();
    chat("\r\n" + info->Name, true, ChatColour::Player);
    chat(" has joined the game as ", false, ChatColour::Player);
    chat("Player " + vb::formatInt(spot), true, ChatColour::Player);
}

void InternetClient::printChatLine(int index, BytesView text, char open, char close)
{
    const PlayerInfo* info = m_roster.player(index);
    if (!info)
        return;
    // This client's own lines stand out by the colour of the name.
    const ChatColour nameColour = m_roster.isMe(index) ? ChatColour::Client : ChatColour::Other;
    chat("\r\n" + Bytes(1, open) + info->Name + Bytes(1, close) + " ", true, nameColour);
    chat(text, false, ChatColour::Normal);
    playSound(SoundSlot::Chat);
}

void InternetClient::ClientMsgChat(const toClient::ChatLine& message)
{
    printChatLine(message.player, message.text, '<', '>');
}

void InternetClient::ClientMsgTeamChat(const toClient::TeamChatLine& message)
{
    printChatLine(message.player, message.text, '(', ')');
}

void InternetClient::ClientMsgAction(const toClient::ActionLine& message)
{
    const PlayerInfo* info = m_roster.player(message.player);
    if (!info)
        return;
    chat("\r\n*" + info->Name + " " + message.text, false, ChatColour::Action);
    playSound(SoundSlot::Chat);
}

void InternetClient::ClientMsgPrivate(const toClient::PrivateLine& message)
{
    const PlayerInfo* info = m_roster.player(message.player);
    if (!info)
        return;
    chat("\r\nMessage from " + info->Name + ": " + message.text, false, ChatColour::RecvMsg);
}

void InternetClient::ClientMsgPlayerLost(const toClient::PlayerOut& message)
{
    PlayerInfo* info = m_roster.player(message.player);
    if (!info)
        return;
    info->Dead = true;
    // The own spot is left alone: the engine fills the own field when this client loses.
    if (m_roster.Spectating && info->Slot == 1)
        m_engine.FillFieldRandom(1);
    else if (const std::optional<int> board = m_roster.boardOf(info->Slot))
        m_view.FillLostFieldRandom(*board);
}

void InternetClient::MarkMyPlayerDead()
{
    if (PlayerInfo* me = m_roster.player(m_roster.MyIndex))
        me->Dead = true;
}

void InternetClient::printTeamLine(BytesView name, BytesView team, ChatColour teamColour)
{
    chat("\r\n" + Bytes(name), true, ChatColour::Player);
    if (isNoTeam(team)) {
        chat(" is playing ", false, ChatColour::Normal);
        chat("alone.", true, teamColour);
    } else {
        chat(" is on team ", false, ChatColour::Normal);
        chat(team, true, teamColour);
    }
}

void InternetClient::RefreshSpotLabels()
{
    m_view.setSpotLabel(0, m_roster.bigFieldLabel(m_MyName));
    for (const auto& [board, text] : m_roster.boardLabels())
        m_view.setSpotLabel(board, text);
}

void InternetClient::RefreshPlayerList()
{
    m_view.setSpectatorList(m_roster.spectatorNames());
    m_view.setPlayerList(m_roster.playerListLines());
}

void InternetClient::UpdateGameButtons(bool enable)
{
    if (enable || m_IsAdmin) {
        m_view.setEnabled(ClientControl::StartGame, true);
        m_view.setEnabled(ClientControl::MenuStart, true);
        if (m_gameButtonStops) {
            m_view.setEnabled(ClientControl::PauseGame, true);
            m_view.setEnabled(ClientControl::MenuPause, true);
        }
        return;
    }
    for (ClientControl control : { ClientControl::StartGame, ClientControl::MenuStart,
             ClientControl::PauseGame, ClientControl::MenuPause })
        m_view.setEnabled(control, false);
}

void InternetClient::joinGame()
{
    for (int spot = 1; spot <= kPlayingSlots; ++spot) {
        if (m_roster.spotPlayer(spot) == -1) {
            send(toServer::TakeSpot{ spot });
            m_view.setEnabled(ClientControl::JoinGame, false);
            return;
        }
    }
}

void InternetClient::spectate()
{
    m_view.setEnabled(ClientControl::Spectate, false);
    send(toServer::TakeSpot{ 0 });
}

void InternetClient::takeSpot(int spot)
{
    if (ClientRoster::isSpot(spot))
        send(toServer::TakeSpot{ spot });
}

} // namespace kalvon
