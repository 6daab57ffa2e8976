#pragma once
// The fixture of the server's socket tests: a GameServer on a free loopback port, driven by
// the fake clock, with raw clients that join it. Nothing here waits for a time: a test waits
// for the bytes it expects, and shows that nothing else came by a sentinel line that must
// arrive next.

#include "net/gameserver.h"
#include "serverfixture.h"
#include "wireclient.h"

#include <memory>

namespace kalvon::testing {

class ServerTest : public ServerFixture {
protected:
    // A port nobody listens on right now.
    static quint16 freePort();

    // Starts the server with the given client limit; fails the test when it does not start.
    void startServer(BytesView maxClients = "6");

    // A connection from a loopback address (127.x.y.z), so a test can play several hosts.
    std::unique_ptr<WireClient> connectRaw(BytesView fromAddress = "127.0.0.1") const;
    std::unique_ptr<ServerPeer> connectPeer() override { return connectRaw(); }

    // Moves the clock and lets the server run what is due.
    void advance(int64_t ms);
    // `sender` sends a chat line, which must be the next line of every player: nothing that
    // the server did with the sender's earlier lines reached anyone.
    void expectNothingBefore(Player& sender);

    std::unique_ptr<GameServer> server;
    quint16 port = 0;
};

} // namespace kalvon::testing
