#include "net/socketclose.h"

#include <QTcpSocket>
#include <QTimer>

namespace kalvon {

void closeGracefully(QTcpSocket* socket)
{
    QObject::connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState) {
        socket->deleteLater();
        return;
    }
    QTimer::singleShot(kCloseLingerMs, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
}

} // namespace kalvon
