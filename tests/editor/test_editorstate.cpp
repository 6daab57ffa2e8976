// The editor model's controls: one handler whoever sets a value, only on a real change; the
// include boxes and their frames; the type list; the part selectors and the pages.

#include "editor/model/editorstate.h"
#include "editor/model/newtheme.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

using namespace kalvon;
using namespace kalvon::editor;

namespace {

// A started editor with every preview running, so a test sees which ones a switch stops.
EditorState startedWithPreviewsRunning()
{
    EditorState state;
    StartEditor(state);
    for (std::string_view timer : previewTimers())
        state.setTimerEnabled(timer, true);
    return state;
}

std::set<std::string> runningTimers(const EditorState& state)
{
    std::set<std::string> running;
    for (std::string_view timer : previewTimers()) {
        if (state.timerEnabled(timer))
            running.insert(std::string(timer));
    }
    return running;
}

} // namespace

TEST(EditorChangeTracking, OnlyTheControlsWithoutAHandlerLeaveChangedAlone)
{
    // The sixteen text boxes and four check boxes that have no change handler.
    const std::set<std::string> untracked = { "txtBGRoot", "txtBGExt", "txtIBGRoot", "txtIBGExt",
        "txtBlkRoot", "txtBlkExt", "txtNextRoot", "txtNextExt", "txtSWRoot", "txtSWExt", "txtExplosionRoot",
        "txtExplosionExt", "txtBombRoot", "txtBombExt", "txtSkinFile", "txtShieldSound", "chkSkinTransparent",
        "chkExplosionTrans", "chkWinTrans", "chkWinInetTrans" };
    for (const ControlInfo& control : controlCatalogue()) {
        if (control.kind == ControlKind::List && control.name != "cmbType")
            continue; // the part selectors are checked below
        EditorState state;
        StartEditor(state);
        switch (control.kind) {
        case ControlKind::Text: state.setText(control.name, state.text(control.name) + "x"); break;
        case ControlKind::Check: state.setValue(control.name, 1 - state.value(control.name)); break;
        case ControlKind::List: state.setListIndex(control.name, 0); break;
        }
        EXPECT_EQ(state.Changed(), !untracked.count(control.name)) << control.name;
    }
}

TEST(EditorChangeTracking, SameValueRaisesNothingWhoeverSetsIt)
{
    EditorState state;
    StartEditor(state);
    std::vector<std::string> events;
    state.addListener([&](BytesView name) { events.emplace_back(name); });

    // The program setting the values the controls already hold (a second New) changes nothing.
    NewThemeDefaults(state);
    state.setText("txtThemeName", "Kalvon Theme");
    state.setValue("chkBG", 0);
    state.setListIndex("cmbType", 1);
    state.setListIndex("cmbMisc", 0);
    EXPECT_FALSE(state.Changed());
    EXPECT_TRUE(events.empty());

    // A real change raises the handler once, and the listener hears the control.
    state.setText("txtThemeName", "Dusk");
    EXPECT_TRUE(state.Changed());
    EXPECT_EQ(events, std::vector<std::string>{ "txtThemeName" });
}

TEST(EditorChangeTracking, PartSelectorsNeverMarkTheThemeChanged)
{
    EditorState state;
    StartEditor(state);
    state.setListIndex("cmbFields", 1);
    state.setListIndex("cmbBlocks", 2);
    state.setListIndex("cmbMisc", 3);
    EXPECT_FALSE(state.Changed());
}

TEST(EditorIncludeBoxes, EnableTheirFrameOnlyWhileSet)
{
    const std::vector<std::pair<std::string, std::string>> boxes = { { "chkIface", "fraIface" },
        { "chkBG", "fraBackground" }, { "chkBGAni", "fraBGAni" }, { "chkIBG", "fraIBG" },
        { "chkIBGAni", "fraIBGAni" }, { "chkBlk", "fraBlocks" }, { "chkNext", "fraNext" },
        { "chkNextAni", "fraNextAni" }, { "chkSW", "fraSW" }, { "chkSWAni", "fraSWAni" },
        { "chkExplosion", "fraExplosion" }, { "chkBomb", "fraBomb" }, { "chkColor", "fraColor" },
        { "chkMImg", "fraMImg" }, { "chkMusic", "fraMusic" }, { "chkSounds", "fraSound" } };
    for (const auto& [box, frame] : boxes) {
        EditorState state;
        StartEditor(state);
        EXPECT_FALSE(state.enabled(frame)) << frame << " after New";
        state.setValue(box, 1);
        EXPECT_TRUE(state.enabled(frame)) << box;
        state.setValue(box, 2); // a grey box disables, like a clear one
        EXPECT_FALSE(state.enabled(frame)) << box;
    }
}

TEST(EditorIncludeBoxes, BlockAnimationFrameStaysWhileAnyOfTheFourIsSet)
{
    EditorState state;
    StartEditor(state);
    state.setValue("chkBlkAni", 1);
    state.setValue("chkInetSpecAni", 1);
    EXPECT_TRUE(state.enabled("fraBlkAni"));
    state.setValue("chkBlkAni", 0);
    EXPECT_TRUE(state.enabled("fraBlkAni"));
    state.setValue("chkInetSpecAni", 0);
    EXPECT_FALSE(state.enabled("fraBlkAni"));
}

TEST(EditorTypeList, TypeZeroEnablesTheSkinFrameAndDisablesTheResourceFile)
{
    EditorState state;
    StartEditor(state);
    EXPECT_TRUE(state.enabled("txtResource"));
    EXPECT_FALSE(state.enabled("fraTheme0"));

    state.setListIndex("cmbType", 0);
    EXPECT_TRUE(state.Changed());
    EXPECT_FALSE(state.enabled("txtResource"));
    EXPECT_FALSE(state.enabled("cmdBrowseResource"));
    EXPECT_TRUE(state.enabled("fraTheme0"));

    // No selection counts as "any other index": the type-1 controls.
    state.setListIndex("cmbType", -1);
    EXPECT_TRUE(state.enabled("cmdBrowseResource"));
    EXPECT_FALSE(state.enabled("fraTheme0"));
}

TEST(EditorPartSelectors, ShowOnePartAndStopThePreviewsOfTheOthers)
{
    struct Case {
        std::string list;
        int index;
        std::vector<std::string> shown; // frame and include box
        std::vector<std::string> hidden;
        std::set<std::string> stopped;
    };
    const std::vector<Case> cases = {
        { "cmbFields", 1, { "fraIBG", "chkIBG" }, { "fraBackground", "chkBG" }, { "tmrBGPreview" } },
        { "cmbFields", 0, { "fraBackground", "chkBG" }, { "fraIBG", "chkIBG" }, { "tmrPreviewIBG" } },
        { "cmbBlocks", 1, { "fraNext", "chkNext" }, { "fraBlocks", "chkBlk", "fraSW", "chkSW" },
            { "tmrPreviewBlk", "tmrPreviewSW" } },
        { "cmbBlocks", 2, { "fraSW", "chkSW" }, { "fraBlocks", "chkBlk", "fraNext", "chkNext" },
            { "tmrPreviewBlk", "tmrPreviewNext" } },
        { "cmbMisc", 1, { "fraBomb", "chkBomb" }, { "fraExplosion", "chkExplosion", "fraColor", "chkColor" },
            { "tmrPreviewExplosion" } },
        { "cmbMisc", 2, { "fraColor", "chkColor" }, { "fraExplosion", "chkBomb", "fraMImg", "chkMImg" },
            { "tmrPreviewExplosion", "tmrPreviewBomb" } },
        { "cmbMisc", 3, { "fraMImg", "chkMImg" }, { "fraExplosion", "fraBomb", "fraColor", "chkColor" },
            { "tmrPreviewExplosion", "tmrPreviewBomb" } },
    };
    for (const Case& c : cases) {
        EditorState state = startedWithPreviewsRunning();
        if (state.listIndex(c.list) == c.index)
            state.setListIndex(c.list, c.index == 0 ? 1 : 0);
        for (std::string_view timer : previewTimers())
            state.setTimerEnabled(timer, true);

        state.setListIndex(c.list, c.index);
        const std::string label = c.list + " " + std::to_string(c.index);
        for (const std::string& element : c.shown)
            EXPECT_TRUE(state.visible(element)) << label << " " << element;
        for (const std::string& element : c.hidden)
            EXPECT_FALSE(state.visible(element)) << label << " " << element;
        std::set<std::string> expectedRunning;
        for (std::string_view timer : previewTimers()) {
            if (!c.stopped.count(std::string(timer)))
                expectedRunning.insert(std::string(timer));
        }
        EXPECT_EQ(runningTimers(state), expectedRunning) << label;
    }
}

TEST(EditorPartSelectors, NoSelectionChangesNothingExceptForTheBackgroundList)
{
    EditorState state = startedWithPreviewsRunning();
    state.setListIndex("cmbBlocks", -1);
    state.setListIndex("cmbMisc", -1);
    EXPECT_TRUE(state.visible("fraBlocks"));
    EXPECT_TRUE(state.visible("fraExplosion"));
    EXPECT_EQ(runningTimers(state).size(), previewTimers().size());

    // The background list shows the internet background for any index but 0.
    state.setListIndex("cmbFields", -1);
    EXPECT_TRUE(state.visible("fraIBG"));
    EXPECT_FALSE(state.timerEnabled("tmrBGPreview"));
}

TEST(EditorPages, TabAndMenuShowThePageWithItsHeightsAndPreviews)
{
    struct Case {
        int tab;
        std::string page;
        std::string menu;
        int windowHeight;
        int tabHeight;
        std::set<std::string> running;
    };
    const std::vector<Case> cases = {
        { 1, "picGeneral", "mnuGeneral", 6475, 5730, {} },
        { 2, "picIface", "mnuIface", 6475, 5730, {} },
        { 3, "picFields", "mnuBG", 7315, 6575, { "tmrBGPreview", "tmrPreviewIBG" } },
        { 4, "picBlocks", "mnuBLK", 6475, 5730, { "tmrPreviewBlk", "tmrPreviewNext", "tmrPreviewSW" } },
        { 5, "picMisc", "mnuMisc", 6475, 5730, { "tmrPreviewExplosion", "tmrPreviewBomb" } },
        { 6, "picSound", "mnuSounds", 6475, 5730, {} },
    };
    for (bool fromMenu : { false, true }) {
        for (const Case& c : cases) {
            EditorState state = startedWithPreviewsRunning();
            if (fromMenu)
                state.chooseMenuPage(c.tab);
            else
                state.selectTab(c.tab);
            const std::string label = std::string(fromMenu ? "menu " : "tab ") + std::to_string(c.tab);
            EXPECT_EQ(state.selectedTab(), c.tab) << label;
            for (const PageInfo& page : pageTable()) {
                EXPECT_EQ(state.visible(page.page), page.page == c.page) << label << " " << page.page;
                EXPECT_EQ(state.menuChecked(page.menuEntry), page.menuEntry == c.menu) << label;
            }
            EXPECT_EQ(state.windowHeightTwips(), c.windowHeight) << label;
            EXPECT_EQ(state.tabStripHeightTwips(), c.tabHeight) << label;
            EXPECT_EQ(runningTimers(state), c.running) << label;
        }
    }
}

TEST(EditorPages, NoTabSelectedLeavesThePageAsItWas)
{
    EditorState state = startedWithPreviewsRunning();
    state.selectTab(3);
    state.setTimerEnabled("tmrBGPreview", true);
    state.selectTab(0);
    EXPECT_EQ(state.shownPage(), 3);
    EXPECT_TRUE(state.visible("picFields"));
    EXPECT_TRUE(state.timerEnabled("tmrBGPreview"));
}

TEST(EditorControls, UnknownNamesAndWrongKindsAreRefused)
{
    EditorState state;
    EXPECT_THROW(state.setText("txtNoSuchBox", "x"), std::invalid_argument);
    EXPECT_THROW(state.setText("chkBG", "1"), std::invalid_argument);
    EXPECT_THROW(state.setValue("chkBG", 3), std::invalid_argument);
    EXPECT_THROW(state.setListIndex("cmbType", 2), std::invalid_argument);
    EXPECT_THROW(state.text(elementName("txtColor", 12)), std::invalid_argument);
}
