#include "net/turnaway.h"

#include "net/socketclose.h"
#include "net/wire/line.h"
#include "net/wire/toclient.h"

#include <QTcpSocket>
#include <QTimer>

namespace kalvon {

TurnAwayConnection::TurnAwayConnection(
    QTcpSocket* socket, int closeAfterAnswerMs, int silenceMs, QObject* parent)
    : QObject(parent)
    , m_socket(socket)
    , m_closeAfterAnswerMs(closeAfterAnswerMs)
{
    m_socket->setParent(this);
    connect(m_socket, &QTcpSocket::readyRead, this, &TurnAwayConnection::onReadyRead);
    connect(m_socket, &QAbstractSocket::disconnected, m_socket, &QObject::deleteLater);
    connect(m_socket, &QObject::destroyed, this, &QObject::deleteLater);
    QTimer::singleShot(silenceMs, this, [this] {
        if (!m_answered)
            close();
    });
    if (m_socket->bytesAvailable() > 0)
        QTimer::singleShot(0, this, &TurnAwayConnection::onReadyRead);
}

void TurnAwayConnection::onReadyRead()
{
    m_socket->readAll();
    if (m_answered)
        return;
    m_answered = true;
    const Bytes answer = wire::framed(encode(wire::toClient::ServerFull{}));
    m_socket->write(answer.data(), static_cast<qint64>(answer.size()));
    QTimer::singleShot(m_closeAfterAnswerMs, this, &TurnAwayConnection::close);
}

void TurnAwayConnection::close()
{
    if (m_closing)
        return;
    m_closing = true;
    closeGracefully(m_socket);
}

} // namespace kalvon
