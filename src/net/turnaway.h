#pragma once
// A connection over the client limit: as soon as anything arrives it is answered "1" (server
// full) and closed after a wait; a connection that sends nothing is closed after a silence
// time-out. Each over-limit connection has a handler of its own, which deletes itself with
// its socket.

#include <QObject>

class QTcpSocket;

namespace kalvon {

class TurnAwayConnection final : public QObject {
    Q_OBJECT
public:
    TurnAwayConnection(QTcpSocket* socket, int closeAfterAnswerMs, int silenceMs, QObject* parent);

private:
    void onReadyRead();
    void close();

    QTcpSocket* m_socket;
    int m_closeAfterAnswerMs;
    bool m_answered = false;
    bool m_closing = false;
};

} // namespace kalvon
