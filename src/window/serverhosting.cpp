#include "window/serverhosting.h"

#include "engine/state.h"
#include "game/gameoptions.h"
#include "game/gamesession.h"
#include "net/banlist.h"
#include "net/gameserver.h"
#include "net/hostoptions.h"
#include "net/playeradministration.h"
#include "platform/qtext.h"
#include "window/blockratiodialog.h"
#include "window/mainwindow.h"
#include "window/pages/chatpage.h"
#include "window/pages/serverpage.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QPushButton>

namespace kalvon {

namespace {

// The address others reach this machine at: its first IPv4 address off the loopback, else the
// loopback itself.
QString serverAddress()
{
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
            return address.toString();
    }
    return QHostAddress(QHostAddress::LocalHost).toString();
}

} // namespace

ServerHosting::ServerHosting(ServerHostingParts parts, QObject* parent)
    : QObject(parent)
    , m(parts)
{
    ServerPage& page = m.window.serverPage();
    connect(&page, &ServerPage::settingsEdited, this, &ServerHosting::updateHostOptions);
    connect(&page, &ServerPage::ruleBoxClicked, this, [this] {
        // Without a server nothing leaves the program.
        if (m.server.isRunning())
            m.server.room().broadcastGameSettings();
    });
    connect(&page, &ServerPage::startServerClicked, this, &ServerHosting::cmdStartServer_Click);
    connect(&page, &ServerPage::changeRatioClicked, this, &ServerHosting::cmdChangeRatio_Click);
    connect(&page, &ServerPage::kickUserClicked, this,
        [this](const QString& user) { m.administration.kickUser(fromQString(user)); });
    connect(&page, &ServerPage::banUserClicked, this,
        [this](const QString& user) { m.administration.banUser(fromQString(user)); });
    connect(&page, &ServerPage::banTyped, this, [this](const QString& entry) {
        // Stored as the list file reads it back: without blanks around it.
        const Bytes address(trimBlanks(fromQString(entry)));
        if (address.empty())
            return;
        m.bans.add(address);
        showBans();
    });
    connect(&page, &ServerPage::banRemoved, this, [this](int row) {
        if (row >= 0)
            m.bans.removeAt(size_t(row));
        showBans();
    });
    connect(&m.server, &GameServer::runningChanged, this, &ServerHosting::serverRunningChanged);
    connect(&m.server, &GameServer::userJoined, &page, [&page](const Bytes& name) { page.addUser(name); });
    connect(&m.server, &GameServer::userLeft, &page, [&page](const Bytes& name) { page.removeUser(name); });
    connect(&m.server, &GameServer::gameEnded, this, [this] {
        ChatPage& chat = m.window.chatPage();
        chat.startGameButton().setText(QStringLiteral("Start Game"));
        chat.pauseGameButton().setText(QStringLiteral("Pause Game"));
        chat.pauseGameButton().setEnabled(false);
    });
    connect(&m.window, &MainWindow::blockRatioFramesChanged, this, [this](bool enabled) {
        if (m_blockRatio)
            m_blockRatio->setBoxesEnabled(enabled);
    });
    updateHostOptions();
}

void ServerHosting::bindOptions()
{
    m.window.serverPage().bindOptions(m.options.gameOptions, m.options.network);
    updateHostOptions();
    showBans();
}

void ServerHosting::showBans()
{
    m.window.serverPage().showBans(m.bans.entries());
}

void ServerHosting::updateHostOptions()
{
    m.hostOptions.port = m.options.network.port;
    m.hostOptions.maxClients = m.options.network.maxClients;
    m.hostOptions.rules = hostRulesFrom(m.options);
}

void ServerHosting::cmdStartServer_Click()
{
    if (m.server.isRunning()) {
        m.server.StopServer();
        return;
    }
    updateHostOptions();
    m.server.StartServer();
}

void ServerHosting::serverRunningChanged(bool running)
{
    m.window.serverPage().showServerRunning(running, running ? serverAddress() : QString());
    ChatPage& chat = m.window.chatPage();
    chat.startGameButton().setEnabled(running);
    chat.pauseGameButton().setEnabled(false);
    // Only a host starts internet games from the File menu (a client in spot 1 is told so by
    // its server); outside internet play the item stays as the game mode left it.
    if (m.state.GameMode == GameMode::Internet || running)
        m.session.setFileItemEnabled(FileItem::StartStop, running);
}

BlockRatioDialog* ServerHosting::blockRatioDialog() const
{
    return m_blockRatio.data();
}

void ServerHosting::cmdChangeRatio_Click()
{
    if (!m_blockRatio) {
        m_blockRatio = new BlockRatioDialog(
            m.options.blockOccurancy, m.themes, m.images, m.dialogs,
            [this] { return m.window.blockRatioFramesEnabled(); }, &m.window);
        m_blockRatio->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_blockRatio, &BlockRatioDialog::stored, this, &ServerHosting::updateHostOptions);
        // OK and Cancel only hide the dialog: the next opening reads the table anew.
        connect(m_blockRatio, &QDialog::finished, m_blockRatio, &QObject::deleteLater);
    }
    m_blockRatio->drawSamples();
    m_blockRatio->show();
    m_blockRatio->raise();
    m_blockRatio->activateWindow();
}

} // namespace kalvon
