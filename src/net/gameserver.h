#pragma once
// The built-in game server: listens for up to the host's client limit, turns further
// connections away, logs clients in, keeps their records, the six playing slots and its copy
// of every slot's field, and handles every message of the protocol that the built-in server
// answers or relays: chat, teams, private messages, slots, specials and lines, field changes,
// game start, stop, pause and resume, game over, the field switch and kick votes.
//
// The server core never lets other events run: each line is handled to the end before the
// next. Waits before a close are single-shot timers guarded by the connection's serial number,
// so a socket index reused meanwhile is never closed by mistake. Broadcasts go to logged-in
// clients only. Client indices are socket indices 1..socketCount(); -1 is the host itself.

#include "common/bytes.h"
#include "net/playerinfo.h"
#include "net/wire/field.h"
#include "net/wire/linesplitter.h"
#include "net/wire/toserver.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QTcpServer;
class QTcpSocket;

namespace kalvon {

class BanList;
class Clock;
class Dialogs;
struct HostOptions;

class GameServer final : public QObject {
    Q_OBJECT
public:
    struct Timing {
        int closeWaitMs = 1000; // after a rejection, a vote kick, the shutdown, "1"
        int kickWaitMs = 100; // the host's kick
        int turnAwaySilenceMs = 10000; // an over-limit connection that sends nothing
        int loginTimeoutMs = 30000; // an accepted connection that sends no hello
        int voteCheckIntervalMs = 1000; // how often the vote time-out is looked at
    };
    static constexpr int64_t kVoteTimeoutMs = 30000;
    static constexpr int kMaxTurnAways = 256;
    // A client that stops reading is let go once this much waits to be sent to it.
    static constexpr qint64 kMaxUnsentBytes = 4 * 1024 * 1024;

    GameServer(const HostOptions& options, BanList& bans, Dialogs& dialogs, const Clock& clock, Timing timing,
        QObject* parent = nullptr);
    GameServer(const HostOptions& options, BanList& bans, Dialogs& dialogs, const Clock& clock,
        QObject* parent = nullptr)
        : GameServer(options, bans, dialogs, clock, Timing{}, parent)
    {
    }
    ~GameServer() override;

    // The server page's start and stop. StartServer checks the port and the client limit
    // (showing the message of the first check that fails) and listens; false when it did not.
    bool StartServer();
    void StopServer();
    bool isRunning() const { return m_listener != nullptr; }
    quint16 listeningPort() const;

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

    // Ends a kick vote older than kVoteTimeoutMs; run periodically while the server runs.
    void checkVoteTimeout();

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

signals:
    void runningChanged(bool running);
    // A client logged in or left (the server page's user box).
    void userJoined(const kalvon::Bytes& name);
    void userLeft(const kalvon::Bytes& name);
    // The host's game buttons: a game started; a game stopped or ended.
    void gameStarted();
    void gameEnded();

private:
    struct Client {
        PlayerInfo info;
        QPointer<QTcpSocket> socket; // null: the index is free for the next connection
        uint64_t serial = 0;
        Bytes address;
        wire::LineSplitter splitter;
        bool closing = false; // rejected or kicked: its lines are no longer handled
    };

    // Connections (gameserver.cpp).
    void onNewConnection();
    void attach(int idx, QTcpSocket* socket);
    void turnAway(QTcpSocket* socket);
    void onReadyRead(int idx, uint64_t serial);
    void onSocketClosed(int idx, uint64_t serial);
    bool isCurrent(int idx, uint64_t serial) const;
    void releaseSocket(Client& client, int closeAfterMs);
    void disconnectLater(int idx, int waitMs);
    // Sends the rejection line and closes after the close wait.
    void reject(int idx, BytesView line);
    void resetServerState();

    void SendToClient(int idx, BytesView line);
    void sendToAll(BytesView line, int except = 0);
    bool isLoggedIn(int idx) const;

    // Messages (servermessages.cpp).
    void dispatchLine(int idx, BytesView line);
    void ServerDispatchMessage(int idx, const wire::toServer::Message& message);
    void ServerMsgJoin(int idx, const wire::toServer::Hello& hello);
    void ServerMsgTeamChat(int idx, BytesView text);
    void ServerMsgSetTeam(int idx, BytesView team);
    void ServerMsgPrivate(int idx, const wire::toServer::Private& message);
    void ServerMsgSpecial(int idx, const wire::toServer::Special& special);
    void ServerMsgSwitchSpecial(int idx, int target);
    void ServerStartKickVote(int idx, int subject);
    void castVote(int idx, bool yes);
    void EndKickVote();
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

    const HostOptions& m_options;
    BanList& m_bans;
    Dialogs& m_dialogs;
    const Clock& m_clock;
    Timing m_timing;

    std::unique_ptr<QTcpServer> m_listener;
    double m_maxClients = 0;
    uint64_t m_nextSerial = 0;
    int m_turnAways = 0;
    std::vector<Client> m_clients; // [0] unused

    std::array<int, 7> m_playerSlot{}; // [1..6]
    std::array<wire::FieldCells, 7> m_fields{}; // [1..6]
    bool m_gameRunning = false;

    bool m_voteRunning = false;
    int m_voteSubject = 0;
    int m_voteYes = 0;
    int m_voteNo = 0;
    int64_t m_voteStart = 0;
    QTimer m_voteTimer;
};

} // namespace kalvon
