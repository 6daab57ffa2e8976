#pragma once
// One connection to the server under test as a test drives it: over a loopback socket
// (WireClient) or straight into the room (RoomPeer).

#include "common/bytes.h"

#include <optional>

namespace kalvon::testing {

class ServerPeer {
public:
    virtual ~ServerPeer() = default;

    virtual void send(BytesView bytes) = 0;
    void sendLine(BytesView line) { send(Bytes(line) + "\r\n"); }
    // The next line received, or nothing when none comes (a socket waits for it up to a
    // generous bound; the room has answered already).
    virtual std::optional<Bytes> nextLine() = 0;
    virtual bool isConnected() const = 0;
    virtual bool closedByServer() const = 0;
    // The peer closes its end.
    virtual void close() = 0;
    // Drops every line received so far.
    virtual void clear() = 0;
};

} // namespace kalvon::testing
