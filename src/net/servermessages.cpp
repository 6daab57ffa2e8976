// The server's dispatcher and its message handlers: login, chat, teams, private messages,
// slots, relays, game flow and kick votes. Every payload is checked before it is read; a
// message that does not fit its layout is dropped without an answer.

#include "common/clock.h"
#include "common/dialogs.h"
#include "common/vbconv.h"
#include "net/banlist.h"
#include "net/gameserver.h"
#include "net/hostoptions.h"
#include "net/wire/codes.h"
#include "net/wire/encodings.h"
#include "net/wire/gameoptions.h"
#include "net/wire/line.h"
#include "net/wire/messages.h"

namespace kalvon {

using namespace wire;

namespace {

// The value of a payload that is exactly one PlayerChar.
std::optional<int> singlePlayerChar(BytesView payload)
{
    if (payload.size() != 1)
        return std::nullopt;
    return playerValue(payload.front());
}

Bytes withPlayer(int idx, BytesView rest)
{
    Bytes payload(1, PlayerChar(idx));
    payload += rest;
    return payload;
}

} // namespace

void GameServer::dispatchLine(int idx, BytesView line)
{
    const std::optional<Message> message = parseLine(line);
    if (!message)
        return;
    // Before login only the hello counts; after it a second hello is ignored.
    if (!isLoggedIn(idx)) {
        if (message->code == toServer::MsgHello)
            ServerMsgJoin(idx, message->payload);
        return;
    }
    ServerDispatchMessage(idx, message->code, message->payload);
}

void GameServer::ServerDispatchMessage(int idx, char code, BytesView payload)
{
    if (const std::optional<SpecialType> special = specialFromCode(code)) {
        if (*special == SpecialType::SwitchBlocks)
            ServerMsgSwitchSpecial(idx, payload);
        else
            relayToOthers(idx, code, payload);
        return;
    }
    switch (code) {
    case toServer::MsgQuit: DisconnectClient(idx); break;
    case toServer::MsgSetTeam: ServerMsgSetTeam(idx, payload); break;
    case toServer::MsgRequestIndex:
        SendToClient(idx, makeLine(toClient::MsgYourIndex, Bytes(1, PlayerChar(idx))));
        break;
    case toServer::MsgChat: ServerMsgChat(idx, toClient::MsgChatLine, payload); break;
    case toServer::MsgAction: ServerMsgChat(idx, toClient::MsgActionLine, payload); break;
    case toServer::MsgTeamChat: ServerMsgTeamChat(idx, payload); break;
    case toServer::MsgPrivate: ServerMsgPrivate(idx, payload); break;
    case toServer::MsgRequestSettings:
        SendToClient(idx, makeLine(toClient::MsgGameSettings, BuildGameOptions(m_options.rules)));
        break;
    case toServer::MsgFieldUpdate: ServerMsgFieldUpdate(idx, payload); break;
    case toServer::MsgLinesToAll: relayToOthers(idx, code, payload); break;
    case toServer::MsgPlayerLost: ServerMsgPlayerLost(idx); break;
    case toServer::MsgCommonLevel:
        if (payload.size() == 1)
            sendToAll(makeLine(toClient::MsgCommonLevel, payload));
        break;
    case toServer::MsgStartGame: ServerStartGame(idx); break;
    case toServer::MsgStopGame: ServerStopGame(); break;
    case toServer::MsgPauseGame: ServerMsgPause(idx); break;
    case toServer::MsgResumeGame: ServerMsgResume(idx); break;
    case toServer::MsgTakeSpot: ServerMsgTakeSlot(idx, payload); break;
    case toServer::MsgCallVote: ServerStartKickVote(idx, payload); break;
    case toServer::MsgVoteYes: castVote(idx, true); break;
    case toServer::MsgVoteNo: castVote(idx, false); break;
    default: break; // the codes of outside servers and unknown codes
    }
}

void GameServer::ServerMsgJoin(int idx, BytesView payload)
{
    const std::optional<Hello> hello = parseHello(payload);
    const std::optional<double> version = hello ? vb::toNumber(hello->version) : std::nullopt;
    if (!version || *version < kMinClientVersion) {
        reject(idx, toClient::MsgVersionRejected);
        return;
    }
    if (m_bans.contains(clientAddress(idx))) {
        reject(idx, toClient::MsgBanned);
        return;
    }
    if (!isAcceptableName(hello->name) || findClient(hello->name) != 0) {
        reject(idx, toClient::MsgNameInUse);
        return;
    }

    PlayerInfo& info = m_clients[static_cast<std::size_t>(idx)].info;
    info = PlayerInfo{};
    info.Name = hello->name;
    info.Team = teamOnWire(hello->team);
    info.Connected = true;
    info.index = idx;
    info.Dead = true;
    info.Spectator = true;

    sendToAll(makeLine(toClient::MsgPlayerJoined, buildPlayerRecord(idx, info.Name, info.Team)), idx);
    for (int i = 1; i <= socketCount(); ++i) {
        const PlayerInfo& other = client(i);
        SendToClient(idx, makeLine(toClient::MsgPlayerInfo, buildPlayerRecord(i, other.Name, teamOnWire(other.Team))));
    }
    Welcome welcome;
    welcome.index = idx;
    std::copy(m_playerSlot.begin(), m_playerSlot.end(), welcome.slotHolders.begin());
    welcome.gameRunning = m_gameRunning;
    SendToClient(idx, makeLine(toClient::MsgWelcome, buildWelcome(welcome)));
    if (m_gameRunning) {
        for (int slot = 1; slot <= kPlayingSlots; ++slot) {
            if (PlayerSlot(slot) >= 0)
                SendFullField(idx, slot);
        }
    }
    emit userJoined(info.Name);
}

void GameServer::ServerMsgChat(int idx, char lineCode, BytesView text)
{
    sendToAll(makeLine(lineCode, withPlayer(idx, text)));
}

void GameServer::ServerMsgTeamChat(int idx, BytesView text)
{
    const Bytes line = makeLine(toClient::MsgChatLine, withPlayer(idx, text));
    SendToClient(idx, line);
    const Bytes& team = client(idx).Team;
    if (isNoTeam(team))
        return;
    for (int i = 1; i <= socketCount(); ++i) {
        if (i != idx && isLoggedIn(i) && equalsNoCase(client(i).Team, team))
            SendToClient(i, line);
    }
}

void GameServer::ServerMsgSetTeam(int idx, BytesView team)
{
    m_clients[static_cast<std::size_t>(idx)].info.Team = Bytes(team);
    sendToAll(makeLine(toClient::MsgTeamChanged, withPlayer(idx, team)));
}

void GameServer::ServerMsgPrivate(int idx, BytesView payload)
{
    const auto tab = payload.find('\t');
    if (tab == BytesView::npos)
        return;
    const BytesView addressee = payload.substr(0, tab);
    int target = 0;
    for (int i = 1; i <= socketCount(); ++i) {
        if (isLoggedIn(i) && toLower(client(i).Name) == addressee)
            target = i;
    }
    if (target != 0)
        SendToClient(target, makeLine(toClient::MsgPrivateLine, withPlayer(idx, payload.substr(tab + 1))));
}

void GameServer::ServerMsgTakeSlot(int idx, BytesView payload)
{
    const std::optional<int> slot = singlePlayerChar(payload);
    if (!isLoggedIn(idx) || !slot || *slot < 0 || *slot > kPlayingSlots)
        return;
    PlayerInfo& info = m_clients[static_cast<std::size_t>(idx)].info;
    if (*slot == 0) {
        info.Spectator = true;
        info.Slot = 0;
        info.Dead = true;
        freeSlotsOf(idx);
        sendToAll(makeLine(toClient::MsgSpotChanged, withPlayer(idx, Bytes(1, kPlayerNone))));
        return;
    }
    if (PlayerSlot(*slot) >= 0) {
        SendToClient(idx, makeLine(toClient::MsgSpotTaken));
        return;
    }
    freeSlotsOf(idx);
    info.Dead = true; // a player taking a slot during a game sits it out
    m_playerSlot[static_cast<std::size_t>(*slot)] = idx;
    info.Slot = *slot;
    info.Spectator = false;
    sendToAll(makeLine(toClient::MsgSpotChanged, withPlayer(idx, Bytes(1, PlayerChar(*slot)))));
}

void GameServer::relayToOthers(int idx, char code, BytesView payload)
{
    if (payload.size() != 1)
        return;
    sendToAll(makeLine(code, withPlayer(idx, payload)), idx);
}

void GameServer::ServerMsgSwitchSpecial(int idx, BytesView payload)
{
    const std::optional<int> target = singlePlayerChar(payload);
    if (!target)
        return;
    relayToOthers(idx, specialCode(SpecialType::SwitchBlocks), payload);
    if (*target == idx || !isLoggedIn(*target))
        return;
    const int senderSlot = heldSlot(idx);
    const int targetSlot = heldSlot(*target);
    if (senderSlot == 0 || targetSlot == 0)
        return;
    // The copies stay as they are; they follow the clients' next field differences.
    const Bytes senderDump = encodeFieldDump(m_fields[static_cast<std::size_t>(senderSlot)]);
    const Bytes targetDump = encodeFieldDump(m_fields[static_cast<std::size_t>(targetSlot)]);
    SendToClient(*target, makeLine(toClient::MsgSwapField, senderDump));
    SendToClient(idx, makeLine(toClient::MsgSwapField, targetDump));
}

bool GameServer::mayControlGame(int sender) const
{
    return sender < 0 || (sender > 0 && PlayerSlot(1) == sender);
}

void GameServer::ServerStartGame(int sender)
{
    if (!mayControlGame(sender))
        return;
    bool anyHeld = false;
    for (int slot = 1; slot <= kPlayingSlots; ++slot)
        anyHeld = anyHeld || PlayerSlot(slot) >= 0;
    if (!anyHeld) {
        if (sender < 0)
            m_dialogs.messageBox("No players available, can't start game!", "Error", MessageIcon::Critical);
        else
            SendToClient(sender, makeLine(toClient::MsgNoPlayers));
        return;
    }
    for (int slot = 1; slot <= kPlayingSlots; ++slot) {
        const int holder = PlayerSlot(slot);
        if (holder < 0)
            continue;
        m_fields[static_cast<std::size_t>(slot)].clear();
        m_clients[static_cast<std::size_t>(holder)].info.Dead = false;
    }
    sendToAll(makeLine(toClient::MsgGameStarted, BuildGameOptions(m_options.rules)));
    m_gameRunning = true;
    emit gameStarted();
}

void GameServer::ServerStopGame()
{
    m_gameRunning = false;
    emit gameEnded();
    sendToAll(makeLine(toClient::MsgGameStopped));
}

void GameServer::ServerMsgPause(int sender)
{
    if (mayControlGame(sender))
        sendToAll(makeLine(toClient::MsgGamePaused));
}

void GameServer::ServerMsgResume(int sender)
{
    if (mayControlGame(sender))
        sendToAll(makeLine(toClient::MsgGameResumed));
}

void GameServer::broadcastGameSettings()
{
    sendToAll(makeLine(toClient::MsgGameSettings, BuildGameOptions(m_options.rules)));
}

void GameServer::ServerStartKickVote(int idx, BytesView payload)
{
    if (m_voteRunning)
        return;
    // A rule-change vote (two bytes) is not carried out here; only a connected subject counts.
    const std::optional<int> subject = singlePlayerChar(payload);
    if (!subject || !isLoggedIn(*subject))
        return;
    m_voteYes = 0;
    m_voteNo = 0;
    m_voteStart = m_clock.nowMs();
    m_voteRunning = true;
    m_voteSubject = *subject;
    for (int i = 1; i <= socketCount(); ++i)
        m_clients[static_cast<std::size_t>(i)].info.HasVoted = (i == *subject);
    sendToAll(makeLine(toClient::MsgKickVoteStarted, withPlayer(idx, Bytes(1, PlayerChar(*subject)))), *subject);
}

void GameServer::castVote(int idx, bool yes)
{
    if (!m_voteRunning)
        return;
    PlayerInfo& info = m_clients[static_cast<std::size_t>(idx)].info;
    if (info.HasVoted) {
        SendToClient(idx, makeLine(toClient::MsgAlreadyVoted));
        return;
    }
    info.HasVoted = true;
    const int count = yes ? ++m_voteYes : ++m_voteNo;
    // Closed sockets count towards the majority and, never voting, keep "all voted" false.
    bool allVoted = true;
    for (int i = 1; i <= socketCount(); ++i)
        allVoted = allVoted && (i == m_voteSubject || client(i).HasVoted);
    if (count > socketCount() / 2.0 || allVoted) {
        EndKickVote();
        return;
    }
    sendToAll(makeLine(toClient::MsgVoteTally, Bytes{PlayerChar(m_voteYes), PlayerChar(m_voteNo)}), m_voteSubject);
}

void GameServer::EndKickVote()
{
    m_voteRunning = false;
    sendToAll(makeLine(toClient::MsgVoteResult, Bytes{PlayerChar(m_voteYes), PlayerChar(m_voteNo)}), m_voteSubject);
    if (m_voteYes > m_voteNo && isLoggedIn(m_voteSubject)) {
        SendToClient(m_voteSubject, makeLine(toClient::MsgKicked));
        disconnectLater(m_voteSubject, m_timing.closeWaitMs);
    }
}

void GameServer::checkVoteTimeout()
{
    if (m_voteRunning && m_clock.nowMs() - m_voteStart > kVoteTimeoutMs)
        EndKickVote();
}

} // namespace kalvon
