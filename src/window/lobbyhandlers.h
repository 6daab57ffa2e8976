#pragma once
// The connect and chat pages in use: the connect button (and Enter in the name and address
// boxes) drives the internet client, the toolbar's connect button disconnects it, and the chat
// page's buttons join, watch, set the team, start, stop, pause and resume the game; Enter in
// the chat line sends it as chat.

#include "window/mainwindow.h"

#include <QObject>

namespace kalvon {

class GameEngine;
class GameSession;
class InternetClient;
struct NetworkSettings;

struct LobbyHandlersParts {
    MainWindow& window;
    InternetClient& client;
    GameSession& session;
    GameEngine& engine;
    NetworkSettings& network;
};

class LobbyHandlers final : public QObject, public ClientConnection {
    Q_OBJECT
public:
    explicit LobbyHandlers(LobbyHandlersParts parts, QObject* parent = nullptr);

    // The pages show the options model's name, address and team (after the settings were
    // read), and the client takes the team in use.
    void bindOptions();

    void cmdConnect_Click();
    void cmdStartGame_Click();
    void cmdPauseGame_Click();
    void cmdTeam_Click();

    // ClientConnection: the toolbar's connect button while online.
    void disconnectFromServer() override;

private:
    LobbyHandlersParts m;
};

} // namespace kalvon
