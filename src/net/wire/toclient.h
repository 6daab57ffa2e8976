#pragma once
// What a game server sends to a client: one struct per message, its encoder, and the decoder
// of a received line. Decoding checks what the layout fixes and what no receiver could use: a
// line whose main index is out of range (a player index below 1, a slot outside 0..6) or that
// breaks its layout is refused whole; a bad element inside a good line (a field triple out of
// range, a winner that is no player) is skipped. Whether an index names a known player is the
// client's to check against its roster. Texts are kept as they travel: CR for no team.
// Messages marked "outside servers" come only from dedicated servers with rooms.

#include "common/bytes.h"
#include "engine/types.h"
#include "net/wire/codes.h"
#include "net/wire/field.h"
#include "net/wire/gameoptions.h"
#include "net/wire/line.h"
#include "net/wire/names.h"

#include <array>
#include <optional>
#include <variant>
#include <vector>

namespace kalvon::wire::toClient {

// The holder of each playing slot: [1..6], -1 when free ([0] is unused and -1).
using SlotHolders = std::array<int, kPlayingSlots + 1>;

// The answer to a login: the own index, the slots' holders and whether a game runs. The
// built-in server writes a "," after the index; the room welcome of outside servers has none.
struct Welcome {
    static constexpr char code = MsgWelcome;
    int player = 0;
    SlotHolders holders{};
    bool gameRunning = false;
    bool operator==(const Welcome&) const = default;
};
struct WelcomeRoom {
    static constexpr char code = MsgWelcomeRoom;
    int player = 0;
    SlotHolders holders{};
    bool gameRunning = false;
    bool operator==(const WelcomeRoom&) const = default;
};

// The reply to an index request: the own index, 0 when the reply names no player.
struct YourIndex {
    static constexpr char code = MsgYourIndex;
    int index = 0;
    bool operator==(const YourIndex&) const = default;
};

// A roster record: PlayerChar(player), name, TAB, team (empty when the TAB is missing).
struct PlayerJoined {
    static constexpr char code = MsgPlayerJoined;
    int player = 0;
    Bytes name;
    Bytes team;
    bool operator==(const PlayerJoined&) const = default;
};
struct PlayerInfo {
    static constexpr char code = MsgPlayerInfo;
    int player = 0;
    Bytes name;
    Bytes team;
    bool operator==(const PlayerInfo&) const = default;
};
struct PlayerEnteredRoom { // outside servers
    static constexpr char code = MsgPlayerEnteredRoom;
    int player = 0;
    Bytes name;
    Bytes team;
    bool operator==(const PlayerEnteredRoom&) const = default;
};

struct PlayerLeft {
    static constexpr char code = MsgPlayerLeft;
    int player = 0;
    bool operator==(const PlayerLeft&) const = default;
};
struct PlayerLeftRoom { // outside servers
    static constexpr char code = MsgPlayerLeftRoom;
    int player = 0;
    bool operator==(const PlayerLeftRoom&) const = default;
};
struct PlayerOut {
    static constexpr char code = MsgPlayerOut;
    int player = 0;
    bool operator==(const PlayerOut&) const = default;
};

struct TeamChanged {
    static constexpr char code = MsgTeamChanged;
    int player = 0;
    Bytes team;
    bool operator==(const TeamChanged&) const = default;
};

// A player moved to a slot 1..6, or 0 to watch.
struct SpotChanged {
    static constexpr char code = MsgSpotChanged;
    int player = 0;
    int slot = 0;
    bool operator==(const SpotChanged&) const = default;
};

// Lines of chat: the sender, then the text.
struct ChatLine {
    static constexpr char code = MsgChatLine;
    int player = 0;
    Bytes text;
    bool operator==(const ChatLine&) const = default;
};
struct TeamChatLine { // outside servers
    static constexpr char code = MsgTeamChatLine;
    int player = 0;
    Bytes text;
    bool operator==(const TeamChatLine&) const = default;
};
struct ActionLine {
    static constexpr char code = MsgActionLine;
    int player = 0;
    Bytes text;
    bool operator==(const ActionLine&) const = default;
};
struct PrivateLine {
    static constexpr char code = MsgPrivateLine;
    int player = 0;
    Bytes text;
    bool operator==(const PrivateLine&) const = default;
};
// "f;0": the addressee of a private message is not connected (outside servers).
struct PrivateUndelivered {
    static constexpr char code = MsgPrivateLine;
    bool operator==(const PrivateUndelivered&) const = default;
};
struct ServerText { // outside servers
    static constexpr char code = MsgServerText;
    Bytes text;
    bool operator==(const ServerText&) const = default;
};

// The host's rules: "." whenever they change, "M" with the start of a game. A game starts
// even when its options are not 40 bytes; it then keeps the rules of the last one.
struct GameSettings {
    static constexpr char code = MsgGameSettings;
    HostRules options;
    bool operator==(const GameSettings&) const = default;
};
struct GameStarted {
    static constexpr char code = MsgGameStarted;
    std::optional<HostRules> options;
    bool operator==(const GameStarted&) const = default;
};

// The changes of a player's field; an empty list for "S" or "T".
struct FieldRelay {
    static constexpr char code = MsgFieldRelay;
    int player = 0;
    std::vector<CellChange> changes;
    bool operator==(const FieldRelay&) const = default;
};
// The whole field of the player holding a slot.
struct FullField {
    static constexpr char code = MsgFullField;
    int player = 0;
    FieldCells field;
    bool operator==(const FullField&) const = default;
};
// The field this client gets in a Switch Blocks exchange.
struct SwapField {
    static constexpr char code = MsgSwapField;
    FieldCells field;
    bool operator==(const SwapField&) const = default;
};

// A special relayed under its own code: who used it on whom. The indices are the bytes as
// they came; each is looked up when used.
struct SpecialRelay {
    SpecialType special = SpecialType::AddLine;
    int sender = 0;
    int target = 0;
    bool operator==(const SpecialRelay&) const = default;
};
// Lines (1, 2 or 4) a player's line clear sent to all.
struct LinesRelay {
    static constexpr char code = MsgLinesRelay;
    int sender = 0;
    int lines = 0;
    bool operator==(const LinesRelay&) const = default;
};
// The common level, 0..100 (a larger level reads as 100).
struct CommonLevel {
    static constexpr char code = MsgCommonLevel;
    int level = 0;
    bool operator==(const CommonLevel&) const = default;
};
// The winners, joined by "," on the wire; may be empty.
struct GameOver {
    static constexpr char code = MsgGameOver;
    std::vector<int> winners;
    bool operator==(const GameOver&) const = default;
};

// Votes: the tallies count 0 or more.
struct KickVoteStarted {
    static constexpr char code = MsgKickVoteStarted;
    int caller = 0;
    int subject = 0;
    bool operator==(const KickVoteStarted&) const = default;
};
struct VoteTally {
    static constexpr char code = MsgVoteTally;
    int yes = 0;
    int no = 0;
    bool operator==(const VoteTally&) const = default;
};
struct VoteResult {
    static constexpr char code = MsgVoteResult;
    int yes = 0;
    int no = 0;
    bool operator==(const VoteResult&) const = default;
};
// Rule votes of outside servers: the rule's position in the settings list and its value.
struct RuleVoteStarted {
    static constexpr char code = MsgRuleVoteStarted;
    int caller = 0;
    int rule = 0;
    int value = 0;
    bool operator==(const RuleVoteStarted&) const = default;
};
// On the wire: passed (1), then the no count, then the yes count.
struct RuleVoteResult {
    static constexpr char code = MsgRuleVoteResult;
    bool passed = false;
    int yes = 0;
    int no = 0;
    bool operator==(const RuleVoteResult&) const = default;
};

// Rooms and administrators of outside servers.
struct AdminReply {
    static constexpr char code = MsgAdminReply;
    bool accepted = false; // any value but 0 accepts
    bool operator==(const AdminReply&) const = default;
};
struct InRoom {
    static constexpr char code = MsgInRoom;
    Bytes room;
    bool operator==(const InRoom&) const = default;
};
struct RoomPassword {
    static constexpr char code = MsgRoomPassword;
    Bytes room;
    bool operator==(const RoomPassword&) const = default;
};
// One room of the room list: counts, two flags (any value but 0 sets them), the name up to a
// TAB, then its 40 options.
struct RoomList {
    static constexpr char code = MsgRoomList;
    int clients = 0;
    int players = 0;
    bool inProgress = false;
    bool passworded = false;
    Bytes name;
    RoomOptions options{};
    bool operator==(const RoomList&) const = default;
};

using NameInUse = NoPayload<MsgNameInUse>;
using Banned = NoPayload<MsgBanned>;
using InvalidProtocol = NoPayload<MsgInvalidProtocol>;
using ServerFull = NoPayload<MsgServerFull>;
using ServerShutdown = NoPayload<MsgServerShutdown>;
using LostAck = NoPayload<MsgLostAck>;
using FieldPoll = NoPayload<MsgFieldPoll>;
using GameStopped = NoPayload<MsgGameStopped>;
using GamePaused = NoPayload<MsgGamePaused>;
using GameResumed = NoPayload<MsgGameResumed>;
using Kicked = NoPayload<MsgKicked>;
using VersionRejected = NoPayload<MsgVersionRejected>;
using SpotTaken = NoPayload<MsgSpotTaken>;
using NoPlayers = NoPayload<MsgNoPlayers>;
using AlreadyVoted = NoPayload<MsgAlreadyVoted>;
using BadRoomName = NoPayload<MsgBadRoomName>;
using AdminsOnly = NoPayload<MsgAdminsOnly>;

using Message = std::variant<TeamChanged, YourIndex, ChatLine, NameInUse, Banned, Welcome, GameSettings,
    InvalidProtocol, ServerFull, ServerShutdown, PlayerLeft, FieldRelay, SpecialRelay, LinesRelay, LostAck,
    PlayerOut, GameOver, CommonLevel, FieldPoll, GameStarted, GameStopped, GamePaused, GameResumed,
    PlayerJoined, Kicked, VersionRejected, FullField, SwapField, ActionLine, SpotChanged, SpotTaken,
    PlayerInfo, NoPlayers, KickVoteStarted, AlreadyVoted, VoteTally, VoteResult, TeamChatLine, PrivateLine,
    PrivateUndelivered, AdminReply, InRoom, PlayerEnteredRoom, PlayerLeftRoom, BadRoomName, AdminsOnly,
    ServerText, WelcomeRoom, RoomList, RoomPassword, RuleVoteStarted, RuleVoteResult>;

// The message of a received line (without its CR LF); nothing for an empty line, a code no
// server sends, or a line refused as above.
std::optional<Message> decode(BytesView line);
std::optional<Message> decode(char code, BytesView payload);

// Each message as a line, without its CR LF.
Bytes encode(const Welcome& message);
Bytes encode(const WelcomeRoom& message);
Bytes encode(const YourIndex& message);
Bytes encode(const PlayerJoined& message);
Bytes encode(const PlayerInfo& message);
Bytes encode(const PlayerEnteredRoom& message);
Bytes encode(const PlayerLeft& message);
Bytes encode(const PlayerLeftRoom& message);
Bytes encode(const PlayerOut& message);
Bytes encode(const TeamChanged& message);
Bytes encode(const SpotChanged& message);
Bytes encode(const ChatLine& message);
Bytes encode(const TeamChatLine& message);
Bytes encode(const ActionLine& message);
Bytes encode(const PrivateLine& message);
Bytes encode(const PrivateUndelivered& message);
Bytes encode(const ServerText& message);
Bytes encode(const GameSettings& message);
Bytes encode(const GameStarted& message);
Bytes encode(const FieldRelay& message);
Bytes encode(const FullField& message);
Bytes encode(const SwapField& message);
Bytes encode(const SpecialRelay& message);
Bytes encode(const LinesRelay& message);
Bytes encode(const CommonLevel& message);
Bytes encode(const GameOver& message);
Bytes encode(const KickVoteStarted& message);
Bytes encode(const VoteTally& message);
Bytes encode(const VoteResult& message);
Bytes encode(const RuleVoteStarted& message);
Bytes encode(const RuleVoteResult& message);
Bytes encode(const AdminReply& message);
Bytes encode(const InRoom& message);
Bytes encode(const RoomPassword& message);
Bytes encode(const RoomList& message);
Bytes encode(const Message& message);

} // namespace kalvon::wire::toClient
