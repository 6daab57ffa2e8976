#include "net/wire/toclient.h"

#include "net/wire/payload.h"

#include <algorithm>

namespace kalvon::wire::toClient {

namespace {

// The PlayerChar values at the start of a payload; nothing when it is shorter. Bytes after
// them are not looked at.
template <std::size_t N> std::optional<std::array<int, N>> leadingValues(BytesView payload)
{
    if (payload.size() < N)
        return std::nullopt;
    std::array<int, N> values{};
    for (std::size_t i = 0; i < N; ++i)
        values[i] = playerValue(payload[i]);
    return values;
}

bool isCount(int value)
{
    return value >= 0;
}

// PlayerChar(player) and the rest of the payload.
template <class M> std::optional<Message> playerAndText(BytesView payload)
{
    const std::optional<int> player = playerAt(payload, 0);
    if (!player || !isPlayerIndex(*player))
        return std::nullopt;
    return M{ *player, Bytes(payload.substr(1)) };
}

template <class M> std::optional<Message> playerOnly(BytesView payload)
{
    const std::optional<int> player = playerAt(payload, 0);
    if (!player || !isPlayerIndex(*player))
        return std::nullopt;
    return M{ *player };
}

// PlayerChar(player), name, TAB, team; without a TAB the rest is the name.
template <class M> std::optional<Message> playerRecord(BytesView payload)
{
    const std::optional<int> player = playerAt(payload, 0);
    if (!player || !isPlayerIndex(*player))
        return std::nullopt;
    const BytesView rest = payload.substr(1);
    const auto tab = rest.find('\t');
    const Bytes team = tab == BytesView::npos ? Bytes() : Bytes(rest.substr(tab + 1));
    return M{ *player, Bytes(rest.substr(0, tab)), team };
}

// The welcome's own index, six slot holders (a holder below 1 is a free slot) and the
// running byte (a missing one means no game).
template <class M> std::optional<Message> welcome(BytesView payload, bool withComma)
{
    const std::optional<int> player = playerAt(payload, 0);
    if (!player || !isPlayerIndex(*player))
        return std::nullopt;
    std::size_t pos = 1;
    if (withComma) {
        const auto comma = payload.find(',');
        if (comma == BytesView::npos)
            return std::nullopt;
        pos = comma + 1;
    }
    if (payload.size() < pos + kPlayingSlots)
        return std::nullopt;
    M message{ *player };
    message.holders.fill(-1);
    for (int slot = 1; slot <= kPlayingSlots; ++slot, ++pos) {
        const int holder = playerValue(payload[pos]);
        message.holders[static_cast<std::size_t>(slot)] = isPlayerIndex(holder) ? holder : -1;
    }
    message.gameRunning = pos < payload.size() && playerValue(payload[pos]) == 1;
    return message;
}

template <class M> Bytes encodeWelcome(const M& message, bool withComma)
{
    Bytes payload(1, PlayerChar(message.player));
    if (withComma)
        payload += ',';
    for (int slot = 1; slot <= kPlayingSlots; ++slot) {
        const int holder = message.holders[static_cast<std::size_t>(slot)];
        payload += holder < 0 ? kPlayerNone : PlayerChar(holder);
    }
    payload += PlayerChar(message.gameRunning ? 1 : 0);
    return makeLine(M::code, payload);
}

template <class M> Bytes encodePlayer(const M& message)
{
    return makeLine(M::code, Bytes(1, PlayerChar(message.player)));
}

template <class M> Bytes encodePlayerText(const M& message, BytesView text)
{
    return makeLine(M::code, withPlayer(message.player, text));
}

template <class M> Bytes encodeRecord(const M& message)
{
    return encodePlayerText(message, joinedByTab(message.name, message.team));
}

Bytes encodeValues(char code, std::initializer_list<int> values)
{
    Bytes payload;
    for (int value : values)
        payload += PlayerChar(value);
    return makeLine(code, payload);
}

std::optional<Message> decodeSpotChanged(BytesView payload)
{
    const auto values = leadingValues<2>(payload);
    if (!values || !isPlayerIndex((*values)[0]) || !isSlotOrSpectators((*values)[1]))
        return std::nullopt;
    return SpotChanged{ (*values)[0], (*values)[1] };
}

std::optional<Message> decodeLinesRelay(BytesView payload)
{
    // A line clear sends 1, 2 or 4 lines.
    const auto values = leadingValues<2>(payload);
    if (!values || !isPlayerIndex((*values)[0]) || (*values)[1] < 1 || (*values)[1] > 4)
        return std::nullopt;
    return LinesRelay{ (*values)[0], (*values)[1] };
}

std::optional<Message> decodeCommonLevel(BytesView payload)
{
    const std::optional<int> level = playerAt(payload, 0);
    if (!level || *level < kMinLevel)
        return std::nullopt;
    return CommonLevel{ std::min(*level, kMaxLevel) };
}

std::optional<Message> decodeFullField(BytesView payload)
{
    const std::optional<int> player = playerAt(payload, 0);
    if (!player || !isPlayerIndex(*player))
        return std::nullopt;
    const std::optional<FieldCells> field = decodeFieldDump(payload.substr(1));
    if (!field)
        return std::nullopt;
    return FullField{ *player, *field };
}

std::optional<Message> decodeFieldRelay(BytesView payload)
{
    const std::optional<int> player = playerAt(payload, 0);
    if (!player || !isPlayerIndex(*player))
        return std::nullopt;
    return FieldRelay{ *player, validFieldChanges(payload.substr(1)) };
}

// Elements that are not one byte naming a player are skipped.
GameOver decodeGameOver(BytesView list)
{
    GameOver message;
    while (!list.empty()) {
        const auto comma = list.find(',');
        const BytesView element = list.substr(0, comma);
        if (element.size() == 1 && isPlayerIndex(playerValue(element.front())))
            message.winners.push_back(playerValue(element.front()));
        if (comma == BytesView::npos)
            break;
        list.remove_prefix(comma + 1);
    }
    return message;
}

std::optional<Message> decodeKickVoteStarted(BytesView payload)
{
    const auto values = leadingValues<2>(payload);
    if (!values || !isPlayerIndex((*values)[0]) || !isPlayerIndex((*values)[1]))
        return std::nullopt;
    return KickVoteStarted{ (*values)[0], (*values)[1] };
}

template <class M> std::optional<Message> decodeTally(BytesView payload)
{
    const auto values = leadingValues<2>(payload);
    if (!values || !isCount((*values)[0]) || !isCount((*values)[1]))
        return std::nullopt;
    return M{ (*values)[0], (*values)[1] };
}

std::optional<Message> decodeRuleVoteStarted(BytesView payload)
{
    const auto values = leadingValues<3>(payload);
    if (!values || !isPlayerIndex((*values)[0]) || !isCount((*values)[1]) || !isCount((*values)[2]))
        return std::nullopt;
    return RuleVoteStarted{ (*values)[0], (*values)[1], (*values)[2] };
}

std::optional<Message> decodeRuleVoteResult(BytesView payload)
{
    const auto values = leadingValues<3>(payload);
    if (!values || !isCount((*values)[1]) || !isCount((*values)[2]))
        return std::nullopt;
    return RuleVoteResult{ (*values)[0] == 1, (*values)[2], (*values)[1] };
}

std::optional<Message> decodeRoomList(BytesView payload)
{
    const auto values = leadingValues<4>(payload);
    if (!values || !isCount((*values)[0]) || !isCount((*values)[1]))
        return std::nullopt;
    const auto nameAndOptions = splitAtTab(payload.substr(4));
    if (!nameAndOptions)
        return std::nullopt;
    const std::optional<RoomOptions> options = decodeRoomOptions(nameAndOptions->second);
    if (!options)
        return std::nullopt;
    return RoomList{ (*values)[0], (*values)[1], (*values)[2] != 0, (*values)[3] != 0,
        Bytes(nameAndOptions->first), *options };
}

} // namespace

std::optional<Message> decode(BytesView line)
{
    const std::optional<RawLine> raw = parseLine(line);
    if (!raw)
        return std::nullopt;
    return decode(raw->code, raw->payload);
}

std::optional<Message> decode(char code, BytesView payload)
{
    if (const std::optional<SpecialType> special = specialFromCode(code)) {
        const auto values = leadingValues<2>(payload);
        if (!values)
            return std::nullopt;
        return SpecialRelay{ *special, (*values)[0], (*values)[1] };
    }
    switch (code) {
    case MsgTeamChanged: return playerAndText<TeamChanged>(payload);
    case MsgYourIndex: {
        const std::optional<int> index = playerAt(payload, 0);
        return YourIndex{ index && isPlayerIndex(*index) ? *index : 0 };
    }
    case MsgChatLine: return playerAndText<ChatLine>(payload);
    case MsgNameInUse: return NameInUse{};
    case MsgBanned: return Banned{};
    case MsgWelcome: return welcome<Welcome>(payload, true);
    case MsgGameSettings:
        if (const std::optional<HostRules> options = decodeGameOptions(payload))
            return GameSettings{ *options };
        return std::nullopt;
    case MsgInvalidProtocol: return InvalidProtocol{};
    case MsgServerFull: return ServerFull{};
    case MsgServerShutdown: return ServerShutdown{};
    case MsgPlayerLeft: return playerOnly<PlayerLeft>(payload);
    case MsgFieldRelay: return decodeFieldRelay(payload);
    case MsgLinesRelay: return decodeLinesRelay(payload);
    case MsgLostAck: return LostAck{};
    case MsgPlayerOut: return playerOnly<PlayerOut>(payload);
    case MsgGameOver: return decodeGameOver(payload);
    case MsgCommonLevel: return decodeCommonLevel(payload);
    case MsgFieldPoll: return FieldPoll{};
    case MsgGameStarted: return GameStarted{ decodeGameOptions(payload) };
    case MsgGameStopped: return GameStopped{};
    case MsgGamePaused: return GamePaused{};
    case MsgGameResumed: return GameResumed{};
    case MsgPlayerJoined: return playerRecord<PlayerJoined>(payload);
    case MsgKicked: return Kicked{};
    case MsgVersionRejected: return VersionRejected{};
    case MsgFullField: return decodeFullField(payload);
    case MsgSwapField:
        if (const std::optional<FieldCells> field = decodeFieldDump(payload))
            return SwapField{ *field };
        return std::nullopt;
    case MsgActionLine: return playerAndText<ActionLine>(payload);
    case MsgSpotChanged: return decodeSpotChanged(payload);
    case MsgSpotTaken: return SpotTaken{};
    case MsgPlayerInfo: return playerRecord<PlayerInfo>(payload);
    case MsgNoPlayers: return NoPlayers{};
    case MsgKickVoteStarted: return decodeKickVoteStarted(payload);
    case MsgAlreadyVoted: return AlreadyVoted{};
    case MsgVoteTally: return decodeTally<VoteTally>(payload);
    case MsgVoteResult: return decodeTally<VoteResult>(payload);
    case MsgTeamChatLine: return playerAndText<TeamChatLine>(payload);
    case MsgPrivateLine:
        if (payload == "0")
            return PrivateUndelivered{};
        return playerAndText<PrivateLine>(payload);
    case MsgAdminReply:
        if (const std::optional<int> flag = playerAt(payload, 0))
            return AdminReply{ *flag != 0 };
        return std::nullopt;
    case MsgInRoom: return InRoom{ Bytes(payload) };
    case MsgPlayerEnteredRoom: return playerRecord<PlayerEnteredRoom>(payload);
    case MsgPlayerLeftRoom: return playerOnly<PlayerLeftRoom>(payload);
    case MsgBadRoomName: return BadRoomName{};
    case MsgAdminsOnly: return AdminsOnly{};
    case MsgServerText: return ServerText{ Bytes(payload) };
    case MsgWelcomeRoom: return welcome<WelcomeRoom>(payload, false);
    case MsgRoomList: return decodeRoomList(payload);
    case MsgRoomPassword: return RoomPassword{ Bytes(payload) };
    case MsgRuleVoteStarted: return decodeRuleVoteStarted(payload);
    case MsgRuleVoteResult: return decodeRuleVoteResult(payload);
    default: return std::nullopt;
    }
}

Bytes encode(const Welcome& message)
{
    return encodeWelcome(message, true);
}

Bytes encode(const WelcomeRoom& message)
{
    return encodeWelcome(message, false);
}

Bytes encode(const YourIndex& message)
{
    return makeLine(YourIndex::code, Bytes(1, PlayerChar(message.index)));
}

Bytes encode(const PlayerJoined& message)
{
    return encodeRecord(message);
}

Bytes encode(const PlayerInfo& message)
{
    return encodeRecord(message);
}

Bytes encode(const PlayerEnteredRoom& message)
{
    return encodeRecord(message);
}

Bytes encode(const PlayerLeft& message)
{
    return encodePlayer(message);
}

Bytes encode(const PlayerLeftRoom& message)
{
    return encodePlayer(message);
}

Bytes encode(const PlayerOut& message)
{
    return encodePlayer(message);
}

Bytes encode(const TeamChanged& message)
{
    return encodePlayerText(message, message.team);
}

Bytes encode(const SpotChanged& message)
{
    return encodeValues(SpotChanged::code, { message.player, message.slot });
}

Bytes encode(const ChatLine& message)
{
    return encodePlayerText(message, message.text);
}

Bytes encode(const TeamChatLine& message)
{
    return encodePlayerText(message, message.text);
}

Bytes encode(const ActionLine& message)
{
    return encodePlayerText(message, message.text);
}

Bytes encode(const PrivateLine& message)
{
    return encodePlayerText(message, message.text);
}

Bytes encode(const PrivateUndelivered&)
{
    return makeLine(PrivateUndelivered::code, "0");
}

Bytes encode(const ServerText& message)
{
    return makeLine(ServerText::code, message.text);
}

Bytes encode(const GameSettings& message)
{
    return makeLine(GameSettings::code, BuildGameOptions(message.options));
}

Bytes encode(const GameStarted& message)
{
    return makeLine(GameStarted::code, message.options ? BuildGameOptions(*message.options) : Bytes());
}

Bytes encode(const FieldRelay& message)
{
    // Built in place: the server encodes one for every field change a player reports.
    Bytes line;
    line.reserve(3 + 3 * message.changes.size());
    line += FieldRelay::code;
    line += ';';
    line += PlayerChar(message.player);
    appendFieldDiff(line, message.changes);
    return line;
}

Bytes encode(const FullField& message)
{
    return encodePlayerText(message, encodeFieldDump(message.field));
}

Bytes encode(const SwapField& message)
{
    return makeLine(SwapField::code, encodeFieldDump(message.field));
}

Bytes encode(const SpecialRelay& message)
{
    return encodeValues(specialCode(message.special), { message.sender, message.target });
}

Bytes encode(const LinesRelay& message)
{
    return encodeValues(LinesRelay::code, { message.sender, message.lines });
}

Bytes encode(const CommonLevel& message)
{
    return encodeValues(CommonLevel::code, { message.level });
}

Bytes encode(const GameOver& message)
{
    Bytes list;
    for (std::size_t i = 0; i < message.winners.size(); ++i) {
        if (i > 0)
            list += ',';
        list += PlayerChar(message.winners[i]);
    }
    return makeLine(GameOver::code, list);
}

Bytes encode(const KickVoteStarted& message)
{
    return encodeValues(KickVoteStarted::code, { message.caller, message.subject });
}

Bytes encode(const VoteTally& message)
{
    return encodeValues(VoteTally::code, { message.yes, message.no });
}

Bytes encode(const VoteResult& message)
{
    return encodeValues(VoteResult::code, { message.yes, message.no });
}

Bytes encode(const RuleVoteStarted& message)
{
    return encodeValues(RuleVoteStarted::code, { message.caller, message.rule, message.value });
}

Bytes encode(const RuleVoteResult& message)
{
    return encodeValues(RuleVoteResult::code, { message.passed ? 1 : 0, message.no, message.yes });
}

Bytes encode(const AdminReply& message)
{
    return encodeValues(AdminReply::code, { message.accepted ? 1 : 0 });
}

Bytes encode(const InRoom& message)
{
    return makeLine(InRoom::code, message.room);
}

Bytes encode(const RoomPassword& message)
{
    return makeLine(RoomPassword::code, message.room);
}

Bytes encode(const RoomList& message)
{
    Bytes payload{ PlayerChar(message.clients), PlayerChar(message.players),
        PlayerChar(message.inProgress ? 1 : 0), PlayerChar(message.passworded ? 1 : 0) };
    payload += joinedByTab(message.name, encodeRoomOptions(message.options));
    return makeLine(RoomList::code, payload);
}

Bytes encode(const Message& message)
{
    return std::visit([](const auto& m) { return encode(m); }, message);
}

} // namespace kalvon::wire::toClient
