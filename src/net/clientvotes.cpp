// Votes on the client: the kick and rule votes announced, their tallies and results printed in
// the vote colour, answering a vote, and asking an outside server for a rule vote.

#include "common/vbconv.h"
#include "net/clientview.h"
#include "net/gamesettings.h"
#include "net/internetclient.h"
#include "net/wire/toserver.h"

namespace kalvon {

using namespace wire;

void InternetClient::answerVote(bool yes)
{
    if (yes)
        send(toServer::VoteYes{});
    else
        send(toServer::VoteNo{});
}

void InternetClient::startRuleVote(int rule, BytesView valueText)
{
    const GameSetting* setting = gameSetting(rule);
    if (!setting) {
        m_view.showError("Choose a rule to vote on!");
        return;
    }
    const std::optional<int> value = settingValue(rule, valueText);
    if (!value) {
        m_view.showError("The value of a rule vote must be from " + vb::formatInt(setting->low) + " to "
            + vb::formatInt(setting->high) + "!");
        return;
    }
    send(toServer::CallRuleVote{ rule, *value });
}

void InternetClient::printVoteHowTo()
{
    for (const char* answer : { "/yes", "/no" }) {
        chat("\r\nType ", false, ChatColour::Vote);
        chat(answer, true, ChatColour::Vote);
        chat(Bytes(" to vote ") + (answer[1] == 'y' ? "yes." : "no."), false, ChatColour::Vote);
    }
}

void InternetClient::printVoteCounts(BytesView title, int yes, int no)
{
    chat("\r\n" + Bytes(title) + " - Yes: ", false, ChatColour::Vote);
    chat(vb::formatInt(yes), true, ChatColour::Vote);
    chat(" No: ", false, ChatColour::Vote);
    chat(vb::formatInt(no), true, ChatColour::Vote);
}

void InternetClient::ClientMsgVoteKickCalled(const toClient::KickVoteStarted& message)
{
    // Unknown players print as empty names: the vote runs all the same.
    chat("\r\n" + m_roster.nameOf(message.caller), true, ChatColour::Vote);
    chat(" has called a vote to kick ", false, ChatColour::Vote);
    chat(m_roster.nameOf(message.subject), true, ChatColour::Vote);
    chat(".", false, ChatColour::Vote);
    printVoteHowTo();
}

void InternetClient::ClientMsgVoteChangeCalled(const toClient::RuleVoteStarted& message)
{
    const std::optional<Bytes> rule = gameSettingName(message.rule);
    if (!rule)
        return;
    m_RuleVoteSetting = message.rule;
    m_RuleVoteValue = message.value;
    chat("\r\n" + m_roster.nameOf(message.caller), true, ChatColour::Vote);
    chat(" has called a vote to change ", false, ChatColour::Vote);
    chat(*rule, true, ChatColour::Vote);
    chat(" to ", false, ChatColour::Vote);
    chat(vb::formatInt(message.value), true, ChatColour::Vote);
    chat(".", false, ChatColour::Vote);
    printVoteHowTo();
}

void InternetClient::ClientMsgVoteUpdate(const toClient::VoteTally& message)
{
    printVoteCounts("Vote Update", message.yes, message.no);
}

void InternetClient::ClientMsgKickVoteResult(const toClient::VoteResult& message)
{
    printVoteCounts("Voting Result", message.yes, message.no);
    const char* outcome = message.yes > message.no ? "Vote Passed!"
        : message.yes == message.no                ? "Vote Tied!"
                                                   : "Vote Failed!";
    chat("\r\n" + Bytes(outcome), true, ChatColour::Vote);
}

void InternetClient::ClientMsgChangeVoteResult(const toClient::RuleVoteResult& message)
{
    printVoteCounts("Voting Result", message.yes, message.no);
    if (!message.passed) {
        chat("\r\nVote Failed!", true, ChatColour::Vote);
        return;
    }
    chat("\r\nVote Passed!", true, ChatColour::Vote);
    // Without an announced rule there is nothing to name.
    const std::optional<Bytes> rule = gameSettingName(m_RuleVoteSetting);
    if (!rule)
        return;
    chat("\r\n" + *rule, true, ChatColour::Vote);
    chat(" changed to ", false, ChatColour::Vote);
    chat(vb::formatInt(m_RuleVoteValue), true, ChatColour::Vote);
    chat(".", false, ChatColour::Vote);
}

} // namespace kalvon
