#pragma once
// A UDP socket on one loopback address (127.x.y.z) that keeps what it receives: the fake master
// list server, information responders and strangers of the server browser's tests.

#include "common/bytes.h"

#include <QNetworkDatagram>
#include <QTest>
#include <QUdpSocket>
#include <deque>
#include <gtest/gtest.h>

namespace kalvon::testing {

// How long a test waits for a datagram it expects before it fails.
inline constexpr int kUdpWaitMs = 30000;
// Information ports are this base less the game port: with it, any port a responder is given
// stands for a game port in range.
inline constexpr int kTestInfoBase = 70000;

// A UDP socket on one loopback address, keeping what it receives.
class UdpPeer {
public:
    explicit UdpPeer(const char* address)
        : m_address(QString::fromLatin1(address))
    {
        EXPECT_TRUE(m_socket.bind(m_address, 0)) << address;
        QObject::connect(&m_socket, &QUdpSocket::readyRead, [this] {
            while (m_socket.hasPendingDatagrams())
                m_received.push_back(m_socket.receiveDatagram());
        });
    }

    uint16_t port() const { return m_socket.localPort(); }
    uint32_t address() const { return m_address.toIPv4Address(); }
    // The game port whose information port this peer has.
    uint16_t gamePort() const { return static_cast<uint16_t>(kTestInfoBase - port()); }

    // The next datagram received, after waiting for it; an invalid one when none came.
    QNetworkDatagram next()
    {
        if (m_received.empty() && !QTest::qWaitFor([this] { return !m_received.empty(); }, kUdpWaitMs))
            return {};
        QNetworkDatagram datagram = m_received.front();
        m_received.pop_front();
        return datagram;
    }
    void sendTo(const QHostAddress& address, quint16 port, BytesView bytes)
    {
        m_socket.writeDatagram(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), address, port);
    }
    // Answers the sender of `request` from this socket.
    void answer(const QNetworkDatagram& request, BytesView bytes)
    {
        sendTo(request.senderAddress(), static_cast<quint16>(request.senderPort()), bytes);
    }

private:
    QHostAddress m_address;
    QUdpSocket m_socket;
    std::deque<QNetworkDatagram> m_received;
};

inline Bytes bytesOf(const QNetworkDatagram& datagram)
{
    return datagram.data().toStdString();
}

} // namespace kalvon::testing
