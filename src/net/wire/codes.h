#pragma once
// The one-byte message codes, in both directions, and the codes of the sixteen specials. The
// messages themselves, with their encoders and decoders, are in toserver.h and toclient.h.

#include "engine/types.h"

#include <optional>

namespace kalvon::wire {

// Client to server.
namespace toServer {
inline constexpr char MsgHello = '"';
inline constexpr char MsgQuit = '%';
inline constexpr char MsgSetTeam = '&';
inline constexpr char MsgRequestIndex = ')';
inline constexpr char MsgChat = '*';
inline constexpr char MsgBanRequest = ',';
inline constexpr char MsgRequestSettings = '/';
inline constexpr char MsgFieldUpdate = '5';
inline constexpr char MsgLinesToAll = 'F';
inline constexpr char MsgPlayerLost = 'G';
inline constexpr char MsgCommonLevel = 'K';
inline constexpr char MsgStartGame = 'M';
inline constexpr char MsgStopGame = 'N';
inline constexpr char MsgPauseGame = 'O';
inline constexpr char MsgResumeGame = 'P';
inline constexpr char MsgKickRequest = 'U';
inline constexpr char MsgAction = 'Y';
inline constexpr char MsgTakeSpot = 'Z';
inline constexpr char MsgCallVote = '^';
inline constexpr char MsgVoteYes = '_';
inline constexpr char MsgVoteNo = '`';
inline constexpr char MsgTeamChat = 'd';
inline constexpr char MsgPrivate = 'f';
inline constexpr char MsgAdminLogin = 'g';
inline constexpr char MsgJoinRoom = 'h';
inline constexpr char MsgListRooms = 'i';
inline constexpr char MsgListBans = 'p';
inline constexpr char MsgRemoveBan = 'q';
inline constexpr char MsgRequestField = 's';
inline constexpr char MsgCreateRoom = '|';
inline constexpr char MsgMovePlayer = '}';
} // namespace toServer

// Server to client.
namespace toClient {
inline constexpr char MsgTeamChanged = '&';
inline constexpr char MsgYourIndex = ')';
inline constexpr char MsgChatLine = '*';
inline constexpr char MsgNameInUse = '+';
inline constexpr char MsgBanned = ',';
inline constexpr char MsgWelcome = '-';
inline constexpr char MsgGameSettings = '.';
inline constexpr char MsgInvalidProtocol = '0';
inline constexpr char MsgServerFull = '1';
inline constexpr char MsgServerShutdown = '2';
inline constexpr char MsgPlayerLeft = '3';
inline constexpr char MsgFieldRelay = '5';
inline constexpr char MsgLinesRelay = 'F';
inline constexpr char MsgLostAck = 'H';
inline constexpr char MsgPlayerOut = 'I';
inline constexpr char MsgGameOver = 'J';
inline constexpr char MsgCommonLevel = 'K';
inline constexpr char MsgFieldPoll = 'L';
inline constexpr char MsgGameStarted = 'M';
inline constexpr char MsgGameStopped = 'N';
inline constexpr char MsgGamePaused = 'O';
inline constexpr char MsgGameResumed = 'P';
inline constexpr char MsgPlayerJoined = 'Q';
inline constexpr char MsgKicked = 'U';
inline constexpr char MsgVersionRejected = 'V';
inline constexpr char MsgFullField = 'W';
inline constexpr char MsgSwapField = 'X';
inline constexpr char MsgActionLine = 'Y';
inline constexpr char MsgSpotChanged = 'Z';
inline constexpr char MsgSpotTaken = '[';
inline constexpr char MsgPlayerInfo = '\\';
inline constexpr char MsgNoPlayers = ']';
inline constexpr char MsgKickVoteStarted = '^';
inline constexpr char MsgAlreadyVoted = 'a';
inline constexpr char MsgVoteTally = 'b';
inline constexpr char MsgVoteResult = 'c';
inline constexpr char MsgTeamChatLine = 'd';
inline constexpr char MsgPrivateLine = 'f';
inline constexpr char MsgAdminReply = 'g';
inline constexpr char MsgInRoom = 'h';
inline constexpr char MsgPlayerEnteredRoom = 'j';
inline constexpr char MsgPlayerLeftRoom = 'k';
inline constexpr char MsgBadRoomName = 'l';
inline constexpr char MsgAdminsOnly = 'n';
inline constexpr char MsgServerText = 'o';
inline constexpr char MsgWelcomeRoom = 't';
inline constexpr char MsgRoomList = 'u';
inline constexpr char MsgRoomPassword = 'v';
inline constexpr char MsgRuleVoteStarted = 'x';
inline constexpr char MsgRuleVoteResult = 'y';
} // namespace toClient

// A special travels under its own code, the same in both directions: its user sends the
// code with the target; the server relays it with the sender and the target.
char specialCode(SpecialType special);
std::optional<SpecialType> specialFromCode(char code);

} // namespace kalvon::wire
