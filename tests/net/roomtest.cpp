#include "roomtest.h"

#include <algorithm>

namespace kalvon::testing {

RoomPeer::RoomPeer(ServerRoom& room, RecordingRoomHost& host, ConnectionId id)
    : m_room(room)
    , m_host(host)
    , m_id(id)
{
}

void RoomPeer::close()
{
    m_closedByPeer = !m_host.isClosed(m_id);
    m_room.connectionClosed(m_id);
}

void RoomTest::openRoom(double maxClients, ServerRoom::Timing timing)
{
    players.clear();
    host = RecordingRoomHost{};
    room = std::make_unique<ServerRoom>(options, bans, dialogs, clock, host, timing);
    room->open(maxClients);
}

std::unique_ptr<RoomPeer> RoomTest::connect(BytesView address)
{
    const ConnectionId id = ++lastConnection;
    EXPECT_TRUE(room->connectionOpened(id, address)) << "connection " << id << " refused";
    return std::make_unique<RoomPeer>(*room, host, id);
}

bool RoomTest::tryConnect(BytesView address)
{
    return room->connectionOpened(++lastConnection, address);
}

void RoomTest::advance(int64_t ms)
{
    clock.advance(ms);
    room->runDueTimers();
}

void RoomTest::expectClosedAfter(ServerPeer& peer, int64_t waitMs)
{
    advance(waitMs - 1);
    EXPECT_TRUE(peer.isConnected()) << "closed before " << waitMs << " ms";
    advance(1);
    EXPECT_TRUE(peer.closedByServer()) << "not closed after " << waitMs << " ms";
}

int RoomTest::eventCount(const std::string& event) const
{
    return static_cast<int>(std::count(host.events.begin(), host.events.end(), event));
}

void RoomTest::expectQuiet()
{
    std::map<ConnectionId, Bytes> names;
    for (const auto& player : players)
        names[idOf(*player)] = player->name;
    for (const auto& [id, queue] : host.lines) {
        EXPECT_TRUE(queue.empty()) << (names.contains(id) ? names[id] : "connection " + std::to_string(id))
                                   << " got " << show(queue.empty() ? "" : queue.front());
    }
}

} // namespace kalvon::testing
