#include "net/wire/toserver.h"

#include "net/wire/payload.h"

namespace kalvon::wire::toServer {

namespace {

// team TAB name CR version: split at the first TAB, then at the first CR after it.
std::optional<Hello> decodeHello(BytesView payload)
{
    const auto teamAndRest = splitAtTab(payload);
    if (!teamAndRest)
        return std::nullopt;
    const auto [team, rest] = *teamAndRest;
    const auto cr = rest.find('\r');
    if (cr == BytesView::npos)
        return std::nullopt;
    return Hello{ Bytes(team), Bytes(rest.substr(0, cr)), Bytes(rest.substr(cr + 1)) };
}

std::optional<Message> decodeCallVote(BytesView payload)
{
    if (payload.size() == 1) {
        const int subject = playerValue(payload[0]);
        if (!isPlayerIndex(subject))
            return std::nullopt;
        return CallKickVote{ subject };
    }
    if (payload.size() == 2) {
        const int rule = playerValue(payload[0]);
        const int value = playerValue(payload[1]);
        if (rule < 0 || value < 0)
            return std::nullopt;
        return CallRuleVote{ rule, value };
    }
    return std::nullopt;
}

std::optional<Message> decodeRoom(char code, BytesView payload)
{
    const auto roomAndRest = splitAtTab(payload);
    if (!roomAndRest)
        return std::nullopt;
    const auto [room, rest] = *roomAndRest;
    if (code == MsgJoinRoom)
        return JoinRoom{ Bytes(room), Bytes(rest) };
    const auto passwordAndOptions = splitAtTab(rest);
    if (!passwordAndOptions)
        return std::nullopt;
    const std::optional<RoomOptions> options = decodeRoomOptions(passwordAndOptions->second);
    if (!options)
        return std::nullopt;
    return CreateRoom{ Bytes(room), Bytes(passwordAndOptions->first), *options };
}

std::optional<Message> decodeMovePlayer(BytesView payload)
{
    const std::optional<int> slot = playerAt(payload, 0);
    if (!slot || !isSlotOrSpectators(*slot))
        return std::nullopt;
    return MovePlayer{ *slot, Bytes(payload.substr(1)) };
}

// The one PlayerChar of a message, nothing unless the payload is exactly one byte that
// `accept` takes.
template <class M> std::optional<Message> onePlayerChar(BytesView payload, bool (*accept)(int))
{
    const std::optional<int> value = onlyPlayerChar(payload);
    if (!value || !accept(*value))
        return std::nullopt;
    return M{ *value };
}

bool isLineCount(int value)
{
    return value >= 1 && value <= 4;
}

bool isLevel(int value)
{
    return value >= kMinLevel;
}

bool isFieldHolder(int value)
{
    return value == -1 || isPlayerIndex(value);
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
        const std::optional<int> target = onlyPlayerChar(payload);
        if (!target)
            return std::nullopt;
        return Special{ *special, *target };
    }
    switch (code) {
    case MsgHello: return decodeHello(payload);
    case MsgQuit: return Quit{};
    case MsgSetTeam: return SetTeam{ Bytes(payload) };
    case MsgRequestIndex: return RequestIndex{};
    case MsgChat: return Chat{ Bytes(payload) };
    case MsgBanRequest: return BanRequest{ Bytes(payload) };
    case MsgRequestSettings: return RequestSettings{};
    case MsgFieldUpdate:
        if (std::optional<std::vector<CellChange>> changes = decodeFieldDiff(payload))
            return FieldUpdate{ std::move(*changes) };
        return std::nullopt;
    case MsgLinesToAll: return onePlayerChar<LinesToAll>(payload, isLineCount);
    case MsgPlayerLost: return PlayerLost{};
    case MsgCommonLevel: return onePlayerChar<CommonLevel>(payload, isLevel);
    case MsgStartGame: return StartGame{};
    case MsgStopGame: return StopGame{};
    case MsgPauseGame: return PauseGame{};
    case MsgResumeGame: return ResumeGame{};
    case MsgKickRequest: return KickRequest{ Bytes(payload) };
    case MsgAction: return Action{ Bytes(payload) };
    case MsgTakeSpot: return onePlayerChar<TakeSpot>(payload, isSlotOrSpectators);
    case MsgCallVote: return decodeCallVote(payload);
    case MsgVoteYes: return VoteYes{};
    case MsgVoteNo: return VoteNo{};
    case MsgTeamChat: return TeamChat{ Bytes(payload) };
    case MsgPrivate:
        if (const auto parts = splitAtTab(payload))
            return Private{ Bytes(parts->first), Bytes(parts->second) };
        return std::nullopt;
    case MsgAdminLogin: return AdminLogin{ Bytes(payload) };
    case MsgJoinRoom:
    case MsgCreateRoom: return decodeRoom(code, payload);
    case MsgListRooms: return ListRooms{};
    case MsgListBans: return ListBans{};
    case MsgRemoveBan: return RemoveBan{ Bytes(payload) };
    case MsgRequestField: return onePlayerChar<RequestField>(payload, isFieldHolder);
    case MsgMovePlayer: return decodeMovePlayer(payload);
    default: return std::nullopt;
    }
}

Bytes encode(const Hello& message)
{
    Bytes payload = joinedByTab(message.team, message.name);
    payload += '\r';
    payload += message.version;
    return makeLine(Hello::code, payload);
}

Bytes encode(const SetTeam& message)
{
    return makeLine(SetTeam::code, message.team);
}

Bytes encode(const Chat& message)
{
    return makeLine(Chat::code, message.text);
}

Bytes encode(const Action& message)
{
    return makeLine(Action::code, message.text);
}

Bytes encode(const TeamChat& message)
{
    return makeLine(TeamChat::code, message.text);
}

Bytes encode(const Private& message)
{
    return makeLine(Private::code, joinedByTab(message.addressee, message.text));
}

Bytes encode(const FieldUpdate& message)
{
    return makeLine(FieldUpdate::code, encodeFieldDiff(message.changes));
}

Bytes encode(const Special& message)
{
    return makeLine(specialCode(message.special), Bytes(1, PlayerChar(message.target)));
}

Bytes encode(const LinesToAll& message)
{
    return makeLine(LinesToAll::code, Bytes(1, PlayerChar(message.lines)));
}

Bytes encode(const CommonLevel& message)
{
    return makeLine(CommonLevel::code, Bytes(1, PlayerChar(message.level)));
}

Bytes encode(const TakeSpot& message)
{
    return makeLine(TakeSpot::code, Bytes(1, PlayerChar(message.slot)));
}

Bytes encode(const CallKickVote& message)
{
    return makeLine(CallKickVote::code, Bytes(1, PlayerChar(message.subject)));
}

Bytes encode(const CallRuleVote& message)
{
    return makeLine(CallRuleVote::code, Bytes{ PlayerChar(message.rule), PlayerChar(message.value) });
}

Bytes encode(const BanRequest& message)
{
    return makeLine(BanRequest::code, message.name);
}

Bytes encode(const KickRequest& message)
{
    return makeLine(KickRequest::code, message.name);
}

Bytes encode(const AdminLogin& message)
{
    return makeLine(AdminLogin::code, message.password);
}

Bytes encode(const RemoveBan& message)
{
    return makeLine(RemoveBan::code, message.address);
}

Bytes encode(const MovePlayer& message)
{
    return makeLine(MovePlayer::code, withPlayer(message.slot, message.name));
}

Bytes encode(const JoinRoom& message)
{
    return makeLine(JoinRoom::code, joinedByTab(message.room, message.password));
}

Bytes encode(const CreateRoom& message)
{
    Bytes payload = joinedByTab(message.room, message.password);
    payload += '\t';
    payload += encodeRoomOptions(message.options);
    return makeLine(CreateRoom::code, payload);
}

Bytes encode(const RequestField& message)
{
    return makeLine(RequestField::code, Bytes(1, PlayerChar(message.player)));
}

Bytes encode(const Message& message)
{
    return std::visit([](const auto& m) { return encode(m); }, message);
}

} // namespace kalvon::wire::toServer
