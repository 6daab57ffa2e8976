#include "window/serverlisthandlers.h"

#include "engine/store/options.h"
#include "game/gametick.h"
#include "platform/qtext.h"
#include "window/mainwindow.h"
#include "window/pages/connectpage.h"
#include "window/servergrid.h"

#include <QComboBox>
#include <QPushButton>

namespace kalvon {

ServerListHandlers::ServerListHandlers(ServerListParts parts, QObject* parent)
    : QObject(parent)
    , m_window(parts.window)
    , m_showError(std::move(parts.showError))
    , m_sockets(new ServerBrowserSockets(
          *this, parts.clock, kProgramCaption, [&network = parts.network] { return network.masterServer; },
          parts.ports, this))
{
    ConnectPage& page = m_window.connectPage();
    connect(&page.serverListButton(), &QPushButton::clicked, this,
        [this] { m_sockets->browser().RequestServerList(); });
    connect(&page.serverList(), &ServerGrid::serverChosen, this,
        [&page](const QString& address) { page.addressBox().setEditText(address); });
    connect(&page.serverList(), &ServerGrid::serverOpened, this, [&page](const QString& address) {
        page.addressBox().setEditText(address);
        page.connectButton().click();
    });
}

ServerListHandlers::~ServerListHandlers() = default;

void ServerListHandlers::clearServers()
{
    ConnectPage& page = m_window.connectPage();
    page.serverList().clearServers();
    page.serverList().setupHeader();
    // The typed address stays, as the list's only entry.
    QComboBox& box = page.addressBox();
    const QString typed = box.currentText();
    box.clear();
    if (!typed.isEmpty())
        box.addItem(typed);
    box.setEditText(typed);
}

void ServerListHandlers::setCaption(BytesView caption)
{
    m_window.setCaption(caption);
}

void ServerListHandlers::setRefreshEnabled(bool enabled)
{
    m_window.connectPage().serverListButton().setEnabled(enabled);
}

void ServerListHandlers::addAddress(BytesView address)
{
    m_window.connectPage().addressBox().addItem(toQString(address));
}

void ServerListHandlers::selectFirstAddress()
{
    QComboBox& box = m_window.connectPage().addressBox();
    if (box.count() > 0)
        box.setCurrentIndex(0);
}

void ServerListHandlers::addServerRow(const ServerRow& row)
{
    m_window.connectPage().serverList().addServer(row);
}

void ServerListHandlers::showError(BytesView text)
{
    m_showError(text);
}

} // namespace kalvon
