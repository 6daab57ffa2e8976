// The server's connection layer over real loopback sockets: login, roster and welcome,
// rejections and their closes, the client limit, silent connections, start and stop.

#include "net/wire/toclient.h"
#include "net/wire/toserver.h"
#include "servertest.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

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

} // namespace

TEST_F(ServerTest, LoginSendsRosterAndWelcome)
{
    startServer();
    QSignalSpy joined(server.get(), &GameServer::userJoined);
    Player& ann = join("Ann", "red");
    Player& bob = join("Bob", "");
    EXPECT_EQ(ann.index, 1);
    EXPECT_EQ(bob.index, 2);
    takeSlot(ann, 2);

    auto cy = connectRaw();
    cy->sendLine(hello("\r", "Cy"));
    EXPECT_LINE(cy, encode(toClient::PlayerInfo{ 1, "Ann", "red" }));
    EXPECT_LINE(cy, encode(toClient::PlayerInfo{ 2, "Bob", "\r" })); // an empty team travels as a lone CR
    EXPECT_LINE(cy, encode(toClient::PlayerInfo{ 3, "Cy", "\r" }));
    EXPECT_LINE(cy, welcome(3, { -1, -1, 1, -1, -1, -1, -1 }));
    const Bytes notice = encode(toClient::PlayerJoined{ 3, "Cy", "\r" });
    EXPECT_LINE(ann, notice);
    EXPECT_LINE(bob, notice);
    EXPECT_EQ(joined.count(), 3);
    EXPECT_EQ(server->client(3).Name, "Cy");
    EXPECT_TRUE(server->client(3).Spectator);
    EXPECT_TRUE(server->client(3).Dead);

    // A second hello from a logged-in client changes nothing.
    cy->sendLine(hello("blue", "Zed"));
    expectQuiet();
    EXPECT_EQ(cy->nextLine(100), std::nullopt);
    EXPECT_EQ(server->client(3).Name, "Cy");
}

TEST_F(ServerTest, RejectionsAreAnsweredThenClosed)
{
    startServer();
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
            bans.add("127.0.0.1");
        auto dan = connectRaw();
        dan->sendLine(c.line);
        dan->sendLine(hello("\r", "Eve")); // lines after a rejection are not handled
        EXPECT_LINE(dan, c.answer);
        EXPECT_TRUE(dan->waitClosed());
        EXPECT_EQ(dan->nextLine(0), std::nullopt);
        bans = BanList{};
    }
    EXPECT_EQ(ann->nextLine(100), std::nullopt); // no join or leave notice for a client never logged in
}

TEST_F(ServerTest, RejectedClientIsClosedAfterTheFullWait)
{
    startServer("6", GameServer::Timing{});
    auto dan = connectRaw();
    dan->sendLine(hello("\r", "Dan", "1.0"));
    EXPECT_LINE(dan, encode(toClient::VersionRejected{}));
    QElapsedTimer waited;
    waited.start();
    EXPECT_TRUE(dan->waitClosed(3000));
    EXPECT_GE(waited.elapsed(), 900);
}

TEST_F(ServerTest, ClientLimitTurnsAwayAndFreedIndexesAreReused)
{
    startServer("3");
    Player& a = join("A");
    Player& b = join("B");
    Player& c = join("C");

    auto over = connectRaw();
    EXPECT_EQ(over->nextLine(100), std::nullopt); // answered only once it speaks
    over->sendLine(hello("\r", "Over"));
    EXPECT_LINE(over, encode(toClient::ServerFull{}));
    EXPECT_TRUE(over->waitClosed());

    a->sendLine(encode(wire::toServer::Quit{}));
    EXPECT_LINE(b, encode(toClient::PlayerLeft{ 1 }));
    EXPECT_LINE(c, encode(toClient::PlayerLeft{ 1 }));
    b->close();
    EXPECT_LINE(c, encode(toClient::PlayerLeft{ 2 }));

    // The lowest free index is taken; the roster lists the departed index with no name.
    auto dee = connectRaw();
    dee->sendLine(hello("\r", "Dee"));
    EXPECT_LINE(dee, encode(toClient::PlayerInfo{ 1, "Dee", "\r" }));
    EXPECT_LINE(dee, encode(toClient::PlayerInfo{ 2, "", "\r" }));
    EXPECT_LINE(dee, encode(toClient::PlayerInfo{ 3, "C", "\r" }));
    EXPECT_LINE(dee, welcome(1));
    EXPECT_LINE(c, encode(toClient::PlayerJoined{ 1, "Dee", "\r" }));
}

TEST_F(ServerTest, SilentConnectionsAreClosed)
{
    startServer("2");
    auto first = connectRaw();
    auto second = connectRaw();
    auto turnedAway = connectRaw();
    // Over the limit after 300 ms, without a hello after 400 ms.
    EXPECT_TRUE(turnedAway->waitClosed());
    EXPECT_TRUE(first->waitClosed());
    EXPECT_TRUE(second->waitClosed());
    EXPECT_EQ(turnedAway->nextLine(0), std::nullopt);

    Player& ann = join("Ann");
    EXPECT_EQ(ann.index, 1);
    QTest::qWait(500);
    EXPECT_TRUE(ann->isConnected()); // a logged-in client stays
}

TEST_F(ServerTest, StartChecksPortAndClientLimit)
{
    server = std::make_unique<GameServer>(options, bans, dialogs, clock, fastTiming());
    const Bytes portMessage = "You need to enter a number for the port!";
    const Bytes maxMessage = "You need to enter a number for the max number of clients!";
    struct Case {
        Bytes port;
        Bytes max;
        Bytes message;
    };
    const Case cases[] = {
        { "abc", "6", portMessage },
        { "", "6", portMessage },
        { "0", "6", portMessage },
        { "65536", "6", portMessage },
        { "65626", "6", portMessage }, // would wrap to 90 as a 16-bit port
        { "1.5", "6", portMessage },
        { "-1", "6", portMessage },
        { "4000", "x", maxMessage },
        { "4000", "", maxMessage },
        { "4000", "7", "You can't have more than 6 clients!" },
        { "4000", "6.5", "You can't have more than 6 clients!" },
        { "4000", "1", "The least number of clients you can have is 2!" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port + " / " + c.max);
        options.port = c.port;
        options.maxClients = c.max;
        dialogs.calls.clear();
        EXPECT_FALSE(server->StartServer());
        EXPECT_FALSE(server->isRunning());
        ASSERT_EQ(dialogs.calls.size(), 1u);
        EXPECT_EQ(dialogs.calls[0].text, c.message);
        EXPECT_EQ(dialogs.calls[0].title, "Error");
        EXPECT_EQ(dialogs.calls[0].icon, MessageIcon::Critical);
    }

    QTcpServer occupier;
    ASSERT_TRUE(occupier.listen(QHostAddress::Any, 0));
    options.port = std::to_string(occupier.serverPort());
    options.maxClients = "6";
    dialogs.calls.clear();
    EXPECT_FALSE(server->StartServer());
    EXPECT_EQ(dialogs.messages(),
        std::vector<Bytes>{ "Could Not Start Server!(Probably Due To IP Restrictions or "
                            "Another Server Running On That Port)" });
}

TEST_F(ServerTest, StopClosesEveryoneAndRestartBeginsAfresh)
{
    startServer();
    QSignalSpy running(server.get(), &GameServer::runningChanged);
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");
    takeSlot(ann, 1);
    startGame(ann);
    callKickVote(bob, cy);
    ASSERT_TRUE(server->GameRunning());
    ASSERT_TRUE(server->VoteRunning());

    server->StopServer();
    EXPECT_FALSE(server->isRunning());
    expectAllGet(encode(toClient::ServerShutdown{}));
    for (const auto& player : players)
        EXPECT_TRUE(player->wire->waitClosed());
    EXPECT_FALSE(server->GameRunning());
    EXPECT_FALSE(server->VoteRunning());

    players.clear();
    ASSERT_TRUE(server->StartServer());
    EXPECT_EQ(running.count(), 2);
    Player& dee = join("Dee");
    EXPECT_EQ(dee.index, 1);
    EXPECT_EQ(server->PlayerSlot(1), -1);
    // A vote can start again.
    Player& eve = join("Eve");
    callKickVote(dee, eve);
}

TEST_F(ServerTest, BannedClientIsClosedAndCannotComeBack)
{
    startServer();
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    server->banClient(bob.index, 20);
    EXPECT_LINE(bob, encode(toClient::Banned{}));
    EXPECT_TRUE(bob->waitClosed());
    EXPECT_LINE(ann, encode(toClient::PlayerLeft{ bob.index }));
    EXPECT_EQ(bans.entries(), std::vector<Bytes>{ "127.0.0.1" }); // the v4-mapped peer, dotted

    auto again = connectRaw();
    again->sendLine(hello("\r", "Bob"));
    EXPECT_LINE(again, encode(toClient::Banned{}));
    EXPECT_TRUE(again->waitClosed());
}
