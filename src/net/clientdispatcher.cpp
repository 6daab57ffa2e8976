// The client's dispatcher: every server message by its code, the rejections, the server's
// notices, team changes and game settings, the common level, pause and resume, and lines
// added to all.

#include "common/clock.h"
#include "common/vbconv.h"
#include "engine/gameengine.h"
#include "engine/levels.h"
#include "net/clientview.h"
#include "net/internetclient.h"
#include "net/wire/codes.h"
#include "net/wire/encodings.h"
#include "net/wire/gameoptions.h"
#include "net/wire/messages.h"

namespace kalvon {

using namespace wire;

void InternetClient::ClientDispatchMessage(BytesView code, BytesView payload)
{
    if (code.empty())
        return;
    const char c = code.front();
    if (const std::optional<SpecialType> special = specialFromCode(c)) {
        ClientMsgSpecial(*special, payload);
        return;
    }
    switch (c) {
    case toClient::MsgTeamChanged: ClientMsgTeamChanged(payload); break;
    case toClient::MsgYourIndex: ClientMsgIndex(payload); break;
    case toClient::MsgChatLine:
    case toClient::MsgTeamChatLine:
    case toClient::MsgActionLine: ClientMsgChatLine(c, payload); break;
    case toClient::MsgPrivateLine:
        if (payload == "0")
            chat("\r\n***User is not connected to server.", false, ChatColour::SendMsg);
        else
            ClientMsgChatLine(c, payload);
        break;
    case toClient::MsgNameInUse: rejected("That name is already in use!"); break;
    case toClient::MsgBanned: rejected("You are banned from this server!"); break;
    case toClient::MsgInvalidProtocol: rejected("Invalid Protocol!"); break;
    case toClient::MsgServerFull: rejected("The server is full!"); break;
    case toClient::MsgServerShutdown: rejected("Server has shut down!"); break;
    case toClient::MsgKicked: rejected("You have been kicked from the server!"); break;
    case toClient::MsgVersionRejected: rejected("Server version is higher than client."); break;
    case toClient::MsgWelcome: ClientMsgConnected(payload); break;
    case toClient::MsgWelcomeRoom: ClientMsgJoined(payload); break;
    case toClient::MsgGameSettings: ClientMsgGameSettings(payload); break;
    case toClient::MsgPlayerLeft:
    case toClient::MsgPlayerLeftRoom: ClientMsgPlayerLeaves(c, payload); break;
    case toClient::MsgPlayerJoined:
    case toClient::MsgPlayerInfo:
    case toClient::MsgPlayerEnteredRoom: ClientMsgPlayerRecord(c, payload); break;
    case toClient::MsgSpotChanged: ClientMsgSpotChange(payload); break;
    case toClient::MsgFieldRelay: ClientMsgFieldRelay(payload); break;
    case toClient::MsgFullField: ClientMsgFullField(payload); break;
    case toClient::MsgSwapField: ApplyFieldString(payload); break;
    case toClient::MsgLinesRelay: ClientMsgLinesAdded(payload); break;
    case toClient::MsgLostAck: m_engine.stateForNetClient().GameActive = false; break;
    case toClient::MsgPlayerOut: ClientMsgPlayerLost(payload); break;
    case toClient::MsgGameOver: ClientMsgGameOver(payload); break;
    case toClient::MsgCommonLevel: ClientMsgCommonLevel(payload); break;
    case toClient::MsgFieldPoll: SendFieldUpdate(); break;
    case toClient::MsgGameStarted: ClientMsgGameStarted(payload); break;
    case toClient::MsgGameStopped: ClientMsgGameStopped(); break;
    case toClient::MsgGamePaused: ClientMsgPaused(); break;
    case toClient::MsgGameResumed: ClientMsgResumed(); break;
    case toClient::MsgSpotTaken: m_view.showError("That player spot is not available!"); break;
    case toClient::MsgNoPlayers: m_view.showError("No players available, can't start game!"); break;
    case toClient::MsgBadRoomName:
        m_view.showError("Room name must be alpha-numeric and no longer than 12 characters!");
        break;
    case toClient::MsgAlreadyVoted: chat("\r\nYou have already voted!", false, ChatColour::Vote); break;
    case toClient::MsgAdminsOnly:
        chat("\r\n*** Only server administrators may use that command!", true, ChatColour::Server);
        break;
    case toClient::MsgServerText:
        chat("\r\n*<Server>* ", true, ChatColour::Server);
        chat(payload, false, ChatColour::Normal);
        break;
    // Votes ('^', 'b', 'c', 'x', 'y') and rooms ('g', 'h', 'u', 'v') have handlers of their own;
    // client-to-server codes and anything else are ignored.
    default: break;
    }
}

void InternetClient::rejected(BytesView message)
{
    ClientDisconnected();
    m_view.showError(message);
}

void InternetClient::ClientMsgTeamChanged(BytesView payload)
{
    const std::optional<int> index = playerAt(payload, 0);
    PlayerInfo* info = index ? m_roster.player(*index) : nullptr;
    if (!info)
        return;
    info->Team = Bytes(payload.substr(1));
    printTeamLine(info->Name, info->Team, ChatColour::Player);
    RefreshPlayerList();
}

void InternetClient::ClientMsgGameSettings(BytesView payload)
{
    EngineState& s = m_engine.stateForNetClient();
    if (!ApplyGameOptions(payload, s.Rules, s.InetBlockOccurancy))
        return;
    const GameRules& rules = s.Rules;
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

void InternetClient::ClientMsgCommonLevel(BytesView payload)
{
    EngineState& s = m_engine.stateForNetClient();
    const std::optional<int> level = playerAt(payload, 0);
    if (!level || *level < s.ActiveLevel)
        return;
    s.ActiveLevel = clampLevel(*level);
    s.FallSpeed[1] = FallSpeedFor(s.ActiveLevel);
    setCountLabel(LabelId::ActiveLevel, "Active Level: ", s.ActiveLevel);
}

void InternetClient::ClientMsgPaused()
{
    EngineState& s = m_engine.stateForNetClient();
    s.PlayTimeTotal += now() - s.PlayTimeStart;
    s.GameActive = false;
    setGameTimer(false);
    host().PauseMusic();
    chat("\r\n*** Server paused game.", true, ChatColour::Server);
}

void InternetClient::ClientMsgResumed()
{
    EngineState& s = m_engine.stateForNetClient();
    s.PlayTimeStart = now();
    s.GameActive = true;
    setGameTimer(true);
    host().ResumeMusic();
    chat("\r\n*** Server unpaused game.", true, ChatColour::Server);
}

void InternetClient::ClientMsgLinesAdded(BytesView payload)
{
    const std::optional<int> sender = playerAt(payload, 0);
    const std::optional<int> count = playerAt(payload, 1);
    const PlayerInfo* from = sender ? m_roster.player(*sender) : nullptr;
    // The line clear sends 1, 2 or 4 lines.
    if (!from || !count || *count < 1 || *count > 4)
        return;
    const Bytes senderName = from->Name;
    const Bytes senderTeam = from->Team;
    chat("\r\n" + vb::formatInt(*count) + (*count < 2 ? " line added" : " lines added"), true,
        ChatColour::SpecialBad);
    chat(" to ", false, ChatColour::Normal);
    chat("all", true, ChatColour::SpecialTarget);
    chat(" from ", false, ChatColour::Normal);
    chat(senderName, true, ChatColour::SpecialUser);

    m_TeamName = m_MyTeam.empty() ? Bytes(kNoTeam) : m_MyTeam;
    if (m_roster.isMe(*sender) || !m_roster.isPlaying())
        return;
    if (isNoTeam(senderTeam) || toLower(senderTeam) != toLower(m_TeamName)) {
        for (int i = 0; i < *count; ++i)
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

void InternetClient::setCountLabel(LabelId label, BytesView caption, int value)
{
    host().setLabel(label, 1, Bytes(caption) + vb::formatInt(value));
}

void InternetClient::setGameTimer(bool running)
{
    m_gameTimerOn = running;
    host().SetGameTimer(running);
}

} // namespace kalvon
