// The drawing of one 10 ms game tick in a busy two-player game: both local fields (half full,
// specials, a falling piece sliding down, its shadow, a fresh drop trail, a bomb, the warning
// strip over player 2), both height LEDs, five internet boards (background and cells, as the
// board drawing does), and both next-piece and special windows. Goal: under 500 us a tick, 5%
// of the tick.
//
// A field or board whose look has not changed since its last draw is not redrawn, and a field
// whose piece, trail, bombs, shadow or warning alone changed is redrawn over the rows they
// touch; the tick benchmarks report as "redrawn_share" the share of the pixels shown that were
// drawn anew. The "Moving" tick changes both local fields every tick (the piece slides, the
// warning pulses; the boards change only when an opponent's field arrives), and the "Whole"
// benchmarks redraw every field and board on every draw, for the cost of a redraw itself.

#include "../tests/render/tilecodedtheme.h"
#include "../tests/support/enginestateaccess.h"
#include "common/clock.h"
#include "engine/gameengine.h"
#include "engine/shapes.h"
#include "platform/eventpump.h"
#include "render/drawinglibrary.h"
#include "render/drawoptions.h"
#include "render/gamerenderer.h"
#include "render/internetview.h"
#include "render/opponentboardview.h"
#include "render/previewpictures.h"
#include "render/renderhooks.h"
#include "render/themerecord.h"
#include "render/windowpictures.h"

#include <benchmark/benchmark.h>

namespace kalvon {
namespace {

class BenchClock final : public Clock {
public:
    int64_t nowMs() const override { return m_now; }
    void advance(int64_t ms) { m_now += ms; }

private:
    int64_t m_now = 100000;
};

// The engine's calls out are not made here: the benchmark only draws from its state.
class UnusedHost final : public EngineHost {
public:
    EngineDrawing& drawing() override { return m_drawing; }
    void playSound(SoundSlot) override { }
    void setLabel(LabelId, int, BytesView) override { }
    void BotPieceUpdate(int) override { }
    void sendPauseGame() override { }
    void sendResumeGame() override { }
    void sendPlayerLost() override { }
    void addLinesToAll(int) override { }
    void SendFieldUpdate() override { }
    void ResetSentField() override { }
    void CheckLevelUp() override { }
    void Yield() override { }
    void Wait(int64_t) override { }
    void SetGameTimer(bool) override { }
    void PauseMusic() override { }
    void ResumeMusic() override { }
    void StopGameMusic() override { }
    void SetPauseCaption(BytesView) override { }
    void FocusField() override { }
    void LocalGameEnded() override { }
    bool IsHostingServer() const override { return false; }
    void ServerMsgPause(int) override { }
    void ServerMsgResume(int) override { }
    void MarkMyPlayerDead() override { }

private:
    NoDrawing m_drawing;
};

class NoPump final : public EventPump {
public:
    void Yield() override { }
    void Wait(int64_t) override { }
};

class NoHooks final : public RenderHooks {
public:
    bool BotLinked() const override { return false; }
    void BotBlockUpdate() override { }
    void PlaySoundFile(BytesView) override { }
    void GenerateThemePreview(int) override { }
};

// A busy field: the lower half full but for one hole a row, specials among the blocks.
void fillField(FieldArray& occupied, FieldArray& color, int seed)
{
    for (int y = 11; y < kFieldRows; ++y) {
        for (int x = 0; x < kFieldColumns; ++x) {
            const bool hole = (x + y + seed) % kFieldColumns == 0;
            occupied[x][y] = hole ? kCellEmpty : kCellOccupied;
            color[x][y] = int16_t((x * 7 + y * 3 + seed) % 9 == 0 ? 6 + (x + y) % 16 : (x + y + seed) % 6);
        }
    }
}

class BusyGame {
public:
    explicit BusyGame(bool skipUnchanged = true)
        : m_engine(m_host, m_engineRandom, m_clock)
        , m_library(m_clock)
        , m_renderer({ m_engine, m_themes, m_images, m_library, m_pictures, m_preview, m_options, m_internet,
              m_hooks, m_pump, m_clock, m_drawRandom })
    {
        m_renderer.setSkipUnchangedFields(skipUnchanged);
        m_boardView.setSkipUnchangedBoards(skipUnchanged);
        m_boardView.setBoards(m_boards);
        for (int n = 1; n <= kInternetFields; ++n)
            setDoorOpen(m_doors[size_t(n)], true);
        testing::makeTypeOneTheme(m_themes.CurrentTheme, m_images);
        m_library.KalvonGenerateFontTable();
        m_options = { .animateBackground = true,
            .animateBlocks = true,
            .animateSpecials = true,
            .animateNextPiece = true,
            .shadows = true,
            .warning = true,
            .leds = true,
            .dropTrail = true };
        m_renderer.GenerateTrail();

        EngineState& s = EngineStateAccess::of(m_engine);
        s.GameMode = GameMode::TwoPlayers;
        s.GameActive = true;
        for (int p = 1; p <= 2; ++p) {
            fillField(s.FieldOccupied[p], s.FieldColor[p], p);
            s.FieldDoorOpen[p] = true;
            s.FallingPiece[p] = { int16_t(PieceType::TBlock), 1, 4, 3 };
            for (const CellOffset& c : *pieceCells(0, 1)) {
                s.FieldOccupied[p][4 + c.dx][3 + c.dy] = kCellOccupied;
                s.FieldColor[p][4 + c.dx][3 + c.dy] = fallingColor(0);
            }
            s.PieceInPlay[p] = true;
            s.SmoothOffset[p] = 7;
            s.NextPiece[p] = int16_t(p + 2);
            s.lstSpecials[p] = { 6, 9, 14, 20, 21 };
            m_renderer.UpdateSpecialsWindow(p);
        }
        // Player 2's stack reaches the top rows: the warning strip shows.
        s.FieldOccupied[2][0][2] = kCellOccupied;
        s.FieldColor[2][0][2] = 3;
        s.WarningAlpha[2] = 120;
        s.BombAnimations[1][0].Active = true;
        m_renderer.BombCreate(1, 4, 12, 0);

        for (int n = 1; n <= kInternetFields; ++n) {
            fillField(m_boards.InetFieldOccupied[n], m_boards.InetFieldColor[n], n);
            m_renderer.UpdateInternetFieldBlocks(n);
        }
    }

    // One tick's drawing; the trail is renewed as a hard drop would, so it always shows. A
    // moving tick also slides both pieces and pulses the warning, so both fields change.
    void tick(bool moving = false)
    {
        m_clock.advance(10);
        if (moving) {
            EngineState& s = EngineStateAccess::of(m_engine);
            ++m_ticks;
            for (int p = 1; p <= 2; ++p)
                s.SmoothOffset[p] = m_ticks % 16;
            s.WarningAlpha[2] = 100 + m_ticks % 100;
        }
        const uint64_t before = m_renderer.redrawnFieldPixels() + m_boardView.redrawnBoardPixels();
        m_renderer.UpdateTrail(1, 4, 0, int(PieceType::Lines), 2, 14);
        for (int p = 1; p <= 2; ++p) {
            m_renderer.DrawField(p);
            m_renderer.DrawHeightLed(p);
        }
        drawBoards();
        for (int p = 1; p <= 2; ++p) {
            m_renderer.DrawSpecialWindow(p);
            m_renderer.DrawNextPiece(p);
        }
        // Everything but the fields and boards is drawn whole every tick.
        const uint64_t shown = 2 * uint64_t(kFieldPictureWidth) * kFieldPictureHeight
            + kInternetFields * uint64_t(kBoardPictureWidth) * kBoardPictureHeight;
        const uint64_t others = 2
            * (pictureArea(m_pictures.picLeds[1]) + pictureArea(m_pictures.picSpecials[1])
                + pictureArea(m_pictures.picNextPiece[1]));
        m_shownPixels += shown + others;
        m_redrawnPixels
            += m_renderer.redrawnFieldPixels() + m_boardView.redrawnBoardPixels() - before + others;
    }

    static uint64_t pictureArea(const PictureBox& box)
    {
        return uint64_t(box.width()) * uint64_t(box.height());
    }
    double redrawnShare() const
    {
        return m_shownPixels ? double(m_redrawnPixels) / double(m_shownPixels) : 0.0;
    }

    // The five internet boards, drawn by the board view as the tick draws them.
    void drawBoards()
    {
        for (int n = 1; n <= kInternetFields; ++n)
            m_boardView.DrawNetPlayerField(n);
    }

    GameRenderer& renderer() { return m_renderer; }
    const Surface& field(int p) const { return m_pictures.picField[size_t(p)].canvas(); }

private:
    BenchClock m_clock;
    UnusedHost m_host;
    StandardRandom m_engineRandom;
    StandardRandom m_drawRandom{ 7 };
    GameEngine m_engine;
    Themes m_themes;
    ThemeImages m_images;
    DrawingLibrary m_library;
    WindowPictures m_pictures;
    PreviewPictures m_preview;
    DrawOptions m_options;
    OpponentBoards m_boards;
    InternetView m_internet{ m_boards };
    NoHooks m_hooks;
    NoPump m_pump;
    GameRenderer m_renderer;
    NetDoors m_doors{};
    OpponentBoardView m_boardView{ OpponentBoardParts{ m_renderer, m_doors, m_themes, m_images, m_library,
        m_pictures, m_options, m_clock, m_drawRandom, [] { return true; }, [] { return true; } } };
    int m_ticks = 0;
    uint64_t m_shownPixels = 0;
    uint64_t m_redrawnPixels = 0;
};

void renderTicks(benchmark::State& state, bool skipUnchanged, bool moving)
{
    BusyGame game(skipUnchanged);
    for (auto _ : state) {
        game.tick(moving);
        benchmark::DoNotOptimize(game.field(2).image().constBits());
    }
    state.counters["redrawn_share"] = game.redrawnShare();
}

void BM_RenderTick(benchmark::State& state)
{
    renderTicks(state, true, false);
}
BENCHMARK(BM_RenderTick)->Unit(benchmark::kMicrosecond);

void BM_RenderTickMoving(benchmark::State& state)
{
    renderTicks(state, true, true);
}
BENCHMARK(BM_RenderTickMoving)->Unit(benchmark::kMicrosecond);

void BM_RenderTickWhole(benchmark::State& state)
{
    renderTicks(state, false, false);
}
BENCHMARK(BM_RenderTickWhole)->Unit(benchmark::kMicrosecond);

// The parts, to see where a tick's time goes.
void drawLocalField(benchmark::State& state, bool skipUnchanged)
{
    BusyGame game(skipUnchanged);
    const uint64_t before = game.renderer().redrawnFieldPixels();
    for (auto _ : state) {
        game.renderer().DrawField(2);
        benchmark::DoNotOptimize(game.field(2).image().constBits());
    }
    state.counters["redrawn_share"] = double(game.renderer().redrawnFieldPixels() - before)
        / (double(state.iterations()) * kFieldPictureWidth * kFieldPictureHeight);
}

void BM_DrawLocalField(benchmark::State& state)
{
    drawLocalField(state, true);
}
BENCHMARK(BM_DrawLocalField)->Unit(benchmark::kMicrosecond);

void BM_DrawLocalFieldWhole(benchmark::State& state)
{
    drawLocalField(state, false);
}
BENCHMARK(BM_DrawLocalFieldWhole)->Unit(benchmark::kMicrosecond);

void drawInternetBoards(benchmark::State& state, bool skipUnchanged)
{
    BusyGame game(skipUnchanged);
    for (auto _ : state)
        game.drawBoards();
}

void BM_DrawInternetBoards(benchmark::State& state)
{
    drawInternetBoards(state, true);
}
BENCHMARK(BM_DrawInternetBoards)->Unit(benchmark::kMicrosecond);

void BM_DrawInternetBoardsWhole(benchmark::State& state)
{
    drawInternetBoards(state, false);
}
BENCHMARK(BM_DrawInternetBoardsWhole)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kalvon

BENCHMARK_MAIN();
