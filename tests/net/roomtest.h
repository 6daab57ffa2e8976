#pragma once
// The fixture of the server's rule tests: a ServerRoom on the fake clock with a recording
// owner; its peers feed the room bytes and read what it sent them. Everything is synchronous,
// so "nothing was sent" is a plain check and every wait is a move of the clock.

#include "net/serverroom.h"
#include "recordingroomhost.h"
#include "serverfixture.h"

namespace kalvon::testing {

class RoomPeer final : public ServerPeer {
public:
    RoomPeer(ServerRoom& room, RecordingRoomHost& host, ConnectionId id);

    void send(BytesView bytes) override { m_room.bytesReceived(m_id, bytes); }
    std::optional<Bytes> nextLine() override { return m_host.takeLine(m_id); }
    bool isConnected() const override { return !m_host.isClosed(m_id); }
    bool closedByServer() const override { return m_host.isClosed(m_id) && !m_closedByPeer; }
    void close() override;
    void clear() override { m_host.lines[m_id].clear(); }

    ConnectionId id() const { return m_id; }

private:
    ServerRoom& m_room;
    RecordingRoomHost& m_host;
    ConnectionId m_id;
    bool m_closedByPeer = false;
};

class RoomTest : public ServerFixture {
protected:
    static constexpr BytesView kAddress = "10.0.0.1";

    // A new room, open for the given client limit, with a fresh owner and no players.
    void openRoom(double maxClients = 6, ServerRoom::Timing timing = {});
    // A new connection from the address; fails the test when the room refuses it.
    std::unique_ptr<RoomPeer> connect(BytesView address = kAddress);
    // Whether the room takes a connection from the address (it is counted when it does).
    bool tryConnect(BytesView address);
    std::unique_ptr<ServerPeer> connectPeer() override { return connect(); }

    static ConnectionId idOf(const Player& player) { return static_cast<const RoomPeer&>(*player.peer).id(); }
    // Moves the clock and runs what is due.
    void advance(int64_t ms);
    // The room closes the peer exactly `waitMs` from now (the clock moves that far).
    void expectClosedAfter(ServerPeer& peer, int64_t waitMs);
    // No connection has a line it has not read.
    void expectQuiet();
    // How often the room told its owner this event.
    int eventCount(const std::string& event) const;

    RecordingRoomHost host;
    std::unique_ptr<ServerRoom> room;
    ConnectionId lastConnection = 0;
};

} // namespace kalvon::testing
