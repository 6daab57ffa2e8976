#pragma once
// What a client sends to a game server: one struct per message, its encoder, and the decoder
// of a received line. Decoding checks what the layout fixes (lengths, separators, slot
// numbers, the cells of a field difference) and refuses a line that breaks it; whether an
// index names a connected player is the server's to check. Texts (names, teams, passwords)
// are kept as they travel: CR for no team or no password. The built-in server acts on some of
// these messages only; the others (rooms, administrators, rule votes) are for outside servers.

#include "common/bytes.h"
#include "engine/types.h"
#include "net/wire/codes.h"
#include "net/wire/field.h"
#include "net/wire/gameoptions.h"
#include "net/wire/line.h"
#include "net/wire/names.h"

#include <optional>
#include <variant>
#include <vector>

namespace kalvon::wire::toServer {

// The first line after connecting: team TAB name CR version.
struct Hello {
    static constexpr char code = MsgHello;
    Bytes team;
    Bytes name;
    Bytes version = Bytes(kGameVersion);
    bool operator==(const Hello&) const = default;
};

struct SetTeam {
    static constexpr char code = MsgSetTeam;
    Bytes team;
    bool operator==(const SetTeam&) const = default;
};

// The texts of chat, actions and team chat.
struct Chat {
    static constexpr char code = MsgChat;
    Bytes text;
    bool operator==(const Chat&) const = default;
};
struct Action {
    static constexpr char code = MsgAction;
    Bytes text;
    bool operator==(const Action&) const = default;
};
struct TeamChat {
    static constexpr char code = MsgTeamChat;
    Bytes text;
    bool operator==(const TeamChat&) const = default;
};

// The addressee's name in lower case, TAB, the text (which may hold further TABs).
struct Private {
    static constexpr char code = MsgPrivate;
    Bytes addressee;
    Bytes text;
    bool operator==(const Private&) const = default;
};

// The changes of the own field since the last report ("S" when none; "T" is read as "S").
struct FieldUpdate {
    static constexpr char code = MsgFieldUpdate;
    std::vector<CellChange> changes;
    bool operator==(const FieldUpdate&) const = default;
};

// A special used on a player, under the special's own code. The target is the one byte as it
// came: the server relays it as it is.
struct Special {
    SpecialType special = SpecialType::AddLine;
    int target = 0;
    bool operator==(const Special&) const = default;
};

// Lines sent to all by a line clear in classic mode (4, 2 or 1), relayed as they came; a count
// outside 1..4 is refused, as clients refuse its relay.
struct LinesToAll {
    static constexpr char code = MsgLinesToAll;
    int lines = 0;
    bool operator==(const LinesToAll&) const = default;
};

// A level step for the common level, echoed to all as it came; a level below 0 is refused, as
// clients refuse its echo.
struct CommonLevel {
    static constexpr char code = MsgCommonLevel;
    int level = 0;
    bool operator==(const CommonLevel&) const = default;
};

// A playing slot 1..6, or 0 to watch.
struct TakeSpot {
    static constexpr char code = MsgTakeSpot;
    int slot = 0;
    bool operator==(const TakeSpot&) const = default;
};

// A vote to kick a player (one byte), or on outside servers to change a rule (two bytes: the
// rule's position in the settings list and its new value).
struct CallKickVote {
    static constexpr char code = MsgCallVote;
    int subject = 0; // 1 or more
    bool operator==(const CallKickVote&) const = default;
};
struct CallRuleVote {
    static constexpr char code = MsgCallVote;
    int rule = 0; // 0 or more
    int value = 0; // 0 or more
    bool operator==(const CallRuleVote&) const = default;
};

// Administration of outside servers: a player name in lower case, a password, an address.
struct BanRequest {
    static constexpr char code = MsgBanRequest;
    Bytes name;
    bool operator==(const BanRequest&) const = default;
};
struct KickRequest {
    static constexpr char code = MsgKickRequest;
    Bytes name;
    bool operator==(const KickRequest&) const = default;
};
struct AdminLogin {
    static constexpr char code = MsgAdminLogin;
    Bytes password;
    bool operator==(const AdminLogin&) const = default;
};
struct RemoveBan {
    static constexpr char code = MsgRemoveBan;
    Bytes address;
    bool operator==(const RemoveBan&) const = default;
};
// Moves the named player to a slot 1..6, or 0 for the spectators.
struct MovePlayer {
    static constexpr char code = MsgMovePlayer;
    int slot = 0;
    Bytes name;
    bool operator==(const MovePlayer&) const = default;
};

// Rooms of outside servers: room name TAB password (kNoPassword for none) [TAB options].
struct JoinRoom {
    static constexpr char code = MsgJoinRoom;
    Bytes room;
    Bytes password = Bytes(kNoPassword);
    bool operator==(const JoinRoom&) const = default;
};
struct CreateRoom {
    static constexpr char code = MsgCreateRoom;
    Bytes room;
    Bytes password = Bytes(kNoPassword);
    RoomOptions options{};
    bool operator==(const CreateRoom&) const = default;
};

// The player in one slot, or -1 for an empty slot; sent for each slot 1..6 in order.
struct RequestField {
    static constexpr char code = MsgRequestField;
    int player = -1;
    bool operator==(const RequestField&) const = default;
};

using Quit = NoPayload<MsgQuit>;
using RequestIndex = NoPayload<MsgRequestIndex>;
using RequestSettings = NoPayload<MsgRequestSettings>;
using PlayerLost = NoPayload<MsgPlayerLost>;
using StartGame = NoPayload<MsgStartGame>;
using StopGame = NoPayload<MsgStopGame>;
using PauseGame = NoPayload<MsgPauseGame>;
using ResumeGame = NoPayload<MsgResumeGame>;
using VoteYes = NoPayload<MsgVoteYes>;
using VoteNo = NoPayload<MsgVoteNo>;
using ListRooms = NoPayload<MsgListRooms>;
using ListBans = NoPayload<MsgListBans>;

using Message = std::variant<Hello, Quit, SetTeam, RequestIndex, Chat, BanRequest, RequestSettings,
    FieldUpdate, Special, LinesToAll, PlayerLost, CommonLevel, StartGame, StopGame, PauseGame, ResumeGame,
    KickRequest, Action, TakeSpot, CallKickVote, CallRuleVote, VoteYes, VoteNo, TeamChat, Private, AdminLogin,
    JoinRoom, ListRooms, ListBans, RemoveBan, RequestField, CreateRoom, MovePlayer>;

// The message of a received line (without its CR LF); nothing for an empty line, a code no
// client sends, or a payload that breaks its message's layout.
std::optional<Message> decode(BytesView line);
std::optional<Message> decode(char code, BytesView payload);

// Each message as a line, without its CR LF.
Bytes encode(const Hello& message);
Bytes encode(const SetTeam& message);
Bytes encode(const Chat& message);
Bytes encode(const Action& message);
Bytes encode(const TeamChat& message);
Bytes encode(const Private& message);
Bytes encode(const FieldUpdate& message);
Bytes encode(const Special& message);
Bytes encode(const LinesToAll& message);
Bytes encode(const CommonLevel& message);
Bytes encode(const TakeSpot& message);
Bytes encode(const CallKickVote& message);
Bytes encode(const CallRuleVote& message);
Bytes encode(const BanRequest& message);
Bytes encode(const KickRequest& message);
Bytes encode(const AdminLogin& message);
Bytes encode(const RemoveBan& message);
Bytes encode(const MovePlayer& message);
Bytes encode(const JoinRoom& message);
Bytes encode(const CreateRoom& message);
Bytes encode(const RequestField& message);
Bytes encode(const Message& message);

} // namespace kalvon::wire::toServer
