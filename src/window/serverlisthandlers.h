#pragma once
// The connect page's server list in use: the "Get Server List" button refreshes it through the
// server browser, whose answers fill the grid, the address box's list and the caption; a click
// on a row puts its address in the address box, a double click also presses Connect.

#include "net/serverbrowsersockets.h"

#include <QObject>
#include <functional>

namespace kalvon {

class Clock;
class MainWindow;
struct NetworkSettings;

struct ServerListParts {
    MainWindow& window;
    const Clock& clock;
    // The master list server's host name is read from here at every refresh.
    const NetworkSettings& network;
    // A critical box titled "Error" with the text.
    std::function<void(BytesView)> showError;
    ServerBrowser::Ports ports = {};
};

class ServerListHandlers final : public QObject, private BrowserView {
    Q_OBJECT
public:
    explicit ServerListHandlers(ServerListParts parts, QObject* parent = nullptr);
    ~ServerListHandlers() override;

    ServerBrowserSockets& sockets() { return *m_sockets; }

private:
    // BrowserView.
    void clearServers() override;
    void setCaption(BytesView caption) override;
    void setRefreshEnabled(bool enabled) override;
    void addAddress(BytesView address) override;
    void selectFirstAddress() override;
    void addServerRow(const ServerRow& row) override;
    void showError(BytesView text) override;

    MainWindow& m_window;
    std::function<void(BytesView)> m_showError;
    ServerBrowserSockets* m_sockets = nullptr;
};

} // namespace kalvon
