// A field or board redrawn only when something it shows has changed gives the very pixels of
// one redrawn on every draw: a scripted game runs on two renderers side by side, one of each
// kind, and after every step the pictures (and the warning's back buffer) must match byte for
// byte, however the step changed the game, the theme, the options or the pictures.

#include "engine/boarddoors.h"
#include "render/opponentboardview.h"
#include "renderrig.h"

#include <functional>
#include <gtest/gtest.h>

namespace kalvon {
namespace {

using testing::FrameRecorder;
using testing::RenderRig;
using testing::setField;

struct Step {
    const char* name;
    std::function<void(RenderRig&)> apply;
};

void putPiece(RenderRig& rig, int p, int row, int smooth, bool resting, int column = 4)
{
    EngineState& s = rig.state();
    for (int x = 0; x < kFieldColumns; ++x) {
        for (int y = 0; y < kFieldRows; ++y) {
            if (s.FieldColor[p][x][y] >= kFallingCodeOffset) {
                s.FieldOccupied[p][x][y] = kCellEmpty;
                s.FieldColor[p][x][y] = 0;
            }
        }
    }
    rig.game.place(p, PieceType::TBlock, 1, column, row);
    s.SmoothOffset[p] = smooth;
    s.PieceResting[p] = resting;
}

// Every kind of change a game makes to what a field shows, in the order a game might make them.
const std::vector<Step>& script()
{
    static const std::vector<Step> steps = {
        { "start",
            [](RenderRig& r) {
                setField(r.state(), 1, { "0.1.2.3.4.5.", "A.B.C.D.E.F." });
                setField(r.state(), 2, { "55555.555555" });
                putPiece(r, 1, 2, 0, false);
                putPiece(r, 2, 3, 0, false);
            } },
        { "nothing changes", [](RenderRig&) {} },
        { "time passes", [](RenderRig& r) { r.game.clock.advance(10); } },
        { "smooth fall", [](RenderRig& r) { r.state().SmoothOffset[1] = 6; } },
        { "piece moves down", [](RenderRig& r) { putPiece(r, 1, 3, 0, false); } },
        { "piece rests", [](RenderRig& r) { r.state().PieceResting[1] = true; } },
        { "other player's piece moves", [](RenderRig& r) { putPiece(r, 2, 5, 3, false); } },
        { "shadow switched off", [](RenderRig& r) { r.options.shadows = false; } },
        { "shadow back on", [](RenderRig& r) { r.options.shadows = true; } },
        { "hard drop leaves a trail",
            [](RenderRig& r) {
                r.renderer.UpdateTrail(1, 4, 3, int(PieceType::TBlock), 1, 18);
                putPiece(r, 1, 18, 0, true);
                r.state().HardDropping[1] = true;
            } },
        { "trail drawn again within 10 ms", [](RenderRig& r) { r.game.clock.advance(4); } },
        { "trail fades", [](RenderRig& r) { r.game.clock.advance(60); } },
        { "trail gone", [](RenderRig& r) { r.game.clock.advance(400); } },
        { "line clear",
            [](RenderRig& r) {
                r.state().HardDropping[1] = false;
                setField(r.state(), 1, { "A.B.C.D.E.F." });
                r.state().PieceInPlay[1] = false;
            } },
        { "block animation frame", [](RenderRig& r) { r.themes.CurrentTheme.blkcurrentframe = 2; } },
        { "background frame", [](RenderRig& r) { r.themes.CurrentTheme.bgcurrentframe = 2; } },
        { "a special's tile changes in the sheet",
            [](RenderRig& r) { r.images.blocks->setPixel(6 * 16 + 8, 8, qRgb(1, 2, 3)); } },
        { "bomb",
            [](RenderRig& r) {
                r.state().BombAnimations[1][0].Active = true;
                r.renderer.BombCreate(1, 3, 15, 0);
            } },
        { "bomb frame", [](RenderRig& r) { r.renderer.BombFrame(1, 0, 2); } },
        { "second bomb slot draws the bombs again",
            [](RenderRig& r) { r.state().BombAnimations[1][1].Active = true; } },
        { "bombs end",
            [](RenderRig& r) {
                r.state().BombAnimations[1][0].Active = false;
                r.state().BombAnimations[1][1].Active = false;
                r.renderer.BombKill(1, 0);
            } },
        { "tremor shakes",
            [](RenderRig& r) {
                r.state().TremorActive[2] = true;
                r.drawRandom.values = { 0.1, 0.9, 0.3, 0.7, 0.5, 0.5 };
            } },
        { "tremor ends", [](RenderRig& r) { r.state().TremorActive[2] = false; } },
        { "holy shield", [](RenderRig& r) { r.state().ShieldActive[1] = true; } },
        { "stack reaches the top: warning on both",
            [](RenderRig& r) {
                for (int p = 1; p <= 2; ++p) {
                    r.state().FieldOccupied[p][0][1] = kCellOccupied;
                    r.state().FieldColor[p][0][1] = 3;
                    r.state().WarningAlpha[p] = 100;
                }
            } },
        { "warning pulses on one field", [](RenderRig& r) { r.state().WarningAlpha[2] = 180; } },
        // A few rows change: only they are drawn again, the warning's strip whole when they reach it.
        { "piece slides into the warning's rows", [](RenderRig& r) { putPiece(r, 2, 17, 9, false); } },
        { "piece slides on while the warning pulses",
            [](RenderRig& r) {
                r.state().SmoothOffset[2] = 14;
                r.state().WarningAlpha[2] = 60;
            } },
        { "a locked cell in the bottom row changes",
            [](RenderRig& r) { r.state().FieldColor[1][5][kFieldRows - 1] = 4; } },
        { "a locked cell under the top changes",
            [](RenderRig& r) {
                r.state().FieldOccupied[1][7][0] = kCellOccupied;
                r.state().FieldColor[1][7][0] = 2;
            } },
        { "piece moves sideways: its shadow follows", [](RenderRig& r) { putPiece(r, 1, 4, 3, false, 8); } },
        { "a bomb over the bottom rows",
            [](RenderRig& r) {
                r.state().BombAnimations[1][0].Active = true;
                r.renderer.BombCreate(1, 2, kFieldRows - 2, 0);
            } },
        { "the bomb's next frame", [](RenderRig& r) { r.renderer.BombFrame(1, 0, 3); } },
        { "the bomb ends",
            [](RenderRig& r) {
                r.state().BombAnimations[1][0].Active = false;
                r.renderer.BombKill(1, 0);
            } },
        { "a trail by the bottom fades as the piece slides",
            [](RenderRig& r) {
                r.renderer.UpdateTrail(2, 1, 14, int(PieceType::Lines), 1, 8);
                r.game.clock.advance(20);
                r.state().SmoothOffset[2] = 3;
            } },
        { "the trail fades on", [](RenderRig& r) { r.game.clock.advance(120); } },
        { "the back buffer is drawn over elsewhere",
            [](RenderRig& r) { r.images.backBuffer->fill(kWhitePixel); } },
        { "guide lines", [](RenderRig& r) { r.options.guides[1] = true; } },
        { "something else draws into the field", [](RenderRig& r) { r.field(2).fill(0xff102030); } },
        { "field flash", [](RenderRig& r) { r.state().FlashActive[1] = true; } },
        { "flash ends: the window's picture behind the field",
            [](RenderRig& r) {
                r.state().FlashActive[1] = false;
                r.pictures.windowPicture = Surface(50, 50);
                r.pictures.windowPicture.fill(0xff405060);
                r.renderer.ResetFieldPicture(1);
            } },
        { "back colour", [](RenderRig& r) { r.pictures.picField[2].setBackColor(0xff203040); } },
        { "window resized: new pictures",
            [](RenderRig& r) {
                for (int p = 1; p <= 2; ++p)
                    r.pictures.picField[size_t(p)] = PictureBox(kFieldPictureWidth, kFieldPictureHeight);
            } },
        { "pause: the game stops", [](RenderRig& r) { r.state().GameActive = false; } },
        { "resume", [](RenderRig& r) { r.state().GameActive = true; } },
        { "doors closed",
            [](RenderRig& r) {
                r.options.doors = true;
                r.state().FieldDoorOpen[2] = false;
            } },
        { "doors open", [](RenderRig& r) { r.state().FieldDoorOpen[2] = true; } },
        { "internet play shows the team",
            [](RenderRig& r) {
                r.state().GameMode = GameMode::Internet;
                r.internet.MyTeam = "Reds";
            } },
        { "team renamed", [](RenderRig& r) { r.internet.MyTeam = "Blues"; } },
        { "a cell under the team's name changes", [](RenderRig& r) { r.state().FieldColor[1][2][0] = 5; } },
        { "theme change to a skin",
            [](RenderRig& r) { testing::makeTypeZeroTheme(r.themes.CurrentTheme, r.images, true); } },
        { "skin drawn opaque",
            [](RenderRig& r) { testing::makeTypeZeroTheme(r.themes.CurrentTheme, r.images, false); } },
        { "theme change back",
            [](RenderRig& r) { testing::makeTypeOneTheme(r.themes.CurrentTheme, r.images); } },
        { "game over", [](RenderRig& r) { r.state().GameOverShown[2] = true; } },
        { "game over picture drawn opaque",
            [](RenderRig& r) { r.themes.CurrentTheme.wintransparent = false; } },
    };
    return steps;
}

class FieldRedrawTest : public ::testing::Test {
protected:
    FieldRedrawTest()
    {
        whole.renderer.setSkipUnchangedFields(false);
        for (RenderRig* rig : { &changed, &whole }) {
            rig->options = { .animateBackground = true,
                .animateBlocks = true,
                .animateSpecials = true,
                .shadows = true,
                .warning = true,
                .dropTrail = true };
            rig->renderer.GenerateTrail();
            rig->state().GameActive = true;
            for (int p = 1; p <= 2; ++p)
                rig->state().FieldDoorOpen[p] = true;
        }
    }

    // Both fields drawn twice, as ticks in a row would draw them.
    static void drawTicks(RenderRig& rig, FrameRecorder* shown)
    {
        for (int p = 1; p <= 2; ++p)
            rig.pictures.picField[size_t(p)].setViewer(&shown[p]);
        for (int tick = 0; tick < 2; ++tick) {
            for (int p = 1; p <= 2; ++p)
                rig.renderer.DrawField(p);
        }
    }

    RenderRig changed;
    RenderRig whole;
    FrameRecorder changedShown[3];
    FrameRecorder wholeShown[3];
};

TEST_F(FieldRedrawTest, DrawingOnlyChangedFieldsShowsWhatWholeRedrawsShowAfterEveryStep)
{
    for (const Step& step : script()) {
        SCOPED_TRACE(step.name);
        step.apply(changed);
        step.apply(whole);
        drawTicks(changed, changedShown);
        drawTicks(whole, wholeShown);
        for (int p = 1; p <= 2; ++p) {
            SCOPED_TRACE(p);
            ASSERT_EQ(changedShown[p].frames.size(), wholeShown[p].frames.size());
            for (size_t i = 0; i < wholeShown[p].frames.size(); ++i)
                ASSERT_EQ(changedShown[p].frames[i].image(), wholeShown[p].frames[i].image())
                    << "frame " << i;
            EXPECT_EQ(changed.field(p).image(), whole.field(p).image());
            changedShown[p].frames.clear();
            wholeShown[p].frames.clear();
        }
        EXPECT_EQ(changed.images.backBuffer->image(), whole.images.backBuffer->image());
        EXPECT_EQ(changed.themes.CurrentTheme.bgcurrentframe, whole.themes.CurrentTheme.bgcurrentframe);
    }
    // The comparison meant something: most draws were left out.
    EXPECT_LT(changed.renderer.redrawnFieldPixels() * 2, whole.renderer.redrawnFieldPixels());
}

// The opponents' boards, drawn by the board view as the tick draws them.
struct BoardRig : RenderRig {
    NetDoors doors{};
    OpponentBoardView view{ OpponentBoardParts{ renderer, doors, themes, images, library, pictures, options,
        game.clock, drawRandom, [] { return true; }, [] { return true; } } };

    BoardRig()
    {
        view.setBoards(boards);
        options.doors = true;
        options.animateInternetBlocks = true;
        options.animateInternetBackground = true;
        for (int n = 1; n <= kInternetFields; ++n)
            setDoorOpen(doors[size_t(n)], true);
        auto win = std::make_shared<Surface>(96, 176);
        win->fill(kWhitePixel);
        win->bitBlt(48, 0, 48, 176, *images.gameOver, 0, 0);
        images.internetGameOver = win;
        images.internetGameOverMask = std::make_shared<Surface>(96, 176);
    }
    void setCells(int n, std::initializer_list<std::pair<int, int>> cells, int16_t code)
    {
        for (const auto& [x, y] : cells)
            boards.setCell(n, x, y, code);
        view.UpdateInternetFieldBlocks(n);
    }
};

struct BoardStep {
    const char* name;
    std::function<void(BoardRig&)> apply;
};

const std::vector<BoardStep>& boardScript()
{
    static const std::vector<BoardStep> steps = {
        { "cells arrive",
            [](BoardRig& r) {
                r.setCells(1, { { 0, 21 }, { 1, 21 }, { 5, 20 } }, 2);
            } },
        { "nothing changes", [](BoardRig&) {} },
        { "another board's cells",
            [](BoardRig& r) {
                r.setCells(3, { { 4, 4 }, { 11, 21 } }, 7);
            } },
        { "a cell emptied",
            [](BoardRig& r) {
                r.setCells(1, { { 1, 21 } }, 0);
            } },
        { "block frame", [](BoardRig& r) { r.themes.CurrentTheme.blkcurrentframe = 2; } },
        { "background frame", [](BoardRig& r) { r.themes.CurrentTheme.inetbgcurrentframe = 2; } },
        { "still frames", [](BoardRig& r) { r.options.animateInternetBackground = false; } },
        { "a tile changes in the sheet",
            [](BoardRig& r) { r.images.blocks->setPixel(8 * 2 + 3, 64 + 3, 0xff010203); } },
        { "door starts closing", [](BoardRig& r) { r.doors[1] = NetDoor{ .Closing = true, .Row = 4 }; } },
        { "door moves", [](BoardRig& r) { r.doors[1].Row = 9; } },
        { "door shut", [](BoardRig& r) { r.doors[1] = NetDoor{}; } },
        { "door opens", [](BoardRig& r) { r.doors[1] = NetDoor{ .Opening = true, .Row = 20 }; } },
        { "door open", [](BoardRig& r) { setDoorOpen(r.doors[1], true); } },
        { "lost player's fill",
            [](BoardRig& r) {
                for (int i = 0; i < 1000; ++i)
                    r.drawRandom.add({ double(i * 37 % 100) / 100.0 });
                r.view.FillLostFieldRandom(2);
            } },
        { "winner", [](BoardRig& r) { r.view.ResetNetBoard(4); } },
        { "win image opaque", [](BoardRig& r) { r.themes.CurrentTheme.inetwintransparent = false; } },
        { "something else draws into a board", [](BoardRig& r) { r.view.DrawNetPlayerBackground(3); } },
        { "a board's picture filled",
            [](BoardRig& r) { r.pictures.picInternetfield[5].canvas().fill(0xff304050); } },
        { "theme change to a skin",
            [](BoardRig& r) { testing::makeTypeZeroTheme(r.themes.CurrentTheme, r.images, true); } },
        { "skin opaque",
            [](BoardRig& r) { testing::makeTypeZeroTheme(r.themes.CurrentTheme, r.images, false); } },
        { "theme change back",
            [](BoardRig& r) { testing::makeTypeOneTheme(r.themes.CurrentTheme, r.images); } },
        { "doors option off", [](BoardRig& r) { r.options.doors = false; } },
    };
    return steps;
}

TEST(BoardRedraw, DrawingOnlyChangedBoardsShowsWhatRedrawsShowAfterEveryStep)
{
    BoardRig changed;
    BoardRig whole;
    whole.view.setSkipUnchangedBoards(false);
    FrameRecorder changedShown[kInternetFields + 1];
    FrameRecorder wholeShown[kInternetFields + 1];
    for (int n = 1; n <= kInternetFields; ++n) {
        changed.pictures.picInternetfield[size_t(n)].setViewer(&changedShown[n]);
        whole.pictures.picInternetfield[size_t(n)].setViewer(&wholeShown[n]);
    }
    for (const BoardStep& step : boardScript()) {
        SCOPED_TRACE(step.name);
        for (BoardRig* rig : { &changed, &whole }) {
            step.apply(*rig);
            for (int tick = 0; tick < 2; ++tick) {
                for (int n = 1; n <= kInternetFields; ++n)
                    rig->view.DrawNetPlayerField(n);
            }
        }
        for (int n = 1; n <= kInternetFields; ++n) {
            SCOPED_TRACE(n);
            ASSERT_EQ(changedShown[n].frames.size(), wholeShown[n].frames.size());
            for (size_t i = 0; i < wholeShown[n].frames.size(); ++i)
                ASSERT_EQ(changedShown[n].frames[i].image(), wholeShown[n].frames[i].image())
                    << "frame " << i;
            changedShown[n].frames.clear();
            wholeShown[n].frames.clear();
        }
    }
    EXPECT_LT(changed.view.redrawnBoardPixels() * 2, whole.view.redrawnBoardPixels());
}

} // namespace
} // namespace kalvon
