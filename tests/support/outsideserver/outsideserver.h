#pragma once
// A scripted outside dedicated server for the rooms of the client, on loopback: it answers
// with lines built by the wire encoders. A hello gets the welcome, a roster and a server
// text; "i" the room list ("lobby", "den" with a game in progress, "vault" with a password,
// "speedway" with rules of its own); joining "vault" without its password ("open") asks for
// it; a room joined or created places the client in it with the room's rules; "/admin secret"
// is accepted, any other password refused; a rule vote is announced, and the first answer to
// it ends it (a yes passes it). Every line received is kept, so a test can look at the bytes.

#include "common/bytes.h"
#include "net/wire/linesplitter.h"

#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <vector>

namespace kalvon::testing {

class OutsideServer final : public QObject {
    Q_OBJECT
public:
    explicit OutsideServer(QObject* parent = nullptr);
    bool listen(quint16 port = 0);
    quint16 port() const { return m_listener.serverPort(); }

    // The lines the client sent, in order.
    const std::vector<Bytes>& received() const { return m_received; }

signals:
    void lineReceived(const QByteArray& line);

private:
    void onConnection();
    void onReadyRead();
    void handle(BytesView line);
    void sendLine(BytesView line);
    void enterRoom(BytesView room);

    QTcpServer m_listener;
    QPointer<QTcpSocket> m_peer;
    wire::LineSplitter m_splitter;
    std::vector<Bytes> m_received;
    bool m_indexSent = false;
    bool m_voteRunning = false;
};

} // namespace kalvon::testing
