#include "net/serverbrowsersockets.h"

#include "common/clock.h"

#include <QHostInfo>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <algorithm>

namespace kalvon {

ServerBrowserSockets::ServerBrowserSockets(BrowserView& view, const Clock& clock, Bytes programCaption,
    std::function<Bytes()> masterHost, ServerBrowser::Ports ports, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_masterHost(std::move(masterHost))
    , m_masterSocket(new QUdpSocket(this))
    , m_infoSocket(new QUdpSocket(this))
    , m_browser(view, *this, clock, std::move(programCaption), ports)
{
    m_wakeUp.setSingleShot(true);
    connect(&m_wakeUp, &QTimer::timeout, this, [this] { runDueTimers(); });
    connect(m_masterSocket, &QUdpSocket::readyRead, this, [this] { readDatagrams(BrowserSocket::Master); });
    connect(m_infoSocket, &QUdpSocket::readyRead, this, [this] { readDatagrams(BrowserSocket::Info); });
    connect(
        m_masterSocket, &QAbstractSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
            switch (error) {
            case QAbstractSocket::ConnectionRefusedError: m_browser.masterFailed(MasterError::Refused); break;
            case QAbstractSocket::HostNotFoundError: m_browser.masterFailed(MasterError::HostNotFound); break;
            case QAbstractSocket::SocketTimeoutError: m_browser.masterFailed(MasterError::TimedOut); break;
            default:
                // A failed send is told by the refresh's time-out.
                break;
            }
        });
}

ServerBrowserSockets::~ServerBrowserSockets() = default;

void ServerBrowserSockets::lookUpMaster(uint64_t request)
{
    const Bytes name = m_masterHost();
    const QString host = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    // Either way the answer comes from the event loop, so the browser is never re-entered from
    // its own request; a lookup that ends after this object is gone answers nobody (it is the
    // lookup's context).
    if (const std::optional<uint32_t> address = wire::parseIpv4(name)) {
        // An address needs no lookup (a lookup would ask for its name).
        QTimer::singleShot(0, this, [this, request, address] { m_browser.masterFound(request, address); });
        return;
    }
    QHostInfo::lookupHost(host, this, [this, request](const QHostInfo& info) {
        std::optional<uint32_t> found;
        for (const QHostAddress& address : info.addresses()) {
            bool isV4 = false;
            const quint32 v4 = address.toIPv4Address(&isV4);
            if (isV4) {
                found = v4;
                break;
            }
        }
        m_browser.masterFound(request, found);
    });
}

bool ServerBrowserSockets::ready(QUdpSocket& socket)
{
    return socket.state() == QAbstractSocket::BoundState || socket.bind(QHostAddress::AnyIPv4, 0);
}

void ServerBrowserSockets::sendDatagram(
    BrowserSocket which, uint32_t address, uint16_t port, BytesView datagram)
{
    QUdpSocket& socket = which == BrowserSocket::Master ? *m_masterSocket : *m_infoSocket;
    if (!ready(socket))
        return;
    // A failed send is not told: that server simply gets no row.
    socket.writeDatagram(datagram.data(), static_cast<qint64>(datagram.size()), QHostAddress(address), port);
}

void ServerBrowserSockets::wakeAt(int64_t dueMs)
{
    m_wakeUp.start(
        static_cast<int>(std::clamp<int64_t>(dueMs - m_clock.nowMs(), 0, ServerBrowser::kRefreshMs)));
}

void ServerBrowserSockets::readDatagrams(BrowserSocket which)
{
    QUdpSocket& socket = which == BrowserSocket::Master ? *m_masterSocket : *m_infoSocket;
    while (socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket.receiveDatagram();
        bool isV4 = false;
        const quint32 from = datagram.senderAddress().toIPv4Address(&isV4);
        if (!datagram.isValid() || !isV4 || datagram.senderPort() <= 0)
            continue;
        const QByteArray data = datagram.data();
        const BytesView bytes(data.constData(), static_cast<size_t>(data.size()));
        const auto fromPort = static_cast<uint16_t>(datagram.senderPort());
        if (which == BrowserSocket::Master)
            m_browser.masterDatagram(from, fromPort, bytes);
        else
            m_browser.infoDatagram(from, fromPort, bytes);
    }
}

} // namespace kalvon
