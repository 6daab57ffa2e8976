// The server's connection rules: login, roster and welcome, rejections and their closes, the
// client limit, connections that say nothing, the host's kick and ban, a client that stops
// reading, and the shutdown.

#include "net/wire/toclient.h"
#include "net/wire/toserver.h"
#include "roomtest.h"

using namespace kalvon;
using namespace kalvon::testing;
namespace toClient = kalvon::wire::toClient;

namespace {

Bytes hello(BytesView team, BytesView name, BytesView version = wire::kGameVersion)
{
    return encode(wire::toServer::Hello{ Bytes(team), Bytes(name), Bytes(version) });
}

// The welcome of a newcomer while no game runs.
Bytes welcome(int index, toClient::SlotHolders holders = { -1, -1, -1, -1, -1, -1, -1 })
{
    return encode(toClient::Welcome{ index, holders, false });
}

const ServerRoom::Timing kTiming;

} // namespace

TEST_F(RoomTest, LoginSendsRosterAndWelcome)
{
    openRoom();
    Player& ann = join("Ann", "red");
    Player& bob = join("Bob", "");
    EXPECT_EQ(ann.index, 1);
    EXPECT_EQ(bob.index, 2);
    takeSlot(ann, 2);

    auto cy = connect();
    expectQuiet(); // nothing is said to a connection before its hello
    cy->sendLine(hello("\r", "Cy"));
    EXPECT_LINE(cy, encode(toClient::PlayerInfo{ 1, "Ann", "red" }));
    EXPECT_LINE(cy, encode(toClient::PlayerInfo{ 2, "Bob", "\r" })); // an empty team travels as a lone CR
    EXPECT_LINE(cy, encode(toClient::PlayerInfo{ 3, "Cy", "\r" }));
    EXPECT_LINE(cy, welcome(3, { -1, -1, 1, -1, -1, -1, -1 }));
    const Bytes notice = encode(toClient::PlayerJoined{ 3, "Cy", "\r" });
    EXPECT_LINE(ann, notice);
    EXPECT_LINE(bob, notice);
    EXPECT_EQ(host.events, (std::vector<std::string>{ "joined Ann", "joined Bob", "joined Cy" }));
    EXPECT_EQ(room->client(3).Name, "Cy");
    EXPECT_TRUE(room->client(3).Spectator);
    EXPECT_TRUE(room->client(3).Dead);
    EXPECT_EQ(room->clientAddress(3), kAddress);

    // A second hello from a logged-in client changes nothing.
    cy->sendLine(hello("blue", "Zed"));
    expectQuiet();
    EXPECT_EQ(room->client(3).Name, "Cy");
    // A logged-in client has no login time-out.
    advance(kTiming.loginTimeoutMs * 2);
    EXPECT_TRUE(cy->isConnected());
    expectQuiet();
}

TEST_F(RoomTest, RejectionsAreAnsweredThenClosedAfterTheCloseWait)
{
    openRoom();
    Player& ann = join("Ann");
    struct Case {
        const char* name;
        Bytes line;
        Bytes answer;
        bool banned = false;
    };
    const Bytes versionRejected = encode(toClient::VersionRejected{});
    const Bytes nameInUse = encode(toClient::NameInUse{});
    const Case cases[] = {
        { "old version", hello("\r", "Dan", "1.8"), versionRejected },
        { "version not a number", hello("\r", "Dan", "new"), versionRejected },
        { "no CR", msg(wire::toServer::MsgHello, "\r\tDan"), versionRejected },
        { "no TAB", msg(wire::toServer::MsgHello, "Dan\r1.91"), versionRejected },
        { "name in use, other case", hello("\r", "aNN"), nameInUse },
        { "empty name", hello("\r", ""), nameInUse },
        { "comma in name", hello("\r", "D,n"), nameInUse },
        { "semicolon in name", hello("\r", "D;n"), nameInUse },
        { "TAB in name", hello("\r", "D\tn"), nameInUse },
        { "control byte in name", hello("\r", "D\x01n"), nameInUse },
        { "banned address", hello("\r", "Dan"), encode(toClient::Banned{}), true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.banned)
            bans.add(kAddress);
        auto dan = connect();
        dan->sendLine(c.line);
        dan->sendLine(hello("\r", "Eve")); // lines after a rejection are not handled
        EXPECT_LINE(dan, c.answer);
        expectQuiet();
        expectClosedAfter(*dan, kTiming.closeWaitMs);
        dan->sendLine(hello("\r", "Eve"));
        expectQuiet();
        bans = BanList{};
    }
    EXPECT_EQ(host.events, std::vector<std::string>{ "joined Ann" }); // nobody else came or left
    EXPECT_EQ(room->socketCount(), 1); // a rejected connection takes no index
    EXPECT_TRUE(ann->isConnected());
}

TEST_F(RoomTest, ClientLimitAnswersServerFullAndFreedIndexesAreReused)
{
    openRoom(3);
    Player& a = join("A");
    Player& b = join("B");
    Player& c = join("C");

    auto over = connect();
    expectQuiet(); // answered only once it speaks
    over->sendLine(hello("\r", "Over"));
    EXPECT_LINE(over, encode(toClient::ServerFull{}));
    expectQuiet();
    expectClosedAfter(*over, kTiming.closeWaitMs);

    a->sendLine(encode(wire::toServer::Quit{}));
    EXPECT_TRUE(a->closedByServer());
    EXPECT_LINE(b, encode(toClient::PlayerLeft{ 1 }));
    EXPECT_LINE(c, encode(toClient::PlayerLeft{ 1 }));
    b->close();
    EXPECT_LINE(c, encode(toClient::PlayerLeft{ 2 }));
    EXPECT_EQ(
        host.events, (std::vector<std::string>{ "joined A", "joined B", "joined C", "left A", "left B" }));

    // The lowest free index is taken; the roster lists the departed index with no name.
    auto dee = connect();
    dee->sendLine(hello("\r", "Dee"));
    EXPECT_LINE(dee, encode(toClient::PlayerInfo{ 1, "Dee", "\r" }));
    EXPECT_LINE(dee, encode(toClient::PlayerInfo{ 2, "", "\r" }));
    EXPECT_LINE(dee, encode(toClient::PlayerInfo{ 3, "C", "\r" }));
    EXPECT_LINE(dee, welcome(1));
    EXPECT_LINE(c, encode(toClient::PlayerJoined{ 1, "Dee", "\r" }));
    expectQuiet();
}

TEST_F(RoomTest, SilentConnectionsHoldAPlaceOnlyThroughTheGrace)
{
    openRoom(2);
    // Two connections that found a place say nothing; a third found none.
    auto first = connect("10.0.0.2");
    auto second = connect("10.0.0.3");
    auto third = connect("10.0.0.4");

    // Within the grace a newcomer's hello finds every place held.
    advance(kTiming.loginGraceMs - 1);
    auto early = connect("10.0.0.5");
    early->sendLine(hello("\r", "Early"));
    EXPECT_LINE(early, encode(toClient::ServerFull{}));
    // A connection that found a place keeps it through its grace: its late hello is served.
    second->sendLine(hello("\r", "Second"));
    EXPECT_LINE(second, encode(toClient::PlayerInfo{ 1, "Second", "\r" }));
    EXPECT_LINE(second, welcome(1));

    // After the grace the silent ones hold nothing: a newcomer who says hello is served while
    // they wait, and the last place goes to the first hello.
    advance(1);
    Player& ann = join("Ann");
    EXPECT_EQ(ann.index, 2);
    EXPECT_LINE(second, encode(toClient::PlayerJoined{ 2, "Ann", "\r" }));
    EXPECT_TRUE(first->isConnected());
    EXPECT_TRUE(third->isConnected());
    third->sendLine(hello("\r", "Third"));
    EXPECT_LINE(third, encode(toClient::ServerFull{})); // real players hold their places
    first->sendLine(hello("\r", "First"));
    EXPECT_LINE(first, encode(toClient::ServerFull{}));
    expectQuiet();
}

TEST_F(RoomTest, SilentConnectionsAreClosedAtTheLoginTimeout)
{
    openRoom();
    auto silent = connect("10.0.0.2");
    EXPECT_EQ(host.wakes, std::vector<int64_t>{ clock.nowMs() + kTiming.loginTimeoutMs });
    advance(kTiming.loginGraceMs);
    auto later = connect("10.0.0.3");
    Player& ann = join("Ann");
    expectClosedAfter(*silent, kTiming.loginTimeoutMs - kTiming.loginGraceMs);
    EXPECT_TRUE(later->isConnected());
    expectClosedAfter(*later, kTiming.loginGraceMs);
    EXPECT_TRUE(ann->isConnected());
    EXPECT_EQ(room->waitingConnections(), 0);
    EXPECT_EQ(room->nextDueMs(), std::nullopt);
    expectQuiet();
}

TEST_F(RoomTest, OnlyAFewConnectionsWaitPerAddress)
{
    openRoom();
    std::vector<std::unique_ptr<RoomPeer>> waiting;
    for (int i = 0; i < ServerRoom::kMaxWaitingPerAddress; ++i)
        waiting.push_back(connect("10.0.0.2"));
    EXPECT_FALSE(tryConnect("10.0.0.2"));
    auto other = connect("10.0.0.3"); // another address is not affected

    // A waiting connection that logs in no longer waits; one that is rejected waits until its
    // close.
    waiting[0]->sendLine(hello("\r", "Ann"));
    EXPECT_LINE(waiting[0], encode(toClient::PlayerInfo{ 1, "Ann", "\r" }));
    EXPECT_LINE(waiting[0], welcome(1));
    waiting[1]->sendLine(hello("\r", "Ann", "1.0"));
    EXPECT_LINE(waiting[1], encode(toClient::VersionRejected{}));
    waiting.push_back(connect("10.0.0.2"));
    EXPECT_FALSE(tryConnect("10.0.0.2"));
    advance(kTiming.closeWaitMs);
    EXPECT_TRUE(waiting[1]->closedByServer());
    waiting.push_back(connect("10.0.0.2"));
    EXPECT_FALSE(tryConnect("10.0.0.2"));
    // A connection that leaves no longer waits.
    waiting[2]->close();
    waiting.push_back(connect("10.0.0.2"));
    EXPECT_EQ(room->waitingConnections(), ServerRoom::kMaxWaitingPerAddress + 1);
    expectQuiet();
}

TEST_F(RoomTest, WaitingConnectionsAreLimitedInAll)
{
    openRoom();
    std::vector<std::unique_ptr<RoomPeer>> waiting;
    for (int i = 0; i < ServerRoom::kMaxWaiting; ++i)
        waiting.push_back(connect("10.1." + std::to_string(i / 256) + "." + std::to_string(i % 256)));
    EXPECT_FALSE(tryConnect("10.2.0.1"));
    waiting.front()->close();
    auto ann = connect("10.2.0.1");
    ann->sendLine(hello("\r", "Ann"));
    EXPECT_LINE(ann, encode(toClient::PlayerInfo{ 1, "Ann", "\r" }));
    // Logged-in clients do not count: one more may wait, then no more.
    EXPECT_TRUE(tryConnect("10.2.0.2"));
    EXPECT_FALSE(tryConnect("10.2.0.3"));
    EXPECT_EQ(room->waitingConnections(), ServerRoom::kMaxWaiting);
}

TEST_F(RoomTest, HostKickAndBanCloseAfterTheirWaits)
{
    openRoom();
    Player& ann = join("Ann");
    Player& mal = join("Mal");
    Player& bob = join("Bob");
    room->kickClient(room->findClient("MAL"));
    EXPECT_LINE(mal, encode(toClient::Kicked{}));
    expectQuiet();
    // Its lines are no longer handled while it waits for its close.
    mal->sendLine(encode(wire::toServer::Chat{ "one more" }));
    expectQuiet();
    expectClosedAfter(*mal.peer, kTiming.kickWaitMs);
    EXPECT_LINE(ann, encode(toClient::PlayerLeft{ mal.index }));
    EXPECT_LINE(bob, encode(toClient::PlayerLeft{ mal.index }));
    EXPECT_EQ(room->findClient("Mal"), 0);

    room->banClient(bob.index, 250);
    EXPECT_LINE(bob, encode(toClient::Banned{}));
    expectClosedAfter(*bob.peer, 250);
    EXPECT_LINE(ann, encode(toClient::PlayerLeft{ bob.index }));
    EXPECT_EQ(bans.entries(), std::vector<Bytes>{ Bytes(kAddress) });
    // Neither reaches a client that is not logged in.
    room->kickClient(bob.index);
    room->banClient(7, 0);
    EXPECT_EQ(bans.entries().size(), 1u);
    expectQuiet();
}

TEST_F(RoomTest, ClientThatFallsBehindIsLetGo)
{
    openRoom();
    Player& ann = join("Ann");
    Player& deaf = join("Deaf");
    Player& bob = join("Bob");
    host.slow.insert(idOf(deaf));
    ann->sendLine(encode(wire::toServer::Chat{ "hello" }));
    const Bytes chat = encode(toClient::ChatLine{ ann.index, "hello" });
    expectAllGet(chat);
    // Let go as soon as the room runs its timers, not in the middle of the broadcast.
    EXPECT_TRUE(deaf->isConnected());
    EXPECT_EQ(room->nextDueMs(), clock.nowMs());
    advance(0);
    EXPECT_TRUE(deaf->closedByServer());
    EXPECT_LINE(ann, encode(toClient::PlayerLeft{ deaf.index }));
    EXPECT_LINE(bob, encode(toClient::PlayerLeft{ deaf.index }));
    EXPECT_EQ(host.events.back(), "left Deaf");
    expectQuiet();
}

TEST_F(RoomTest, ShutdownEndsTheGameAndReopeningBeginsAfresh)
{
    openRoom();
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");
    takeSlot(ann, 1);
    startGame(ann);
    callKickVote(bob, cy);
    room->kickClient(cy.index); // closing already: it keeps its earlier close

    room->shutdown();
    EXPECT_FALSE(room->isOpen());
    EXPECT_FALSE(room->GameRunning());
    EXPECT_FALSE(room->VoteRunning());
    EXPECT_EQ(room->PlayerSlot(1), -1);
    const Bytes shutdown = encode(toClient::ServerShutdown{});
    EXPECT_LINE(ann, shutdown);
    EXPECT_LINE(bob, shutdown);
    EXPECT_LINE(cy, encode(toClient::Kicked{}));
    EXPECT_LINE(cy, shutdown);
    EXPECT_FALSE(tryConnect("10.0.0.9")); // a closed room takes nobody
    advance(kTiming.kickWaitMs);
    EXPECT_TRUE(cy->closedByServer());
    EXPECT_TRUE(ann->isConnected());

    // Reopened at once, it starts afresh while the old connections wait for their close.
    const auto before = std::move(players);
    players.clear();
    room->open(6);
    Player& dee = join("Dee");
    EXPECT_EQ(dee.index, 1);
    Player& eve = join("Eve");
    callKickVote(dee, eve); // a vote can start again
    advance(kTiming.closeWaitMs);
    EXPECT_TRUE(ann->closedByServer());
    EXPECT_TRUE(bob->closedByServer());
    EXPECT_TRUE(dee->isConnected());
    expectQuiet(); // no leave notices: the old connections had no records any more
    EXPECT_EQ(host.events,
        (std::vector<std::string>{
            "joined Ann", "joined Bob", "joined Cy", "game started", "joined Dee", "joined Eve" }));
}

TEST_F(RoomTest, ShutdownClosesAfterTheCloseWait)
{
    openRoom();
    Player& ann = join("Ann");
    auto silent = connect();
    room->shutdown();
    EXPECT_LINE(ann, encode(toClient::ServerShutdown{}));
    expectQuiet(); // only the logged-in hear of it
    expectClosedAfter(*ann.peer, kTiming.closeWaitMs);
    EXPECT_TRUE(silent->closedByServer());
    EXPECT_EQ(host.events, std::vector<std::string>{ "joined Ann" });
    expectQuiet();
}
