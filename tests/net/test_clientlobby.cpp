// The lobby on the client: the welcomes, roster records and leaves, spot changes with their
// labels, lists, buttons and boards, every chat and notice form, and hostile lines.

#include "clienttest.h"
#include "net/wire/codes.h"
#include "net/wire/field.h"
#include "servertest.h"

#include <QTest>

using namespace kalvon;
using namespace kalvon::testing;
namespace toClient = kalvon::wire::toClient;

namespace {

std::vector<Bytes> spotRequests(const std::vector<int>& holders)
{
    std::vector<Bytes> lines;
    for (int holder : holders)
        lines.push_back(msg(wire::toServer::MsgRequestField, pc(holder)));
    return lines;
}

} // namespace

TEST_F(ClientTest, WelcomeBringsTheClientIntoTheLobby)
{
    connect("Ann", "red");
    server.sendLine(msg(toClient::MsgWelcome, welcomePayload(3)));
    EXPECT_LINE(&server, ")");
    EXPECT_LINE(&server, "/");

    EXPECT_EQ(client.MyIndex(), 3);
    EXPECT_EQ(client.roster().HighestPlayerIndex(), 3);
    EXPECT_EQ(view.chatLines(),
        std::vector<Bytes>{"*** Connected to server(127.0.0.1:" + std::to_string(server.port()) + ")."});
    EXPECT_EQ(view.spectatorList, std::vector<Bytes>{"Ann"});
    EXPECT_EQ(view.spotLabels.at(0), "1. (Not Playing)");
    EXPECT_EQ(view.spotLabels.at(5), "6. (Not Playing)");
    EXPECT_TRUE(view.isEnabled(ClientControl::JoinGame));
    EXPECT_TRUE(view.isEnabled(ClientControl::TeamButton));
    EXPECT_FALSE(view.isEnabled(ClientControl::Spectate, true));
    EXPECT_TRUE(view.isEnabled(ClientControl::MenuSpectate));
    // The built-in server would take a rule vote for a kick vote: no "Start Vote" here.
    EXPECT_FALSE(view.isEnabled(ClientControl::MenuStartVote));
    EXPECT_EQ(view.screen, kChatScreen);
    EXPECT_FALSE(state().GameStarted);
}

TEST_F(ClientTest, WelcomeDuringAGameWatchesIt)
{
    connect();
    server.sendLines({playerRecord('\\', 1, "Bob"), playerRecord('\\', 2, "Cy"),
        msg(toClient::MsgWelcome, welcomePayload(3, {1, 0, 2, 0, 0, 0}, true))});
    ASSERT_TRUE(server.linesUntil(")"));
    const std::optional<std::vector<Bytes>> sent = server.linesUntil("/");
    ASSERT_TRUE(sent);
    std::vector<Bytes> expected = {")", ")"};
    for (const Bytes& request : spotRequests({1, -1, 2, -1, -1, -1}))
        expected.push_back(request);
    expected.push_back("/");
    EXPECT_EQ(*sent, expected);

    EXPECT_EQ(view.chatLines().back(), "*** There is currently a game in progress.");
    EXPECT_EQ(view.enabled.count(ClientControl::JoinGame), 0u);
    EXPECT_TRUE(state().GameStarted);
    EXPECT_FALSE(state().GameActive);
    EXPECT_EQ(rig.host.count("GameTimer on"), 1);
    EXPECT_EQ(view.caption(ClientControl::StartGame), "Stop Game");
    // Spot 1 is on the big field of a spectator, spot 3 on board 2.
    EXPECT_EQ(view.spotLabels.at(0), "1. Bob");
    EXPECT_EQ(view.spotLabels.at(2), "3. Cy");
    EXPECT_EQ(view.count("ResetLostFieldAnimation 2"), 1);
    EXPECT_EQ(view.playerList,
        (std::vector<Bytes>{"1. Bob", "2. (Not Playing)", "3. Cy", "4. (Not Playing)", "5. (Not Playing)",
            "6. (Not Playing)"}));
}

TEST_F(ClientTest, RosterRecordsArePrintedAndListed)
{
    join(3);
    struct Case {
        Bytes line;
        std::vector<ChatRun> chat;
    };
    const std::vector<Case> cases = {
        {playerRecord('Q', 7, "Bob"),
            {{"\r\nBob", true, ChatColour::Player}, {" has connected", false, ChatColour::Normal},
                {"\r\nBob", true, ChatColour::Player}, {" is playing ", false, ChatColour::Normal},
                {"alone.", true, ChatColour::Team}}},
        {playerRecord('j', 5, "Cy", "red"),
            {{"\r\nCy", true, ChatColour::Player}, {" has entered the room.", false, ChatColour::Normal},
                {"\r\nCy", true, ChatColour::Player}, {" is on team ", false, ChatColour::Normal},
                {"red", true, ChatColour::Team}}},
        {playerRecord('\\', 1, "Di", "blue"), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(show(c.line));
        view.chat.clear();
        deliver({c.line});
        EXPECT_EQ(view.chat, c.chat);
    }
    // The table grew to index 7; the indices never named stay out of the lists.
    EXPECT_EQ(client.roster().HighestPlayerIndex(), 7);
    EXPECT_EQ(view.spectatorList, (std::vector<Bytes>{"Di", "Ann", "Cy", "Bob"}));

    deliver({msg(toClient::MsgSpotChanged, pc(7) + pc(2)), msg(toClient::MsgSpotChanged, pc(5) + pc(4))});
    EXPECT_EQ(view.playerList,
        (std::vector<Bytes>{"1. (Not Playing)", "2. Bob", "3. (Not Playing)", "4. Cy - red",
            "5. (Not Playing)", "6. (Not Playing)"}));
    EXPECT_EQ(view.spectatorList, (std::vector<Bytes>{"Di", "Ann"}));
    EXPECT_EQ(view.spotLabels.at(1), "2. Bob");
    EXPECT_EQ(view.spotLabels.at(3), "4. Cy");
}

TEST_F(ClientTest, PlayersLeavingEmptyTheirSpotsAndBoards)
{
    join(1, {0, 2, 0, 0, 0, 0}, false, {playerRecord('\\', 2, "Bob"), playerRecord('\\', 3, "Cy")});
    deliver({msg(toClient::MsgSpotChanged, pc(1) + pc(1))});
    view.clear();

    // Bob in spot 2 leaves while this client plays in spot 1: his board 1 shuts at once.
    deliver({msg(toClient::MsgPlayerLeft, pc(2)), msg(toClient::MsgPlayerLeftRoom, pc(3)),
        msg(toClient::MsgPlayerLeft, pc(1))});
    EXPECT_EQ(view.chatLines(), (std::vector<Bytes>{"Bob has disconnected.", "Cy has left the room."}));
    EXPECT_EQ(view.calls,
        (std::vector<std::string>{"StartLostFieldAnimation 1", "UpdateInternetFieldBlocks 1",
            "DrawNetPlayerField 1", "finishLostFieldAnimation 1"}));
    EXPECT_EQ(view.spotLabels.at(1), "2. (Not Playing)");
    EXPECT_EQ(client.roster().spotPlayer(2), kNoPlayer);
    EXPECT_EQ(view.spectatorList, std::vector<Bytes>{});
}

TEST_F(ClientTest, TakingASpotEnablesStartOnlyWhereTheServerObeys)
{
    struct Case {
        int spot;
        bool hosting;
        bool startEnabled;
    };
    for (const Case& c : {Case{1, false, true}, Case{3, false, false}, Case{3, true, true}}) {
        SCOPED_TRACE(c.spot);
        rig.host.hostingServer = c.hosting;
        join(2, {0, 0, 0, 0, 0, 0}, false, {playerRecord('\\', 1, "Bob")});
        deliver({msg(toClient::MsgSpotChanged, pc(2) + pc(c.spot))});
        EXPECT_EQ(view.isEnabled(ClientControl::StartGame), c.startEnabled);
        EXPECT_EQ(view.isEnabled(ClientControl::MenuStart), c.startEnabled);
        EXPECT_FALSE(view.isEnabled(ClientControl::JoinGame, true));
        EXPECT_TRUE(view.isEnabled(ClientControl::Spectate));
        EXPECT_EQ(view.spotLabels.at(0), std::to_string(c.spot) + ". Ann");
        EXPECT_EQ(view.chat,
            (std::vector<ChatRun>{{"\r\nAnn", true, ChatColour::Player},
                {" has joined the game as ", false, ChatColour::Player},
                {"Player " + std::to_string(c.spot), true, ChatColour::Player}}));

        // Bob taking spot 1 opens his board; his moving to the spectators closes it again and
        // leaves this client's buttons alone.
        view.clear();
        view.enabled.clear();
        deliver({msg(toClient::MsgSpotChanged, pc(1) + pc(c.spot == 1 ? 2 : 1)),
            msg(toClient::MsgSpotChanged, pc(1) + pc(0))});
        EXPECT_EQ(
            view.calls, (std::vector<std::string>{"ResetLostFieldAnimation 1", "StartLostFieldAnimation 1"}));
        EXPECT_TRUE(view.enabled.empty());
        EXPECT_EQ(view.chatLines().back(), "Bob is now Spectating");
        client.disconnectFromServer();
        view.clear();
    }
}

TEST_F(ClientTest, SpotChangesDuringAGame)
{
    join(1, {0, 0, 0, 0, 0, 0}, false, {playerRecord('\\', 2, "Bob")});
    deliver({msg(toClient::MsgSpotChanged, pc(1) + pc(1))});
    startGame();
    ASSERT_TRUE(state().GameActive);

    // A player who takes a spot during a game sits it out on a board of random blocks.
    deliver({msg(toClient::MsgSpotChanged, pc(2) + pc(3))});
    EXPECT_TRUE(client.roster().player(2)->Dead);
    EXPECT_EQ(view.count("FillLostFieldRandom 2"), 1);

    // Moving to the spectators ends this client's own game; the server is told it lost.
    const std::vector<Bytes> sent = deliver({msg(toClient::MsgSpotChanged, pc(1) + pc(0))});
    EXPECT_EQ(sent, std::vector<Bytes>{"G"});
    EXPECT_FALSE(state().GameActive);
    EXPECT_TRUE(client.roster().Spectating);
    EXPECT_TRUE(view.isEnabled(ClientControl::JoinGame));
    EXPECT_FALSE(view.isEnabled(ClientControl::StartGame, true));
    EXPECT_EQ(view.chatLines().back(), "Ann is now Spectating");
}

TEST_F(ClientTest, ChatAndNoticeForms)
{
    join(1, {}, false, {playerRecord('\\', 2, "Bob")});
    struct Case {
        Bytes line;
        std::vector<ChatRun> chat;
        bool sound;
    };
    const std::vector<Case> cases = {
        {"*;\x97hi;there",
            {{"\r\n<Ann> ", true, ChatColour::Client}, {"hi;there", false, ChatColour::Normal}}, true},
        {"*;\x98", {{"\r\n<Bob> ", true, ChatColour::Other}, {"", false, ChatColour::Normal}}, true},
        {"d;\x98go", {{"\r\n(Bob) ", true, ChatColour::Other}, {"go", false, ChatColour::Normal}}, true},
        {"Y;\x98waves", {{"\r\n*Bob waves", false, ChatColour::Action}}, true},
        {"f;\x98psst", {{"\r\nMessage from Bob: psst", false, ChatColour::RecvMsg}}, false},
        {"f;0", {{"\r\n***User is not connected to server.", false, ChatColour::SendMsg}}, false},
        {"a", {{"\r\nYou have already voted!", false, ChatColour::Vote}}, false},
        {"n", {{"\r\n*** Only server administrators may use that command!", true, ChatColour::Server}},
            false},
        {"o;Welcome", {{"\r\n*<Server>* ", true, ChatColour::Server}, {"Welcome", false, ChatColour::Normal}},
            false},
        {"&;\x98red",
            {{"\r\nBob", true, ChatColour::Player}, {" is on team ", false, ChatColour::Normal},
                {"red", true, ChatColour::Player}},
            false},
        {"&;\x98\r",
            {{"\r\nBob", true, ChatColour::Player}, {" is playing ", false, ChatColour::Normal},
                {"alone.", true, ChatColour::Player}},
            false},
        {".;" + options({}),
            {{"\r\n*** Game Settings - Special Blocks Disabled, Classic Mode Disabled, Common Level Disabled",
                false, ChatColour::Server}},
            false},
        {".;" + options({.specials = 0, .classic = 1, .samelevel = 1, .linespecial = 1}),
            {{"\r\n*** Game Settings - Special Blocks Disabled, Classic Mode Enabled, Common Level Enabled",
                false, ChatColour::Server}},
            false},
        {".;" + options({.specials = 1, .linespecial = 1}),
            {{"\r\n*** Game Settings - Special Blocks Enabled, Special Multiplier Enabled, Classic Mode "
              "Disabled, Common Level Disabled",
                false, ChatColour::Server}},
            false},
        {".;" + options({.specials = 1}),
            {{"\r\n*** Game Settings - Special Blocks Enabled, Special Multiplier Disabled, Classic Mode "
              "Disabled, Common Level Disabled",
                false, ChatColour::Server}},
            false},
    };
    state().Options.sounds = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(show(c.line));
        view.chat.clear();
        rig.host.sounds.clear();
        deliver({c.line});
        EXPECT_EQ(view.chat, c.chat);
        EXPECT_EQ(
            rig.host.sounds, c.sound ? std::vector<SoundSlot>{SoundSlot::Chat} : std::vector<SoundSlot>{});
    }
    EXPECT_EQ(client.roster().player(2)->Team, "\r");
    EXPECT_TRUE(state().Rules.specials);

    // Boxes: a taken spot, no players, a bad room name.
    deliver({"[", "]", "l"});
    EXPECT_EQ(view.errors,
        (std::vector<Bytes>{"That player spot is not available!", "No players available, can't start game!",
            "Room name must be alpha-numeric and no longer than 12 characters!"}));
}

TEST_F(ClientTest, HostileLinesLeaveTheClientRunning)
{
    join(1, {2, 0, 0, 0, 0, 0}, false, {playerRecord('\\', 2, "Bob")});
    const Bytes shortDump(263, static_cast<char>(wire::kEmptyCellByte));
    const std::vector<Bytes> hostile = {
        "Z;\x97",
        "Z;\xff\x97",
        "Z;\x98\x9d",
        "Z;\x98\x95",
        "&",
        "&;\x20red",
        "3",
        "3;\xc0",
        "k;\x10",
        "I",
        "I;\x99",
        "Q",
        "Q;\x10name\tteam",
        "\\;",
        "-;",
        "-;\x96,\x96\x96\x96\x96\x96\x96\x96",
        "t;\x97",
        "W;\x98" + shortDump,
        "W;\xf0" + shortDump + "\xaa",
        "5;\x98\x01\x02\x03",
        "5;\x99\xa0\xa0\xaa",
        "5",
        "K",
        "K;\x10",
        "F",
        "F;\x98",
        "F;\x98\xff",
        "F;\x10\x97",
        "6",
        "6;\x97",
        "E;\xff",
        "6;\xf0\xf1",
        "E;\xf0\xf1",
        "J;\x98",
        "X;abc",
        "X",
        ".;short",
        "*",
        "*;\xee"
        "hi",
        "Y;\x10",
        "f;",
        "d;\x01",
        "~",
        "\x01",
        "S",
        "T",
        "G",
        "s",
        ";",
        "\x97;x",
        "w;\x97",
        "(",
        "4;\x98",
        "H",
    };
    // The only answers: Add Line and Block Bomb between two unknown players are still logged
    // and reported on, as for any special aimed at someone else.
    EXPECT_EQ(deliver(hostile), (std::vector<Bytes>{"5;S", "5;S"}));
    EXPECT_TRUE(client.Connected());
    EXPECT_EQ(client.roster().HighestPlayerIndex(), 2);
    EXPECT_EQ(client.roster().spotPlayer(1), 2);
    EXPECT_EQ(client.roster().player(2)->Name, "Bob");
    EXPECT_EQ(client.roster().player(2)->Team, "\r");
    EXPECT_EQ(client.MyIndex(), 1);
    EXPECT_TRUE(view.errors.empty());
    for (const auto& column : state().FieldOccupied[1])
        for (int16_t cell : column)
            EXPECT_EQ(cell, kCellEmpty);
    EXPECT_TRUE(rig.effects.calls.empty());
    EXPECT_EQ(state().ActiveLevel, 0);
}
