// The server's sockets: start and stop, accepting, receiving, sending, closing, and the
// wake-up timer of the room's deadlines.

#include "net/gameserver.h"

#include "common/clock.h"
#include "common/dialogs.h"
#include "common/vbconv.h"
#include "net/hostoptions.h"
#include "net/peeraddress.h"
#include "net/socketclose.h"
#include "net/wire/line.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>
#include <cerrno>
#include <sys/socket.h>
#include <sys/uio.h>

namespace kalvon {

namespace {

constexpr BytesView kErrorTitle = "Error";
constexpr int kListenBacklog = 128;

// Hands the line and its CR LF to the kernel in one call without waiting; how many of the
// bytes it took (none on any error: the socket's own write then meets and reports it).
std::size_t sendWithoutWaiting(qintptr descriptor, BytesView line)
{
    iovec parts[2] = { { const_cast<char*>(line.data()), line.size() },
        { const_cast<char*>(wire::kLineEnd.data()), wire::kLineEnd.size() } };
    msghdr message{};
    message.msg_iov = parts;
    message.msg_iovlen = 2;
    for (;;) {
        const ssize_t sent = ::sendmsg(static_cast<int>(descriptor), &message, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent >= 0)
            return static_cast<std::size_t>(sent);
        if (errno != EINTR)
            return 0;
    }
}

} // namespace

GameServer::GameServer(const HostOptions& options, BanList& bans, Dialogs& dialogs, const Clock& clock,
    ServerRoom::Timing timing, QObject* parent)
    : QObject(parent)
    , m_options(options)
    , m_dialogs(dialogs)
    , m_clock(clock)
    , m_room(options, bans, dialogs, clock, *this, timing)
{
    m_wakeTimer.setSingleShot(true);
    connect(&m_wakeTimer, &QTimer::timeout, this, &GameServer::runDueTimers);
}

GameServer::~GameServer() = default;

bool GameServer::StartServer()
{
    if (isRunning())
        return true;
    const auto fail = [this](BytesView text) {
        m_dialogs.messageBox(text, kErrorTitle, MessageIcon::Critical);
        return false;
    };
    const std::optional<int> port = parsePortText(m_options.port);
    if (!port)
        return fail("You need to enter a number for the port!");
    const std::optional<double> maxClients = vb::toNumber(m_options.maxClients);
    if (!maxClients)
        return fail("You need to enter a number for the max number of clients!");
    if (*maxClients > 6)
        return fail("You can't have more than 6 clients!");
    if (*maxClients < 2)
        return fail("The least number of clients you can have is 2!");

    auto listener = std::make_unique<QTcpServer>();
    listener->setListenBacklogSize(kListenBacklog);
    if (!listener->listen(QHostAddress::Any, static_cast<quint16>(*port)))
        return fail(
            "Could Not Start Server!(Probably Due To IP Restrictions or Another Server Running On That "
            "Port)");
    m_listener = std::move(listener);
    m_room.open(*maxClients);
    connect(m_listener.get(), &QTcpServer::newConnection, this, &GameServer::onNewConnection);
    emit runningChanged(true);
    return true;
}

void GameServer::StopServer()
{
    if (!isRunning())
        return;
    m_listener->close();
    m_listener.reset();
    // The connections stay until the room closes them after its close wait.
    m_room.shutdown();
    emit runningChanged(false);
}

quint16 GameServer::listeningPort() const
{
    return m_listener ? m_listener->serverPort() : 0;
}

void GameServer::onNewConnection()
{
    while (m_listener && m_listener->hasPendingConnections()) {
        QTcpSocket* socket = m_listener->nextPendingConnection();
        const ConnectionId id = ++m_lastConnection;
        socket->setParent(this);
        if (!m_room.connectionOpened(id, dottedAddress(socket->peerAddress()))) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        m_sockets.emplace(id, socket);
        // Lines are small and should leave at once, not wait for the previous one's ACK.
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(socket, &QTcpSocket::readyRead, this, [this, id] { onReadyRead(id); });
        connect(socket, &QAbstractSocket::disconnected, this, [this, id] { onSocketClosed(id); });
        if (socket->bytesAvailable() > 0)
            onReadyRead(id);
    }
}

QTcpSocket* GameServer::socketOf(ConnectionId connection) const
{
    const auto it = m_sockets.find(connection);
    return it == m_sockets.end() ? nullptr : it->second.data();
}

void GameServer::onReadyRead(ConnectionId connection)
{
    QTcpSocket* socket = socketOf(connection);
    if (!socket)
        return;
    // The room may close the connection while it handles a piece; the socket is looked up
    // again before the next one.
    while (socket && socket->bytesAvailable() > 0) {
        const qint64 length = socket->read(m_readBuffer.data(), static_cast<qint64>(m_readBuffer.size()));
        if (length <= 0)
            return;
        m_room.bytesReceived(connection, BytesView(m_readBuffer.data(), static_cast<std::size_t>(length)));
        socket = socketOf(connection);
    }
}

void GameServer::onSocketClosed(ConnectionId connection)
{
    // Lines that came with the close are handled first.
    onReadyRead(connection);
    if (socketOf(connection))
        m_room.connectionClosed(connection);
}

bool GameServer::sendLine(ConnectionId connection, BytesView line)
{
    QTcpSocket* socket = socketOf(connection);
    if (!socket || socket->state() != QAbstractSocket::ConnectedState)
        return true; // its close is on its way
    // With nothing queued before it, the line goes to the kernel now, from the room's copy
    // (one line goes to every client: no copy per recipient, and no wait for the event loop's
    // next pass). What the kernel does not take now queues in the socket, and so does every
    // line after it until the queue has left.
    const std::size_t framedSize = line.size() + wire::kLineEnd.size();
    std::size_t sent = 0;
    if (socket->bytesToWrite() == 0)
        sent = sendWithoutWaiting(socket->socketDescriptor(), line);
    if (sent < line.size()) {
        socket->write(line.data() + sent, static_cast<qint64>(line.size() - sent));
        sent = line.size();
    }
    if (sent < framedSize)
        socket->write(wire::kLineEnd.data() + (sent - line.size()), static_cast<qint64>(framedSize - sent));
    return socket->bytesToWrite() <= kMaxUnsentBytes;
}

void GameServer::closeConnection(ConnectionId connection)
{
    const auto it = m_sockets.find(connection);
    if (it == m_sockets.end())
        return;
    QPointer<QTcpSocket> socket = it->second;
    m_sockets.erase(it);
    if (!socket)
        return;
    disconnect(socket, nullptr, this, nullptr);
    closeGracefully(socket);
}

void GameServer::wakeAt(int64_t dueMs)
{
    if (m_wakeTimer.isActive() && m_wakeDue <= dueMs)
        return;
    m_wakeDue = dueMs;
    m_wakeTimer.start(static_cast<int>(std::clamp<int64_t>(dueMs - m_clock.nowMs(), 0, INT32_MAX)));
}

void GameServer::runDueTimers()
{
    m_wakeTimer.stop();
    m_room.runDueTimers();
    if (const std::optional<int64_t> next = m_room.nextDueMs())
        wakeAt(*next);
}

} // namespace kalvon
