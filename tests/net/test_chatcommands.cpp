// The chat and talk lines: every command to the exact line it sends and the texts it prints.

#include "net/chatcommands.h"
#include "net/clientroster.h"
#include "testlines.h"

#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::pc;

class RecordingCommandHost final : public ChatCommandHost {
public:
    std::vector<Bytes> sent;
    std::vector<Bytes> printed; // "text" with a leading "B:" when bold, and the colour's number
    std::vector<Bytes> other;

    void SendToServer(BytesView line) override { sent.emplace_back(line); }
    void AddChatText(BytesView text, bool bold, ChatColour colour) override
    {
        printed.push_back((bold ? "B:" : "") + Bytes(text) + "|" + std::to_string(int(colour)));
    }
    void JoinRoomCommand(BytesView argument) override { other.push_back("join[" + Bytes(argument) + "]"); }
    void showRoomList() override { other.push_back("rooms"); }
};

struct ChatCommandsTest : ::testing::Test {
    ClientRoster roster;
    RecordingCommandHost host;
    ChatCommands commands{ host, roster };

    ChatCommandsTest()
    {
        roster.recordFor(2)->Name = "bob";
        roster.recordFor(3)->Name = ""; // a departed player's record
        roster.recordFor(4)->Name = "Cy";
    }
};

const Bytes kSendMsg = "|" + std::to_string(int(ChatColour::SendMsg));

TEST_F(ChatCommandsTest, EveryCommandSendsItsBytesOrPrintsItsText)
{
    struct Case {
        Bytes line;
        std::vector<Bytes> sent;
        std::vector<Bytes> printed = {};
        std::vector<Bytes> other = {};
    };
    const std::vector<Case> cases = {
        { "hello", { "*;hello" } },
        { "/", { "*;/" } },
        { "/SAY Hello", { "*;Hello" } },
        { "/say", { "*; " } },
        { "/say ", {} },
        { "/me waves", { "Y;waves" } },
        { "/action waves", { "Y;waves" } },
        { "/spectate", { "Z;" + pc(0) + "" } },
        { "/spot 0", { "Z;" + pc(0) + "" } },
        { "/play 6", { "Z;" + pc(6) + "" } },
        { "/spot 2.5", { "Z;" + pc(2) + "" } },
        { "/spot 3.5", { "Z;" + pc(4) + "" } },
        // The rounded number decides: 6.6 would be slot 7, -0.6 slot -1.
        { "/spot 6.6", {} },
        { "/spot -0.6", {} },
        { "/spot -0.4", { "Z;" + pc(0) + "" } },
        { "/spot 7", {} },
        { "/spot -1", {} },
        { "/spot x", {} },
        { "/spot", {} },
        { "/yes", { "_" } },
        { "/no", { "`" } },
        { "/callvote BOB", { "^;" + pc(2) + "" } },
        { "/callvote cy", { "^;" + pc(4) + "" } },
        { "/callvote nobody", {} },
        { "/callvote ", {} },
        { "/sayteam hi all", { "d;hi all" } },
        { "/teamchat hi", { "d;hi" } },
        { "/msg Bob hi there", { "f;bob\thi there" }, { "\r\n->Bob<- hi there" + kSendMsg } },
        { "/w Bob hi", { "f;bob\thi" }, { "\r\n->Bob<- hi" + kSendMsg } },
        { "/msg bob", {}, { "\r\n***Insufficient parameters for private message." + kSendMsg } },
        { "/msg  bob hi", {}, { "\r\n***Insufficient parameters for private message." + kSendMsg } },
        { "/admin secret", { "g;secret" } },
        { "/join lobby", {}, {}, { "join[lobby]" } },
        { "/j", {}, {}, { "join[ ]" } },
        { "/rooms", {}, {}, { "rooms" } },
        { "/kick Bob", { "U;Bob" } },
        { "/k Bob", { "U;Bob" } },
        { "/ban Bob", { ",;Bob" } },
        { "/b Bob", { ",;Bob" } },
        { "/banlist", { "p" } },
        { "/removeban 10.0.0.1", { "q;10.0.0.1" } },
        { "/rban 10.0.0.1", { "q;10.0.0.1" } },
        { "/unknown thing", {} },
        // Typed or pasted line ends never reach the wire: they would end the line early.
        { "hi\r\nM", { "*;hiM" } },
        { "/msg Bo\tb hi\r\n", { "f;bob\thi" }, { "\r\n->Bo\tb<- hi\r\n" + kSendMsg } },
        // Bytes above 127 travel as they are.
        { "/say caf\xe9", { "*;caf\xe9" } },
    };
    for (const Case& c : cases) {
        host = RecordingCommandHost();
        commands.chatLineEntered(c.line, true);
        EXPECT_EQ(host.sent, c.sent) << c.line;
        EXPECT_EQ(host.printed, c.printed) << c.line;
        EXPECT_EQ(host.other, c.other) << c.line;
    }
}

TEST_F(ChatCommandsTest, HelpListsTheFifteenLinesWithOnlyTheTitleBold)
{
    commands.chatLineEntered("/HELP", true);
    ASSERT_EQ(host.printed.size(), 15u);
    const Bytes stat = "|" + std::to_string(int(ChatColour::Stat));
    EXPECT_EQ(host.printed.front(), "B:\r\n--- List of available commands ---" + stat);
    EXPECT_EQ(host.printed[4],
        "\r\nmsg/m/whisper/w <person> <msg> - Sends private message <msg> to <person>" + stat);
    EXPECT_EQ(host.printed.back(), "\r\nremoveban <ip> - Removes ban on <ip> *ADMINS ONLY*" + stat);
    for (const char* word : { "/cmdlist", "/listcmds" }) {
        host = RecordingCommandHost();
        commands.chatLineEntered(word, true);
        EXPECT_EQ(host.printed.size(), 15u) << word;
    }
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(ChatCommandsTest, ChatLineWithoutConnectionPrintsTheNoticeAndSendsNothing)
{
    commands.chatLineEntered("/say hi", false);
    commands.chatLineEntered("", false);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(host.printed,
        (std::vector<Bytes>{
            "\r\n*** Not connected to a server.|" + std::to_string(int(ChatColour::Server)) }));
}

TEST_F(ChatCommandsTest, TalkLineStaysOpenWhenEmptyAndTakesTheRestAsTheChatLine)
{
    EXPECT_FALSE(commands.talkLineEntered("", true));
    EXPECT_FALSE(commands.talkLineEntered("", false));
    EXPECT_TRUE(host.sent.empty());
    EXPECT_TRUE(host.printed.empty());
    EXPECT_TRUE(commands.talkLineEntered("/sayteam go", true));
    EXPECT_TRUE(commands.talkLineEntered("gg", true));
    EXPECT_EQ(host.sent, (std::vector<Bytes>{ "d;go", "*;gg" }));

    // A connection that dropped during the game: the line is closed with the notice, not lost
    // without a word.
    host.sent.clear();
    EXPECT_TRUE(commands.talkLineEntered("gg", false));
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(host.printed,
        (std::vector<Bytes>{
            "\r\n*** Not connected to a server.|" + std::to_string(int(ChatColour::Server)) }));
}

} // namespace
} // namespace kalvon
