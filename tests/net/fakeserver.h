#pragma once
// A scripted game server for client tests: listens on an ephemeral loopback port, takes one
// connection, sends bytes as the test gives them and collects the lines the client sends.

#include "common/bytes.h"
#include "net/wire/linesplitter.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <deque>
#include <optional>
#include <vector>

namespace kalvon::testing {

class FakeServer {
public:
    static constexpr int kWaitMs = 3000;

    FakeServer();
    quint16 port() const { return m_listener.serverPort(); }
    // "127.0.0.1:<port>".
    Bytes address() const;

    // Waits for the client's connection.
    bool accept(int timeoutMs = kWaitMs);
    bool hasClient() const { return m_peer && m_peer->state() == QAbstractSocket::ConnectedState; }

    void send(BytesView bytes);
    void sendLine(BytesView line) { send(Bytes(line) + "\r\n"); }
    void sendLines(const std::vector<Bytes>& lines);
    // Closes the connection from the server's side.
    void close();
    // Waits until the client closed the connection.
    bool waitClosed(int timeoutMs = kWaitMs);

    std::optional<Bytes> nextLine(int timeoutMs = kWaitMs);
    // The lines received within `ms`.
    std::vector<Bytes> linesWithin(int ms);
    // The lines received up to and including the first that equals `line`; nothing when it
    // did not come.
    std::optional<std::vector<Bytes>> linesUntil(BytesView line, int timeoutMs = kWaitMs);
    void clear() { m_lines.clear(); }

private:
    void onReadyRead();

    QTcpServer m_listener;
    QPointer<QTcpSocket> m_peer;
    wire::LineSplitter m_splitter;
    std::deque<Bytes> m_lines;
    bool m_closed = false;
};

} // namespace kalvon::testing
