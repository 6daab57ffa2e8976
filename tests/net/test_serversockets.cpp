// The server over real loopback sockets: login, rejections that close the socket, the client
// limit, connections that say nothing from several hosts, start and stop, and the ban by the
// address the socket reports. The clock is the fake one; the tests wait only for bytes and
// closes.

#include "net/wire/toclient.h"
#include "net/wire/toserver.h"
#include "servertest.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace kalvon;
using namespace kalvon::testing;
namespace toClient = kalvon::wire::toClient;

namespace {

Bytes hello(BytesView name, BytesView version = wire::kGameVersion)
{
    return encode(wire::toServer::Hello{ "\r", Bytes(name), Bytes(version) });
}

Bytes welcome(int index)
{
    return encode(toClient::Welcome{ index, { -1, -1, -1, -1, -1, -1, -1 }, false });
}

const ServerRoom::Timing kTiming;

} // namespace

TEST_F(ServerTest, LoginOverSocketsSendsRosterAndWelcome)
{
    startServer();
    QSignalSpy joined(server.get(), &GameServer::userJoined);
    QSignalSpy left(server.get(), &GameServer::userLeft);
    Player& ann = join("Ann", "red");
    auto bob = connectRaw();
    bob->sendLine(hello("Bob"));
    EXPECT_LINE(bob, encode(toClient::PlayerInfo{ 1, "Ann", "red" }));
    EXPECT_LINE(bob, encode(toClient::PlayerInfo{ 2, "Bob", "\r" }));
    EXPECT_LINE(bob, welcome(2));
    EXPECT_LINE(ann, encode(toClient::PlayerJoined{ 2, "Bob", "\r" }));
    EXPECT_EQ(server->room().clientAddress(2), "127.0.0.1"); // the v4-mapped peer, dotted

    bob->close();
    EXPECT_LINE(ann, encode(toClient::PlayerLeft{ 2 }));
    EXPECT_EQ(joined.count(), 2);
    ASSERT_EQ(left.count(), 1);
    EXPECT_EQ(left.at(0).at(0).value<Bytes>(), "Bob");
}

TEST_F(ServerTest, RejectionIsAnsweredThenTheSocketIsClosed)
{
    startServer();
    auto dan = connectRaw();
    dan->sendLine(hello("Dan", "1.8"));
    dan->sendLine(hello("Dan")); // not handled after the rejection
    EXPECT_LINE(dan, encode(toClient::VersionRejected{}));
    advance(kTiming.closeWaitMs);
    EXPECT_TRUE(dan->waitClosed());
    EXPECT_EQ(dan->pending(), 0u);
}

TEST_F(ServerTest, ClientLimitAnswersServerFullAndFreedIndexesAreReused)
{
    startServer("2");
    Player& a = join("A");
    Player& b = join("B");
    auto over = connectRaw();
    over->sendLine(hello("Over"));
    EXPECT_LINE(over, encode(toClient::ServerFull{}));
    advance(kTiming.closeWaitMs);
    EXPECT_TRUE(over->waitClosed());

    a->sendLine(encode(wire::toServer::Quit{}));
    EXPECT_LINE(b, encode(toClient::PlayerLeft{ 1 }));
    Player& cy = join("Cy");
    EXPECT_EQ(cy.index, 1);
}

TEST_F(ServerTest, SilentConnectionsCannotLockTheServer)
{
    startServer();
    // Six connections that never say hello, three from each of two hosts, take every place;
    // a fourth from the first host is refused at once.
    std::vector<std::unique_ptr<WireClient>> silent;
    for (const char* host : { "127.0.0.2", "127.0.0.3" }) {
        for (int i = 0; i < ServerRoom::kMaxWaitingPerAddress; ++i)
            silent.push_back(connectRaw(host));
    }
    auto refused = connectRaw("127.0.0.2");
    EXPECT_TRUE(refused->waitClosed());
    EXPECT_EQ(refused->pending(), 0u);

    // Within the grace they hold their places: a newcomer is told the server is full.
    auto early = connectRaw("127.0.0.4");
    early->sendLine(hello("Early"));
    EXPECT_LINE(early, encode(toClient::ServerFull{}));

    // After it, a newcomer who says hello is served while they wait.
    advance(kTiming.loginGraceMs);
    EXPECT_TRUE(early->waitClosed());
    Player& ann = join("Ann");
    EXPECT_EQ(ann.index, 1);

    // At the login time-out the silent ones are closed; Ann stays.
    advance(kTiming.loginTimeoutMs - kTiming.loginGraceMs);
    for (const auto& connection : silent) {
        EXPECT_TRUE(connection->waitClosed());
        EXPECT_EQ(connection->pending(), 0u);
    }
    expectNothingBefore(ann);
    EXPECT_TRUE(ann->isConnected());
}

TEST_F(ServerTest, StartChecksPortAndClientLimit)
{
    server = std::make_unique<GameServer>(options, bans, dialogs, clock);
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

TEST_F(ServerTest, StopClosesEveryoneAfterTheWaitAndRestartBeginsAfresh)
{
    startServer();
    QSignalSpy running(server.get(), &GameServer::runningChanged);
    join("Ann");
    join("Bob");
    auto silent = connectRaw();

    server->StopServer();
    EXPECT_FALSE(server->isRunning());
    expectAllGet(encode(toClient::ServerShutdown{}));
    advance(kTiming.closeWaitMs);
    for (const auto& player : players)
        EXPECT_TRUE(static_cast<WireClient&>(*player->peer).waitClosed());
    EXPECT_TRUE(silent->waitClosed());
    EXPECT_EQ(silent->pending(), 0u);

    players.clear();
    ASSERT_TRUE(server->StartServer());
    EXPECT_EQ(running.count(), 2);
    Player& dee = join("Dee");
    EXPECT_EQ(dee.index, 1);
}

TEST_F(ServerTest, BannedClientIsClosedAndCannotComeBack)
{
    startServer();
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    server->room().banClient(bob.index, 20);
    EXPECT_LINE(bob, encode(toClient::Banned{}));
    advance(20);
    EXPECT_TRUE(static_cast<WireClient&>(*bob.peer).waitClosed());
    EXPECT_LINE(ann, encode(toClient::PlayerLeft{ bob.index }));
    EXPECT_EQ(bans.entries(), std::vector<Bytes>{ "127.0.0.1" }); // the v4-mapped peer, dotted

    auto again = connectRaw();
    again->sendLine(hello("Bob"));
    EXPECT_LINE(again, encode(toClient::Banned{}));
    advance(kTiming.closeWaitMs);
    EXPECT_TRUE(again->waitClosed());
}

// A client whose receive buffer is tiny and who reads nothing for a while: the kernel takes
// only part of what the server sends it, the rest (lines cut anywhere, even inside their CR LF)
// waits in the server's queue and the lines after it queue behind. Once it reads, every line
// must arrive whole and in order.
TEST_F(ServerTest, ALateReaderGetsEveryLineWholeAndInOrder)
{
    startServer();
    Player& ann = join("Ann");
    const int late = ::socket(AF_INET, SOCK_STREAM, 0);
    const int small = 4096;
    ::setsockopt(late, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::connect(late, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const Bytes helloLine = wire::framed(hello("Late"));
    ASSERT_EQ(::send(late, helloLine.data(), helloLine.size(), 0), static_cast<ssize_t>(helloLine.size()));
    EXPECT_LINE(ann, encode(toClient::PlayerJoined{ 2, "Late", "\r" }));
    // The server's end of the connection gets a small send buffer too, so the kernel cannot
    // take everything at once.
    sockaddr_in local{};
    socklen_t localSize = sizeof local;
    ::getsockname(late, reinterpret_cast<sockaddr*>(&local), &localSize);
    QTcpSocket* serverEnd = nullptr;
    for (QTcpSocket* socket : server->findChildren<QTcpSocket*>()) {
        if (socket->peerPort() == ntohs(local.sin_port))
            serverEnd = socket;
    }
    ASSERT_NE(serverEnd, nullptr);
    serverEnd->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, small);

    // Lines of many lengths, so the kernel's cuts fall at many places.
    std::vector<Bytes> expected;
    for (int i = 0; i < 120; ++i) {
        const Bytes text = std::to_string(i)
            + Bytes(static_cast<std::size_t>(9000 + 37 * i), static_cast<char>('a' + i % 26));
        ann->sendLine(encode(wire::toServer::Private{ "late", text }));
        expected.push_back(encode(toClient::PrivateLine{ 1, text }));
    }
    ann->sendLine(encode(wire::toServer::RequestIndex{}));
    EXPECT_LINE(ann, encode(toClient::YourIndex{ 1 }));
    EXPECT_TRUE(server->room().client(2).Connected);

    wire::LineSplitter splitter;
    std::vector<Bytes> privates;
    const char privateCode = expected.front().front();
    const bool allArrived = QTest::qWaitFor(
        [&] {
            char buffer[65536];
            for (ssize_t n; (n = ::recv(late, buffer, sizeof buffer, MSG_DONTWAIT)) > 0;) {
                for (Bytes& line : splitter.feed(BytesView(buffer, static_cast<std::size_t>(n)))) {
                    if (line.front() == privateCode)
                        privates.push_back(std::move(line));
                }
            }
            return privates.size() >= expected.size();
        },
        kEventWaitMs);
    ::close(late);
    EXPECT_TRUE(allArrived);
    ASSERT_EQ(privates.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(privates[i], expected[i]) << "line " << i;
}
