#pragma once
// The server browser's sockets: two UDP sockets (one for the master list server, one for the
// listed servers' information), the master's host name lookup and the timer of the browser's
// deadline. Every datagram goes to the browser (ServerBrowser) with its sender; the rules are
// all there.

#include "net/serverbrowser.h"

#include <QObject>
#include <QTimer>
#include <functional>

class QUdpSocket;

namespace kalvon {

class ServerBrowserSockets final : public QObject, private BrowserHost {
    Q_OBJECT
public:
    // `masterHost` gives the master's host name when a refresh starts (the [Network] setting).
    ServerBrowserSockets(BrowserView& view, const Clock& clock, Bytes programCaption,
        std::function<Bytes()> masterHost, ServerBrowser::Ports ports = {}, QObject* parent = nullptr);
    ~ServerBrowserSockets() override;

    ServerBrowser& browser() { return m_browser; }

    // Runs the browser's deadline when it is due; the timer calls it, and a test calls it after
    // moving its clock.
    void runDueTimers() { m_browser.runDueTimers(); }

private:
    // BrowserHost.
    void lookUpMaster(uint64_t request) override;
    void sendDatagram(BrowserSocket socket, uint32_t address, uint16_t port, BytesView datagram) override;
    void wakeAt(int64_t dueMs) override;

    // Binds the socket to a port of its own on first use; false when it cannot.
    bool ready(QUdpSocket& socket);
    void readDatagrams(BrowserSocket socket);

    const Clock& m_clock;
    std::function<Bytes()> m_masterHost;
    QUdpSocket* m_masterSocket = nullptr;
    QUdpSocket* m_infoSocket = nullptr;
    QTimer m_wakeUp;
    ServerBrowser m_browser;
};

} // namespace kalvon
