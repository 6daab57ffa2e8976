#pragma once
// A scripted game server for client tests: listens on an ephemeral loopback port, takes one
// connection, sends bytes as the test gives them and collects the lines the client sends.
// Every wait is for an event (a connection, a line, a close), bounded by kEventWaitMs.

#include "common/bytes.h"
#include "net/wire/linesplitter.h"
#include "testlines.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <deque>
#include <optional>
#include <vector>

namespace kalvon::testing {

class FakeServer {
public:
    FakeServer();
    quint16 port() const { return m_listener.serverPort(); }
    // "127.0.0.1:<port>".
    Bytes address() const;

    // Waits for the client's connection.
    bool accept();
    bool hasClient() const { return m_peer && m_peer->state() == QAbstractSocket::ConnectedState; }

    void send(BytesView bytes);
    void sendLine(BytesView line) { send(Bytes(line) + "\r\n"); }
    void sendLines(const std::vector<Bytes>& lines);
    // Closes the connection from the server's side.
    void close();
    // Waits until the client closed the connection.
    bool waitClosed();

    std::optional<Bytes> nextLine();
    // The lines received up to and including the first that equals `line`; nothing when it
    // did not come.
    std::optional<std::vector<Bytes>> linesUntil(BytesView line);
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
