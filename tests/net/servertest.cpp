#include "servertest.h"

#include "net/wire/toclient.h"
#include "net/wire/toserver.h"

#include <QTcpServer>
#include <QTest>
#include <cstdio>

namespace kalvon::testing {

GameServer::Timing ServerTest::fastTiming()
{
    GameServer::Timing timing;
    timing.closeWaitMs = 60;
    timing.kickWaitMs = 20;
    timing.turnAwaySilenceMs = 300;
    timing.loginTimeoutMs = 400;
    timing.voteCheckIntervalMs = 10;
    return timing;
}

quint16 ServerTest::freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::Any, 0);
    return probe.serverPort();
}

void ServerTest::startServer(BytesView maxClients, GameServer::Timing timing)
{
    options.maxClients = Bytes(maxClients);
    server = std::make_unique<GameServer>(options, bans, dialogs, clock, timing);
    for (int attempt = 0; attempt < 5 && !server->isRunning(); ++attempt) {
        port = freePort();
        options.port = std::to_string(port);
        dialogs.calls.clear();
        server->StartServer();
    }
    ASSERT_TRUE(server->isRunning());
    ASSERT_EQ(server->listeningPort(), port);
}

std::unique_ptr<WireClient> ServerTest::connectRaw() const
{
    auto client = std::make_unique<WireClient>(port);
    EXPECT_TRUE(client->isConnected());
    return client;
}

Player& ServerTest::join(BytesView name, BytesView team)
{
    auto player = std::make_unique<Player>();
    player->name = Bytes(name);
    player->wire = connectRaw();
    player->wire->sendLine(encode(wire::toServer::Hello{ Bytes(team), Bytes(name) }));
    for (;;) {
        const auto line = player->wire->nextLine();
        if (!line) {
            ADD_FAILURE() << "no welcome for " << name;
            break;
        }
        const auto message = wire::toClient::decode(*line);
        const auto* welcome = message ? std::get_if<wire::toClient::Welcome>(&*message) : nullptr;
        if (!welcome)
            continue;
        player->index = welcome->player;
        for (int slot = 1; slot <= kPlayingSlots && welcome->gameRunning; ++slot) {
            if (welcome->holders[static_cast<std::size_t>(slot)] >= 0)
                player->fullFields.push_back(player->wire->nextLine().value_or(""));
        }
        break;
    }
    const Bytes notice
        = encode(wire::toClient::PlayerJoined{ player->index, Bytes(name), wire::teamOnWire(team) });
    for (const auto& other : players) {
        if (other->wire->isConnected() && !other->wire->closedByServer())
            EXPECT_LINE(other->wire, notice);
    }
    players.push_back(std::move(player));
    return *players.back();
}

void ServerTest::takeSlot(Player& player, int slot)
{
    player->sendLine(encode(wire::toServer::TakeSpot{ slot }));
    expectAllGet(encode(wire::toClient::SpotChanged{ player.index, slot }));
}

void ServerTest::callKickVote(Player& caller, Player& subject)
{
    caller->sendLine(encode(wire::toServer::CallKickVote{ subject.index }));
    const Bytes started = encode(wire::toClient::KickVoteStarted{ caller.index, subject.index });
    for (const auto& player : players) {
        if (player.get() != &subject)
            EXPECT_LINE(player->wire, started);
    }
}

void ServerTest::startGame(Player& slotOneHolder)
{
    slotOneHolder->sendLine(encode(wire::toServer::StartGame{}));
    expectAllGet(gameStartedLine());
}

Bytes ServerTest::gameStartedLine() const
{
    return encode(wire::toClient::GameStarted{ options.rules });
}

void ServerTest::expectAllGet(BytesView line)
{
    for (const auto& player : players) {
        SCOPED_TRACE(player->name);
        EXPECT_LINE(player->wire, line);
    }
}

void ServerTest::expectQuiet(int ms)
{
    QTest::qWait(ms);
    for (const auto& player : players)
        EXPECT_EQ(player->wire->pending(), 0u)
            << player->name << " got " << show(player->wire->nextLine(0).value_or(""));
}

void ServerTest::clearAll()
{
    for (const auto& player : players)
        player->wire->clear();
}

std::string show(BytesView line)
{
    std::string out;
    for (char c : line) {
        const int code = byteCode(c);
        if (code >= 32 && code < 127 && c != '\\') {
            out += c;
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02x", code);
            out += buffer;
        }
    }
    return out;
}

} // namespace kalvon::testing
