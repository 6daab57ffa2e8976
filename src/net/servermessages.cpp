// The server's dispatcher and its message handlers: login, chat, teams, private messages,
// slots, relays, game flow and kick votes. Each line is decoded once; a line the decoder
// refuses is dropped without an answer, and each handler takes its decoded message.

#include "common/clock.h"
#include "common/dialogs.h"
#include "common/vbconv.h"
#include "net/banlist.h"
#include "net/hostoptions.h"
#include "net/overloaded.h"
#include "net/serverroom.h"
#include "net/wire/toclient.h"
#include "net/wire/toserver.h"

namespace kalvon {

using namespace wire;

void ServerRoom::dispatchLine(ConnectionId id, BytesView line)
{
    const std::optional<RawLine> raw = parseLine(line);
    if (!raw)
        return;
    const std::optional<toServer::Message> message = toServer::decode(raw->code, raw->payload);
    // Before login only the hello counts; one that breaks its layout is turned away like a
    // version too old. After login a second hello is ignored.
    const int idx = find(id)->index;
    if (idx == 0) {
        if (raw->code != toServer::MsgHello)
            return;
        if (const auto* hello = message ? std::get_if<toServer::Hello>(&*message) : nullptr)
            ServerMsgJoin(id, *hello);
        else
            reject(id, encode(toClient::VersionRejected{}));
        return;
    }
    if (message)
        ServerDispatchMessage(idx, *message);
}

void ServerRoom::ServerDispatchMessage(int idx, const toServer::Message& message)
{
    std::visit(
        Overloaded{
            [this, idx](const toServer::Quit&) { DisconnectClient(idx); },
            [this, idx](const toServer::SetTeam& m) { ServerMsgSetTeam(idx, m.team); },
            [this, idx](
                const toServer::RequestIndex&) { SendToClient(idx, encode(toClient::YourIndex{ idx })); },
            [this, idx](const toServer::Chat& m) {
                sendToAll(encode(toClient::ChatLine{ idx, m.text }));
            },
            [this, idx](const toServer::Action& m) {
                sendToAll(encode(toClient::ActionLine{ idx, m.text }));
            },
            [this, idx](const toServer::TeamChat& m) { ServerMsgTeamChat(idx, m.text); },
            [this, idx](const toServer::Private& m) { ServerMsgPrivate(idx, m); },
            [this, idx](const toServer::RequestSettings&) {
                SendToClient(idx, encode(toClient::GameSettings{ m_options.rules }));
            },
            [this, idx](const toServer::FieldUpdate& m) { ServerMsgFieldUpdate(idx, m.changes); },
            [this, idx](const toServer::Special& m) { ServerMsgSpecial(idx, m); },
            [this, idx](const toServer::LinesToAll& m) {
                sendToAll(encode(toClient::LinesRelay{ idx, m.lines }), idx);
            },
            [this, idx](const toServer::PlayerLost&) { ServerMsgPlayerLost(idx); },
            [this](const toServer::CommonLevel& m) { sendToAll(encode(toClient::CommonLevel{ m.level })); },
            [this, idx](const toServer::StartGame&) { ServerStartGame(idx); },
            [this](const toServer::StopGame&) { ServerStopGame(); },
            [this, idx](const toServer::PauseGame&) { ServerMsgPause(idx); },
            [this, idx](const toServer::ResumeGame&) { ServerMsgResume(idx); },
            [this, idx](const toServer::TakeSpot& m) { ServerMsgTakeSlot(idx, m.slot); },
            [this, idx](const toServer::CallKickVote& m) { ServerStartKickVote(idx, m.subject); },
            [this, idx](const toServer::VoteYes&) { castVote(idx, true); },
            [this, idx](const toServer::VoteNo&) { castVote(idx, false); },
            // A second hello; rule votes, rooms, administration and field requests are for
            // outside servers.
            [](const toServer::Hello&) {},
            [](const toServer::CallRuleVote&) {},
            [](const toServer::BanRequest&) {},
            [](const toServer::KickRequest&) {},
            [](const toServer::AdminLogin&) {},
            [](const toServer::JoinRoom&) {},
            [](const toServer::CreateRoom&) {},
            [](const toServer::ListRooms&) {},
            [](const toServer::ListBans&) {},
            [](const toServer::RemoveBan&) {},
            [](const toServer::RequestField&) {},
            [](const toServer::MovePlayer&) {},
        },
        message);
}

void ServerRoom::ServerMsgJoin(ConnectionId id, const toServer::Hello& hello)
{
    Connection& connection = *find(id);
    if (!(m_maxClients > placesHeld(id))) {
        reject(id, encode(toClient::ServerFull{}));
        return;
    }
    const std::optional<double> version = vb::toNumber(hello.version);
    if (!version || *version < kMinClientVersion) {
        reject(id, encode(toClient::VersionRejected{}));
        return;
    }
    if (m_bans.contains(connection.address)) {
        reject(id, encode(toClient::Banned{}));
        return;
    }
    if (!isAcceptableName(hello.name) || findClient(hello.name) != 0) {
        reject(id, encode(toClient::NameInUse{}));
        return;
    }

    const int idx = freeIndex();
    Record& record = m_clients[static_cast<std::size_t>(idx)];
    record.connection = id;
    connection.index = idx;
    connection.loggedIn = true;
    PlayerInfo& info = record.info;
    info = PlayerInfo{};
    info.Name = hello.name;
    info.Team = teamOnWire(hello.team);
    info.Connected = true;
    info.index = idx;
    info.Dead = true;
    info.Spectator = true;

    sendToAll(encode(toClient::PlayerJoined{ idx, info.Name, info.Team }), idx);
    for (int i = 1; i <= socketCount(); ++i) {
        const PlayerInfo& other = client(i);
        SendToClient(idx, encode(toClient::PlayerInfo{ i, other.Name, teamOnWire(other.Team) }));
    }
    SendToClient(idx, encode(toClient::Welcome{ idx, m_playerSlot, m_gameRunning }));
    if (m_gameRunning) {
        for (int slot = 1; slot <= kPlayingSlots; ++slot) {
            if (PlayerSlot(slot) >= 0)
                SendFullField(idx, slot);
        }
    }
    m_host.userJoinedRoom(info.Name);
}

void ServerRoom::ServerMsgTeamChat(int idx, BytesView text)
{
    const Bytes line = encode(toClient::ChatLine{ idx, Bytes(text) });
    SendToClient(idx, line);
    const Bytes& team = client(idx).Team;
    if (isNoTeam(team))
        return;
    for (int i = 1; i <= socketCount(); ++i) {
        if (i != idx && isLoggedIn(i) && equalsNoCase(client(i).Team, team))
            SendToClient(i, line);
    }
}

void ServerRoom::ServerMsgSetTeam(int idx, BytesView team)
{
    m_clients[static_cast<std::size_t>(idx)].info.Team = Bytes(team);
    sendToAll(encode(toClient::TeamChanged{ idx, Bytes(team) }));
}

void ServerRoom::ServerMsgPrivate(int idx, const toServer::Private& message)
{
    int target = 0;
    for (int i = 1; i <= socketCount(); ++i) {
        if (isLoggedIn(i) && toLower(client(i).Name) == message.addressee)
            target = i;
    }
    if (target != 0)
        SendToClient(target, encode(toClient::PrivateLine{ idx, message.text }));
}

void ServerRoom::ServerMsgTakeSlot(int idx, int slot)
{
    if (!isLoggedIn(idx) || slot < 0 || slot > kPlayingSlots)
        return;
    PlayerInfo& info = m_clients[static_cast<std::size_t>(idx)].info;
    if (slot == 0) {
        info.Spectator = true;
        info.Slot = 0;
        info.Dead = true;
        freeSlotsOf(idx);
        sendToAll(encode(toClient::SpotChanged{ idx, 0 }));
        return;
    }
    if (PlayerSlot(slot) >= 0) {
        SendToClient(idx, encode(toClient::SpotTaken{}));
        return;
    }
    freeSlotsOf(idx);
    info.Dead = true; // a player taking a slot during a game sits it out
    m_playerSlot[static_cast<std::size_t>(slot)] = idx;
    info.Slot = slot;
    info.Spectator = false;
    sendToAll(encode(toClient::SpotChanged{ idx, slot }));
}

void ServerRoom::ServerMsgSpecial(int idx, const toServer::Special& special)
{
    // Relayed to the others only: the sender applies its own special itself.
    sendToAll(encode(toClient::SpecialRelay{ special.special, idx, special.target }), idx);
    if (special.special == SpecialType::SwitchBlocks)
        ServerMsgSwitchSpecial(idx, special.target);
}

void ServerRoom::ServerMsgSwitchSpecial(int idx, int target)
{
    if (target == idx || !isLoggedIn(target))
        return;
    const int senderSlot = heldSlot(idx);
    const int targetSlot = heldSlot(target);
    if (senderSlot == 0 || targetSlot == 0)
        return;
    // The copies stay as they are; they follow the clients' next field differences.
    SendToClient(target, encode(toClient::SwapField{ m_fields[static_cast<std::size_t>(senderSlot)] }));
    SendToClient(idx, encode(toClient::SwapField{ m_fields[static_cast<std::size_t>(targetSlot)] }));
}

bool ServerRoom::mayControlGame(int sender) const
{
    return sender < 0 || (sender > 0 && PlayerSlot(1) == sender);
}

void ServerRoom::ServerStartGame(int sender)
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
            SendToClient(sender, encode(toClient::NoPlayers{}));
        return;
    }
    for (int slot = 1; slot <= kPlayingSlots; ++slot) {
        const int holder = PlayerSlot(slot);
        if (holder < 0)
            continue;
        m_fields[static_cast<std::size_t>(slot)].clear();
        m_clients[static_cast<std::size_t>(holder)].info.Dead = false;
    }
    sendToAll(encode(toClient::GameStarted{ m_options.rules }));
    m_gameRunning = true;
    m_host.roomGameStarted();
}

void ServerRoom::ServerStopGame()
{
    m_gameRunning = false;
    m_host.roomGameEnded();
    sendToAll(encode(toClient::GameStopped{}));
}

void ServerRoom::ServerMsgPause(int sender)
{
    if (mayControlGame(sender))
        sendToAll(encode(toClient::GamePaused{}));
}

void ServerRoom::ServerMsgResume(int sender)
{
    if (mayControlGame(sender))
        sendToAll(encode(toClient::GameResumed{}));
}

void ServerRoom::broadcastGameSettings()
{
    sendToAll(encode(toClient::GameSettings{ m_options.rules }));
}

void ServerRoom::ServerStartKickVote(int idx, int subject)
{
    if (m_voteRunning || !isLoggedIn(subject))
        return;
    m_voteYes = 0;
    m_voteNo = 0;
    m_voteStart = m_clock.nowMs();
    m_voteRunning = true;
    m_voteSubject = subject;
    m_host.wakeAt(voteEndsAt());
    for (int i = 1; i <= socketCount(); ++i)
        m_clients[static_cast<std::size_t>(i)].info.HasVoted = (i == subject);
    sendToAll(encode(toClient::KickVoteStarted{ idx, subject }), subject);
}

void ServerRoom::castVote(int idx, bool yes)
{
    if (!m_voteRunning)
        return;
    PlayerInfo& info = m_clients[static_cast<std::size_t>(idx)].info;
    if (info.HasVoted) {
        SendToClient(idx, encode(toClient::AlreadyVoted{}));
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
    sendToAll(encode(toClient::VoteTally{ m_voteYes, m_voteNo }), m_voteSubject);
}

void ServerRoom::EndKickVote()
{
    m_voteRunning = false;
    sendToAll(encode(toClient::VoteResult{ m_voteYes, m_voteNo }), m_voteSubject);
    if (m_voteYes > m_voteNo && isLoggedIn(m_voteSubject)) {
        SendToClient(m_voteSubject, encode(toClient::Kicked{}));
        disconnectLater(m_voteSubject, m_timing.closeWaitMs);
    }
}

} // namespace kalvon
