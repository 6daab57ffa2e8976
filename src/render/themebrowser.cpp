#include "render/themebrowser.h"

#include "common/dialogs.h"
#include "common/vbconv.h"
#include "engine/state.h"
#include "render/gamerenderer.h"
#include "render/themeimages.h"
#include "render/themeloader.h"
#include "render/themepreview.h"
#include "render/themerecord.h"

#include <array>

namespace kalvon {

namespace {

constexpr int kPreviewField = 3;
constexpr size_t kShortestThemePath = 5;

constexpr char kUnsupported[] = "File is not a supported format!";
constexpr char kKvxFilter[] = "Kalvon Theme File (*.KVX)|*.KVX|";
constexpr char kThemeFilter[] = "Kalvon Theme File (*.KVX)|*.KVX|TNP Theme File (*.TNP)|*.TNP|";

// The sound list's rows: Start Game, Lose Game, Win Game, Clear Line, Quad, Drop Block, Rotate
// Block, Explosion, Chat Message, GUI Click, Holy Shield.
constexpr std::array<ThemeSound, 11> kSoundRows = { ThemeSound::StartGame, ThemeSound::Lose, ThemeSound::Win,
    ThemeSound::LineClear, ThemeSound::Quad, ThemeSound::Drop, ThemeSound::Rotate, ThemeSound::Explode,
    ThemeSound::Chat, ThemeSound::Click, ThemeSound::HolyShield };

} // namespace

ThemeFileType themeFileType(BytesView path)
{
    if (path.size() < 3)
        return ThemeFileType::Unsupported;
    const Bytes type = toLower(path.substr(path.size() - 3));
    if (type == "kvx")
        return ThemeFileType::Kvx;
    if (type == "tnp")
        return ThemeFileType::Tnp;
    return ThemeFileType::Unsupported;
}

std::optional<size_t> previewSoundSlot(int row)
{
    if (row < 0 || size_t(row) >= kSoundRows.size())
        return std::nullopt;
    return size_t(kSoundRows[size_t(row)]);
}

ThemeBrowser::ThemeBrowser(const ThemeBrowserParts& parts)
    : m(parts)
{
}

void ThemeBrowser::unsupported()
{
    m.dialogs.messageBox(kUnsupported, "Error", MessageIcon::Critical);
}

void ThemeBrowser::browsePreview()
{
    FileDialogRequest request;
    request.filter = kKvxFilter;
    if (const std::optional<Bytes> file = m.dialogs.openFile(request))
        m.window.setThemeListText(*file);
}

void ThemeBrowser::generatePreview()
{
    const Bytes path = m.window.themeListText();
    if (themeFileType(path) != ThemeFileType::Kvx) {
        unsupported();
        return;
    }
    Themes& themes = m.themes;
    ThemeLoading loading{ themes, m.dialogs, m.themeWindow, m.folders };
    LoadTheme(loading, path, themes.PreviewTheme, themes.PreviewSounds, "preview\\");
    m.window.themeFilesReplaced();

    const ThemeRecord& theme = themes.PreviewTheme;
    m.window.showThemeDescription("Theme Name: " + theme.name, "Theme Author: " + theme.developer,
        "Theme Version: " + theme.version, "Theme Type: " + vb::formatInt(theme.themetype));
    m.window.setPreviewBoxesEnabled(theme.themetype != 0);

    m.window.setGeneratePreviewEnabled(false);
    m.window.setCaption(m.window.caption() + " - Generating Preview");
    m.window.setPreviewTimerRunning(false);
    // The new pictures replace the old ones whole; a test animation still drawing from the old
    // ones sees them go and stops.
    m.preview.unloadPreview();
    m.preview.loadpreview(m.themeWindow, m.folders.programDir);
    m.window.setCaption(m.programCaption);
    m.preview.GenerateThemePreview(kPreviewField);
    // The two windows show their still frames at once, not only once their boxes animate them.
    m.preview.DrawNextPieceBackground();
    m.preview.DrawSpecialWindowBackground();

    m.window.setGeneratePreviewEnabled(true);
    m.window.setPreviewTimerRunning(true);
    m.window.setTestButtonsEnabled(true);
    m_previewing = true;
}

void ThemeBrowser::useTheme()
{
    const Bytes path = m.window.themeListText();
    m.window.setThemeBoxText(path);
    if (path.size() < kShortestThemePath) {
        m.dialogs.messageBox("Cannot Load This Theme File", "Error", MessageIcon::Critical);
        return;
    }
    switch (themeFileType(path)) {
    case ThemeFileType::Kvx: {
        FreeAllImages(m.images);
        ThemeLoading loading{ m.themes, m.dialogs, m.themeWindow, m.folders };
        LoadTheme(loading, path, m.themes.CurrentTheme, m.themes.ThemeSounds, "");
        m.window.themeFilesReplaced();
        m.window.loadimages();
        m.window.ShowThemeScreen();
        break;
    }
    case ThemeFileType::Tnp: m.window.importTnpTheme(path); break;
    case ThemeFileType::Unsupported: unsupported(); return;
    }
    loadGameMusic();

    // The preview ends.
    m.window.setPreviewTimerRunning(false);
    m.window.setTestButtonsEnabled(false);
    m_previewing = false;
    m.preview.unloadPreview();
    m.window.closeLoadingWindow();

    m.window.ShowFieldScreen();
    m.renderer.DrawField(1);
    m.renderer.DrawField(2);
    redrawNetFields();
}

void ThemeBrowser::playSound()
{
    const std::optional<size_t> slot = previewSoundSlot(m.window.chosenSound());
    if (!slot)
        return;
    const Bytes& file = m.themes.PreviewSounds[*slot];
    if (!file.empty())
        m.window.playSoundNow(file);
}

void ThemeBrowser::openDoor()
{
    m.renderer.AnimateOpenDoor();
}

void ThemeBrowser::closeDoor()
{
    m.renderer.AnimateCloseDoor();
}

void ThemeBrowser::explode()
{
    if (!m.state.FieldDoorOpen[kPreviewField])
        return;
    m.window.setExplodeEnabled(false);
    m.renderer.PreviewExplode();
    // Use This Theme, pressed while the explosion ran, ended the preview and its tests.
    if (m_previewing)
        m.window.setExplodeEnabled(true);
}

void ThemeBrowser::startBomb()
{
    m.renderer.StartPreviewBomb();
}

void ThemeBrowser::openInternetDoor()
{
    m.renderer.AnimateInternetOpenDoor();
}

void ThemeBrowser::closeInternetDoor()
{
    m.renderer.AnimateInternetCloseDoor();
}

void ThemeBrowser::browseTheme()
{
    FileDialogRequest request;
    request.filter = kThemeFilter;
    const std::optional<Bytes> file = m.dialogs.openFile(request);
    if (!file)
        return;
    switch (themeFileType(*file)) {
    case ThemeFileType::Tnp:
        m.window.importTnpTheme(*file);
        m.window.setThemeBoxText(*file);
        break;
    case ThemeFileType::Kvx: {
        ThemeLoading loading{ m.themes, m.dialogs, m.themeWindow, m.folders };
        LoadTheme(loading, *file, m.themes.CurrentTheme, m.themes.ThemeSounds, "");
        m.window.themeFilesReplaced();
        m.window.showLoadingWindow();
        FreeAllImages(m.images);
        m.window.loadimages();
        m.window.closeLoadingWindow();
        m.window.ShowOptionsScreen();
        m.window.setThemeBoxText(*file);
        break;
    }
    case ThemeFileType::Unsupported: unsupported(); return;
    }
    musicAndRedraw(true);
}

void ThemeBrowser::showPreviewer()
{
    m.window.ShowThemeScreen();
}

void ThemeBrowser::musicAndRedraw(bool nextPieces)
{
    loadGameMusic();
    if (nextPieces) {
        m.renderer.DrawNextPiece(1);
        m.renderer.DrawNextPiece(2);
    }
    m.renderer.DrawField(1);
    m.renderer.DrawField(2);
    redrawNetFields();
}

void ThemeBrowser::loadGameMusic()
{
    m.window.LoadGameMusic(m.window.themeMusicChecked() ? m.themes.ThemeMusic : m.window.musicBoxText());
}

void ThemeBrowser::redrawNetFields()
{
    if (m.state.GameMode == GameMode::Internet)
        m.window.DrawNetPlayerFields();
}

} // namespace kalvon
