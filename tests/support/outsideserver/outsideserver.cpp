#include "outsideserver.h"

#include "common/vbconv.h"
#include "net/overloaded.h"
#include "net/wire/toclient.h"
#include "net/wire/toserver.h"

#include <utility>

namespace kalvon::testing {

namespace {

namespace toClient = wire::toClient;
namespace toServer = wire::toServer;

constexpr int kMe = 1;

// The rules of a room in the options string's layout (switches 1 on, 0 off, as a server lists
// them): the room-creation defaults with the changes given.
wire::RoomOptions roomRules(std::initializer_list<std::pair<int, int>> changes)
{
    wire::RoomOptions options = { 0, 1, 1, 1, 1, 16, 1, 1, 1, 1, 1, //
        14, 14, 15, 14, 15, 14, 14, //
        13, 13, 12, 2, 6, 3, 6, 2, 2, 6, 9, 3, 5, 5, 7, 3, //
        0, 0, 0, 0, 0, 0 };
    for (const auto& [position, value] : changes)
        options[static_cast<std::size_t>(position - 1)] = value;
    return options;
}

wire::HostRules hostRules(const wire::RoomOptions& options)
{
    return *wire::decodeGameOptions(wire::encodeRoomOptions(options));
}

} // namespace

OutsideServer::OutsideServer(QObject* parent)
    : QObject(parent)
{
    connect(&m_listener, &QTcpServer::newConnection, this, &OutsideServer::onConnection);
}

bool OutsideServer::listen(quint16 port)
{
    return m_listener.listen(QHostAddress::LocalHost, port);
}

void OutsideServer::onConnection()
{
    while (QTcpSocket* socket = m_listener.nextPendingConnection()) {
        if (m_peer)
            m_peer->abort();
        m_peer = socket;
        m_splitter.reset();
        m_indexSent = false;
        connect(socket, &QTcpSocket::readyRead, this, &OutsideServer::onReadyRead);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void OutsideServer::onReadyRead()
{
    if (!m_peer)
        return;
    const QByteArray data = m_peer->readAll();
    for (const Bytes& line :
        m_splitter.feed(BytesView(data.constData(), static_cast<std::size_t>(data.size())))) {
        m_received.push_back(line);
        handle(line);
        emit lineReceived(QByteArray(line.data(), static_cast<qsizetype>(line.size())));
    }
}

void OutsideServer::sendLine(BytesView line)
{
    if (!m_peer)
        return;
    m_peer->write(line.data(), static_cast<qint64>(line.size()));
    m_peer->write("\r\n", 2);
}

void OutsideServer::enterRoom(BytesView room)
{
    sendLine(encode(toClient::InRoom{ Bytes(room) }));
    // The room's roster comes before the welcome that seats its players.
    sendLine(encode(toClient::PlayerEnteredRoom{ 4, "Dora", "blue" }));
    toClient::WelcomeRoom welcome{ kMe, {}, false };
    welcome.holders.fill(-1);
    welcome.holders[1] = 4;
    sendLine(encode(welcome));
    sendLine(encode(toClient::GameSettings{ hostRules(roomRules({ { 3, 2 }, { 8, 0 } })) }));
}

void OutsideServer::handle(BytesView line)
{
    const std::optional<toServer::Message> message = toServer::decode(line);
    if (!message)
        return;
    std::visit(
        Overloaded{
            [this](const toServer::Hello& m) {
                sendLine(encode(toClient::PlayerInfo{ 2, "Bob", "\r" }));
                sendLine(encode(toClient::PlayerInfo{ 3, "Cy", "red" }));
                toClient::Welcome welcome{ kMe, {}, false };
                welcome.holders.fill(-1);
                welcome.holders[2] = 2;
                sendLine(encode(welcome));
                sendLine(encode(toClient::ServerText{ "Welcome, " + m.name
                    + ". This server has rooms: type /rooms or use the Room Browser." }));
            },
            [this](const toServer::RequestIndex&) { sendLine(encode(toClient::YourIndex{ kMe })); },
            [this](const toServer::ListRooms&) {
                sendLine(encode(toClient::RoomList{ 3, 2, false, false, "lobby", roomRules({}) }));
                sendLine(encode(toClient::RoomList{ 4, 4, true, false, "den", roomRules({ { 8, 0 } }) }));
                sendLine(encode(toClient::RoomList{ 1, 0, false, true, "vault", roomRules({ { 33, 0 } }) }));
                sendLine(encode(toClient::RoomList{
                    6, 6, true, false, "speedway", roomRules({ { 1, 20 }, { 9, 10 }, { 7, 0 } }) }));
            },
            [this](const toServer::JoinRoom& m) {
                if (m.room == "vault" && m.password == "\r")
                    sendLine(encode(toClient::RoomPassword{ m.room }));
                else if (m.room == "vault" && m.password != "open")
                    sendLine(encode(toClient::ServerText{ "Wrong password for room vault." }));
                else
                    enterRoom(m.room);
            },
            [this](const toServer::CreateRoom& m) {
                Bytes codes;
                for (int value : m.options)
                    codes += (codes.empty() ? "" : " ") + vb::formatInt(value + 100);
                sendLine(encode(toClient::ServerText{ "Room " + m.room + " created with options " + codes }));
                enterRoom(m.room);
            },
            [this](const toServer::AdminLogin& m) {
                sendLine(encode(toClient::AdminReply{ m.password == "secret" }));
            },
            [this](const toServer::CallRuleVote& m) {
                m_voteRunning = true;
                sendLine(encode(toClient::RuleVoteStarted{ kMe, m.rule, m.value }));
            },
            [this](const toServer::VoteYes&) {
                if (!std::exchange(m_voteRunning, false))
                    return;
                sendLine(encode(toClient::VoteTally{ 2, 1 }));
                sendLine(encode(toClient::RuleVoteResult{ true, 2, 1 }));
            },
            [this](const toServer::VoteNo&) {
                if (!std::exchange(m_voteRunning, false))
                    return;
                sendLine(encode(toClient::RuleVoteResult{ false, 1, 2 }));
            },
            [this](const toServer::Chat& m) {
                sendLine(encode(toClient::ChatLine{ kMe, m.text }));
            },
            [this](const toServer::Quit&) {
                if (m_peer)
                    m_peer->disconnectFromHost();
            },
            [](const auto&) {},
        },
        *message);
}

} // namespace kalvon::testing
