#pragma once
// Hosting from the server page: the page's rules, port and client limit reach the built-in
// server (through HostOptions, kept in step with the options model), its start button starts
// and stops the server, and what the server reports shows on the page, the chat page's game
// buttons and the File menu. A click on a rule box sends the game settings to the connected
// clients at once; cmdChangeRatio opens the block occurrence dialog. The kick and ban buttons act
// on the user box's user through the player administration, and the ban list on the page is the
// server's: entries typed in or removed there count at the next login.

#include <QObject>
#include <QPointer>

namespace kalvon {

class BanList;
class BlockRatioDialog;
class Dialogs;
class GameServer;
class GameSession;
class MainWindow;
class PlayerAdministration;
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
    BanList& bans;
    PlayerAdministration& administration;
};

class ServerHosting final : public QObject {
    Q_OBJECT
public:
    explicit ServerHosting(ServerHostingParts parts, QObject* parent = nullptr);

    // The server page shows the options model and the ban list (after the settings and the
    // list were read) and edits them.
    void bindOptions();
    // The page's ban list shows the entries again (after a ban from a menu).
    void showBans();
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
