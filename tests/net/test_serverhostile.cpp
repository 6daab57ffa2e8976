// A hostile or broken peer cannot disturb the server: after each attack the well-behaved
// clients are still served correctly. Ends with a whole game played over real sockets.

#include "net/wire/line.h"
#include "net/wire/linesplitter.h"
#include "net/wire/toclient.h"
#include "net/wire/toserver.h"
#include "servertest.h"

#include <QTcpSocket>
#include <QTest>
#include <memory>

using namespace kalvon;
using namespace kalvon::testing;
namespace toClient = kalvon::wire::toClient;
namespace toServer = kalvon::wire::toServer;

namespace {

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

    // Chat and a field change still travel between Ann and Bob, and the game still runs.
    void expectStillServed()
    {
        Player& ann = *players[0];
        Player& bob = *players[1];
        for (const auto& player : players)
            player->wire->clear();
        bob->sendLine(encode(toServer::Chat{ "still there?" }));
        EXPECT_LINE(ann, encode(toClient::ChatLine{ bob.index, "still there?" }));
        EXPECT_LINE(bob, encode(toClient::ChatLine{ bob.index, "still there?" }));
        ann->sendLine(encode(toServer::FieldUpdate{ { { 1, 20, 2 } } }));
        EXPECT_LINE(bob, encode(toClient::FieldRelay{ ann.index, { { 1, 20, 2 } } }));
        EXPECT_TRUE(server->GameRunning());
        EXPECT_EQ(server->PlayerSlot(1), ann.index);
        EXPECT_EQ(server->PlayerSlot(2), bob.index);
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
template <class M> bool nextLineIs(WireClient& client)
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
    EXPECT_EQ(mal->nextLine(150), std::nullopt);
    expectQuiet(0);
    EXPECT_FALSE(server->VoteRunning());
    EXPECT_EQ(server->PlayerSlot(3), -1);
    expectStillServed();
    EXPECT_EQ(mal->nextLine(100), std::nullopt); // broadcasts skip connections not logged in
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
        expectQuiet(60);
    }
    EXPECT_TRUE(mal->isConnected());
    EXPECT_FALSE(server->VoteRunning());
    expectStillServed();
}

TEST_F(HostilePeer, SplitLinesArriveWhole)
{
    Player& mal = join("Mal");
    const Bytes line = wire::framed(encode(toServer::Chat{ "one byte at a time" }));
    for (char c : line) {
        mal->send(Bytes(1, c));
        QTest::qWait(2);
    }
    expectAllGet(encode(toClient::ChatLine{ mal.index, "one byte at a time" }));
    expectStillServed();
}

TEST_F(HostilePeer, VoteSpamCountsOnce)
{
    Player& mal = join("Mal");
    join("Cy");
    mal->sendLine(encode(toServer::CallKickVote{ 2 }));
    for (int i = 0; i < 40; ++i)
        mal->sendLine(encode(toServer::VoteYes{}));
    // One vote counted (1 of 4 sockets): the tally, then "already voted" for every repeat.
    EXPECT_LINE(mal, encode(toClient::KickVoteStarted{ 3, 2 }));
    EXPECT_LINE(mal, encode(toClient::VoteTally{ 1, 0 }));
    for (int i = 0; i < 39; ++i)
        EXPECT_LINE(mal, encode(toClient::AlreadyVoted{}));
    EXPECT_TRUE(server->VoteRunning());
    // Ann and Cy vote no: all voted, 1 against 2, Bob stays.
    players[0]->wire->sendLine(encode(toServer::VoteNo{}));
    QTest::qWait(20);
    players[3]->wire->sendLine(encode(toServer::VoteNo{}));
    QTest::qWait(100);
    EXPECT_FALSE(server->VoteRunning());
    EXPECT_TRUE(players[1]->wire->isConnected());
    expectStillServed();
}

TEST_F(HostilePeer, TwoHundredConnectionsAtOnce)
{
    // Ann and Bob hold two of six sockets; 200 connections arrive together, each saying hello
    // as soon as it is connected.
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
        m->socket.connectToHost(QHostAddress::LocalHost, port);
        crowd.push_back(std::move(member));
    }
    int welcomed = 0;
    int turnedAway = 0;
    const Bytes serverFull = wire::framed(encode(toClient::ServerFull{}));
    const bool settled = QTest::qWaitFor(
        [&] {
            welcomed = 0;
            turnedAway = 0;
            for (const auto& m : crowd) {
                welcomed += holdsLineOf<toClient::Welcome>(m->received);
                turnedAway += m->received.toStdString() == serverFull
                    && m->socket.state() == QAbstractSocket::UnconnectedState;
            }
            return welcomed + turnedAway == 200;
        },
        20000);
    EXPECT_TRUE(settled);
    EXPECT_EQ(welcomed, 4);
    EXPECT_EQ(turnedAway, 196);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(nextLineIs<toClient::PlayerJoined>(*players[0]->wire));
    crowd.clear();
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(nextLineIs<toClient::PlayerLeft>(*players[0]->wire));
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
    EXPECT_FALSE(server->GameRunning());

    ann->sendLine(encode(toServer::Quit{}));
    for (Player* stayer : { &bob, &cy, &dee })
        EXPECT_LINE(*stayer, encode(toClient::PlayerLeft{ 1 }));
    EXPECT_EQ(server->PlayerSlot(1), -1);
}

TEST_F(HostilePeer, ClientThatStopsReadingIsLetGo)
{
    QTcpSocket deaf;
    deaf.setReadBufferSize(1);
    deaf.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(QTest::qWaitFor([&] { return deaf.state() == QAbstractSocket::ConnectedState; }, 3000));
    const Bytes hello = wire::framed(encode(toServer::Hello{ "\r", "Deaf" }));
    deaf.write(hello.data(), static_cast<qint64>(hello.size()));
    EXPECT_LINE(players[0]->wire, encode(toClient::PlayerJoined{ 3, "Deaf", "\r" }));

    // Ann sends the deaf client private messages far beyond what its buffers hold, until it is
    // let go. Nobody else receives them, so however slow the machine, only the deaf client
    // falls behind.
    Bytes burst;
    for (int i = 0; i < 20; ++i)
        burst += wire::framed(encode(toServer::Private{ "deaf", Bytes(60000, 'c') }));
    for (int i = 0; i < 100 && server->client(3).Connected; ++i) {
        players[0]->wire->send(burst);
        QTest::qWait(50);
    }
    EXPECT_FALSE(server->client(3).Connected);
    const Bytes left = encode(toClient::PlayerLeft{ 3 });
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            auto line = players[1]->wire->nextLine(0);
            while (line && *line != left)
                line = players[1]->wire->nextLine(0);
            return line.has_value();
        },
        5000));
    expectStillServed();
}

TEST_F(HostilePeer, HostKickClosesAfterTheShortWait)
{
    Player& mal = join("Mal");
    server->kickClient(server->findClient("MAL"));
    EXPECT_LINE(mal, encode(toClient::Kicked{}));
    EXPECT_TRUE(mal->waitClosed());
    EXPECT_LINE(players[0]->wire, encode(toClient::PlayerLeft{ mal.index }));
    EXPECT_EQ(server->findClient("Mal"), 0);
    expectStillServed();
}
