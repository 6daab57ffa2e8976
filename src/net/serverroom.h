#pragma once
// The built-in server's rules, without sockets: its connections, the login with its
// rejections and the client limit, the clients' records, the six playing slots and the
// server's copy of every slot's field, and every message of the protocol the built-in server
// answers or relays: chat, teams, private messages, slots, specials and lines, field changes,
// game start, stop, pause and resume, game over, the field switch and kick votes.
//
// Connections reach it as bytes and closes from its owner (RoomHost); what it decides goes
// back through the same interface. It never lets other events run: each line is handled to
// the end before the next. Everything timed (waits before a close, the login time-out, the
// vote time-out) is a deadline on the injected clock, run by runDueTimers; a deadline belongs
// to a connection number, never to a reusable index. Broadcasts go to logged-in clients only.
// Client indices are 1..socketCount(), given at login; -1 is the host itself.
//
// A connection that has not logged in holds a player's place only through a short grace
// after it connects (when there was a place for it then); at most kMaxWaitingPerAddress such
// connections from one address, and kMaxWaiting in all, wait at once; more are refused at
// once. A hello that finds every place held is answered "server full".

#include "common/bytes.h"
#include "net/playerinfo.h"
#include "net/roomhost.h"
#include "net/wire/field.h"
#include "net/wire/linesplitter.h"
#include "net/wire/toserver.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace kalvon {

class BanList;
class Clock;
class Dialogs;
struct HostOptions;

// The room's waits, in milliseconds.
struct RoomTiming {
    int closeWaitMs = 1000; // after a rejection, "server full", a vote kick, the shutdown
    int kickWaitMs = 100; // the host's kick
    int loginGraceMs = 3000; // a new connection keeps its place this long without a hello
    int loginTimeoutMs = 30000; // a connection that sends no hello is closed
};

class ServerRoom {
public:
    using Timing = RoomTiming;
    static constexpr int64_t kVoteTimeoutMs = 30000;
    static constexpr int kMaxWaitingPerAddress = 3;
    static constexpr int kMaxWaiting = 256;

    ServerRoom(const HostOptions& options, BanList& bans, Dialogs& dialogs, const Clock& clock,
        RoomHost& host, Timing timing = {});

    // The server's start and stop. Opening begins with fresh records; the shutdown sends
    // "2" to every client and closes every connection after the close wait.
    void open(double maxClients);
    void shutdown();
    bool isOpen() const { return m_open; }

    // Connections, as their owner sees them. connectionOpened is false when the connection
    // is refused at once (too many waiting); the owner drops it and reports nothing more.
    bool connectionOpened(ConnectionId connection, BytesView address);
    void bytesReceived(ConnectionId connection, BytesView bytes);
    // The peer closed; what it sent before has been reported.
    void connectionClosed(ConnectionId connection);

    // Runs every deadline that is due on the clock, earliest first.
    void runDueTimers();
    // The earliest deadline still to come, if any.
    std::optional<int64_t> nextDueMs() const;

    // Game flow, for client messages and the host's own commands (sender -1).
    void ServerStartGame(int sender);
    void ServerStopGame();
    void ServerMsgPause(int sender);
    void ServerMsgResume(int sender);
    // Moves client `idx` to slot 1..6, or to the spectators for 0; another number is ignored.
    void ServerMsgTakeSlot(int idx, int slot);
    // Removes a client; safe to call for a client that is gone already.
    void DisconnectClient(int idx);
    // Sends the current game settings to every client (a rule check box was clicked).
    void broadcastGameSettings();
    // The host's administration: "U" then a close after the kick wait; the ban adds the
    // client's address to the ban list, sends "," and closes after `waitMs`.
    void kickClient(int idx);
    void banClient(int idx, int waitMs);

    // Reading the records (the host's menus and lists).
    int socketCount() const { return static_cast<int>(m_clients.size()) - 1; }
    const PlayerInfo& client(int idx) const { return m_clients.at(static_cast<std::size_t>(idx)).info; }
    // The dotted address of client `idx`, empty when there is none.
    Bytes clientAddress(int idx) const;
    // The logged-in client of that name, compared ignoring case; 0 when none.
    int findClient(BytesView name) const;
    // The client holding slot 1..6, -1 when free.
    int PlayerSlot(int slot) const { return m_playerSlot.at(static_cast<std::size_t>(slot)); }
    bool GameRunning() const { return m_gameRunning; }
    bool VoteRunning() const { return m_voteRunning; }
    // Connections that have not logged in and are not yet closed.
    int waitingConnections() const;

private:
    struct Connection {
        Bytes address;
        wire::LineSplitter splitter;
        int index = 0; // the client index once logged in
        bool loggedIn = false; // has been, even after a shutdown took its index
        int64_t openedAt = 0;
        bool holdsPlace = false; // there was a place for it when it connected
        std::optional<int64_t> closeAt; // closing: its lines are no longer handled
    };
    struct Record {
        PlayerInfo info;
        ConnectionId connection = 0; // 0: the index is free for the next login
    };

    // Connections and timers (serverroom.cpp).
    Connection* find(ConnectionId id);
    bool isWaiting(const Connection& connection) const;
    bool inGrace(const Connection& connection) const;
    int placesHeld(ConnectionId except = 0) const;
    int freeIndex();
    void closeLater(ConnectionId id, int waitMs);
    void disconnectLater(int idx, int waitMs);
    // Sends the rejection line and closes after the close wait.
    void reject(ConnectionId id, BytesView line);
    void forget(ConnectionId id);
    std::optional<int64_t> dueOf(const Connection& connection) const;
    void runDue(ConnectionId id);

    void send(ConnectionId id, BytesView line);
    void SendToClient(int idx, BytesView line);
    void sendToAll(BytesView line, int except = 0);
    bool isLoggedIn(int idx) const;

    // Messages (servermessages.cpp).
    void dispatchLine(ConnectionId id, BytesView line);
    void ServerDispatchMessage(int idx, const wire::toServer::Message& message);
    void ServerMsgJoin(ConnectionId id, const wire::toServer::Hello& hello);
    void ServerMsgTeamChat(int idx, BytesView text);
    void ServerMsgSetTeam(int idx, BytesView team);
    void ServerMsgPrivate(int idx, const wire::toServer::Private& message);
    void ServerMsgSpecial(int idx, const wire::toServer::Special& special);
    void ServerMsgSwitchSpecial(int idx, int target);
    void ServerStartKickVote(int idx, int subject);
    void castVote(int idx, bool yes);
    void EndKickVote();
    // A vote ends once it is older than kVoteTimeoutMs.
    int64_t voteEndsAt() const { return m_voteStart + kVoteTimeoutMs + 1; }
    bool mayControlGame(int sender) const;

    // Fields and game over (serverfields.cpp).
    void ServerMsgFieldUpdate(int idx, const std::vector<wire::CellChange>& changes);
    void ServerMsgPlayerLost(int idx);
    void SendFullField(int idx, int slot);
    // The winners when the game is over: at most one alive slot holder, or all alive holders
    // on one team (exact comparison).
    std::optional<std::vector<int>> CheckGameOver() const;
    void ServerGameOver(const std::vector<int>& winners);
    int heldSlot(int idx) const;
    void freeSlotsOf(int idx);

    void resetRecords();

    const HostOptions& m_options;
    BanList& m_bans;
    Dialogs& m_dialogs;
    const Clock& m_clock;
    RoomHost& m_host;
    Timing m_timing;

    bool m_open = false;
    double m_maxClients = 0;
    std::map<ConnectionId, Connection> m_connections;
    // The lines of the arrival being handled; kept for the next arrival, so a steady stream of
    // short lines is cut without allocating.
    std::vector<Bytes> m_lines;
    std::vector<Record> m_clients; // [0] unused

    std::array<int, 7> m_playerSlot{}; // [1..6]
    std::array<wire::FieldCells, 7> m_fields{}; // [1..6]
    bool m_gameRunning = false;

    bool m_voteRunning = false;
    int m_voteSubject = 0;
    int m_voteYes = 0;
    int m_voteNo = 0;
    int64_t m_voteStart = 0;
};

} // namespace kalvon
