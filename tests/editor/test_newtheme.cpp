// The new-theme defaults and the start-up of the model. The default values that a saved file
// shows are checked byte for byte in the writer's tests (a new theme with every part included).

#include "editor/model/editorstate.h"
#include "editor/model/newtheme.h"
#include "editortesting.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::editor;
using kalvon::editor::testing::fill;
using kalvon::editor::testing::fillAllPartsTheme;

TEST(NewTheme, StartUpLeavesAnUnchangedTypeOneThemeOnTheFirstPage)
{
    EditorState state;
    StartEditor(state);
    EXPECT_FALSE(state.Changed());
    EXPECT_EQ(state.listIndex("cmbType"), 1);
    EXPECT_EQ(state.listIndex("cmbFields"), 0);
    EXPECT_EQ(state.listIndex("cmbBlocks"), 0);
    EXPECT_EQ(state.listIndex("cmbMisc"), 0);
    EXPECT_EQ(state.shownPage(), 1);
    EXPECT_TRUE(state.menuChecked("mnuGeneral"));
    EXPECT_TRUE(state.visible("fraBackground"));
    EXPECT_FALSE(state.visible("fraIBG"));
    EXPECT_TRUE(state.enabled("txtResource"));
    EXPECT_FALSE(state.enabled("fraTheme0"));
}

TEST(NewTheme, ResetsTheThemeButKeepsSkinDescriptionSwatchesAndMusicPath)
{
    EditorState state;
    StartEditor(state);
    fillAllPartsTheme(state);
    fill(state, { { "cmbType", "0" }, { "txtSkinFile", "skin.bmp" }, { "chkSkinTransparent", "1" } });
    state.setSwatchColor(0, 0x0000FF);
    EditorFiles& files = state.files();
    files = { "/themes/neon.kvx", "/tmp/k/kalvon/neon/", "kalvon/neon/", "/tmp/k/kalvon/neon/" };
    state.setTimerEnabled("tmrPreviewBomb", true);

    ApplyNewTheme(state);

    EXPECT_FALSE(state.Changed());
    EXPECT_EQ(files.CurrentFile, "");
    EXPECT_EQ(files.ResourceDir, "");
    EXPECT_EQ(files.ResourceRelDir, "");
    EXPECT_EQ(files.MusicPath, "/tmp/k/kalvon/neon/");
    EXPECT_EQ(state.text("txtSkinFile"), "skin.bmp");
    EXPECT_EQ(state.value("chkSkinTransparent"), 1);
    EXPECT_EQ(state.text("txtDescription"), "//Our own test theme\n//Second line");
    EXPECT_EQ(state.swatchColor(0), 0x0000FFu);
    EXPECT_EQ(state.text("txtColor(0)"), "");

    EXPECT_EQ(state.listIndex("cmbType"), 1);
    EXPECT_TRUE(state.enabled("txtResource"));
    EXPECT_FALSE(state.enabled("fraTheme0"));
    EXPECT_FALSE(state.timerEnabled("tmrPreviewBomb"));
    for (std::string_view frame : { "fraIface", "fraBackground", "fraBGAni", "fraBlkAni", "fraIBG",
             "fraColor", "fraMImg", "fraMusic", "fraSound", "fraExplosion", "fraBomb" })
        EXPECT_FALSE(state.enabled(frame)) << frame;
}

TEST(NewTheme, TheDefaultsCountAsChangedUntilTheCallerClearsTheFlag)
{
    EditorState state;
    StartEditor(state);
    state.setText("txtAuthor", "Someone");
    state.setChanged(false);
    NewThemeDefaults(state);
    EXPECT_TRUE(state.Changed());
}

TEST(NewTheme, NewAppliesTheTypeControlsEvenWhenTypeOneWasSelected)
{
    EditorState state;
    StartEditor(state);
    // A window whose type controls went out of step with the list (as after a failed load).
    state.setEnabled("txtResource", false);
    state.setEnabled("fraTheme0", true);
    ApplyNewTheme(state);
    EXPECT_TRUE(state.enabled("txtResource"));
    EXPECT_FALSE(state.enabled("fraTheme0"));
    EXPECT_FALSE(state.Changed());
}
