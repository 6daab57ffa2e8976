// Rooms of outside servers on the client: the room list asked for and stored, one room's
// information, joining and creating rooms (with the room's options), the room password box,
// being placed in a room, and the answer to an administrator login.

#include "common/optiontext.h"
#include "common/vbconv.h"
#include "net/clientview.h"
#include "net/internetclient.h"
#include "net/usertext.h"
#include "net/wire/toserver.h"

#include <algorithm>
#include <utility>

namespace kalvon {

using namespace wire;

namespace {

// A room's option at a position 1..40 of the options string.
int option(const toClient::RoomList& room, int position)
{
    return room.options[static_cast<std::size_t>(position - 1)];
}

// A room's rule switch: on only for the value 1.
Bytes yesNo(bool on)
{
    return YesNoText(on ? -1 : 0);
}

Bytes line(const char* label, BytesView value)
{
    return Bytes(label) + Bytes(value) + "\r\n";
}

RoomInfoText roomInfoText(const toClient::RoomList& room)
{
    BlockOccurancy occurancy{};
    for (std::size_t i = 0; i < kOccurancyOrder.size(); ++i)
        occurancy[static_cast<std::size_t>(kOccurancyOrder[i])]
            = static_cast<int16_t>(room.options[kGameOptionsLength - kPlayingSlots - kOccurancyEntries + i]);
    const auto percent
        = [&occurancy](int entry) { return PercentText(occurancy[static_cast<std::size_t>(entry)]); };
    const auto number = [&room](int position) { return vb::formatInt(option(room, position)); };
    const auto on = [&room](int position) { return yesNo(IsOne(option(room, position))); };

    RoomInfoText text;
    text.rules = line("Room Name: ", room.name) + line("Passworded: ", yesNo(room.passworded))
        + line("Number of clients: ", vb::formatInt(room.clients))
        + line("Number of players: ", vb::formatInt(room.players))
        + line("Game currently in progress: ", yesNo(room.inProgress)) + line("Specials enabled: ", on(7))
        + line("Same level: ", on(10)) + line("Classic mode: ", on(8)) + line("Special multiplier: ", on(11))
        + line("Piece delay: ", number(1)) + line("Starting Level: ", number(9))
        + line("Special inventory size: ", number(6)) + line("Lines needed to raise level: ", number(2))
        + line("Number of levels raised: ", number(3)) + line("Lines needed to create special: ", number(4))
        + line("Number of specials created: ", number(5));

    static constexpr std::array<std::pair<const char*, int>, kPieceTypes> kPieces = { {
        { "'Line' block occurancy: ", 1 },
        { "'Square' block occurancy: ", 4 },
        { "'T' block occurancy: ", 0 },
        { "'S' block occurancy: ", 3 },
        { "'Z' block occurancy: ", 2 },
        { "'L' block occurancy: ", 5 },
        { "'Backwards L' block occurancy: ", 6 },
    } };
    for (const auto& [label, piece] : kPieces)
        text.pieces += line(label, percent(piece));

    static constexpr std::array<std::pair<const char*, int>, kSpecialTypes> kSpecials = { {
        { "Add Line: ", 0 },
        { "Block Bomb: ", 14 },
        { "Clear Line: ", 1 },
        { "Clear Specials: ", 5 },
        { "Drop Block: ", 10 },
        { "Flash Screen: ", 9 },
        { "Give Line: ", 11 },
        { "Gravity: ", 6 },
        { "Holy Shield: ", 15 },
        { "Nuke Field: ", 2 },
        { "Push Field: ", 8 },
        { "Quake: ", 7 },
        { "Random Clear: ", 3 },
        { "Switch Fields: ", 4 },
        { "Tremor: ", 12 },
        { "Vertical Clear: ", 13 },
    } };
    for (const auto& [label, special] : kSpecials)
        text.specials.push_back(Bytes(label) + percent(kPieceTypes + special));
    return text;
}

Bytes passwordOrNone(BytesView password)
{
    Bytes field = payloadField(password);
    return field.empty() ? Bytes(kNoPassword) : field;
}

} // namespace

void InternetClient::RequestRoomList()
{
    m_view.clearRoomList();
    m_view.setRoomsCaption("Rooms - 0");
    m_Rooms.clear();
    ShowRoomInfo({});
    send(toServer::ListRooms{});
}

void InternetClient::ClientMsgRoomList(const toClient::RoomList& message)
{
    if (static_cast<int>(m_Rooms.size()) >= kMaxRooms)
        return;
    m_Rooms.push_back(message);
    m_view.addRoom(message.name);
    m_view.setRoomsCaption("Rooms - " + vb::formatInt(static_cast<int64_t>(m_Rooms.size())));
    m_view.setEnabled(ClientControl::RefreshRooms, true);
    if (m_Rooms.size() == 1) {
        m_view.selectRoom(0);
        ShowRoomInfo(message.name);
    }
}

void InternetClient::ShowRoomInfo(BytesView room)
{
    const auto found = std::find_if(m_Rooms.begin(), m_Rooms.end(),
        [room](const toClient::RoomList& listed) { return listed.name == room; });
    if (found == m_Rooms.end()) {
        m_view.showRoomInfo({ kNoRoomSelected, {}, {} });
        return;
    }
    m_view.showRoomInfo(roomInfoText(*found));
}

void InternetClient::JoinRoomCommand(BytesView argument)
{
    const auto space = argument.find(' ');
    const Bytes room = payloadField(argument.substr(0, space));
    if (room.size() > kMaxRoomName) {
        m_view.showError("Room name must be no longer than 12 alpha-numeric characters!");
        return;
    }
    const BytesView password = space == BytesView::npos ? BytesView() : argument.substr(space + 1);
    send(toServer::JoinRoom{ room, passwordOrNone(password) });
}

bool InternetClient::joinRoom(BytesView room)
{
    const Bytes name = payloadField(room);
    if (name.empty()) {
        m_view.showError("You need to enter a room to join!");
        return false;
    }
    send(toServer::JoinRoom{ name, Bytes(kNoPassword) });
    for (ClientControl control :
        { ClientControl::JoinRoom, ClientControl::JoinRoomBox, ClientControl::RoomList })
        m_view.setEnabled(control, false);
    return true;
}

bool InternetClient::roomNameAccepted(BytesView room)
{
    if (room.empty()) {
        m_view.showError("You need to enter a room name!");
        return false;
    }
    if (room.size() > kMaxRoomName) {
        m_view.showError("Room name must be a maximum of 12 alpha-numeric characters!");
        return false;
    }
    return true;
}

bool InternetClient::createRoom(BytesView room, BytesView password)
{
    const Bytes name = payloadField(room);
    if (!roomNameAccepted(name))
        return false;
    send(toServer::JoinRoom{ name, passwordOrNone(password) });
    for (ClientControl control :
        { ClientControl::CreateRoom, ClientControl::RoomNameBox, ClientControl::RoomPasswordBox })
        m_view.setEnabled(control, false);
    return true;
}

bool InternetClient::createRoomWithOptions(BytesView room, BytesView password)
{
    const Bytes name = payloadField(room);
    if (!roomNameAccepted(name))
        return false;
    send(toServer::CreateRoom{ name, passwordOrNone(password), m_RoomCreateOptions.values });
    return true;
}

void InternetClient::ClientMsgInRoom(const toClient::InRoom& message)
{
    m_view.showChatBox();
    for (ClientControl control :
        { ClientControl::CreateRoom, ClientControl::JoinRoom, ClientControl::JoinRoomBox,
            ClientControl::RoomNameBox, ClientControl::RoomPasswordBox, ClientControl::RoomBrowser,
            ClientControl::RoomList, ClientControl::MenuRoomBrowser, ClientControl::MenuStartVote })
        m_view.setEnabled(control, true);
    // The new room's server announces its players.
    m_roster.clear();
    m_roster.recordFor(1);
    RefreshPlayerList();
    UpdateGameButtons(false);
    chat("\r\n*** You are in room \"" + message.room + "\"", false, ChatColour::Server);
}

void InternetClient::ClientMsgRoomPassword(const toClient::RoomPassword& message)
{
    // One box at a time: a server asking again while it is open is not heard.
    if (m_passwordRoom)
        return;
    m_passwordRoom = message.room;
    m_view.askRoomPassword(message.room);
}

void InternetClient::answerRoomPassword(const std::optional<Bytes>& answer)
{
    const std::optional<Bytes> room = std::exchange(m_passwordRoom, std::nullopt);
    if (!room || !answer)
        return;
    const Bytes password = payloadField(*answer);
    if (!password.empty())
        send(toServer::JoinRoom{ *room, password });
}

void InternetClient::ClientMsgAdminReply(const toClient::AdminReply& message)
{
    if (!message.accepted) {
        chat("\r\n*** Invalid admin password.", false, ChatColour::Server);
        return;
    }
    chat("\r\n*** Password accepted, administrator status given.", false, ChatColour::Server);
    m_IsAdmin = true;
    UpdateGameButtons(true);
    for (ClientControl control :
        { ClientControl::MenuBanPlayer, ClientControl::MenuBanSpec, ClientControl::MenuKickPlayer,
            ClientControl::MenuKickSpec, ClientControl::MenuPlayerMove, ClientControl::MenuSpecMove })
        m_view.setEnabled(control, true);
}

} // namespace kalvon
