// The client's connection: the connect form, the TCP connection with its own time-out, the
// hello, cutting arrivals into queued lines (asking for the own index once per line while it
// is unknown), the 10 ms drain into the dispatcher, and the reset to "not connected".

#include "common/clock.h"
#include "common/vbconv.h"
#include "engine/gameengine.h"
#include "net/clientview.h"
#include "net/hostoptions.h"
#include "net/internetclient.h"
#include "net/socketclose.h"
#include "net/usertext.h"
#include "net/wire/line.h"
#include "net/wire/toserver.h"
#include "platform/qtext.h"

#include <QTcpSocket>
#include <utility>

namespace kalvon {

using namespace wire;

namespace {

constexpr BytesView kRefused = "Connection Refused! (No Kalvon Server Running)";
constexpr BytesView kTimedOut = "Connection to server timed out!";
constexpr BytesView kConnectError = "Error connecting to server at IP: ";

// Host and port of an address text: "host" alone is port 90, "host:port" needs a port of
// 1..65535.
std::optional<std::pair<Bytes, int>> splitAddress(BytesView address)
{
    const auto colon = address.find(':');
    if (colon == BytesView::npos)
        return std::pair{ Bytes(address), InternetClient::kDefaultPort };
    const std::optional<int> port = parsePortText(address.substr(colon + 1));
    if (!port)
        return std::nullopt;
    return std::pair{ Bytes(address.substr(0, colon)), *port };
}

} // namespace

InternetClient::InternetClient(
    ClientView& view, GameEngine& engine, const Clock& clock, Timing timing, QObject* parent)
    : QObject(parent)
    , m_view(view)
    , m_engine(engine)
    , m_clock(clock)
    , m_timing(timing)
{
    m_queueTimer.setInterval(m_timing.queueIntervalMs);
    connect(&m_queueTimer, &QTimer::timeout, this, &InternetClient::drainQueue);
    m_connectTimer.setSingleShot(true);
    m_connectTimer.setInterval(m_timing.connectTimeoutMs);
    connect(&m_connectTimer, &QTimer::timeout, this, &InternetClient::onConnectTimeout);
}

InternetClient::~InternetClient()
{
    releaseSocket();
}

void InternetClient::connectButtonClicked(BytesView name, BytesView team, BytesView address)
{
    if (m_sessionActive) {
        disconnectFromServer();
        return;
    }
    ConnectOrDisconnect(name, team, address);
    // A form that was refused leaves nothing to disconnect.
    if (m_sessionActive) {
        m_connectButtonIdle = false;
        m_view.setConnectButtonIdle(false);
    }
}

void InternetClient::disconnectFromServer()
{
    send(toServer::Quit{});
    m_view.setCaption(ClientControl::ConnectButton, "Connect");
    m_view.setEnabled(ClientControl::NameBox, true);
    m_view.setEnabled(ClientControl::AddressBox, true);
    ClientDisconnected();
}

void InternetClient::applyTeam(BytesView team)
{
    m_MyTeam = payloadField(team);
    m_TeamName = teamOnWire(m_MyTeam);
    // Without a connection there is no own record to change.
    if (PlayerInfo* me = m_Connected ? m_roster.player(m_roster.MyIndex) : nullptr)
        me->Team = m_TeamName;
    send(toServer::SetTeam{ m_TeamName });
}

void InternetClient::ConnectOrDisconnect(BytesView name, BytesView team, BytesView address)
{
    if (name.find_first_of(";\t,") != BytesView::npos) {
        m_view.showError("Names cannot contain tabs, commas, or semicolons!");
        return;
    }
    if (name.empty()) {
        m_view.showError("You have to enter a name!");
        return;
    }
    if (address.empty()) {
        m_view.showError("You have to enter a IP Address!");
        return;
    }
    m_sessionActive = true;
    m_view.setCaption(ClientControl::ConnectButton, "Disconnect");
    m_view.setEnabled(ClientControl::NameBox, false);
    m_view.setEnabled(ClientControl::AddressBox, false);
    m_MyName = payloadText(name);
    m_MyTeam = payloadField(team);
    m_Connected = false;
    m_view.setEnabled(ClientControl::MenuGameMode, false);
    m_address = Bytes(address);

    // A bad address leaves the button at "Disconnect": its next press resets the form.
    const auto hostAndPort = splitAddress(address);
    if (!hostAndPort || hostAndPort->first.empty()) {
        m_view.showError(Bytes(kConnectError) + m_address);
        return;
    }
    releaseSocket();
    m_splitter.reset();
    m_socket = new QTcpSocket(this);
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(m_socket, &QTcpSocket::connected, this, &InternetClient::ClientConnected);
    connect(m_socket, &QTcpSocket::readyRead, this, [this] {
        const QByteArray data = m_socket->readAll();
        ClientDataArrival(BytesView(data.constData(), static_cast<std::size_t>(data.size())));
    });
    connect(m_socket, &QAbstractSocket::disconnected, this, &InternetClient::onSocketClosed);
    connect(m_socket, &QAbstractSocket::errorOccurred, this, &InternetClient::onSocketError);
    m_connectTimer.start();
    m_socket->connectToHost(toQString(hostAndPort->first), static_cast<quint16>(hostAndPort->second));
}

void InternetClient::ClientConnected()
{
    m_connectTimer.stop();
    m_queueTimer.start();
    // A new connection has no index yet, whatever the last one had.
    m_roster.MyIndex = 0;
    send(toServer::Hello{ teamOnWire(payloadField(m_TeamName)), m_MyName });
    m_roster.clearSpots();
    m_roster.Spectating = true;
    m_Connected = true;
}

void InternetClient::ClientDataArrival(BytesView data)
{
    for (Bytes& line : m_splitter.feed(data)) {
        if (m_Connected && m_roster.MyIndex < 1)
            send(toServer::RequestIndex{});
        m_queue.push_back(std::move(line));
    }
}

void InternetClient::drainQueue()
{
    if (m_draining)
        return;
    m_draining = true;
    while (!m_queue.empty()) {
        const Bytes line = std::move(m_queue.front());
        m_queue.pop_front();
        if (const std::optional<toClient::Message> message = toClient::decode(line))
            dispatch(*message);
    }
    m_draining = false;
    if (m_closePending) {
        m_closePending = false;
        ClientDisconnected();
    }
}

void InternetClient::onSocketClosed()
{
    // What the server sent before it closed is handled first: its last words are often the
    // reason (a rejection, the shutdown, a kick).
    if (m_socket && m_socket->bytesAvailable() > 0) {
        const QByteArray data = m_socket->readAll();
        ClientDataArrival(BytesView(data.constData(), static_cast<std::size_t>(data.size())));
    }
    m_closePending = true;
    drainQueue();
}

void InternetClient::onSocketError()
{
    if (!m_socket || m_Connected)
        return; // a failure of a live connection ends in its close
    switch (m_socket->error()) {
    case QAbstractSocket::ConnectionRefusedError:
    case QAbstractSocket::HostNotFoundError: failConnection(kRefused); break;
    case QAbstractSocket::SocketTimeoutError: failConnection(kTimedOut); break;
    default: failConnection(Bytes(kConnectError) + m_address); break;
    }
}

void InternetClient::onConnectTimeout()
{
    if (m_socket && !m_Connected)
        failConnection(kTimedOut);
}

void InternetClient::failConnection(BytesView message)
{
    m_connectTimer.stop();
    releaseSocket();
    m_view.showError(message);
    if (m_sessionActive)
        disconnectFromServer();
}

void InternetClient::releaseSocket()
{
    if (!m_socket)
        return;
    QTcpSocket* socket = m_socket;
    m_socket = nullptr;
    disconnect(socket, nullptr, this, nullptr);
    socket->setParent(nullptr);
    closeGracefully(socket);
}

void InternetClient::SendToServer(BytesView line)
{
    if (!m_socket || m_socket->state() != QAbstractSocket::ConnectedState)
        return;
    const Bytes data = framed(line);
    m_socket->write(data.data(), static_cast<qint64>(data.size()));
}

void InternetClient::ClientDisconnected()
{
    if (!m_sessionActive)
        return;
    m_sessionActive = false;
    m_connectTimer.stop();
    releaseSocket();
    m_queueTimer.stop();
    m_queue.clear();
    m_splitter.reset();
    m_closePending = false;
    m_connectButtonIdle = true;
    m_view.setConnectButtonIdle(true);

    for (int board = 1; board <= kInternetFields; ++board) {
        ClearNetBoard(board);
        m_view.setSpotLabel(board, vb::formatInt(board + 1) + ". (Not Playing)");
        m_view.StartLostFieldAnimation(board);
        m_boards.NetBoardWon[board] = false;
    }
    m_view.setSpotLabel(0, "1. (Not Playing)");
    m_roster.clear();
    m_roster.clearSpots();

    if (m_engine.state().GameActive || m_gameTimerOn) {
        setGameTimer(false);
        m_view.StopMusic();
        // The game ends here: a step of it that waited must not go on.
        m_engine.abandonGame();
        m_engine.FillFieldRandom(1);
    }

    m_Connected = false;
    m_view.setEnabled(ClientControl::MenuGameMode, true);
    m_view.setCaption(ClientControl::ConnectButton, "Connect");
    m_view.setEnabled(ClientControl::AddressBox, true);
    m_view.setEnabled(ClientControl::NameBox, true);
    m_view.setPlayerList({});
    for (ClientControl control : { ClientControl::JoinGame, ClientControl::Spectate,
             ClientControl::TeamButton, ClientControl::MenuStartVote, ClientControl::MenuRoomBrowser,
             ClientControl::MenuSpec, ClientControl::MenuSpectate, ClientControl::MenuJoinGame })
        m_view.setEnabled(control, false);
    m_IsAdmin = false;
    // A room password box of the connection that ended has nobody to answer.
    if (std::exchange(m_passwordRoom, std::nullopt))
        m_view.closeRoomPassword();

    // A hosting copy keeps its game buttons: its own server still runs.
    if (!host().IsHostingServer()) {
        for (ClientControl control : { ClientControl::StartGame, ClientControl::PauseGame,
                 ClientControl::MenuStart, ClientControl::MenuPause, ClientControl::MenuBanPlayer,
                 ClientControl::MenuBanSpec, ClientControl::MenuKickPlayer, ClientControl::MenuKickSpec,
                 ClientControl::MenuPlayerMove, ClientControl::MenuSpecMove })
            m_view.setEnabled(control, false);
        setGameButtons(false);
        m_engine.clearGameStarted();
    }
    chat("\r\n*** Disconnected from server.", false, ChatColour::Server);
    RefreshPlayerList();
}

} // namespace kalvon
