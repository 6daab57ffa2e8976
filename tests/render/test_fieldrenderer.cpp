// The field renderer and its bridge to the drawing library: the calls that hand the library the
// game state, and the pictures DrawField composes on a tile-coded theme.

#include "renderrig.h"

#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::Area;
using testing::areaColor;
using testing::FrameRecorder;
using testing::pixelName;
using testing::RecordingLibrary;
using testing::RenderRig;
using testing::setField;

const QRgb kBackground1 = areaColor(Area::Background, 1);

QRgb halfOf(QRgb color)
{
    return ((color >> 1) & 0x7f7f7f) | 0xff000000;
}

void putCell(EngineState& s, int p, int column, int row, int16_t code)
{
    s.FieldOccupied[p][column][row] = kCellOccupied;
    s.FieldColor[p][column][row] = code;
}

class FieldRendererTest : public ::testing::Test {
protected:
    FieldRendererTest()
    {
        for (int p = 1; p <= 2; ++p)
            rig.pictures.picField[size_t(p)].setViewer(&shown[p]);
        rig.options.animateBackground = true;
        rig.options.animateBlocks = true;
        rig.options.animateSpecials = true;
    }

    std::string at(int p, int x, int y) { return pixelName(rig.field(p).pixel(x, y)); }
    // Marks the field so that a draw that leaves it alone can be told.
    void mark(int p) { rig.field(p).fill(kMark); }
    bool marked(int p)
    {
        Surface expected(192, 352);
        expected.fill(kMark);
        return rig.field(p).image() == expected.image();
    }

    static constexpr QRgb kMark = 0xff0a0b0c;
    RenderRig rig;
    FrameRecorder shown[3];
};

TEST_F(FieldRendererTest, UpdateFieldBlocksHandsEveryCellColumnByColumnThenTheShieldBlock)
{
    EngineState& s = rig.state();
    setField(s, 2, { "...........1", "2.A........." });
    s.FieldOccupied[2][4][0] = kCellEmpty;
    s.FieldColor[2][4][0] = 3; // an emptied cell keeps its code
    s.ShieldActive[2] = true;

    rig.renderer.UpdateFieldBlocks(2);
    const std::vector<std::string>& calls = rig.library.calls;
    ASSERT_EQ(calls.size(), 265u);
    EXPECT_EQ(calls[0], "UpdateBlocks 1 0 0 0 0");
    EXPECT_EQ(calls[21], "UpdateBlocks 1 0 21 -1 2");
    EXPECT_EQ(calls[22], "UpdateBlocks 1 1 0 0 0");
    EXPECT_EQ(calls[2 * 22 + 21], "UpdateBlocks 1 2 21 -1 6");
    EXPECT_EQ(calls[4 * 22], "UpdateBlocks 1 4 0 0 3");
    EXPECT_EQ(calls[11 * 22 + 0], "UpdateBlocks 1 11 0 0 0");
    EXPECT_EQ(calls[11 * 22 + 20], "UpdateBlocks 1 11 20 -1 1");
    EXPECT_EQ(calls.back(), "UpdateBlocks 1 11 0 -1 21");
    EXPECT_EQ(rig.library.localCell(1, 11, 0), (DrawingLibrary::CellState{ true, 21 }));

    // Once the shield is over the real cell is handed over again; other fields are refused.
    s.ShieldActive[2] = false;
    rig.library.calls.clear();
    rig.renderer.UpdateFieldBlocks(2);
    EXPECT_EQ(rig.library.calls.size(), 264u);
    EXPECT_EQ(rig.library.localCell(1, 11, 0), (DrawingLibrary::CellState{ false, 0 }));
    rig.library.calls.clear();
    rig.renderer.UpdateFieldBlocks(3);
    rig.renderer.UpdateFieldBlocks(0);
    EXPECT_TRUE(rig.library.calls.empty());
}

TEST_F(FieldRendererTest, UpdateInternetFieldBlocksEndsWithTheBoardsEffectMarkers)
{
    OpponentBoards& net = rig.boards;
    net.InetFieldOccupied[3][11][0] = kCellOccupied;
    net.InetFieldColor[3][11][0] = 4;
    net.InetFieldColor[3][9][0] = 7;
    const struct {
        bool flash, tremor, shield;
        std::vector<std::string> markers;
    } cases[] = {
        { false, false, false,
            { "UpdateInternetBlocks 2 11 0 -1 4", "UpdateInternetBlocks 2 10 0 0 0",
                "UpdateInternetBlocks 2 9 0 0 7" } },
        { true, true, true,
            { "UpdateInternetBlocks 2 11 0 -1 15", "UpdateInternetBlocks 2 10 0 -1 18",
                "UpdateInternetBlocks 2 9 0 -1 21" } },
        { false, true, false,
            { "UpdateInternetBlocks 2 11 0 -1 4", "UpdateInternetBlocks 2 10 0 -1 18",
                "UpdateInternetBlocks 2 9 0 0 7" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.markers[1]);
        net.NetFlashActive[3] = c.flash;
        net.NetTremorActive[3] = c.tremor;
        net.NetShieldActive[3] = c.shield;
        rig.library.calls.clear();
        rig.renderer.UpdateInternetFieldBlocks(3);
        const std::vector<std::string>& calls = rig.library.calls;
        ASSERT_EQ(calls.size(), 264u + 3);
        EXPECT_EQ(calls[0], "UpdateInternetBlocks 2 0 0 0 0");
        EXPECT_EQ(calls[11 * 22], "UpdateInternetBlocks 2 11 0 -1 4");
        EXPECT_EQ(std::vector<std::string>(calls.end() - 3, calls.end()), c.markers);
    }
    rig.library.calls.clear();
    rig.renderer.UpdateInternetFieldBlocks(0);
    rig.renderer.UpdateInternetFieldBlocks(6);
    rig.renderer.UpdateNetBoardMarkers(6);
    EXPECT_TRUE(rig.library.calls.empty());
}

TEST_F(FieldRendererTest, UpdateTrailTakesWidthShiftAndExtraRowsFromTheShapeTable)
{
    rig.options.dropTrail = true;
    const struct {
        int type, orientation, column, startRow, endRow;
        const char* call;
    } cases[] = {
        { 0, 1, 5, 2, 10, "TrailUpdate 1 5 2 3 8" },
        { 0, 4, 5, 2, 10, "TrailUpdate 1 4 2 2 9" },
        { 1, 2, 0, 0, 18, "TrailUpdate 1 0 0 1 18" },
        { 2, 1, 3, 6, 6, "TrailUpdate 1 3 6 3 1" }, // a drop of no rows still leaves dr rows
        { 5, 4, 7, 1, 15, "TrailUpdate 1 7 1 2 16" },
        { 6, 2, 7, 1, 15, "TrailUpdate 1 6 1 2 16" },
        { 6, 3, 7, 1, 15, "TrailUpdate 1 7 1 3 15" },
        { 4, 3, 7, 1, 15, "TrailUpdate 1 7 1 2 14" },
        { 1, 3, 7, 1, 15, "TrailUpdate 1 7 1 0 14" }, // an orientation the shape lacks
        { 9, 1, 7, 1, 15, "TrailUpdate 1 7 1 0 14" },
    };
    for (const auto& c : cases) {
        rig.library.calls.clear();
        rig.renderer.UpdateTrail(1, c.column, c.startRow, c.type, c.orientation, c.endRow);
        EXPECT_EQ(rig.library.calls, std::vector<std::string>{ c.call });
    }
    rig.options.dropTrail = false;
    rig.library.calls.clear();
    rig.renderer.UpdateTrail(1, 5, 2, 0, 1, 10);
    EXPECT_TRUE(rig.library.calls.empty());
}

TEST_F(FieldRendererTest, FieldIsTheBackgroundFrameThenTheBlocksWithTheSmoothOffset)
{
    EngineState& s = rig.state();
    setField(s, 1, { "0...........", "A.3........P" });
    rig.game.place(1, PieceType::Square, 1, 4, 2);
    s.PieceResting[1] = true;
    s.SmoothOffset[1] = 5;

    rig.renderer.DrawField(1);
    EXPECT_EQ(testing::drawnCells(rig.field(1)),
        testing::fieldText({ "............", "............", "....55......", "....55......", "............",
            "............", "............", "............", "............", "............", "............",
            "............", "............", "............", "............", "............", "............",
            "............", "............", "............", "0...........", "A.3........P" }));
    EXPECT_EQ(at(1, 72, 40), "T5f1");
    EXPECT_EQ(at(1, 8, 8), "Background1");
    EXPECT_EQ(at(1, 1, 16 * 21 + 1), "Background1"); // through the special's white corner
    EXPECT_EQ(shown[1].frames.size(), 1u);

    // A piece that can still fall is drawn where its fall has taken it.
    s.PieceResting[1] = false;
    rig.renderer.DrawField(1);
    EXPECT_EQ(at(1, 72, 34), "Background1");
    EXPECT_EQ(at(1, 72, 68), "T5f1");
    EXPECT_EQ(at(1, 8, 16 * 20 + 8), "T0f1");
}

TEST_F(FieldRendererTest, PaintFieldBackgroundChoosesTheFrameAndSetsABadCurrentFrameBackToOne)
{
    ThemeRecord& t = rig.themes.CurrentTheme;
    const struct {
        bool option, animated, reverse;
        int16_t current;
        const char* shown;
        int16_t currentAfter;
    } cases[] = {
        { true, true, false, 2, "Background2", 2 },
        { true, true, true, 1, "Background3", 1 },
        { true, true, true, 3, "Background1", 3 },
        { true, true, false, 0, "Background1", 1 },
        { true, true, false, 4, "Background1", 1 },
        { false, true, false, 3, "Background2", 3 },
        { true, false, false, 3, "Background2", 3 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown + std::to_string(c.current));
        rig.options.animateBackground = c.option;
        t.bganimated = c.animated;
        t.bgreverseanimation = c.reverse;
        t.bgcurrentframe = c.current;
        mark(1);
        rig.renderer.PaintFieldBackground(1);
        EXPECT_EQ(at(1, 100, 200), c.shown);
        EXPECT_EQ(t.bgcurrentframe, c.currentAfter);
    }
    t.bgstillframe = 4; // no such frame: nothing, rather than a part of the sheet's spare rows
    rig.options.animateBackground = false;
    mark(1);
    rig.renderer.PaintFieldBackground(1);
    EXPECT_TRUE(marked(1));

    testing::makeTypeZeroTheme(rig.themes.CurrentTheme, rig.images, false);
    rig.renderer.PaintFieldBackground(3);
    EXPECT_EQ(pixelName(rig.field(3).pixel(191, 351)), "SkinField0");
}

TEST_F(FieldRendererTest, ClosedDoorsHideTheFieldWhileTheDoorOptionIsOn)
{
    EngineState& s = rig.state();
    setField(s, 1, { "111111111111" });
    rig.options.doors = true;
    rig.renderer.DrawField(1);
    EXPECT_EQ(at(1, 10, 344), "LeftDoor10");
    EXPECT_EQ(at(1, 100, 344), "RightDoor100");
    EXPECT_EQ(shown[1].frames.size(), 1u);

    for (bool* open : { &s.FieldDoorOpen[1], &s.FieldDoorOpening[1], &s.FieldDoorClosing[1] }) {
        *open = true;
        rig.renderer.DrawField(1);
        EXPECT_EQ(at(1, 10, 344), "T1f1");
        *open = false;
    }
    rig.options.doors = false;
    rig.renderer.DrawField(1);
    EXPECT_EQ(at(1, 10, 344), "T1f1");
}

TEST_F(FieldRendererTest, NothingIsDrawnWhileAnExplosionOwnsTheFieldOrTheThemeIsRebuilt)
{
    EngineState& s = rig.state();
    setField(s, 1, { "111111111111" });
    const struct {
        const char* name;
        std::function<void()> prepare;
        int p;
    } cases[] = {
        { "explosion", [&] { s.FieldExplodeRunning[1] = true; }, 1 },
        { "rebuilding", [&] { rig.images.rebuilding = true; }, 1 },
        { "field 3", [] {}, 3 },
        { "field 0", [] {}, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        s.FieldExplodeRunning[1] = false;
        rig.images.rebuilding = false;
        c.prepare();
        for (int p = 1; p <= 3; ++p)
            mark(p);
        rig.renderer.DrawField(c.p);
        for (int p = 1; p <= 3; ++p)
            EXPECT_TRUE(marked(p)) << p;
    }
    EXPECT_TRUE(shown[1].frames.empty());
}

TEST_F(FieldRendererTest, FlashScreenShowsOnlyAPulsingGreyBehindTheWindowsPicture)
{
    EngineState& s = rig.state();
    setField(s, 1, { "111111111111" });
    s.FlashActive[1] = true;
    rig.pictures.windowPicture = Surface(10, 10);
    rig.pictures.windowPicture.fill(kMark);
    rig.renderer.ResetFieldPicture(1);
    const struct {
        int64_t before; // the pulse is read after the 20 ms wait
        int grey;
    } cases[] = { { 294, 255 }, { 608, 128 }, { 922, 0 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        rig.game.clock.set(c.before);
        rig.pump.calls.clear();
        rig.renderer.DrawField(1);
        EXPECT_EQ(rig.pump.calls, std::vector<std::string>{ "Wait 20" });
        EXPECT_EQ(rig.field(1).pixel(100, 344), qRgb(c.grey, c.grey, c.grey));
        EXPECT_EQ(rig.field(1).pixel(5, 5), kMark);
    }
    EXPECT_EQ(shown[1].frames.size(), 3u);
}

TEST_F(FieldRendererTest, GuidesInvertOneColumnAtEachCellBoundary)
{
    rig.options.guides[1] = true;
    rig.renderer.DrawField(1);
    rig.renderer.DrawField(2);
    for (int i = 1; i <= 11; ++i)
        EXPECT_EQ(rig.field(1).pixel(16 * i, 100), kBackground1 ^ 0xffffff) << i;
    EXPECT_EQ(rig.field(1).pixel(0, 100), kBackground1);
    EXPECT_EQ(rig.field(1).pixel(17, 100), kBackground1);
    EXPECT_EQ(rig.field(2).pixel(16, 100), kBackground1);
}

TEST_F(FieldRendererTest, QuakeAndTremorShakeTheBlocksFromTheRenderersOwnRandomNumbers)
{
    EngineState& s = rig.state();
    setField(s, 1, { ".....1......" });
    const struct {
        const char* name;
        bool quake, tremor, active;
        std::vector<double> script;
        int shift;
    } cases[] = {
        { "quake", true, false, true, { 0.75 }, 16 },
        { "tremor", false, true, true, { 0.25 }, -32 },
        { "both: the tremor's range", true, true, true, { 0.75, 0.0 }, -64 },
        { "game not active", true, true, false, {}, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        rig.game.clock.advance(1000); // past the last case's quake
        s.QuakeActive[1] = c.quake;
        s.TremorActive[1] = c.tremor;
        s.GameActive = c.active;
        rig.drawRandom.values.assign(c.script.begin(), c.script.end());
        rig.renderer.DrawField(1);
        EXPECT_TRUE(rig.drawRandom.values.empty());
        const int left = 80 + c.shift;
        EXPECT_EQ(at(1, left + 8, 344), "T1f1");
        EXPECT_EQ(at(1, left - 1, 344), "Background1");
        EXPECT_EQ(at(1, left + 16, 344), "Background1");
    }
    EXPECT_EQ(rig.game.random.drawn, 0) << "the engine's sequence is left alone";
}

TEST_F(FieldRendererTest, TrailShowsWhenTenMillisecondsHavePassedSinceItWasLastDrawn)
{
    rig.options.dropTrail = true;
    rig.renderer.GenerateTrail();
    rig.renderer.UpdateTrail(1, 3, 0, 1, 2, 10); // lines standing up: one column, 10 rows
    auto trailShows = [&] {
        rig.renderer.DrawField(1);
        return rig.field(1).pixel(56, 150) != kBackground1;
    };
    EXPECT_TRUE(trailShows());
    rig.game.clock.advance(9);
    EXPECT_FALSE(trailShows());
    rig.game.clock.advance(1);
    EXPECT_TRUE(trailShows());
    rig.renderer.ResetTrailLastDrawTime(1);
    EXPECT_TRUE(trailShows());
    EXPECT_EQ(rig.field(1).pixel(64, 150), kBackground1);

    rig.renderer.ClearTrails();
    rig.game.clock.advance(10);
    EXPECT_FALSE(trailShows());
}

TEST_F(FieldRendererTest, ShadowDarkensTheRowAboveTheLandingRowWhileThePieceIsInPlay)
{
    EngineState& s = rig.state();
    rig.options.shadows = true;
    setField(s, 1, { "....1......." });
    rig.game.place(1, PieceType::Lines, 1, 2, 3); // columns 2..5 of row 3
    const QRgb shadow = halfOf(kBackground1);
    rig.renderer.DrawField(1);
    EXPECT_EQ(rig.field(1).pixel(40, 16 * 21 + 8), shadow); // column 2 lands on the floor
    EXPECT_EQ(rig.field(1).pixel(88, 16 * 21 + 8), shadow);
    EXPECT_EQ(rig.field(1).pixel(72, 16 * 20 + 8), shadow); // column 4 on the block
    EXPECT_EQ(at(1, 72, 16 * 21 + 8), "T1f1");
    EXPECT_EQ(rig.field(1).pixel(24, 16 * 21 + 8), kBackground1);

    const struct {
        const char* name;
        std::function<void()> prepare;
    } none[] = {
        { "option off", [&] { rig.options.shadows = false; } },
        { "piece not in play", [&] { s.PieceInPlay[1] = false; } },
        { "hard drop", [&] { s.HardDropping[1] = true; } },
    };
    for (const auto& c : none) {
        SCOPED_TRACE(c.name);
        rig.options.shadows = true;
        s.PieceInPlay[1] = true;
        s.HardDropping[1] = false;
        c.prepare();
        rig.renderer.DrawField(1);
        EXPECT_EQ(rig.field(1).pixel(40, 16 * 21 + 8), kBackground1);
    }
}

TEST_F(FieldRendererTest, BombsAndTheGameOverPictureShowTheFieldThroughTheirWhiteWhenTransparent)
{
    EngineState& s = rig.state();
    rig.renderer.BombCreate(1, 2, 4, 3);
    rig.renderer.DrawField(1);
    EXPECT_EQ(at(1, 40, 72), "Background1") << "the bomb's slot is not live in the game";

    const struct {
        const char* name;
        std::function<void()> prepare;
        bool ThemeRecord::*transparent;
        int x, y; // a pixel of the sprite; (x - 7, y - 7) lies in its white corner
        const char* shown;
    } cases[] = {
        { "bomb", [&] { s.BombAnimations[1][3].Active = true; }, &ThemeRecord::bombtransparency, 40, 72,
            "Bomb1" },
        { "game over", [&] { s.GameOverShown[1] = true; }, &ThemeRecord::wintransparent, 8, 8, "GameOver0" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.prepare();
        for (const bool transparent : { true, false }) {
            rig.themes.CurrentTheme.*c.transparent = transparent;
            rig.renderer.DrawField(1);
            EXPECT_EQ(at(1, c.x, c.y), c.shown);
            EXPECT_EQ(at(1, c.x - 7, c.y - 7), transparent ? "Background1" : "W");
        }
    }
}

TEST_F(FieldRendererTest, WarningBlendsEachFieldsOwnStripUnderTheWarningSprite)
{
    EngineState& s = rig.state();
    rig.options.warning = true;
    // Both fields have a locked block in their top rows; field 2 also one where the sprite's
    // transparent corner lies.
    putCell(s, 1, 0, 0, 1);
    putCell(s, 2, 0, 0, 1);
    putCell(s, 2, 0, 18, 2);
    const struct {
        int alpha;
        std::string strip; // the strip's middle
        std::string corner1; // the sprite's transparent corner over field 1, at (1, 297)
        std::string corner2; // over field 2, whose block lies there
    } cases[] = { { 255, "Warning0", "Background1", "T2f1" }, { 0, "Background1", "Background1", "T2f1" } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.alpha);
        s.WarningAlpha = { 0, c.alpha, c.alpha };
        rig.renderer.DrawField(1);
        rig.renderer.DrawField(2);
        EXPECT_EQ(at(1, 100, 320), c.strip);
        EXPECT_EQ(at(1, 100, 295), "Background1");
        EXPECT_EQ(at(1, 1, 297), c.corner1);
        EXPECT_EQ(at(2, 1, 297), c.corner2);
    }
    s.GameActive = false;
    rig.renderer.DrawField(1);
    EXPECT_EQ(at(1, 100, 320), "Background1");
}

TEST_F(FieldRendererTest, TeamNameShowsInInternetPlayOnly)
{
    InternetView& net = rig.internet;
    net.PlayerTeams = { "Reds", "Y", "\r", "" };
    const struct {
        bool spectating;
        const char* myTeam;
        int spot;
        std::optional<Bytes> team;
    } cases[] = {
        { false, "AB", -1, "AB" },
        { false, "\r", 1, std::nullopt },
        { false, "", 1, std::nullopt },
        { true, "AB", 1, "Y" },
        { true, "AB", 0, "Reds" },
        { true, "AB", 2, std::nullopt },
        { true, "AB", 3, std::nullopt },
        { true, "AB", 4, std::nullopt },
        { true, "AB", -1, std::nullopt },
    };
    for (const auto& c : cases) {
        net.Spectating = c.spectating;
        net.MyTeam = c.myTeam;
        net.SpotPlayerOne = c.spot;
        EXPECT_EQ(fieldTeamName(net), c.team) << c.spectating << " " << c.spot;
    }

    net.Spectating = false;
    net.MyTeam = "AB";
    rig.renderer.DrawField(1);
    EXPECT_EQ(at(1, 5, 5), "Background1");
    rig.state().GameMode = GameMode::Internet;
    rig.renderer.DrawField(1);
    EXPECT_EQ(at(1, 5, 5), "Glyph65");
    EXPECT_EQ(at(1, 13, 5), "Glyph66");
}

TEST_F(FieldRendererTest, BotHearsOfEachRedrawOfPlayerOnesField)
{
    rig.hooks.botLinked = true;
    rig.renderer.DrawField(1);
    rig.renderer.DrawField(2);
    rig.renderer.DrawField(1);
    EXPECT_EQ(rig.hooks.calls, (std::vector<std::string>{ "BotBlockUpdate", "BotBlockUpdate" }));
    rig.hooks.botLinked = false;
    rig.renderer.DrawField(1);
    EXPECT_EQ(rig.hooks.calls.size(), 2u);
}

TEST_F(FieldRendererTest, HeightLedLightsFromTheHighestLockedBlockDown)
{
    EngineState& s = rig.state();
    rig.options.leds = true;
    PictureBox& led = rig.pictures.picLeds[1];
    const struct {
        const char* name;
        std::function<void()> prepare;
        int litFrom; // -1: the LED is left as it was
    } cases[] = {
        { "block in row 5", [&] { putCell(s, 1, 2, 5, 2), putCell(s, 1, 0, 21, 3); }, 80 },
        { "block in row 0", [&] { putCell(s, 1, 11, 0, 21); }, 0 },
        { "only the falling piece", [&] { putCell(s, 1, 3, 0, 92); }, -1 },
        { "empty", [] {}, -1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        setField(s, 1, {});
        c.prepare();
        led.canvas().fill(kMark);
        rig.renderer.DrawHeightLed(1);
        for (int y : { 0, 79, 80, 351 }) {
            const std::string expected = c.litFrom < 0 ? pixelName(kMark)
                : y >= c.litFrom                       ? "HeightLed0"
                                                       : "B";
            EXPECT_EQ(pixelName(led.canvas().pixel(3, y)), expected) << y;
        }
    }
    rig.options.leds = false;
    putCell(s, 1, 0, 0, 1);
    led.canvas().fill(kMark);
    rig.renderer.DrawHeightLed(1);
    EXPECT_EQ(led.canvas().pixel(3, 351), kMark);
}

} // namespace
} // namespace kalvon
