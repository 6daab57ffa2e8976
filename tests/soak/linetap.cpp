#include "linetap.h"

namespace kalvon::testing {

LineTap::LineTap(quint16 serverPort, Observer observer)
    : m_serverPort(serverPort)
    , m_observer(std::move(observer))
{
    m_listener.setMaxPendingConnections(1);
    m_listener.listen(QHostAddress::LocalHost, 0);
    connect(&m_listener, &QTcpServer::newConnection, this, &LineTap::accept);
    m_server.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(&m_server, &QTcpSocket::readyRead, this,
        [this] { pass(m_server, *m_client, m_toClient, Direction::ToClient); });
    // The client's bytes wait in its socket until the server end is connected.
    connect(&m_server, &QTcpSocket::connected, this,
        [this] { pass(*m_client, m_server, m_toServer, Direction::ToServer); });
    connect(&m_server, &QAbstractSocket::disconnected, this, [this] {
        if (m_client)
            m_client->disconnectFromHost();
    });
}

void LineTap::accept()
{
    QTcpSocket* socket = m_listener.nextPendingConnection();
    if (m_client) {
        socket->abort(); // one client per tap
        return;
    }
    m_client = socket;
    m_client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(m_client, &QTcpSocket::readyRead, this, [this] {
        if (m_server.state() == QAbstractSocket::ConnectedState)
            pass(*m_client, m_server, m_toServer, Direction::ToServer);
    });
    connect(m_client, &QAbstractSocket::disconnected, this, [this] { m_server.disconnectFromHost(); });
    m_server.connectToHost(QHostAddress::LocalHost, m_serverPort);
}

void LineTap::pass(QTcpSocket& from, QTcpSocket& to, wire::LineSplitter& splitter, Direction direction)
{
    const QByteArray data = from.readAll();
    to.write(data);
    for (const Bytes& line :
        splitter.feed(BytesView(data.constData(), static_cast<std::size_t>(data.size()))))
        m_observer(direction, line);
}

} // namespace kalvon::testing
