#pragma once
// The client side of internet play: the connection to a game server and its receive queue,
// the dispatcher of every server message, joining, the roster and playing spots, chat
// received, the opponents' fields, network game start, stop and game over with the
// statistics, and the in-game senders (specials, field differences, level steps).
//
// It runs on the UI thread. Arrivals only queue lines; the queue is drained by a 10 ms timer
// and the drain never runs inside itself, so a handler that waits (a field animation) finds
// later lines still queued when it returns. The window reaches the player through the view
// interface; the client changes the game only through the engine's operations. The engine
// host's network calls and the game session's start and stop requests forward to the methods
// of the same names here, which build their lines with the wire encoders.

#include "common/bytes.h"
#include "engine/enginehost.h"
#include "engine/opponentboards.h"
#include "engine/types.h"
#include "net/clientroster.h"
#include "net/clientview.h"
#include "net/gamesettings.h"
#include "net/gamestats.h"
#include "net/wire/field.h"
#include "net/wire/linesplitter.h"
#include "net/wire/toclient.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <optional>

class QTcpSocket;

namespace kalvon {

class Clock;
class GameEngine;

class InternetClient final : public QObject {
    Q_OBJECT
public:
    struct Timing {
        int connectTimeoutMs = 20000; // a server that never answers the connect
        int queueIntervalMs = 10; // the receive queue's drain
    };
    static constexpr int kDefaultPort = 90;
    // The room list keeps at most this many rooms; further ones are ignored.
    static constexpr int kMaxRooms = 1000;
    // The longest room name a room command takes.
    static constexpr std::size_t kMaxRoomName = 12;

    InternetClient(
        ClientView& view, GameEngine& engine, const Clock& clock, Timing timing, QObject* parent = nullptr);
    InternetClient(ClientView& view, GameEngine& engine, const Clock& clock, QObject* parent = nullptr)
        : InternetClient(view, engine, clock, Timing{}, parent)
    {
    }
    ~InternetClient() override;

    // --- the connect page ---
    // The connect button: with the caption "Connect" checks the form and connects; with "Disconnect"
    // leaves the server.
    void connectButtonClicked(BytesView name, BytesView team, BytesView address);
    // The toolbar's connect button opens the connect page while this is true; otherwise it
    // calls disconnectFromServer.
    bool connectButtonIdle() const { return m_connectButtonIdle; }
    // Sends the quit message and resets everything to "not connected".
    void disconnectFromServer();
    // The team button: the team in use becomes `team` (none when empty) and the server is told.
    void applyTeam(BytesView team);
    // The team in use, sent in the hello and kept as [Network] team=: the single CR for none.
    const Bytes& TeamName() const { return m_TeamName; }
    void setTeamName(BytesView teamName) { m_TeamName = Bytes(teamName); }
    // The team typed at connect time or applied since; empty for none.
    const Bytes& MyTeam() const { return m_MyTeam; }
    bool Connected() const { return m_Connected; }
    bool IsAdmin() const { return m_IsAdmin; }

    // --- the chat page ---
    // cmdJoinGame: asks for the first free playing spot (nothing when all six are held).
    void joinGame();
    // cmdSpectate: asks to watch.
    void spectate();
    // The player menu's "Join Game": asks for spot 1..6 (anything else asks nothing).
    void takeSpot(int spot);

    // One line to the server; CR LF is appended, nothing is sent without a connection.
    void SendToServer(BytesView line);

    // --- what the game session and the engine's host forward ---
    // The File menu's start and stop of a game the server runs.
    void requestStartGame();
    void requestStopGame();
    void sendPauseGame();
    void sendResumeGame();
    // The own player lost.
    void sendPlayerLost();
    // The lines a line clear adds to all: sent to the server, which relays them to the others
    // only, and logged here through the own dispatcher.
    void addLinesToAll(int lines);
    // "5;" with the changes of field 1 since the last report, or "5;S".
    void SendFieldUpdate();
    // The copy last reported is forgotten (field 1 was emptied).
    void ResetSentField();
    // The level step of internet play over the engine's LevelLineCount.
    void CheckLevelUp();
    int MyIndex() const { return m_roster.MyIndex; }
    // The own player lost (the engine's PlayerLost in internet play).
    void MarkMyPlayerDead();

    // --- votes ---
    // "/yes" and "/no" to the running kick vote.
    void answerVote(bool yes);
    // The rule-vote panel's start: the rule's position in the settings list and the value box's
    // text ("Enabled", "Disabled" or a number). A value outside 0..100 or a rule outside the
    // list is refused with a message and nothing is sent.
    void startRuleVote(int rule, BytesView valueText);

    // --- rooms of outside servers ---
    // The room list emptied (no room shown) and asked for again.
    void RequestRoomList();
    // The rooms of the last list, in the order they came (at most kMaxRooms).
    const std::vector<wire::toClient::RoomList>& rooms() const { return m_Rooms; }
    // The room information of the first room of that name (exact match); the no-room state
    // when there is none.
    void ShowRoomInfo(BytesView room);
    // "/join room [password]": a name over 12 characters is refused with a message.
    void JoinRoomCommand(BytesView argument);
    // The join button: asks for the room without a password; an empty name is refused. False
    // when nothing was sent.
    bool joinRoom(BytesView room);
    // The quick create and the room-creation panel's "Create Room": the name must be 1 to 12
    // characters; an empty password travels as CR. The quick create asks to join the room with
    // its password, the panel sends the room's options too. False when nothing was sent.
    bool createRoom(BytesView room, BytesView password);
    bool createRoomWithOptions(BytesView room, BytesView password);
    // The room to be created, edited by the room-creation panel.
    RoomCreateOptions& roomCreateOptions() { return m_RoomCreateOptions; }
    // The room password box's answer; nothing for a cancelled box. An empty answer sends
    // nothing either.
    void answerRoomPassword(const std::optional<Bytes>& answer);
    bool roomPasswordAsked() const { return m_passwordRoom.has_value(); }

    // --- in-game senders ---
    // Uses the special at hand on the player in spot 1..6 (the Ispec keys); refused without
    // change for an empty spot, a dead player, a shielded opponent, no running game or an
    // empty inventory.
    void SendSpecial(int slot);
    // The spot of the player who last hit this client with a revenge special (Irevenge).
    int RevengeSlot() const { return m_RevengeSlot; }

    // --- state the window and the renderer read ---
    OpponentBoards& boards() { return m_boards; }
    const OpponentBoards& boards() const { return m_boards; }
    const ClientRoster& roster() const { return m_roster; }
    const GameStats& stats() const { return m_stats; }

private:
    // Drives the connection without a socket (the fuzz target of the dispatcher).
    friend struct InternetClientAccess;

    // Connection and queue (clientconnection.cpp).
    void ConnectOrDisconnect(BytesView name, BytesView team, BytesView address);
    void ClientConnected();
    void ClientDataArrival(BytesView data);
    void ClientDisconnected();
    void onSocketError();
    void onSocketClosed();
    void onConnectTimeout();
    void failConnection(BytesView message);
    void drainQueue();
    void releaseSocket();

    // Dispatcher and notices (clientdispatcher.cpp).
    void dispatch(const wire::toClient::Message& message);
    void rejected(BytesView message);
    void ClientMsgTeamChanged(const wire::toClient::TeamChanged& message);
    void ClientMsgGameSettings(const wire::toClient::GameSettings& message);
    void ClientMsgCommonLevel(const wire::toClient::CommonLevel& message);
    void ClientMsgPaused();
    void ClientMsgResumed();
    void ClientMsgLinesAdded(const wire::toClient::LinesRelay& message);

    // Votes (clientvotes.cpp).
    void ClientMsgVoteKickCalled(const wire::toClient::KickVoteStarted& message);
    void ClientMsgVoteChangeCalled(const wire::toClient::RuleVoteStarted& message);
    void ClientMsgVoteUpdate(const wire::toClient::VoteTally& message);
    void ClientMsgKickVoteResult(const wire::toClient::VoteResult& message);
    void ClientMsgChangeVoteResult(const wire::toClient::RuleVoteResult& message);
    void printVoteHowTo();
    void printVoteCounts(BytesView title, int yes, int no);

    // Rooms and administrator status (clientrooms.cpp).
    void ClientMsgRoomList(const wire::toClient::RoomList& message);
    void ClientMsgInRoom(const wire::toClient::InRoom& message);
    void ClientMsgRoomPassword(const wire::toClient::RoomPassword& message);
    void ClientMsgAdminReply(const wire::toClient::AdminReply& message);
    // Checks a room name typed for creating a room; false (and the message shown) when refused.
    bool roomNameAccepted(BytesView room);

    // Specials (clientspecials.cpp).
    static bool isGoodSpecial(SpecialType special);
    void ClientMsgSpecial(const wire::toClient::SpecialRelay& message);
    void markTargetBoard(SpecialType special, int target);
    void applySpecialHere(SpecialType special);

    // Joining, roster, spots and chat (clientlobby.cpp).
    void ClientMsgIndex(const wire::toClient::YourIndex& message);
    void ClientMsgConnected(const wire::toClient::Welcome& message);
    void ClientMsgJoined(const wire::toClient::WelcomeRoom& message);
    // The own record, the spots and their boards, then watching a running game or being free
    // to join it; finishWelcome makes the lobby's menus available and asks for the settings.
    void takeWelcome(int index, const wire::toClient::SlotHolders& holders, bool gameRunning);
    void finishWelcome();
    // Stores a roster record; a record that joins the roster later is announced with
    // `announcement` (" has connected"), the roster a newcomer gets (no announcement) is not.
    void ClientMsgPlayerRecord(int index, BytesView name, BytesView team, BytesView announcement);
    // A player left the server, or (`leftRoom`) only this room.
    void ClientMsgPlayerLeaves(int index, bool leftRoom);
    void ClientMsgSpotChange(const wire::toClient::SpotChanged& message);
    void spotToSpectators(int index);
    void spotTaken(int index, int spot);
    // "<Bob> hi" (or "(Bob) hi" for team chat) with the chat sound; nothing for an unknown index.
    void printChatLine(int index, BytesView text, char open, char close);
    void ClientMsgChat(const wire::toClient::ChatLine& message);
    void ClientMsgTeamChat(const wire::toClient::TeamChatLine& message);
    void ClientMsgAction(const wire::toClient::ActionLine& message);
    void ClientMsgPrivate(const wire::toClient::PrivateLine& message);
    void ClientMsgPlayerLost(const wire::toClient::PlayerOut& message);
    void RefreshSpotLabels();
    void RefreshPlayerList();
    void UpdateGameButtons(bool enable);
    // "Bob is playing alone." or "Bob is on team red", the team in `teamColour`.
    void printTeamLine(BytesView name, BytesView team, ChatColour teamColour);

    // Opponent fields and the own field on the wire (clientfields.cpp).
    void ClientMsgFullField(const wire::toClient::FullField& message);
    void ClientMsgFieldRelay(const wire::toClient::FieldRelay& message);
    // Writes cells into the field that shows the spot and redraws it.
    void writeSpotField(int spot, const std::vector<wire::CellChange>& changes);
    void ClearNetBoard(int board);
    void redrawBoard(int board);
    // The field a Switch Blocks exchange brings replaces the own field.
    void ApplyFieldString(const wire::FieldCells& field);

    // Game start, stop and game over (clientgame.cpp).
    void ClientMsgGameStarted(const wire::toClient::GameStarted& message);
    void ClientMsgGameStopped();
    void PrepareClientGame();
    void ClientMsgGameOver(const wire::toClient::GameOver& message);
    void printStatistics(BytesView winners);
    void setGameButtons(bool gameRuns);

    // Helpers.
    // Encodes a message to the server and sends it.
    template <class Message> void send(const Message& message) { SendToServer(encode(message)); }
    void chat(BytesView text, bool bold, ChatColour colour);
    void playSound(SoundSlot slot);
    int64_t now() const;
    EngineHost& host();
    // The game tick: while connected only the client starts and stops it.
    void setGameTimer(bool running);

    ClientView& m_view;
    GameEngine& m_engine;
    const Clock& m_clock;
    Timing m_timing;

    // Connection.
    QPointer<QTcpSocket> m_socket;
    QTimer m_queueTimer;
    QTimer m_connectTimer;
    wire::LineSplitter m_splitter;
    std::deque<Bytes> m_queue; // received lines not yet handled
    bool m_draining = false;
    bool m_closePending = false; // the server closed while lines were being handled
    bool m_sessionActive = false; // the connect button shows "Disconnect"
    bool m_connectButtonIdle = true;
    bool m_Connected = false;
    bool m_IsAdmin = false;
    Bytes m_address;
    Bytes m_MyName;
    Bytes m_MyTeam;
    Bytes m_TeamName = "\r";

    // Game.
    ClientRoster m_roster;
    OpponentBoards m_boards;
    GameStats m_stats;
    int m_RevengeSlot = 0;
    std::vector<wire::toClient::RoomList> m_Rooms;
    RoomCreateOptions m_RoomCreateOptions;
    std::optional<Bytes> m_passwordRoom; // the room whose password box is open
    int m_RuleVoteSetting = -1; // the rule and value of the last rule vote announced
    int m_RuleVoteValue = 0;
    bool m_gameTimerOn = false;
    bool m_gameButtonStops = false; // the start button shows "Stop Game"
    wire::FieldCells m_sentField; // field 1 as last reported
};

} // namespace kalvon
