#include "fakeserver.h"

#include <QTest>
#include <string>

namespace kalvon::testing {

FakeServer::FakeServer()
{
    m_listener.listen(QHostAddress::LocalHost, 0);
}

Bytes FakeServer::address() const
{
    return "127.0.0.1:" + std::to_string(port());
}

bool FakeServer::accept()
{
    if (!QTest::qWaitFor([this] { return m_listener.hasPendingConnections(); }, kEventWaitMs))
        return false;
    m_peer = m_listener.nextPendingConnection();
    m_splitter.reset();
    m_lines.clear();
    m_closed = false;
    QObject::connect(m_peer, &QTcpSocket::readyRead, [this] { onReadyRead(); });
    QObject::connect(m_peer, &QAbstractSocket::disconnected, [this] { m_closed = true; });
    onReadyRead();
    return true;
}

void FakeServer::send(BytesView bytes)
{
    if (!m_peer)
        return;
    m_peer->write(bytes.data(), static_cast<qint64>(bytes.size()));
    m_peer->flush();
}

void FakeServer::sendLines(const std::vector<Bytes>& lines)
{
    Bytes all;
    for (const Bytes& line : lines)
        all += line + "\r\n";
    send(all);
}

void FakeServer::close()
{
    if (m_peer)
        m_peer->disconnectFromHost();
}

bool FakeServer::waitClosed()
{
    return QTest::qWaitFor([this] { return m_closed || !m_peer; }, kEventWaitMs);
}

void FakeServer::onReadyRead()
{
    if (!m_peer)
        return;
    const QByteArray data = m_peer->readAll();
    for (Bytes& line : m_splitter.feed(BytesView(data.constData(), static_cast<std::size_t>(data.size()))))
        m_lines.push_back(std::move(line));
}

std::optional<Bytes> FakeServer::nextLine()
{
    if (m_lines.empty() && !QTest::qWaitFor([this] { return !m_lines.empty(); }, kEventWaitMs))
        return std::nullopt;
    Bytes line = std::move(m_lines.front());
    m_lines.pop_front();
    return line;
}

std::optional<std::vector<Bytes>> FakeServer::linesUntil(BytesView line)
{
    std::vector<Bytes> lines;
    for (;;) {
        std::optional<Bytes> next = nextLine();
        if (!next)
            return std::nullopt;
        lines.push_back(*next);
        if (*next == line)
            return lines;
    }
}

} // namespace kalvon::testing
