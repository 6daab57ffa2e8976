#pragma once
// The theme browser over the real window and program: the themes page's controls, the options
// page's theme box and music options (kept in the options model), the page switches, the
// loading window, the image rebuild of the main form, the music, the sound effects and the
// opponents' boards. It also connects the controls: the themes page's buttons, animation boxes
// and preview timer, and the options page's theme Browse and Previewer buttons.

#include "render/themebrowser.h"

#include <filesystem>
#include <functional>

namespace kalvon {

class GameSide;
class InternetPlay;
class LoadingScreen;
class MainForm;
class MainWindow;
class SdlSoundEffects;
class ThemePreview;
struct Options;
struct PreviewPictures;

struct ThemeBrowserWiringParts {
    MainWindow& window;
    MainForm& form;
    LoadingScreen& loading;
    GameSide& game;
    SdlSoundEffects& effects;
    Options& options;
    InternetPlay& internet;
    std::function<void(BytesView path)> importTnpTheme;
    std::filesystem::path programDir; // where relative sound paths start
};

class ThemeBrowserWiring final : public ThemeBrowserWindow {
public:
    explicit ThemeBrowserWiring(ThemeBrowserWiringParts parts);

    // The controls call the browser and the preview.
    void connectControls(ThemeBrowser& browser, ThemePreview& preview, PreviewPictures& pictures);

    Bytes themeListText() const override;
    void setThemeListText(BytesView path) override;
    void showThemeDescription(BytesView title, BytesView author, BytesView version, BytesView type) override;
    void setPreviewBoxesEnabled(bool enabled) override;
    void setGeneratePreviewEnabled(bool enabled) override;
    void setTestButtonsEnabled(bool enabled) override;
    void setExplodeEnabled(bool enabled) override;
    void setPreviewTimerRunning(bool running) override;
    int chosenSound() const override;

    Bytes themeBoxText() const override;
    void setThemeBoxText(BytesView path) override;
    bool themeMusicChecked() const override;
    Bytes musicBoxText() const override;

    Bytes caption() const override;
    void setCaption(BytesView text) override;
    void ShowFieldScreen() override;
    void ShowOptionsScreen() override;
    void ShowThemeScreen() override;
    void showLoadingWindow() override;
    void closeLoadingWindow() override;
    void loadimages() override;

    void LoadGameMusic(BytesView file) override;
    void importTnpTheme(BytesView path) override;
    void playSoundNow(BytesView file) override;
    void themeFilesReplaced() override;
    void DrawNetPlayerFields() override;

private:
    ThemeBrowserWiringParts m;
};

} // namespace kalvon
