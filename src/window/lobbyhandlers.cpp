#include "window/lobbyhandlers.h"

#include "engine/gameengine.h"
#include "engine/store/options.h"
#include "game/gamesession.h"
#include "net/internetclient.h"
#include "platform/qtext.h"
#include "window/pages/chatpage.h"
#include "window/pages/connectpage.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace kalvon {

LobbyHandlers::LobbyHandlers(LobbyHandlersParts parts, QObject* parent)
    : QObject(parent)
    , m(parts)
{
    ConnectPage& connectPage = m.window.connectPage();
    ChatPage& chat = m.window.chatPage();
    connect(&connectPage, &ConnectPage::connectClicked, this, &LobbyHandlers::cmdConnect_Click);
    connect(&chat, &ChatPage::startGameClicked, this, &LobbyHandlers::cmdStartGame_Click);
    connect(&chat, &ChatPage::pauseGameClicked, this, &LobbyHandlers::cmdPauseGame_Click);
    connect(&chat, &ChatPage::teamClicked, this, &LobbyHandlers::cmdTeam_Click);
    connect(&chat, &ChatPage::joinGameClicked, this, [this] { m.client.joinGame(); });
    connect(&chat, &ChatPage::spectateClicked, this, [this] { m.client.spectate(); });
    connect(&chat, &ChatPage::chatLineEntered, this,
        [this](const QString& line) { m.client.chatLineEntered(fromQString(line)); });
    connect(&chat.teamBox(), &QLineEdit::textChanged, this,
        [this](const QString& text) { m.network.team = fromQString(text); });
    m.window.setClientConnection(this);
}

void LobbyHandlers::bindOptions()
{
    m.window.connectPage().bindOptions(m.network);
    m.window.chatPage().teamBox().setText(toQString(m.network.team));
    m.client.setTeamName(m.network.teamName);
}

void LobbyHandlers::cmdConnect_Click()
{
    ConnectPage& page = m.window.connectPage();
    m.client.connectButtonClicked(fromQString(page.nameBox().text()),
        fromQString(m.window.chatPage().teamBox().text()), fromQString(page.addressBox().currentText()));
    m.window.PaintToolbarButtons();
}

void LobbyHandlers::cmdStartGame_Click()
{
    if (m.window.chatPage().startGameButton().text() == QStringLiteral("Start Game"))
        m.session.StartGame();
    else
        m.session.StopGame();
}

void LobbyHandlers::cmdPauseGame_Click()
{
    if (m.window.chatPage().pauseGameButton().text() == QStringLiteral("Pause Game"))
        m.engine.PauseGame();
    else
        m.engine.ResumeGame();
}

void LobbyHandlers::cmdTeam_Click()
{
    m.client.applyTeam(fromQString(m.window.chatPage().teamBox().text()));
    // The team in use is what the settings keep.
    m.network.teamName = m.client.TeamName();
}

void LobbyHandlers::disconnectFromServer()
{
    m.client.disconnectFromServer();
}

} // namespace kalvon
