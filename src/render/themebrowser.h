#pragma once
// The theme browser: what the buttons of the theme page (and the options page's theme Browse
// and Previewer buttons) do. It chooses which theme file goes where: Generate Preview loads the
// chosen .kvx into the preview theme (its archive into the "preview\" folder) and builds and
// starts the preview; Use This Theme makes the chosen theme the current one (a .kvx through the
// theme loader and the image rebuild, a .tnp through the TNP import) and ends the preview; the
// options page's Browse loads a chosen file as the current theme at once. Both end by loading
// the game music again and redrawing the fields. The animation test buttons act on the preview.
//
// It reaches the window (controls, pages, the loading window, the image rebuild) and the
// program's music and sounds through ThemeBrowserWindow; messages and file dialogs go through
// Dialogs, the loads through LoadTheme with the current theme window (ThemeWindow).

#include "common/bytes.h"
#include "render/themeresources.h"

#include <optional>

namespace kalvon {

class Dialogs;
class GameRenderer;
class ThemePreview;
class ThemeWindow;
struct EngineState;
struct ThemeImages;
struct Themes;

// The type of a theme path: its last three characters in any case.
enum class ThemeFileType { Kvx, Tnp, Unsupported };
ThemeFileType themeFileType(BytesView path);

// The theme sound a row of the theme page's sound list plays (0 "Start Game" .. 10 "Holy
// Shield"); nothing for no row (-1) or a row past the list.
std::optional<size_t> previewSoundSlot(int row);

class ThemeBrowserWindow {
public:
    virtual ~ThemeBrowserWindow() = default;

    // --- the theme page ---
    virtual Bytes themeListText() const = 0; // cboThemes
    virtual void setThemeListText(BytesView path) = 0;
    // lblThemeTitle, lblThemeAuthor, lblThemeVersion, lblThemeType.
    virtual void showThemeDescription(BytesView title, BytesView author, BytesView version, BytesView type)
        = 0;
    // The four animation boxes a type-0 theme has nothing for (next piece, background, blocks,
    // internet background).
    virtual void setPreviewBoxesEnabled(bool enabled) = 0;
    virtual void setGeneratePreviewEnabled(bool enabled) = 0;
    // The six animation test buttons.
    virtual void setTestButtonsEnabled(bool enabled) = 0;
    virtual void setExplodeEnabled(bool enabled) = 0;
    // tmrPreview, every 10 ms.
    virtual void setPreviewTimerRunning(bool running) = 0;
    // The row chosen in the sound list, -1 for none.
    virtual int chosenSound() const = 0;

    // --- the options page ---
    // The current theme's path (txtTheme), which the settings file stores.
    virtual Bytes themeBoxText() const = 0;
    virtual void setThemeBoxText(BytesView path) = 0;
    // chkThemeMusic and the music file box txtMidi.
    virtual bool themeMusicChecked() const = 0;
    virtual Bytes musicBoxText() const = 0;

    // --- the window ---
    virtual Bytes caption() const = 0; // lblCaption
    virtual void setCaption(BytesView text) = 0;
    virtual void ShowFieldScreen() = 0;
    virtual void ShowOptionsScreen() = 0;
    virtual void ShowThemeScreen() = 0;
    virtual void showLoadingWindow() = 0;
    virtual void closeLoadingWindow() = 0;
    // The main window's image rebuild (loadimages): the current theme's sheets and the skin.
    virtual void loadimages() = 0;

    // --- the program ---
    // LoadGameMusic: the music loaded when music is on.
    virtual void LoadGameMusic(BytesView file) = 0;
    // ImportTnpTheme of a .tnp path.
    virtual void importTnpTheme(BytesView path) = 0;
    // A theme sound file played at once, whether or not sounds are switched on.
    virtual void playSoundNow(BytesView file) = 0;
    // The theme's files were replaced on disk: sounds read before are read again.
    virtual void themeFilesReplaced() = 0;
    // The five opponents' boards redrawn (internet play).
    virtual void DrawNetPlayerFields() = 0;
};

struct ThemeBrowserParts {
    Themes& themes;
    ThemeImages& images;
    Dialogs& dialogs;
    ThemeWindow& themeWindow; // the options page's animation boxes, the loading window's label
    ThemeFolders folders;
    const EngineState& state; // the game mode
    GameRenderer& renderer;
    ThemePreview& preview;
    ThemeBrowserWindow& window;
    Bytes programCaption; // "Kalvon v" and the version
};

class ThemeBrowser {
public:
    explicit ThemeBrowser(const ThemeBrowserParts& parts);

    // cmdBrowsePreview: a .kvx chosen in the file dialog becomes the theme list's text.
    void browsePreview();
    // cmdGeneratePreview: the theme list's .kvx loaded as the preview theme, its description
    // shown, the preview built and drawn, its timer and test buttons started.
    void generatePreview();
    // cmdUseTheme: the theme list's file made the current theme, the preview ended, the
    // fields page shown.
    void useTheme();
    // cmdPlaySound: the preview theme's sound of the sound list's row.
    void playSound();
    // The animation test buttons.
    void openDoor();
    void closeDoor();
    void explode();
    void startBomb();
    void openInternetDoor();
    void closeInternetDoor();
    // The options page's cmdThemeBrowse: a .kvx or .tnp chosen in the file dialog becomes the
    // current theme at once.
    void browseTheme();
    // The options page's cmdPreview ("Previewer"): the theme page.
    void showPreviewer();

    // A preview is built and its tests can be used.
    bool previewing() const { return m_previewing; }

private:
    void unsupported();
    // Music again, then the local fields (with their next-piece windows first when asked) and
    // in internet play the opponents' boards.
    void musicAndRedraw(bool nextPieces);
    void loadGameMusic();
    void redrawNetFields();

    ThemeBrowserParts m;
    bool m_previewing = false;
};

} // namespace kalvon
