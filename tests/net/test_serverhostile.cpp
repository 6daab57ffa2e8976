// A hostile or broken peer cannot disturb the server: after each attack the well-behaved
// clients are still served correctly. Ends with a whole game played over real sockets.

#include "servertest.h"

#include "net/wire/codes.h"
#include "net/wire/field.h"
#include "net/wire/gameoptions.h"
#include "net/wire/line.h"
#include "net/wire/messages.h"

#include <QTcpSocket>
#include <QTest>

#include <memory>

using namespace kalvon;
using namespace kalvon::testing;
namespace toClient = kalvon::wire::toClient;

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
        bob->sendLine("*;still there?");
        EXPECT_LINE(ann, msg(toClient::MsgChatLine, pc(bob.index) + "still there?"));
        EXPECT_LINE(bob, msg(toClient::MsgChatLine, pc(bob.index) + "still there?"));
        const Bytes diff = wire::encodeFieldDiff({{1, 20, 2}});
        ann->sendLine(msg('5', diff));
        EXPECT_LINE(bob, msg(toClient::MsgFieldRelay, pc(ann.index) + diff));
        EXPECT_TRUE(server->GameRunning());
        EXPECT_EQ(server->PlayerSlot(1), ann.index);
        EXPECT_EQ(server->PlayerSlot(2), bob.index);
    }
};

Bytes manyLines(std::initializer_list<Bytes> lines)
{
    Bytes out;
    for (const Bytes& line : lines)
        out += line + "\r\n";
    return out;
}

} // namespace

TEST_F(HostilePeer, MessagesBeforeLoginAreIgnored)
{
    auto mal = connectRaw();
    mal->send(manyLines({"*;hi", "M", "N", "O", "G", msg('Z', pc(3)), msg('^', pc(1)), "_", "%", ")", "/",
                         msg('5', "S"), msg('6', pc(1)), msg('f', "ann\tpsst"), "&;red"}));
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
    struct Case {
        const char* name;
        Bytes bytes;
    };
    const Case cases[] = {
        {"garbage", Bytes("\x00\xff\xfe\x01 garbage\r\n\r\n\r\n\n\r;;;\r\n", 22)},
        {"overlong line", "*;" + overlong + "\r\n"},
        {"overlong line without end", Bytes(80 * 1024, 'y')},
        {"end of the overlong line", "tail\r\n"},
        {"slot out of range", manyLines({msg('Z', "\xff"), msg('Z', pc(-1)), msg('Z', pc(7)), "Z", msg('Z', "")})},
        {"vote calls", manyLines({msg('^', "\xff"), msg('^', pc(0)), msg('^', pc(4) + pc(1)), "^", msg('^', "")})},
        {"short specials", manyLines({"6", msg('6', ""), msg('>', ""), msg('>', pc(1) + pc(2)), "F"})},
        {"bad field changes", manyLines({msg('5', "\xa2\x96\x5a"), msg('5', "\x96"), msg('5', "")})},
        {"level and private", manyLines({"K", msg('K', pc(1) + pc(2)), msg('f', "ann")})},
        {"codes of outside servers", manyLines({msg(',', "ann"), msg('U', "ann"), msg('}', pc(1) + "ann"), "i",
                                                 msg('s', pc(1)), msg('g', "secret")})},
        {"votes without a vote", manyLines({"_", "_", "`", "_"})},
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
    const Bytes line = "*;one byte at a time\r\n";
    for (char c : line) {
        mal->send(Bytes(1, c));
        QTest::qWait(2);
    }
    expectAllGet(msg(toClient::MsgChatLine, pc(mal.index) + "one byte at a time"));
    expectStillServed();
}

TEST_F(HostilePeer, VoteSpamCountsOnce)
{
    Player& mal = join("Mal");
    join("Cy");
    mal->sendLine(msg('^', pc(2)));
    for (int i = 0; i < 40; ++i)
        mal->sendLine("_");
    // One vote counted (1 of 4 sockets): the tally, then "a" for every repeat.
    EXPECT_LINE(mal, msg(toClient::MsgKickVoteStarted, pc(3) + pc(2)));
    EXPECT_LINE(mal, msg(toClient::MsgVoteTally, pc(1) + pc(0)));
    for (int i = 0; i < 39; ++i)
        EXPECT_LINE(mal, "a");
    EXPECT_TRUE(server->VoteRunning());
    // Ann and Cy vote no: all voted, 1 against 2, Bob stays.
    players[0]->wire->sendLine("`");
    QTest::qWait(20);
    players[3]->wire->sendLine("`");
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
        const Bytes hello = wire::framed(msg('"', wire::buildHello("\r", "crowd" + std::to_string(i))));
        QObject::connect(&m->socket, &QTcpSocket::connected,
                         [m, hello] { m->socket.write(hello.data(), static_cast<qint64>(hello.size())); });
        QObject::connect(&m->socket, &QTcpSocket::readyRead, [m] { m->received += m->socket.readAll(); });
        m->socket.connectToHost(QHostAddress::LocalHost, port);
        crowd.push_back(std::move(member));
    }
    int welcomed = 0;
    int turnedAway = 0;
    const bool settled = QTest::qWaitFor(
        [&] {
            welcomed = 0;
            turnedAway = 0;
            for (const auto& m : crowd) {
                welcomed += m->received.contains("\r\n-;");
                turnedAway += m->received == "1\r\n" && m->socket.state() == QAbstractSocket::UnconnectedState;
            }
            return welcomed + turnedAway == 200;
        },
        20000);
    EXPECT_TRUE(settled);
    EXPECT_EQ(welcomed, 4);
    EXPECT_EQ(turnedAway, 196);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(players[0]->wire->nextLine().value_or("?").front(), toClient::MsgPlayerJoined);
    crowd.clear();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(players[0]->wire->nextLine().value_or("?").front(), toClient::MsgPlayerLeft);
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

    cy->sendLine("/");
    EXPECT_LINE(cy, msg(toClient::MsgGameSettings, wire::BuildGameOptions(options.rules)));
    takeSlot(ann, 1);
    takeSlot(bob, 2);
    startGame(ann);

    // Bob's three start rows, Ann's first piece, a special from Ann on Bob and lines to all.
    std::vector<wire::CellChange> rows;
    for (int y = 19; y <= 21; ++y) {
        for (int x = 0; x < 11; ++x)
            rows.push_back({x, y, 4});
    }
    const Bytes bobDiff = wire::encodeFieldDiff(rows);
    ASSERT_EQ(bobDiff.size(), 99u);
    bob->sendLine(msg('5', bobDiff));
    EXPECT_LINE(ann, msg(toClient::MsgFieldRelay, pc(2) + bobDiff));
    EXPECT_LINE(cy, msg(toClient::MsgFieldRelay, pc(2) + bobDiff));
    ann->sendLine(msg('6', pc(bob.index)));
    EXPECT_LINE(bob, msg('6', pc(1) + pc(2)));
    EXPECT_LINE(cy, msg('6', pc(1) + pc(2)));
    ann->sendLine(msg('F', pc(2)));
    EXPECT_LINE(bob, msg('F', pc(1) + pc(2)));
    EXPECT_LINE(cy, msg('F', pc(1) + pc(2)));

    // A late spectator sees both fields as the server knows them.
    Player& dee = join("Dee");
    wire::FieldCells bobField;
    wire::applyChanges(bobField, rows);
    EXPECT_EQ(dee.fullFields, (std::vector<Bytes>{msg(toClient::MsgFullField, pc(1) + Bytes(264, '\xaa')),
                                                  msg(toClient::MsgFullField, pc(2) + wire::encodeFieldDump(bobField))}));

    ann->sendLine("O");
    expectAllGet("O");
    ann->sendLine("P");
    expectAllGet("P");
    bob->sendLine("G");
    EXPECT_LINE(bob, "H");
    expectAllGet(msg(toClient::MsgGameOver, pc(1)));
    EXPECT_FALSE(server->GameRunning());

    ann->sendLine("%");
    for (Player* stayer : {&bob, &cy, &dee})
        EXPECT_LINE(*stayer, msg(toClient::MsgPlayerLeft, pc(1)));
    EXPECT_EQ(server->PlayerSlot(1), -1);
}

TEST_F(HostilePeer, ClientThatStopsReadingIsLetGo)
{
    QTcpSocket deaf;
    deaf.setReadBufferSize(1);
    deaf.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(QTest::qWaitFor([&] { return deaf.state() == QAbstractSocket::ConnectedState; }, 3000));
    const Bytes hello = wire::framed(msg('"', wire::buildHello("\r", "Deaf")));
    deaf.write(hello.data(), static_cast<qint64>(hello.size()));
    EXPECT_LINE(players[0]->wire, msg(toClient::MsgPlayerJoined, pc(3) + "Deaf\t\r"));

    // Ann chats far more than the deaf client's buffers hold, until it is let go.
    Bytes burst;
    for (int i = 0; i < 20; ++i)
        burst += wire::framed("*;" + Bytes(60000, 'c'));
    for (int i = 0; i < 100 && server->client(3).Connected; ++i) {
        players[0]->wire->send(burst);
        QTest::qWait(50);
    }
    EXPECT_FALSE(server->client(3).Connected);
    const Bytes left = msg(toClient::MsgPlayerLeft, pc(3));
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
    EXPECT_LINE(mal, "U");
    EXPECT_TRUE(mal->waitClosed());
    EXPECT_LINE(players[0]->wire, msg(toClient::MsgPlayerLeft, pc(mal.index)));
    EXPECT_EQ(server->findClient("Mal"), 0);
    expectStillServed();
}
