#include "window/mainform.h"

#include "common/dialogs.h"
#include "engine/highscores.h"
#include "engine/state.h"
#include "engine/store/scoresfile.h"
#include "engine/store/settingsfile.h"
#include "game/gameside.h"
#include "game/gametick.h"
#include "net/banlist.h"
#include "net/wire/toserver.h"
#include "platform/eventpump.h"
#include "platform/windowutils.h"
#include "render/sheetloaders.h"
#include "render/themeimages.h"
#include "render/themeloader.h"
#include "render/themepaths.h"
#include "render/windowskin.h"
#include "window/loadingscreen.h"
#include "window/mainwindow.h"
#include "window/pages/optionspage.h"
#include "window/trayicon.h"

#include <QWindow>
#include <cstdio>

namespace kalvon {

Bytes configuredThemePath(BytesView theme, const std::filesystem::path& programDir)
{
    if (!theme.empty() && theme.front() == '/')
        return Bytes(theme);
    return folderText(programDir) + Bytes(theme);
}

bool MainForm::sameFile(BytesView a, BytesView b) const
{
    std::error_code ignored; // a path that names no file is not the same file
    const std::filesystem::path& programDir = m_parts.folders.programDir;
    return std::filesystem::equivalent(themeFilePath(a, programDir), themeFilePath(b, programDir), ignored);
}

MainForm::MainForm(const MainFormParts& parts)
    : m_parts(parts)
{
}

void MainForm::progress(int percent)
{
    m_parts.loading.setProgress(percent);
}

void MainForm::step(BytesView text)
{
    m_parts.loading.setFileText(text);
    m_parts.pump.Yield();
}

// --- load ---

void MainForm::load()
{
    if (m_unloading || m_loaded)
        return;
    m_loading = true;
    m_parts.loading.showLoading();
    m_parts.window.show();
    m_parts.loading.setFileText(kFirstLoadingStep);
    m_parts.pump.Yield();
    m_parts.window.SetupMenuButtons();

    progress(0);
    m_parts.game.KalvonGenerateFontTable();
    progress(20);
    LoadingSetText();
    progress(30);
    ResetGraphicsState(m_parts.images);
    startupimages();
    progress(70);
    m_parts.game.GenerateTrail();
    progress(80);
    m_parts.window.SetupMenuButtons();
    progress(90);
    SetGameOptions();
    progress(100);

    m_parts.loading.closeLoading();
    m_parts.window.PaintToolbarButtons();
    m_parts.window.ShowFieldScreen();
    m_parts.tray.applyOption(m_parts.options.general.taskbarIcon);
    CreateBackBuffer(m_parts.images);
    ClearTopmost(m_parts.window.windowHandle());
    ApplyStayOnTop(m_parts.window.windowHandle(), m_parts.options.general.stayOnTop);
    m_loading = false;
    m_loaded = true;
    if (m_unloadAfterLoad)
        unload();
}

void MainForm::startupimages()
{
    step("Loading Options");
    LoadSettings(m_parts.settingsFile, m_parts.options);
    m_parts.window.optionsPage().showOptionValues();
    m_parts.game.setGameMode(m_parts.options.general.gameMode);

    const Bytes defaultTheme = pathText(m_parts.folders.programDir / "data" / "default.kvx");
    step("Loading " + defaultTheme);
    ThemeLoading loading{ m_parts.themes, m_parts.dialogs, *this, m_parts.folders };
    Themes& themes = m_parts.themes;
    LoadTheme(loading, defaultTheme, themes.CurrentTheme, themes.ThemeSounds, "");
    m_parts.window.PaintToolbarButtons();

    const Bytes& theme = m_parts.options.general.theme;
    const Bytes path = configuredThemePath(theme, m_parts.folders.programDir);
    const Bytes extension = toLower(BytesView(theme).substr(theme.size() < 3 ? 0 : theme.size() - 3));
    if (extension == "tnp") {
        loadimages();
        if (m_importTnpTheme)
            m_importTnpTheme(path);
    } else if (extension == "kvx") {
        if (!sameFile(path, defaultTheme))
            LoadTheme(loading, path, themes.CurrentTheme, themes.ThemeSounds, "");
        progress(40);
        loadimages();
    } else {
        m_parts.dialogs.messageBox("Could Not Load " + theme, "Error", MessageIcon::Critical);
        loadimages();
    }
}

void MainForm::loadimages()
{
    SheetLoading sheets{ m_parts.images, m_parts.themes.CurrentTheme, *this, m_parts.folders.programDir };
    BuildThemeImages(sheets, [this](ThemeImagesStep reached) {
        switch (reached) {
        case ThemeImagesStep::DoorsLoaded: progress(45); break;
        case ThemeImagesStep::MiscLoaded: progress(50); break;
        case ThemeImagesStep::BlocksLoaded: progress(60); break;
        }
    });
    if (m_parts.loading.loadingVisible())
        step("Loading GUI");
    progress(65);
    DrawInterface();
}

void MainForm::DrawInterface()
{
    SheetLoading sheets{ m_parts.images, m_parts.themes.CurrentTheme, *this, m_parts.folders.programDir };
    kalvon::DrawInterface(m_parts.skin, sheets);
    m_parts.window.ApplyThemeLabelColors(m_parts.themes.ThemeColors);
    m_parts.window.showSkin();
}

void MainForm::LoadingSetText()
{
    MainWindow& window = m_parts.window;
    window.showStartupTexts(kProgramVersion);
    window.resize(kWindowWidth, kWindowHeight);
    window.setOffline(true);
}

void MainForm::SetGameOptions()
{
    ThemeRecord& theme = m_parts.themes.CurrentTheme;
    theme.bgcurrentframe = theme.bgstartingframe;
    m_parts.highScores.setTable(m_parts.scores.load());
    m_parts.game.resetGameOptions();

    m_parts.window.optionsPage().SetupControls();
    m_parts.window.setCaption(kProgramCaption);
    m_parts.game.gameModeChosen(static_cast<int>(m_parts.state.GameMode) - 1);
    m_parts.window.showSidePanels(m_parts.state.GameMode);

    step("Loading Music");
    m_parts.game.InitSound();
    const SoundSettings& sound = m_parts.options.sound;
    if (sound.playMusic == 1)
        m_parts.game.LoadGameMusic(sound.useThemeMusic == 1 ? m_parts.themes.ThemeMusic : sound.lastMusic);
    m_parts.bans.LoadBanList(m_parts.banListFile);
    step("Loading Complete!");
}

// --- unload ---

void MainForm::unloadFromOutside()
{
    m_fromOutside = true;
    unload();
}

void MainForm::unload()
{
    if (m_unloading)
        return;
    // Written now, the files would lose what the load has not read yet.
    if (m_loading) {
        m_unloadAfterLoad = true;
        return;
    }
    m_unloading = true;
    if (!m_loaded) {
        if (m_endProcess)
            m_endProcess();
        return;
    }
    const EngineState& state = m_parts.state;
    if (state.GameMode == GameMode::Internet && m_parts.game.Connected()) {
        m_parts.game.SendToServer(wire::encode(wire::toServer::Quit{}));
        m_parts.pump.Wait(100);
    }
    m_parts.game.stopTimers();
    m_parts.tray.remove();
    m_parts.game.StopGameMusic();
    FreeBackBuffer(m_parts.images);
    FreeAllImages(m_parts.images);
    m_parts.options.general.gameMode = state.GameMode;
    // A file that cannot be written is reported, and the shut-down goes on. Ended from outside,
    // the report goes to standard error: a box would keep the program waiting for nobody.
    const auto saveFailed = [this](BytesView text) {
        if (m_fromOutside)
            std::fprintf(stderr, "%.*s\n", int(text.size()), text.data());
        else
            m_parts.dialogs.messageBox(text, "Error", MessageIcon::Critical);
    };
    if (!SaveSettings(m_parts.settingsFile, m_parts.options))
        saveFailed("Could not save the settings to " + pathText(m_parts.settingsFile) + "!");
    if (!m_parts.scores.SaveHighScores(m_parts.highScores.table()))
        saveFailed(kHighScoresNotSaved);
    if (!m_parts.bans.SaveBanList(m_parts.banListFile).ok)
        saveFailed("Could not save the ban list to " + pathText(m_parts.banListFile) + "!");
    m_parts.game.BotUnlink();
    m_parts.game.CloseSound();
    if (m_endProcess)
        m_endProcess();
}

// --- ThemeWindow ---

void MainForm::setAnimationBoxEnabled(AnimationBox box, bool enabled)
{
    m_parts.window.setAnimationBoxEnabled(box, enabled);
}

void MainForm::showLoadingFile(BytesView path)
{
    if (m_parts.loading.loadingVisible())
        step(path);
}

} // namespace kalvon
