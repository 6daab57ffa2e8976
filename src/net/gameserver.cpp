// The server's connection layer: start and stop, accepting and turning away, receiving,
// sending, delayed closes and the removal of a client.

#include "net/gameserver.h"

#include "common/clock.h"
#include "common/dialogs.h"
#include "common/vbconv.h"
#include "net/banlist.h"
#include "net/hostoptions.h"
#include "net/peeraddress.h"
#include "net/socketclose.h"
#include "net/turnaway.h"
#include "net/wire/line.h"
#include "net/wire/toclient.h"

#include <QTcpServer>
#include <QTcpSocket>

namespace kalvon {

namespace {

constexpr BytesView kErrorTitle = "Error";
constexpr int kListenBacklog = 128;

} // namespace

GameServer::GameServer(const HostOptions& options, BanList& bans, Dialogs& dialogs, const Clock& clock,
    Timing timing, QObject* parent)
    : QObject(parent)
    , m_options(options)
    , m_bans(bans)
    , m_dialogs(dialogs)
    , m_clock(clock)
    , m_timing(timing)
{
    resetServerState();
    m_voteTimer.setInterval(m_timing.voteCheckIntervalMs);
    connect(&m_voteTimer, &QTimer::timeout, this, &GameServer::checkVoteTimeout);
}

GameServer::~GameServer() = default;

void GameServer::resetServerState()
{
    m_clients.assign(1, Client{});
    m_playerSlot.fill(-1);
    m_gameRunning = false;
    m_voteRunning = false;
}

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

    resetServerState();
    auto listener = std::make_unique<QTcpServer>();
    listener->setListenBacklogSize(kListenBacklog);
    if (!listener->listen(QHostAddress::Any, static_cast<quint16>(*port)))
        return fail(
            "Could Not Start Server!(Probably Due To IP Restrictions or Another Server Running On That "
            "Port)");
    m_listener = std::move(listener);
    m_maxClients = *maxClients;
    connect(m_listener.get(), &QTcpServer::newConnection, this, &GameServer::onNewConnection);
    m_voteTimer.start();
    emit runningChanged(true);
    return true;
}

void GameServer::StopServer()
{
    if (!isRunning())
        return;
    m_listener->close();
    m_listener.reset();
    m_voteTimer.stop();
    sendToAll(encode(wire::toClient::ServerShutdown{}));
    for (Client& client : m_clients)
        releaseSocket(client, m_timing.closeWaitMs);
    resetServerState();
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
        int idx = 0;
        for (int i = 1; i <= socketCount() && idx == 0; ++i) {
            if (!m_clients[static_cast<std::size_t>(i)].socket)
                idx = i;
        }
        if (idx == 0 && m_maxClients > socketCount()) {
            m_clients.emplace_back();
            idx = socketCount();
        }
        if (idx == 0)
            turnAway(socket);
        else
            attach(idx, socket);
    }
}

void GameServer::attach(int idx, QTcpSocket* socket)
{
    Client& client = m_clients[static_cast<std::size_t>(idx)];
    client = Client{};
    client.socket = socket;
    client.serial = ++m_nextSerial;
    client.address = dottedAddress(socket->peerAddress());
    socket->setParent(this);
    // Lines are small and should leave at once, not wait for the previous one's ACK.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);

    const uint64_t serial = client.serial;
    connect(socket, &QTcpSocket::readyRead, this, [this, idx, serial] { onReadyRead(idx, serial); });
    connect(
        socket, &QAbstractSocket::disconnected, this, [this, idx, serial] { onSocketClosed(idx, serial); });
    QTimer::singleShot(m_timing.loginTimeoutMs, this, [this, idx, serial] {
        if (isCurrent(idx, serial) && !isLoggedIn(idx))
            DisconnectClient(idx);
    });
    if (socket->bytesAvailable() > 0)
        QTimer::singleShot(0, this, [this, idx, serial] { onReadyRead(idx, serial); });
}

void GameServer::turnAway(QTcpSocket* socket)
{
    if (m_turnAways >= kMaxTurnAways) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    ++m_turnAways;
    auto* handler = new TurnAwayConnection(socket, m_timing.closeWaitMs, m_timing.turnAwaySilenceMs, this);
    connect(handler, &QObject::destroyed, this, [this] { --m_turnAways; });
}

bool GameServer::isCurrent(int idx, uint64_t serial) const
{
    if (idx < 1 || idx > socketCount())
        return false;
    const Client& client = m_clients[static_cast<std::size_t>(idx)];
    return client.serial == serial && client.socket;
}

bool GameServer::isLoggedIn(int idx) const
{
    return idx >= 1 && idx <= socketCount() && m_clients[static_cast<std::size_t>(idx)].info.Connected;
}

void GameServer::onReadyRead(int idx, uint64_t serial)
{
    if (!isCurrent(idx, serial))
        return;
    const QByteArray data = m_clients[static_cast<std::size_t>(idx)].socket->readAll();
    const std::vector<Bytes> lines
        = m_clients[static_cast<std::size_t>(idx)].splitter.feed(BytesView(data.constData(), data.size()));
    for (const Bytes& line : lines) {
        if (!isCurrent(idx, serial) || m_clients[static_cast<std::size_t>(idx)].closing)
            break;
        dispatchLine(idx, line);
    }
}

void GameServer::onSocketClosed(int idx, uint64_t serial)
{
    if (!isCurrent(idx, serial))
        return;
    // Lines that came with the close are handled first.
    onReadyRead(idx, serial);
    if (isCurrent(idx, serial))
        DisconnectClient(idx);
}

void GameServer::releaseSocket(Client& client, int closeAfterMs)
{
    QTcpSocket* socket = client.socket;
    client.socket = nullptr;
    if (!socket)
        return;
    disconnect(socket, nullptr, this, nullptr);
    if (closeAfterMs <= 0) {
        closeGracefully(socket);
        return;
    }
    QTimer::singleShot(closeAfterMs, socket, [socket] { closeGracefully(socket); });
}

void GameServer::disconnectLater(int idx, int waitMs)
{
    Client& client = m_clients[static_cast<std::size_t>(idx)];
    client.closing = true;
    const uint64_t serial = client.serial;
    QTimer::singleShot(waitMs, this, [this, idx, serial] {
        if (isCurrent(idx, serial))
            DisconnectClient(idx);
    });
}

void GameServer::reject(int idx, BytesView line)
{
    SendToClient(idx, line);
    disconnectLater(idx, m_timing.closeWaitMs);
}

void GameServer::DisconnectClient(int idx)
{
    if (idx < 1 || idx > socketCount())
        return;
    Client& client = m_clients[static_cast<std::size_t>(idx)];
    if (!client.socket && !client.info.Connected)
        return;
    const bool wasLoggedIn = client.info.Connected;
    const Bytes name = client.info.Name;
    // Marked first, so nothing below can find this client still logged in.
    client.info.Connected = false;
    if (wasLoggedIn)
        sendToAll(encode(wire::toClient::PlayerLeft{ idx }), idx);
    freeSlotsOf(idx);
    client.info.Name.clear();
    client.info.Team = Bytes(wire::kNoTeam);
    client.info.index = -1;
    if (m_voteRunning && m_voteSubject == idx)
        m_voteRunning = false;
    releaseSocket(client, 0);
    if (wasLoggedIn)
        emit userLeft(name);
}

void GameServer::SendToClient(int idx, BytesView line)
{
    if (idx < 1 || idx > socketCount())
        return;
    QTcpSocket* socket = m_clients[static_cast<std::size_t>(idx)].socket;
    if (!socket || socket->state() != QAbstractSocket::ConnectedState)
        return;
    const Bytes data = wire::framed(line);
    socket->write(data.data(), static_cast<qint64>(data.size()));
    Client& client = m_clients[static_cast<std::size_t>(idx)];
    if (socket->bytesToWrite() > kMaxUnsentBytes && !client.closing)
        disconnectLater(idx, 0);
}

void GameServer::sendToAll(BytesView line, int except)
{
    for (int i = 1; i <= socketCount(); ++i) {
        if (i != except && isLoggedIn(i))
            SendToClient(i, line);
    }
}

Bytes GameServer::clientAddress(int idx) const
{
    if (idx < 1 || idx > socketCount())
        return {};
    return m_clients[static_cast<std::size_t>(idx)].address;
}

int GameServer::findClient(BytesView name) const
{
    for (int i = 1; i <= socketCount(); ++i) {
        if (isLoggedIn(i) && equalsNoCase(client(i).Name, name))
            return i;
    }
    return 0;
}

void GameServer::kickClient(int idx)
{
    if (!isLoggedIn(idx))
        return;
    SendToClient(idx, encode(wire::toClient::Kicked{}));
    disconnectLater(idx, m_timing.kickWaitMs);
}

void GameServer::banClient(int idx, int waitMs)
{
    if (!isLoggedIn(idx))
        return;
    m_bans.add(clientAddress(idx));
    SendToClient(idx, encode(wire::toClient::Banned{}));
    disconnectLater(idx, waitMs);
}

} // namespace kalvon
