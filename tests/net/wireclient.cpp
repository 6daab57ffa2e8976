#include "wireclient.h"

#include <QTest>

namespace kalvon::testing {

WireClient::WireClient(quint16 port, BytesView fromAddress)
{
    QObject::connect(&m_socket, &QTcpSocket::readyRead, [this] { onReadyRead(); });
    QObject::connect(&m_socket, &QAbstractSocket::disconnected, [this] { m_closed = true; });
    m_socket.bind(
        QHostAddress(QString::fromLatin1(fromAddress.data(), static_cast<qsizetype>(fromAddress.size()))));
    m_socket.connectToHost(QHostAddress::LocalHost, port);
    (void)QTest::qWaitFor(
        [this] { return isConnected() || m_socket.state() == QAbstractSocket::UnconnectedState; },
        kEventWaitMs);
}

bool WireClient::waitClosed()
{
    return QTest::qWaitFor([this] { return m_closed; }, kEventWaitMs);
}

void WireClient::send(BytesView bytes)
{
    m_socket.write(bytes.data(), static_cast<qint64>(bytes.size()));
    m_socket.flush();
}

void WireClient::onReadyRead()
{
    const QByteArray data = m_socket.readAll();
    for (Bytes& line : m_splitter.feed(BytesView(data.constData(), static_cast<std::size_t>(data.size()))))
        m_lines.push_back(std::move(line));
}

std::optional<Bytes> WireClient::nextLine()
{
    if (m_lines.empty() && !QTest::qWaitFor([this] { return !m_lines.empty(); }, kEventWaitMs))
        return std::nullopt;
    Bytes line = std::move(m_lines.front());
    m_lines.pop_front();
    return line;
}

} // namespace kalvon::testing
