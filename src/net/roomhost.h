#pragma once
// What the server's room asks of the owner of its connections. The room decides; the owner
// (GameServer over TCP sockets, a recording fake in tests) carries it out.

#include "common/bytes.h"

#include <cstdint>

namespace kalvon {

// A connection's number: given by the owner, never used twice, so a late decision about a
// connection that is gone can never reach a newer one.
using ConnectionId = uint64_t;

class RoomHost {
public:
    virtual ~RoomHost() = default;

    // Sends one line (the owner adds the CR LF). False when the connection has fallen too far
    // behind in taking what it is sent; the room then lets it go.
    virtual bool sendLine(ConnectionId connection, BytesView line) = 0;
    // Ends the connection once what was sent on it has left. The room has forgotten it: what
    // the owner reports about it afterwards is ignored.
    virtual void closeConnection(ConnectionId connection) = 0;
    // The room has something to do at `dueMs` on its clock: the owner calls runDueTimers then
    // (later is harmless, earlier does nothing).
    virtual void wakeAt(int64_t dueMs) = 0;

    // For the host's server page: a client logged in or left; a game started, or stopped or
    // ended.
    virtual void userJoinedRoom(const Bytes& name) = 0;
    virtual void userLeftRoom(const Bytes& name) = 0;
    virtual void roomGameStarted() = 0;
    virtual void roomGameEnded() = 0;
};

} // namespace kalvon
