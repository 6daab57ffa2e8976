// Game flow on the server: permissions of start, stop, pause and resume; the field relay
// and whole fields; game over with the team rule; kick votes and their time-out.

#include "servertest.h"

#include "net/wire/codes.h"
#include "net/wire/field.h"

#include <QSignalSpy>
#include <QTest>

#include <cstring>

using namespace kalvon;
using namespace kalvon::testing;
namespace toClient = kalvon::wire::toClient;

TEST_F(ServerTest, OnlyTheFirstSlotOrTheHostControlsTheGame)
{
    startServer();
    QSignalSpy started(server.get(), &GameServer::gameStarted);
    QSignalSpy ended(server.get(), &GameServer::gameEnded);
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");

    // With no slot held, the host is told in a box and nothing is sent.
    server->ServerStartGame(-1);
    EXPECT_EQ(dialogs.messages(), std::vector<Bytes>{"No players available, can't start game!"});
    expectQuiet(50);

    takeSlot(ann, 1);
    takeSlot(bob, 2);
    for (const char* command : {"M", "O", "P"}) {
        bob->sendLine(command);
        cy->sendLine(command);
    }
    expectQuiet();
    EXPECT_FALSE(server->GameRunning());

    startGame(ann);
    EXPECT_TRUE(server->GameRunning());
    ann->sendLine("O");
    expectAllGet("O");
    ann->sendLine("P");
    expectAllGet("P");

    // Anyone stops, spectators included.
    cy->sendLine("N");
    expectAllGet("N");
    EXPECT_FALSE(server->GameRunning());
    EXPECT_EQ(started.count(), 1);
    EXPECT_EQ(ended.count(), 1);

    // The host resumes even with slot 1 empty.
    ann->sendLine(msg('Z', pc(0)));
    expectAllGet(msg(toClient::MsgSpotChanged, pc(1) + pc(0)));
    server->ServerMsgResume(-1);
    expectAllGet("P");
    server->ServerStartGame(-1);
    expectAllGet(gameStartedLine());
}

TEST_F(ServerTest, FieldChangesAreRelayedAndSentWholeToLateJoiners)
{
    startServer();
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");
    takeSlot(ann, 1);
    takeSlot(bob, 3);
    startGame(ann);

    const Bytes diff = wire::encodeFieldDiff({{0, 21, 3}, {11, 0, 21}});
    ann->sendLine(msg('5', diff));
    EXPECT_LINE(bob, msg(toClient::MsgFieldRelay, pc(1) + diff));
    EXPECT_LINE(cy, msg(toClient::MsgFieldRelay, pc(1) + diff));
    ann->sendLine("5;S");
    EXPECT_LINE(bob, msg(toClient::MsgFieldRelay, pc(1) + "S"));
    EXPECT_LINE(cy, msg(toClient::MsgFieldRelay, pc(1) + "S"));

    cy->sendLine(msg('5', diff)); // a spectator has no field
    for (const Bytes& bad : {Bytes("\x96\x96"), Bytes("\xa2\x96\x5a"), Bytes("\x96\xac\x5a"), Bytes("\x96\x96\x70"),
                             Bytes(""), diff + "\x96"})
        bob->sendLine(msg('5', bad));
    expectQuiet();

    Player& dee = join("Dee");
    wire::FieldCells annField;
    annField.set(0, 21, 3);
    annField.set(11, 0, 21);
    EXPECT_EQ(dee.fullFields, (std::vector<Bytes>{msg(toClient::MsgFullField, pc(1) + wire::encodeFieldDump(annField)),
                                                  msg(toClient::MsgFullField, pc(2) + Bytes(264, '\xaa'))}));
    expectQuiet();
}

TEST_F(ServerTest, LostPlayersEndTheGameWhenOneIsLeft)
{
    startServer();
    QSignalSpy ended(server.get(), &GameServer::gameEnded);
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");
    Player& dee = join("Dee");
    takeSlot(ann, 1);
    takeSlot(bob, 2);
    takeSlot(cy, 3);
    startGame(ann);

    dee->sendLine("G"); // a spectator is answered, nothing else
    EXPECT_LINE(dee, "H");
    bob->sendLine("G");
    EXPECT_LINE(bob, "H");
    expectAllGet(msg(toClient::MsgPlayerOut, pc(2)));
    cy->sendLine("G");
    EXPECT_LINE(cy, "H");
    expectAllGet(msg(toClient::MsgGameOver, pc(1)));
    EXPECT_FALSE(server->GameRunning());
    EXPECT_EQ(ended.count(), 1);

    // After the game: updates are answered with the winners to the sender alone, a lost
    // message with "H" alone.
    ann->sendLine("5;S");
    EXPECT_LINE(ann, msg(toClient::MsgGameOver, pc(1)));
    ann->sendLine("G");
    EXPECT_LINE(ann, "H");
    expectQuiet();
}

TEST_F(ServerTest, GameOverFollowsTheTeamRule)
{
    struct Case {
        const char* name;
        Bytes annTeam, bobTeam;
        Bytes expected; // after Cy loses
    };
    const Case cases[] = {
        {"same team", "red", "red", msg(toClient::MsgGameOver, pc(1) + "," + pc(2))},
        {"team differing in case", "red", "Red", msg(toClient::MsgPlayerOut, pc(3))},
        {"no teams", "\r", "\r", msg(toClient::MsgPlayerOut, pc(3))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        players.clear();
        startServer();
        Player& ann = join("Ann", c.annTeam);
        Player& bob = join("Bob", c.bobTeam);
        Player& cy = join("Cy", "blue");
        takeSlot(ann, 1);
        takeSlot(bob, 2);
        takeSlot(cy, 3);
        startGame(ann);
        cy->sendLine("G");
        EXPECT_LINE(cy, "H");
        expectAllGet(c.expected);
        expectQuiet(50);
    }
}

TEST_F(ServerTest, SinglePlayerGameEndsAtItsFirstFieldUpdate)
{
    startServer();
    Player& ann = join("Ann");
    join("Bob");
    takeSlot(ann, 1);
    startGame(ann);
    ann->sendLine(msg('5', wire::encodeFieldDiff({{4, 4, 1}})));
    expectAllGet(msg(toClient::MsgGameOver, pc(1)));
    expectQuiet();
}

TEST_F(ServerTest, KickVotePassesByMajorityAndKicks)
{
    startServer();
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");

    callKickVote(ann, cy);
    bob->sendLine(msg('^', pc(ann.index))); // one vote at a time
    ann->sendLine("_");
    EXPECT_LINE(ann, msg(toClient::MsgVoteTally, pc(1) + pc(0)));
    EXPECT_LINE(bob, msg(toClient::MsgVoteTally, pc(1) + pc(0)));
    ann->sendLine("_");
    EXPECT_LINE(ann, "a");
    cy->sendLine("`"); // the subject does not vote
    EXPECT_LINE(cy, "a");
    bob->sendLine("_"); // 2 of 3 sockets
    EXPECT_LINE(ann, msg(toClient::MsgVoteResult, pc(2) + pc(0)));
    EXPECT_LINE(bob, msg(toClient::MsgVoteResult, pc(2) + pc(0)));
    EXPECT_LINE(cy, "U");
    EXPECT_TRUE(cy->waitClosed());
    EXPECT_LINE(ann, msg(toClient::MsgPlayerLeft, pc(3)));
    EXPECT_LINE(bob, msg(toClient::MsgPlayerLeft, pc(3)));
    EXPECT_FALSE(server->VoteRunning());

    ann->sendLine("_"); // no vote runs: not counted, not answered
    expectQuiet();
}

TEST_F(ServerTest, KickVoteEndsWhenAllHaveVotedAndATieKicksNobody)
{
    struct Case {
        const char* votes; // one voter per vote; the subject joins last
        Bytes result;
        bool kicked;
    };
    const Case cases[] = {
        {"_`_", msg(toClient::MsgVoteResult, pc(2) + pc(1)), true},
        {"_``", msg(toClient::MsgVoteResult, pc(1) + pc(2)), false},
        {"_`", msg(toClient::MsgVoteResult, pc(1) + pc(1)), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.votes);
        players.clear();
        startServer();
        const std::size_t voters = std::strlen(c.votes);
        for (std::size_t i = 0; i < voters; ++i)
            join("Voter" + std::to_string(i));
        Player& subject = join("Subject");
        callKickVote(*players[0], subject);
        for (std::size_t i = 0; i < voters; ++i) {
            players[i]->wire->sendLine(Bytes(1, c.votes[i]));
            QTest::qWait(20);
        }
        for (std::size_t i = 0; i < voters; ++i) {
            for (std::size_t tally = 1; tally < voters; ++tally)
                EXPECT_EQ(players[i]->wire->nextLine().value_or("?").front(), toClient::MsgVoteTally);
            EXPECT_LINE(players[i]->wire, c.result);
        }
        if (c.kicked) {
            EXPECT_LINE(subject, "U");
            EXPECT_TRUE(subject->waitClosed());
        } else {
            EXPECT_EQ(subject->nextLine(150), std::nullopt);
            EXPECT_TRUE(subject->isConnected());
        }
        EXPECT_FALSE(server->VoteRunning());
    }
}

TEST_F(ServerTest, KickVoteTimesOutAfterThirtySeconds)
{
    startServer();
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");
    callKickVote(ann, cy);
    ann->sendLine("_");
    EXPECT_LINE(ann, msg(toClient::MsgVoteTally, pc(1) + pc(0)));
    EXPECT_LINE(bob, msg(toClient::MsgVoteTally, pc(1) + pc(0)));

    clock.advance(GameServer::kVoteTimeoutMs);
    expectQuiet(60); // not older than 30 s yet
    clock.advance(1);
    const Bytes result = msg(toClient::MsgVoteResult, pc(1) + pc(0));
    EXPECT_LINE(ann, result);
    EXPECT_LINE(bob, result);
    // 1 yes, 0 no: passed.
    EXPECT_LINE(cy, "U");
    EXPECT_TRUE(cy->waitClosed());
}

TEST_F(ServerTest, KickVoteEndsWhenItsSubjectLeaves)
{
    startServer();
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");
    Player& dee = join("Dee");
    callKickVote(ann, dee);
    dee->sendLine("%");
    for (const Player* stayer : {&ann, &bob, &cy})
        EXPECT_LINE(*stayer, msg(toClient::MsgPlayerLeft, pc(dee.index)));
    EXPECT_FALSE(server->VoteRunning());
    bob->sendLine("_");
    expectQuiet();

    // A new vote can start; calls that name nobody, a closed index or a rule are ignored.
    for (const Bytes& call : {msg('^', ""), Bytes("^"), msg('^', pc(dee.index)), msg('^', pc(9)), msg('^', pc(2) + pc(40))})
        ann->sendLine(call);
    expectQuiet();
    ann->sendLine(msg('^', pc(bob.index)));
    EXPECT_LINE(ann, msg(toClient::MsgKickVoteStarted, pc(1) + pc(2)));
    EXPECT_LINE(cy, msg(toClient::MsgKickVoteStarted, pc(1) + pc(2)));
}
