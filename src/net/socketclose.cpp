#include "net/socketclose.h"

#include <QCoreApplication>
#include <QTcpSocket>
#include <QTimer>

namespace kalvon {

void closeGracefully(QTcpSocket* socket)
{
    // A socket nobody owns any more belongs to the application while it closes, so it goes at
    // the latest with the application even when no event loop runs its deletion.
    if (!socket->parent())
        socket->setParent(QCoreApplication::instance());
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
