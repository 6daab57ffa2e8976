#pragma once
// Starting, stopping, pausing and resuming games, and choosing the game mode: StartGame and
// StopGame for one and two players on this keyboard (internet play asks the server), the File
// menu's items with their enabled states and hover, and the game-mode submenu. The menus'
// drawing is the window's; this is what their handlers do.

#include <array>
#include <cstdint>

namespace kalvon {

class Clock;
class Dialogs;
class GameEngine;
class GameTicker;
class GameWindow;
class InternetPlay;
class MusicModule;
class SoundPlayer;
struct HeldKeys;
struct Options;
struct Themes;

// The File menu's items (markers 0..4; markers 5 and 6 act as 0 and 1).
enum class FileItem { StartStop = 0, PauseResume = 1, GameMode = 2, HighScores = 3, Exit = 4 };

struct GameSessionParts {
    GameEngine& engine;
    Options& options;
    Themes& themes;
    HeldKeys& keys;
    GameTicker& ticker;
    GameWindow& window;
    InternetPlay& internet;
    MusicModule& music;
    SoundPlayer& sounds;
    Dialogs& dialogs;
    const Clock& clock;
};

class GameSession {
public:
    explicit GameSession(const GameSessionParts& parts);

    void StartGame();
    void StopGame();
    // The main game timer: game start, stop, pause, resume, a lost game and the internet
    // client's start message switch it.
    void setGameTimer(bool enabled);
    bool gameTimerEnabled() const;

    // --- File menu ---
    bool fileItemEnabled(int marker) const;
    void setFileItemEnabled(FileItem item, bool enabled);
    int FileMenuHover() const { return m_fileMenuHover; }
    int GameModeMenuHover() const { return m_gameModeMenuHover; }
    void fileMenuItemClicked(int marker);
    void fileMenuItemHovered(int marker);
    void gameModeChosen(int index);
    void gameModeItemHovered(int index);

    // After a local game was lost: the pause item is disabled, the menu closed and the
    // game-mode item enabled; the occurrence window's frames are enabled again.
    void localGameEnded();

private:
    void startInternetGame();
    void startLocalGame();

    GameSessionParts m;
    std::array<bool, 5> m_fileItems{ true, false, true, true, true };
    // Both start on the first row.
    int m_fileMenuHover = 0;
    int m_gameModeMenuHover = 0;
};

} // namespace kalvon
