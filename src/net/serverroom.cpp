// The room's connections: opening and the shutdown, new connections and the waiting rules,
// received bytes, deadlines, sending, delayed closes and the removal of a client.

#include "net/serverroom.h"

#include "common/clock.h"
#include "net/banlist.h"
#include "net/wire/toclient.h"

namespace kalvon {

namespace {

// The line strings kept between arrivals: enough for a burst of ordinary messages.
constexpr std::size_t kKeptLines = 32;
constexpr std::size_t kKeptLineCapacity = 1024;

} // namespace

ServerRoom::ServerRoom(const HostOptions& options, BanList& bans, Dialogs& dialogs, const Clock& clock,
    RoomHost& host, Timing timing)
    : m_options(options)
    , m_bans(bans)
    , m_dialogs(dialogs)
    , m_clock(clock)
    , m_host(host)
    , m_timing(timing)
{
    resetRecords();
}

void ServerRoom::resetRecords()
{
    m_clients.assign(1, Record{});
    m_playerSlot.fill(-1);
    m_gameRunning = false;
    m_voteRunning = false;
}

void ServerRoom::open(double maxClients)
{
    shutdown(); // a room opened again lets its clients go first
    m_open = true;
    m_maxClients = maxClients;
    resetRecords();
}

void ServerRoom::shutdown()
{
    if (!m_open)
        return;
    m_open = false;
    sendToAll(encode(wire::toClient::ServerShutdown{}));
    const int64_t closeAt = m_clock.nowMs() + m_timing.closeWaitMs;
    for (auto& [id, connection] : m_connections) {
        connection.index = 0;
        if (!connection.closeAt || *connection.closeAt > closeAt)
            connection.closeAt = closeAt;
    }
    resetRecords();
    if (!m_connections.empty())
        m_host.wakeAt(closeAt);
}

ServerRoom::Connection* ServerRoom::find(ConnectionId id)
{
    const auto it = m_connections.find(id);
    return it == m_connections.end() ? nullptr : &it->second;
}

bool ServerRoom::isWaiting(const Connection& connection) const
{
    return !connection.loggedIn;
}

bool ServerRoom::inGrace(const Connection& connection) const
{
    return m_clock.nowMs() - connection.openedAt < m_timing.loginGraceMs;
}

int ServerRoom::waitingConnections() const
{
    int waiting = 0;
    for (const auto& [id, connection] : m_connections)
        waiting += isWaiting(connection);
    return waiting;
}

int ServerRoom::placesHeld(ConnectionId except) const
{
    int held = 0;
    for (int i = 1; i <= socketCount(); ++i)
        held += m_clients[static_cast<std::size_t>(i)].connection != 0;
    for (const auto& [id, connection] : m_connections) {
        held += id != except && isWaiting(connection) && !connection.closeAt && connection.holdsPlace
            && inGrace(connection);
    }
    return held;
}

bool ServerRoom::connectionOpened(ConnectionId id, BytesView address)
{
    if (!m_open || id == 0 || m_connections.contains(id))
        return false;
    int waiting = 0;
    int fromAddress = 0;
    for (const auto& [other, connection] : m_connections) {
        if (isWaiting(connection)) {
            ++waiting;
            fromAddress += connection.address == address;
        }
    }
    if (waiting >= kMaxWaiting || fromAddress >= kMaxWaitingPerAddress)
        return false;
    Connection connection;
    connection.address = Bytes(address);
    connection.openedAt = m_clock.nowMs();
    connection.holdsPlace = m_maxClients > placesHeld();
    m_connections.emplace(id, std::move(connection));
    m_host.wakeAt(m_clock.nowMs() + m_timing.loginTimeoutMs);
    return true;
}

void ServerRoom::bytesReceived(ConnectionId id, BytesView bytes)
{
    Connection* connection = find(id);
    if (!connection || connection->closeAt)
        return;
    // Taken out while in use: an arrival handled inside this one would cut into a vector of
    // its own.
    std::vector<Bytes> lines = std::move(m_lines);
    const std::size_t count = connection->splitter.feed(bytes, lines);
    for (std::size_t i = 0; i < count; ++i) {
        connection = find(id);
        if (!connection || connection->closeAt)
            break;
        dispatchLine(id, lines[i]);
    }
    // What a burst of many or long lines grew is not kept.
    if (lines.size() > kKeptLines)
        lines.resize(kKeptLines);
    for (Bytes& line : lines) {
        if (line.capacity() > kKeptLineCapacity)
            Bytes().swap(line);
    }
    m_lines = std::move(lines);
}

void ServerRoom::connectionClosed(ConnectionId id)
{
    const Connection* connection = find(id);
    if (!connection)
        return;
    if (connection->index != 0)
        DisconnectClient(connection->index);
    else
        forget(id);
}

void ServerRoom::forget(ConnectionId id)
{
    if (m_connections.erase(id) != 0)
        m_host.closeConnection(id);
}

std::optional<int64_t> ServerRoom::dueOf(const Connection& connection) const
{
    if (connection.closeAt)
        return connection.closeAt;
    if (!connection.loggedIn)
        return connection.openedAt + m_timing.loginTimeoutMs;
    return std::nullopt;
}

std::optional<int64_t> ServerRoom::nextDueMs() const
{
    std::optional<int64_t> next;
    if (m_voteRunning)
        next = voteEndsAt();
    for (const auto& [id, connection] : m_connections) {
        const std::optional<int64_t> due = dueOf(connection);
        if (due && (!next || *due < *next))
            next = due;
    }
    return next;
}

void ServerRoom::runDueTimers()
{
    // Each pass ends a vote or a connection, so the loop ends; a pass may add a deadline that
    // is due at once (a client let go while a result was sent), which the next pass runs.
    for (;;) {
        const int64_t now = m_clock.nowMs();
        std::optional<int64_t> earliest;
        ConnectionId due = 0;
        for (const auto& [id, connection] : m_connections) {
            const std::optional<int64_t> at = dueOf(connection);
            if (at && *at <= now && (!earliest || *at < *earliest)) {
                earliest = at;
                due = id;
            }
        }
        if (m_voteRunning && voteEndsAt() <= now && (!earliest || voteEndsAt() < *earliest)) {
            EndKickVote();
            continue;
        }
        if (!earliest)
            return;
        runDue(due);
    }
}

void ServerRoom::runDue(ConnectionId id)
{
    const Connection* connection = find(id);
    if (connection && connection->closeAt && connection->index != 0)
        DisconnectClient(connection->index);
    else
        forget(id); // closing without a record, or never logged in
}

void ServerRoom::closeLater(ConnectionId id, int waitMs)
{
    Connection* connection = find(id);
    if (!connection)
        return;
    // A connection already closing keeps the earlier of its two closes.
    const int64_t closeAt = m_clock.nowMs() + waitMs;
    if (connection->closeAt && *connection->closeAt <= closeAt)
        return;
    connection->closeAt = closeAt;
    m_host.wakeAt(closeAt);
}

void ServerRoom::disconnectLater(int idx, int waitMs)
{
    closeLater(m_clients[static_cast<std::size_t>(idx)].connection, waitMs);
}

void ServerRoom::reject(ConnectionId id, BytesView line)
{
    send(id, line);
    closeLater(id, m_timing.closeWaitMs);
}

int ServerRoom::freeIndex()
{
    for (int i = 1; i <= socketCount(); ++i) {
        if (m_clients[static_cast<std::size_t>(i)].connection == 0)
            return i;
    }
    m_clients.emplace_back();
    return socketCount();
}

bool ServerRoom::isLoggedIn(int idx) const
{
    return idx >= 1 && idx <= socketCount() && m_clients[static_cast<std::size_t>(idx)].info.Connected;
}

void ServerRoom::DisconnectClient(int idx)
{
    if (idx < 1 || idx > socketCount())
        return;
    Record& record = m_clients[static_cast<std::size_t>(idx)];
    if (record.connection == 0 && !record.info.Connected)
        return;
    const bool wasLoggedIn = record.info.Connected;
    const Bytes name = record.info.Name;
    // Marked first, so nothing below can find this client still logged in.
    record.info.Connected = false;
    if (wasLoggedIn)
        sendToAll(encode(wire::toClient::PlayerLeft{ idx }), idx);
    freeSlotsOf(idx);
    record.info.Name.clear();
    record.info.Team = Bytes(wire::kNoTeam);
    record.info.index = -1;
    if (m_voteRunning && m_voteSubject == idx)
        m_voteRunning = false;
    const ConnectionId id = record.connection;
    record.connection = 0;
    forget(id);
    if (wasLoggedIn)
        m_host.userLeftRoom(name);
}

void ServerRoom::send(ConnectionId id, BytesView line)
{
    // A connection that no longer takes what it is sent is let go at once.
    if (!m_host.sendLine(id, line))
        closeLater(id, 0);
}

void ServerRoom::SendToClient(int idx, BytesView line)
{
    if (idx < 1 || idx > socketCount())
        return;
    const ConnectionId id = m_clients[static_cast<std::size_t>(idx)].connection;
    if (id != 0)
        send(id, line);
}

void ServerRoom::sendToAll(BytesView line, int except)
{
    for (int i = 1; i <= socketCount(); ++i) {
        if (i != except && isLoggedIn(i))
            SendToClient(i, line);
    }
}

Bytes ServerRoom::clientAddress(int idx) const
{
    if (idx < 1 || idx > socketCount())
        return {};
    const auto it = m_connections.find(m_clients[static_cast<std::size_t>(idx)].connection);
    return it == m_connections.end() ? Bytes{} : it->second.address;
}

int ServerRoom::findClient(BytesView name) const
{
    for (int i = 1; i <= socketCount(); ++i) {
        if (isLoggedIn(i) && equalsNoCase(client(i).Name, name))
            return i;
    }
    return 0;
}

void ServerRoom::kickClient(int idx)
{
    if (!isLoggedIn(idx))
        return;
    SendToClient(idx, encode(wire::toClient::Kicked{}));
    disconnectLater(idx, m_timing.kickWaitMs);
}

void ServerRoom::banClient(int idx, int waitMs)
{
    if (!isLoggedIn(idx))
        return;
    m_bans.add(clientAddress(idx));
    SendToClient(idx, encode(wire::toClient::Banned{}));
    disconnectLater(idx, waitMs);
}

} // namespace kalvon
