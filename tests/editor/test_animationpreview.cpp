// Animation previews without pixels: the checks and frame files of a build, and the frames the
// ticks of a part's timer show on the fake clock: forward, backward, from the starting frame,
// at the delay, across the wrap of the tick count, and never outside the strip.

#include "editor/model/animationpreview.h"
#include "editor/model/editorstate.h"
#include "editor/model/newtheme.h"
#include "support/fakeclock.h"
#include "support/scripteddialogs.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace kalvon;
using namespace kalvon::editor;
using kalvon::testing::FakeClock;
using kalvon::testing::ScriptedDialogs;

namespace {

const PreviewPart& part(std::string_view button)
{
    return *findPreviewPart(button);
}

struct PreviewRig {
    EditorState state;
    ScriptedDialogs dialogs;
    FakeClock clock{ 5000 };

    PreviewRig() { StartEditor(state); }

    // The 1-based frames shown by `ticks` ticks, the clock moving `step` ms before each tick.
    std::vector<int> play(
        const PreviewPart& p, PreviewPlayback& playback, int ticks, int step, int framesInStrip)
    {
        std::vector<int> shown;
        for (int i = 0; i < ticks; ++i) {
            clock.advance(step);
            const std::optional<int> frame = PreviewTick(state, p, playback, clock, framesInStrip);
            shown.push_back(frame ? *frame + 1 : 0);
        }
        return shown;
    }
};

} // namespace

TEST(AnimationPreviewBuild, ChecksTheBoxesWithTheirMessages)
{
    struct Case {
        const char* button;
        std::vector<std::pair<std::string, std::string>> boxes;
        std::string message; // "" when the build goes on
    };
    const Case cases[] = {
        { "cmdPreviewBomb", { { "txtBombNum", "" } }, "Number of frames needs to be 1 or greater!" },
        { "cmdPreviewBomb", { { "txtBombNum", "0" } }, "Number of frames needs to be 1 or greater!" },
        { "cmdPreviewBomb", { { "txtBombNum", "-3" } }, "Number of frames needs to be 1 or greater!" },
        { "cmdPreviewBomb", { { "txtBombNum", "abc" } }, "Number of frames needs to be 1 or greater!" },
        // The bomb and the explosion have no starting frame to check.
        { "cmdPreviewExplosion", { { "txtExplosionNum", "2" }, { "txtExplosionImage", "x1.bmp" } }, "" },
        { "cmdPreviewExplosion", { { "txtExplosionNum", "2" }, { "txtExplosionDelay", "-1" } },
            "Delay between frames needs to be 0 or greater!" },
        { "cmdPreviewExplosion",
            { { "txtExplosionNum", "2" }, { "txtExplosionDelay", "0" }, { "txtExplosionImage", "a1.png" } },
            "" },
        { "cmdPreviewBG", { { "chkBGAni", "1" }, { "txtBGNum", "3" }, { "txtBGStart", "0" } },
            "Starting frame needs to be 1 or greater!" },
        // A new theme's internet background has an empty starting frame.
        { "cmdPreviewIBG", { { "chkIBGAni", "1" }, { "txtIBGNum", "3" } },
            "Starting frame needs to be 1 or greater!" },
        { "cmdPreviewIBG", { { "chkIBGAni", "1" }, { "txtIBGNum", "3" }, { "txtIBGStart", "1" } },
            "Delay between frames needs to be 0 or greater!" },
    };
    for (const Case& c : cases) {
        PreviewRig rig;
        for (const auto& [box, value] : c.boxes) {
            if (box.rfind("chk", 0) == 0)
                rig.state.setValue(box, std::stoi(value));
            else
                rig.state.setText(box, value);
        }
        const auto build = PlanPreviewBuild(rig.state, part(c.button), rig.dialogs);
        if (c.message.empty()) {
            EXPECT_TRUE(build) << c.button;
            EXPECT_TRUE(rig.dialogs.calls.empty()) << c.button;
            continue;
        }
        EXPECT_FALSE(build) << c.message;
        ASSERT_EQ(rig.dialogs.calls.size(), 1u) << c.message;
        EXPECT_EQ(rig.dialogs.calls[0].text, c.message);
        EXPECT_EQ(rig.dialogs.calls[0].title, "Error");
        EXPECT_EQ(rig.dialogs.calls[0].icon, MessageIcon::Critical);
    }
}

TEST(AnimationPreviewBuild, AnUntickedAnimateBoxOrANameWithoutAPointBuildsNothingSilently)
{
    PreviewRig rig;
    rig.state.setText("txtBGNum", "letters"); // not even checked while the box is unticked
    EXPECT_FALSE(PlanPreviewBuild(rig.state, part("cmdPreviewBG"), rig.dialogs));
    rig.state.setText("txtBombNum", "3");
    rig.state.setText("txtBombImage", "anim");
    EXPECT_FALSE(PlanPreviewBuild(rig.state, part("cmdPreviewBomb"), rig.dialogs));
    EXPECT_TRUE(rig.dialogs.calls.empty());
}

TEST(AnimationPreviewBuild, LoadsTheNumberedFramesThatFitTheStrip)
{
    struct Case {
        const char* button;
        const char* count;
        const char* firstFrame;
        size_t frames;
        const char* lastFile;
    };
    const Case cases[] = {
        { "cmdPreviewExplosion", "3", "explode1.png", 3, "/res/explode3.png" },
        // Halves round to even: 0.5 loads no frame, 2.5 two.
        { "cmdPreviewExplosion", "0.5", "e1.png", 0, "" },
        { "cmdPreviewExplosion", "2.5", "e1.png", 2, "/res/e2.png" },
        // One character before the point is the frame number: bg01.bmp has the front part bg0.
        { "cmdPreviewBomb", "2", "bg01.bmp", 2, "/res/bg02.bmp" },
        { "cmdPreviewBomb", "1", "1.bmp", 1, "/res/1.bmp" },
        // The background keeps frames 1 to 94 of 100; the special window's 16-pixel frames fit 2048.
        { "cmdPreviewBG", "100", "bg1.bmp", 94, "/res/bg94.bmp" },
        { "cmdPreviewSpec", "1e9", "sw1.bmp", 2048, "/res/sw2048.bmp" },
        // A name browsed outside the resource folder is used as it stands.
        { "cmdPreviewBomb", "1", "/abs/b1.bmp", 1, "/abs/b1.bmp" },
    };
    for (const Case& c : cases) {
        PreviewRig rig;
        rig.state.files().ResourceDir = "/res/";
        const PreviewPart& p = part(c.button);
        if (!p.animateBox.empty())
            rig.state.setValue(p.animateBox, 1);
        rig.state.setText(p.countBox, c.count);
        rig.state.setText(p.firstFrameBox, c.firstFrame);
        const auto build = PlanPreviewBuild(rig.state, p, rig.dialogs);
        ASSERT_TRUE(build) << c.count;
        ASSERT_EQ(build->frameFiles.size(), c.frames) << c.count;
        if (c.frames > 0) {
            EXPECT_EQ(build->frameFiles.back(), c.lastFile);
        }
    }
}

TEST(AnimationPreviewPlayback, PlaysFromTheStartingFrameForwardAndBackward)
{
    struct Case {
        const char* start;
        int reverse;
        std::vector<int> shown;
    };
    const Case cases[] = {
        { "3", 0, { 3, 4, 5, 3, 4, 5, 3 } },
        { "3", 1, { 3, 2, 1, 3, 2, 1, 3 } },
        { "1", 0, { 1, 2, 3, 4, 5, 1, 2 } },
        { "1", 1, { 5, 4, 3, 2, 1, 5, 4 } },
    };
    for (const Case& c : cases) {
        PreviewRig rig;
        rig.state.setValue("chkBlkAni", 1);
        rig.state.setValue("chkBlkReverse", c.reverse);
        rig.state.setText("txtBlkNum", "5");
        rig.state.setText("txtBlkStartImage", c.start);
        rig.state.setText("txtBlkDelay", "10");
        PreviewPlayback playback{ 0, std::stoi(c.start) };
        EXPECT_EQ(rig.play(part("cmdPreviewBlocks"), playback, 7, 11, 5), c.shown) << c.start << c.reverse;
    }
}

TEST(AnimationPreviewPlayback, AdvancesOnlyOnceMoreThanTheDelayHasPassed)
{
    PreviewRig rig;
    rig.state.setText("txtBombNum", "4");
    rig.state.setText("txtBombDelay", "100");
    PreviewPlayback playback{ 0, 1 };
    const PreviewPart& bomb = part("cmdPreviewBomb");
    // The first tick after a build advances at once; then exactly 100 ms is not enough.
    EXPECT_EQ(rig.play(bomb, playback, 1, 0, 4), std::vector<int>{ 1 });
    EXPECT_EQ(rig.play(bomb, playback, 2, 50, 4), (std::vector<int>{ 2, 2 }));
    EXPECT_EQ(rig.play(bomb, playback, 1, 1, 4), std::vector<int>{ 2 });
    EXPECT_EQ(rig.play(bomb, playback, 5, 101, 4), (std::vector<int>{ 3, 4, 1, 2, 3 }));
    // A delay of 0 advances on every tick that sees the clock move.
    rig.state.setText("txtBombDelay", "0");
    EXPECT_EQ(rig.play(bomb, playback, 3, 1, 4), (std::vector<int>{ 4, 1, 2 }));
}

TEST(AnimationPreviewPlayback, KeepsItsPaceWhereTheTickCountWraps)
{
    PreviewRig rig;
    rig.state.setText("txtExplosionNum", "3");
    rig.state.setText("txtExplosionDelay", "10");
    const PreviewPart& explosion = part("cmdPreviewExplosion");
    for (const int64_t edge : { int64_t{ 1 } << 31, int64_t{ 1 } << 32 }) {
        rig.clock.set(edge - 5);
        PreviewPlayback playback{ static_cast<int32_t>(static_cast<uint32_t>(edge - 5)), 1 };
        // 6 ms later, past the edge: the delay has not passed yet; 11 ms later it has.
        EXPECT_EQ(rig.play(explosion, playback, 1, 6, 3), std::vector<int>{ 1 }) << edge;
        EXPECT_EQ(playback.CurrentFrame, 1) << edge;
        EXPECT_EQ(rig.play(explosion, playback, 2, 5, 3), (std::vector<int>{ 1, 2 })) << edge;
    }
}

TEST(AnimationPreviewPlayback, ShowsTheStillFirstFrameWhileTheAnimateBoxIsUnticked)
{
    PreviewRig rig;
    rig.state.setText("txtNextNum", "4");
    PreviewPlayback playback{ 1234, 3 };
    EXPECT_EQ(rig.play(part("cmdPreviewNext"), playback, 3, 50, 4), (std::vector<int>{ 1, 1, 1 }));
    EXPECT_EQ(playback.LastTick, 1234);
    EXPECT_EQ(playback.CurrentFrame, 3);
}

TEST(AnimationPreviewPlayback, NeverShowsAFrameTheStripDoesNotHold)
{
    PreviewRig rig;
    rig.state.setValue("chkSWAni", 1);
    rig.state.setText("txtSWDelay", "0");
    rig.state.setText("txtSWStart", "1");
    const PreviewPart& sw = part("cmdPreviewSpec");
    // The count raised after a build of 2 frames: frames 3 and 4 are not there to show.
    rig.state.setText("txtSWNum", "4");
    PreviewPlayback playback{ 0, 1 };
    EXPECT_EQ(rig.play(sw, playback, 5, 1, 2), (std::vector<int>{ 1, 2, 0, 0, 1 }));
    // Lowered while playing: the next advance past the new count wraps to the starting frame.
    rig.state.setText("txtSWNum", "1");
    EXPECT_EQ(rig.play(sw, playback, 2, 1, 2), (std::vector<int>{ 2, 1 }));
    // A starting frame beyond the strip shows nothing instead of reading past it.
    rig.state.setText("txtSWStart", "99");
    EXPECT_EQ(rig.play(sw, playback, 2, 1, 2), (std::vector<int>{ 1, 0 }));
}
