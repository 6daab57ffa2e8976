#include "net/peeraddress.h"

#include <QNetworkInterface>

namespace kalvon {

Bytes dottedAddress(const QHostAddress& address)
{
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    const QString text = isV4 ? QHostAddress(v4).toString() : address.toString();
    return text.toLatin1().toStdString();
}

Bytes localIPv4Address()
{
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
            return dottedAddress(address);
    }
    return "127.0.0.1";
}

} // namespace kalvon
