#pragma once
// A transparent loopback relay between one client and the server: it passes the bytes on
// untouched in both directions and reports every complete line it saw on the way, so a test
// sees what a real client sent and received, and when, without changing either side.

#include "common/bytes.h"
#include "net/wire/linesplitter.h"

#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

namespace kalvon::testing {

class LineTap final : public QObject {
public:
    enum class Direction { ToServer, ToClient };
    using Observer = std::function<void(Direction, const Bytes& line)>;

    LineTap(quint16 serverPort, Observer observer);

    // Where the client connects instead of the server.
    quint16 port() const { return m_listener.serverPort(); }

private:
    void accept();
    void pass(QTcpSocket& from, QTcpSocket& to, wire::LineSplitter& splitter, Direction direction);

    quint16 m_serverPort;
    Observer m_observer;
    QTcpServer m_listener;
    QTcpSocket* m_client = nullptr;
    QTcpSocket m_server;
    wire::LineSplitter m_toServer;
    wire::LineSplitter m_toClient;
};

} // namespace kalvon::testing
