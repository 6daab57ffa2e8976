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

TEST_F(ClientTest, RuleVoteRequestsSendTwoBytesAndRefuseValuesOutsideTheRulesRange)
{
    join(1);
    struct Case {
        int rule;
        const char* value;
        const char* error; // nothing sent when set
    };
    const Case refused[] = {
        { 7, "51", "The value of a rule vote must be from 0 to 50!" }, // Levels raised
        { 7, "-1", "The value of a rule vote must be from 0 to 50!" },
        { 6, "0", "The value of a rule vote must be from 1 to 50!" }, // Lines needed to raise level
        { 4, "101", "The value of a rule vote must be from 0 to 100!" },
        { 4, "300", "The value of a rule vote must be from 0 to 100!" }, // no PlayerChar at all
        { 0, "2", "The value of a rule vote must be from 0 to 1!" },
        { 34, "5", "Choose a rule to vote on!" },
        { -1, "5", "Choose a rule to vote on!" },
    };
    for (const Case& c : refused)
        client.startRuleVote(c.rule, c.value);
    std::vector<Bytes> errors;
    for (const Case& c : refused)
        errors.emplace_back(c.error);
    EXPECT_EQ(view.errors, errors);
    client.startRuleVote(4, "100");
    client.startRuleVote(7, "50");
    client.startRuleVote(0, "Enabled");
    client.startRuleVote(1, "Disabled");
    client.answerVote(true);
    client.answerVote(false);
    EXPECT_LINE(&server, "^;" + pc(4) + pc(100));
    EXPECT_LINE(&server, "^;" + pc(7) + pc(50));
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
