#pragma once
// The game program as a whole: every subsystem made once and wired to the others through its
// interface (settings, themes and their sheets, the skinned window and its small windows, the
// game, sounds, dialogs, scores and the ban list). main() makes one and starts it; the start-up
// benchmark and the smoke tests make one over a scratch program folder.

#include <QObject>
#include <filesystem>
#include <functional>
#include <memory>

namespace kalvon {

class ChatPageMenus;
class Dialogs;
class GameCore;
class GameServer;
class InternetClient;
class RoomBrowsing;
class MainForm;
class MainWindow;
class WindowClientView;
struct Options;

class GameProgram {
public:
    // `programDir` holds data/ and receives kalvon.ini, scores.ini and banlist.txt (or their
    // folder in the user's configuration, when it is not writable); `tempDir` is the private
    // temporary folder the theme archives unpack into. Every box goes to `dialogs` when given
    // (tests script them), else to Qt's; the internet client's error boxes never wait.
    GameProgram(std::filesystem::path programDir, std::filesystem::path tempDir, Dialogs* dialogs = nullptr);
    ~GameProgram();
    GameProgram(const GameProgram&) = delete;
    GameProgram& operator=(const GameProgram&) = delete;

    // The main window's load handler: the program comes up.
    void start();
    // How the program ends after the unload handler (the application's exit by default).
    void setEndProcess(std::function<void()> end);

    MainWindow& window();
    MainForm& form();
    GameCore& core();
    Options& options();
    // Internet play: the built-in server this program hosts and its own client.
    GameServer& server();
    InternetClient& client();
    // What the client shows, with the chat buffer the chat menu saves.
    WindowClientView& clientView();
    // The chat page's pop-up menus.
    ChatPageMenus& chatMenus();
    RoomBrowsing& roomBrowsing();

private:
    struct Parts;
    std::unique_ptr<Parts> m;
};

} // namespace kalvon
