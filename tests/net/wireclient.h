#pragma once
// A raw client for server tests: connects over loopback (from a loopback address of the
// test's choice, so a test can play several hosts), sends bytes as given, and collects the
// lines it receives so a test can expect them exactly.

#include "common/bytes.h"
#include "net/wire/linesplitter.h"
#include "serverpeer.h"
#include "testlines.h"

#include <QTcpSocket>
#include <deque>
#include <optional>

namespace kalvon::testing {

class WireClient final : public ServerPeer {
public:
    explicit WireClient(quint16 port, BytesView fromAddress = "127.0.0.1");

    void send(BytesView bytes) override;
    std::optional<Bytes> nextLine() override;
    bool isConnected() const override { return m_socket.state() == QAbstractSocket::ConnectedState; }
    bool closedByServer() const override { return m_closed; }
    void close() override { m_socket.disconnectFromHost(); }
    void clear() override { m_lines.clear(); }

    // Waits for the server to close the connection.
    bool waitClosed();
    // Lines received and not yet read (all of them once the connection is closed).
    std::size_t pending() const { return m_lines.size(); }

private:
    void onReadyRead();

    QTcpSocket m_socket;
    wire::LineSplitter m_splitter;
    std::deque<Bytes> m_lines;
    bool m_closed = false;
};

} // namespace kalvon::testing
