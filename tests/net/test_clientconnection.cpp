// The client's connection: the connect form, the hello bytes, index requests per received
// line, lines split across arrivals, refused and silent servers, the server's last words
// before it closes, and the reset to "not connected".

#include "clienttest.h"

#include <QTcpServer>
#include <QTest>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace kalvon;
using namespace kalvon::testing;
namespace toClient = kalvon::wire::toClient;
namespace toServer = kalvon::wire::toServer;

namespace {

// A listener whose backlog is full, so a further connect is never answered.
class StalledListener {
public:
    StalledListener()
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(m_fd, 0);
        socklen_t length = sizeof address;
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        for (auto& filler : m_fillers) {
            filler = std::make_unique<QTcpSocket>();
            filler->connectToHost(QHostAddress::LocalHost, m_port);
        }
        // The one connection the queue takes fills it; the others wait for ever.
        (void)QTest::qWaitFor(
            [this] {
                return std::any_of(m_fillers.begin(), m_fillers.end(),
                    [](const auto& filler) { return filler->state() == QAbstractSocket::ConnectedState; });
            },
            kEventWaitMs);
    }
    ~StalledListener() { ::close(m_fd); }
    Bytes address() const { return "127.0.0.1:" + std::to_string(m_port); }

private:
    int m_fd = -1;
    quint16 m_port = 0;
    std::array<std::unique_ptr<QTcpSocket>, 3> m_fillers;
};

} // namespace

TEST_F(ClientTest, ConnectFormIsCheckedBeforeAnythingHappens)
{
    struct Case {
        const char* name;
        const char* address;
        const char* error;
    };
    for (const Case& c : { Case{ "a,b", "", "Names cannot contain tabs, commas, or semicolons!" },
             Case{ "a;b", "host", "Names cannot contain tabs, commas, or semicolons!" },
             Case{ "a\tb", "host", "Names cannot contain tabs, commas, or semicolons!" },
             Case{ "", "host", "You have to enter a name!" },
             Case{ "Ann", "", "You have to enter a IP Address!" } }) {
        SCOPED_TRACE(c.name);
        view.errors.clear();
        client.connectButtonClicked(c.name, "", c.address);
        EXPECT_EQ(view.errors, std::vector<Bytes>{ c.error });
        EXPECT_EQ(view.caption(ClientControl::ConnectButton), "<unset>");
        EXPECT_TRUE(view.connectButtonIdle);
    }
}

TEST_F(ClientTest, BadAddressLeavesTheButtonToDisconnect)
{
    for (const char* address : { "host:abc", "myhost:", "myhost:70000", "myhost:0", ":90" }) {
        SCOPED_TRACE(address);
        view.clear();
        client.connectButtonClicked("Ann", "", address);
        EXPECT_EQ(view.errors, std::vector<Bytes>{ "Error connecting to server at IP: " + Bytes(address) });
        EXPECT_EQ(view.caption(ClientControl::ConnectButton), "Disconnect");
        EXPECT_FALSE(view.isEnabled(ClientControl::NameBox, true));
        EXPECT_FALSE(view.connectButtonIdle);

        // The next press is the disconnect: the form is usable again.
        client.connectButtonClicked("Ann", "", address);
        EXPECT_EQ(view.caption(ClientControl::ConnectButton), "Connect");
        EXPECT_TRUE(view.isEnabled(ClientControl::NameBox));
        EXPECT_TRUE(view.isEnabled(ClientControl::AddressBox));
        EXPECT_TRUE(view.connectButtonIdle);
        EXPECT_EQ(view.chatLines(), std::vector<Bytes>{ "*** Disconnected from server." });
    }
}

TEST_F(ClientTest, HelloCarriesTeamNameAndVersion)
{
    struct Case {
        const char* teamName; // the team in use ([Network] team)
        const char* name;
        toServer::Hello hello;
    };
    for (const Case& c : { Case{ "\r", "Ann", { "\r", "Ann" } }, Case{ "red", "Ann", { "red", "Ann" } },
             // Typed text never brings a line break or a TAB into the payload.
             Case{ "re\td\r\n", "An\r\nn", { "red", "Ann" } } }) {
        SCOPED_TRACE(c.teamName);
        client.setTeamName(c.teamName);
        client.connectButtonClicked(c.name, "", server.address());
        ASSERT_TRUE(server.accept());
        EXPECT_LINE(&server, encode(c.hello));
        EXPECT_TRUE(client.Connected());
        client.disconnectFromServer();
        EXPECT_LINE(&server, encode(toServer::Quit{}));
        ASSERT_TRUE(server.waitClosed());
    }
}

TEST_F(ClientTest, AsksForItsIndexOncePerLineUntilItKnowsIt)
{
    // A welcome ends each step: the client asks for the settings once it has handled it, so
    // the lines before that request are all the client sent for the step.
    const Bytes indexRequest = encode(toServer::RequestIndex{});
    const Bytes settingsRequest = encode(toServer::RequestSettings{});
    const auto requests = [&](std::size_t indexRequests) {
        std::vector<Bytes> lines(indexRequests, indexRequest);
        lines.push_back(settingsRequest);
        return lines;
    };
    connect();
    // Three lines in one arrival, then a line split over three arrivals (CR and LF apart), then
    // the index reply: each is asked for on arrival.
    server.send(wire::framed(rosterRecord(2, "Bob")) + wire::framed(rosterRecord(3, "Cy"))
        + wire::framed(encode(toClient::ChatLine{ 2, "hi" })));
    const Bytes there = wire::framed(encode(toClient::ChatLine{ 2, "there" }));
    server.send(there.substr(0, 3));
    server.send(there.substr(3, there.size() - 4));
    server.send(there.substr(there.size() - 1));
    server.sendLine(encode(toClient::YourIndex{ 4 }));
    ASSERT_TRUE(QTest::qWaitFor([this] { return client.MyIndex() == 4; }, kEventWaitMs));
    EXPECT_EQ(view.chatLines(), (std::vector<Bytes>{ "<Bob> hi", "<Bob> there" }));
    // Once it knows its index it asks no more.
    server.sendLines({ encode(toClient::ChatLine{ 2, "again" }), welcomeLine(4) });
    EXPECT_EQ(server.linesUntil(settingsRequest), requests(5));

    // An index reply naming no player is asked again.
    client.disconnectFromServer();
    connect();
    EXPECT_EQ(client.MyIndex(), 0);
    server.sendLines({ encode(toClient::YourIndex{ 0 }), welcomeLine(1) });
    EXPECT_EQ(server.linesUntil(settingsRequest), requests(3));
}

TEST_F(ClientTest, RefusedConnectionShowsItsTextAndResetsTheForm)
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const Bytes address = "127.0.0.1:" + std::to_string(probe.serverPort());
    probe.close();

    client.connectButtonClicked("Ann", "", address);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !view.errors.empty(); }, kEventWaitMs));
    settle();
    EXPECT_EQ(view.errors, std::vector<Bytes>{ "Connection Refused! (No Kalvon Server Running)" });
    EXPECT_EQ(view.caption(ClientControl::ConnectButton), "Connect");
    EXPECT_TRUE(view.isEnabled(ClientControl::NameBox));
    EXPECT_TRUE(view.connectButtonIdle);
    EXPECT_FALSE(client.Connected());
}

TEST_F(ClientTest, SilentServerTimesOut)
{
    StalledListener silent;
    InternetClient::Timing timing;
    timing.connectTimeoutMs = 200;
    RecordingClientView otherView;
    InternetClient impatient(otherView, rig.engine, clock, timing);

    impatient.connectButtonClicked("Ann", "", silent.address());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !otherView.errors.empty(); }, kEventWaitMs));
    EXPECT_EQ(otherView.errors, std::vector<Bytes>{ "Connection to server timed out!" });
    EXPECT_EQ(otherView.caption(ClientControl::ConnectButton), "Connect");
    EXPECT_TRUE(otherView.connectButtonIdle);
}

TEST_F(ClientTest, RejectionBeforeTheServerClosesIsShownAfterTheDisconnect)
{
    connect();
    server.sendLine(encode(toClient::NameInUse{}));
    server.close();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !view.errors.empty(); }, kEventWaitMs));
    settle();
    EXPECT_EQ(view.errors, std::vector<Bytes>{ "That name is already in use!" });
    // One disconnect line: the close that follows the rejection is not a second one.
    EXPECT_EQ(view.chatLines(), std::vector<Bytes>{ "*** Disconnected from server." });
    EXPECT_EQ(view.caption(ClientControl::ConnectButton), "Connect");
}

TEST_F(ClientTest, EveryRejectionDisconnectsFirst)
{
    struct Case {
        Bytes line;
        const char* text;
    };
    for (const Case& c : { Case{ encode(toClient::NameInUse{}), "That name is already in use!" },
             Case{ encode(toClient::Banned{}), "You are banned from this server!" },
             Case{ encode(toClient::InvalidProtocol{}), "Invalid Protocol!" },
             Case{ encode(toClient::ServerFull{}), "The server is full!" },
             Case{ encode(toClient::ServerShutdown{}), "Server has shut down!" },
             Case{ encode(toClient::Kicked{}), "You have been kicked from the server!" },
             Case{ encode(toClient::VersionRejected{}), "Server version is higher than client." } }) {
        SCOPED_TRACE(c.text);
        view.clear();
        join(1);
        server.sendLine(c.line);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view.errors.empty(); }, kEventWaitMs));
        ASSERT_FALSE(view.calls.empty());
        EXPECT_EQ(view.calls.front(), "connectButtonIdle on");
        EXPECT_EQ(view.calls.back(), "showError " + std::string(c.text));
        EXPECT_EQ(view.errors.size(), 1u);
        EXPECT_FALSE(client.Connected());
        EXPECT_TRUE(server.waitClosed());
    }
}

TEST_F(ClientTest, DisconnectResetsTheLobbyOnce)
{
    join(2, { 1, 0, 0, 0, 0, 0 }, false, { rosterRecord(1, "Bob") });
    deliver({ encode(toClient::SpotChanged{ 2, 2 }) });
    startGame();
    ASSERT_TRUE(state().GameActive);
    view.clear();
    rig.host.clear();

    client.disconnectFromServer();
    EXPECT_LINE(&server, encode(toServer::Quit{}));
    ASSERT_TRUE(server.waitClosed());
    settle();

    EXPECT_EQ(view.chatLines(), std::vector<Bytes>{ "*** Disconnected from server." });
    EXPECT_EQ(view.spotLabels,
        (std::map<int, Bytes>{ { 0, "1. (Not Playing)" }, { 1, "2. (Not Playing)" },
            { 2, "3. (Not Playing)" }, { 3, "4. (Not Playing)" }, { 4, "5. (Not Playing)" },
            { 5, "6. (Not Playing)" } }));
    EXPECT_EQ(view.spectatorList, std::vector<Bytes>{});
    EXPECT_EQ(view.playerList[0], "1. (Not Playing)");
    for (int board = 1; board <= kInternetFields; ++board)
        EXPECT_EQ(view.count("StartLostFieldAnimation " + std::to_string(board)), 1) << board;
    EXPECT_EQ(client.roster().HighestPlayerIndex(), 0);
    EXPECT_FALSE(state().GameActive);
    EXPECT_FALSE(state().GameStarted);
    EXPECT_EQ(rig.host.count("GameTimer off"), 1);
    EXPECT_EQ(view.count("StopMusic"), 1);
    EXPECT_EQ(view.caption(ClientControl::StartGame), "Start Game");
    for (ClientControl control :
        { ClientControl::JoinGame, ClientControl::Spectate, ClientControl::TeamButton,
            ClientControl::StartGame, ClientControl::PauseGame, ClientControl::MenuSpec })
        EXPECT_FALSE(view.isEnabled(control, true)) << static_cast<int>(control);
    EXPECT_TRUE(view.connectButtonIdle);
}

TEST_F(ClientTest, HostingCopyKeepsItsGameButtonsOnDisconnect)
{
    rig.host.hostingServer = true;
    join(1, { 1, 0, 0, 0, 0, 0 });
    startGame();
    view.enabled.clear();
    client.disconnectFromServer();
    EXPECT_EQ(view.caption(ClientControl::StartGame), "Stop Game");
    EXPECT_FALSE(view.enabled.contains(ClientControl::StartGame));
    EXPECT_FALSE(view.enabled.contains(ClientControl::PauseGame));
    EXPECT_TRUE(state().GameStarted);
}
