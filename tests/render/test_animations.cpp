// The timed animations on the fake clock: the line explosion, the door frames of the game's
// fields, and the theme page's door and explosion tests. Each picture shown is recorded, so a
// test sees every frame, and sheets are released in the middle to see the drawing stop.

#include "renderrig.h"

#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::FrameRecorder;
using testing::pixelName;
using testing::RenderRig;

std::string name(const Surface& surface, int x, int y)
{
    return pixelName(surface.pixel(x, y));
}

class AnimationsTest : public ::testing::Test {
protected:
    AnimationsTest()
    {
        for (int p = 1; p <= 3; ++p)
            rig.pictures.picField[size_t(p)].setViewer(&shown[p]);
        rig.pictures.picInetPreview.setViewer(&boardShown);
        rig.options.animateBackground = true;
        rig.themes.ThemeSounds[size_t(ThemeSound::Explode)] = "boom.wav";
        rig.themes.PreviewSounds[size_t(ThemeSound::Explode)] = "bang.wav";
        ThemeRecord& preview = rig.themes.PreviewTheme;
        preview.themetype = 1;
        preview.bgframecount = 3;
        preview.bgstillframe = 2;
        preview.inetbgframecount = 2;
        preview.inetbgstillframe = 1;
        preview.explodeframecount = 3;
    }

    RenderRig rig;
    FrameRecorder shown[4];
    FrameRecorder boardShown;
};

TEST_F(AnimationsTest, LineExplosionShowsEveryFrameOverFourRowsAtTheThemesPace)
{
    EngineState& s = rig.state();
    rig.renderer.DrawField(1);
    shown[1].frames.clear();
    std::vector<bool> runningMeanwhile;
    rig.pump.duringYield = [&] {
        runningMeanwhile.push_back(s.FieldExplodeRunning[1]);
        rig.renderer.DrawField(1); // the tick, inside the wait, leaves the field alone
        rig.renderer.DrawNextPiece(1);
    };
    const int64_t start = rig.game.clock.nowMs();

    rig.renderer.AnimateLineExplosion(1, 10);
    EXPECT_EQ(rig.game.clock.nowMs() - start, 500);
    EXPECT_EQ(rig.hooks.calls, std::vector<std::string>{ "PlaySoundFile boom.wav" });
    ASSERT_EQ(shown[1].frames.size(), 5u);
    for (int i = 1; i <= 5; ++i) {
        const Surface& frame = shown[1].frames[size_t(i - 1)];
        EXPECT_EQ(name(frame, 100, 160), "Explosion" + std::to_string(i));
        EXPECT_EQ(name(frame, 100, 223), "Explosion" + std::to_string(i));
        EXPECT_EQ(name(frame, 1, 161), "Background1"); // the frame's white corner
        EXPECT_EQ(name(frame, 100, 159), "Background1");
        EXPECT_EQ(name(frame, 100, 224), "Background1");
    }
    EXPECT_EQ(runningMeanwhile, std::vector<bool>(5, true));
    EXPECT_FALSE(s.FieldExplodeRunning[1]);
    EXPECT_TRUE(rig.pictures.picNextPiece[1].canvas().pixel(0, 0) == kBlackPixel);

    // Opaque frames replace the strip; near the bottom the strip is cut off by the field.
    rig.themes.CurrentTheme.explodetransparency = false;
    shown[1].frames.clear();
    rig.pump.duringYield = nullptr;
    ClearedRows quad;
    quad.count = 4;
    quad.rows = { 19, 20, 21, 21 };
    rig.renderer.AnimateLineExplosion(1, quad);
    ASSERT_EQ(shown[1].frames.size(), 5u);
    EXPECT_EQ(name(shown[1].frames[0], 1, 16 * 19 + 1), "W");
    EXPECT_EQ(name(shown[1].frames[4], 100, 351), "Explosion5");
}

TEST_F(AnimationsTest, LineExplosionDelayIsKeptWithinASecondAFrame)
{
    const struct {
        int32_t delay;
        std::string wait;
    } cases[] = { { 100000, "Wait 1000" }, { -5, "Wait 0" }, { 30, "Wait 30" } };
    for (const auto& c : cases) {
        rig.themes.CurrentTheme.explodedelaybetweenframes = c.delay;
        rig.pump.calls.clear();
        rig.renderer.AnimateLineExplosion(2, 0);
        EXPECT_EQ(rig.pump.calls, std::vector<std::string>(5, c.wait));
    }
}

TEST_F(AnimationsTest, LineExplosionStopsDrawingWhenItsSheetsAreReleased)
{
    const struct {
        const char* name;
        std::function<void()> release;
    } cases[] = {
        { "theme freed", [&] { FreeAllImages(rig.images); } },
        { "theme being rebuilt", [&] { rig.images.rebuilding = true; } },
        { "mask replaced", [&] { rig.images.explodeMask = testing::maskOf(*rig.images.explode); } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::makeTypeOneTheme(rig.themes.CurrentTheme, rig.images);
        shown[1].frames.clear();
        int waits = 0;
        rig.pump.duringYield = [&] {
            if (++waits == 2)
                c.release();
        };
        rig.renderer.AnimateLineExplosion(1, 5);
        EXPECT_EQ(shown[1].frames.size(), 2u);
        EXPECT_FALSE(rig.state().FieldExplodeRunning[1]);
    }
    // Nothing to draw from at all: the field is left alone, and the flag does not stay set.
    FreeAllImages(rig.images);
    rig.images.rebuilding = false;
    rig.pump.duringYield = nullptr;
    shown[1].frames.clear();
    rig.renderer.AnimateLineExplosion(1, 5);
    EXPECT_TRUE(shown[1].frames.empty());
    EXPECT_FALSE(rig.state().FieldExplodeRunning[1]);
}

TEST_F(AnimationsTest, DoorFrameShowsEachDoorsInnerPartSlidingInFromItsEdge)
{
    const struct {
        int width;
        std::vector<std::pair<int, const char*>> row; // x, what shows there
    } cases[] = {
        { 0, { { 0, "Background1" }, { 191, "Background1" } } },
        { 8, { { 0, "Background1" }, { 191, "Background1" } } }, // only the doors' white parts are in
        { 104,
            { { 0, "LeftDoor88" }, { 7, "LeftDoor95" }, { 8, "Background1" }, { 183, "Background1" },
                { 184, "RightDoor96" }, { 191, "RightDoor103" } } },
        { 192, { { 0, "LeftDoor0" }, { 95, "LeftDoor95" }, { 96, "RightDoor96" }, { 191, "RightDoor191" } } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        shown[2].frames.clear();
        rig.renderer.DrawDoorFrame(2, c.width);
        ASSERT_EQ(shown[2].frames.size(), 1u);
        for (const auto& [x, expected] : c.row)
            EXPECT_EQ(name(shown[2].frames[0], x, 200), expected) << x;
    }
    // The last frame of closing doors is what a field behind closed doors shows.
    rig.options.doors = true;
    rig.renderer.DrawField(1);
    EXPECT_EQ(shown[2].frames.back().image(), rig.field(1).image());
}

TEST_F(AnimationsTest, PreviewDoorsCloseInTwentyFourStepsAndOpenAgain)
{
    EngineState& s = rig.state();
    s.FieldDoorOpen[3] = true;
    rig.renderer.DrawFieldBackgroundFrame();
    int presses = 0;
    rig.pump.duringYield = [&] {
        if (++presses == 5) {
            rig.renderer.AnimateCloseDoor(); // pressed again while closing: ignored
            rig.renderer.AnimateOpenDoor(); // the doors count as open: ignored too
        }
    };
    rig.renderer.AnimateCloseDoor();
    ASSERT_EQ(shown[3].frames.size(), 24u);
    EXPECT_EQ(rig.pump.calls, std::vector<std::string>(24, "Yield"));
    EXPECT_EQ(name(shown[3].frames[11], 0, 100), "Background2"); // 96 pixels: the white halves
    EXPECT_EQ(name(shown[3].frames[12], 0, 100), "LeftDoor88"); // 104 pixels
    EXPECT_EQ(name(shown[3].frames[23], 10, 100), "LeftDoor10");
    EXPECT_EQ(name(shown[3].frames[23], 100, 100), "RightDoor100");
    EXPECT_FALSE(s.FieldDoorOpen[3]);
    EXPECT_FALSE(s.FieldDoorClosing[3]);

    rig.pump.duringYield = nullptr;
    rig.pump.calls.clear();
    shown[3].frames.clear();
    rig.renderer.AnimateCloseDoor();
    EXPECT_TRUE(shown[3].frames.empty()) << "already closed";

    rig.renderer.AnimateOpenDoor();
    ASSERT_EQ(shown[3].frames.size(), 24u);
    EXPECT_TRUE(rig.pump.calls.empty()) << "opening is paced by drawing alone";
    EXPECT_EQ(name(shown[3].frames[0], 0, 100), "LeftDoor8");
    EXPECT_EQ(name(shown[3].frames[0], 191, 100), "RightDoor183");
    EXPECT_EQ(name(shown[3].frames[23], 0, 100), "Background2");
    EXPECT_EQ(name(shown[3].frames[23], 191, 100), "Background2");
    EXPECT_TRUE(s.FieldDoorOpen[3]);
    EXPECT_FALSE(s.FieldDoorOpening[3]);
    shown[3].frames.clear();
    rig.renderer.AnimateOpenDoor();
    EXPECT_TRUE(shown[3].frames.empty()) << "already open";
}

TEST_F(AnimationsTest, PreviewDoorsStopDrawingWhenThePreviewIsDropped)
{
    EngineState& s = rig.state();
    s.FieldDoorOpen[3] = true;
    int yields = 0;
    rig.pump.duringYield = [&] {
        if (++yields == 3)
            rig.preview = PreviewPictures(); // the preview window is unloaded
    };
    rig.renderer.AnimateCloseDoor();
    EXPECT_EQ(shown[3].frames.size(), 2u);
    EXPECT_FALSE(s.FieldDoorOpen[3]);
    EXPECT_FALSE(s.FieldDoorClosing[3]);
}

TEST_F(AnimationsTest, SmallInternetDoorClosesAndOpensFourPixelsAStep)
{
    PreviewPictures& preview = rig.preview;
    preview.InetDoorOpen = true;
    const int64_t start = rig.game.clock.nowMs();
    rig.renderer.AnimateInternetCloseDoor();
    EXPECT_EQ(rig.game.clock.nowMs() - start, 23 * 30);
    ASSERT_EQ(boardShown.frames.size(), 23u);
    const Surface& first = boardShown.frames.front();
    EXPECT_EQ(name(first, 5, 0), "InternetDoor88");
    EXPECT_EQ(name(first, 5, 1), "InternetDoor89");
    EXPECT_EQ(name(first, 5, 2), "InternetBackground1");
    EXPECT_EQ(name(first, 5, 175), "InternetBackground1");
    const Surface& second = boardShown.frames[1];
    EXPECT_EQ(name(second, 5, 5), "InternetDoor89");
    EXPECT_EQ(name(second, 5, 174), "InternetDoor90");
    EXPECT_EQ(name(second, 5, 173), "InternetBackground1");
    const Surface& closed = boardShown.frames.back();
    for (int y : { 0, 89, 90, 175 })
        EXPECT_EQ(name(closed, 5, y), "InternetDoor" + std::to_string(y));
    EXPECT_FALSE(preview.InetDoorOpen);
    EXPECT_FALSE(preview.InetDoorClosing);

    boardShown.frames.clear();
    rig.renderer.AnimateInternetCloseDoor();
    EXPECT_TRUE(boardShown.frames.empty()) << "already closed";

    const int64_t opening = rig.game.clock.nowMs();
    rig.renderer.AnimateInternetOpenDoor();
    EXPECT_EQ(rig.game.clock.nowMs() - opening, 24 * 50);
    ASSERT_EQ(boardShown.frames.size(), 24u);
    for (int y : { 0, 89, 90, 175 })
        EXPECT_EQ(name(boardShown.frames.front(), 5, y), "InternetDoor" + std::to_string(y));
    for (int y : { 0, 89, 90, 175 })
        EXPECT_EQ(name(boardShown.frames.back(), 5, y), "InternetBackground1");
    EXPECT_TRUE(preview.InetDoorOpen);
    EXPECT_FALSE(preview.InetDoorOpening);

    boardShown.frames.clear();
    rig.renderer.AnimateInternetOpenDoor();
    EXPECT_TRUE(boardShown.frames.empty()) << "already open";

    // Behind a shut door the small field shows the whole door picture.
    preview.InetDoorOpen = false;
    rig.renderer.DrawInternetBackground();
    EXPECT_EQ(name(rig.pictures.picInetPreview.canvas(), 5, 100), "InternetDoor100");

    // A door picture that is dropped ends the drawing; the door still ends open.
    rig.pump.duringYield = [&] { preview.picInetDoor.reset(); };
    boardShown.frames.clear();
    rig.renderer.AnimateInternetOpenDoor();
    EXPECT_TRUE(boardShown.frames.empty());
    EXPECT_TRUE(preview.InetDoorOpen);
    EXPECT_FALSE(preview.InetDoorOpening);
}

TEST_F(AnimationsTest, PreviewExplosionUsesThePreviewThemesFrameCount)
{
    EngineState& s = rig.state();
    std::vector<bool> running;
    rig.hooks.onPreview = [&] { running.push_back(s.FieldExplodeRunning[3]); };
    rig.renderer.PreviewExplode();
    EXPECT_EQ(rig.hooks.calls,
        (std::vector<std::string>{ "PlaySoundFile bang.wav", "GenerateThemePreview 3",
            "GenerateThemePreview 3", "GenerateThemePreview 3" }));
    EXPECT_EQ(rig.pump.calls,
        (std::vector<std::string>{ "Yield", "Wait 40", "Yield", "Wait 40", "Yield", "Wait 40" }));
    ASSERT_EQ(shown[3].frames.size(), 3u);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(name(shown[3].frames[size_t(i - 1)], 100, 300), "Explosion" + std::to_string(i));
    EXPECT_EQ(running, std::vector<bool>(3, true));
    EXPECT_FALSE(s.FieldExplodeRunning[3]);

    // Generating the preview anew drops the pictures: the test explosion draws no more.
    shown[3].frames.clear();
    int previews = 0;
    rig.hooks.onPreview = [&] {
        if (++previews == 2)
            rig.preview = PreviewPictures();
    };
    rig.renderer.PreviewExplode();
    EXPECT_EQ(shown[3].frames.size(), 1u);
    EXPECT_FALSE(s.FieldExplodeRunning[3]);
}

} // namespace
} // namespace kalvon
