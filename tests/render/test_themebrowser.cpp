// The theme browser's handlers over a recording window and scripted dialogs, with real theme
// files: which theme is loaded where, the messages, the preview's start and end, the shared
// ending's music and redraws, the sounds, the tests, and buttons pressed while a test
// animation runs.

#include "previewthemefiles.h"
#include "recordingthemewindow.h"
#include "render/themebrowser.h"
#include "render/themepaths.h"
#include "render/themepreview.h"
#include "renderrig.h"
#include "support/scripteddialogs.h"

#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::RenderRig;
using testing::ScratchFolder;
using testing::ThemePicture;
using testing::themePixel;

// The browser's window: the controls' values, and every call in order.
class RecordingBrowserWindow final : public ThemeBrowserWindow {
public:
    std::vector<std::string> calls;
    Bytes listText, boxText, captionText = "Kalvon v1.91";
    bool themeMusic = false;
    Bytes musicBox = "tune.mid";
    int sound = -1;
    std::function<void()> onImportTnp;

    Bytes themeListText() const override { return listText; }
    void setThemeListText(BytesView path) override
    {
        listText = Bytes(path);
        log("setThemeListText", path);
    }
    void showThemeDescription(BytesView title, BytesView author, BytesView version, BytesView type) override
    {
        log("showThemeDescription",
            Bytes(title) + "|" + Bytes(author) + "|" + Bytes(version) + "|" + Bytes(type));
    }
    void setPreviewBoxesEnabled(bool on) override { log("setPreviewBoxesEnabled", on); }
    void setGeneratePreviewEnabled(bool on) override { log("setGeneratePreviewEnabled", on); }
    void setTestButtonsEnabled(bool on) override { log("setTestButtonsEnabled", on); }
    void setExplodeEnabled(bool on) override { log("setExplodeEnabled", on); }
    void setPreviewTimerRunning(bool on) override { log("setPreviewTimerRunning", on); }
    int chosenSound() const override { return sound; }
    Bytes themeBoxText() const override { return boxText; }
    void setThemeBoxText(BytesView path) override
    {
        boxText = Bytes(path);
        log("setThemeBoxText", path);
    }
    bool themeMusicChecked() const override { return themeMusic; }
    Bytes musicBoxText() const override { return musicBox; }
    Bytes caption() const override { return captionText; }
    void setCaption(BytesView text) override
    {
        captionText = Bytes(text);
        log("setCaption", text);
    }
    void ShowFieldScreen() override { calls.push_back("ShowFieldScreen"); }
    void ShowOptionsScreen() override { calls.push_back("ShowOptionsScreen"); }
    void ShowThemeScreen() override { calls.push_back("ShowThemeScreen"); }
    void showLoadingWindow() override { calls.push_back("showLoadingWindow"); }
    void closeLoadingWindow() override { calls.push_back("closeLoadingWindow"); }
    void loadimages() override { calls.push_back("loadimages"); }
    void LoadGameMusic(BytesView file) override { log("LoadGameMusic", file); }
    void importTnpTheme(BytesView path) override
    {
        log("importTnpTheme", path);
        if (onImportTnp)
            onImportTnp();
    }
    void playSoundNow(BytesView file) override { log("playSoundNow", file); }
    void themeFilesReplaced() override { calls.push_back("themeFilesReplaced"); }
    void DrawNetPlayerFields() override { calls.push_back("DrawNetPlayerFields"); }

private:
    void log(const char* name, BytesView value) { calls.push_back(std::string(name) + " " + Bytes(value)); }
    void log(const char* name, bool on) { calls.push_back(std::string(name) + (on ? " on" : " off")); }
};

class ThemeBrowserTest : public ::testing::Test {
protected:
    ThemeBrowserTest()
    {
        rig.themes.CurrentTheme.name = "Current";
        rig.pictures.picField[1].setViewer(&fieldOne);
        rig.pictures.picField[3].setViewer(&previewShown);
        rig.hooks.onPreview = [this] { preview.GenerateThemePreview(3); };
    }

    std::vector<Bytes> messages() const { return dialogs.messages(); }
    std::string previewPixel(int x, int y)
    {
        return themePixel(rig.pictures.picField[3].canvas().pixel(x, y));
    }

    ScratchFolder files, temp;
    testing::ScriptedDialogs dialogs;
    testing::RecordingThemeWindow themeWindow;
    RenderRig rig;
    ThemePreview preview{ ThemePreviewContext{
        rig.game.engine, rig.themes, rig.preview, rig.pictures, rig.renderer, rig.game.clock } };
    RecordingBrowserWindow window;
    ThemeBrowser browser{ ThemeBrowserParts{ rig.themes, rig.images, dialogs, themeWindow,
        ThemeFolders{ temp.path(), files.path() }, rig.state(), rig.renderer, preview, window,
        "Kalvon v1.91" } };
    testing::FrameRecorder fieldOne, previewShown;
};

TEST(ThemeFileType, IsTheLastThreeCharactersInAnyCase)
{
    const std::pair<const char*, ThemeFileType> cases[] = {
        { "/x/a.kvx", ThemeFileType::Kvx },
        { "C:\\THEMES\\A.KVX", ThemeFileType::Kvx },
        { "a.kVx", ThemeFileType::Kvx },
        { "kvx", ThemeFileType::Kvx },
        { "/x/old.tnp", ThemeFileType::Tnp },
        { "OLD.TnP", ThemeFileType::Tnp },
        { "a.kvx.bak", ThemeFileType::Unsupported },
        { "a.zip", ThemeFileType::Unsupported },
        { "vx", ThemeFileType::Unsupported },
        { "", ThemeFileType::Unsupported },
    };
    for (const auto& [path, type] : cases)
        EXPECT_EQ(themeFileType(path), type) << path;
}

TEST(PreviewSoundSlot, RowsOfTheSoundListPickTheThemesSounds)
{
    const std::pair<int, std::optional<size_t>> cases[] = {
        { -1, std::nullopt },
        { 0, size_t(ThemeSound::StartGame) },
        { 1, size_t(ThemeSound::Lose) },
        { 2, size_t(ThemeSound::Win) },
        { 3, size_t(ThemeSound::LineClear) },
        { 4, size_t(ThemeSound::Quad) },
        { 5, size_t(ThemeSound::Drop) },
        { 6, size_t(ThemeSound::Rotate) },
        { 7, size_t(ThemeSound::Explode) },
        { 8, size_t(ThemeSound::Chat) },
        { 9, size_t(ThemeSound::Click) },
        { 10, size_t(ThemeSound::HolyShield) },
        { 11, std::nullopt },
    };
    for (const auto& [row, slot] : cases)
        EXPECT_EQ(previewSoundSlot(row), slot) << row;
}

TEST_F(ThemeBrowserTest, GeneratePreviewLoadsThePreviewThemeAndStartsThePreview)
{
    const auto theme = testing::writeTypeOneTheme(files, 1);
    window.listText = theme.kvx;
    browser.generatePreview();

    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(rig.themes.PreviewTheme.name, "Theme 1");
    EXPECT_EQ(rig.themes.CurrentTheme.name, "Current") << "the current theme stays";
    // The sound paths lie in the preview folder, stored as the loader writes them.
    EXPECT_EQ(rig.themes.PreviewSounds[size_t(ThemeSound::StartGame)],
        folderText(temp.path()) + "preview\\start1.wav");
    EXPECT_EQ(window.calls,
        (std::vector<std::string>{ "themeFilesReplaced",
            "showThemeDescription Theme Name: Theme 1|Theme Author: Author 1|Theme Version: 1.0|Theme Type: "
            "1",
            "setPreviewBoxesEnabled on", "setGeneratePreviewEnabled off",
            "setCaption Kalvon v1.91 - Generating Preview", "setPreviewTimerRunning off",
            "setCaption Kalvon v1.91", "setGeneratePreviewEnabled on", "setPreviewTimerRunning on",
            "setTestButtonsEnabled on" }));
    EXPECT_TRUE(browser.previewing());
    ASSERT_EQ(previewShown.frames.size(), 1u) << "the first picture is drawn";
    EXPECT_EQ(themePixel(previewShown.frames[0].pixel(100, 100)), "1 RightDoor") << "behind shut doors";
    // The windows show their still frames before any box animates them.
    EXPECT_EQ(themePixel(rig.pictures.picNextPiece[3].canvas().pixel(40, 40)), "1 NextWindow 2");
    EXPECT_EQ(themePixel(rig.pictures.picSpecials[0].canvas().pixel(40, 8)), "1 SpecialWindow 2");

    // A type-0 theme turns the four animation boxes off.
    window.calls.clear();
    window.listText = testing::writeTypeZeroTheme(files, 2).kvx;
    browser.generatePreview();
    EXPECT_EQ(window.calls[2], "setPreviewBoxesEnabled off");
    EXPECT_EQ(rig.themes.PreviewTheme.name, "Skin 2");
    EXPECT_TRUE(rig.preview.picBack.empty()) << "the first preview's pictures are gone";
}

TEST_F(ThemeBrowserTest, OnlyKvxFilesArePreviewed)
{
    for (const char* text : { "", "/themes/old.tnp", "/themes/picture.bmp" }) {
        SCOPED_TRACE(text);
        dialogs.calls.clear();
        window.listText = text;
        browser.generatePreview();
        EXPECT_EQ(messages(), std::vector<Bytes>{ "File is not a supported format!" });
        EXPECT_EQ(dialogs.calls[0].title, "Error");
        EXPECT_EQ(dialogs.calls[0].icon, MessageIcon::Critical);
        EXPECT_TRUE(window.calls.empty());
        EXPECT_FALSE(browser.previewing());
    }
}

TEST_F(ThemeBrowserTest, UseThisThemeMakesTheChosenFileTheCurrentThemeAndEndsThePreview)
{
    window.listText = testing::writeTypeOneTheme(files, 1).kvx;
    browser.generatePreview();
    ASSERT_TRUE(rig.preview.picDoor);
    rig.images.blocks = std::make_shared<Surface>(8, 8);
    window.calls.clear();
    window.themeMusic = true;
    window.listText = testing::writeTypeOneTheme(files, 3).kvx;

    browser.useTheme();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(rig.themes.CurrentTheme.name, "Theme 3");
    EXPECT_EQ(rig.themes.PreviewTheme.name, "Theme 1");
    EXPECT_EQ(window.boxText, window.listText);
    EXPECT_FALSE(rig.images.blocks) << "the sheets were released for the rebuild";
    EXPECT_EQ(window.calls,
        (std::vector<std::string>{ "setThemeBoxText " + window.listText, "themeFilesReplaced", "loadimages",
            "ShowThemeScreen", "LoadGameMusic " + rig.themes.ThemeMusic, "setPreviewTimerRunning off",
            "setTestButtonsEnabled off", "closeLoadingWindow", "ShowFieldScreen" }));
    EXPECT_EQ(rig.themes.ThemeMusic, Bytes(pathText(temp / "music3.ogg")));
    EXPECT_FALSE(browser.previewing());
    EXPECT_FALSE(rig.preview.picDoor) << "the preview's pictures are dropped";
    EXPECT_FALSE(fieldOne.frames.empty()) << "the fields are drawn again";
}

TEST_F(ThemeBrowserTest, UseThisThemeImportsTnpAndRefusesShortOrOtherTexts)
{
    const struct {
        const char* text;
        std::vector<Bytes> messages;
        std::vector<std::string> calls;
    } cases[] = {
        { "", { "Cannot Load This Theme File" }, { "setThemeBoxText " } },
        { "a.kv", { "Cannot Load This Theme File" }, { "setThemeBoxText a.kv" } },
        { "/t/picture.bmp", { "File is not a supported format!" }, { "setThemeBoxText /t/picture.bmp" } },
        { "/t/Old.TNP", {},
            { "setThemeBoxText /t/Old.TNP", "importTnpTheme /t/Old.TNP", "LoadGameMusic tune.mid",
                "setPreviewTimerRunning off", "setTestButtonsEnabled off", "closeLoadingWindow",
                "ShowFieldScreen" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        dialogs.calls.clear();
        window.calls.clear();
        window.listText = c.text;
        browser.useTheme();
        EXPECT_EQ(messages(), c.messages);
        EXPECT_EQ(window.calls, c.calls);
        EXPECT_EQ(rig.themes.CurrentTheme.name, "Current");
    }
}

TEST_F(ThemeBrowserTest, OptionsBrowseLoadsTheChosenFileThenMusicAndRedraws)
{
    const auto theme = testing::writeTypeOneTheme(files, 4);
    const struct {
        const char* name;
        std::optional<Bytes> chosen;
        GameMode mode;
        bool themeMusic;
        std::vector<Bytes> messages;
        std::vector<std::string> calls;
    } cases[] = {
        { "cancelled", std::nullopt, GameMode::OnePlayer, false, {}, {} },
        { "not a theme", Bytes("/t/a.txt"), GameMode::OnePlayer, false, { "File is not a supported format!" },
            {} },
        { "tnp, internet play", Bytes("/t/a.tnp"), GameMode::Internet, false, {},
            { "importTnpTheme /t/a.tnp", "setThemeBoxText /t/a.tnp", "LoadGameMusic tune.mid",
                "DrawNetPlayerFields" } },
        { "kvx with theme music", Bytes(theme.kvx), GameMode::TwoPlayers, true, {},
            { "themeFilesReplaced", "showLoadingWindow", "loadimages", "closeLoadingWindow",
                "ShowOptionsScreen", "setThemeBoxText " + theme.kvx,
                "LoadGameMusic " + pathText(temp / "music4.ogg") } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.calls.clear();
        window.calls.clear();
        dialogs.fileAnswers = { c.chosen };
        rig.state().GameMode = c.mode;
        window.themeMusic = c.themeMusic;
        browser.browseTheme();
        ASSERT_EQ(dialogs.calls.size(), 1 + c.messages.size());
        EXPECT_EQ(dialogs.calls[0].text, "Kalvon Theme File (*.KVX)|*.KVX|TNP Theme File (*.TNP)|*.TNP|");
        EXPECT_EQ(messages(), c.messages);
        EXPECT_EQ(window.calls, c.calls);
    }
    EXPECT_EQ(rig.themes.CurrentTheme.name, "Theme 4");
    EXPECT_FALSE(browser.previewing()) << "the preview is left as it was";
}

TEST_F(ThemeBrowserTest, BrowsePreviewOnlyFillsTheThemeList)
{
    dialogs.fileAnswers = { std::nullopt, Bytes("/t/b.kvx") };
    browser.browsePreview();
    EXPECT_TRUE(window.calls.empty());
    browser.browsePreview();
    EXPECT_EQ(window.calls, std::vector<std::string>{ "setThemeListText /t/b.kvx" });
    EXPECT_EQ(dialogs.calls[1].text, "Kalvon Theme File (*.KVX)|*.KVX|");
    EXPECT_EQ(rig.themes.PreviewTheme.name, "");
}

TEST_F(ThemeBrowserTest, PlaySoundPlaysThePreviewThemesSoundOfTheChosenRow)
{
    rig.themes.PreviewSounds[size_t(ThemeSound::Drop)] = "/p/drop.wav";
    rig.themes.ThemeSounds[size_t(ThemeSound::Drop)] = "/c/drop.wav";
    for (int row : { -1, 0, 5, 11 }) {
        window.sound = row;
        browser.playSound();
    }
    EXPECT_EQ(window.calls, std::vector<std::string>{ "playSoundNow /p/drop.wav" }) << "row 0 has no sound";
}

TEST_F(ThemeBrowserTest, ExplodeRunsOnlyBehindOpenDoorsAndLeavesTheButtonOffOnceThePreviewEnded)
{
    window.listText = testing::writeTypeOneTheme(files, 1).kvx;
    browser.generatePreview();
    window.calls.clear();
    browser.explode();
    EXPECT_TRUE(window.calls.empty()) << "the doors are shut";

    browser.openDoor();
    ASSERT_TRUE(rig.state().FieldDoorOpen[3]);
    browser.explode();
    EXPECT_EQ(window.calls, (std::vector<std::string>{ "setExplodeEnabled off", "setExplodeEnabled on" }));
    EXPECT_EQ(
        rig.hooks.calls.front(), "PlaySoundFile " + rig.themes.PreviewSounds[size_t(ThemeSound::Explode)]);

    // Use This Theme pressed while the explosion runs.
    window.calls.clear();
    window.listText = "/t/a.tnp";
    int waits = 0;
    rig.pump.duringYield = [&] {
        if (++waits == 3)
            browser.useTheme();
    };
    browser.explode();
    EXPECT_EQ(window.calls.front(), "setExplodeEnabled off");
    EXPECT_EQ(window.calls.back(), "ShowFieldScreen") << "the button stays off";
    EXPECT_FALSE(rig.state().FieldExplodeRunning[3]);
}

TEST_F(ThemeBrowserTest, GeneratePreviewDuringATestAnimationNeverShowsTheOldPictures)
{
    window.listText = testing::writeTypeOneTheme(files, 1).kvx;
    browser.generatePreview();
    browser.openDoor();
    const Bytes second = testing::writeTypeOneTheme(files, 2).kvx;

    struct Animation {
        const char* name;
        void (ThemeBrowser::*start)();
        std::function<void()> prepare;
    };
    const Animation animations[] = {
        { "closing doors", &ThemeBrowser::closeDoor, [] {} },
        { "explosion", &ThemeBrowser::explode, [] {} },
        { "internet door", &ThemeBrowser::closeInternetDoor, [this] { rig.preview.InetDoorOpen = true; } },
    };
    for (const Animation& a : animations) {
        SCOPED_TRACE(a.name);
        window.listText = testing::writeTypeOneTheme(files, 1).kvx;
        browser.generatePreview();
        if (!rig.state().FieldDoorOpen[3])
            browser.openDoor();
        a.prepare();
        previewShown.frames.clear();
        int yields = 0;
        size_t framesBefore = 0;
        rig.pump.duringYield = [&] {
            if (++yields == 2) {
                window.listText = second;
                browser.generatePreview();
                framesBefore = previewShown.frames.size();
            }
        };
        (browser.*a.start)();
        rig.pump.duringYield = nullptr;
        // Everything the preview field showed after the second theme came is the second's.
        for (size_t i = framesBefore; i < previewShown.frames.size(); ++i) {
            for (int y : { 10, 200, 300 })
                EXPECT_NE(themePixel(previewShown.frames[i].pixel(100, y)).substr(0, 2), "1 ") << i;
        }
        EXPECT_EQ(rig.themes.PreviewTheme.name, "Theme 2");
    }
}

} // namespace
} // namespace kalvon
