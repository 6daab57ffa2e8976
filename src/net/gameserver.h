#pragma once
// The built-in game server's sockets: listens on the host's port, hands every connection's
// bytes and close to the room (ServerRoom), which holds every rule, and carries out what the
// room decides: lines to send, connections to close, and when to wake it for its deadlines.
// A line leaves at once, straight from the room's copy, when nothing waits before it.
//
// Connections are numbered as they arrive and never renumbered, so a close the room decides
// for a connection that is gone never reaches another. A client that stops reading is let go
// once kMaxUnsentBytes wait to be sent to it.

#include "net/roomhost.h"
#include "net/serverroom.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <array>
#include <cstdint>
#include <map>
#include <memory>

class QTcpServer;
class QTcpSocket;

namespace kalvon {

class BanList;
class Clock;
class Dialogs;
struct HostOptions;

class GameServer final : public QObject, private RoomHost {
    Q_OBJECT
public:
    static constexpr qint64 kMaxUnsentBytes = 4 * 1024 * 1024;

    GameServer(const HostOptions& options, BanList& bans, Dialogs& dialogs, const Clock& clock,
        ServerRoom::Timing timing, QObject* parent = nullptr);
    GameServer(const HostOptions& options, BanList& bans, Dialogs& dialogs, const Clock& clock,
        QObject* parent = nullptr)
        : GameServer(options, bans, dialogs, clock, ServerRoom::Timing{}, parent)
    {
    }
    ~GameServer() override;

    // The server page's start and stop. StartServer checks the port and the client limit
    // (showing the message of the first check that fails) and listens; false when it did not.
    bool StartServer();
    void StopServer();
    bool isRunning() const { return m_listener != nullptr; }
    quint16 listeningPort() const;

    // The room's rules and records (the host's commands, menus and lists).
    ServerRoom& room() { return m_room; }
    const ServerRoom& room() const { return m_room; }

    // The host's own game commands (sender -1) and the game's state, as the window uses them.
    void ServerStartGame(int sender) { m_room.ServerStartGame(sender); }
    void ServerStopGame() { m_room.ServerStopGame(); }
    void ServerMsgPause(int sender) { m_room.ServerMsgPause(sender); }
    void ServerMsgResume(int sender) { m_room.ServerMsgResume(sender); }
    bool GameRunning() const { return m_room.GameRunning(); }

    // Runs the room's deadlines that are due on the clock; the wake-up timer calls it, and a
    // test calls it after moving its clock.
    void runDueTimers();

signals:
    void runningChanged(bool running);
    // A client logged in or left (the server page's user box).
    void userJoined(const kalvon::Bytes& name);
    void userLeft(const kalvon::Bytes& name);
    // The host's game buttons: a game started; a game stopped or ended.
    void gameStarted();
    void gameEnded();

private:
    // RoomHost.
    bool sendLine(ConnectionId connection, BytesView line) override;
    void closeConnection(ConnectionId connection) override;
    void wakeAt(int64_t dueMs) override;
    void userJoinedRoom(const Bytes& name) override { emit userJoined(name); }
    void userLeftRoom(const Bytes& name) override { emit userLeft(name); }
    void roomGameStarted() override { emit gameStarted(); }
    void roomGameEnded() override { emit gameEnded(); }

    void onNewConnection();
    void onReadyRead(ConnectionId connection);
    void onSocketClosed(ConnectionId connection);
    QTcpSocket* socketOf(ConnectionId connection) const;

    const HostOptions& m_options;
    Dialogs& m_dialogs;
    const Clock& m_clock;
    ServerRoom m_room;

    std::unique_ptr<QTcpServer> m_listener;
    // What a socket has received is read through here, a piece at a time.
    std::array<char, 65536> m_readBuffer;
    std::map<ConnectionId, QPointer<QTcpSocket>> m_sockets;
    ConnectionId m_lastConnection = 0;
    QTimer m_wakeTimer;
    int64_t m_wakeDue = 0;
};

} // namespace kalvon
