// The theme page's preview: what the preview field, the small internet field, the windows and
// the sample rows show from the preview pictures, the preview timer's steps on the fake clock,
// and the pictures built from a theme's files.

#include "previewthemefiles.h"
#include "recordingthemewindow.h"
#include "render/themeloader.h"
#include "render/themepreview.h"
#include "renderrig.h"
#include "support/scripteddialogs.h"

#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::FrameRecorder;
using testing::pixelName;
using testing::RenderRig;
using testing::ScratchFolder;
using testing::ThemePicture;
using testing::themePixel;

std::string at(const PictureBox& box, int x, int y)
{
    return pixelName(box.canvas().pixel(x, y));
}

class ThemePreviewTest : public ::testing::Test {
protected:
    ThemePreviewTest()
    {
        ThemeRecord& t = rig.themes.PreviewTheme;
        t.themetype = 1;
        t.blkframecount = 2;
        t.blkstillframe = 1;
        t.blkcurrentframe = 2;
        t.blktransparency = true;
        t.animateblocks = true;
        t.animatespecials = false;
        t.animateinetblocks = false;
        t.animateinetspecials = true;
        t.bgframecount = 3;
        t.bgstillframe = 2;
        t.inetbgframecount = 2;
        t.inetbgstillframe = 1;
        t.nextblkframecount = 4;
        t.nextblkstillframe = 2;
        t.specialwindowframecount = 2;
        t.specialwindowstillframe = 1;
        rig.pictures.picField[3].setViewer(&fieldShown);
        rig.pictures.picNextPiece[3].setViewer(&nextShown);
        rig.pictures.picSpecials[0].setViewer(&specialShown);
    }

    PictureBox& field() { return rig.pictures.picField[3]; }
    void openDoors()
    {
        rig.game.engine.beginDoorOpen(3);
        rig.game.engine.doorOpened(3);
    }

    RenderRig rig;
    ThemePreview preview{ ThemePreviewContext{
        rig.game.engine, rig.themes, rig.preview, rig.pictures, rig.renderer, rig.game.clock } };
    FrameRecorder fieldShown, nextShown, specialShown;
};

TEST_F(ThemePreviewTest, ShutDoorsCoverTheFieldAndTheSamplesShowTheStillOrCurrentFrame)
{
    PreviewChecks& checks = rig.preview.checks;
    const struct {
        const char* name;
        bool animate;
        const char* normal; // a normal tile: animateblocks is set
        const char* special; // a special tile: animatespecials is not
        const char* internetNormal; // animateinetblocks is not set
        const char* internetSpecial; // animateinetspecials is
    } cases[] = {
        { "animation off: the still frame", false, "T2f0", "T8f0", "t3f0", "t20f0" },
        { "animation on: the current frame where the theme animates", true, "T2f1", "T8f0", "t3f0", "t20f1" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        checks.blocks = c.animate;
        preview.GenerateThemePreview(3);
        EXPECT_EQ(at(field(), 10, 100), "LeftDoor10");
        EXPECT_EQ(at(field(), 150, 100), "RightDoor150");
        EXPECT_EQ(at(rig.pictures.picBlkPreview, 2 * 16 + 8, 8), c.normal);
        EXPECT_EQ(at(rig.pictures.picBlkPreview, 2 * 16 + 1, 1), "B")
            << "masked: the white corner shows through";
        EXPECT_EQ(at(rig.pictures.picSpecPreview, 2 * 16 + 8, 8), c.special); // tile 8: row 1, column 2
        EXPECT_EQ(at(rig.pictures.picInetBlkPreview, 3 * 8 + 6, 6), c.internetNormal);
        EXPECT_EQ(at(rig.pictures.picInetBlkPreview, 8 * 8 + 6, 8 + 6), c.internetSpecial); // cell 20
        EXPECT_EQ(at(rig.pictures.picInetBlkPreview, 8 * 8 + 1, 8 + 1), "W") << "internet cells are copied";
    }
    ASSERT_FALSE(fieldShown.frames.empty());
    EXPECT_EQ(pixelName(fieldShown.frames.back().pixel(10, 100)), "LeftDoor10");
}

TEST_F(ThemePreviewTest, OpenDoorsShowTheBackgroundTheTestBombAndOnRequestTheBlocks)
{
    EngineState& s = rig.state();
    openDoors();
    rig.renderer.StartPreviewBomb();
    s.BombAnimations[3][1].Frame = 3;
    preview.GenerateThemePreview(3);
    EXPECT_EQ(at(field(), 100, 300), "Background2") << "the still frame";
    EXPECT_EQ(at(field(), 100, 100), "Bomb4") << "frame 3 of the strip, at cell (4, 4)";
    EXPECT_EQ(at(field(), 65, 65), "Background2") << "the bomb's white corner";
    EXPECT_EQ(at(field(), 100, 130), "Background2");
    EXPECT_EQ(at(field(), 8, 8), "Background2");

    rig.preview.checks.blocksOnBackground = true;
    preview.GenerateThemePreview(3);
    EXPECT_EQ(at(field(), 8, 8), "T0f0") << "the normal blocks in field row 0";
    EXPECT_EQ(at(field(), 3 * 16 + 8, 3 * 16 + 8), "T21f0") << "the specials in rows 1 to 3";
    EXPECT_EQ(at(field(), 6 * 16 + 8, 8), "Background2");

    // A frame past the bomb strip draws nothing.
    s.BombAnimations[3][1].Frame = 16;
    rig.preview.picBomb = testing::frameStrip(testing::Area::Bomb, 64, 64, 5, true);
    rig.preview.picBombMask = testing::maskOf(*rig.preview.picBomb);
    preview.GenerateThemePreview(3);
    EXPECT_EQ(at(field(), 100, 100), "Background2");
}

TEST_F(ThemePreviewTest, TypeZeroThemesDrawFromTheSkin)
{
    ThemeRecord& t = rig.themes.PreviewTheme;
    t.themetype = 0;
    t.blktransparency = false;
    // The skin's special window lies at (288, 0), of which the skin holds three columns.
    testing::fillRect(*rig.preview.picBlocks, 288, 0, 3, 16, testing::areaColor(testing::Area::SkinNext, 7));
    openDoors();
    rig.preview.InetDoorOpen = true;
    rig.preview.checks.blocksOnBackground = true;
    preview.GenerateThemePreview(3);
    preview.DrawPreviewInternetCells();
    preview.DrawNextPieceBackground();

    EXPECT_EQ(at(field(), 100, 300), "SkinField0");
    EXPECT_EQ(at(field(), 1, 1), "S0") << "an opaque skin is copied";
    EXPECT_EQ(at(rig.pictures.picSpecPreview, 3 * 16 + 8, 2 * 16 + 8), "S21");
    EXPECT_EQ(at(rig.pictures.picInetBlkPreview, 8 + 4, 8 + 4), "s13");
    EXPECT_EQ(at(rig.pictures.picInetPreview, 8 + 4, 8 + 4), "s13");
    EXPECT_EQ(at(rig.pictures.picInetPreview, 50, 100), "SkinBoard0");
    EXPECT_EQ(at(rig.pictures.picNextPiece[3], 40, 40), "B") << "a type-0 next-piece window stays empty";
    for (bool picture : { true, false }) {
        t.specialwindowpic = picture;
        preview.DrawSpecialWindowBackground();
        EXPECT_EQ(at(rig.pictures.picSpecials[0], 1, 8), picture ? "SkinNext7" : "B");
    }
}

TEST_F(ThemePreviewTest, NothingIsDrawnOnTheFieldWhileItsExplosionRuns)
{
    openDoors();
    field().canvas().fill(0xff010203);
    rig.game.engine.setExplosionRunning(3, true);
    preview.GenerateThemePreview(3);
    preview.stepPreview();
    EXPECT_EQ(field().canvas().pixel(100, 100), 0xff010203u);
    EXPECT_TRUE(fieldShown.frames.empty());
    EXPECT_EQ(at(rig.pictures.picInetPreview, 50, 100), "InternetDoor100") << "the small field is drawn";
}

TEST_F(ThemePreviewTest, TimerStepsEachSetAtItsOwnDelayWhileItsBoxIsChecked)
{
    ThemeRecord& t = rig.themes.PreviewTheme;
    PreviewChecks& checks = rig.preview.checks;
    t.bganimated = true;
    t.inetbganimated = true;
    t.nextblkanimated = true;
    t.specialwindowanimated = true;
    t.nextblkdelaybetweenframes = 30;
    t.specialwindowdelaybetweenframes = 20;
    t.inetbgdelaybetweenframes = 40;
    t.bgdelaybetweenframes = 50;
    t.blkdelaybetweenframes = 20;
    t.nextblkcurrentframe = 1;
    t.specialwindowcurrentframe = 1;
    t.inetbgcurrentframe = 1;
    t.bgcurrentframe = 1;
    t.blkcurrentframe = 5; // past its two frames: back to 1 at the first step
    const int64_t start = rig.game.clock.nowMs();
    for (int64_t* last : { &t.nextblklaststeptime, &t.specialwindowlaststeptime, &t.inetbglaststeptime,
             &t.bglaststeptime, &t.blklaststeptime })
        *last = start;
    checks = { true, true, true, true, true, false };
    checks.internetBackground = false; // its set stands still

    std::vector<std::string> frames;
    for (int tick = 1; tick <= 10; ++tick) {
        rig.game.clock.advance(10);
        preview.stepPreview();
        frames.push_back(std::to_string(t.nextblkcurrentframe) + std::to_string(t.specialwindowcurrentframe)
            + std::to_string(t.inetbgcurrentframe) + std::to_string(t.bgcurrentframe)
            + std::to_string(t.blkcurrentframe));
    }
    // next every 30 ms (4 frames), special every 20 (2), internet never, background every 50
    // (3), blocks every 20 (2, from 5 to 1).
    EXPECT_EQ(frames,
        (std::vector<std::string>{
            "11115", "12111", "22111", "21112", "21122", "32121", "32121", "31122", "41122", "42131" }));
    EXPECT_EQ(nextShown.frames.size(), 3u) << "the next-piece window is drawn when it steps";
    EXPECT_EQ(specialShown.frames.size(), 5u);
    EXPECT_EQ(pixelName(nextShown.frames.back().pixel(40, 40)), "NextWindow4");
    EXPECT_EQ(pixelName(specialShown.frames.back().pixel(40, 8)), "SpecialWindow2");

    // The special window counts from the end when reversed, and shows its still frame when
    // unchecked.
    t.specialwindowreverseanimation = true;
    t.specialwindowcurrentframe = 1;
    preview.DrawSpecialWindowBackground();
    EXPECT_EQ(at(rig.pictures.picSpecials[0], 40, 8), "SpecialWindow2");
    checks.specialWindow = false;
    t.specialwindowstillframe = 1;
    preview.DrawSpecialWindowBackground();
    EXPECT_EQ(at(rig.pictures.picSpecials[0], 40, 8), "SpecialWindow1");
    t.specialwindowanimated = false;
    checks.specialWindow = true;
    t.specialwindowcurrentframe = 2;
    preview.DrawSpecialWindowBackground();
    EXPECT_EQ(at(rig.pictures.picSpecials[0], 40, 8), "SpecialWindow1")
        << "a still special window: its still frame";
}

TEST_F(ThemePreviewTest, TestBombStepsEveryTwentyMillisecondsUpToSixteenThenEnds)
{
    openDoors();
    const BombAnimation& bomb = rig.state().BombAnimations[3][1];
    rig.renderer.StartPreviewBomb();
    std::vector<std::string> shown;
    for (int tick = 0; tick < 40 && bomb.Active; ++tick) {
        preview.stepPreview();
        shown.push_back(at(field(), 100, 100));
        rig.game.clock.advance(10);
    }
    std::vector<std::string> expected;
    for (int frame = 1; frame <= 16; ++frame) {
        expected.push_back("Bomb" + std::to_string(frame + 1));
        expected.push_back("Bomb" + std::to_string(frame + 1));
    }
    expected.push_back("Background2");
    EXPECT_EQ(shown, expected);
    EXPECT_FALSE(bomb.Active);
}

TEST_F(ThemePreviewTest, TimerLeavesTheFieldsToTheirDoorAnimations)
{
    EngineState& s = rig.state();
    const struct {
        const char* name;
        bool* flag;
        bool fieldDrawn, boardDrawn;
    } cases[] = {
        { "field doors closing", &s.FieldDoorClosing[3], false, true },
        { "field doors opening", &s.FieldDoorOpening[3], false, true },
        { "internet door closing", &rig.preview.InetDoorClosing, true, false },
        { "internet door opening", &rig.preview.InetDoorOpening, true, false },
    };
    FrameRecorder boardShown;
    rig.pictures.picInetPreview.setViewer(&boardShown);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        *c.flag = true;
        fieldShown.frames.clear();
        boardShown.frames.clear();
        preview.stepPreview();
        EXPECT_EQ(!fieldShown.frames.empty(), c.fieldDrawn);
        EXPECT_EQ(!boardShown.frames.empty(), c.boardDrawn);
        *c.flag = false;
    }
}

// The pictures built from theme files.
class PreviewLoaderTest : public ::testing::Test {
protected:
    Bytes load(const testing::ThemeFileSet& theme)
    {
        ThemeLoading loading{ rig.themes, dialogs, window, { temp.path(), files.path() } };
        EXPECT_EQ(
            LoadTheme(loading, theme.kvx, rig.themes.PreviewTheme, rig.themes.PreviewSounds, "preview\\"),
            ThemeLoadResult::Loaded);
        preview.loadpreview(window, files.path());
        return rig.themes.PreviewTheme.name;
    }
    static std::string pixel(const Sheet& sheet, int x, int y)
    {
        return sheet ? themePixel(sheet->pixel(x, y)) : "null";
    }

    ScratchFolder files, temp;
    testing::ScriptedDialogs dialogs;
    testing::RecordingThemeWindow window;
    RenderRig rig;
    ThemePreview preview{ ThemePreviewContext{
        rig.game.engine, rig.themes, rig.preview, rig.pictures, rig.renderer, rig.game.clock } };
};

TEST_F(PreviewLoaderTest, TypeOneThemeBuildsEveryStripWithAMissingFrameRepeatingTheOneBefore)
{
    EXPECT_EQ(load(testing::writeTypeOneTheme(files, 1, true)), "Theme 1");
    const PreviewPictures& p = rig.preview;
    ASSERT_EQ(p.picBack.size(), 3u);
    for (int frame = 1; frame <= 3; ++frame)
        EXPECT_EQ(pixel(p.picBack[size_t(frame - 1)], 191, 351), "1 Background " + std::to_string(frame));
    EXPECT_EQ(pixel(p.picAniBlocks, 50, 80 + 40), "1 Blocks 2");
    EXPECT_EQ(pixel(p.picInetBG, 50, 176 + 100), "1 InternetBackground 2");
    EXPECT_EQ(pixel(p.picNextBlk, 40, 77 + 40), "1 NextWindow 2");
    EXPECT_EQ(pixel(p.picSpecwin, 40, 16 + 8), "1 SpecialWindow 2");
    EXPECT_EQ(pixel(p.picExplosion, 100, 3 * 64 + 30), "1 Explosion 4");
    EXPECT_EQ(pixel(p.picBomb, 30, 3 * 64 + 30), "1 Bomb 4");
    EXPECT_EQ(pixel(p.picBomb, 30, 4 * 64 + 30), "1 Bomb 4") << "frame 5 is missing: frame 4 again";
    EXPECT_EQ(pixel(p.picBomb, 30, 16 * 64 + 30), "1 Bomb 17");
    EXPECT_EQ(pixel(p.picBombMask, 1, 1), "#000000") << "the bomb's white corner is transparent";
    EXPECT_EQ(pixel(p.picDoor, 100, 100), "1 LeftDoor");
    EXPECT_EQ(pixel(p.picDoor2, 100, 100), "1 RightDoor");
    EXPECT_EQ(pixel(p.picInetDoor, 50, 100), "1 InternetDoor");
    EXPECT_EQ(pixel(p.picWarning, 50, 50), "1 Warning");
    EXPECT_FALSE(p.picBlocks);
    EXPECT_EQ(themePixel(rig.pictures.picLeds[0].canvas().pixel(2, 300)), "1 Led");
    EXPECT_EQ(rig.themes.PreviewTheme.blkcurrentframe, 2) << "the blocks start at their starting frame";
    EXPECT_EQ(rig.themes.PreviewTheme.inetbgcurrentframe, 2);
    EXPECT_EQ(rig.themes.PreviewTheme.nextblkcurrentframe, 1) << "the next-piece window's starting frame";
    EXPECT_TRUE(std::filesystem::exists(temp / "preview" / "bg1.bmp")) << "the archive went to preview/";
}

TEST_F(PreviewLoaderTest, TypeZeroThemeBuildsTheSkinAndNoStrips)
{
    load(testing::writeTypeOneTheme(files, 1));
    EXPECT_EQ(load(testing::writeTypeZeroTheme(files, 2)), "Skin 2");
    const PreviewPictures& p = rig.preview;
    EXPECT_EQ(pixel(p.picBlocks, 100, 100), "2 Skin");
    EXPECT_EQ(pixel(p.picMBlock, 100, 100), "#ffffff") << "the skin's mask";
    EXPECT_TRUE(p.picBack.empty());
    EXPECT_FALSE(p.picAniBlocks || p.picInetBG || p.picNextBlk || p.picSpecwin);
    EXPECT_EQ(pixel(p.picDoor, 100, 100), "2 LeftDoor");
    EXPECT_EQ(pixel(p.picExplosion, 100, 30), "2 Explosion 1");
}

} // namespace
} // namespace kalvon
