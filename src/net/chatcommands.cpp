#include "net/chatcommands.h"

#include "common/vbconv.h"
#include "net/clientroster.h"
#include "net/usertext.h"
#include "net/wire/toserver.h"

#include <array>

namespace kalvon {

using namespace wire;

namespace {

constexpr std::array<const char*, 15> kHelpLines = {
    "--- List of available commands ---",
    "say <msg> - Prints out <msg> to chat room.",
    "sayteam/teamchat <msg> - Prints out <msg> to teammates only.",
    "action/me <action> - Prints out <action> in chat room.",
    "msg/m/whisper/w <person> <msg> - Sends private message <msg> to <person>",
    "join/j <room name> - Joins a room",
    "rooms - Opens room browser.",
    "cmdlist/help/listcmds - Prints out this message",
    "spot/play <number> - Moves player to player spot <number>",
    "spectate - Moves player to spectator mode",
    "admin <password> - Gives administrator access if <password> matches server password.",
    "kick/k - Kicks player <name> *ADMINS ONLY*",
    "ban/b <name> - Bans player <name> *ADMINS ONLY*",
    "banlist - Prints out list of bans *ADMINS ONLY*",
    "removeban <ip> - Removes ban on <ip> *ADMINS ONLY*",
};

bool isOneOf(BytesView word, std::initializer_list<const char*> words)
{
    for (const char* candidate : words) {
        if (word == candidate)
            return true;
    }
    return false;
}

} // namespace

ChatCommands::ChatCommands(ChatCommandHost& host, const ClientRoster& roster)
    : m_host(host)
    , m_roster(roster)
{
}

template <class Message> void ChatCommands::send(const Message& message)
{
    m_host.SendToServer(encode(message));
}

void ChatCommands::chatLineEntered(BytesView line, bool connected)
{
    if (line.empty())
        return;
    if (!connected) {
        m_host.AddChatText("\r\n*** Not connected to a server.", false, ChatColour::Server);
        return;
    }
    commandOrChat(line);
}

bool ChatCommands::talkLineEntered(BytesView line, bool connected)
{
    if (line.empty())
        return false;
    chatLineEntered(line, connected);
    return true;
}

void ChatCommands::commandOrChat(BytesView line)
{
    if (line.size() < 2 || line.front() != '/') {
        send(toServer::Chat{ payloadText(line) });
        return;
    }
    const BytesView rest = line.substr(1);
    const std::size_t space = rest.find(' ');
    Bytes argument = space == BytesView::npos ? Bytes(" ") : Bytes(rest.substr(space + 1));
    ParseChatCommand(rest.substr(0, space), argument);
}

void ChatCommands::ParseChatCommand(BytesView command, Bytes& argument)
{
    const Bytes word = toLower(command);
    const bool given = !argument.empty();
    const Bytes text = payloadText(argument);
    if (isOneOf(word, { "me", "action" })) {
        if (given)
            send(toServer::Action{ text });
    } else if (word == "spectate") {
        send(toServer::TakeSpot{ 0 });
    } else if (isOneOf(word, { "spot", "play" })) {
        spotCommand(argument);
    } else if (word == "yes") {
        send(toServer::VoteYes{});
    } else if (word == "no") {
        send(toServer::VoteNo{});
    } else if (word == "callvote") {
        if (given)
            callVoteCommand(argument);
    } else if (word == "say") {
        if (given)
            send(toServer::Chat{ text });
    } else if (isOneOf(word, { "sayteam", "teamchat" })) {
        if (given)
            send(toServer::TeamChat{ text });
    } else if (isOneOf(word, { "whisper", "w", "m", "msg" })) {
        if (given)
            PrivateMessageCommand(argument);
    } else if (word == "admin") {
        if (given)
            send(toServer::AdminLogin{ text });
    } else if (isOneOf(word, { "join", "j" })) {
        m_host.JoinRoomCommand(argument);
    } else if (word == "rooms") {
        m_host.showRoomList();
    } else if (isOneOf(word, { "kick", "k" })) {
        if (given)
            send(toServer::KickRequest{ text });
    } else if (isOneOf(word, { "ban", "b" })) {
        if (given)
            send(toServer::BanRequest{ text });
    } else if (word == "banlist") {
        send(toServer::ListBans{});
    } else if (isOneOf(word, { "removeban", "rban" })) {
        if (given)
            send(toServer::RemoveBan{ text });
    } else if (isOneOf(word, { "cmdlist", "help", "listcmds" })) {
        printHelp();
    }
}

void ChatCommands::spotCommand(BytesView argument)
{
    // The range is checked on the rounded number: "6.6" would otherwise ask for slot 7.
    const std::optional<double> number = vb::toNumber(argument);
    if (!number)
        return;
    const double slot = vb::roundHalfEven(*number);
    if (slot < 0 || slot > kPlayingSlots)
        return;
    send(toServer::TakeSpot{ static_cast<int>(slot) });
}

void ChatCommands::callVoteCommand(BytesView argument)
{
    const Bytes wanted = toLower(argument);
    for (int index = 1; index <= m_roster.HighestPlayerIndex(); ++index) {
        const PlayerInfo* info = m_roster.player(index);
        if (info && !info->Name.empty() && toLower(info->Name) == wanted) {
            send(toServer::CallKickVote{ index });
            return;
        }
    }
}

void ChatCommands::PrivateMessageCommand(Bytes& argument)
{
    const std::size_t space = argument.find(' ');
    const Bytes person = space == Bytes::npos ? Bytes() : argument.substr(0, space);
    argument = space == Bytes::npos ? Bytes() : argument.substr(space + 1);
    if (person.empty() || argument.empty()) {
        m_host.AddChatText("\r\n***Insufficient parameters for private message.", false, ChatColour::SendMsg);
        return;
    }
    send(toServer::Private{ payloadField(toLower(person)), payloadText(argument) });
    m_host.AddChatText("\r\n->" + person + "<- " + argument, false, ChatColour::SendMsg);
}

void ChatCommands::printHelp()
{
    bool first = true;
    for (const char* line : kHelpLines) {
        m_host.AddChatText("\r\n" + Bytes(line), first, ChatColour::Stat);
        first = false;
    }
}

} // namespace kalvon
