#include "wireclient.h"

#include "net/wire/encodings.h"
#include "net/wire/line.h"

#include <QTest>

namespace kalvon::testing {

WireClient::WireClient(quint16 port)
{
    QObject::connect(&m_socket, &QTcpSocket::readyRead, [this] { onReadyRead(); });
    QObject::connect(&m_socket, &QAbstractSocket::disconnected, [this] { m_closed = true; });
    m_socket.connectToHost(QHostAddress::LocalHost, port);
    (void)QTest::qWaitFor([this] { return isConnected() || m_socket.state() == QAbstractSocket::UnconnectedState; },
                    kWaitMs);
}

bool WireClient::waitClosed(int timeoutMs)
{
    return QTest::qWaitFor([this] { return m_closed; }, timeoutMs);
}

void WireClient::send(BytesView bytes)
{
    m_socket.write(bytes.data(), static_cast<qint64>(bytes.size()));
    m_socket.flush();
}

void WireClient::onReadyRead()
{
    const QByteArray data = m_socket.readAll();
    for (Bytes& line : m_splitter.feed(BytesView(data.constData(), data.size())))
        m_lines.push_back(std::move(line));
}

std::optional<Bytes> WireClient::nextLine(int timeoutMs)
{
    if (m_lines.empty() && !QTest::qWaitFor([this] { return !m_lines.empty(); }, timeoutMs))
        return std::nullopt;
    Bytes line = std::move(m_lines.front());
    m_lines.pop_front();
    return line;
}

std::vector<Bytes> WireClient::linesWithin(int ms)
{
    QTest::qWait(ms);
    std::vector<Bytes> lines(m_lines.begin(), m_lines.end());
    m_lines.clear();
    return lines;
}

Bytes msg(char code, BytesView payload)
{
    return wire::makeLine(code, payload);
}

Bytes pc(int n)
{
    return Bytes(1, wire::PlayerChar(n));
}

} // namespace kalvon::testing
