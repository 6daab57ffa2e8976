// The lobby on the client: the welcomes, roster records and leaves, spot changes with their
// labels, lists, buttons and boards, every chat and notice form, and hostile lines.

#include "clienttest.h"

#include <QTest>

using namespace kalvon;
using namespace kalvon::testing;
namespace toClient = kalvon::wire::toClient;
namespace toServer = kalvon::wire::toServer;

namespace {

std::vector<Bytes> spotRequests(const std::vector<int>& holders)
{
    std::vector<Bytes> lines;
    for (int holder : holders)
        lines.push_back(encode(toServer::RequestField{ holder }));
    return lines;
}

const Bytes kIndexRequest = encode(toServer::RequestIndex{});
const Bytes kSettingsRequest = encode(toServer::RequestSettings{});

} // namespace

TEST_F(ClientTest, WelcomeBringsTheClientIntoTheLobby)
{
    connect("Ann", "red");
    server.sendLine(welcomeLine(3));
    EXPECT_LINE(&server, kIndexRequest);
    EXPECT_LINE(&server, kSettingsRequest);

    EXPECT_EQ(client.MyIndex(), 3);
    EXPECT_EQ(client.roster().HighestPlayerIndex(), 3);
    EXPECT_EQ(view.chatLines(),
        std::vector<Bytes>{ "*** Connected to server(127.0.0.1:" + std::to_string(server.port()) + ")." });
    EXPECT_EQ(view.spectatorList, std::vector<Bytes>{ "Ann" });
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
    server.sendLines(
        { rosterRecord(1, "Bob"), rosterRecord(2, "Cy"), welcomeLine(3, { 1, 0, 2, 0, 0, 0 }, true) });
    ASSERT_TRUE(server.linesUntil(kIndexRequest));
    const std::optional<std::vector<Bytes>> sent = server.linesUntil(kSettingsRequest);
    ASSERT_TRUE(sent);
    std::vector<Bytes> expected = { kIndexRequest, kIndexRequest };
    for (const Bytes& request : spotRequests({ 1, -1, 2, -1, -1, -1 }))
        expected.push_back(request);
    expected.push_back(kSettingsRequest);
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
        (std::vector<Bytes>{ "1. Bob", "2. (Not Playing)", "3. Cy", "4. (Not Playing)", "5. (Not Playing)",
            "6. (Not Playing)" }));
}

TEST_F(ClientTest, RosterRecordsArePrintedAndListed)
{
    join(3);
    struct Case {
        Bytes line;
        std::vector<ChatRun> chat;
    };
    const std::vector<Case> cases = {
        { encode(toClient::PlayerJoined{ 7, "Bob", "\r" }),
            { { "\r\nBob", true, ChatColour::Player }, { " has connected", false, ChatColour::Normal },
                { "\r\nBob", true, ChatColour::Player }, { " is playing ", false, ChatColour::Normal },
                { "alone.", true, ChatColour::Team } } },
        { encode(toClient::PlayerEnteredRoom{ 5, "Cy", "red" }),
            { { "\r\nCy", true, ChatColour::Player }, { " has entered the room.", false, ChatColour::Normal },
                { "\r\nCy", true, ChatColour::Player }, { " is on team ", false, ChatColour::Normal },
                { "red", true, ChatColour::Team } } },
        { rosterRecord(1, "Di", "blue"), {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(show(c.line));
        view.chat.clear();
        deliver({ c.line });
        EXPECT_EQ(view.chat, c.chat);
    }
    // The table grew to index 7; the indices never named stay out of the lists.
    EXPECT_EQ(client.roster().HighestPlayerIndex(), 7);
    EXPECT_EQ(view.spectatorList, (std::vector<Bytes>{ "Di", "Ann", "Cy", "Bob" }));

    deliver({ encode(toClient::SpotChanged{ 7, 2 }), encode(toClient::SpotChanged{ 5, 4 }) });
    EXPECT_EQ(view.playerList,
        (std::vector<Bytes>{ "1. (Not Playing)", "2. Bob", "3. (Not Playing)", "4. Cy - red",
            "5. (Not Playing)", "6. (Not Playing)" }));
    EXPECT_EQ(view.spectatorList, (std::vector<Bytes>{ "Di", "Ann" }));
    EXPECT_EQ(view.spotLabels.at(1), "2. Bob");
    EXPECT_EQ(view.spotLabels.at(3), "4. Cy");
}

TEST_F(ClientTest, PlayersLeavingEmptyTheirSpotsAndBoards)
{
    join(1, { 0, 2, 0, 0, 0, 0 }, false, { rosterRecord(2, "Bob"), rosterRecord(3, "Cy") });
    deliver({ encode(toClient::SpotChanged{ 1, 1 }) });
    view.clear();

    // Bob in spot 2 leaves while this client plays in spot 1: his board 1 shuts at once.
    deliver({ encode(toClient::PlayerLeft{ 2 }), encode(toClient::PlayerLeftRoom{ 3 }),
        encode(toClient::PlayerLeft{ 1 }) });
    EXPECT_EQ(view.chatLines(), (std::vector<Bytes>{ "Bob has disconnected.", "Cy has left the room." }));
    EXPECT_EQ(view.calls,
        (std::vector<std::string>{ "StartLostFieldAnimation 1", "UpdateInternetFieldBlocks 1",
            "DrawNetPlayerField 1", "finishLostFieldAnimation 1" }));
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
    for (const Case& c : { Case{ 1, false, true }, Case{ 3, false, false }, Case{ 3, true, true } }) {
        SCOPED_TRACE(c.spot);
        rig.host.hostingServer = c.hosting;
        join(2, { 0, 0, 0, 0, 0, 0 }, false, { rosterRecord(1, "Bob") });
        deliver({ encode(toClient::SpotChanged{ 2, c.spot }) });
        EXPECT_EQ(view.isEnabled(ClientControl::StartGame), c.startEnabled);
        EXPECT_EQ(view.isEnabled(ClientControl::MenuStart), c.startEnabled);
        EXPECT_FALSE(view.isEnabled(ClientControl::JoinGame, true));
        EXPECT_TRUE(view.isEnabled(ClientControl::Spectate));
        EXPECT_EQ(view.spotLabels.at(0), std::to_string(c.spot) + ". Ann");
        EXPECT_EQ(view.chat,
            (std::vector<ChatRun>{ { "\r\nAnn", true, ChatColour::Player },
                { " has joined the game as ", false, ChatColour::Player },
                { "Player " + std::to_string(c.spot), true, ChatColour::Player } }));

        // Bob taking spot 1 opens his board; his moving to the spectators closes it again and
        // leaves this client's buttons alone.
        view.clear();
        view.enabled.clear();
        deliver({ encode(toClient::SpotChanged{ 1, c.spot == 1 ? 2 : 1 }),
            encode(toClient::SpotChanged{ 1, 0 }) });
        EXPECT_EQ(view.calls,
            (std::vector<std::string>{ "ResetLostFieldAnimation 1", "StartLostFieldAnimation 1" }));
        EXPECT_TRUE(view.enabled.empty());
        EXPECT_EQ(view.chatLines().back(), "Bob is now Spectating");
        client.disconnectFromServer();
        view.clear();
    }
}

TEST_F(ClientTest, SpotChangesDuringAGame)
{
    join(1, { 0, 0, 0, 0, 0, 0 }, false, { rosterRecord(2, "Bob") });
    deliver({ encode(toClient::SpotChanged{ 1, 1 }) });
    startGame();
    ASSERT_TRUE(state().GameActive);

    // A player who takes a spot during a game sits it out on a board of random blocks.
    deliver({ encode(toClient::SpotChanged{ 2, 3 }) });
    EXPECT_TRUE(client.roster().player(2)->Dead);
    EXPECT_EQ(view.count("FillLostFieldRandom 2"), 1);

    // Moving to the spectators ends this client's own game; the server is told it lost.
    const std::vector<Bytes> sent = deliver({ encode(toClient::SpotChanged{ 1, 0 }) });
    EXPECT_EQ(sent, std::vector<Bytes>{ encode(toServer::PlayerLost{}) });
    EXPECT_FALSE(state().GameActive);
    EXPECT_TRUE(client.roster().Spectating);
    EXPECT_TRUE(view.isEnabled(ClientControl::JoinGame));
    EXPECT_FALSE(view.isEnabled(ClientControl::StartGame, true));
    EXPECT_EQ(view.chatLines().back(), "Ann is now Spectating");
}

TEST_F(ClientTest, ChatAndNoticeForms)
{
    join(1, {}, false, { rosterRecord(2, "Bob") });
    struct Case {
        Bytes line;
        std::vector<ChatRun> chat;
        bool sound;
    };
    const std::vector<Case> cases = {
        { encode(toClient::ChatLine{ 1, "hi;there" }),
            { { "\r\n<Ann> ", true, ChatColour::Client }, { "hi;there", false, ChatColour::Normal } }, true },
        { encode(toClient::ChatLine{ 2, "" }),
            { { "\r\n<Bob> ", true, ChatColour::Other }, { "", false, ChatColour::Normal } }, true },
        { encode(toClient::TeamChatLine{ 2, "go" }),
            { { "\r\n(Bob) ", true, ChatColour::Other }, { "go", false, ChatColour::Normal } }, true },
        { encode(toClient::ActionLine{ 2, "waves" }), { { "\r\n*Bob waves", false, ChatColour::Action } },
            true },
        { encode(toClient::PrivateLine{ 2, "psst" }),
            { { "\r\nMessage from Bob: psst", false, ChatColour::RecvMsg } }, false },
        { encode(toClient::PrivateUndelivered{}),
            { { "\r\n***User is not connected to server.", false, ChatColour::SendMsg } }, false },
        { encode(toClient::AlreadyVoted{}), { { "\r\nYou have already voted!", false, ChatColour::Vote } },
            false },
        { encode(toClient::AdminsOnly{}),
            { { "\r\n*** Only server administrators may use that command!", true, ChatColour::Server } },
            false },
        { encode(toClient::ServerText{ "Welcome" }),
            { { "\r\n*<Server>* ", true, ChatColour::Server }, { "Welcome", false, ChatColour::Normal } },
            false },
        { encode(toClient::TeamChanged{ 2, "red" }),
            { { "\r\nBob", true, ChatColour::Player }, { " is on team ", false, ChatColour::Normal },
                { "red", true, ChatColour::Player } },
            false },
        { encode(toClient::TeamChanged{ 2, "\r" }),
            { { "\r\nBob", true, ChatColour::Player }, { " is playing ", false, ChatColour::Normal },
                { "alone.", true, ChatColour::Player } },
            false },
        { encode(toClient::GameSettings{ {} }),
            { { "\r\n*** Game Settings - Special Blocks Disabled, Classic Mode Disabled, Common Level "
                "Disabled",
                false, ChatColour::Server } },
            false },
        { encode(toClient::GameSettings{ { .specials = 0, .classic = 1, .samelevel = 1, .linespecial = 1 } }),
            { { "\r\n*** Game Settings - Special Blocks Disabled, Classic Mode Enabled, Common Level Enabled",
                false, ChatColour::Server } },
            false },
        { encode(toClient::GameSettings{ { .specials = 1, .linespecial = 1 } }),
            { { "\r\n*** Game Settings - Special Blocks Enabled, Special Multiplier Enabled, Classic Mode "
                "Disabled, Common Level Disabled",
                false, ChatColour::Server } },
            false },
        { encode(toClient::GameSettings{ { .specials = 1 } }),
            { { "\r\n*** Game Settings - Special Blocks Enabled, Special Multiplier Disabled, Classic Mode "
                "Disabled, Common Level Disabled",
                false, ChatColour::Server } },
            false },
    };
    state().Options.sounds = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(show(c.line));
        view.chat.clear();
        rig.host.sounds.clear();
        deliver({ c.line });
        EXPECT_EQ(view.chat, c.chat);
        EXPECT_EQ(
            rig.host.sounds, c.sound ? std::vector<SoundSlot>{ SoundSlot::Chat } : std::vector<SoundSlot>{});
    }
    EXPECT_EQ(client.roster().player(2)->Team, "\r");
    EXPECT_TRUE(state().Rules.specials);

    // Boxes: a taken spot, no players, a bad room name.
    deliver(
        { encode(toClient::SpotTaken{}), encode(toClient::NoPlayers{}), encode(toClient::BadRoomName{}) });
    EXPECT_EQ(view.errors,
        (std::vector<Bytes>{ "That player spot is not available!", "No players available, can't start game!",
            "Room name must be alpha-numeric and no longer than 12 characters!" }));
}

TEST_F(ClientTest, HostileLinesLeaveTheClientRunning)
{
    join(1, { 2, 0, 0, 0, 0, 0 }, false, { rosterRecord(2, "Bob") });
    using namespace toClient;
    const Bytes shortDump(263, static_cast<char>(wire::kEmptyCellByte));
    const char addLine = wire::specialCode(SpecialType::AddLine);
    const char blockBomb = wire::specialCode(SpecialType::BlockBomb);
    toClient::SlotHolders freeSlots;
    freeSlots.fill(-1);
    // Players 3 and up are unknown here; indices below 1 name nobody.
    const std::vector<Bytes> hostile = {
        msg(MsgSpotChanged, pc(1)),
        encode(SpotChanged{ 105, 1 }),
        encode(SpotChanged{ 2, 7 }),
        encode(SpotChanged{ 2, -1 }),
        Bytes(1, MsgTeamChanged),
        encode(TeamChanged{ -118, "red" }),
        Bytes(1, MsgPlayerLeft),
        encode(PlayerLeft{ 42 }),
        encode(PlayerLeftRoom{ -134 }),
        Bytes(1, MsgPlayerOut),
        encode(PlayerOut{ 3 }),
        Bytes(1, MsgPlayerJoined),
        encode(PlayerJoined{ -134, "name", "team" }),
        msg(MsgPlayerInfo, ""),
        msg(MsgWelcome, ""),
        encode(Welcome{ 0, freeSlots, false }),
        msg(MsgWelcomeRoom, pc(1)),
        msg(MsgFullField, pc(2) + shortDump),
        encode(FullField{ 90, wire::FieldCells{} }),
        msg(MsgFieldRelay, pc(2) + "\x01\x02\x03"),
        encode(FieldRelay{ 3, { { 10, 10, wire::kEmptyCell } } }),
        Bytes(1, MsgFieldRelay),
        Bytes(1, MsgCommonLevel),
        encode(CommonLevel{ -134 }),
        Bytes(1, MsgLinesRelay),
        msg(MsgLinesRelay, pc(2)),
        encode(LinesRelay{ 2, 105 }),
        encode(LinesRelay{ -134, 1 }),
        Bytes(1, addLine),
        msg(addLine, pc(1)),
        msg(blockBomb, pc(105)),
        encode(SpecialRelay{ SpecialType::AddLine, 90, 91 }),
        encode(SpecialRelay{ SpecialType::BlockBomb, 90, 91 }),
        encode(GameOver{ { 2 } }),
        msg(MsgSwapField, "abc"),
        Bytes(1, MsgSwapField),
        msg(MsgGameSettings, "short"),
        Bytes(1, MsgChatLine),
        encode(ChatLine{ 88, "hi" }),
        encode(ActionLine{ -134, "" }),
        msg(MsgPrivateLine, ""),
        encode(TeamChatLine{ -149, "" }),
        // Codes that only clients send, and bytes that are no code at all.
        Bytes(1, toServer::MsgPlayerLost),
        Bytes(1, toServer::MsgRequestField),
        "~",
        "\x01",
        "S",
        "T",
        ";",
        "\x97;x",
        "w;\x97",
        "(",
        "4;\x98",
        encode(LostAck{}),
    };
    // The only answers: Add Line and Block Bomb between two unknown players are still logged
    // and reported on, as for any special aimed at someone else.
    const Bytes noChange = encode(toServer::FieldUpdate{});
    EXPECT_EQ(deliver(hostile), (std::vector<Bytes>{ noChange, noChange }));
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
