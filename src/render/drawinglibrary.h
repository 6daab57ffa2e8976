#pragma once
// The drawing library: draws the blocks of the fields, the next piece, the special window,
// drop trails, shadow cells, bomb animations and team names, and keeps the state they are
// drawn from: the cells of the two local fields and the five internet boards, each local
// player's special inventory and trail, and ten bomb slots per local player.
//
// The functions keep the names and argument orders the rest of the game calls them by. Field
// numbers of the update calls count from 0 (local 0..1, internet 0..4), those of the draw calls
// from 1; frames count from 0. Every call paints only into the surface it is given, and a call
// with an index, code or frame out of range does nothing (a cell code without a tile draws
// nothing). A sheet is passed as a pointer: null stands for a sheet that does not exist, and
// nothing is drawn from it. A transparent draw without its mask draws nothing.
//
// Tiles: see blocktiles.h. Normal and falling cells show `frame` when blocks animate (ab = 1),
// else `still`; special cells the same by the specials switch (as = 1). A masked draw lays the
// mask with OR and the picture with AND, so white picture pixels are transparent.
//
// The functions are virtual so that a test can watch the calls made to the library.

#include "common/bytes.h"
#include "engine/types.h"
#include "platform/surface.h"
#include "render/blocktiles.h"

#include <array>
#include <cstdint>
#include <optional>

namespace kalvon {

class Clock;

class DrawingLibrary {
public:
    static constexpr int kPlayers = 2;
    static constexpr int kBoards = kInternetFields;
    static constexpr int kBombSlots = 10;
    static constexpr int kInventorySize = 10;
    static constexpr int kTeamGlyphs = 23;
    static constexpr int kTrailFadeMs = 300;
    static constexpr int kBombSize = 64; // a bomb's picture, square, from its cell's top left

    explicit DrawingLibrary(const Clock& clock);
    virtual ~DrawingLibrary() = default;
    DrawingLibrary(const DrawingLibrary&) = delete;
    DrawingLibrary& operator=(const DrawingLibrary&) = delete;

    // --- font table ---
    // Builds the team font's glyph table; team names draw nothing before it.
    virtual void KalvonGenerateFontTable();

    // --- cell state ---
    // field 0..1 (local player - 1), board 0..4 (internet field - 1); occupied 0 is empty,
    // anything else occupied.
    virtual void KalvonUpdateBlocks(int field, int column, int row, int occupied, int code);
    virtual void KalvonUpdateInternetBlocks(int board, int column, int row, int occupied, int code);

    // --- local fields, p 1..2, 16 x 16 cells ---
    // smooth moves the falling piece's cells down by that many pixels; shake moves every block
    // sideways (clipped at the field's edges).
    virtual void KalvonBlocksDraw(int p, Surface& dc, const Surface* blocks, int frame, int still, int smooth,
        int shake, int ab, int as);
    virtual void KalvonBlocksDrawTransparent(int p, Surface& dc, const Surface* blocks, const Surface* mask,
        int frame, int still, int smooth, int shake, int ab, int as);
    virtual void KalvonBasicBlocksDraw(int p, Surface& dc, const Surface* skin, int smooth, int shake);
    virtual void KalvonBasicBlocksDrawTransparent(
        int p, Surface& dc, const Surface* skin, const Surface* mask, int smooth, int shake);

    // --- internet boards, n 1..5, 8 x 8 cells ---
    virtual void KalvonInternetBlocksDraw(
        int n, Surface& dc, const Surface* blocks, int frame, int still, int ab, int as);
    virtual void KalvonInternetBlocksDrawTransparent(
        int n, Surface& dc, const Surface* blocks, const Surface* mask, int frame, int still, int ab, int as);
    virtual void KalvonBasicInternetBlocksDraw(int n, Surface& dc, const Surface* skin);
    virtual void KalvonBasicInternetBlocksDrawTransparent(
        int n, Surface& dc, const Surface* skin, const Surface* mask);

    // --- next piece: orientation 1 of the type in its falling colour, centred in 77 x 77 ---
    virtual void KalvonNextBlock(Surface& dc, const Surface* blocks, int type, int frame);
    virtual void KalvonNextBlockTransparent(
        Surface& dc, const Surface* blocks, const Surface* mask, int type, int frame);
    virtual void KalvonBasicNextBlock(Surface& dc, const Surface* skin, int type);
    virtual void KalvonBasicNextBlockTransparent(
        Surface& dc, const Surface* skin, const Surface* mask, int type);

    // --- special window, p 1..2 ---
    // The window's 160 x 16 frame from the special-window sheet, then the inventory last
    // handed over as 16 x 16 tiles from the left, the special at hand first (tiles of block
    // frame 0). A null mask draws the tiles opaque.
    virtual void KalvonSpecialWindowDraw(Surface& dc, const Surface* specialWindow, const Surface* blocks,
        const Surface* mask, int p, int frame);
    // The type-0 variant: the tiles alone, from the skin (such a theme has no window picture).
    virtual void KalvonBasicSpecialWindowDraw(
        Surface& dc, const Surface* specialWindow, const Surface* skin, const Surface* mask, int p);
    // One byte per special, the special at hand first; only the first ten are kept.
    virtual void KalvonUpdateSpecials(BytesView inventory, int p);

    // --- drop trail, p 1..2 ---
    // The trail's colour (red + 256 green + 65536 blue); no trail draws before it is set.
    virtual void KalvonTrailGenerate(int32_t color);
    // The trail of a hard drop: `width` columns from `column`, `rows` rows down from `startRow`;
    // it fades out over 300 ms from now. rows <= 0 or width <= 0 leaves no trail.
    virtual void KalvonTrailUpdate(int p, int column, int startRow, int width, int rows);
    // Blends the trail over `background` into `dc`: a vertical gradient in the trail colour,
    // faint at the top and strongest at the bottom, fading with time.
    virtual void KalvonTrailDraw(int p, Surface& dc, const Surface& background);
    virtual void KalvonTrailClear(int p);

    // --- shadow: the 16 x 16 cell (column, row) of `background` at half brightness into dc;
    // a cell off the field is skipped ---
    virtual void KalvonShadowDraw(int column, int row, Surface& dc, const Surface& background);

    // --- bombs, p 1..2, slots 0..9 ---
    // A 64 x 64 animation whose top-left is cell (x, y), -2 allowed on either.
    virtual void KalvonBombCreate(int p, int x, int y, int slot);
    // Frames as the tick passes them, from 1; frame 0 (a new bomb) shows frame 1.
    virtual void KalvonBombFrame(int p, int slot, int frame);
    virtual void KalvonBombKill(int p, int slot);
    // Draws every live bomb of p (the sheet's frame f at y 64 (f - 1)).
    virtual void KalvonBombDraw(int p, Surface& dc, const Surface* bomb);
    virtual void KalvonBombDrawTransparent(int p, Surface& dc, const Surface* bomb, const Surface* mask);

    // --- team name: up to 23 glyphs of the 128 x 128 font at (4, 4), white transparent ---
    virtual void KalvonTeamDraw(Surface& dc, const Surface* font, BytesView name);

    // --- what the library keeps, for the bot bridge and the tests ---
    struct CellState {
        bool occupied = false;
        int16_t code = 0;
        friend bool operator==(const CellState&, const CellState&) = default;
    };
    // Nothing for indices out of range. field 0..1, board 0..4.
    std::optional<CellState> localCell(int field, int column, int row) const;
    std::optional<CellState> internetCell(int board, int column, int row) const;
    Bytes inventory(int p) const;

    // What a field draw of local player p (1..2) takes from the library, so that a caller can
    // tell whether the picture would change. Null or nothing for other p.
    using CellGrid = std::array<std::array<CellState, kFieldRows>, kFieldColumns>;
    struct Bomb {
        bool active = false;
        int x = 0;
        int y = 0;
        int frame = 0;
        friend bool operator==(const Bomb&, const Bomb&) = default;
    };
    // The trail KalvonTrailDraw would draw now: its cells, how much of its fade is left (ms),
    // and its colour; nothing when it draws none.
    struct TrailLook {
        int column = 0;
        int startRow = 0;
        int width = 0;
        int rows = 0;
        int64_t fade = 0;
        QRgb color = 0;
        friend bool operator==(const TrailLook&, const TrailLook&) = default;
    };
    const CellGrid* localCells(int p) const { return localGrid(p); }
    // The cells of internet board n (1..5).
    const CellGrid* boardCells(int n) const { return boardGrid(n); }
    const std::array<Bomb, kBombSlots>* bombs(int p) const
    {
        return isLocalPlayer(p) ? &m_bombs[size_t(p - 1)] : nullptr;
    }
    std::optional<TrailLook> trailLook(int p) const;
    bool hasFontTable() const { return m_glyphs.has_value(); }

private:
    struct Trail {
        int column = 0;
        int startRow = 0;
        int width = 0;
        int rows = 0;
        int64_t start = 0;
    };
    struct Sprites;
    struct TileChoice;

    static void drawGrid(const CellGrid& grid, Surface& dc, const Sprites& sprites, const TileChoice& tiles,
        int smooth, int shake);
    static void drawNextPiece(Surface& dc, const Sprites& sprites, const TileChoice& tiles, int type);
    void drawSpecialTiles(Surface& dc, const Sprites& sprites, const TileChoice& tiles, int p) const;
    void drawBombs(int p, Surface& dc, const Sprites& sprites) const;
    const CellGrid* localGrid(int p) const;
    const CellGrid* boardGrid(int n) const;
    static bool isLocalPlayer(int p) { return p >= 1 && p <= kPlayers; }

    const Clock& m_clock;
    std::array<CellGrid, kPlayers> m_local{};
    std::array<CellGrid, kBoards> m_boards{};
    std::array<Bytes, kPlayers> m_inventory;
    std::optional<QRgb> m_trailColor;
    std::array<Trail, kPlayers> m_trails{};
    std::array<std::array<Bomb, kBombSlots>, kPlayers> m_bombs{};
    // Where each byte's glyph lies in the team font; empty until generated.
    std::optional<std::array<TileSpot, 256>> m_glyphs;
};

} // namespace kalvon
