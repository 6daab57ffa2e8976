// Loading a theme file into the editor: load then save gives the same bytes, the per-key
// defaults and include boxes, the two stop messages, and the value conversions.

#include "common/colortext.h"
#include "common/themefile/themefilewriter.h"
#include "common/themefile/thememessages.h"
#include "editor/model/editorstate.h"
#include "editor/model/newtheme.h"
#include "editor/model/themeloader.h"
#include "editor/model/themewriter.h"
#include "editortesting.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::editor;
using namespace kalvon::editor::testing;
using kalvon::testing::readFile;
using kalvon::testing::ScratchFolder;
using kalvon::testing::ScriptedDialogs;

namespace {

const std::string kHead = std::string(themefile::kThemeFileHeader) + "\r\n\r\n \r\n[Theme Info]\r\n";

class ThemeLoaderTest : public ::testing::Test {
protected:
    ThemeLoaderTest() { StartEditor(state); }

    // Loads a theme file holding `bytes`.
    bool load(const std::string& bytes, const std::string& name = "theme.kvx")
    {
        path = folder.write(name, bytes).string();
        return LoadThemeFile(state, path, dialogs, temp.path());
    }

    ScratchFolder folder;
    ScratchFolder temp; // stands in for the private temporary folder
    ScriptedDialogs dialogs;
    EditorState state;
    std::string path;
};

} // namespace

TEST_F(ThemeLoaderTest, LoadThenSaveReproducesTheFilesTheEditorWrites)
{
    for (const char* name : { "new-theme.kvx", "type1-all-parts.kvx", "type0-skin.kvx" }) {
        EditorState fresh;
        StartEditor(fresh);
        const std::string original = fixtureBytes(name);
        const std::string file = folder.write(name, original).string();
        ASSERT_TRUE(LoadThemeFile(fresh, file, dialogs, temp.path())) << name;
        const std::string saved = (folder / (std::string("saved-") + name)).string();
        ASSERT_TRUE(WriteThemeFile(fresh, saved, dialogs)) << name;
        EXPECT_EQ(readFile(saved), original) << name;
    }
}

TEST_F(ThemeLoaderTest, KeepsSkinKeysThatNoControlShows)
{
    const std::string file = kHead
        + "name=S\r\ndeveloper=D\r\nversion=1\r\nthemetype=0\r\n \r\n//Theme Type 0 Info\r\n"
          "skinfile=C:\\skins\\old.bmp\r\nskintransparency=1\r\nspecialwindowpic=1\r\nnextblockpic=0\r\n";
    ASSERT_TRUE(load(file));
    EXPECT_EQ(state.text("txtSkinFile"), "C:\\skins\\old.bmp");
    EXPECT_EQ(state.value("chkSkinTransparent"), 1);
    EXPECT_EQ(ThemeFileBytes(state), file);

    // A skin-less type-0 file empties the skin controls and forgets the kept keys.
    ASSERT_TRUE(load(kHead + "themetype=0\r\n"));
    EXPECT_EQ(state.text("txtSkinFile"), "");
    EXPECT_EQ(state.value("chkSkinTransparent"), 0);
    EXPECT_FALSE(state.skinPictureKeys().specialwindowpic);
}

TEST_F(ThemeLoaderTest, ALoadCountsAsChangedAndNamesTheCurrentFile)
{
    ASSERT_TRUE(load(fixtureBytes("type0-skin.kvx")));
    EXPECT_TRUE(state.Changed());
    EXPECT_EQ(state.files().CurrentFile, path);
    EXPECT_EQ(state.listIndex("cmbType"), 0);
    EXPECT_TRUE(state.enabled("fraTheme0"));
    EXPECT_TRUE(state.enabled("fraIface"));
}

TEST_F(ThemeLoaderTest, TypeZeroFileReplacesTheSharedGroupsAndKeepsTheImageSets)
{
    fillAllPartsTheme(state);
    state.setSwatchColor(0, 0x0000FF);
    ASSERT_TRUE(load(kHead + "themetype=0\r\n"));

    EXPECT_EQ(state.text("txtThemeName"), "Unknown");
    EXPECT_EQ(state.text("txtAuthor"), "Unknown");
    EXPECT_EQ(state.text("txtVersion"), "Unknown");
    EXPECT_EQ(state.text("txtDescription"), "");
    EXPECT_EQ(state.listIndex("cmbType"), 0);
    for (const char* box : { "chkIface", "chkExplosion", "chkBomb", "chkMImg", "chkColor", "chkMusic",
             "chkSounds", "chkIMenuTransparent", "chkExplosionTrans", "chkWinTrans" })
        EXPECT_EQ(state.value(box), 0) << box;
    for (const char* box : { "txtIMain", "txtIMenu", "txtExplosionRoot", "txtExplosionNum", "txtBombRoot",
             "txtMiscImage(3)", "txtMusic", "txtStart", "txtShieldSound" })
        EXPECT_EQ(state.text(box), "") << box;
    // The explosion and bomb defaults: the composed first frame and the delay.
    EXPECT_EQ(state.text("txtExplosionImage"), "1.");
    EXPECT_EQ(state.text("txtBombDelay"), "10");
    for (int i = 0; i < kColorCount; ++i) {
        EXPECT_EQ(state.text(elementName("txtColor", i)), "255,255,255");
        EXPECT_EQ(state.swatchColor(i), static_cast<uint32_t>(kWhite));
    }
    // The type-1 image sets are not read: they keep the previous theme's contents.
    EXPECT_EQ(state.value("chkBG"), 1);
    EXPECT_EQ(state.text("txtBGRoot"), "bg");
    EXPECT_EQ(state.value("chkBlkTrans"), 1);
}

TEST_F(ThemeLoaderTest, FrameSetsTakeTheirDefaultsAndComposeTheFirstFrame)
{
    const std::string typeOne = kHead + "resourcefile=x.zip\r\nthemetype=1\r\n";
    fillAllPartsTheme(state);
    ASSERT_TRUE(load(typeOne + "bgfilename=bg\r\nbgextension=bmp\r\n"));
    EXPECT_EQ(state.value("chkBG"), 1);
    EXPECT_EQ(state.text("txtBStart"), "bg1.bmp");
    EXPECT_EQ(state.value("chkBGAni"), 0);
    EXPECT_EQ(state.text("txtBGNum"), "");
    EXPECT_EQ(state.text("txtBGStill"), "1");

    ASSERT_TRUE(load(typeOne));
    EXPECT_EQ(state.value("chkBG"), 0);
    EXPECT_FALSE(state.enabled("fraBackground"));
    EXPECT_EQ(state.text("txtBGStart"), "1");
    EXPECT_EQ(state.text("txtBGStill"), "1");
    EXPECT_EQ(state.text("txtBGDelay"), "10");
    EXPECT_EQ(state.text("txtBStart"), "1.");
    EXPECT_EQ(state.text("txtBlkStartImage"), "1");
    // The internet background alone defaults to empty boxes.
    EXPECT_EQ(state.text("txtIBGStart"), "");
    EXPECT_EQ(state.text("txtIBGStill"), "");
    EXPECT_EQ(state.text("txtIBGDelay"), "");
}

TEST_F(ThemeLoaderTest, ColoursGoToTheirBoxByKeyAndColourTheSwatches)
{
    ASSERT_TRUE(load(kHead
        + "themetype=0\r\ncolorhighscorenormal=2,2,2\r\ncolorhighscoretitle=1,1,1\r\n"
          "colortitle=300,0,0\r\n"));
    EXPECT_EQ(state.value("chkColor"), 1);
    EXPECT_EQ(state.text("txtColor(7)"), "1,1,1");
    EXPECT_EQ(state.text("txtColor(8)"), "2,2,2");
    EXPECT_EQ(state.swatchColor(7), 0x010101u);
    EXPECT_EQ(state.swatchColor(0), 0x0000FFu);
    EXPECT_EQ(state.text("txtColor(1)"), "255,255,255");
}

TEST_F(ThemeLoaderTest, MusicIsPlayedFromTheUnpackedFolder)
{
    state.files().MusicPath = "/earlier/";
    ASSERT_TRUE(load(kHead + "resourcefile=dark.zip\r\nthemetype=0\r\n"));
    EXPECT_EQ(state.files().MusicPath, "/earlier/");
    ASSERT_TRUE(load(kHead + "resourcefile=dark.zip\r\nthemetype=0\r\nmidi=m.ogg\r\n"));
    EXPECT_EQ(state.files().MusicPath, state.files().ResourceDir);
    EXPECT_EQ(state.files().ResourceRelDir, "kalvon/dark/");
    EXPECT_EQ(state.value("chkMusic"), 1);
}

TEST_F(ThemeLoaderTest, StopsWithAMessageAndForgetsTheFile)
{
    const std::string missingType = "Could not load %.\rLocation: Themetype";
    struct Case {
        const char* what;
        std::string bytes;
        std::string message; // "%" stands for the path
    };
    const std::vector<Case> cases = {
        { "no theme type", kHead + "name=Half\r\nresourcefile=half.zip\r\n", missingType },
        { "a type the list cannot take", kHead + "name=Half\r\nresourcefile=half.zip\r\nthemetype=7\r\n",
            missingType },
        { "a type that is no number", kHead + "name=Half\r\nresourcefile=half.zip\r\nthemetype=one\r\n",
            missingType },
        { "type 1 without resource file", kHead + "name=Half\r\nthemetype=1\r\n",
            std::string(themefile::kResourceFileRequiredMessage) },
        { "not a theme file", std::string("\x00\xff\xfe garbage\n[x", 13), missingType },
    };
    for (const Case& c : cases) {
        state.files().CurrentFile = "/themes/previous.kvx";
        dialogs.calls.clear();
        EXPECT_FALSE(load(c.bytes)) << c.what;
        std::string expected = c.message;
        if (const size_t at = expected.find('%'); at != std::string::npos)
            expected.replace(at, 1, path);
        ASSERT_FALSE(dialogs.messages().empty()) << c.what;
        EXPECT_EQ(dialogs.messages().back(), expected) << c.what;
        EXPECT_EQ(dialogs.calls.back().title, "Error");
        EXPECT_EQ(dialogs.calls.back().icon, MessageIcon::Critical);
        EXPECT_EQ(state.files().CurrentFile, "") << c.what;
    }
    // What was read before the stop stays: the name, and the archive named before the type.
    EXPECT_FALSE(load(kHead + "name=Half\r\nresourcefile=half.zip\r\n"));
    EXPECT_EQ(state.text("txtThemeName"), "Half");
    EXPECT_EQ(state.text("txtResource"), "half.zip");
    EXPECT_EQ(state.files().ResourceRelDir, "kalvon/half/");
}

TEST_F(ThemeLoaderTest, MissingFileStopsLikeAFileWithoutType)
{
    path = (folder / "nowhere.kvx").string();
    EXPECT_FALSE(LoadThemeFile(state, path, dialogs, temp.path()));
    EXPECT_EQ(dialogs.messages(), std::vector<Bytes>{ "Could not load " + path + ".\rLocation: Themetype" });
}

TEST_F(ThemeLoaderTest, AnEmptyResourceFileCountsAsNamed)
{
    EXPECT_TRUE(load(kHead + "resourcefile=\r\nthemetype=1\r\n"));
    EXPECT_EQ(state.listIndex("cmbType"), 1);
    EXPECT_EQ(state.text("txtResource"), "");
}

TEST_F(ThemeLoaderTest, OnlyTheTwoTypesTheListTakesLoad)
{
    const std::vector<std::pair<std::string, std::optional<int>>> types
        = { { "0", 0 }, { "1", 1 }, { "1.2", 1 }, { "-1", std::nullopt }, { "2", std::nullopt },
              { "", std::nullopt }, { "x", std::nullopt }, { "99999", std::nullopt } };
    for (const auto& [text, type] : types) {
        state.setListIndex("cmbType", -1);
        EXPECT_EQ(load(kHead + "resourcefile=x.zip\r\nthemetype=" + text + "\r\n"), type.has_value()) << text;
        EXPECT_EQ(state.listIndex("cmbType"), type.value_or(-1)) << text;
    }
}

TEST_F(ThemeLoaderTest, AGroupTickedWithEveryBoxEmptyComesBackTicked)
{
    // Groups whose keys are written only when filled: saved as their title alone.
    for (const char* box : { "chkIface", "chkMImg", "chkMusic", "chkSounds" }) {
        EditorState fresh;
        StartEditor(fresh);
        fresh.setValue(box, 1);
        const std::string saved = (folder / "ticked.kvx").string();
        ASSERT_TRUE(WriteThemeFile(fresh, saved, dialogs)) << box;

        ASSERT_TRUE(LoadThemeFile(state, saved, dialogs, temp.path())) << box;
        EXPECT_EQ(state.value(box), 1) << box;
        const std::string again = (folder / "again.kvx").string();
        ASSERT_TRUE(WriteThemeFile(state, again, dialogs)) << box;
        EXPECT_EQ(readFile(again), readFile(saved)) << box;
    }
    // Without its title the group stays unticked.
    ASSERT_TRUE(load(kHead + "name=x\r\nresourcefile=r.zip\r\nthemetype=1\r\n"));
    EXPECT_EQ(state.value("chkMusic"), 0);
}
