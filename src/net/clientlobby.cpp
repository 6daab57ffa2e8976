// Joining a server (the welcome, the room welcome, the index reply), the roster records and
// their leaving, spot changes, chat received, lost players, and the lobby's labels, lists and
// game buttons rebuilt from the tables.

#include "common/vbconv.h"
#include "engine/gameengine.h"
#include "net/clientview.h"
#include "net/internetclient.h"
#include "net/peeraddress.h"
#include "net/wire/codes.h"
#include "net/wire/encodings.h"
#include "net/wire/messages.h"

#include <QTcpSocket>

namespace kalvon {

using namespace wire;

void InternetClient::ClientMsgIndex(BytesView payload)
{
    const std::optional<int> index = playerAt(payload, 0);
    if (!index || *index < 1) {
        SendToServer(Bytes(1, toServer::MsgRequestIndex));
        return;
    }
    m_roster.MyIndex = *index;
}

void InternetClient::ClientMsgConnected(BytesView payload)
{
    const std::optional<Welcome> welcome = parseWelcome(payload, true);
    if (!welcome || welcome->index < 1)
        return;
    if (m_socket) {
        chat("\r\n*** Connected to server(" + dottedAddress(m_socket->peerAddress()) + ":"
                + vb::formatInt(m_socket->peerPort()) + ").",
            false, ChatColour::Server);
    }
    takeWelcome(*welcome);
    // "Start Vote" waits for the in-room notice of servers with rooms: the built-in server
    // would take a rule vote for a kick vote.
    m_view.setEnabled(ClientControl::RoomBrowser, true);
    m_view.setEnabled(ClientControl::MenuRoomBrowser, true);
    finishWelcome();
    if (m_view.currentScreen() != kChatScreen)
        m_view.ShowChatScreen();
}

void InternetClient::ClientMsgJoined(BytesView payload)
{
    const std::optional<Welcome> welcome = parseWelcome(payload, false);
    if (!welcome || welcome->index < 1)
        return;
    takeWelcome(*welcome);
    if (!welcome->gameRunning) {
        // A game of the room left behind ends here.
        m_view.StopMusic();
        setGameTimer(false);
        m_engine.stateForNetClient().GameActive = false;
        m_engine.FadeOutField(1);
        setGameButtons(false);
        m_view.setEnabled(ClientControl::PauseGame, false);
        m_engine.stopGame();
        m_view.setEnabled(ClientControl::MenuPause, false);
    }
    finishWelcome();
}

void InternetClient::takeWelcome(const Welcome& welcome)
{
    m_roster.MyIndex = welcome.index;
    m_roster.MySpot = -1;
    m_roster.Spectating = true;
    if (PlayerInfo* me = m_roster.recordFor(welcome.index)) {
        me->Spectator = true;
        me->Connected = true;
        me->Name = m_MyName;
        me->Team = m_MyTeam;
    }
    m_roster.MapSpotsToBoards();
    for (int spot = 1; spot <= kPlayingSlots; ++spot) {
        const int holder = welcome.slotHolders[static_cast<std::size_t>(spot)];
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
    if (welcome.gameRunning) {
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
        {ClientControl::MenuSpec, ClientControl::MenuSpectate, ClientControl::MenuJoinGame})
        m_view.setEnabled(control, true);
    RefreshPlayerList();
    RefreshSpotLabels();
    SendToServer(Bytes(1, toServer::MsgRequestSettings));
}

void InternetClient::ClientMsgPlayerRecord(char code, BytesView payload)
{
    const std::optional<PlayerRecord> record = parsePlayerRecord(payload);
    PlayerInfo* info = record ? m_roster.recordFor(record->index) : nullptr;
    if (!info)
        return;
    info->Name = record->name;
    info->Team = record->team;
    info->Connected = true;
    info->Spectator = true;
    RefreshPlayerList();
    if (code == toClient::MsgPlayerInfo)
        return;
    chat("\r\n" + record->name, true, ChatColour::Player);
    chat(code == toClient::MsgPlayerJoined ? " has connected" : " has entered the room.", false,
        ChatColour::Normal);
    printTeamLine(record->name, record->team, ChatColour::Team);
}

void InternetClient::ClientMsgPlayerLeaves(char code, BytesView payload)
{
    const std::optional<int> index = playerAt(payload, 0);
    PlayerInfo* info = index ? m_roster.player(*index) : nullptr;
    if (!info)
        return;
    if (!m_roster.isMe(*index)) {
        chat("\r\n" + info->Name, true, ChatColour::Player);
        chat(code == toClient::MsgPlayerLeftRoom ? " has left the room." : " has disconnected.", false,
            ChatColour::Normal);
    }
    int heldSpot = 0;
    for (int spot : m_roster.spotsOf(*index)) {
        m_roster.setSpotPlayer(spot, kNoPlayer);
        if (m_roster.Spectating && spot == 1)
            m_engine.stateForNetClient().GameOverShown[1] = false;
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
        if (code == toClient::MsgPlayerLeft && m_roster.isPlaying())
            m_view.finishLostFieldAnimation(*board);
    }
}

void InternetClient::ClientMsgSpotChange(BytesView payload)
{
    const std::optional<int> index = playerAt(payload, 0);
    const std::optional<int> spot = playerAt(payload, 1);
    if (!index || !spot || !m_roster.player(*index) || *spot < 0 || *spot > kPlayingSlots)
        return;
    if (*spot == 0)
        spotToSpectators(*index);
    else
        spotTaken(*index, *spot);
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
            m_engine.stateForNetClient().GameActive = false;
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
    EngineState& s = m_engine.stateForNetClient();
    if (me) {
        m_view.setEnabled(ClientControl::JoinGame, false);
        m_view.setEnabled(ClientControl::Spectate, true);
        m_roster.MySpot = spot;
        m_roster.Spectating = false;
        if (s.GameActive) {
            m_engine.PlayerLost(1);
            s.GameActive = false;
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
    if (s.GameActive) {
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

void InternetClient::ClientMsgChatLine(char code, BytesView payload)
{
    const std::optional<int> index = playerAt(payload, 0);
    const PlayerInfo* info = index ? m_roster.player(*index) : nullptr;
    if (!info)
        return;
    const BytesView text = payload.substr(1);
    const ChatColour nameColour = m_roster.isMe(*index) ? ChatColour::Client : ChatColour::Other;
    switch (code) {
    case toClient::MsgChatLine:
        chat("\r\n<" + info->Name + "> ", true, nameColour);
        chat(text, false, ChatColour::Normal);
        break;
    case toClient::MsgTeamChatLine:
        chat("\r\n(" + info->Name + ") ", true, nameColour);
        chat(text, false, ChatColour::Normal);
        break;
    case toClient::MsgActionLine:
        chat("\r\n*" + info->Name + " " + Bytes(text), false, ChatColour::Action);
        break;
    default: // a private message
        chat("\r\nMessage from " + info->Name + ": " + Bytes(text), false, ChatColour::RecvMsg);
        return;
    }
    playSound(SoundSlot::Chat);
}

void InternetClient::ClientMsgPlayerLost(BytesView payload)
{
    const std::optional<int> index = playerAt(payload, 0);
    PlayerInfo* info = index ? m_roster.player(*index) : nullptr;
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
    for (ClientControl control : {ClientControl::StartGame, ClientControl::MenuStart,
             ClientControl::PauseGame, ClientControl::MenuPause})
        m_view.setEnabled(control, false);
}

} // namespace kalvon
