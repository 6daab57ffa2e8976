// Rooms of outside servers, against a scripted server on loopback: the room list asked for,
// decoded and shown, the room commands' bytes and refusals, the room password box, the
// in-room notice, and the answer to an administrator login.

#include "clienttest.h"

#include <QTest>
#include <functional>

using namespace kalvon;
using namespace kalvon::testing;
namespace toClient = kalvon::wire::toClient;
namespace toServer = kalvon::wire::toServer;

namespace {

wire::RoomOptions roomDefaults()
{
    RoomCreateOptions options;
    options.ResetRoomOptions();
    return options.values;
}

// A room as a server lists it, with the room-creation defaults as its rules (whose switches
// are -1, so the room list reads them as off) and a few rules of its own.
Bytes roomLine(BytesView name, int clients = 2, int players = 1, bool running = false, bool password = false)
{
    toClient::RoomList room{ clients, players, running, password, Bytes(name), roomDefaults() };
    room.options[6] = 1; // specials, on only as 1
    room.options[2] = 3; // levels raised
    room.options[32] = 0; // Block Bomb, shown as "Off"
    return encode(room);
}

} // namespace

class ClientRoomsTest : public ClientTest {
protected:
    // What the client sent until the marker a vote answer sends.
    std::vector<Bytes> sentUntilMarker()
    {
        client.answerVote(true);
        return server.linesUntil("_").value_or(std::vector<Bytes>{ "<the marker did not come>" });
    }
};

TEST_F(ClientRoomsTest, TheRoomListIsAskedForDecodedAndTheFirstRoomShown)
{
    join(1);
    client.RequestRoomList();
    EXPECT_LINE(&server, Bytes("i"));
    EXPECT_EQ(view.roomsCaption, "Rooms - 0");
    EXPECT_EQ(view.roomInfo, (RoomInfoText{ kNoRoomSelected, {}, {} }));

    deliver({ roomLine("den", 3, 2, true, false), roomLine("vault", 1, 0, false, true), roomLine("den", 5) });
    EXPECT_EQ(view.rooms, (std::vector<Bytes>{ "den", "vault", "den" }));
    EXPECT_EQ(view.roomsCaption, "Rooms - 3");
    EXPECT_TRUE(view.isEnabled(ClientControl::RefreshRooms));
    EXPECT_EQ(view.selectedRoom, 0);
    EXPECT_EQ(view.roomInfo.rules,
        "Room Name: den\r\nPassworded: No\r\nNumber of clients: 3\r\nNumber of players: 2\r\n"
        "Game currently in progress: Yes\r\nSpecials enabled: Yes\r\nSame level: No\r\nClassic mode: No\r\n"
        "Special multiplier: No\r\nPiece delay: 0\r\nStarting Level: 1\r\nSpecial inventory size: 16\r\n"
        "Lines needed to raise level: 1\r\nNumber of levels raised: 3\r\nLines needed to create special: "
        "1\r\n"
        "Number of specials created: 1\r\n");
    EXPECT_EQ(view.roomInfo.pieces,
        "'Line' block occurancy: 15%\r\n'Square' block occurancy: 15%\r\n'T' block occurancy: 14%\r\n"
        "'S' block occurancy: 14%\r\n'Z' block occurancy: 14%\r\n'L' block occurancy: 14%\r\n"
        "'Backwards L' block occurancy: 14%\r\n");
    EXPECT_EQ(view.roomInfo.specials,
        (std::vector<Bytes>{ "Add Line: 13%", "Block Bomb: Off", "Clear Line: 13%", "Clear Specials: 12%",
            "Drop Block: 2%", "Flash Screen: 6%", "Give Line: 6%", "Gravity: 3%", "Holy Shield: 3%",
            "Nuke Field: 2%", "Push Field: 2%", "Quake: 6%", "Random Clear: 9%", "Switch Fields: 3%",
            "Tremor: 5%", "Vertical Clear: 5%" }));

    // Names match exactly; of two rooms of one name the first is shown.
    client.ShowRoomInfo("vault");
    EXPECT_NE(view.roomInfo.rules.find("Passworded: Yes\r\nNumber of clients: 1\r\n"), Bytes::npos);
    client.ShowRoomInfo("DEN");
    EXPECT_EQ(view.roomInfo.rules, kNoRoomSelected);
    client.ShowRoomInfo("den");
    EXPECT_NE(view.roomInfo.rules.find("Number of clients: 3\r\n"), Bytes::npos);
    // A line that breaks the layout is no room.
    deliver({ wire::makeLine(toClient::MsgRoomList, pc(1) + pc(1) + pc(0) + pc(0) + "short\tdddd") });
    EXPECT_EQ(view.rooms.size(), 3u);

    // A new request starts from an empty list.
    client.RequestRoomList();
    EXPECT_LINE(&server, Bytes("i"));
    EXPECT_TRUE(view.rooms.empty());
    EXPECT_TRUE(client.rooms().empty());
    EXPECT_EQ(view.roomInfo.rules, kNoRoomSelected);
}

TEST_F(ClientRoomsTest, TheRoomListStopsAtAThousandRooms)
{
    join(1);
    client.RequestRoomList();
    std::vector<Bytes> lines;
    for (int i = 0; i < InternetClient::kMaxRooms + 5; ++i)
        lines.push_back(roomLine("r" + std::to_string(i)));
    deliver(lines);
    EXPECT_EQ(client.rooms().size(), static_cast<std::size_t>(InternetClient::kMaxRooms));
    EXPECT_EQ(view.rooms.size(), static_cast<std::size_t>(InternetClient::kMaxRooms));
    EXPECT_EQ(view.roomsCaption, "Rooms - 1000");
}

TEST_F(ClientRoomsTest, RoomCommandsSendTheirBytesOrRefuseWithAMessage)
{
    join(1);
    struct Case {
        const char* what;
        std::function<bool(InternetClient&)> act;
        const char* line; // nothing sent when null
        const char* error;
    };
    const auto command = [](const char* argument) {
        return [argument](InternetClient& c) {
            c.JoinRoomCommand(argument);
            return true;
        };
    };
    const Case cases[] = {
        { "/join lobby", command("lobby"), "h;lobby\t\r", nullptr },
        { "/join with a password", command("lobby secret"), "h;lobby\tsecret", nullptr },
        { "/join with a space only", command("lobby "), "h;lobby\t\r", nullptr },
        { "/join 12 characters", command("abcdefghijkl pw"), "h;abcdefghijkl\tpw", nullptr },
        { "/join 13 characters", command("abcdefghijklm"), nullptr,
            "Room name must be no longer than 12 alpha-numeric characters!" },
        { "join button", [](InternetClient& c) { return c.joinRoom("den"); }, "h;den\t\r", nullptr },
        { "join button, no room", [](InternetClient& c) { return c.joinRoom(""); }, nullptr,
            "You need to enter a room to join!" },
        { "quick create", [](InternetClient& c) { return c.createRoom("den", "pw"); }, "h;den\tpw", nullptr },
        { "quick create, no password", [](InternetClient& c) { return c.createRoom("den", ""); }, "h;den\t\r",
            nullptr },
        // Pasted line ends and TABs would smuggle in messages or shift the fields.
        { "quick create, pasted", [](InternetClient& c) { return c.createRoom("d\te\r\nn", "p\tw\r\nM"); },
            "h;den\tpwM", nullptr },
        { "quick create, no name", [](InternetClient& c) { return c.createRoom("", "pw"); }, nullptr,
            "You need to enter a room name!" },
        { "quick create, 13 characters", [](InternetClient& c) { return c.createRoom("abcdefghijklm", ""); },
            nullptr, "Room name must be a maximum of 12 alpha-numeric characters!" },
        { "create with options, 13 characters",
            [](InternetClient& c) { return c.createRoomWithOptions("abcdefghijklm", ""); }, nullptr,
            "Room name must be a maximum of 12 alpha-numeric characters!" },
    };
    for (const Case& c : cases) {
        view.clear();
        const bool sent = c.act(client);
        const std::vector<Bytes> lines = sentUntilMarker();
        std::vector<Bytes> expected;
        if (c.line)
            expected.emplace_back(c.line);
        expected.emplace_back("_");
        EXPECT_EQ(lines, expected) << c.what;
        EXPECT_EQ(view.errors, c.error ? std::vector<Bytes>{ c.error } : std::vector<Bytes>{}) << c.what;
        // The buttons tell whether they sent (the command always answers true here).
        EXPECT_EQ(sent, c.line != nullptr || c.what[0] == '/') << c.what;
    }
    // The join button's controls wait for the server's answer.
    EXPECT_FALSE(view.isEnabled(ClientControl::JoinRoom, true));
    EXPECT_FALSE(view.isEnabled(ClientControl::CreateRoom, true));
}

TEST_F(ClientRoomsTest, CreatingARoomSendsItsNamePasswordAndOptions)
{
    join(1);
    client.roomCreateOptions().ResetRoomOptions();
    ASSERT_TRUE(client.createRoomWithOptions("den", ""));
    EXPECT_LINE(&server, encode(toServer::CreateRoom{ "den", "\r", roomDefaults() }));
    ASSERT_TRUE(client.roomCreateOptions().change(7, "5")); // Levels raised
    ASSERT_FALSE(client.roomCreateOptions().change(7, "51"));
    ASSERT_TRUE(client.createRoomWithOptions("den", "pw"));
    const std::optional<Bytes> line = server.nextLine();
    ASSERT_TRUE(line);
    EXPECT_EQ(line->substr(0, 9), "|;den\tpw\t");
    ASSERT_EQ(line->size(), 9u + 40u);
    EXPECT_EQ(static_cast<unsigned char>((*line)[9 + 2]), 105);
}

TEST_F(ClientRoomsTest, OnePasswordBoxAtATimeAndOnlyAnAnswerIsSent)
{
    join(1);
    deliver({ encode(toClient::RoomPassword{ "den" }), encode(toClient::RoomPassword{ "vault" }) });
    // The second request finds the box open and is not heard.
    EXPECT_EQ(view.calls, (std::vector<std::string>{ "askRoomPassword den" }));
    EXPECT_TRUE(client.roomPasswordAsked());
    client.answerRoomPassword(Bytes("open\tsesame"));
    EXPECT_FALSE(client.roomPasswordAsked());
    EXPECT_EQ(sentUntilMarker(), (std::vector<Bytes>{ "h;den\topensesame", "_" }));

    // Cancelled and empty answers send nothing; each answer lets the next request through.
    for (const std::optional<Bytes>& answer : { std::optional<Bytes>{}, std::optional<Bytes>{ "" } }) {
        view.clear();
        deliver({ encode(toClient::RoomPassword{ "vault" }) });
        EXPECT_EQ(view.count("askRoomPassword vault"), 1);
        client.answerRoomPassword(answer);
        EXPECT_EQ(sentUntilMarker(), (std::vector<Bytes>{ "_" }));
    }

    // A box still open when the connection ends is taken away; a late answer sends nothing.
    deliver({ encode(toClient::RoomPassword{ "den" }) });
    view.clear();
    server.close();
    ASSERT_TRUE(QTest::qWaitFor([this] { return view.count("closeRoomPassword") == 1; }, kEventWaitMs));
    client.answerRoomPassword(Bytes("late"));
    EXPECT_FALSE(client.roomPasswordAsked());
}

TEST_F(ClientRoomsTest, PlacedInARoomTheChatComesBackAndTheRosterStartsAgain)
{
    join(1, { 2, 0, 0, 0, 0, 0 }, false, { rosterRecord(2, "Bob"), rosterRecord(3, "Cy") });
    EXPECT_FALSE(view.isEnabled(ClientControl::MenuStartVote));
    deliver({ encode(toClient::InRoom{ "den" }) });
    EXPECT_EQ(view.count("showChatBox"), 1);
    for (ClientControl control :
        { ClientControl::CreateRoom, ClientControl::JoinRoom, ClientControl::JoinRoomBox,
            ClientControl::RoomNameBox, ClientControl::RoomPasswordBox, ClientControl::RoomBrowser,
            ClientControl::RoomList, ClientControl::MenuRoomBrowser, ClientControl::MenuStartVote })
        EXPECT_TRUE(view.isEnabled(control)) << static_cast<int>(control);
    EXPECT_EQ(client.roster().HighestPlayerIndex(), 1);
    EXPECT_TRUE(view.spectatorList.empty());
    EXPECT_FALSE(view.isEnabled(ClientControl::StartGame, true));
    EXPECT_EQ(view.chatLines(), (std::vector<Bytes>{ "*** You are in room \"den\"" }));
    EXPECT_EQ(view.chat.back().colour, ChatColour::Server);
}

TEST_F(ClientRoomsTest, AnAcceptedAdministratorLoginGivesTheGameButtonsAndAdministration)
{
    const ClientControl adminItems[]
        = { ClientControl::MenuBanPlayer, ClientControl::MenuBanSpec, ClientControl::MenuKickPlayer,
              ClientControl::MenuKickSpec, ClientControl::MenuPlayerMove, ClientControl::MenuSpecMove };
    join(1);
    deliver({ encode(toClient::AdminReply{ false }) });
    EXPECT_EQ(view.chatLines(), (std::vector<Bytes>{ "*** Invalid admin password." }));
    EXPECT_FALSE(client.IsAdmin());
    EXPECT_FALSE(view.isEnabled(ClientControl::StartGame));
    for (ClientControl control : adminItems)
        EXPECT_FALSE(view.isEnabled(control)) << static_cast<int>(control);

    view.clear();
    deliver({ encode(toClient::AdminReply{ true }) });
    EXPECT_EQ(view.chatLines(), (std::vector<Bytes>{ "*** Password accepted, administrator status given." }));
    EXPECT_TRUE(client.IsAdmin());
    EXPECT_TRUE(view.isEnabled(ClientControl::StartGame));
    EXPECT_TRUE(view.isEnabled(ClientControl::MenuStart));
    EXPECT_FALSE(view.isEnabled(ClientControl::PauseGame)); // no game runs
    for (ClientControl control : adminItems)
        EXPECT_TRUE(view.isEnabled(control)) << static_cast<int>(control);
}
