// Votes on the client: the vote lines printed from the server's messages, answers, and the
// rule-vote request with its refusals.

#include "clienttest.h"

using namespace kalvon;
using namespace kalvon::testing;
namespace toClient = kalvon::wire::toClient;

TEST_F(ClientTest, VoteMessagesPrintTheirLinesInTheVoteColour)
{
    join(1, {}, false, { rosterRecord(2, "Bob"), rosterRecord(3, "Cy") });
    deliver({ encode(toClient::KickVoteStarted{ 2, 3 }), encode(toClient::VoteTally{ 2, 1 }),
        encode(toClient::VoteResult{ 1, 1 }), encode(toClient::VoteResult{ 2, 1 }),
        encode(toClient::VoteResult{ 0, 3 }),
        // A rule outside the settings list is no vote at all.
        wire::makeLine(wire::toClient::MsgRuleVoteStarted, pc(2) + pc(40) + pc(3)),
        wire::makeLine(wire::toClient::MsgRuleVoteStarted, pc(2) + pc(7) + pc(3)),
        // Passed, then the no count, then the yes count.
        wire::makeLine(wire::toClient::MsgRuleVoteResult, pc(1) + pc(3) + pc(5)),
        wire::makeLine(wire::toClient::MsgRuleVoteResult, pc(0) + pc(4) + pc(1)) });
    EXPECT_EQ(view.chatLines(),
        (std::vector<Bytes>{ "Bob has called a vote to kick Cy.", "Type /yes to vote yes.",
            "Type /no to vote no.", "Vote Update - Yes: 2 No: 1", "Voting Result - Yes: 1 No: 1",
            "Vote Tied!", "Voting Result - Yes: 2 No: 1", "Vote Passed!", "Voting Result - Yes: 0 No: 3",
            "Vote Failed!", "Bob has called a vote to change Levels raised to 3.", "Type /yes to vote yes.",
            "Type /no to vote no.", "Voting Result - Yes: 5 No: 3", "Vote Passed!",
            "Levels raised changed to 3.", "Voting Result - Yes: 1 No: 4", "Vote Failed!" }));
    for (const ChatRun& run : view.chat) {
        EXPECT_EQ(run.colour, ChatColour::Vote) << run.text;
        if (run.text == "Cy" || run.text == "/no" || run.text == "Levels raised"
            || run.text == "\r\nVote Tied!") {
            EXPECT_TRUE(run.bold) << run.text;
        }
        if (run.text == " has called a vote to kick ") {
            EXPECT_FALSE(run.bold);
        }
    }
}

TEST_F(ClientTest, RuleVoteRequestsSendTwoBytesAndRefuseValuesOutsideTheRange)
{
    join(1);
    client.startRuleVote(7, "101");
    client.startRuleVote(7, "-1");
    client.startRuleVote(34, "5");
    EXPECT_EQ(view.errors.size(), 3u);
    client.startRuleVote(7, "100");
    client.startRuleVote(0, "Enabled");
    client.startRuleVote(1, "Disabled");
    client.answerVote(true);
    client.answerVote(false);
    EXPECT_LINE(&server, "^;" + pc(7) + pc(100));
    EXPECT_LINE(&server, "^;" + pc(0) + pc(1));
    EXPECT_LINE(&server, "^;" + pc(1) + pc(0));
    EXPECT_LINE(&server, Bytes("_"));
    EXPECT_LINE(&server, Bytes("`"));
}

TEST_F(ClientTest, StartVoteIsOfferedOnlyInsideARoom)
{
    join(1);
    EXPECT_FALSE(view.isEnabled(ClientControl::MenuStartVote));
    deliver({ encode(toClient::InRoom{ "lobby" }) });
    EXPECT_TRUE(view.isEnabled(ClientControl::MenuStartVote));
}
