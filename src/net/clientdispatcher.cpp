// The client's dispatcher: every decoded server message to its handler, the rejections, the
// server's notices, team changes and game settings, the common level, pause and resume, and
// lines added to all (the own ones sent and logged).

#include "common/clock.h"
#include "common/vbconv.h"
#include "engine/gameengine.h"
#include "net/clientview.h"
#include "net/internetclient.h"
#include "net/overloaded.h"
#include "net/wire/gameoptions.h"
#include "net/wire/toserver.h"

namespace kalvon {

using namespace wire;

void InternetClient::dispatch(const toClient::Message& message)
{
    using namespace toClient;
    std::visit(
        Overloaded{
            [this](const SpecialRelay& m) { ClientMsgSpecial(m); },
            [this](const TeamChanged& m) { ClientMsgTeamChanged(m); },
            [this](const YourIndex& m) { ClientMsgIndex(m); },
            [this](const ChatLine& m) { ClientMsgChat(m); },
            [this](const TeamChatLine& m) { ClientMsgTeamChat(m); },
            [this](const ActionLine& m) { ClientMsgAction(m); },
            [this](const PrivateLine& m) { ClientMsgPrivate(m); },
            [this](const PrivateUndelivered&) {
                chat("\r\n***User is not connected to server.", false, ChatColour::SendMsg);
            },
            [this](const NameInUse&) { rejected("That name is already in use!"); },
            [this](const Banned&) { rejected("You are banned from this server!"); },
            [this](const InvalidProtocol&) { rejected("Invalid Protocol!"); },
            [this](const ServerFull&) { rejected("The server is full!"); },
            [this](const ServerShutdown&) { rejected("Server has shut down!"); },
            [this](const Kicked&) { rejected("You have been kicked from the server!"); },
            [this](const VersionRejected&) { rejected("Server version is higher than client."); },
            [this](const Welcome& m) { ClientMsgConnected(m); },
            [this](const WelcomeRoom& m) { ClientMsgJoined(m); },
            [this](const GameSettings& m) { ClientMsgGameSettings(m); },
            [this](const PlayerLeft& m) { ClientMsgPlayerLeaves(m.player, false); },
            [this](const PlayerLeftRoom& m) { ClientMsgPlayerLeaves(m.player, true); },
            [this](
                const PlayerJoined& m) { ClientMsgPlayerRecord(m.player, m.name, m.team, " has connected"); },
            [this](const toClient::PlayerInfo& m) { ClientMsgPlayerRecord(m.player, m.name, m.team, {}); },
            [this](const PlayerEnteredRoom& m) {
                ClientMsgPlayerRecord(m.player, m.name, m.team, " has entered the room.");
            },
            [this](const SpotChanged& m) { ClientMsgSpotChange(m); },
            [this](const FieldRelay& m) { ClientMsgFieldRelay(m); },
            [this](const FullField& m) { ClientMsgFullField(m); },
            [this](const SwapField& m) { ApplyFieldString(m.field); },
            [this](const LinesRelay& m) { ClientMsgLinesAdded(m); },
            [this](const LostAck&) { m_engine.stopPlaying(); },
            [this](const PlayerOut& m) { ClientMsgPlayerLost(m); },
            [this](const GameOver& m) { ClientMsgGameOver(m); },
            [this](const CommonLevel& m) { ClientMsgCommonLevel(m); },
            [this](const FieldPoll&) { SendFieldUpdate(); },
            [this](const GameStarted& m) { ClientMsgGameStarted(m); },
            [this](const GameStopped&) { ClientMsgGameStopped(); },
            [this](const GamePaused&) { ClientMsgPaused(); },
            [this](const GameResumed&) { ClientMsgResumed(); },
            [this](const SpotTaken&) { m_view.showError("That player spot is not available!"); },
            [this](const NoPlayers&) { m_view.showError("No players available, can't start game!"); },
            [this](const BadRoomName&) {
                m_view.showError("Room name must be alpha-numeric and no longer than 12 characters!");
            },
            [this](const AlreadyVoted&) { chat("\r\nYou have already voted!", false, ChatColour::Vote); },
            [this](const AdminsOnly&) {
                chat("\r\n*** Only server administrators may use that command!", true, ChatColour::Server);
            },
            [this](const ServerText& m) {
                chat("\r\n*<Server>* ", true, ChatColour::Server);
                chat(m.text, false, ChatColour::Normal);
            },
            [this](const KickVoteStarted& m) { ClientMsgVoteKickCalled(m); },
            [this](const VoteTally& m) { ClientMsgVoteUpdate(m); },
            [this](const VoteResult& m) { ClientMsgKickVoteResult(m); },
            [this](const RuleVoteStarted& m) { ClientMsgVoteChangeCalled(m); },
            [this](const RuleVoteResult& m) { ClientMsgChangeVoteResult(m); },
            [this](const InRoom& m) { ClientMsgInRoom(m); },
            [this](const AdminReply& m) { ClientMsgAdminReply(m); },
            [this](const RoomList& m) { ClientMsgRoomList(m); },
            [this](const RoomPassword& m) { ClientMsgRoomPassword(m); },
        },
        message);
}

void InternetClient::rejected(BytesView message)
{
    ClientDisconnected();
    m_view.showError(message);
}

void InternetClient::ClientMsgTeamChanged(const toClient::TeamChanged& message)
{
    PlayerInfo* info = m_roster.player(message.player);
    if (!info)
        return;
    info->Team = message.team;
    printTeamLine(info->Name, info->Team, ChatColour::Player);
    RefreshPlayerList();
}

void InternetClient::ClientMsgGameSettings(const toClient::GameSettings& message)
{
    GameRules rules = m_engine.state().Rules;
    BlockOccurancy occurancy = m_engine.state().InetBlockOccurancy;
    ApplyGameOptions(message.options, rules, occurancy);
    m_engine.setRules(rules, occurancy);
    Bytes text = "\r\n*** Game Settings - ";
    if (!rules.specials)
        text += "Special Blocks Disabled,";
    else if (rules.linespecial)
        text += "Special Blocks Enabled, Special Multiplier Enabled,";
    else
        text += "Special Blocks Enabled, Special Multiplier Disabled,";
    text += rules.classic ? " Classic Mode Enabled," : " Classic Mode Disabled,";
    text += rules.samelevel ? " Common Level Enabled" : " Common Level Disabled";
    chat(text, false, ChatColour::Server);
}

void InternetClient::ClientMsgCommonLevel(const toClient::CommonLevel& message)
{
    m_engine.setCommonLevel(message.level);
}

void InternetClient::ClientMsgPaused()
{
    m_engine.pausePlay(now());
    setGameTimer(false);
    host().PauseMusic();
    chat("\r\n*** Server paused game.", true, ChatColour::Server);
}

void InternetClient::ClientMsgResumed()
{
    m_engine.resumePlay(now());
    setGameTimer(true);
    host().ResumeMusic();
    chat("\r\n*** Server unpaused game.", true, ChatColour::Server);
}

void InternetClient::addLinesToAll(int lines)
{
    send(toServer::LinesToAll{ lines });
    dispatch(toClient::LinesRelay{ m_roster.MyIndex, lines });
}

void InternetClient::ClientMsgLinesAdded(const toClient::LinesRelay& message)
{
    const PlayerInfo* from = m_roster.player(message.sender);
    if (!from)
        return;
    const int count = message.lines;
    const Bytes senderName = from->Name;
    const Bytes senderTeam = from->Team;
    chat("\r\n" + vb::formatInt(count) + (count < 2 ? " line added" : " lines added"), true,
        ChatColour::SpecialBad);
    chat(" to ", false, ChatColour::Normal);
    chat("all", true, ChatColour::SpecialTarget);
    chat(" from ", false, ChatColour::Normal);
    chat(senderName, true, ChatColour::SpecialUser);

    m_TeamName = m_MyTeam.empty() ? Bytes(kNoTeam) : m_MyTeam;
    if (m_roster.isMe(message.sender) || !m_roster.isPlaying())
        return;
    if (isNoTeam(senderTeam) || toLower(senderTeam) != toLower(m_TeamName)) {
        for (int i = 0; i < count; ++i)
            m_engine.effects().AddLine(1);
        SendFieldUpdate();
    }
}

// --- small helpers shared by the client's parts ---

void InternetClient::chat(BytesView text, bool bold, ChatColour colour)
{
    m_view.AddChatText(text, bold, colour);
}

void InternetClient::playSound(SoundSlot slot)
{
    if (m_engine.state().Options.sounds)
        host().playSound(slot);
}

int64_t InternetClient::now() const
{
    return m_clock.nowMs();
}

EngineHost& InternetClient::host()
{
    return m_engine.host();
}

void InternetClient::setGameTimer(bool running)
{
    m_gameTimerOn = running;
    host().SetGameTimer(running);
}

} // namespace kalvon
