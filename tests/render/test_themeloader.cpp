#include "common/colortext.h"
#include "recordingthemewindow.h"
#include "render/themeloader.h"
#include "render/themepaths.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"
#include "support/zipbuilder.h"
#include "themefixtures.h"

#include <gtest/gtest.h>

namespace kalvon {
namespace {

namespace fs = std::filesystem;
using testing::RecordingThemeWindow;
using testing::ScratchFolder;
using testing::ScriptedDialogs;
using testing::ThemeKeys;
using testing::typeOneThemeKeys;
using testing::ZipBuilder;

class ThemeLoaderTest : public ::testing::Test {
protected:
    ThemeLoaderTest() { ZipBuilder(folder / "default.zip").file("bg1.bmp", "frame").close(); }

    Bytes writeTheme(const std::string& name, const ThemeKeys& keys)
    {
        return pathText(folder.write(name, keys.text()));
    }
    ThemeLoadResult loadCurrent(const Bytes& file)
    {
        return LoadTheme(loading, file, themes.CurrentTheme, themes.ThemeSounds, "");
    }
    Bytes temp() const { return folderText(folder / "temp"); }

    // A full type-0 theme (no frame sets of its own), to load other themes over.
    static ThemeKeys typeZeroThemeKeys()
    {
        return typeOneThemeKeys()
            .set("themetype", "0")
            .set("skinfile", "skin.bmp")
            .set("skintransparency", "1")
            .set("specialwindowpic", "1")
            .set("nextblockpic", "1");
    }

    ScratchFolder folder;
    Themes themes;
    ScriptedDialogs dialogs;
    RecordingThemeWindow window;
    ThemeLoading loading{ themes, dialogs, window, { folder / "temp", folder.path() } };
};

TEST_F(ThemeLoaderTest, TypeOneThemeFillsTheRecordSoundsColoursAndMusic)
{
    themes.ThemeSounds[9] = "never touched";
    const Bytes file = writeTheme("default.kvx", typeOneThemeKeys());

    ASSERT_EQ(loadCurrent(file), ThemeLoadResult::Loaded);
    EXPECT_TRUE(dialogs.calls.empty());
    const ThemeRecord& theme = themes.CurrentTheme;
    const Bytes t = temp();
    EXPECT_EQ(theme.name, "Th\xE8me One");
    EXPECT_EQ(theme.developer, "Ann");
    EXPECT_EQ(theme.version, "1.5");
    EXPECT_EQ(theme.resourcefile, pathText(folder.path()) + "/default.zip");
    EXPECT_EQ(theme.themefolder, t);
    EXPECT_TRUE(fs::exists(folder / "temp/bg1.bmp")) << "archive unpacked into the theme folder";
    EXPECT_EQ(theme.themetype, 1);

    // Interface images as written, except the high-score picture, which is joined.
    EXPECT_EQ(theme.ifacemain, "main.bmp");
    EXPECT_EQ(theme.ifacemisc, "misc.bmp");
    EXPECT_EQ(theme.ifacemenu, "menu.bmp");
    EXPECT_EQ(theme.ifaceinet, "inet.bmp");
    EXPECT_EQ(theme.ifacehighscore, t + "scores.bmp");
    EXPECT_TRUE(theme.ifacemenutransparent);

    EXPECT_TRUE(theme.bganimated);
    EXPECT_EQ(theme.bgfilename, "bg");
    EXPECT_EQ(theme.bgextension, "bmp");
    EXPECT_EQ(theme.bgframecount, 3);
    EXPECT_EQ(theme.bgstartingframe, 2);
    EXPECT_EQ(theme.bgstillframe, 1);
    EXPECT_TRUE(theme.bgreverseanimation);
    EXPECT_EQ(theme.bgdelaybetweenframes, 100000);
    EXPECT_EQ(theme.specialwindowstillframe, 2);
    EXPECT_EQ(theme.specialwindowdelaybetweenframes, 70);
    EXPECT_EQ(theme.inetbgfilename, "ibg");
    EXPECT_EQ(theme.inetbgdelaybetweenframes, 90);
    EXPECT_TRUE(theme.animateblocks);
    EXPECT_FALSE(theme.animatespecials);
    EXPECT_TRUE(theme.animateinetblocks);
    EXPECT_EQ(theme.blkframecount, 2);
    EXPECT_EQ(theme.blkdelaybetweenframes, 40);
    EXPECT_TRUE(theme.blktransparency);
    EXPECT_TRUE(theme.nextblkreverseanimation);
    EXPECT_EQ(theme.nextblkdelaybetweenframes, 60);
    EXPECT_EQ(theme.explodeframecount, 4);
    EXPECT_FALSE(theme.explodetransparency);
    EXPECT_EQ(theme.bombfilename, "bomb") << "found under the editor's capital B";
    EXPECT_EQ(theme.bombframecount, 17);
    EXPECT_TRUE(theme.bombtransparency);
    EXPECT_EQ(theme.bgcurrentframe, 0) << "run-time state is not read from the file";

    EXPECT_EQ(theme.door1, t + "door1.bmp");
    EXPECT_EQ(theme.internetdoor, t + "idoor.bmp");
    EXPECT_EQ(theme.teamfont, t + "font.bmp");
    EXPECT_EQ(theme.winimg, t + "win.bmp");
    EXPECT_TRUE(theme.wintransparent);

    EXPECT_EQ(themes.ThemeColors, (ColorTable{ 1, 4, 2, 3, 5, 6, 7, 12, 8, 9, 10, 11 }));
    EXPECT_EQ(themes.ThemeMusic, t + "music.ogg");
    EXPECT_EQ(themes.ThemeSounds,
        (SoundTable{ t + "drop.wav", t + "rotate.wav", t + "boom.wav", t + "line.wav", t + "start.wav",
            t + "lose.wav", t + "win.wav", t + "quad.wav", t + "chat.wav", "never touched", t + "click.wav",
            t + "shield.wav" }));
    EXPECT_TRUE(window.allBoxes(true));
}

TEST_F(ThemeLoaderTest, ThemeNamingOnlyTypeAndSkinInheritsTheThemeLoadedBefore)
{
    loadCurrent(writeTheme("default.kvx", typeOneThemeKeys()));
    const ThemeRecord before = themes.CurrentTheme;
    const SoundTable soundsBefore = themes.ThemeSounds;

    ASSERT_EQ(loadCurrent(writeTheme("skin.kvx", { { "themetype", "0" }, { "skinfile", "gfx\\skin.bmp" } })),
        ThemeLoadResult::Loaded);
    const ThemeRecord& theme = themes.CurrentTheme;
    EXPECT_EQ(theme.themetype, 0);
    EXPECT_EQ(theme.skinfile, "gfx\\skin.bmp") << "no archive: taken as written";
    EXPECT_FALSE(theme.blktransparency) << "skintransparency missing under a present skinfile";
    EXPECT_EQ(theme.name, "Unknown");
    EXPECT_EQ(theme.bgfilename, before.bgfilename);
    EXPECT_EQ(theme.bgframecount, before.bgframecount);
    EXPECT_EQ(theme.blkfilename, before.blkfilename);
    EXPECT_EQ(theme.bombframecount, before.bombframecount);
    EXPECT_EQ(theme.door1, before.door1);
    EXPECT_EQ(theme.ifacemain, before.ifacemain);
    EXPECT_EQ(theme.resourcefile, before.resourcefile);
    EXPECT_EQ(themes.ThemeSounds, soundsBefore);
    EXPECT_EQ(themes.ThemeMusic, temp() + "music.ogg");
    ColorTable white;
    white.fill(kWhite);
    EXPECT_EQ(themes.ThemeColors, white);
    EXPECT_TRUE(window.allBoxes(false));
}

TEST_F(ThemeLoaderTest, IncompleteOrDamagedFrameSetKeepsAllItsOldValuesAndTheLoadGoesOn)
{
    const struct {
        const char* name;
        const char* key;
        std::optional<std::string> value;
        bool blocksSet; // the damaged key belongs to the blocks set, else to the background set
    } cases[] = {
        { "key missing", "bgdelaybetweenframes", std::nullopt, false },
        { "blank number", "bgframecount", "", false },
        { "text for a number", "bgframecount", "three", false },
        { "text for a flag", "bgreverseanimation", "yes", false },
        { "beyond a long", "bgdelaybetweenframes", "3000000000", false },
        { "beyond a 16-bit number", "blkdelaybetweenframes", "40000", true },
        { "blank flag", "blktransparency", " ", true },
    };
    for (const auto& c : cases) {
        loadCurrent(writeTheme("default.kvx", typeOneThemeKeys()));
        ThemeKeys changed = typeOneThemeKeys();
        changed.set("bgfilename", "other")
            .set("bgframecount", "5")
            .set("blkfilename", "other")
            .set("blkframecount", "5")
            .set("name", "Changed")
            .set(c.key, c.value);

        EXPECT_EQ(loadCurrent(writeTheme("changed.kvx", changed)), ThemeLoadResult::Loaded) << c.name;
        const ThemeRecord& theme = themes.CurrentTheme;
        EXPECT_EQ(theme.bgfilename, c.blocksSet ? "other" : "bg") << c.name;
        EXPECT_EQ(theme.bgframecount, c.blocksSet ? 5 : 3) << c.name;
        EXPECT_EQ(theme.blkfilename, c.blocksSet ? "blk" : "other") << c.name;
        EXPECT_EQ(theme.blkframecount, c.blocksSet ? 2 : 5) << c.name;
        EXPECT_EQ(theme.name, "Changed") << c.name;
        EXPECT_TRUE(dialogs.calls.empty()) << c.name;
    }
}

TEST_F(ThemeLoaderTest, FrameCountsAndFrameNumbersAreClampedToWhatASheetHolds)
{
    const ThemeKeys keys = typeOneThemeKeys()
                               .set("bgframecount", "500")
                               .set("bgstillframe", "500")
                               .set("bgstartingframe", "-4")
                               .set("specialwindowframecount", "9999")
                               .set("blkframecount", "409")
                               .set("Bombframecount", "512");
    ASSERT_EQ(loadCurrent(writeTheme("big.kvx", keys)), ThemeLoadResult::Loaded);
    const ThemeRecord& theme = themes.CurrentTheme;
    EXPECT_EQ(theme.bgframecount, 93);
    EXPECT_EQ(theme.bgstillframe, 93);
    EXPECT_EQ(theme.bgstartingframe, 0);
    EXPECT_EQ(theme.specialwindowframecount, 2047);
    EXPECT_EQ(theme.blkframecount, 409);
    EXPECT_EQ(theme.bombframecount, 511);
}

TEST_F(ThemeLoaderTest, MissingThemeTypeOrArchiveStopsTheLoadWithItsMessage)
{
    loadCurrent(writeTheme("base.kvx", typeZeroThemeKeys()));
    const struct {
        const char* name;
        std::optional<std::string> themetype;
        std::optional<std::string> resourcefile;
        bool writeFile;
        ThemeLoadResult expected;
        const char* message; // "@" stands for the theme file's path
    } cases[] = {
        { "no theme type", std::nullopt, "default.zip", true, ThemeLoadResult::NoThemeType,
            "Could not load @.\rLocation: Themetype" },
        { "theme type not a number", "one", "default.zip", true, ThemeLoadResult::NoThemeType,
            "Could not load @.\rLocation: Themetype" },
        { "type 1 without archive", "1", std::nullopt, true, ThemeLoadResult::NoResourceFile,
            "Theme Type 1 REQUIRES a Resource File!" },
        { "no theme file", "1", "default.zip", false, ThemeLoadResult::NoThemeType,
            "Could not load @.\rLocation: Themetype" },
    };
    for (const auto& c : cases) {
        ScriptedDialogs caseDialogs;
        ThemeLoading caseLoading{ themes, caseDialogs, window, loading.folders };
        const ThemeKeys keys = typeZeroThemeKeys()
                                   .set("themetype", c.themetype)
                                   .set("resourcefile", c.resourcefile)
                                   .set("ifacemain", "other.bmp")
                                   .set("colortitle", "9,9,9")
                                   .set("startgame", "other.wav")
                                   .set("name", "Stopped");
        const Bytes file = c.writeFile ? writeTheme("stop.kvx", keys) : pathText(folder / "nowhere.kvx");

        EXPECT_EQ(LoadTheme(caseLoading, file, themes.CurrentTheme, themes.ThemeSounds, ""), c.expected)
            << c.name;
        ASSERT_EQ(caseDialogs.calls.size(), 1u) << c.name;
        std::string message = c.message;
        if (const size_t at = message.find('@'); at != std::string::npos)
            message.replace(at, 1, file);
        EXPECT_EQ(caseDialogs.calls[0].text, message) << c.name;
        EXPECT_EQ(caseDialogs.calls[0].title, "Error");
        EXPECT_EQ(caseDialogs.calls[0].icon, MessageIcon::Critical);

        const ThemeRecord& theme = themes.CurrentTheme;
        EXPECT_EQ(theme.themetype, 0) << c.name;
        EXPECT_EQ(theme.name, c.writeFile ? "Stopped" : "Unknown") << c.name;
        if (c.writeFile) {
            EXPECT_EQ(theme.ifacemain, "other.bmp") << c.name << ": interface keys come first";
        }
        EXPECT_EQ(themes.ThemeColors[0], 1) << c.name;
        EXPECT_EQ(themes.ThemeSounds[4], temp() + "start.wav") << c.name;
    }
}

TEST_F(ThemeLoaderTest, PreviewLoadChangesTheCurrentInterfaceColoursAndMusicButNotItsSetsOrSounds)
{
    loadCurrent(writeTheme("default.kvx", typeOneThemeKeys()));
    ZipBuilder(folder / "preview.zip").file("pv.bmp", "preview frame").close();
    const ThemeKeys previewKeys = typeZeroThemeKeys()
                                      .set("resourcefile", "preview.zip")
                                      .set("ifacemain", "pmain.bmp")
                                      .set("colortitle", "200,0,0")
                                      .set("midi", "pmusic.ogg")
                                      .set("startgame", "pstart.wav");

    ASSERT_EQ(LoadTheme(loading, writeTheme("preview.kvx", previewKeys), themes.PreviewTheme,
                  themes.PreviewSounds, "preview\\"),
        ThemeLoadResult::Loaded);
    const Bytes previewFolder = temp() + "preview\\";
    EXPECT_TRUE(fs::exists(folder / "temp/preview/pv.bmp"));
    EXPECT_EQ(themes.PreviewTheme.themefolder, previewFolder);
    EXPECT_EQ(themes.PreviewTheme.themetype, 0);
    EXPECT_EQ(themes.PreviewTheme.skinfile, previewFolder + "skin.bmp");
    EXPECT_EQ(themes.PreviewSounds[4], previewFolder + "pstart.wav");

    const ThemeRecord& current = themes.CurrentTheme;
    EXPECT_EQ(current.ifacemain, "pmain.bmp");
    EXPECT_EQ(current.ifacehighscore, previewFolder + "scores.bmp");
    EXPECT_EQ(themes.ThemeColors[0], 200);
    EXPECT_EQ(themes.ThemeMusic, previewFolder + "pmusic.ogg");
    EXPECT_TRUE(window.allBoxes(false));
    EXPECT_EQ(current.themetype, 1);
    EXPECT_EQ(current.bgfilename, "bg");
    EXPECT_EQ(themes.ThemeSounds[4], temp() + "start.wav");
}

TEST_F(ThemeLoaderTest, TransparencyFlagsFallBackToFalseOnlyUnderAPresentParentKey)
{
    loadCurrent(writeTheme("base.kvx", typeZeroThemeKeys()));
    ThemeRecord& theme = themes.CurrentTheme;

    loadCurrent(writeTheme("noskin.kvx", { { "themetype", "0" } }));
    EXPECT_TRUE(theme.blktransparency);
    EXPECT_TRUE(theme.specialwindowpic);
    EXPECT_TRUE(theme.nextblockpic);
    EXPECT_TRUE(theme.wintransparent);

    loadCurrent(
        writeTheme("skin.kvx", { { "themetype", "0" }, { "skinfile", "s.bmp" }, { "winimg", "w.bmp" } }));
    EXPECT_FALSE(theme.blktransparency);
    EXPECT_FALSE(theme.specialwindowpic);
    EXPECT_FALSE(theme.nextblockpic);
    EXPECT_FALSE(theme.wintransparent);
    EXPECT_TRUE(theme.inetwintransparent);
}

TEST_F(ThemeLoaderTest, ResourceFileIsFoundBesideTheThemeOrWhereAnExistingAbsolutePathSays)
{
    fs::create_directories(folder / "elsewhere");
    fs::create_directories(folder / "themes");
    ZipBuilder(folder / "elsewhere/Res.zip").file("abs.bmp", "x").close();
    ZipBuilder(folder / "themes/default.zip").file("beside.bmp", "x").close();
    const Bytes absolute = pathText(folder / "elsewhere/Res.zip");
    const struct {
        const char* name;
        std::string value;
        Bytes expectedPath;
        const char* unpacked; // nullptr: nothing to unpack
    } cases[] = {
        { "beside the theme", "default.zip", pathText(folder / "themes") + "/default.zip", "beside.bmp" },
        { "absolute path", absolute, absolute, "abs.bmp" },
        { "other case", "../ELSEWHERE/res.ZIP", pathText(folder / "themes") + "/../ELSEWHERE/res.ZIP",
            "abs.bmp" },
        { "missing archive", "none.zip", pathText(folder / "themes") + "/none.zip", nullptr },
        // Moved with its theme, or made on Windows: the archive is the one beside the theme.
        { "moved absolute path", pathText(folder / "gone/default.zip"),
            pathText(folder / "themes") + "/default.zip", "beside.bmp" },
        { "drive-letter path", "C:\\Themes\\Mine\\default.zip", pathText(folder / "themes") + "/default.zip",
            "beside.bmp" },
    };
    for (const auto& c : cases) {
        fs::remove_all(folder / "temp");
        const Bytes file = writeTheme("themes/t.kvx", typeOneThemeKeys().set("resourcefile", c.value));
        EXPECT_EQ(loadCurrent(file), ThemeLoadResult::Loaded) << c.name;
        EXPECT_EQ(themes.CurrentTheme.resourcefile, c.expectedPath) << c.name;
        if (c.unpacked) {
            EXPECT_TRUE(fs::exists(folder / "temp" / c.unpacked)) << c.name;
        }
        EXPECT_TRUE(dialogs.calls.empty()) << c.name;
    }
}

} // namespace
} // namespace kalvon
