#include "servertest.h"

#include "net/wire/toclient.h"
#include "net/wire/toserver.h"

#include <QTcpServer>

namespace kalvon::testing {

quint16 ServerTest::freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::Any, 0);
    return probe.serverPort();
}

void ServerTest::startServer(BytesView maxClients)
{
    options.maxClients = Bytes(maxClients);
    server = std::make_unique<GameServer>(options, bans, dialogs, clock);
    for (int attempt = 0; attempt < 5 && !server->isRunning(); ++attempt) {
        port = freePort();
        options.port = std::to_string(port);
        dialogs.calls.clear();
        server->StartServer();
    }
    ASSERT_TRUE(server->isRunning());
    ASSERT_EQ(server->listeningPort(), port);
}

std::unique_ptr<WireClient> ServerTest::connectRaw(BytesView fromAddress) const
{
    auto client = std::make_unique<WireClient>(port, fromAddress);
    EXPECT_TRUE(client->isConnected());
    return client;
}

void ServerTest::advance(int64_t ms)
{
    clock.advance(ms);
    server->runDueTimers();
}

void ServerTest::expectNothingBefore(Player& sender)
{
    const Bytes sentinel = "-- sentinel --";
    sender->sendLine(encode(wire::toServer::Chat{ sentinel }));
    expectAllGet(encode(wire::toClient::ChatLine{ sender.index, sentinel }));
}

} // namespace kalvon::testing
