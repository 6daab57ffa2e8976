// A hostile or broken peer cannot disturb the server: after each attack the well-behaved
// clients are still served correctly. Most attacks come over real sockets; a line split into
// single bytes and a flood of votes are fed to the room directly, so each byte is an arrival of
// its own. Ends with a whole game played over real sockets.

#include "net/wire/line.h"
#include "net/wire/linesplitter.h"
#include "net/wire/toclient.h"
#include "net/wire/toserver.h"
#include "roomtest.h"
#include "servertest.h"

#include <QTcpSocket>
#include <QTest>
#include <memory>

using namespace kalvon;
using namespace kalvon::testing;
namespace toClient = kalvon::wire::toClient;
namespace toServer = kalvon::wire::toServer;

namespace {

// A crowd of connections settles in far less; this only bounds a failing test.
constexpr int kCrowdWaitMs = 60000;

class HostilePeer : public ServerTest {
protected:
    // Ann holds slot 1 and Bob slot 2; a game runs.
    void SetUp() override
    {
        startServer();
        Player& ann = join("Ann");
        Player& bob = join("Bob");
        takeSlot(ann, 1);
        takeSlot(bob, 2);
        startGame(ann);
    }

    // Chat and a field change still travel between Ann and Bob, and the game still runs; no
    // player still connected has received anything else meanwhile.
    void expectStillServed()
    {
        Player& ann = *players[0];
        Player& bob = *players[1];
        bob->sendLine(encode(toServer::Chat{ "still there?" }));
        const Bytes chat = encode(toClient::ChatLine{ bob.index, "still there?" });
        for (Player* player : stillConnected())
            EXPECT_LINE(*player, chat);
        const std::vector<wire::CellChange> change = { { 1, 20, 2 } };
        ann->sendLine(encode(toServer::FieldUpdate{ change }));
        for (Player* player : stillConnected()) {
            if (player != &ann)
                EXPECT_LINE(*player, encode(toClient::FieldRelay{ ann.index, change }));
        }
        EXPECT_TRUE(server->room().GameRunning());
        EXPECT_EQ(server->room().PlayerSlot(1), ann.index);
        EXPECT_EQ(server->room().PlayerSlot(2), bob.index);
    }

    std::vector<Player*> stillConnected() const
    {
        std::vector<Player*> connected;
        for (const auto& player : players) {
            if (!player->peer->closedByServer())
                connected.push_back(player.get());
        }
        return connected;
    }
};

Bytes manyLines(std::initializer_list<Bytes> lines)
{
    Bytes out;
    for (const Bytes& line : lines)
        out += wire::framed(line);
    return out;
}

// Whether the bytes hold a whole line that decodes to a message of type M.
template <class M> bool holdsLineOf(const QByteArray& received)
{
    wire::LineSplitter splitter;
    for (const Bytes& line :
        splitter.feed(BytesView(received.constData(), static_cast<std::size_t>(received.size())))) {
        const auto message = toClient::decode(line);
        if (message && std::holds_alternative<M>(*message))
            return true;
    }
    return false;
}

// Whether the next line a player receives is a message of type M.
template <class M> bool nextLineIs(ServerPeer& client)
{
    const auto message = toClient::decode(client.nextLine().value_or(""));
    return message && std::holds_alternative<M>(*message);
}

} // namespace

TEST_F(HostilePeer, MessagesBeforeLoginAreIgnored)
{
    auto mal = connectRaw();
    mal->send(manyLines({ encode(toServer::Chat{ "hi" }), encode(toServer::StartGame{}),
        encode(toServer::StopGame{}), encode(toServer::PauseGame{}), encode(toServer::PlayerLost{}),
        encode(toServer::TakeSpot{ 3 }), encode(toServer::CallKickVote{ 1 }), encode(toServer::VoteYes{}),
        encode(toServer::Quit{}), encode(toServer::RequestIndex{}), encode(toServer::RequestSettings{}),
        encode(toServer::FieldUpdate{}), encode(toServer::Special{ SpecialType::AddLine, 1 }),
        encode(toServer::Private{ "ann", "psst" }), encode(toServer::SetTeam{ "red" }) }));
    expectStillServed();
    // Its first line is the roster that answers its hello: nothing before, broadcasts included,
    // reached a connection that was not logged in.
    mal->sendLine(encode(toServer::Hello{ "\r", "Mal" }));
    EXPECT_LINE(mal, encode(toClient::PlayerInfo{ 1, "Ann", "\r" }));
    // The others' next line is its arrival: its earlier lines reached nobody.
    expectAllGet(encode(toClient::PlayerJoined{ 3, "Mal", "\r" }));
    EXPECT_FALSE(server->room().VoteRunning());
    EXPECT_EQ(server->room().PlayerSlot(3), -1);
    EXPECT_TRUE(server->room().GameRunning());
}

TEST_F(HostilePeer, BadBytesAndBadIndexesAreDropped)
{
    Player& mal = join("Mal");
    const Bytes overlong(70 * 1024, 'x');
    const char addLine = wire::specialCode(SpecialType::AddLine);
    const char switchBlocks = wire::specialCode(SpecialType::SwitchBlocks);
    struct Case {
        const char* name;
        Bytes bytes;
    };
    const Case cases[] = {
        { "garbage", Bytes("\x00\xff\xfe\x01 garbage\r\n\r\n\r\n\n\r;;;\r\n", 22) },
        { "overlong line", manyLines({ encode(toServer::Chat{ overlong }) }) },
        { "overlong line without end", Bytes(80 * 1024, 'y') },
        { "end of the overlong line", "tail\r\n" },
        { "slot out of range",
            manyLines({ encode(toServer::TakeSpot{ 105 }), encode(toServer::TakeSpot{ -1 }),
                encode(toServer::TakeSpot{ 7 }), Bytes(1, toServer::MsgTakeSpot),
                msg(toServer::MsgTakeSpot, "") }) },
        { "vote calls",
            manyLines({ encode(toServer::CallKickVote{ 105 }), encode(toServer::CallKickVote{ 0 }),
                encode(toServer::CallRuleVote{ 4, 1 }), Bytes(1, toServer::MsgCallVote),
                msg(toServer::MsgCallVote, "") }) },
        { "short specials",
            manyLines({ Bytes(1, addLine), msg(addLine, ""), msg(switchBlocks, ""),
                msg(switchBlocks, pc(1) + pc(2)), Bytes(1, toServer::MsgLinesToAll) }) },
        { "bad field changes",
            manyLines({ encode(toServer::FieldUpdate{ { { 12, 0, 0 } } }),
                msg(toServer::MsgFieldUpdate, Bytes(1, wire::CoordChar(0))),
                msg(toServer::MsgFieldUpdate, "") }) },
        { "level and private",
            manyLines({ Bytes(1, toServer::MsgCommonLevel), msg(toServer::MsgCommonLevel, pc(1) + pc(2)),
                msg(toServer::MsgPrivate, "ann") }) },
        { "codes of outside servers",
            manyLines({ encode(toServer::BanRequest{ "ann" }), encode(toServer::KickRequest{ "ann" }),
                encode(toServer::MovePlayer{ 1, "ann" }), encode(toServer::ListRooms{}),
                encode(toServer::RequestField{ 1 }), encode(toServer::AdminLogin{ "secret" }) }) },
        { "votes without a vote",
            manyLines({ encode(toServer::VoteYes{}), encode(toServer::VoteYes{}), encode(toServer::VoteNo{}),
                encode(toServer::VoteYes{}) }) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mal->send(c.bytes);
        // A line cut off is ended by the next case, whose sentinel covers both.
        if (c.bytes.ends_with("\r\n"))
            expectNothingBefore(mal);
    }
    EXPECT_TRUE(mal->isConnected());
    EXPECT_FALSE(server->room().VoteRunning());
    expectStillServed();
}

TEST_F(RoomTest, SplitLinesArriveWhole)
{
    openRoom();
    join("Ann");
    Player& mal = join("Mal");
    // Each byte is an arrival of its own; the CR and the LF too.
    const Bytes line = wire::framed(encode(toServer::Chat{ "one byte at a time" }));
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        mal->send(line.substr(i, 1));
        expectQuiet();
    }
    mal->send(line.substr(line.size() - 1));
    expectAllGet(encode(toClient::ChatLine{ mal.index, "one byte at a time" }));
    expectQuiet();
}

TEST_F(HostilePeer, VoteSpamCountsOnce)
{
    Player& ann = *players[0];
    Player& mal = join("Mal");
    Player& cy = join("Cy");
    mal->sendLine(encode(toServer::CallKickVote{ 2 }));
    for (int i = 0; i < 40; ++i)
        mal->sendLine(encode(toServer::VoteYes{}));
    // One vote counted (1 of 4 sockets): the tally, then "already voted" for every repeat.
    for (Player* voter : { &ann, &mal, &cy }) {
        EXPECT_LINE(*voter, encode(toClient::KickVoteStarted{ 3, 2 }));
        EXPECT_LINE(*voter, encode(toClient::VoteTally{ 1, 0 }));
    }
    for (int i = 0; i < 39; ++i)
        EXPECT_LINE(mal, encode(toClient::AlreadyVoted{}));
    EXPECT_TRUE(server->room().VoteRunning());
    // Ann and Cy vote no: all voted, 1 against 2, Bob stays.
    ann->sendLine(encode(toServer::VoteNo{}));
    for (Player* voter : { &ann, &mal, &cy })
        EXPECT_LINE(*voter, encode(toClient::VoteTally{ 1, 1 }));
    cy->sendLine(encode(toServer::VoteNo{}));
    for (Player* voter : { &ann, &mal, &cy })
        EXPECT_LINE(*voter, encode(toClient::VoteResult{ 1, 2 }));
    EXPECT_FALSE(server->room().VoteRunning());
    EXPECT_TRUE(players[1]->peer->isConnected());
    expectStillServed();
}

TEST_F(HostilePeer, TwoHundredConnectionsAtOnce)
{
    // Ann and Bob hold two of six places; 200 connections from as many hosts arrive together,
    // each saying hello as soon as it is connected. The first four to connect find a place and
    // keep it through the grace (which does not pass on the fake clock).
    struct Member {
        QTcpSocket socket;
        QByteArray received;
    };
    std::vector<std::unique_ptr<Member>> crowd;
    for (int i = 0; i < 200; ++i) {
        auto member = std::make_unique<Member>();
        Member* m = member.get();
        const Bytes hello = wire::framed(encode(toServer::Hello{ "\r", "crowd" + std::to_string(i) }));
        QObject::connect(&m->socket, &QTcpSocket::connected,
            [m, hello] { m->socket.write(hello.data(), static_cast<qint64>(hello.size())); });
        QObject::connect(&m->socket, &QTcpSocket::readyRead, [m] { m->received += m->socket.readAll(); });
        m->socket.bind(QHostAddress(QStringLiteral("127.0.1.%1").arg(i + 1)));
        m->socket.connectToHost(QHostAddress::LocalHost, port);
        crowd.push_back(std::move(member));
    }
    const Bytes serverFull = wire::framed(encode(toClient::ServerFull{}));
    int welcomed = 0;
    int turnedAway = 0;
    const auto count = [&] {
        welcomed = 0;
        turnedAway = 0;
        for (const auto& m : crowd) {
            welcomed += holdsLineOf<toClient::Welcome>(m->received);
            turnedAway += m->received.toStdString() == serverFull;
        }
        return welcomed + turnedAway == 200;
    };
    EXPECT_TRUE(QTest::qWaitFor(count, kCrowdWaitMs));
    EXPECT_EQ(welcomed, 4);
    EXPECT_EQ(turnedAway, 196);
    // The turned-away ones are closed after the close wait.
    advance(ServerRoom::Timing{}.closeWaitMs);
    const auto closed = [&] {
        return std::count_if(crowd.begin(), crowd.end(), [](const auto& m) {
            return m->socket.state() == QAbstractSocket::UnconnectedState;
        }) == 196;
    };
    EXPECT_TRUE(QTest::qWaitFor(closed, kCrowdWaitMs));
    count();
    EXPECT_EQ(turnedAway, 196); // nothing more came before the close

    for (int player = 0; player < 2; ++player) {
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(nextLineIs<toClient::PlayerJoined>(*players[player]->peer));
    }
    crowd.clear();
    for (int player = 0; player < 2; ++player) {
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(nextLineIs<toClient::PlayerLeft>(*players[player]->peer));
    }
    expectStillServed();
    Player& dee = join("Dee");
    EXPECT_EQ(dee.index, 3);
}

TEST_F(ServerTest, WholeGameOverRealSockets)
{
    startServer("6");
    options.rules.specials = 1;
    options.rules.startheight[2] = 3;
    Player& ann = join("Ann");
    Player& bob = join("Bob", "blue");
    Player& cy = join("Cy");

    cy->sendLine(encode(toServer::RequestSettings{}));
    EXPECT_LINE(cy, encode(toClient::GameSettings{ options.rules }));
    takeSlot(ann, 1);
    takeSlot(bob, 2);
    startGame(ann);

    // Bob's three start rows, Ann's first piece, a special from Ann on Bob and lines to all.
    std::vector<wire::CellChange> rows;
    for (int y = 19; y <= 21; ++y) {
        for (int x = 0; x < 11; ++x)
            rows.push_back({ x, y, 4 });
    }
    const Bytes bobDiff = wire::encodeFieldDiff(rows);
    ASSERT_EQ(bobDiff.size(), 99u);
    bob->sendLine(encode(toServer::FieldUpdate{ rows }));
    EXPECT_LINE(ann, encode(toClient::FieldRelay{ 2, rows }));
    EXPECT_LINE(cy, encode(toClient::FieldRelay{ 2, rows }));
    ann->sendLine(encode(toServer::Special{ SpecialType::AddLine, bob.index }));
    EXPECT_LINE(bob, encode(toClient::SpecialRelay{ SpecialType::AddLine, 1, 2 }));
    EXPECT_LINE(cy, encode(toClient::SpecialRelay{ SpecialType::AddLine, 1, 2 }));
    ann->sendLine(encode(toServer::LinesToAll{ 2 }));
    EXPECT_LINE(bob, encode(toClient::LinesRelay{ 1, 2 }));
    EXPECT_LINE(cy, encode(toClient::LinesRelay{ 1, 2 }));

    // A late spectator sees both fields as the server knows them.
    Player& dee = join("Dee");
    wire::FieldCells bobField;
    wire::applyChanges(bobField, rows);
    EXPECT_EQ(dee.fullFields,
        (std::vector<Bytes>{ encode(toClient::FullField{ 1, wire::FieldCells{} }),
            encode(toClient::FullField{ 2, bobField }) }));

    ann->sendLine(encode(toServer::PauseGame{}));
    expectAllGet(encode(toClient::GamePaused{}));
    ann->sendLine(encode(toServer::ResumeGame{}));
    expectAllGet(encode(toClient::GameResumed{}));
    bob->sendLine(encode(toServer::PlayerLost{}));
    EXPECT_LINE(bob, encode(toClient::LostAck{}));
    expectAllGet(encode(toClient::GameOver{ { 1 } }));
    EXPECT_FALSE(server->room().GameRunning());

    ann->sendLine(encode(toServer::Quit{}));
    for (Player* stayer : { &bob, &cy, &dee })
        EXPECT_LINE(*stayer, encode(toClient::PlayerLeft{ 1 }));
    EXPECT_EQ(server->room().PlayerSlot(1), -1);
}

TEST_F(HostilePeer, ClientThatStopsReadingIsLetGo)
{
    Player& ann = *players[0];
    Player& bob = *players[1];
    QTcpSocket deaf;
    deaf.setReadBufferSize(1);
    deaf.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return deaf.state() == QAbstractSocket::ConnectedState; }, kEventWaitMs));
    const Bytes hello = wire::framed(encode(toServer::Hello{ "\r", "Deaf" }));
    deaf.write(hello.data(), static_cast<qint64>(hello.size()));
    EXPECT_LINE(ann, encode(toClient::PlayerJoined{ 3, "Deaf", "\r" }));
    EXPECT_LINE(bob, encode(toClient::PlayerJoined{ 3, "Deaf", "\r" }));

    // Ann sends the deaf client private messages far beyond what its buffers hold, a burst at
    // a time, until it is let go; her index request after each burst comes back once the
    // server has handled the burst. Nobody else receives them, so only the deaf client falls
    // behind.
    Bytes burst;
    for (int i = 0; i < 20; ++i)
        burst += wire::framed(encode(toServer::Private{ "deaf", Bytes(60000, 'c') }));
    const Bytes left = encode(toClient::PlayerLeft{ 3 });
    const Bytes yourIndex = encode(toClient::YourIndex{ ann.index });
    bool annHeardItLeave = false;
    for (int i = 0; i < 100 && server->room().client(3).Connected; ++i) {
        ann->send(burst);
        ann->sendLine(encode(toServer::RequestIndex{}));
        for (auto line = ann->nextLine(); line != yourIndex; line = ann->nextLine()) {
            ASSERT_TRUE(line == left && !annHeardItLeave) << show(line.value_or("<nothing>"));
            annHeardItLeave = true;
        }
    }
    EXPECT_FALSE(server->room().client(3).Connected);
    if (!annHeardItLeave)
        EXPECT_LINE(ann, left);
    EXPECT_LINE(bob, left);
    expectStillServed();
}

TEST_F(HostilePeer, HostKickClosesAfterTheShortWait)
{
    Player& mal = join("Mal");
    server->room().kickClient(server->room().findClient("MAL"));
    EXPECT_LINE(mal, encode(toClient::Kicked{}));
    advance(ServerRoom::Timing{}.kickWaitMs);
    EXPECT_TRUE(static_cast<WireClient&>(*mal.peer).waitClosed());
    EXPECT_LINE(players[0]->peer, encode(toClient::PlayerLeft{ mal.index }));
    EXPECT_LINE(players[1]->peer, encode(toClient::PlayerLeft{ mal.index }));
    EXPECT_EQ(server->room().findClient("Mal"), 0);
    expectStillServed();
}
