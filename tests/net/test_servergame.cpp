// Game flow on the server: permissions of start, stop, pause and resume; the field relay
// and whole fields; game over with the team rule; kick votes and their time-out.

#include "net/wire/toclient.h"
#include "net/wire/toserver.h"
#include "roomtest.h"

using namespace kalvon;
using namespace kalvon::testing;
namespace toClient = kalvon::wire::toClient;
namespace toServer = kalvon::wire::toServer;

TEST_F(RoomTest, OnlyTheFirstSlotOrTheHostControlsTheGame)
{
    openRoom();
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");

    // With no slot held, the host is told in a box and nothing is sent.
    room->ServerStartGame(-1);
    EXPECT_EQ(dialogs.messages(), std::vector<Bytes>{ "No players available, can't start game!" });
    expectQuiet();

    takeSlot(ann, 1);
    takeSlot(bob, 2);
    for (const Bytes& command :
        { encode(toServer::StartGame{}), encode(toServer::PauseGame{}), encode(toServer::ResumeGame{}) }) {
        bob->sendLine(command);
        cy->sendLine(command);
    }
    expectQuiet();
    EXPECT_FALSE(room->GameRunning());

    startGame(ann);
    EXPECT_TRUE(room->GameRunning());
    ann->sendLine(encode(toServer::PauseGame{}));
    expectAllGet(encode(toClient::GamePaused{}));
    ann->sendLine(encode(toServer::ResumeGame{}));
    expectAllGet(encode(toClient::GameResumed{}));

    // Anyone stops, spectators included.
    cy->sendLine(encode(toServer::StopGame{}));
    expectAllGet(encode(toClient::GameStopped{}));
    EXPECT_FALSE(room->GameRunning());
    EXPECT_EQ(eventCount("game started"), 1);
    EXPECT_EQ(eventCount("game ended"), 1);

    // The host resumes even with slot 1 empty.
    ann->sendLine(encode(toServer::TakeSpot{ 0 }));
    expectAllGet(encode(toClient::SpotChanged{ 1, 0 }));
    room->ServerMsgResume(-1);
    expectAllGet(encode(toClient::GameResumed{}));
    room->ServerStartGame(-1);
    expectAllGet(gameStartedLine());
}

TEST_F(RoomTest, FieldChangesAreRelayedAndSentWholeToLateJoiners)
{
    openRoom();
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");
    takeSlot(ann, 1);
    takeSlot(bob, 3);
    startGame(ann);

    const std::vector<wire::CellChange> changes = { { 0, 21, 3 }, { 11, 0, 21 } };
    const Bytes update = encode(toServer::FieldUpdate{ changes });
    ann->sendLine(update);
    EXPECT_LINE(bob, encode(toClient::FieldRelay{ 1, changes }));
    EXPECT_LINE(cy, encode(toClient::FieldRelay{ 1, changes }));
    ann->sendLine(encode(toServer::FieldUpdate{}));
    EXPECT_LINE(bob, encode(toClient::FieldRelay{ 1, {} }));
    EXPECT_LINE(cy, encode(toClient::FieldRelay{ 1, {} }));

    cy->sendLine(update); // a spectator has no field
    // A short triple, a column 12, a row 22, a colour 22, nothing, and a byte too many.
    for (const Bytes& bad : { msg(toServer::MsgFieldUpdate, Bytes{ wire::CoordChar(0), wire::CoordChar(0) }),
             encode(toServer::FieldUpdate{ { { 12, 0, 0 } } }),
             encode(toServer::FieldUpdate{ { { 0, 22, 0 } } }),
             encode(toServer::FieldUpdate{ { { 0, 0, 22 } } }), msg(toServer::MsgFieldUpdate, ""),
             update + wire::CoordChar(0) })
        bob->sendLine(bad);
    expectQuiet();

    Player& dee = join("Dee");
    wire::FieldCells annField;
    annField.set(0, 21, 3);
    annField.set(11, 0, 21);
    EXPECT_EQ(dee.fullFields,
        (std::vector<Bytes>{ encode(toClient::FullField{ 1, annField }),
            encode(toClient::FullField{ 2, wire::FieldCells{} }) }));
    expectQuiet();
}

TEST_F(RoomTest, LostPlayersEndTheGameWhenOneIsLeft)
{
    openRoom();
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");
    Player& dee = join("Dee");
    takeSlot(ann, 1);
    takeSlot(bob, 2);
    takeSlot(cy, 3);
    startGame(ann);

    const Bytes lost = encode(toServer::PlayerLost{});
    const Bytes lostAck = encode(toClient::LostAck{});
    dee->sendLine(lost); // a spectator is answered, nothing else
    EXPECT_LINE(dee, lostAck);
    bob->sendLine(lost);
    EXPECT_LINE(bob, lostAck);
    expectAllGet(encode(toClient::PlayerOut{ 2 }));
    cy->sendLine(lost);
    EXPECT_LINE(cy, lostAck);
    expectAllGet(encode(toClient::GameOver{ { 1 } }));
    EXPECT_FALSE(room->GameRunning());
    EXPECT_EQ(eventCount("game ended"), 1);

    // After the game: updates are answered with the winners to the sender alone, a lost
    // message with "H" alone.
    ann->sendLine(encode(toServer::FieldUpdate{}));
    EXPECT_LINE(ann, encode(toClient::GameOver{ { 1 } }));
    ann->sendLine(lost);
    EXPECT_LINE(ann, lostAck);
    expectQuiet();
}

TEST_F(RoomTest, GameOverFollowsTheTeamRule)
{
    struct Case {
        const char* name;
        Bytes annTeam, bobTeam;
        Bytes expected; // after Cy loses
    };
    const Case cases[] = {
        { "same team", "red", "red", encode(toClient::GameOver{ { 1, 2 } }) },
        { "team differing in case", "red", "Red", encode(toClient::PlayerOut{ 3 }) },
        { "no teams", "\r", "\r", encode(toClient::PlayerOut{ 3 }) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openRoom();
        Player& ann = join("Ann", c.annTeam);
        Player& bob = join("Bob", c.bobTeam);
        Player& cy = join("Cy", "blue");
        takeSlot(ann, 1);
        takeSlot(bob, 2);
        takeSlot(cy, 3);
        startGame(ann);
        cy->sendLine(encode(toServer::PlayerLost{}));
        EXPECT_LINE(cy, encode(toClient::LostAck{}));
        expectAllGet(c.expected);
        expectQuiet();
    }
}

TEST_F(RoomTest, SinglePlayerGameEndsAtItsFirstFieldUpdate)
{
    openRoom();
    Player& ann = join("Ann");
    join("Bob");
    takeSlot(ann, 1);
    startGame(ann);
    ann->sendLine(encode(toServer::FieldUpdate{ { { 4, 4, 1 } } }));
    expectAllGet(encode(toClient::GameOver{ { 1 } }));
    expectQuiet();
}

TEST_F(RoomTest, KickVotePassesByMajorityAndKicks)
{
    openRoom();
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");

    const Bytes yes = encode(toServer::VoteYes{});
    const Bytes alreadyVoted = encode(toClient::AlreadyVoted{});
    callKickVote(ann, cy);
    bob->sendLine(encode(toServer::CallKickVote{ ann.index })); // one vote at a time
    ann->sendLine(yes);
    EXPECT_LINE(ann, encode(toClient::VoteTally{ 1, 0 }));
    EXPECT_LINE(bob, encode(toClient::VoteTally{ 1, 0 }));
    ann->sendLine(yes);
    EXPECT_LINE(ann, alreadyVoted);
    cy->sendLine(encode(toServer::VoteNo{})); // the subject does not vote
    EXPECT_LINE(cy, alreadyVoted);
    bob->sendLine(yes); // 2 of 3 sockets
    EXPECT_LINE(ann, encode(toClient::VoteResult{ 2, 0 }));
    EXPECT_LINE(bob, encode(toClient::VoteResult{ 2, 0 }));
    EXPECT_LINE(cy, encode(toClient::Kicked{}));
    expectQuiet(); // the subject stays a second, and leaves with its close
    expectClosedAfter(*cy.peer, 1000);
    EXPECT_LINE(ann, encode(toClient::PlayerLeft{ 3 }));
    EXPECT_LINE(bob, encode(toClient::PlayerLeft{ 3 }));
    EXPECT_FALSE(room->VoteRunning());

    ann->sendLine(yes); // no vote runs: not counted, not answered
    expectQuiet();
}

TEST_F(RoomTest, KickVoteEndsWhenAllHaveVotedAndATieKicksNobody)
{
    struct Case {
        const char* name;
        std::vector<bool> votes; // yes or no, one voter per vote; the subject joins last
        Bytes result;
        bool kicked;
    };
    const Case cases[] = {
        { "yes no yes", { true, false, true }, encode(toClient::VoteResult{ 2, 1 }), true },
        { "yes no no", { true, false, false }, encode(toClient::VoteResult{ 1, 2 }), false },
        { "yes no", { true, false }, encode(toClient::VoteResult{ 1, 1 }), false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openRoom();
        const std::size_t voters = c.votes.size();
        for (std::size_t i = 0; i < voters; ++i)
            join("Voter" + std::to_string(i));
        Player& subject = join("Subject");
        callKickVote(*players[0], subject);
        for (std::size_t i = 0; i < voters; ++i) {
            players[i]->peer->sendLine(c.votes[i] ? encode(toServer::VoteYes{}) : encode(toServer::VoteNo{}));
        }
        for (std::size_t i = 0; i < voters; ++i) {
            for (std::size_t tally = 1; tally < voters; ++tally) {
                const auto message = wire::toClient::decode(players[i]->peer->nextLine().value_or(""));
                EXPECT_TRUE(message && std::holds_alternative<toClient::VoteTally>(*message));
            }
            EXPECT_LINE(players[i]->peer, c.result);
        }
        if (c.kicked) {
            EXPECT_LINE(subject, encode(toClient::Kicked{}));
            expectClosedAfter(*subject.peer, 1000);
            for (std::size_t i = 0; i < voters; ++i)
                EXPECT_LINE(players[i]->peer, encode(toClient::PlayerLeft{ subject.index }));
        } else {
            advance(60000);
            EXPECT_TRUE(subject->isConnected());
        }
        expectQuiet();
        EXPECT_FALSE(room->VoteRunning());
    }
}

TEST_F(RoomTest, KickVoteTimesOutAfterThirtySeconds)
{
    openRoom();
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");
    callKickVote(ann, cy);
    // The owner is asked to wake the room when the vote has run its time.
    const int64_t voteEnds = clock.nowMs() + ServerRoom::kVoteTimeoutMs + 1;
    EXPECT_EQ(room->nextDueMs(), voteEnds);
    EXPECT_EQ(host.wakes.back(), voteEnds);
    ann->sendLine(encode(toServer::VoteYes{}));
    EXPECT_LINE(ann, encode(toClient::VoteTally{ 1, 0 }));
    EXPECT_LINE(bob, encode(toClient::VoteTally{ 1, 0 }));

    advance(ServerRoom::kVoteTimeoutMs);
    expectQuiet(); // not older than 30 s yet
    advance(1);
    const Bytes result = encode(toClient::VoteResult{ 1, 0 });
    EXPECT_LINE(ann, result);
    EXPECT_LINE(bob, result);
    // 1 yes, 0 no: passed.
    EXPECT_LINE(cy, encode(toClient::Kicked{}));
    expectClosedAfter(*cy.peer, 1000);
}

TEST_F(RoomTest, KickVoteEndsWhenItsSubjectLeaves)
{
    openRoom();
    Player& ann = join("Ann");
    Player& bob = join("Bob");
    Player& cy = join("Cy");
    Player& dee = join("Dee");
    callKickVote(ann, dee);
    dee->sendLine(encode(toServer::Quit{}));
    for (const Player* stayer : { &ann, &bob, &cy })
        EXPECT_LINE(*stayer, encode(toClient::PlayerLeft{ dee.index }));
    EXPECT_FALSE(room->VoteRunning());
    bob->sendLine(encode(toServer::VoteYes{}));
    expectQuiet();

    // A new vote can start; calls that name nobody, a closed index or a rule are ignored.
    for (const Bytes& call : { msg(toServer::MsgCallVote, ""), Bytes(1, toServer::MsgCallVote),
             encode(toServer::CallKickVote{ dee.index }), encode(toServer::CallKickVote{ 9 }),
             encode(toServer::CallRuleVote{ 2, 40 }) })
        ann->sendLine(call);
    expectQuiet();
    ann->sendLine(encode(toServer::CallKickVote{ bob.index }));
    EXPECT_LINE(ann, encode(toClient::KickVoteStarted{ 1, 2 }));
    EXPECT_LINE(cy, encode(toClient::KickVoteStarted{ 1, 2 }));
}
