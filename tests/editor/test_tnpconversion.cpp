// A theme converted from a TNP theme by the game opens in the editor: its type, its skin (a
// picture of the converted size with the imported pixels), its music and sounds.

#include "editor/model/editorstate.h"
#include "editor/model/newtheme.h"
#include "editor/model/themecontrols.h"
#include "editor/model/themeloader.h"
#include "platform/picturefile.h"
#include "render/themeimages.h"
#include "render/themepaths.h"
#include "render/themerecord.h"
#include "render/tnpfixture.h"
#include "render/tnpimport.h"
#include "support/scratchfolder.h"
#include "support/scripteddialogs.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::editor;
using kalvon::testing::ScratchFolder;
using kalvon::testing::ScriptedDialogs;
using kalvon::testing::TnpTheme;

TEST(TnpConversionTest, ConvertedThemeOpensInTheEditorWithItsSkinMusicAndSounds)
{
    ScratchFolder folder;
    TnpTheme().write(folder, "themes/cool.tnp");
    Themes themes;
    themes.CurrentTheme.themetype = 1;
    themes.ThemeSounds[size_t(ThemeSound::Explode)] = "boom.wav";
    ThemeImages images;
    ScriptedDialogs dialogs;
    dialogs.messageAnswers = { MessageAnswer::Yes };
    const Bytes skinName = pathText(folder / "cool.bmp");
    const Bytes themeName = pathText(folder / "cool.kvx");
    dialogs.fileAnswers = { skinName, themeName };
    TnpImport import{ themes, images, dialogs, kalvon::testing::solidIcons(), folder.path(), {}, {} };
    ASSERT_EQ(ImportTnpTheme(import, pathText(folder / "themes" / "cool.tnp")), TnpImportResult::Converted);

    EditorState state;
    StartEditor(state);
    ScriptedDialogs editorDialogs;
    ScratchFolder temp;
    ASSERT_TRUE(LoadThemeFile(state, themeName, editorDialogs, temp.path()));
    EXPECT_TRUE(editorDialogs.calls.empty());

    EXPECT_EQ(state.listIndex("cmbType"), 0);
    EXPECT_EQ(state.text(controlOf(ThemeKey::Name)), "Unknown");
    EXPECT_EQ(state.text(controlOf(ThemeKey::SkinFile)), skinName);
    EXPECT_EQ(state.value(controlOf(ThemeKey::SkinTransparency)), 0);
    EXPECT_EQ(state.value(includeBoxOf(ThemeGroup::Music)), 1);
    EXPECT_EQ(state.text(controlOf(ThemeKey::Midi)), themes.ThemeMusic);
    EXPECT_EQ(state.value(includeBoxOf(ThemeGroup::Sounds)), 1);
    const struct {
        ThemeKey key;
        ThemeSound slot;
    } sounds[] = {
        { ThemeKey::StartGame, ThemeSound::StartGame },
        { ThemeKey::Rotate, ThemeSound::Rotate },
        { ThemeKey::Drop, ThemeSound::Drop },
        { ThemeKey::LineClear, ThemeSound::LineClear },
        { ThemeKey::Quad, ThemeSound::Quad },
        { ThemeKey::Explode, ThemeSound::Explode },
        { ThemeKey::Win, ThemeSound::Win },
        { ThemeKey::Lose, ThemeSound::Lose },
        { ThemeKey::Chat, ThemeSound::Chat },
    };
    for (const auto& s : sounds)
        EXPECT_EQ(state.text(controlOf(s.key)), themes.ThemeSounds[size_t(s.slot)]) << int(s.key);

    // The skin the editor names is the converted picture of the imported skin.
    const std::optional<Surface> skin
        = loadPictureFile(themeFilePath(state.text(controlOf(ThemeKey::SkinFile)), folder.path()));
    ASSERT_TRUE(skin);
    ASSERT_EQ(skin->width(), 288);
    ASSERT_EQ(skin->height(), 352);
    for (const auto& [x, y] : { std::pair{ 0, 0 }, { 191, 351 }, { 200, 100 }, { 197, 181 }, { 287, 351 } })
        EXPECT_EQ(skin->pixel(x, y), images.skin->pixel(x, y)) << x << "," << y;
}
