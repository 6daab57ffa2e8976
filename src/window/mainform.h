#pragma once
// The main window's life: its load handler brings the program up in a fixed order while the
// loading window shows the step and a progress bar (settings, the default theme and then the
// configured one, the theme's pictures and the skin, the game options, music and ban list), and
// its unload handler takes everything down, writes the stored files and ends the program.

#include "common/bytes.h"
#include "render/themeresources.h"
#include "render/themewindow.h"

#include <filesystem>
#include <functional>

namespace kalvon {

class BanList;
class Dialogs;
class EventPump;
class GameSide;
class HighScores;
class LoadingScreen;
class MainWindow;
class ScoresFile;
class TrayIcon;
struct EngineState;
struct Options;
struct ThemeImages;
struct Themes;
struct WindowSkin;

// The file of the configured theme (txtTheme): a text starting with "/" is a path of its own,
// anything else lies below the program folder (a drive-letter path so names no file here).
Bytes configuredThemePath(BytesView theme, const std::filesystem::path& programDir);

// Everything the load and unload handlers work on.
struct MainFormParts {
    Options& options;
    std::filesystem::path settingsFile;
    Themes& themes;
    ThemeImages& images;
    WindowSkin& skin;
    ThemeFolders folders; // the private temporary folder and the program folder
    Dialogs& dialogs;
    EventPump& pump;
    const EngineState& state; // the game mode is read here; the game side sets it
    HighScores& highScores;
    ScoresFile& scores;
    BanList& bans;
    std::filesystem::path banListFile;
    MainWindow& window;
    LoadingScreen& loading;
    TrayIcon& tray;
    GameSide& game;
};

class MainForm final : public ThemeWindow {
public:
    explicit MainForm(const MainFormParts& parts);

    // The import of a configured TNP theme, run once the default theme's pictures are built.
    void setTnpImport(std::function<void(BytesView path)> import) { m_importTnpTheme = std::move(import); }
    // How the program ends once the unload handler is done (the application's exit).
    void setEndProcess(std::function<void()> end) { m_endProcess = std::move(end); }

    // --- load ---
    // The program comes up: settings, themes, the skin, the game options, the first page.
    void load();
    void startupimages();
    // Rebuilds the current theme's pictures and composes the skin (also after a theme change).
    void loadimages();
    void LoadingSetText();
    void SetGameOptions();
    // DrawInterface with the label colours: the skin composed from the theme and shown.
    void DrawInterface();

    // --- unload ---
    // Everything taken down, the stored files written, the program ended. Runs once; a second
    // request (a second click on the close box during the quit message's
    // wait) returns at once. Asked while the load runs, it waits for the load's end, since the
    // stored files are not all read yet; asked before the load, the program ends writing nothing.
    void unload();
    // The same asked from outside (a logout, a kill): a file that cannot be written is told on
    // standard error instead of in a box that nobody may be there to close.
    void unloadFromOutside();
    bool unloading() const { return m_unloading; }

    // --- ThemeWindow ---
    void setAnimationBoxEnabled(AnimationBox box, bool enabled) override;
    void showLoadingFile(BytesView path) override;

private:
    // Whether two theme paths name one file: the configured theme is most often the default
    // theme, which the load has just read and unpacked; reading it again would unpack the same
    // archive a second time and show any error it has twice.
    bool sameFile(BytesView a, BytesView b) const;
    void progress(int percent);
    void step(BytesView text);

    MainFormParts m_parts;
    std::function<void(BytesView)> m_importTnpTheme;
    std::function<void()> m_endProcess;
    bool m_unloading = false;
    bool m_loading = false;
    bool m_loaded = false;
    bool m_unloadAfterLoad = false;
    bool m_fromOutside = false;
};

} // namespace kalvon
