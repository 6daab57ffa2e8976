#pragma once
// A raw client for server tests: connects over loopback, sends bytes as given, and collects
// the lines it receives so a test can expect them exactly, or expect silence.

#include "common/bytes.h"
#include "net/wire/linesplitter.h"

#include <QTcpSocket>
#include <deque>
#include <optional>

namespace kalvon::testing {

class WireClient {
public:
    static constexpr int kWaitMs = 3000;

    explicit WireClient(quint16 port);

    bool isConnected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    // Waits for the server to close the connection.
    bool waitClosed(int timeoutMs = kWaitMs);
    bool closedByServer() const { return m_closed; }

    void send(BytesView bytes);
    void sendLine(BytesView line) { send(Bytes(line) + "\r\n"); }
    void close() { m_socket.disconnectFromHost(); }

    // The next received line, waiting up to the timeout; nothing when none came.
    std::optional<Bytes> nextLine(int timeoutMs = kWaitMs);
    // Lines received within `ms` (waits the whole time).
    std::vector<Bytes> linesWithin(int ms);
    // Drops every line received so far.
    void clear() { m_lines.clear(); }
    std::size_t pending() const { return m_lines.size(); }

private:
    void onReadyRead();

    QTcpSocket m_socket;
    wire::LineSplitter m_splitter;
    std::deque<Bytes> m_lines;
    bool m_closed = false;
};

// A line the encoders cannot write, for hostile peers: the code, ";" and the payload as given.
Bytes msg(char code, BytesView payload);
// PlayerChar of n, as a one-byte text.
Bytes pc(int n);

} // namespace kalvon::testing
