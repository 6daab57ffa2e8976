#pragma once
// Hosting from the server page: the page's rules, port and client limit reach the built-in
// server (through HostOptions, kept in step with the options model), its start button starts
// and stops the server, and what the server reports shows on the page, the chat page's game
// buttons and the File menu. A click on a rule box sends the game settings to the connected
// clients at once; cmdChangeRatio opens the block occurrence dialog.

#include <QObject>
#include <QPointer>

namespace kalvon {

class BlockRatioDialog;
class Dialogs;
class GameServer;
class GameSession;
class MainWindow;
struct EngineState;
struct HostOptions;
struct Options;
struct ThemeImages;
struct Themes;

struct ServerHostingParts {
    MainWindow& window;
    GameServer& server;
    HostOptions& hostOptions;
    Options& options;
    GameSession& session;
    const EngineState& state;
    const Themes& themes;
    const ThemeImages& images;
    Dialogs& dialogs;
};

class ServerHosting final : public QObject {
    Q_OBJECT
public:
    explicit ServerHosting(ServerHostingParts parts, QObject* parent = nullptr);

    // The server page shows the options model (after the settings were read) and edits it.
    void bindOptions();
    // cmdStartServer: "Start Server" starts the server, "Stop Server" stops it.
    void cmdStartServer_Click();
    // cmdChangeRatio: the block occurrence dialog, made when it is not open.
    void cmdChangeRatio_Click();
    // The open dialog; null when none is.
    BlockRatioDialog* blockRatioDialog() const;

private:
    // HostOptions takes the options model's port, client limit and rules.
    void updateHostOptions();
    void serverRunningChanged(bool running);

    ServerHostingParts m;
    QPointer<BlockRatioDialog> m_blockRatio;
};

} // namespace kalvon
